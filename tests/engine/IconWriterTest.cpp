#include "Exceptions.h"
#include "ExportTestKit.h"
#include "IconWriter.h"

#include <gtest/gtest.h>

using namespace ExportTestKit;

namespace {

constexpr QRgb Background = qRgb(192, 192, 192);

TEST(IconWriter, DirectoryHeaderAndMaskOfASmallState)
{
    const int w = 5, h = 3;
    const QByteArray file = WriteIcon(SamplePicture(w, h, Background), 0xC0C0C0);
    const int colorBytes = 4 * w * h, maskBytes = 4 * h;
    ASSERT_EQ(file.size(), 6 + 16 + 40 + colorBytes + maskBytes);
    EXPECT_EQ(U16(file, 0), 0u);
    EXPECT_EQ(U16(file, 2), 1u);  // icon
    EXPECT_EQ(U16(file, 4), 1u);  // one image
    EXPECT_EQ(U8(file, 6), uint32_t(w));
    EXPECT_EQ(U8(file, 7), uint32_t(h));
    EXPECT_EQ(U8(file, 8), 0u);
    EXPECT_EQ(U16(file, 10), 1u);
    EXPECT_EQ(U16(file, 12), 32u);
    EXPECT_EQ(U32(file, 14), uint32_t(40 + colorBytes + maskBytes));
    EXPECT_EQ(U32(file, 18), 22u);
    EXPECT_EQ(U32(file, 22), 40u);
    EXPECT_EQ(I32(file, 26), w);
    EXPECT_EQ(I32(file, 30), 2 * h);
    EXPECT_EQ(U16(file, 36), 32u);

    // Bottom row: all background. Middle row: background, 3 button pixels, background.
    const int color = 62, mask = 62 + colorBytes;
    for (int x = 0; x < w; ++x)
        EXPECT_EQ(U32(file, color + 4 * x), 0u) << "transparent pixels are black with alpha 0";
    EXPECT_EQ(U8(file, mask), 0xF8u);       // bottom row: five set bits
    EXPECT_EQ(U8(file, mask + 4), 0x88u);   // middle row: only the two border pixels
    const QRgb inner = SamplePicture(w, h, Background).pixel(1, 1);
    const int pixel = color + 4 * w + 4;
    EXPECT_EQ(U8(file, pixel), uint32_t(qBlue(inner)));
    EXPECT_EQ(U8(file, pixel + 1), uint32_t(qGreen(inner)));
    EXPECT_EQ(U8(file, pixel + 2), uint32_t(qRed(inner)));
    EXPECT_EQ(U8(file, pixel + 3), 0xFFu);
}

TEST(IconWriter, QtReadsTheIconWithItsTransparency)
{
    const QImage picture = SamplePicture(100, 30, Background);
    QImage read;
    ASSERT_TRUE(read.loadFromData(WriteIcon(picture, 0xC0C0C0), "ICO"));
    ASSERT_EQ(read.size(), QSize(100, 30));
    EXPECT_EQ(qAlpha(read.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(read.pixel(99, 29)), 0);
    EXPECT_EQ(read.pixel(40, 10), picture.pixel(40, 10));
    EXPECT_EQ(qAlpha(read.pixel(40, 10)), 255);
}

TEST(IconWriter, SizesTheDirectoryCannotHoldAreRefused)
{
    EXPECT_THROW(WriteIcon(QImage(257, 2, QImage::Format_RGB888), 0), EInvalidGraphic);
    EXPECT_THROW(WriteIcon(QImage(), 0), EInvalidGraphic);
    const QByteArray largest = WriteIcon(SamplePicture(256, 1), 0);
    EXPECT_EQ(U8(largest, 6), 0u);  // 256 is written as 0
}

}  // namespace
