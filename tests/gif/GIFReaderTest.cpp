#include "KitGIF.h"

#include "Exceptions.h"
#include "GifFileBuilder.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

void Load(TGIFImage &gif, const Bytes &file) { gif.ReadBytes(file.data(), file.size(), true); }

// The message of the error that loading raises, or "" when it loads.
std::string LoadError(const Bytes &file)
{
    TGIFImage gif;
    try {
        Load(gif, file);
    } catch (const Exception &e) {
        return e.what();
    }
    return "";
}

Bytes OnePixelFile(const Bytes &extensions = {}, const Bytes &afterImage = {})
{
    return Concat({Header(), Screen(1, 1, 2), extensions, ImageDescriptor(1, 1), EightBitData({1}), afterImage,
                   Trailer()});
}

}  // namespace

TEST(GIFReader, SignatureIgnoresCase)
{
    Bytes file = OnePixelFile();
    std::copy_n("gif87A", 6, file.begin());
    TGIFImage gif;
    Load(gif, file);
    EXPECT_EQ(gif.Version, gv87a);
    for (const char *bad : {"GIF88a", "GIX89a", "GIF89b"}) {
        std::copy_n(bad, 6, file.begin());
        EXPECT_EQ(LoadError(file), "Unknown GIF version") << bad;
    }
}

TEST(GIFReader, UnknownExtensionLabel)
{
    EXPECT_EQ(LoadError(OnePixelFile({0x21, 0x99, 0})), "Unrecognized extension block: 99");
}

TEST(GIFReader, TrailingCommentsBecomeTheImageComment)
{
    TGIFImage gif;
    Load(gif, OnePixelFile({}, CommentBlock("first")));
    EXPECT_EQ(gif.Data->Comment, TStrings{"first"});
    Load(gif, OnePixelFile({}, Concat({CommentBlock("first"), CommentBlock("second")})));
    EXPECT_EQ(gif.Data->Comment, (TStrings{"first", "\r\n\r\n", "second"}));
}

TEST(GIFReader, FrameCommentStaysWithTheFrame)
{
    TGIFImage gif;
    Load(gif, OnePixelFile(CommentBlock("mine")));
    ASSERT_NE(gif.Frames[0]->FindComment(), nullptr);
    EXPECT_EQ(*gif.Frames[0]->FindComment(), TStrings{"mine"});
    EXPECT_TRUE(gif.Data->Comment.empty());
}

TEST(GIFReader, PlainTextTakesTheBlocksBeforeIt)
{
    Bytes plainText = {0x21, 0x01, 12};
    plainText.insert(plainText.end(), 12, 0);
    plainText.insert(plainText.end(), {2, 'h', 'i', 0});
    TGIFImage gif;
    Load(gif, OnePixelFile(Concat({GraphicControlBlock(1, 7, 1), plainText})));
    EXPECT_TRUE(gif.Frames[0]->Extensions.empty());
    EXPECT_EQ(gif.Frames[0]->TransparentColor, clNone);
    EXPECT_EQ(gif.Frames[0]->AnimateInterval, 0);
}

TEST(GIFReader, LoopExtension)
{
    TGIFImage gif;
    Load(gif, OnePixelFile(LoopBlock(40000)));
    EXPECT_TRUE(gif.Looping);
    EXPECT_EQ(gif.RepeatCount, 30000);
    Load(gif, OnePixelFile(LoopBlock(7)));
    EXPECT_EQ(gif.RepeatCount, 7);
}

TEST(GIFReader, LoopExtensionNeedsBlockSizeEleven)
{
    Bytes shortBlock = LoopBlock(7, 10);
    TGIFImage gif;
    Load(gif, OnePixelFile(shortBlock));
    EXPECT_FALSE(gif.Looping);
    Bytes longBlock = LoopBlock(7, 200);
    Load(gif, OnePixelFile(longBlock));
    EXPECT_FALSE(gif.Looping);
}

TEST(GIFReader, ZeroWidthTakesTheScreenWidth)
{
    const Bytes file = Concat({Header(), Screen(3, 1, 2), ImageDescriptor(0, 1), EightBitData({1, 2, 3}), Trailer()});
    TGIFImage gif;
    Load(gif, file);
    EXPECT_EQ(gif.Frames[0]->Item->Width, 3);
    EXPECT_FALSE(gif.Frames[0]->Corrupted);
    EXPECT_EQ(gif.GetWidth(), 3);
}

TEST(GIFReader, ZeroSizeEverywhereMarksTheFrameDamaged)
{
    const Bytes file = Concat({Header(), Screen(0, 0, 2), ImageDescriptor(0, 0), EightBitData({1}), Trailer()});
    TGIFImage gif;
    Load(gif, file);
    ASSERT_EQ(gif.GetCount(), 1);
    EXPECT_TRUE(gif.Frames[0]->Corrupted);
    EXPECT_TRUE(gif.Frames[0]->GetBitmap().isNull());

    // Its codes are still read: data that ends without the End code is an
    // error, and frame 0 goes with it.
    const Bytes cut = Concat({Header(), Screen(0, 0, 2), ImageDescriptor(0, 0), PackCodes(2, {{4, 3}, {1, 3}}, false)});
    try {
        Load(gif, cut);
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    EXPECT_EQ(gif.GetCount(), 0);
}

TEST(GIFReader, TransparentIndexMustBeInTheTable)
{
    TGIFImage gif;
    Load(gif, OnePixelFile(GraphicControlBlock(1, 0, 3)));
    EXPECT_EQ(gif.Frames[0]->TransparentColor, RGBToColor(3, 3, 3));
    Load(gif, OnePixelFile(GraphicControlBlock(1, 0, 4)));
    EXPECT_EQ(gif.Frames[0]->TransparentColor, clNone);
}

TEST(GIFReader, LongestDelayOfSeveralControlBlocks)
{
    TGIFImage gif;
    Load(gif, OnePixelFile(Concat({GraphicControlBlock(0x08, 5, 0), GraphicControlBlock(0x04, 3, 0)})));
    EXPECT_EQ(gif.Frames[0]->AnimateInterval, 50);
    EXPECT_EQ(gif.Frames[0]->Disposal, 1);
    Load(gif, OnePixelFile(GraphicControlBlock(0, 65535, 0)));
    EXPECT_EQ(gif.Frames[0]->AnimateInterval, 65535);
}

TEST(GIFReader, BackgroundColourFromTheGlobalTable)
{
    TGIFImage gif;
    Load(gif, Concat({Header(), Screen(1, 1, 2, 2), ImageDescriptor(1, 1), EightBitData({1}), Trailer()}));
    EXPECT_EQ(gif.BackgroundColor, RGBToColor(2, 2, 2));
    Load(gif, Concat({Header(), Screen(1, 1, 2, 9), ImageDescriptor(1, 1), EightBitData({1}), Trailer()}));
    EXPECT_EQ(gif.BackgroundColor, clNone);
}

TEST(GIFReader, BadBlockByteBetweenBlocks)
{
    const Bytes stray = Concat({Header(), Screen(1, 1, 2), {'X'}, ImageDescriptor(1, 1), EightBitData({1})});
    EXPECT_EQ(LoadError(stray), "Stream read error");
    TGIFImage strayImage;
    EXPECT_THROW(Load(strayImage, stray), EInvalidGraphicOperation);
    // After an image the reading ends quietly.
    TGIFImage gif;
    Load(gif, Concat({Header(), Screen(1, 1, 2), ImageDescriptor(1, 1), EightBitData({1}), {'X', 'Y'}}));
    EXPECT_EQ(gif.GetCount(), 1);
}

TEST(GIFReader, CutSubBlockRaisesOnlyWhenDamageIsRefused)
{
    const Bytes whole = Concat({Header(), Screen(1, 1, 2), ImageDescriptor(1, 1), EightBitData({1})});
    const Bytes cut(whole.begin(), whole.end() - 2);
    TGIFImage gif;
    gif.ReadBytes(cut.data(), cut.size(), false);
    ASSERT_EQ(gif.GetCount(), 1);
    EXPECT_TRUE(gif.Frames[0]->Corrupted);

    GIFAcceptCorrupt = false;
    try {
        gif.ReadBytes(cut.data(), cut.size(), false);
        ADD_FAILURE() << "damage accepted";
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    GIFAcceptCorrupt = true;
    EXPECT_EQ(gif.GetCount(), 0);
}

TEST(GIFReader, ShortHeadersAndTablesAreStreamErrors)
{
    const Bytes whole = OnePixelFile(Concat({GraphicControlBlock(1, 0, 0), CommentBlock("abc")}));
    // Cut inside the screen, the global table, the control block, the comment and the descriptor.
    for (size_t cut : {8u, 15u, 27u, 34u, 37u, 45u}) {
        const Bytes part(whole.begin(), whole.begin() + static_cast<long>(cut));
        EXPECT_EQ(LoadError(part), "Stream read error") << cut;
    }
}

TEST(GIFReader, ShortSourceStream)
{
    QByteArray bytes = ToQByteArray(OnePixelFile());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TGIFImage gif;
    try {
        gif.ReadStream(bytes.size() + 1, buffer, true);
        FAIL();
    } catch (const EReadError &e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
}

TEST(GIFReader, NoColourTableAtAllCannotBeDecoded)
{
    const Bytes file = Concat({Header(), Screen(1, 1, 0), ImageDescriptor(1, 1), EightBitData({1}), Trailer()});
    TGIFImage gif;
    try {
        Load(gif, file);
        FAIL();
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "Wrong number of colors; must be a power of 2");
    }
    EXPECT_EQ(gif.GetCount(), 0);  // frame 0 is dropped when it cannot be decoded
}

TEST(GIFReader, AbsurdFrameSizeIsRefused)
{
    const Bytes file = Concat({Header(), Screen(1, 1, 2), ImageDescriptor(65535, 65535), EightBitData({1}), Trailer()});
    EXPECT_EQ(LoadError(file), "GIF image is too large");
}

TEST(GIFReader, FrameSizeCapCountsPixels)
{
    const auto frameOf = [](int width, int height) {
        return Concat({Header(), Screen(1, 1, 2), ImageDescriptor(width, height), EightBitData({1}), Trailer()});
    };
    EXPECT_EQ(LoadError(frameOf(4096, 4096)), "");
    EXPECT_EQ(LoadError(frameOf(65535, 256)), "");
    EXPECT_EQ(LoadError(frameOf(4097, 4096)), "GIF image is too large");
}

TEST(GIFReader, FrameSizeCapCountsTheWholeImage)
{
    // Eight frames that each claim the largest size allowed, in a few bytes.
    Bytes file = Concat({Header(), Screen(1, 1, 2)});
    for (int i = 0; i < 8; ++i)
        file = Concat({file, ImageDescriptor(4096, 4096), EightBitData({})});
    TGIFImage gif;
    Load(gif, Concat({file, Trailer()}));
    ASSERT_EQ(gif.GetCount(), 8);
    std::string error;
    int decoded = 0;
    try {
        for (; decoded < gif.GetCount(); ++decoded)
            gif.GetFrame(decoded).GetBitmap();
    } catch (const EInvalidGraphicOperation &e) {
        error = e.what();
    }
    EXPECT_EQ(error, "GIF image is too large");
    EXPECT_EQ(decoded, 4);
}

TEST(GIFReader, FramesWithLocalTablesAndPositions)
{
    Bytes local = ImageDescriptor(2, 1, 0x80, 5, 6);  // local table of 2 entries
    local.insert(local.end(), {10, 20, 30, 40, 50, 60});
    const Bytes file = Concat({Header(), Screen(8, 8, 2), ImageDescriptor(1, 1), EightBitData({1}), local,
                               EightBitData({1, 0}), Trailer()});
    TGIFImage gif;
    Load(gif, file);
    ASSERT_EQ(gif.GetCount(), 2);
    const TGIFFrame &second = *gif.Frames[1];
    EXPECT_TRUE(second.LocalColors);
    EXPECT_EQ(second.Left, 5);
    EXPECT_EQ(second.Top, 6);
    EXPECT_EQ(second.Item->BitsPerPixel, 1);
    EXPECT_EQ(Pixels(gif.Frames[1]->GetBitmap()), (std::vector<uint32_t>{0x28323C, 0x0A141E}));
    EXPECT_EQ(gif.Frames[1]->GetBitmap().format(), QImage::Format_Mono);
}

TEST(GIFReader, EmptyInputHasNoFrames)
{
    TGIFImage gif;
    gif.ReadBytes(nullptr, 0, true);
    EXPECT_EQ(gif.GetCount(), 0);
    EXPECT_EQ(gif.Version, gvNone);
}

TEST(GIFReader, SubBlockCutByTheEndOfTheFile)
{
    // 300 single-pixel codes need two sub-blocks; the file ends inside the second.
    std::vector<uint8_t> pixels(300);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(i % 4);
    std::vector<std::pair<uint32_t, int>> codes = {{256, 9}};
    for (uint8_t p : pixels)
        codes.push_back({p, codes.size() <= 255 ? 9 : 10});  // the table reaches 512 after code 255
    const Bytes data = PackCodes(8, codes);
    ASSERT_EQ(data[1], 255);
    const Bytes frame = Concat({ImageDescriptor(300, 1), data});
    const Bytes whole = Concat({Header(), Screen(300, 1, 2), frame, frame});
    const Bytes cut(whole.begin(), whole.end() - 20);

    // The second frame keeps its first sub-block and is marked damaged;
    // decoding it runs out of codes.
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

    // As the first frame, the failure of its decoding removes it and goes on.
    const Bytes first(cut.begin(), cut.begin() + static_cast<long>(6 + 7 + 12 + frame.size() - 20));
    TGIFImage single;
    EXPECT_EQ(LoadError(first), "Stream read error");
    try {
        Load(single, first);
    } catch (const EInvalidGraphicOperation &) {
    }
    EXPECT_EQ(single.GetCount(), 0);
}
