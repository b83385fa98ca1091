#include "KitGIF.h"

#include "BmpImage.h"
#include "ErrorOf.h"
#include "GifTestSupport.h"

#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

namespace {

QImage Solid(int width, int height, uint32_t rgb)
{
    return MakeRGB(width, height, [rgb](int, int) { return rgb; });
}

const TExtension *GraphicControlOf(const TGIFFrame &frame)
{
    for (const TExtension &e : frame.Extensions)
        if (e.ExtType == etGraphicControl)
            return &e;
    return nullptr;
}

}  // namespace

// GIF89a only for what GIF87a cannot hold: several frames, transparency.
TEST(GIFModel, TheVersionFollowsTheFrames)
{
    TGIFImage gif;
    EXPECT_EQ(gif.Version, gvNone);
    EXPECT_EQ(gif.FrameIndex, -1);
    EXPECT_TRUE(gif.GetEmpty());
    EXPECT_EQ(QSize(gif.GetWidth(), gif.GetHeight()), QSize(0, 0));
    gif.AddFrame(Solid(2, 2, 0xFF0000));
    EXPECT_EQ(gif.Version, gv87a);
    EXPECT_EQ(gif.FrameIndex, 0);
    gif.AddFrame(Solid(2, 2, 0x00FF00));
    EXPECT_EQ(gif.Version, gv89a);
    gif.Frames[0]->SetTransparentColor(clNone);
    EXPECT_EQ(gif.Version, gv89a);
    gif.Clear();
    EXPECT_EQ(gif.Version, gvNone);
}

TEST(GIFModel, TransparentColourNotifiesOnlyOnChange)
{
    TGIFImage gif;
    int changes = 0;
    gif.OnChange = [&changes] { ++changes; };
    gif.AddFrame(Solid(2, 2, 0xFF0000));
    TGIFFrame &frame = *gif.Frames[0];
    frame.SetTransparentColor(clNone);
    EXPECT_EQ(changes, 0);
    frame.SetTransparentColor(0x0000FF);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(gif.Version, gv89a);
    frame.SetTransparentColor(clNone);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(gif.Version, gv89a);
    EXPECT_FALSE(gif.GetTransparent());
}

TEST(GIFModel, WhatCannotBeDoneIsAClearError)
{
    TGIFImage gif, full;
    full.AddFrame(Solid(2, 2, 0));
    full.FrameIndex = 5;  // a current frame past the list
    TGIFFrame frame(&gif), orphan(nullptr);
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { gif.SetWidth(5); }, "Cannot change the Size of a GIF image"},
        {[&] { gif.SetHeight(-1); }, "Cannot change the Size of a GIF image"},
        {[&] { gif.GetFrame(0); }, "List index out of bounds (0)"},
        {[&] { full.GetEmpty(); }, "List index out of bounds (5)"},
        {[&] { orphan.Assign(full); }, "List index out of bounds (5)"},
        {[&] { gif.BuildFile(); }, "No GIF Data to write"},
        {[&] { frame.EncodeBitmap(); }, "No GIF Data to write"},
        {[&] { frame.EncodeDIBStream(ImageToBmp(Solid(2, 2, 0))); }, "GIF image encoding error"}};  // 24 bits
    for (const auto &[action, error] : cases)
        EXPECT_EQ(ErrorOf<EInvalidGraphicOperation>(action), error);
    EXPECT_EQ(QSize(full.GetWidth(), full.GetHeight()), QSize(0, 0));
}

// The graphic control block: delay in hundredths, disposal in bits 2 to 4,
// the transparent flag only for a colour the table holds; an empty comment
// is dropped.
TEST(GIFModel, EncodingWritesTheGraphicControlBlock)
{
    struct TCase {
        uint16_t ms;
        uint8_t disposal;
        TColor transparent;
        uint8_t packed, hundredths;
    };
    const TCase cases[] = {{250, 0, RGBToColor(1, 1, 1), 0x00, 25}, {255, 2, RGBToColor(1, 1, 1), 0x08, 25},
                           {0, 0, RGBToColor(0x11, 0x22, 0x33), 0x01, 0}, {0, 3, clNone, 0x0C, 0}};
    for (const TCase &c : cases) {
        TGIFImage gif;
        gif.AddFrame(Solid(1, 1, 0x112233), c.transparent);
        gif.Frames[0]->AnimateInterval = c.ms;
        gif.Frames[0]->Disposal = c.disposal;
        gif.EncodeAllFrames();
        const TExtension *gce = GraphicControlOf(*gif.Frames[0]);
        ASSERT_NE(gce, nullptr);
        EXPECT_EQ(gce->Header[1], c.packed) << c.ms << " ms, disposal " << int(c.disposal);
        EXPECT_EQ(gce->Header[2], c.hundredths) << c.ms << " ms, disposal " << int(c.disposal);
        EXPECT_EQ(gif.Version, gv89a);
    }
    TGIFImage gif;
    gif.AddFrame(Solid(1, 1, 0));
    gif.Frames[0]->GetComment();
    EXPECT_EQ(gif.Frames[0]->Extensions.size(), 1u);
    gif.EncodeAllFrames();
    EXPECT_TRUE(gif.Frames[0]->Extensions.empty());
    EXPECT_EQ(gif.Version, gv87a);
}

TEST(GIFModel, SecondFrameGetsALocalTable)
{
    TGIFImage gif;
    gif.AddFrame(Solid(2, 3, 0xFF0000));
    gif.AddFrame(Solid(4, 1, 0xFF0000));
    gif.EncodeAllFrames();
    EXPECT_FALSE(gif.Frames[0]->LocalColors);
    EXPECT_TRUE(gif.Frames[1]->LocalColors);
    EXPECT_EQ(gif.Data->ColorMap.Count, 256);
    EXPECT_EQ(gif.Data->BitsPerPixel, 8);
    EXPECT_EQ(gif.ScreenWidth, 4);
    EXPECT_EQ(gif.ScreenHeight, 3);
}

TEST(GIFModel, EncodingReplacesTrueColourBitmapByTheDecodedOne)
{
    TGIFImage gif;
    gif.AddFrame(MakeButtonLike(30, 20));
    gif.EncodeAllFrames();
    const QImage replaced = gif.Frames[0]->Bitmap;
    EXPECT_EQ(replaced.format(), QImage::Format_Indexed8);
    EXPECT_EQ(replaced.size(), QSize(30, 20));
    EXPECT_FALSE(gif.GetEmpty());
    // Exactly the picture the encoded data holds, table and indexes.
    gif.Frames[0]->ReplaceBitmap();
    EXPECT_EQ(replaced, gif.Frames[0]->GetBitmap());
}

TEST(GIFModel, EightBitPicturesWithoutPaletteAreReduced)
{
    // Eight bits a pixel but no colour table: grey levels and alpha masks
    // are reduced like true colour, and come back as the same colours.
    QImage grey(3, 2, QImage::Format_Grayscale8);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            grey.scanLine(y)[x] = static_cast<uchar>(40 * x + 100 * y);
    TGIFImage gif;
    gif.AddFrame(grey);
    gif.EncodeAllFrames();
    EXPECT_EQ(gif.Frames[0]->GetBitmap().format(), QImage::Format_Indexed8);
    EXPECT_EQ(Pixels(gif.Frames[0]->GetBitmap()), Pixels(grey));
}

TEST(GIFModel, GreyScaleFramesUseTheGreyMethod)
{
    TGIFImage gif;
    gif.AddFrame(Solid(1, 1, 0x102030));
    gif.Frames[0]->GrayScale = true;
    gif.EncodeAllFrames();
    const int level = (77 * 0x10 + 150 * 0x20 + 29 * 0x30) >> 8;
    EXPECT_EQ(gif.Data->ColorMap.Color(level), RGBToColor(level, level, level));
    EXPECT_EQ(gif.Frames[0]->GetBitmap().pixelIndex(0, 0), level);
}

TEST(GIFModel, AbortDuringEncodingResetsTheFrame)
{
    TGIFImage gif;
    gif.AddFrame(Solid(4, 4, 0x00FF00));
    gif.Frames[0]->Left = 3;
    gif.OnProgress = [](TProgressStage stage, int, const std::string &) {
        if (stage == TProgressStage::psRunning)
            throw EAbort();
    };
    EXPECT_THROW(gif.EncodeAllFrames(), EAbort);
    EXPECT_FALSE(gif.Frames[0]->Item->ImageData.has_value());
    EXPECT_EQ(gif.Frames[0]->Left, 0);
}

TEST(GIFModel, AssignCopiesFramesAndSharesData)
{
    TGIFImage source;
    source.AddFrame(Solid(2, 2, 0xFF0000), 0x0000FF);
    source.Frames[0]->SetComment({"hello"});
    source.EncodeAllFrames();
    TGIFImage copy;
    copy.Assign(source);
    EXPECT_TRUE(copy.Equals(source));
    ASSERT_EQ(copy.GetCount(), 1);
    EXPECT_EQ(copy.Frames[0]->Item, source.Frames[0]->Item);
    EXPECT_EQ(*copy.Frames[0]->FindComment(), TStrings{"hello"});
    EXPECT_EQ(copy.BuildFile(), source.BuildFile());

    TGIFImage single;
    single.Assign(*source.Frames[0]);
    EXPECT_FALSE(single.Equals(source));
    EXPECT_EQ(single.Version, gv87a);
    EXPECT_TRUE(single.Frames[0]->LocalColors);
    single.AssignNil();
    EXPECT_EQ(single.GetCount(), 0);
}

TEST(GIFModel, GetBitmapOfAnEmptyImageMakesOneEmptyFrame)
{
    TGIFImage gif;
    EXPECT_TRUE(gif.GetBitmap().isNull());
    EXPECT_EQ(gif.GetCount(), 1);
    EXPECT_EQ(gif.FrameIndex, 0);
}

TEST(GIFModel, DrawLeavesTheTransparentColourOut)
{
    TGIFImage gif;
    gif.AddFrame(MakeRGB(2, 1, [](int x, int) -> uint32_t { return x ? 0x00FF00 : 0xFF0000; }),
                 RGBToColor(0xFF, 0, 0));
    QImage canvas(2, 1, QImage::Format_RGB32);
    canvas.fill(qRgb(1, 2, 3));
    {
        QPainter painter(&canvas);
        gif.Draw(painter, QRect(0, 0, 2, 1));
    }
    EXPECT_EQ(canvas.pixel(0, 0) & 0xFFFFFF, 0x010203u);
    EXPECT_EQ(canvas.pixel(1, 0) & 0xFFFFFF, 0x00FF00u);
}

// A decoded frame can claim a width or height of 0: its in-memory BMP then
// has no pixels, and turning it into an image must copy nothing.
TEST(BmpImage, APictureWithoutPixelsGivesAnEmptyImage)
{
    for (const int bits : {1, 4, 8, 24})
        for (const QSize size : {QSize(0, 3), QSize(3, 0)})
            EXPECT_TRUE(BmpToImage(NewBmp(size.width(), size.height(), bits, bits <= 8 ? 1 << bits : 0)).isNull()) << bits;
}
