#include "Exceptions.h"
#include "ExportTestKit.h"
#include "IconWriter.h"

#include <gtest/gtest.h>

using namespace ExportTestKit;

namespace {

// One 32-bit image with its AND mask: the background's pixels are black with
// alpha 0 and set in the mask.
TEST(IconWriter, DirectoryHeaderAndMaskOfASmallState)
{
    const QImage picture = SamplePicture(5, 3);
    const QByteArray file = WriteIcon(picture, 0xC0C0C0);
    const int colorBytes = 4 * 5 * 3, maskBytes = 4 * 3;
    ASSERT_EQ(file.size(), 6 + 16 + 40 + colorBytes + maskBytes);
    const std::pair<int, uint32_t> words[] = {{0, 0}, {2, 1}, {4, 1}, {10, 1}, {12, 32}, {36, 32}};
    for (const auto &[offset, value] : words)
        EXPECT_EQ(U16(file, offset), value) << offset;
    const std::pair<int, uint32_t> bytes[] = {{6, 5}, {7, 3}, {8, 0}};
    for (const auto &[offset, value] : bytes)
        EXPECT_EQ(U8(file, offset), value) << offset;
    const std::pair<int, uint32_t> longs[] = {{14, uint32_t(40 + colorBytes + maskBytes)}, {18, 22}, {22, 40}, {26, 5}, {30, 6}};
    for (const auto &[offset, value] : longs)
        EXPECT_EQ(U32(file, offset), value) << offset;

    const int color = 62, mask = 62 + colorBytes;
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(U32(file, color + 4 * x), 0u) << "bottom row: transparent, black with alpha 0";
    EXPECT_EQ(U8(file, mask), 0xF8u);      // bottom row: five set bits
    EXPECT_EQ(U8(file, mask + 4), 0x88u);  // middle row: only the two border pixels
    const QRgb inner = picture.pixel(1, 1);
    EXPECT_EQ(U32(file, color + 4 * 5 + 4), 0xFF000000u | (inner & 0xFFFFFF));

    QImage read;
    ASSERT_TRUE(read.loadFromData(WriteIcon(SamplePicture(100, 30), 0xC0C0C0), "ICO"));
    EXPECT_EQ(qAlpha(read.pixel(99, 29)), 0);
    EXPECT_EQ(read.pixel(40, 10), SamplePicture(100, 30).pixel(40, 10));
}

TEST(IconWriter, SizesTheDirectoryCannotHoldAreRefused)
{
    EXPECT_THROW(WriteIcon(QImage(257, 2, QImage::Format_RGB888), 0), EInvalidGraphic);
    EXPECT_THROW(WriteIcon(QImage(), 0), EInvalidGraphic);
    EXPECT_EQ(U8(WriteIcon(SamplePicture(256, 1), 0), 6), 0u);  // 256 is written as 0
}

}  // namespace
