#include "BmpWriter.h"
#include "ExportTestKit.h"

#include <gtest/gtest.h>

using namespace ExportTestKit;

namespace {

struct TBmpCase {
    uint8_t PixelFormat;
    int StoredBits;
    int Compression;
    int TableBytes;  // colour table or bit masks
};

void PrintTo(const TBmpCase &c, std::ostream *os)
{
    *os << "pixel format " << int(c.PixelFormat) << ", " << c.StoredBits << " bits";
}

class BmpPixelFormats : public ::testing::TestWithParam<TBmpCase> {};

TEST_P(BmpPixelFormats, HeadersAndSizesFollowThePixelFormat)
{
    const TBmpCase c = GetParam();
    const QImage picture = SamplePicture(5, 3);
    const QByteArray file = WriteBmp(picture, c.PixelFormat);

    const int rowBytes = (5 * c.StoredBits + 31) / 32 * 4;
    const int offBits = 14 + 40 + c.TableBytes;
    ASSERT_EQ(file.size(), offBits + 3 * rowBytes);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(file, 2), uint32_t(file.size()));
    EXPECT_EQ(U32(file, 6), 0u);
    EXPECT_EQ(U32(file, 10), uint32_t(offBits));
    EXPECT_EQ(U32(file, 14), 40u);
    EXPECT_EQ(I32(file, 18), 5);
    EXPECT_EQ(I32(file, 22), 3);  // bottom-up rows
    EXPECT_EQ(U16(file, 26), 1u);
    EXPECT_EQ(U16(file, 28), uint32_t(c.StoredBits));
    EXPECT_EQ(U32(file, 30), uint32_t(c.Compression));
    EXPECT_EQ(U32(file, 34), uint32_t(3 * rowBytes));
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, BmpPixelFormats,
                         ::testing::Values(TBmpCase{2, 4, 0, 64}, TBmpCase{3, 8, 0, 1024},
                                           TBmpCase{4, 16, 0, 0}, TBmpCase{5, 16, 3, 12},
                                           TBmpCase{6, 24, 0, 0}, TBmpCase{7, 32, 0, 0},
                                           TBmpCase{0, 24, 0, 0}, TBmpCase{200, 24, 0, 0}),
                         [](const ::testing::TestParamInfo<TBmpCase> &info) {
                             return "PixelFormat" + std::to_string(info.param.PixelFormat);
                         });

// Qt's reader decodes what we wrote; lossless formats give the picture back.
void ExpectReadsBack(uint8_t pixelFormat, const QImage &picture, const std::function<QRgb(QRgb)> &expected)
{
    QImage read;
    ASSERT_TRUE(read.loadFromData(WriteBmp(picture, pixelFormat), "BMP")) << int(pixelFormat);
    ASSERT_EQ(read.size(), picture.size());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_EQ(read.pixel(x, y) & 0xFFFFFF, expected(picture.pixel(x, y)) & 0xFFFFFF)
                << "format " << int(pixelFormat) << " pixel " << x << "," << y;
}

TEST(BmpWriter, TrueColourFormatsKeepEveryPixel)
{
    const QImage picture = SamplePicture(7, 4);
    const auto same = [](QRgb c) { return c; };
    ExpectReadsBack(6, picture, same);
    ExpectReadsBack(7, picture, same);
}

TEST(BmpWriter, SixteenBitFormatsKeepTheHighBitsOfEachChannel)
{
    QImage picture(2, 1, QImage::Format_RGB888);
    picture.setPixel(0, 0, qRgb(0xFF, 0x84, 0x0F));
    picture.setPixel(1, 0, qRgb(0x08, 0x04, 0xF8));
    const QByteArray rgb555 = WriteBmp(picture, 4);
    EXPECT_EQ(U16(rgb555, 54), uint32_t(31 << 10 | 16 << 5 | 1));
    EXPECT_EQ(U16(rgb555, 56), uint32_t(1 << 10 | 0 << 5 | 31));
    const QByteArray rgb565 = WriteBmp(picture, 5);
    EXPECT_EQ(U32(rgb565, 54), 0xF800u);  // the three channel masks
    EXPECT_EQ(U32(rgb565, 58), 0x07E0u);
    EXPECT_EQ(U32(rgb565, 62), 0x001Fu);
    EXPECT_EQ(U16(rgb565, 66), uint32_t(31 << 11 | 33 << 5 | 1));
    EXPECT_EQ(U16(rgb565, 68), uint32_t(1 << 11 | 1 << 5 | 31));
    QImage read;
    ASSERT_TRUE(read.loadFromData(rgb565, "BMP"));
    EXPECT_EQ(read.size(), QSize(2, 1));
}

TEST(BmpWriter, PalettedFormatsKeepPicturesWithFewColoursExactly)
{
    QImage picture(9, 2, QImage::Format_RGB888);
    for (int x = 0; x < 9; ++x) {
        picture.setPixel(x, 0, qRgb(3 * x, 100, 200));
        picture.setPixel(x, 1, qRgb(3 * x + 1, 17, 99));
    }  // 18 colours: too many for 4 bits, few enough for 8
    ExpectReadsBack(3, picture, [](QRgb c) { return c; });
    ExpectReadsBack(2, picture.copy(0, 0, 8, 2), [](QRgb c) { return c; });  // 16 colours
}

TEST(BmpWriter, FourBitFormatWithManyColoursUsesTheNearestStandardColour)
{
    QImage picture(17, 1, QImage::Format_RGB888);
    for (int x = 0; x < 17; ++x)
        picture.setPixel(x, 0, qRgb(15 * x, 0, 0));
    picture.setPixel(0, 0, qRgb(250, 250, 250));
    picture.setPixel(1, 0, qRgb(120, 5, 5));
    const QByteArray file = WriteBmp(picture, 2);
    QImage read;
    ASSERT_TRUE(read.loadFromData(file, "BMP"));
    EXPECT_EQ(read.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);  // white
    EXPECT_EQ(read.pixel(1, 0) & 0xFFFFFF, 0x800000u);  // maroon
    EXPECT_EQ(read.pixel(2, 0) & 0xFFFFFF, 0x000000u);  // black
}

TEST(BmpWriter, EightBitFormatWithManyColoursMapsIntoTheColourCube)
{
    const QImage picture = SamplePicture(20, 20);  // far more than 256 colours
    QImage read;
    ASSERT_TRUE(read.loadFromData(WriteBmp(picture, 3), "BMP"));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const QRgb a = picture.pixel(x, y), b = read.pixel(x, y);
            ASSERT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)), 3 * 26);
        }
}

TEST(BmpWriter, EmptyPictureGivesHeadersOnly)
{
    const QByteArray file = WriteBmp(QImage(0, 0, QImage::Format_RGB888), 6);
    EXPECT_EQ(file.size(), 54);
    EXPECT_EQ(I32(file, 18), 0);
}

}  // namespace
