#include "ErrorOf.h"
#include "ExportTestKit.h"
#include "JpegWriter.h"

#include <gtest/gtest.h>

using namespace ExportTestKit;

namespace {

uint32_t BigEndian16(const QByteArray &b, int at) { return U8(b, at) << 8 | U8(b, at + 1); }

// Offset of the first segment with the marker 0xFF code, or -1.
int FindMarker(const QByteArray &file, uint8_t code)
{
    for (int i = 2; i + 1 < file.size() && U8(file, i) == 0xFF; i += 2 + int(BigEndian16(file, i + 2)))
        if (U8(file, i + 1) == code)
            return i;
    return -1;
}

TEST(JpegWriter, BaselineFileWithThePictureSizeAndTheSettingsQuality)
{
    const QByteArray file = WriteJpeg(SamplePicture(100, 30), 90);
    EXPECT_EQ(BigEndian16(file, 0), 0xFFD8u);
    EXPECT_EQ(BigEndian16(file, file.size() - 2), 0xFFD9u);
    const int frame = FindMarker(file, 0xC0);  // baseline frame header
    ASSERT_GT(frame, 0);
    EXPECT_EQ(U8(file, frame + 4), 8u);  // sample precision
    EXPECT_EQ(BigEndian16(file, frame + 5), 30u);
    EXPECT_EQ(BigEndian16(file, frame + 7), 100u);
    EXPECT_EQ(U8(file, frame + 9), 3u);  // colour components
    QImage read;
    ASSERT_TRUE(read.loadFromData(file, "JPG"));
    EXPECT_NEAR(qRed(read.pixel(50, 15)), qRed(SamplePicture(100, 30).pixel(50, 15)), 12);

    // The quality scales the standard quantisation tables, clamped to 1..100.
    const auto firstLuminanceStep = [](int quality) {
        const QByteArray file = WriteJpeg(SamplePicture(40, 20), quality);
        return int(U8(file, FindMarker(file, 0xDB) + 5));
    };
    const std::pair<int, int> steps[] = {{50, 16}, {100, 1}, {90, 3}, {0, firstLuminanceStep(1)}, {255, 1}};
    for (const auto &[quality, step] : steps)
        EXPECT_EQ(firstLuminanceStep(quality), step) << quality;
}

TEST(JpegWriter, EmptyPictureIsAClearError)
{
    EXPECT_NE(ErrorOf<EInvalidGraphic>([] { WriteJpeg(QImage(), 90); }).find("JPEG"), std::string::npos);
}

}  // namespace
