// Our GIF files decoded by independent tools, and their files decoded by ours.
#include "ExternalTool.h"
#include "GIFExport.h"
#include "GifTestSupport.h"
#include "KitGIF.h"

#include <QFile>
#include <QTemporaryDir>
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

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Ppm(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray out = QByteArray("P6\n") + QByteArray::number(rgb.width()) + " " +
                     QByteArray::number(rgb.height()) + "\n255\n";
    for (int y = 0; y < rgb.height(); ++y)
        out.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
    return out;
}

// Pixels of raw RGB triplets, as 0xRRGGBB.
std::vector<uint32_t> FromRGBBytes(const QByteArray &bytes, qsizetype offset = 0)
{
    std::vector<uint32_t> out;
    for (qsizetype i = offset; i + 2 < bytes.size(); i += 3)
        out.push_back((static_cast<uint8_t>(bytes[i]) << 16) | (static_cast<uint8_t>(bytes[i + 1]) << 8) |
                      static_cast<uint8_t>(bytes[i + 2]));
    return out;
}

// Pixels of a binary PPM (P6, maxval 255).
std::vector<uint32_t> FromPpm(const QByteArray &ppm)
{
    // Header: magic, width, height, maxval, each followed by one blank.
    qsizetype pos = 0;
    for (int field = 0; field < 4; ++field) {
        while (pos < ppm.size() && !QChar(ppm[pos]).isSpace())
            ++pos;
        ++pos;
    }
    if (!ppm.startsWith("P6"))
        return {};
    return FromRGBBytes(ppm, pos);
}

// Our decoding of a file, frame by frame, as RGB pixels.
std::vector<std::vector<uint32_t>> OurFrames(const QByteArray &file, TGIFImage &gif)
{
    gif.ReadBytes(reinterpret_cast<const uint8_t *>(file.constData()), static_cast<size_t>(file.size()), true);
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
    QString Path(const QString &name) const { return dir_.filePath(name); }

    QString ExportButton(const QString &name, int width = 250, int height = 250)
    {
        const QString path = Path(name);
        ExportGIFToFile(MakeButtonLike(width, height), RGBToColor(0xC0, 0xC0, 0xC0), path);
        return path;
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(GIFCrossCheck, NetpbmDecodesOurExport)
{
    SKIP_WITHOUT_TOOL("giftopnm");
    const QString path = ExportButton("ours.gif");
    const ToolResult result = RunTool(FindTool("giftopnm"), {path});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(FromPpm(result.out), OurPixels(ReadFile(path)));
    EXPECT_FALSE(result.err.contains("error"));
}

TEST_F(GIFCrossCheck, GiflibDecodesOurExport)
{
    SKIP_WITHOUT_TOOL("gif2rgb");
    const QString path = ExportButton("ours.gif", 123, 45);
    const ToolResult result = RunTool(FindTool("gif2rgb"), {"-1", path});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(FromRGBBytes(result.out), OurPixels(ReadFile(path)));
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
    const QString path = Path("noise.gif");
    ExportGIFToFile(noise, RGBToColor(1, 2, 3), path);
    const ToolResult info = RunTool(FindTool("giftext"), {"-e", path});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains("Width = 200, Height = 200"));
    EXPECT_TRUE(info.out.contains("Has Global Color Map"));
    EXPECT_TRUE(info.out.contains("GIF file terminated normally"));

    const ToolResult dump = RunTool(FindTool("giftext"), {"-z", path});
    ASSERT_EQ(dump.exitCode, 0);
    std::vector<uint32_t> codes;
    for (const QByteArray &line : dump.out.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon != 5)  // code lines start with a five-digit offset
            continue;
        for (const QByteArray &word : line.mid(colon + 1).simplified().split(' '))
            codes.push_back(word.toUInt(nullptr, 16));
    }
    const size_t clearAt = 1 + (4094 - 257) + 1;
    ASSERT_GT(codes.size(), 2 * clearAt);
    EXPECT_EQ(codes.front(), 256u);
    EXPECT_EQ(codes[clearAt], 256u);
    EXPECT_EQ(codes[2 * clearAt], 256u);
    EXPECT_EQ(std::count(codes.begin(), codes.begin() + static_cast<long>(clearAt), 256u), 1);
}

TEST_F(GIFCrossCheck, GifsicleReadsOurExportAndFindsNoDifference)
{
    SKIP_WITHOUT_TOOL("gifsicle");
    SKIP_WITHOUT_TOOL("gifdiff");
    const QString path = ExportButton("ours.gif", 60, 40);
    const ToolResult info = RunTool(FindTool("gifsicle"), {"--info", path});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains("logical screen 60x40"));
    EXPECT_TRUE(info.out.contains("global color table [256]"));
    EXPECT_TRUE(info.out.contains("transparent"));
    const ToolResult copy = RunTool(FindTool("gifsicle"), {"--no-comments", path, "-o", Path("copy.gif")});
    ASSERT_EQ(copy.exitCode, 0);
    const ToolResult diff = RunTool(FindTool("gifdiff"), {path, Path("copy.gif")});
    EXPECT_EQ(diff.exitCode, 0) << diff.out.toStdString();
}

TEST_F(GIFCrossCheck, PILDecodesOurExport)
{
    SKIP_WITHOUT_PIL();
    const QString path = ExportButton("ours.gif", 90, 70);
    const ToolResult result = RunTool(
        kPython, {"-c",
                  "import sys; from PIL import Image; im = Image.open(sys.argv[1]); "
                  "sys.stdout.buffer.write(im.convert('RGB').tobytes()); "
                  "sys.stderr.write(str(im.info.get('transparency')))",
                  path});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(FromRGBBytes(result.out), OurPixels(ReadFile(path)));
}

TEST_F(GIFCrossCheck, WeDecodeNetpbmFilesInEveryMode)
{
    SKIP_WITHOUT_TOOL("pamtogif");
    const QImage source = FewColours(61, 37);
    WriteFile(Path("in.ppm"), Ppm(source));
    const QList<QStringList> modes = {{}, {"-nolzw"}, {"-noclear"}, {"-interlace"}, {"-nolzw", "-interlace"}};
    for (const QStringList &mode : modes) {
        const ToolResult result = RunTool(FindTool("pamtogif"), mode + QStringList{Path("in.ppm")});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        TGIFImage gif;
        const auto frames = OurFrames(result.out, gif);
        ASSERT_EQ(frames.size(), 1u) << mode.join(' ').toStdString();
        EXPECT_EQ(frames[0], Pixels(source)) << mode.join(' ').toStdString();
        EXPECT_EQ(gif.Frames[0]->Interlaced, mode.contains("-interlace"));
    }
}

TEST_F(GIFCrossCheck, WeDecodeGifsicleAnimationsWithCommentsAndLoops)
{
    SKIP_WITHOUT_TOOL("gifsicle");
    SKIP_WITHOUT_TOOL("pamtogif");
    const QImage first = FewColours(40, 30);
    const QImage second = first.mirrored(true, false);
    for (const auto &[name, image] : {std::pair{"a", first}, std::pair{"b", second}}) {
        WriteFile(Path(QString(name) + ".ppm"), Ppm(image));
        const ToolResult made = RunTool(FindTool("pamtogif"), {Path(QString(name) + ".ppm")});
        ASSERT_EQ(made.exitCode, 0);
        WriteFile(Path(QString(name) + ".gif"), made.out);
    }
    const ToolResult anim = RunTool(FindTool("gifsicle"),
                                    {"--loopcount=3", "--delay", "25", "--comment", "made by a tool",
                                     Path("a.gif"), "--interlace", Path("b.gif")});
    ASSERT_EQ(anim.exitCode, 0) << anim.err.toStdString();
    TGIFImage gif;
    const auto frames = OurFrames(anim.out, gif);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], Pixels(first));
    EXPECT_EQ(frames[1], Pixels(second));
    EXPECT_TRUE(gif.Looping);
    EXPECT_EQ(gif.RepeatCount, 3);
    EXPECT_EQ(gif.Frames[0]->AnimateInterval, 250);
    EXPECT_TRUE(gif.Frames[1]->Interlaced);
    const TStrings *comment = gif.Frames[0]->FindComment();
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(*comment, TStrings{"made by a tool"});

    // Optimised: later frames shrink to what changed, often with fewer code bits.
    const ToolResult optimised = RunTool(FindTool("gifsicle"), {"-O3", "--colors", "256"}, anim.out);
    ASSERT_EQ(optimised.exitCode, 0);
    TGIFImage small;
    const auto smallFrames = OurFrames(optimised.out, small);
    ASSERT_EQ(smallFrames.size(), 2u);
    EXPECT_EQ(smallFrames[0], Pixels(first));
    for (const auto &frame : small.Frames)
        EXPECT_FALSE(frame->Corrupted);
}

TEST_F(GIFCrossCheck, WeDecodeFramesWithFewerCodeBitsThanTableBits)
{
    SKIP_WITHOUT_TOOL("gifsicle");
    // Four colours used out of a 256-entry table: gifsicle writes code size 2.
    QImage indexed(16, 8, QImage::Format_Indexed8);
    QVector<QRgb> table;
    for (int i = 0; i < 256; ++i)
        table.push_back(qRgb(i, 255 - i, i / 2));
    indexed.setColorTable(table);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            indexed.setPixel(x, y, static_cast<uint>((x + y) % 4));
    TGIFImage ours;
    ours.AddFrame(indexed);
    const std::vector<uint8_t> file = ours.BuildFile();
    const ToolResult rewritten = RunTool(FindTool("gifsicle"), {"-O2"}, ToQByteArray(file));
    ASSERT_EQ(rewritten.exitCode, 0) << rewritten.err.toStdString();
    TGIFImage back;
    const auto frames = OurFrames(rewritten.out, back);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_LT(back.Frames[0]->Item->ImageData->at(0), 8);  // fewer code bits than the table's
    EXPECT_EQ(frames[0], Pixels(indexed));
}

TEST_F(GIFCrossCheck, WeDecodePILFiles)
{
    SKIP_WITHOUT_PIL();
    const QImage first = FewColours(50, 33);
    WriteFile(Path("a.ppm"), Ppm(first));
    WriteFile(Path("b.ppm"), Ppm(first.mirrored(false, true)));
    const ToolResult made = RunTool(
        kPython, {"-c",
                  "import sys; from PIL import Image; a = Image.open(sys.argv[1]); b = Image.open(sys.argv[2]); "
                  "a.save(sys.argv[3], interlace=True); "
                  "a.save(sys.argv[4], save_all=True, append_images=[b], loop=0, duration=[70, 120], "
                  "comment=b'from PIL', optimize=True)",
                  Path("a.ppm"), Path("b.ppm"), Path("single.gif"), Path("anim.gif")});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();

    TGIFImage single;
    const auto singleFrames = OurFrames(ReadFile(Path("single.gif")), single);
    ASSERT_EQ(singleFrames.size(), 1u);
    EXPECT_EQ(singleFrames[0], Pixels(first));
    EXPECT_TRUE(single.Frames[0]->Interlaced);

    TGIFImage anim;
    const auto frames = OurFrames(ReadFile(Path("anim.gif")), anim);
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
    const auto reference = [this](const QString &file, int frame) {
        const ToolResult r = RunTool(kImageMagick, {QString("%1[%2]").arg(Path(file)).arg(frame), "ppm:-"});
        return FromPpm(r.out);
    };
    const QImage first = FewColours(45, 28);
    WriteFile(Path("a.ppm"), Ppm(first));
    WriteFile(Path("b.ppm"), Ppm(first.mirrored(true, true)));
    const ToolResult plain = RunTool(kImageMagick, {Path("a.ppm"), Path("plain.gif")});
    ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    EXPECT_EQ(OurPixels(ReadFile(Path("plain.gif"))), reference("plain.gif", 0));

    const ToolResult anim = RunTool(kImageMagick, {"-delay", "10", "-loop", "0", "-interlace", "GIF",
                                                   Path("a.ppm"), Path("b.ppm"), Path("anim.gif")});
    ASSERT_EQ(anim.exitCode, 0) << anim.err.toStdString();
    TGIFImage gif;
    const auto frames = OurFrames(ReadFile(Path("anim.gif")), gif);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], reference("anim.gif", 0));
    EXPECT_EQ(frames[1], reference("anim.gif", 1));
    EXPECT_EQ(frames[0].size(), 45u * 28u);
    EXPECT_TRUE(gif.Frames[0]->Interlaced);
    EXPECT_TRUE(gif.Looping);
    EXPECT_EQ(gif.Frames[1]->AnimateInterval, 100);
}

TEST_F(GIFCrossCheck, OurRewriteOfToolFilesStaysReadable)
{
    SKIP_WITHOUT_TOOL("pamtogif");
    SKIP_WITHOUT_TOOL("giftopnm");
    const QImage source = FewColours(33, 21);
    WriteFile(Path("in.ppm"), Ppm(source));
    const ToolResult made = RunTool(FindTool("pamtogif"), {"-interlace", "-comment", "hello", Path("in.ppm")});
    ASSERT_EQ(made.exitCode, 0);
    TGIFImage gif;
    OurFrames(made.out, gif);
    const std::vector<uint8_t> rewritten = gif.BuildFile();
    WriteFile(Path("rewritten.gif"), ToQByteArray(rewritten));
    const ToolResult decoded = RunTool(FindTool("giftopnm"), {Path("rewritten.gif")});
    ASSERT_EQ(decoded.exitCode, 0) << decoded.err.toStdString();
    EXPECT_EQ(FromPpm(decoded.out), Pixels(source));
}
