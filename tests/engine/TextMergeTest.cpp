#include "TextMerge.h"

#include <gtest/gtest.h>

namespace {

// A buffer whose every pixel is (200, 200, 200) with alpha 77.
std::unique_ptr<TBitsmap> GreyBuffer()
{
    auto buffer = std::make_unique<TBitsmap>();
    for (size_t i = 0; i < buffer->Data.size(); i += 4) {
        buffer->Data[i] = buffer->Data[i + 1] = buffer->Data[i + 2] = 200;
        buffer->Data[i + 3] = 77;
    }
    return buffer;
}

std::vector<int> PixelOf(const TBitsmap &buffer, int x, int y)
{
    const uint8_t *p = buffer.Pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

QImage WhiteMask(int width, int height)
{
    QImage mask(width, height, QImage::Format_RGB32);
    mask.fill(Qt::white);
    return mask;
}

TEST(BlendTextMask, WhiteKeepsBlackPaintsGreyBlends)
{
    auto buffer = GreyBuffer();
    QImage mask = WhiteMask(4, 3);
    mask.setPixel(0, 0, qRgb(0, 0, 0));        // top row: buffer row 2
    mask.setPixel(1, 2, qRgb(128, 128, 128));  // bottom row: buffer row 0
    mask.setPixel(2, 2, qRgb(0, 128, 255));    // each channel its own mask
    BlendTextMask(*buffer, mask, 0x000064);    // caption colour (100, 0, 0)

    EXPECT_EQ(PixelOf(*buffer, 0, 2), (std::vector<int>{100, 0, 0, 77}));
    EXPECT_EQ(PixelOf(*buffer, 1, 0), (std::vector<int>{150, 100, 100, 77}));
    EXPECT_EQ(PixelOf(*buffer, 2, 0), (std::vector<int>{100, 100, 200, 77}));
    EXPECT_EQ(PixelOf(*buffer, 3, 1), (std::vector<int>{200, 200, 200, 77}));
    EXPECT_EQ(PixelOf(*buffer, 0, 3), (std::vector<int>{200, 200, 200, 77}));  // outside the mask
}

TEST(StampTextMask, EveryNonKeyPixelTakesTheFullColour)
{
    auto buffer = GreyBuffer();
    const TColor caption = 0x00FF00;
    const TColor key = 0xFF00FF;  // the complement of the caption colour
    QImage mask(3, 2, QImage::Format_RGB32);
    mask.fill(qRgb(255, 0, 255));
    mask.setPixel(0, 1, qRgb(0, 255, 0));    // the text
    mask.setPixel(1, 1, qRgb(128, 128, 128));  // its smoothed edge
    mask.setPixel(2, 0, qRgb(255, 0, 254));  // one byte off the key
    StampTextMask(*buffer, mask, caption, key);

    EXPECT_EQ(PixelOf(*buffer, 0, 0), (std::vector<int>{0, 255, 0, 77}));
    EXPECT_EQ(PixelOf(*buffer, 1, 0), (std::vector<int>{0, 255, 0, 77}));
    EXPECT_EQ(PixelOf(*buffer, 2, 1), (std::vector<int>{0, 255, 0, 77}));
    EXPECT_EQ(PixelOf(*buffer, 0, 1), (std::vector<int>{200, 200, 200, 77}));
}

TEST(StampTextMask, KeyColourUsesOnlyTheLowBytes)
{
    auto buffer = GreyBuffer();
    QImage mask = WhiteMask(2, 1);
    StampTextMask(*buffer, mask, 0x000000, int32_t(0x7FFFFFFF));
    EXPECT_EQ(PixelOf(*buffer, 0, 0), (std::vector<int>{200, 200, 200, 77}));
}

TEST(TextMerge, MasksLargerThanTheBufferAreCut)
{
    auto buffer = GreyBuffer();
    QImage mask(400, 300, QImage::Format_RGB32);
    mask.fill(Qt::black);
    BlendTextMask(*buffer, mask, 0x0A0B0C);
    StampTextMask(*buffer, mask, 0x0A0B0C, 0xFFFFFF);
    EXPECT_EQ(PixelOf(*buffer, 249, 249), (std::vector<int>{12, 11, 10, 77}));
}

}  // namespace
