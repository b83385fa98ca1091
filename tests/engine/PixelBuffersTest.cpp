// The render buffer's pixels merged with caption masks and copied out.
#include "BitmapCopy.h"
#include "SceneU.h"
#include "TextMerge.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

// Every pixel (x, y) holds (x, y, x + y, 9).
std::unique_ptr<TBitsmap> Gradient()
{
    auto buffer = std::make_unique<TBitsmap>();
    for (int y = 0; y < TBitsmap::Size; ++y)
        for (int x = 0; x < TBitsmap::Size; ++x) {
            const uint8_t pixel[4] = {uint8_t(x), uint8_t(y), uint8_t(x + y), 9};
            std::copy(pixel, pixel + 4, buffer->Pixel(x, y));
        }
    return buffer;
}

std::vector<int> PixelOf(const TBitsmap &buffer, int x, int y)
{
    return std::vector<int>(buffer.Pixel(x, y), buffer.Pixel(x, y) + 4);
}

// A smoothed caption: white keeps, black paints, grey blends, each channel
// by its own mask, the mask's top row at the image's top. A hard caption
// paints every pixel that is not the key colour (its low bytes) fully.
TEST(TextMerge, MasksBlendOrStampTheCaptionColour)
{
    auto buffer = std::make_unique<TBitsmap>();
    buffer->Data.fill(200);
    QImage mask(4, 3, QImage::Format_RGB32);
    mask.fill(Qt::white);
    mask.setPixel(0, 0, qRgb(0, 0, 0));
    mask.setPixel(1, 2, qRgb(128, 128, 128));
    mask.setPixel(2, 2, qRgb(0, 128, 255));
    BlendTextMask(*buffer, mask, 0x000064);  // caption colour (100, 0, 0)
    const std::pair<QPoint, std::vector<int>> blended[] = {{{0, 2}, {100, 0, 0, 200}},   {{1, 0}, {150, 100, 100, 200}},
                                                           {{2, 0}, {100, 100, 200, 200}}, {{3, 1}, {200, 200, 200, 200}},
                                                           {{0, 3}, {200, 200, 200, 200}}};
    for (const auto &[at, pixel] : blended)
        EXPECT_EQ(PixelOf(*buffer, at.x(), at.y()), pixel) << at.x() << "," << at.y();

    mask.fill(qRgb(255, 0, 255));
    mask.setPixel(0, 1, qRgb(0, 255, 0));      // the text
    mask.setPixel(1, 1, qRgb(128, 128, 128));  // its smoothed edge
    mask.setPixel(2, 0, qRgb(255, 0, 254));    // one byte off the key
    buffer->Data.fill(200);
    StampTextMask(*buffer, mask, 0x00FF00, int32_t(0x7FFF00FF));
    for (const QPoint at : {QPoint(0, 1), QPoint(1, 1), QPoint(2, 2)})
        EXPECT_EQ(PixelOf(*buffer, at.x(), at.y()), (std::vector<int>{0, 255, 0, 200})) << at.x();
    EXPECT_EQ(PixelOf(*buffer, 0, 2), (std::vector<int>{200, 200, 200, 200}));

    QImage huge(400, 300, QImage::Format_RGB32);  // larger than the buffer: cut
    huge.fill(Qt::black);
    BlendTextMask(*buffer, huge, 0x0A0B0C);
    EXPECT_EQ(PixelOf(*buffer, 249, 249), (std::vector<int>{12, 11, 10, 200}));
}

TEST(BitmapCopy, TheStatesImageIsUprightAndBlocksAreClippedToTheTarget)
{
    RenderBuffer() = *Gradient();
    TItem item(nullptr);
    QImage image = item.GetBitmap();
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_EQ(image.size(), QSize(100, 30));
    EXPECT_EQ(image.pixel(0, 29), qRgb(0, 0, 0));   // buffer row 0 at the bottom
    EXPECT_EQ(image.pixel(7, 0), qRgb(7, 29, 36));  // buffer row 29 at the top
    item.Width = 100000;
    item.Height = -3;
    EXPECT_EQ(item.GetBitmap().pixel(249, 0), qRgb(249, 0, 249));

    image = QImage(20, 20, QImage::Format_RGB888);
    FillBitmap(image, 0x336699);
    EXPECT_EQ(image.pixel(19, 19), qRgb(0x99, 0x66, 0x33));
    FillBitmap(image, 0);
    BlitBitsmap(image, RenderBuffer(), 5, 3, 10, 4);
    const std::pair<QPoint, QRgb> placed[] = {{{5, 6}, qRgb(0, 0, 0)}, {{14, 3}, qRgb(9, 3, 12)},
                                              {{15, 3}, qRgb(0, 0, 0)}, {{5, 2}, qRgb(0, 0, 0)}};
    for (const auto &[at, colour] : placed)
        EXPECT_EQ(image.pixel(at), colour) << at.x() << "," << at.y();
    BlitBitsmap(image, RenderBuffer(), -5, 15, 10, 10);
    EXPECT_EQ(image.pixel(0, 19), qRgb(5, 5, 10));  // buffer (5, 5)
    EXPECT_EQ(image.pixel(4, 15), qRgb(9, 9, 18));  // buffer (9, 9)
    for (int x : {INT_MIN, -1000, 19, INT_MAX})
        for (int y : {INT_MIN, 0, 1000, INT_MAX})
            BlitBitsmap(image, RenderBuffer(), x, y, 100000, 100000);
    BlitBitsmap(image, RenderBuffer(), 0, 0, -5, -5);
}

}  // namespace
