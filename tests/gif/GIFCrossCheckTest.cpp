// Our GIF files decoded by independent tools, and their files decoded by ours.
#include "ExternalTool.h"
#include "GIFExport.h"
#include "GifTestSupport.h"
#include "KitGIF.h"
#include "StreamBytes.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const char *kPython = "/usr/bin/python3";
const char *kImageMagick = "/usr/bin/convert";

#define SKIP_WITHOUT_PIL()                                                                         \
    do {                                                                                           \
        SKIP_WITHOUT_TOOL(kPython);                                                                \
        if (RunTool(kPython, {"-c", "import PIL"}).exitCode != 0)                                  \
            GTEST_SKIP() << "skipped: Python's PIL is not installed";                              \
    } while (0)

// What a tool printed; a failure of the tool fails the test.
QByteArray Output(const QString &tool, const QStringList &args, const QByteArray &input = {})
{
    const ToolResult result = RunTool(FindTool(tool).isEmpty() ? tool : FindTool(tool), args, input);
    EXPECT_EQ(result.exitCode, 0) << tool.toStdString() << ": " << result.err.toStdString();
    return result.out;
}

QByteArray Ppm(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray out = "P6\n" + QByteArray::number(rgb.width()) + " " + QByteArray::number(rgb.height()) + "\n255\n";
    for (int y = 0; y < rgb.height(); ++y)
        out.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
    return out;
}

// Pixels of raw RGB triplets from offset, as 0xRRGGBB; of a binary PPM after
// its four header fields.
std::vector<uint32_t> FromRGBBytes(const QByteArray &bytes, qsizetype offset = 0)
{
    std::vector<uint32_t> out;
    for (qsizetype i = offset; i + 2 < bytes.size(); i += 3)
        out.push_back(uint32_t(uint8_t(bytes[i])) << 16 | uint32_t(uint8_t(bytes[i + 1])) << 8 | uint8_t(bytes[i + 2]));
    return out;
}

std::vector<uint32_t> FromPpm(const QByteArray &ppm)
{
    qsizetype pos = 0;
    for (int field = 0; field < 4; ++field)
        pos = QString::fromLatin1(ppm.left(64)).indexOf(QRegularExpression("\\s"), pos) + 1;
    return ppm.startsWith("P6") ? FromRGBBytes(ppm, pos) : std::vector<uint32_t>();
}

// Our decoding of a file, frame by frame.
std::vector<std::vector<uint32_t>> OurFrames(const QByteArray &file, TGIFImage &gif)
{
    gif.ReadBytes(reinterpret_cast<const uint8_t *>(file.constData()), size_t(file.size()), true);
    std::vector<std::vector<uint32_t>> frames;
    for (const auto &frame : gif.Frames)
        frames.push_back(Pixels(frame->GetBitmap()));
    return frames;
}

std::vector<uint32_t> OurPixels(const QByteArray &file)
{
    TGIFImage gif;
    const auto frames = OurFrames(file, gif);
    return frames.empty() ? std::vector<uint32_t>() : frames.front();
}

// A picture of at most 256 colours, so that every tool must agree exactly.
QImage FewColours(int width, int height)
{
    return MakeRGB(width, height, [](int x, int y) -> uint32_t {
        const uint32_t v = static_cast<uint32_t>((x / 3 + y * 5 + (x * y) % 7) % 240);
        return (v << 16) | ((255 - v) << 8) | ((v * 3) & 0xFF);
    });
}

class GIFCrossCheck : public ::testing::Test {
protected:
    QString Path(const char *name) const { return QtFilePath(dir.Path(name)); }
    QString Write(const char *name, const QByteArray &bytes) const
    {
        WriteFileText(dir.Path(name), bytes.toStdString());
        return Path(name);
    }
    QByteArray Read(const char *name) const { return QByteArray::fromStdString(FileText(dir.Path(name))); }
    QString ExportButton(int width, int height)
    {
        ExportGIFToFile(MakeButtonLike(width, height), RGBToColor(0xC0, 0xC0, 0xC0), Path("ours.gif"));
        return Path("ours.gif");
    }
    TTempFolder dir;
};

TEST_F(GIFCrossCheck, NetpbmGiflibAndPILDecodeOurExport)
{
    SKIP_WITHOUT_TOOL("giftopnm");
    SKIP_WITHOUT_TOOL("gif2rgb");
    SKIP_WITHOUT_PIL();
    const QString path = ExportButton(123, 45);
    const std::vector<uint32_t> ours = OurPixels(Read("ours.gif"));
    ASSERT_EQ(ours.size(), 123u * 45u);
    EXPECT_EQ(FromPpm(Output("giftopnm", {path})), ours);
    EXPECT_EQ(FromRGBBytes(Output("gif2rgb", {"-1", path})), ours);
    EXPECT_EQ(FromRGBBytes(Output(kPython, {"-c",
                                         "import sys; from PIL import Image; "
                                         "sys.stdout.buffer.write(Image.open(sys.argv[1]).convert('RGB').tobytes())",
                                         path})),
              ours);
}

TEST_F(GIFCrossCheck, GiftextSeesTheExportLayoutAndClearPlacement)
{
    SKIP_WITHOUT_TOOL("giftext");
    // 256 grey levels of noise: kept exactly, and varied enough to fill the table.
    uint32_t seed = 7;
    const QImage noise = MakeRGB(200, 200, [&seed](int, int) -> uint32_t {
        seed = seed * 1103515245u + 12345u;
        return 0x010101u * ((seed >> 16) & 0xFF);
    });
    ExportGIFToFile(noise, RGBToColor(1, 2, 3), Path("noise.gif"));
    const QByteArray info = Output("giftext", {"-e", Path("noise.gif")});
    for (const char *line : {"Width = 200, Height = 200", "Has Global Color Map", "GIF file terminated normally"})
        EXPECT_TRUE(info.contains(line)) << line;
    std::vector<uint32_t> codes;
    for (const QByteArray &line : Output("giftext", {"-z", Path("noise.gif")}).split('\n'))
        if (line.indexOf(':') == 5)  // code lines start with a five-digit offset
            for (const QByteArray &word : line.mid(6).simplified().split(' '))
                codes.push_back(word.toUInt(nullptr, 16));
    const size_t clearAt = 1 + (4094 - 257) + 1;
    ASSERT_GT(codes.size(), 2 * clearAt);
    EXPECT_EQ(codes.front(), 256u);
    EXPECT_EQ(codes[clearAt], 256u);
    EXPECT_EQ(codes[2 * clearAt], 256u);
    EXPECT_EQ(std::count(codes.begin(), codes.begin() + long(clearAt), 256u), 1);
}

TEST_F(GIFCrossCheck, GifsicleReadsOurExportAndFindsNoDifference)
{
    SKIP_WITHOUT_TOOL("gifsicle");
    SKIP_WITHOUT_TOOL("gifdiff");
    const QString path = ExportButton(60, 40);
    const QByteArray info = Output("gifsicle", {"--info", path});
    for (const char *line : {"logical screen 60x40", "global color table [256]", "transparent"})
        EXPECT_TRUE(info.contains(line)) << line;
    Output("gifsicle", {"--no-comments", path, "-o", Path("copy.gif")});
    Output("gifdiff", {path, Path("copy.gif")});
}

TEST_F(GIFCrossCheck, WeDecodeNetpbmFilesInEveryModeAndTheirRewriteStaysReadable)
{
    SKIP_WITHOUT_TOOL("pamtogif");
    SKIP_WITHOUT_TOOL("giftopnm");
    const QImage source = FewColours(61, 37);
    Write("in.ppm", Ppm(source));
    for (const QStringList &mode : QList<QStringList>{{}, {"-nolzw"}, {"-noclear"}, {"-interlace"}, {"-nolzw", "-interlace"}}) {
        TGIFImage gif;
        const auto frames = OurFrames(Output("pamtogif", mode + QStringList{Path("in.ppm")}), gif);
        ASSERT_EQ(frames.size(), 1u) << mode.join(' ').toStdString();
        EXPECT_EQ(frames[0], Pixels(source)) << mode.join(' ').toStdString();
        EXPECT_EQ(gif.Frames[0]->Interlaced, mode.contains("-interlace"));
    }
    TGIFImage gif;
    OurFrames(Output("pamtogif", {"-interlace", "-comment", "hello", Path("in.ppm")}), gif);
    Write("rewritten.gif", ToQByteArray(gif.BuildFile()));
    EXPECT_EQ(FromPpm(Output("giftopnm", {Path("rewritten.gif")})), Pixels(source));
}

TEST_F(GIFCrossCheck, WeDecodeGifsicleAnimationsAndOptimisedFrames)
{
    SKIP_WITHOUT_TOOL("gifsicle");
    SKIP_WITHOUT_TOOL("pamtogif");
    const QImage first = FewColours(40, 30), second = first.mirrored(true, false);
    Write("a.gif", Output("pamtogif", {Write("a.ppm", Ppm(first))}));
    Write("b.gif", Output("pamtogif", {Write("b.ppm", Ppm(second))}));
    const QByteArray anim = Output("gifsicle", {"--loopcount=3", "--delay", "25", "--comment", "made by a tool", Path("a.gif"),
                                             "--interlace", Path("b.gif")});
    TGIFImage gif;
    EXPECT_EQ(OurFrames(anim, gif), (std::vector<std::vector<uint32_t>>{Pixels(first), Pixels(second)}));
    EXPECT_TRUE(gif.Looping);
    EXPECT_EQ(gif.RepeatCount, 3);
    EXPECT_EQ(gif.Frames[0]->AnimateInterval, 250);
    EXPECT_TRUE(gif.Frames[1]->Interlaced);
    ASSERT_NE(gif.Frames[0]->FindComment(), nullptr);
    EXPECT_EQ(*gif.Frames[0]->FindComment(), TStrings{"made by a tool"});

    // Optimised: later frames shrink to what changed, often with fewer code bits.
    TGIFImage small;
    const auto smallFrames = OurFrames(Output("gifsicle", {"-O3", "--colors", "256"}, anim), small);
    ASSERT_EQ(smallFrames.size(), 2u);
    EXPECT_EQ(smallFrames[0], Pixels(first));
    for (const auto &frame : small.Frames)
        EXPECT_FALSE(frame->Corrupted);

    // Four colours used out of a 256-entry table: gifsicle writes code size 2.
    QImage indexed(16, 8, QImage::Format_Indexed8);
    QVector<QRgb> table;
    for (int i = 0; i < 256; ++i)
        table.push_back(qRgb(i, 255 - i, i / 2));
    indexed.setColorTable(table);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            indexed.setPixel(x, y, static_cast<uint>((x + y) % 4));
    TGIFImage ours, back;
    ours.AddFrame(indexed);
    EXPECT_EQ(OurFrames(Output("gifsicle", {"-O2"}, ToQByteArray(ours.BuildFile())), back),
              std::vector<std::vector<uint32_t>>{Pixels(indexed)});
    EXPECT_LT(back.Frames[0]->Item->ImageData->at(0), 8);  // fewer code bits than the table's
}

TEST_F(GIFCrossCheck, WeDecodePILFiles)
{
    SKIP_WITHOUT_PIL();
    const QImage first = FewColours(50, 33);
    Output(kPython, {"-c",
                  "import sys; from PIL import Image; a = Image.open(sys.argv[1]); b = Image.open(sys.argv[2]); "
                  "a.save(sys.argv[3], interlace=True); "
                  "a.save(sys.argv[4], save_all=True, append_images=[b], loop=0, duration=[70, 120], "
                  "comment=b'from PIL', optimize=True)",
                  Write("a.ppm", Ppm(first)), Write("b.ppm", Ppm(first.mirrored(false, true))), Path("single.gif"),
                  Path("anim.gif")});
    TGIFImage single, anim;
    EXPECT_EQ(OurFrames(Read("single.gif"), single), std::vector<std::vector<uint32_t>>{Pixels(first)});
    EXPECT_TRUE(single.Frames[0]->Interlaced);
    const auto frames = OurFrames(Read("anim.gif"), anim);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], Pixels(first));
    EXPECT_TRUE(anim.Looping);
    EXPECT_EQ(anim.RepeatCount, 0);
    EXPECT_EQ(anim.Frames[0]->AnimateInterval, 70);
    EXPECT_EQ(anim.Frames[1]->AnimateInterval, 120);
}

TEST_F(GIFCrossCheck, WeDecodeImageMagickFiles)
{
    SKIP_WITHOUT_TOOL(kImageMagick);
    // ImageMagick may dither while it writes, so its own reading of each
    // frame is the reference.
    const auto reference = [this](const char *file, int frame) {
        return FromPpm(Output(kImageMagick, {QString("%1[%2]").arg(Path(file)).arg(frame), "ppm:-"}));
    };
    const QImage first = FewColours(45, 28);
    Write("a.ppm", Ppm(first));
    Write("b.ppm", Ppm(first.mirrored(true, true)));
    Output(kImageMagick, {Path("a.ppm"), Path("plain.gif")});
    EXPECT_EQ(OurPixels(Read("plain.gif")), reference("plain.gif", 0));
    Output(kImageMagick, {"-delay", "10", "-loop", "0", "-interlace", "GIF", Path("a.ppm"), Path("b.ppm"), Path("anim.gif")});
    TGIFImage gif;
    const auto frames = OurFrames(Read("anim.gif"), gif);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], reference("anim.gif", 0));
    EXPECT_EQ(frames[1], reference("anim.gif", 1));
    EXPECT_EQ(frames[0].size(), 45u * 28u);
    EXPECT_TRUE(gif.Frames[0]->Interlaced);
    EXPECT_TRUE(gif.Looping);
    EXPECT_EQ(gif.Frames[1]->AnimateInterval, 100);
}

}  // namespace
