#include "GIFExport.h"

#include "Exceptions.h"
#include "GifTestSupport.h"
#include "KitGIF.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const Bytes kSignature89 = {'G', 'I', 'F', '8', '9', 'a'};

Bytes GreyTail(int usedEntries) { return Repeat({0x80, 0x80, 0x80}, 256 - usedEntries); }

Bytes GraphicControl(uint8_t packed, uint8_t index) { return {0x21, 0xF9, 4, packed, 0, 0, index, 0}; }

Bytes Descriptor(int width, int height)
{
    return {0x2C, 0, 0, 0, 0, static_cast<uint8_t>(width), 0, static_cast<uint8_t>(height), 0, 0};
}

}  // namespace

TEST(GIFExport, OnePixelWithAndWithoutTheBackgroundColour)
{
    const QImage pixel = MakeRGB(1, 1, [](int, int) -> uint32_t { return 0x123456; });
    // The transparent flag is set only when the palette holds the background.
    for (const auto &[background, flag] : {std::pair{RGBToColor(0x12, 0x34, 0x56), 1}, std::pair{RGBToColor(1, 2, 3), 0}}) {
        const Bytes file = ToBytes(ExportGIF(pixel, background));
        const Bytes expected = Concat({kSignature89,
                                       {1, 0, 1, 0, 0xF7, 0, 0},
                                       {0x12, 0x34, 0x56},
                                       GreyTail(1),
                                       GraphicControl(static_cast<uint8_t>(flag), 0),
                                       Descriptor(1, 1),
                                       {8, 4, 0x00, 0x01, 0x04, 0x04, 0},
                                       {0x3B}});
        EXPECT_EQ(file, expected) << "flag " << flag;
    }
}

TEST(GIFExport, FewPixelsWithTheBackgroundSecondMostFrequent)
{
    // Top row: red, red, blue; bottom row: green, blue, blue (scan starts there).
    const QImage image = MakeRGB(3, 2, [](int x, int y) -> uint32_t {
        if (y == 0)
            return x < 2 ? 0xFF0000 : 0x0000FF;
        return x == 0 ? 0x00FF00 : 0x0000FF;
    });
    const Bytes file = ToBytes(ExportGIF(image, RGBToColor(0xFF, 0, 0)));
    // Palette by pixel count: blue (3), red (2), green (1).
    const Bytes palette = Concat({{0, 0, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0}, GreyTail(3)});
    const Bytes head = Concat({kSignature89, {3, 0, 2, 0, 0xF7, 1, 0}, palette, GraphicControl(1, 1),
                               Descriptor(3, 2)});
    ASSERT_GT(file.size(), head.size());
    EXPECT_EQ(Bytes(file.begin(), file.begin() + static_cast<long>(head.size())), head);
    // Indexes top row first: 1 1 0 / 2 0 0.
    const CodeTrace trace = TraceCodes(Bytes(file.begin() + static_cast<long>(head.size()), file.end() - 1));
    EXPECT_EQ(trace.minCodeSize, 8);
    EXPECT_EQ(trace.codes, (std::vector<uint32_t>{256, 1, 1, 0, 2, 0, 0, 257}));
    EXPECT_EQ(file.back(), 0x3B);
}

TEST(GIFExport, GreyBackgroundMatchesTheFillerEntry)
{
    // The unused entries are grey, so a grey background absent from the
    // picture still finds an entry (the first filler) and is marked.
    const QImage pixel = MakeRGB(1, 1, [](int, int) -> uint32_t { return 0x000000; });
    const Bytes file = ToBytes(ExportGIF(pixel, RGBToColor(0x80, 0x80, 0x80)));
    EXPECT_EQ(file[11], 1);  // background index
    const size_t gce = 13 + 768;
    EXPECT_EQ(Bytes(file.begin() + gce, file.begin() + gce + 8), GraphicControl(1, 1));
}

TEST(GIFExport, NullBitmapIsNotValid)
{
    try {
        ExportGIF(QImage(), 0);
        FAIL();
    } catch (const EInvalidGraphic &e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
}

TEST(GIFExport, DecodesBackToThePixels)
{
    // 200 colours: the reduction keeps them all, so the pixels come back exactly.
    const QImage image = MakeRGB(97, 41, [](int x, int y) -> uint32_t {
        return 0x010203u * static_cast<uint32_t>((x * 7 + y * 13) % 200);
    });
    const QByteArray bytes = ExportGIF(image, RGBToColor(0x0A, 0x14, 0x1E));
    TGIFImage back;
    back.ReadBytes(reinterpret_cast<const uint8_t *>(bytes.constData()), static_cast<size_t>(bytes.size()), true);
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.Frames[0]->TransparentColor, RGBToColor(0x0A, 0x14, 0x1E));
    EXPECT_EQ(back.GetBitmap().format(), QImage::Format_Indexed8);
    EXPECT_EQ(Pixels(back.GetBitmap()), Pixels(image));
}

TEST(GIFExport, FileIsWrittenAndAFailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("button.gif");
    const QImage image = MakeButtonLike(20, 10);
    ExportGIFToFile(image, 0xC0C0C0, path);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray first = written.readAll();
    written.close();
    EXPECT_EQ(first, ExportGIF(image, 0xC0C0C0));

    EXPECT_THROW(ExportGIFToFile(QImage(), 0, path), EInvalidGraphic);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), first);
    written.close();

    EXPECT_THROW(ExportGIFToFile(image, 0, dir.filePath("missing/folder/x.gif")), EStreamError);
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/folder/x.gif")));
}
