#include "KitGIF.h"

#include "ErrorOf.h"
#include "GifFileBuilder.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

void Load(TGIFImage &gif, const Bytes &file) { gif.ReadBytes(file.data(), file.size(), true); }

Bytes OnePixelFile(const Bytes &extensions = {}, const Bytes &afterImage = {})
{
    return Concat({Header(), Screen(1, 1, 2), extensions, ImageDescriptor(1, 1), EightBitData({1}), afterImage,
                   Trailer()});
}

Bytes FrameOf(int width, int height)
{
    return Concat({Header(), Screen(1, 1, 2), ImageDescriptor(width, height), EightBitData({1}), Trailer()});
}

Bytes Cut(const Bytes &file, size_t size) { return Bytes(file.begin(), file.begin() + long(size)); }

// 300 single-pixel codes: two sub-blocks, the first full.
Bytes TwoSubBlocks()
{
    std::vector<std::pair<uint32_t, int>> codes = {{256, 9}};
    for (int i = 0; i < 300; ++i)
        codes.push_back({uint32_t(i % 4), codes.size() <= 255 ? 9 : 10});  // the table reaches 512 after code 255
    return Concat({ImageDescriptor(300, 1), PackCodes(8, codes)});
}

TEST(GIFReader, BadFilesEndInTheirErrorAndKeepTheFramesReadBefore)
{
    const Bytes whole = OnePixelFile(Concat({GraphicControlBlock(1, 0, 0), CommentBlock("abc")}));
    Bytes lowerCase = OnePixelFile();
    std::copy_n("gif87A", 6, lowerCase.begin());
    const Bytes stray = Concat({Header(), Screen(1, 1, 2), {'X'}, ImageDescriptor(1, 1), EightBitData({1})});
    const Bytes twoBlocks = TwoSubBlocks();
    struct TCase {
        const char *what;
        Bytes file;
        std::string error;
        int frames;
    };
    std::vector<TCase> cases = {
        {"nothing", {}, "", 0},
        {"lower-case signature", lowerCase, "", 1},
        {"unknown extension", OnePixelFile({0x21, 0x99, 0}), "Unrecognized extension block: 99", 0},
        {"stray byte between blocks", stray, "Stream read error", 0},
        {"stray bytes after an image", Concat({Header(), Screen(1, 1, 2), ImageDescriptor(1, 1), EightBitData({1}), {'X', 'Y'}}),
         "", 1},
        {"no colour table", Concat({Header(), Screen(1, 1, 0), ImageDescriptor(1, 1), EightBitData({1}), Trailer()}),
         "Wrong number of colors; must be a power of 2", 0},
        {"65535 x 65535", FrameOf(65535, 65535), "GIF image is too large", 0},
        {"4097 x 4096", FrameOf(4097, 4096), "GIF image is too large", 0},
        {"4096 x 4096", FrameOf(4096, 4096), "", 1},
        {"65535 x 256", FrameOf(65535, 256), "", 1},
        {"no size and no end code",
         Concat({Header(), Screen(0, 0, 2), ImageDescriptor(0, 0), PackCodes(2, {{4, 3}, {1, 3}}, false)}),
         "Stream read error", 0},
        {"first frame cut in its second sub-block",
         Cut(Concat({Header(), Screen(300, 1, 2), twoBlocks}), 6 + 7 + 12 + twoBlocks.size() - 20), "Stream read error", 0}};
    for (const char *signature : {"GIF88a", "GIX89a", "GIF89b"}) {
        Bytes file = OnePixelFile();
        std::copy_n(signature, 6, file.begin());
        cases.push_back({signature, file, "Unknown GIF version", 0});
    }
    // Cut inside the screen, the global table, the control block, the comment and the descriptor.
    for (size_t size : {8u, 15u, 27u, 34u, 37u, 45u})
        cases.push_back({"cut", Cut(whole, size), "Stream read error", 0});
    for (const TCase &c : cases) {
        TGIFImage gif;
        EXPECT_EQ(ErrorOf([&] { Load(gif, c.file); }), c.error) << c.what;
        EXPECT_EQ(gif.GetCount(), c.frames) << c.what;
    }

    QByteArray bytes = ToQByteArray(OnePixelFile());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TGIFImage gif;
    EXPECT_EQ(ErrorOf<EReadError>([&] { gif.ReadStream(bytes.size() + 1, buffer, true); }), "Stream read error");
}

TEST(GIFReader, ExtensionsGiveCommentsLoopsDelaysAndTransparency)
{
    TGIFImage gif;
    Load(gif, OnePixelFile(CommentBlock("mine"), Concat({CommentBlock("first"), CommentBlock("second")})));
    EXPECT_EQ(*gif.Frames[0]->FindComment(), TStrings{"mine"});
    EXPECT_EQ(gif.Data->Comment, (TStrings{"first", "\r\n\r\n", "second"}));

    const std::pair<Bytes, std::pair<bool, int>> loops[] = {
        {LoopBlock(40000), {true, 30000}}, {LoopBlock(7), {true, 7}}, {LoopBlock(7, 10), {false, 1}}, {LoopBlock(7, 200), {false, 1}}};
    for (const auto &[block, loop] : loops) {
        TGIFImage looping;
        Load(looping, OnePixelFile(block));
        EXPECT_EQ(std::make_pair(looping.Looping, int(looping.RepeatCount)), loop);
    }

    // The longest delay of several control blocks; the transparent index
    // only when the table has it; a plain-text block takes the blocks before it.
    Load(gif, OnePixelFile(Concat({GraphicControlBlock(0x08, 5, 0), GraphicControlBlock(0x04, 3, 0)})));
    EXPECT_EQ(gif.Frames[0]->AnimateInterval, 50);
    EXPECT_EQ(gif.Frames[0]->Disposal, 1);
    Load(gif, OnePixelFile(GraphicControlBlock(1, 0, 3)));
    EXPECT_EQ(gif.Frames[0]->TransparentColor, RGBToColor(3, 3, 3));
    Load(gif, OnePixelFile(GraphicControlBlock(1, 65535, 4)));
    EXPECT_EQ(gif.Frames[0]->AnimateInterval, 65535);
    EXPECT_EQ(gif.Frames[0]->TransparentColor, clNone);
    Bytes plainText = {0x21, 0x01, 12};
    plainText.insert(plainText.end(), 12, 0);
    plainText.insert(plainText.end(), {2, 'h', 'i', 0});
    Load(gif, OnePixelFile(Concat({GraphicControlBlock(1, 7, 1), plainText})));
    EXPECT_TRUE(gif.Frames[0]->Extensions.empty());
    EXPECT_EQ(gif.Frames[0]->TransparentColor, clNone);

    for (const auto &[index, colour] : {std::pair{2, RGBToColor(2, 2, 2)}, std::pair{9, clNone}}) {
        Load(gif, Concat({Header(), Screen(1, 1, 2, uint8_t(index)), ImageDescriptor(1, 1), EightBitData({1}), Trailer()}));
        EXPECT_EQ(gif.BackgroundColor, colour);
    }
}

TEST(GIFReader, FrameSizesPositionsAndLocalTables)
{
    Bytes local = ImageDescriptor(2, 1, 0x80, 5, 6);  // local table of 2 entries
    local.insert(local.end(), {10, 20, 30, 40, 50, 60});
    TGIFImage gif;
    Load(gif, Concat({Header(), Screen(3, 1, 2), ImageDescriptor(0, 1), EightBitData({1, 2, 3}), local,
                      EightBitData({1, 0}), Trailer()}));
    ASSERT_EQ(gif.GetCount(), 2);
    EXPECT_EQ(gif.Frames[0]->Item->Width, 3);  // a width of 0 takes the screen's
    EXPECT_FALSE(gif.Frames[0]->Corrupted);
    EXPECT_EQ(QSize(gif.GetWidth(), gif.GetHeight()), QSize(3, 1));
    const TGIFFrame &second = *gif.Frames[1];
    EXPECT_TRUE(second.LocalColors);
    EXPECT_EQ(QPoint(second.Left, second.Top), QPoint(5, 6));
    EXPECT_EQ(second.Item->BitsPerPixel, 1);
    EXPECT_EQ(Pixels(gif.Frames[1]->GetBitmap()), (std::vector<uint32_t>{0x28323C, 0x0A141E}));
    EXPECT_EQ(gif.Frames[1]->GetBitmap().format(), QImage::Format_Mono);

    Load(gif, Concat({Header(), Screen(0, 0, 2), ImageDescriptor(0, 0), EightBitData({1}), Trailer()}));
    ASSERT_EQ(gif.GetCount(), 1);
    EXPECT_TRUE(gif.Frames[0]->Corrupted);
    EXPECT_TRUE(gif.Frames[0]->GetBitmap().isNull());
}

// The frames decoded from one file, counted in the order they are drawn; the
// error when the next one would take the image past its cap.
std::pair<int, std::string> DecodeEveryFrame(TGIFImage &gif)
{
    int decoded = 0;
    const std::string error = ErrorOf<EInvalidGraphicOperation>([&] {
        for (; decoded < gif.GetCount(); ++decoded)
            gif.GetFrame(decoded).GetBitmap();
    });
    return {decoded, error};
}

// Eight frames that each claim the largest size allowed, in a few bytes: the
// cap counts the pixels decoded for the whole image, from the file's reading
// on, and a copy counts on from its source.
TEST(GIFReader, TheSizeCapCountsThePixelsDecodedForTheWholeImage)
{
    Bytes file = Concat({Header(), Screen(1, 1, 2)});
    for (int i = 0; i < 8; ++i)
        file = Concat({file, ImageDescriptor(4096, 4096), EightBitData({})});
    file = Concat({file, Trailer()});
    const std::pair<int, std::string> capped = {4, "GIF image is too large"};
    TGIFImage gif;
    for (const char *reading : {"first", "again"}) {
        Load(gif, file);
        ASSERT_EQ(gif.GetCount(), 8) << reading;
        EXPECT_EQ(gif.DecodedPixels, 4096 * 4096) << reading;  // frame 0, drawn on reading
        EXPECT_EQ(DecodeEveryFrame(gif), capped) << reading;
        EXPECT_EQ(gif.DecodedPixels, 4 * 4096 * 4096) << reading;
    }
    TGIFImage copy;
    copy.Assign(gif);
    EXPECT_EQ(DecodeEveryFrame(copy), capped);
}

// A frame cut by the end of the file keeps what it has and is marked damaged,
// unless damage is refused; decoding it then runs out of codes.
TEST(GIFReader, CutFramesAreDamagedOrRefused)
{
    const Bytes frame = TwoSubBlocks();
    const Bytes cut = Cut(Concat({Header(), Screen(300, 1, 2), frame, frame}), 6 + 7 + 12 + 2 * frame.size() - 20);
    TGIFImage gif;
    Load(gif, cut);
    ASSERT_EQ(gif.GetCount(), 2);
    EXPECT_FALSE(gif.Frames[0]->Corrupted);
    const QImage decoded = gif.Frames[0]->GetBitmap();
    for (int x = 0; x < 300; ++x)
        ASSERT_EQ(decoded.pixelIndex(x, 0), x % 4) << x;
    EXPECT_TRUE(gif.Frames[1]->Corrupted);
    EXPECT_EQ(gif.Frames[1]->Item->ImageData->size(), 1u + 256u);
    EXPECT_THROW(gif.Frames[1]->GetBitmap(), EInvalidGraphicOperation);

    const Bytes oneFrame = Cut(OnePixelFile(), OnePixelFile().size() - 3);
    gif.ReadBytes(oneFrame.data(), oneFrame.size(), false);
    ASSERT_EQ(gif.GetCount(), 1);
    EXPECT_TRUE(gif.Frames[0]->Corrupted);
    GIFAcceptCorrupt = false;
    EXPECT_EQ(ErrorOf<EInvalidGraphicOperation>([&] { gif.ReadBytes(oneFrame.data(), oneFrame.size(), false); }),
              "Stream read error");
    GIFAcceptCorrupt = true;
    EXPECT_EQ(gif.GetCount(), 0);
}

}  // namespace
