#include "Exceptions.h"
#include "ExportTestKit.h"
#include "JpegWriter.h"

#include <gtest/gtest.h>

using namespace ExportTestKit;

namespace {

uint32_t BigEndian16(const QByteArray &b, int at) { return U8(b, at) << 8 | U8(b, at + 1); }

// Offset of the first segment with the marker 0xFF code, or -1.
int FindMarker(const QByteArray &file, uint8_t code)
{
    for (int i = 2; i + 1 < file.size();) {
        if (U8(file, i) != 0xFF)
            return -1;
        if (U8(file, i + 1) == code)
            return i;
        i += 2 + int(BigEndian16(file, i + 2));
    }
    return -1;
}

TEST(JpegWriter, BaselineFileWithThePictureSize)
{
    const QByteArray file = WriteJpeg(SamplePicture(100, 30), 90);
    EXPECT_EQ(U8(file, 0), 0xFFu);
    EXPECT_EQ(U8(file, 1), 0xD8u);  // start of image
    EXPECT_EQ(U8(file, file.size() - 2), 0xFFu);
    EXPECT_EQ(U8(file, file.size() - 1), 0xD9u);  // end of image
    const int frame = FindMarker(file, 0xC0);  // baseline frame header
    ASSERT_GT(frame, 0);
    EXPECT_EQ(U8(file, frame + 4), 8u);  // sample precision
    EXPECT_EQ(BigEndian16(file, frame + 5), 30u);
    EXPECT_EQ(BigEndian16(file, frame + 7), 100u);
    EXPECT_EQ(U8(file, frame + 9), 3u);  // colour components

    QImage read;
    ASSERT_TRUE(read.loadFromData(file, "JPG"));
    EXPECT_EQ(read.size(), QSize(100, 30));
    const QRgb inside = read.pixel(50, 15), expected = SamplePicture(100, 30).pixel(50, 15);
    EXPECT_NEAR(qRed(inside), qRed(expected), 12);
    EXPECT_NEAR(qGreen(inside), qGreen(expected), 12);
}

TEST(JpegWriter, QualityOfTheSettingsScalesTheQuantisationTables)
{
    const QImage picture = SamplePicture(40, 20);
    const auto firstLuminanceStep = [&](int quality) {
        const QByteArray file = WriteJpeg(picture, quality);
        const int table = FindMarker(file, 0xDB);
        return table < 0 ? -1 : int(U8(file, table + 5));
    };
    EXPECT_EQ(firstLuminanceStep(50), 16);  // the standard table as it stands
    EXPECT_EQ(firstLuminanceStep(100), 1);
    EXPECT_EQ(firstLuminanceStep(90), 3);
    EXPECT_EQ(firstLuminanceStep(0), firstLuminanceStep(1));  // clamped
    EXPECT_EQ(firstLuminanceStep(255), 1);
    EXPECT_LT(WriteJpeg(picture, 10).size(), WriteJpeg(picture, 100).size());
}

TEST(JpegWriter, EmptyPictureIsAClearError)
{
    EXPECT_THROW(WriteJpeg(QImage(), 90), EInvalidGraphic);
    try {
        WriteJpeg(QImage(), 90);
    } catch (const EInvalidGraphic &e) {
        EXPECT_NE(std::string(e.what()).find("JPEG"), std::string::npos);
    }
}

}  // namespace
