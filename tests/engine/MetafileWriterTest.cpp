#include "EmfWriter.h"
#include "ExportTestKit.h"
#include "ExternalTool.h"
#include "MaskPair.h"
#include "WmfWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QFile>
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
    const int mask = 2 * 14 + MaskDibBytes(w, h);  // 3 words + 11 parameter words + DIB
    const int color = 2 * 14 + ColorDibBytes(w, h);
    ASSERT_EQ(file.size(), 22 + 18 + 10 + 10 + mask + color + 6);
    uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= uint16_t(U16(file, i));
    // Placeable header (96 units per inch: a unit is a pixel of a 96-dpi
    // screen), metafile header, window origin and extent.
    ExpectFields(file, {{0, 4, 0x9AC6CDD7}, {10, 2, w}, {12, 2, h}, {14, 2, 96}, {20, 2, checksum},
                        {22, 2, 1}, {24, 2, 9}, {26, 2, 0x0300}, {28, 4, (file.size() - 22) / 2}, {34, 4, color / 2},
                        {40, 4, 5}, {44, 2, 0x020B}, {50, 4, 5}, {54, 2, 0x020C}, {56, 2, h}, {58, 2, w}});
    // The mask ANDed, then the picture ORed on: StretchDIBits records.
    ExpectFields(file, {{0, 4, mask / 2}, {4, 2, 0x0F43}, {6, 4, RopSrcAnd}, {12, 2, h}, {14, 2, w}, {20, 2, h}, {22, 2, w}, {28, 4, 40}}, 60);
    ExpectFields(file, {{0, 4, color / 2}, {4, 2, 0x0F43}, {6, 4, RopSrcPaint}, {12, 2, h}, {14, 2, w}, {20, 2, h}, {22, 2, w}, {28, 4, 40}}, 60 + mask);
    ExpectFields(file, {{0, 4, 3}, {4, 2, 0}}, 60 + mask + color);
}

TEST(EmfWriter, HeaderRecordsAndSizes)
{
    const int w = 100, h = 30;
    const QByteArray file = WriteEmf(SamplePicture(w, h, Background), Transparent);
    const int mask = 80 + MaskDibBytes(w, h), color = 80 + ColorDibBytes(w, h);
    ASSERT_EQ(file.size(), 108 + mask + color + 20);
    // Bounds inclusive, frame in 0.01 mm at 96 dpi, signature, version, size,
    // records, handles, device size in pixels and millimetres.
    ExpectFields(file, {{0, 4, 1}, {4, 4, 108}, {16, 4, w - 1}, {20, 4, h - 1}, {32, 4, 2645}, {36, 4, 793},
                        {40, 4, 0x464D4520}, {44, 4, 0x10000}, {48, 4, file.size()}, {52, 4, 4}, {56, 2, 1},
                        {72, 4, 1920}, {80, 4, 508}});
    for (const auto &[at, rop, bytes] : {std::tuple{108, RopSrcAnd, mask}, std::tuple{108 + mask, RopSrcPaint, color}}) {
        const uint32_t info = U32(file, at + 52);
        ExpectFields(file, {{0, 4, 81}, {4, 4, bytes}, {40, 4, w}, {44, 4, h}, {48, 4, 80}, {56, 4, 80 + info},
                            {60, 4, bytes - 80 - info}, {68, 4, rop}, {72, 4, w}, {76, 4, h}}, at);
    }
    ExpectFields(file, {{0, 4, 14}, {4, 4, 20}, {16, 4, 20}}, 108 + mask + color);
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

// Either metafile drawn on a white Draw page at 96 dpi: the button at its
// size in pixels with its own colours, and no pixel of the background colour,
// which lets the page show through.
TEST(Metafiles, LibreOfficeDrawsThePictureAtItsSizeWithTheBackgroundTransparent)
{
    SKIP_WITHOUT_TOOL("soffice");
    const QImage picture = SamplePicture(100, 30, Background);
    for (const auto &[name, bytes] : {std::pair{"button.wmf", WriteWmf(picture, Transparent)},
                                      std::pair{"button.emf", WriteEmf(picture, Transparent)}}) {
        QTemporaryDir dir;
        const QString png = ConvertWithLibreOffice(dir, name, bytes, "png");
        ASSERT_FALSE(png.isEmpty()) << name;
        const QImage page = QImage(png).convertToFormat(QImage::Format_RGB32);
        QRect drawn;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QRgb pixel = page.pixel(x, y) & 0xFFFFFF;
                ASSERT_NE(pixel, Background & 0xFFFFFF) << name << " " << x << "," << y;
                if (pixel != 0xFFFFFF)
                    drawn |= QRect(x, y, 1, 1);
            }
        ASSERT_EQ(drawn.size(), QSize(98, 28)) << name;  // the picture less its border of background
        const QPoint origin = drawn.topLeft() - QPoint(1, 1);
        for (const QPoint p : {QPoint(1, 1), QPoint(50, 15), QPoint(98, 28)})
            EXPECT_EQ(page.pixel(origin + p), picture.pixel(p)) << name << " " << p.x() << "," << p.y();
    }
}

}  // namespace
