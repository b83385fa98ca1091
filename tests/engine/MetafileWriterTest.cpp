#include "EmfWriter.h"
#include "ExportTestKit.h"
#include "ExternalTool.h"
#include "MaskPair.h"
#include "WmfWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ExportTestKit;

namespace {

constexpr QRgb Background = qRgb(192, 192, 192);
constexpr uint32_t Transparent = 0xC0C0C0;

// Packed DIB sizes of a w x h mask pair: info header (+ 2 colours) and rows.
int MaskDibBytes(int w, int h) { return 40 + 8 + (w + 31) / 32 * 4 * h; }
int ColorDibBytes(int w, int h) { return 40 + (3 * w + 3) / 4 * 4 * h; }

TEST(MaskPair, MaskMarksTheTransparentColourAndThePictureIsBlackThere)
{
    const auto pair = MakeMaskPair(SamplePicture(5, 3, Background), Transparent);
    EXPECT_EQ(pair[0].Rop, RopSrcAnd);
    EXPECT_EQ(pair[1].Rop, RopSrcPaint);
    EXPECT_EQ(U16(pair[0].Info, 14), 1u);
    EXPECT_EQ(U32(pair[0].Info, 40), 0x000000u);
    EXPECT_EQ(U32(pair[0].Info, 44), 0xFFFFFFu);
    EXPECT_EQ(U8(pair[0].Bits, 4), 0x88u);  // middle row: border pixels white
    EXPECT_EQ(U16(pair[1].Info, 14), 24u);
    EXPECT_EQ(pair[1].Bits.left(15), QByteArray(15, '\0'));  // bottom row transparent: black
}

TEST(WmfWriter, PlaceableHeaderRecordsAndSizes)
{
    const int w = 5, h = 3;
    const QByteArray file = WriteWmf(SamplePicture(w, h, Background), Transparent);
    const int maskRecord = 2 * 14 + MaskDibBytes(w, h);  // 3 words + 11 parameter words + DIB
    const int colorRecord = 2 * 14 + ColorDibBytes(w, h);
    ASSERT_EQ(file.size(), 22 + 18 + 10 + 10 + maskRecord + colorRecord + 6);

    EXPECT_EQ(U32(file, 0), 0x9AC6CDD7u);
    EXPECT_EQ(I16(file, 10), w);
    EXPECT_EQ(I16(file, 12), h);
    EXPECT_EQ(U16(file, 14), uint32_t(WmfUnitsPerInch));
    uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= uint16_t(U16(file, i));
    EXPECT_EQ(U16(file, 20), checksum);

    EXPECT_EQ(U16(file, 22), 1u);
    EXPECT_EQ(U16(file, 24), 9u);
    EXPECT_EQ(U16(file, 26), 0x0300u);
    EXPECT_EQ(U32(file, 28), uint32_t((file.size() - 22) / 2));
    EXPECT_EQ(U32(file, 34), uint32_t(colorRecord / 2));  // largest record

    int at = 40;
    EXPECT_EQ(U32(file, at), 5u);
    EXPECT_EQ(U16(file, at + 4), 0x020Bu);
    at += 10;
    EXPECT_EQ(U16(file, at + 4), 0x020Cu);
    EXPECT_EQ(I16(file, at + 6), h);
    EXPECT_EQ(I16(file, at + 8), w);
    at += 10;
    for (const auto &[rop, bytes] : {std::pair{RopSrcAnd, maskRecord}, std::pair{RopSrcPaint, colorRecord}}) {
        EXPECT_EQ(U32(file, at), uint32_t(bytes / 2));
        EXPECT_EQ(U16(file, at + 4), 0x0F43u);
        EXPECT_EQ(U32(file, at + 6), rop);
        EXPECT_EQ(I16(file, at + 12), h);  // source height, width
        EXPECT_EQ(I16(file, at + 14), w);
        EXPECT_EQ(I16(file, at + 20), h);  // destination height, width
        EXPECT_EQ(I16(file, at + 22), w);
        EXPECT_EQ(U32(file, at + 28), 40u);  // the DIB's header
        at += bytes;
    }
    EXPECT_EQ(U32(file, at), 3u);
    EXPECT_EQ(U16(file, at + 4), 0u);
}

TEST(EmfWriter, HeaderRecordsAndSizes)
{
    const int w = 100, h = 30;
    const QByteArray file = WriteEmf(SamplePicture(w, h, Background), Transparent);
    const int maskRecord = 80 + MaskDibBytes(w, h);
    const int colorRecord = 80 + ColorDibBytes(w, h);
    ASSERT_EQ(file.size(), 108 + maskRecord + colorRecord + 20);

    EXPECT_EQ(U32(file, 0), 1u);
    EXPECT_EQ(U32(file, 4), 108u);
    EXPECT_EQ(I32(file, 16), w - 1);  // bounds, inclusive
    EXPECT_EQ(I32(file, 20), h - 1);
    EXPECT_EQ(I32(file, 32), 2645);  // frame in 0.01 mm at 96 dpi
    EXPECT_EQ(I32(file, 36), 793);
    EXPECT_EQ(U32(file, 40), 0x464D4520u);
    EXPECT_EQ(U32(file, 44), 0x10000u);
    EXPECT_EQ(U32(file, 48), uint32_t(file.size()));
    EXPECT_EQ(U32(file, 52), 4u);
    EXPECT_EQ(U16(file, 56), 1u);
    EXPECT_EQ(I32(file, 72), 1920);
    EXPECT_EQ(I32(file, 80), 508);

    int at = 108;
    for (const auto &[rop, bytes] : {std::pair{RopSrcAnd, maskRecord}, std::pair{RopSrcPaint, colorRecord}}) {
        EXPECT_EQ(U32(file, at), 81u);
        EXPECT_EQ(U32(file, at + 4), uint32_t(bytes));
        EXPECT_EQ(I32(file, at + 40), w);  // source size
        EXPECT_EQ(I32(file, at + 44), h);
        EXPECT_EQ(U32(file, at + 48), 80u);  // the info block follows the record's fields
        const uint32_t infoBytes = U32(file, at + 52);
        EXPECT_EQ(U32(file, at + 56), 80u + infoBytes);
        EXPECT_EQ(U32(file, at + 60), uint32_t(bytes) - 80u - infoBytes);
        EXPECT_EQ(U32(file, at + 68), rop);
        EXPECT_EQ(I32(file, at + 72), w);  // destination size
        EXPECT_EQ(I32(file, at + 76), h);
        at += bytes;
    }
    EXPECT_EQ(U32(file, at), 14u);
    EXPECT_EQ(U32(file, at + 4), 20u);
    EXPECT_EQ(U32(file, at + 16), 20u);
}

// LibreOffice opens the metafile in Draw and converts it (to "svg" or "png",
// a whole page); the result's path, or empty when the conversion failed.
QString ConvertWithLibreOffice(QTemporaryDir &dir, const QString &name, const QByteArray &bytes, const char *format)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    file.close();
    const QString profile = QUrl::fromLocalFile(dir.filePath("profile")).toString();
    const ToolResult result =
        RunTool("soffice", {"--headless", "--norestore", "-env:UserInstallation=" + profile, "--convert-to", format,
                            "--outdir", dir.filePath("out"), file.fileName()},
                {}, 180000);
    const QString converted = dir.filePath("out/" + QFileInfo(name).completeBaseName() + "." + format);
    return result.exitCode == 0 && QFile::exists(converted) ? converted : QString();
}

// The WMF becomes one picture in Draw: the button's pixels, and the
// background colour fully transparent.
TEST(WmfWriter, LibreOfficeShowsTheBackgroundTransparent)
{
    SKIP_WITHOUT_TOOL("soffice");
    const QImage picture = SamplePicture(100, 30, Background);
    QTemporaryDir dir;
    const QString svg = ConvertWithLibreOffice(dir, "button.wmf", WriteWmf(picture, Transparent), "svg");
    ASSERT_FALSE(svg.isEmpty());
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto match = QRegularExpression("data:image/png;base64,([A-Za-z0-9+/=]+)").match(file.readAll());
    ASSERT_TRUE(match.hasMatch());
    QImage image;
    ASSERT_TRUE(image.loadFromData(QByteArray::fromBase64(match.captured(1).toLatin1()), "PNG"));
    ASSERT_EQ(image.size(), QSize(100, 30));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(99, 29)), 0);
    EXPECT_EQ(image.pixel(50, 15), picture.pixel(50, 15));
}

// The EMF drawn on a white Draw page at 96 dpi: the button at its size in
// pixels with its own colours, and no pixel of the background colour, which
// lets the page show through.
TEST(EmfWriter, LibreOfficeShowsTheBackgroundTransparent)
{
    SKIP_WITHOUT_TOOL("soffice");
    const QImage picture = SamplePicture(100, 30, Background);
    QTemporaryDir dir;
    const QString png = ConvertWithLibreOffice(dir, "button.emf", WriteEmf(picture, Transparent), "png");
    ASSERT_FALSE(png.isEmpty());
    const QImage page = QImage(png).convertToFormat(QImage::Format_RGB32);
    QRect drawn;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb pixel = page.pixel(x, y) & 0xFFFFFF;
            ASSERT_NE(pixel, Background & 0xFFFFFF) << x << "," << y;
            if (pixel != 0xFFFFFF)
                drawn |= QRect(x, y, 1, 1);
        }
    ASSERT_EQ(drawn.size(), QSize(98, 28));  // the picture less its border of background
    const QPoint origin = drawn.topLeft() - QPoint(1, 1);
    for (const QPoint p : {QPoint(1, 1), QPoint(50, 15), QPoint(98, 28)})
        EXPECT_EQ(page.pixel(origin + p), picture.pixel(p)) << p.x() << "," << p.y();
}

// ImageMagick plays the metafile: the picture at its size, the button's pixels
// where they belong.
TEST(WmfWriter, ImageMagickRendersItAtThePictureSize)
{
    SKIP_WITHOUT_TOOL("convert");
    const QImage picture = SamplePicture(100, 30, Background);
    QTemporaryDir dir;
    QFile file(dir.filePath("button.wmf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteWmf(picture, Transparent));
    file.close();
    const QString png = dir.filePath("button.png");
    const ToolResult result = RunTool("convert", {file.fileName(), png});
    if (result.exitCode != 0 && result.err.contains("no decode delegate"))
        GTEST_SKIP() << "skipped: this ImageMagick has no WMF reader";
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QImage rendered(png);
    ASSERT_EQ(rendered.size(), QSize(100, 30));
    const QRgb inside = rendered.pixel(50, 15), expected = picture.pixel(50, 15);
    EXPECT_NEAR(qRed(inside), qRed(expected), 2);
    EXPECT_NEAR(qGreen(inside), qGreen(expected), 2);
    EXPECT_NEAR(qBlue(inside), qBlue(expected), 2);
}

}  // namespace
