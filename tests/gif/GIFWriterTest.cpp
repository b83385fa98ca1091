#include "KitGIF.h"

#include "ErrorOf.h"
#include "GifTestSupport.h"
#include "LittleEndian.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage Solid(int width, int height, uint32_t rgb)
{
    return MakeRGB(width, height, [rgb](int, int) { return rgb; });
}

// A two-colour indexed picture: encoded without reduction, table of 256.
QImage Indexed(int width, int height)
{
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, static_cast<uint>((x + y) % 2));
    return image;
}

// Offset of the first byte after the header, screen and global table.
size_t AfterGlobalTable(const Bytes &file)
{
    return 13 + ((file[10] & 0x80) ? 3u << ((file[10] & 7) + 1) : 0u);
}

std::string TextOf(const Bytes &file, size_t from, size_t length)
{
    return std::string(file.begin() + long(from), file.begin() + long(from + length));
}

Bytes Find(const Bytes &file, const Bytes &part, size_t from = 0)
{
    const auto it = std::search(file.begin() + static_cast<long>(from), file.end(), part.begin(), part.end());
    return it == file.end() ? Bytes() : Bytes(it, file.end());
}

}  // namespace

// A plain frame is GIF87a without extensions; a loop block needs two
// frames; comment lines continue in further sub-blocks; the screen takes the
// frames' size and the background the first entry of its colour.
TEST(GIFWriter, VersionLoopCommentAndScreenBytes)
{
    TGIFImage gif;
    gif.AddFrame(Solid(3, 2, 0xFF0000));
    gif.Looping = true;
    Bytes file = gif.BuildFile();
    EXPECT_EQ(TextOf(file, 0, 6), "GIF87a");
    EXPECT_EQ(file[10], 0xF7);
    EXPECT_EQ(file[AfterGlobalTable(file)], 0x2C);
    EXPECT_EQ(file.back(), 0x3B);

    gif.AddFrame(Solid(1, 1, 0));
    gif.RepeatCount = 0;
    gif.Data->Comment = {std::string(300, 'c'), "", "end"};
    file = gif.BuildFile();
    EXPECT_EQ(TextOf(file, 0, 6), "GIF89a");
    const Bytes loop = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
    EXPECT_EQ(Bytes(file.begin() + long(AfterGlobalTable(file)), file.begin() + long(AfterGlobalTable(file) + loop.size())), loop);
    EXPECT_EQ(Find(file, {0x21, 0xFE, 255}),
              Concat({{0x21, 0xFE, 255}, Bytes(255, 'c'), {45}, Bytes(45, 'c'), {3, 'e', 'n', 'd', 0, 0x3B}}));

    // A file read with a larger screen is written with the frames' size.
    file[6] = 50;
    TGIFImage read;
    read.ReadBytes(file.data(), file.size(), true);
    EXPECT_EQ(read.ScreenWidth, 50);
    EXPECT_EQ(GetLE16(&read.BuildFile()[6]), 3u);

    TGIFImage indexed;
    indexed.AddFrame(Indexed(2, 2));
    indexed.EncodeAllFrames();
    indexed.Data->ColorMap.Colors[5] = indexed.Data->ColorMap.Colors[9] = {9, 8, 7};
    for (const auto &[background, index] : {std::pair{RGBToColor(9, 8, 7), 5}, std::pair{RGBToColor(9, 9, 9), 0}}) {
        indexed.BackgroundColor = background;
        EXPECT_EQ(indexed.BuildFile()[11], index);
    }
}

TEST(GIFWriter, WriteDataPrefixesTheLength)
{
    TGIFImage gif;
    gif.AddFrame(Solid(2, 2, 0x336699));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    gif.WriteData(buffer);
    const Bytes written = ToBytes(buffer.data());
    const Bytes file = gif.BuildFile();
    EXPECT_EQ(GetLE32(written.data()), file.size());
    EXPECT_EQ(Bytes(written.begin() + 4, written.end()), file);

    QBuffer reread(&buffer.buffer());
    reread.open(QIODevice::ReadOnly);
    TGIFImage back;
    back.ReadData(reread);
    EXPECT_EQ(back.GetCount(), 1);
}

TEST(GIFWriter, ScreenShrinksToTheFramesOnRewrite)
{
    TGIFImage gif;
    gif.AddFrame(Solid(3, 2, 0));
    Bytes file = gif.BuildFile();
    file[6] = 50;  // screen width 50
    file[8] = 40;
    TGIFImage read;
    read.ReadBytes(file.data(), file.size(), true);
    EXPECT_EQ(read.ScreenWidth, 50);
    const Bytes rewritten = read.BuildFile();
    EXPECT_EQ(GetLE16(&rewritten[6]), 3u);
    EXPECT_EQ(GetLE16(&rewritten[8]), 2u);
}

TEST(GIFWriter, RewriteKeepsATransparentIndexWhoseColourIsRepeated)
{
    // Entries 1 and 3 are both black; the file makes entry 3 transparent, so
    // the pixel of index 1 stays visible and must stay so when written again.
    Bytes screen = {2, 0, 1, 0, 0x91, 0, 0};
    screen.insert(screen.end(), {0, 0, 0x50, 0, 0, 0, 9, 9, 9, 0, 0, 0});
    const Bytes gce = {0x21, 0xF9, 4, 1, 0, 0, 3, 0};
    const Bytes image = {0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0};
    // Codes of 3 bits: clear 4, pixels 1 and 3, end 5.
    const Bytes data = {2, 2, 0xCC, 0x0A, 0};
    const Bytes file = Concat({{'G', 'I', 'F', '8', '9', 'a'}, screen, gce, image, data, {0x3B}});
    TGIFImage read;
    read.ReadBytes(file.data(), file.size(), true);
    ASSERT_EQ(read.GetCount(), 1);
    EXPECT_EQ(read.Frames[0]->GetBitmap().pixelIndex(1, 0), 3);
    const Bytes rewritten = read.BuildFile();
    EXPECT_EQ(rewritten, file);
    // A colour the indexed entry no longer holds is looked up again.
    read.Frames[0]->SetTransparentColor(RGBToColor(9, 9, 9));
    const Bytes changed = read.BuildFile();
    EXPECT_EQ(Bytes(changed.begin() + 25, changed.begin() + 33), (Bytes{0x21, 0xF9, 4, 1, 0, 0, 2, 0}));
}

TEST(GIFWriter, LocalTableIsPaddedToItsAnnouncedSize)
{
    TGIFImage gif;
    gif.AddFrame(Indexed(2, 2));
    gif.AddFrame(Indexed(2, 2));
    gif.EncodeAllFrames();
    TGIFColorTable &local = gif.Frames[1]->Item->ColorMap;
    local.Count = 3;  // announced as 4 entries
    local.Colors[3] = {1, 2, 3};
    const Bytes file = gif.BuildFile();
    TGIFImage back;
    back.ReadBytes(file.data(), file.size(), true);
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_EQ(back.Frames[1]->Item->ColorMap.Count, 4);
    EXPECT_EQ(back.Frames[1]->Item->ColorMap.Color(3), 0);
    EXPECT_EQ(Pixels(back.Frames[1]->GetBitmap()), Pixels(Indexed(2, 2)));
}

TEST(GIFWriter, ResavedFrameGetsItsMissingTerminator)
{
    TGIFImage gif;
    gif.AddFrame(Solid(4, 4, 0x00FF00));
    Bytes file = gif.BuildFile();
    file.resize(file.size() - 2);  // drop the terminator and the trailer
    TGIFImage read;
    read.ReadBytes(file.data(), file.size(), true);
    ASSERT_EQ(read.GetCount(), 1);
    const Bytes rewritten = read.BuildFile();
    EXPECT_EQ(rewritten, gif.BuildFile());
}

TEST(GIFWriter, FailuresAreReportedAndLeaveTheOldFile)
{
    TGIFImage gif;
    gif.AddFrame(Solid(1, 1, 0));
    QBuffer closed;
    EXPECT_EQ(ErrorOf<EWriteError>([&] { gif.SaveToStream(closed); }), "Stream write error");
    gif.EncodeAllFrames();
    gif.Data->ColorMap.Count = 100;
    EXPECT_EQ(ErrorOf<EInvalidGraphicOperation>([&] { gif.BuildFile(); }), "Wrong number of colors; must be a power of 2");

    QTemporaryDir dir;
    const QString path = dir.filePath("old.gif");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    EXPECT_EQ(ErrorOf<EInvalidGraphicOperation>([&] { TGIFImage().SaveToFile(path); }), "No GIF Data to write");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("previous"));
}
