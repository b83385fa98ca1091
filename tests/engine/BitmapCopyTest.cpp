#include "BitmapCopy.h"
#include "SceneU.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

// Each buffer pixel (x, y) holds (x, y, x + y, 9).
std::unique_ptr<TBitsmap> Gradient()
{
    auto buffer = std::make_unique<TBitsmap>();
    for (int y = 0; y < TBitsmap::Size; ++y)
        for (int x = 0; x < TBitsmap::Size; ++x) {
            uint8_t *p = buffer->Pixel(x, y);
            p[0] = uint8_t(x);
            p[1] = uint8_t(y);
            p[2] = uint8_t(x + y);
            p[3] = 9;
        }
    return buffer;
}

TEST(BitmapCopy, ImageIsUprightRGB)
{
    auto buffer = Gradient();
    const QImage image = BitsmapToImage(*buffer, 100, 30);
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_EQ(image.size(), QSize(100, 30));
    EXPECT_EQ(image.pixel(0, 29), qRgb(0, 0, 0));     // buffer row 0 at the bottom
    EXPECT_EQ(image.pixel(7, 0), qRgb(7, 29, 36));    // buffer row 29 at the top
    EXPECT_EQ(image.pixel(99, 10), qRgb(99, 19, 118));
}

TEST(BitmapCopy, GetBitmapClampsTheStateSize)
{
    RenderBuffer() = *Gradient();
    TItem item(nullptr);
    EXPECT_EQ(item.GetBitmap().size(), QSize(100, 30));
    item.Width = 100000;
    item.Height = -3;
    const QImage image = item.GetBitmap();
    EXPECT_EQ(image.size(), QSize(250, 1));
    EXPECT_EQ(image.pixel(249, 0), qRgb(249, 0, 249));
}

TEST(BitmapCopy, FillPaintsEveryPixel)
{
    QImage image(5, 4, QImage::Format_RGB888);
    FillBitmap(image, 0x336699);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(image.pixel(x, y), qRgb(0x99, 0x66, 0x33));
}

TEST(BitmapCopy, BlitPlacesTheBlockAtItsCorner)
{
    auto buffer = Gradient();
    QImage image(20, 20, QImage::Format_RGB888);
    FillBitmap(image, 0);
    BlitBitsmap(image, *buffer, 5, 3, 10, 4);
    EXPECT_EQ(image.pixel(5, 6), qRgb(0, 0, 0));    // buffer (0, 0)
    EXPECT_EQ(image.pixel(14, 3), qRgb(9, 3, 12));  // buffer (9, 3)
    EXPECT_EQ(image.pixel(4, 6), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(15, 3), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(5, 7), qRgb(0, 0, 0));
}

TEST(BitmapCopy, BlitClipsToTheTarget)
{
    auto buffer = Gradient();
    QImage image(20, 20, QImage::Format_RGB888);
    FillBitmap(image, 0);
    BlitBitsmap(image, *buffer, -5, 15, 10, 10);
    EXPECT_EQ(image.pixel(0, 19), qRgb(5, 5, 10));  // buffer (5, 5)
    EXPECT_EQ(image.pixel(4, 15), qRgb(9, 9, 18));  // buffer (9, 9)
    for (int x : {INT_MIN, -1000, 0, 19, 1000, INT_MAX})
        for (int y : {INT_MIN, -1000, 0, 19, 1000, INT_MAX})
            BlitBitsmap(image, *buffer, x, y, 100000, 100000);
    BlitBitsmap(image, *buffer, 0, 0, -5, -5);
}

}  // namespace
