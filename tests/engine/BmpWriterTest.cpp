#include "BmpWriter.h"
#include "ExportTestKit.h"

#include <gtest/gtest.h>

using namespace ExportTestKit;

namespace {

// Headers by pixel format: bits stored, compression, colour table or masks.
TEST(BmpWriter, HeadersAndSizesFollowThePixelFormat)
{
    const std::tuple<uint8_t, int, int, int> formats[] = {{2, 4, 0, 64},  {3, 8, 0, 1024}, {4, 16, 0, 0},
                                                          {5, 16, 3, 12}, {6, 24, 0, 0},   {7, 32, 0, 0},
                                                          {0, 24, 0, 0},  {200, 24, 0, 0}};
    for (const auto &[format, bits, compression, table] : formats) {
        SCOPED_TRACE(int(format));
        const QByteArray file = WriteBmp(SamplePicture(5, 3), format);
        const int rowBytes = (5 * bits + 31) / 32 * 4;
        ASSERT_EQ(file.size(), 54 + table + 3 * rowBytes);
        const std::pair<int, uint32_t> fields[] = {{2, uint32_t(file.size())}, {6, 0}, {10, uint32_t(54 + table)},
                                                   {14, 40}, {18, 5}, {22, 3}, {30, uint32_t(compression)},
                                                   {34, uint32_t(3 * rowBytes)}};
        EXPECT_EQ(file.left(2), QByteArray("BM"));
        for (const auto &[offset, value] : fields)
            EXPECT_EQ(U32(file, offset), value) << "offset " << offset;
        EXPECT_EQ(U16(file, 26), 1u);
        EXPECT_EQ(U16(file, 28), uint32_t(bits));
    }
    const QByteArray empty = WriteBmp(QImage(0, 0, QImage::Format_RGB888), 6);
    EXPECT_EQ(empty.size(), 54);
    EXPECT_EQ(I32(empty, 18), 0);
}

// Qt's reader decodes what we wrote: lossless formats give the picture
// back, paletted ones too while the picture has few enough colours.
TEST(BmpWriter, PicturesReadBackAsTheyWereWhereTheFormatHoldsThem)
{
    QImage fewColours(9, 2, QImage::Format_RGB888);
    for (int x = 0; x < 9; ++x) {
        fewColours.setPixel(x, 0, qRgb(3 * x, 100, 200));
        fewColours.setPixel(x, 1, qRgb(3 * x + 1, 17, 99));
    }
    const std::pair<uint8_t, QImage> cases[] = {{6, SamplePicture(7, 4)}, {7, SamplePicture(7, 4)},
                                                {3, fewColours}, {2, fewColours.copy(0, 0, 8, 2)}};
    for (const auto &[format, picture] : cases) {
        QImage read;
        ASSERT_TRUE(read.loadFromData(WriteBmp(picture, format), "BMP")) << int(format);
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB888), picture) << int(format);
    }
}

TEST(BmpWriter, SixteenBitsKeepTheHighBitsOfEachChannel)
{
    QImage picture(2, 1, QImage::Format_RGB888);
    picture.setPixel(0, 0, qRgb(0xFF, 0x84, 0x0F));
    picture.setPixel(1, 0, qRgb(0x08, 0x04, 0xF8));
    const QByteArray rgb555 = WriteBmp(picture, 4), rgb565 = WriteBmp(picture, 5);
    EXPECT_EQ(U16(rgb555, 54), uint32_t(31 << 10 | 16 << 5 | 1));
    EXPECT_EQ(U16(rgb555, 56), uint32_t(1 << 10 | 0 << 5 | 31));
    const std::pair<int, uint32_t> fields[] = {{54, 0xF800}, {58, 0x07E0}, {62, 0x001F}};  // the channel masks
    for (const auto &[offset, mask] : fields)
        EXPECT_EQ(U32(rgb565, offset), mask);
    EXPECT_EQ(U16(rgb565, 66), uint32_t(31 << 11 | 33 << 5 | 1));
    EXPECT_EQ(U16(rgb565, 68), uint32_t(1 << 11 | 1 << 5 | 31));
}

// Too many colours: 4 bits take the nearest of the 16 standard colours, 8
// bits the nearest of a colour cube.
TEST(BmpWriter, ManyColoursMapToTheNearestFixedColour)
{
    QImage picture(17, 1, QImage::Format_RGB888);
    for (int x = 0; x < 17; ++x)
        picture.setPixel(x, 0, qRgb(15 * x, 0, 0));
    picture.setPixel(0, 0, qRgb(250, 250, 250));
    picture.setPixel(1, 0, qRgb(120, 5, 5));
    QImage read;
    ASSERT_TRUE(read.loadFromData(WriteBmp(picture, 2), "BMP"));
    EXPECT_EQ(read.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);  // white
    EXPECT_EQ(read.pixel(1, 0) & 0xFFFFFF, 0x800000u);  // maroon
    EXPECT_EQ(read.pixel(2, 0) & 0xFFFFFF, 0x000000u);  // black

    const QImage many = SamplePicture(20, 20);
    ASSERT_TRUE(read.loadFromData(WriteBmp(many, 3), "BMP"));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const QRgb a = many.pixel(x, y), b = read.pixel(x, y);
            ASSERT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)), 3 * 26);
        }
}

}  // namespace
