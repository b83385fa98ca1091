#include "ColorReduction.h"

#include "BmpImage.h"
#include "ErrorOf.h"
#include "GifTestSupport.h"
#include "LittleEndian.h"
#include "NotImplemented.h"
#include "ReductionMethods.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

struct Reduced {
    TBmpLayout layout;
    Bytes bmp;

    uint32_t PaletteEntry(int i) const  // 0xRRGGBB, with the reserved byte in the top byte
    {
        const uint8_t *e = &bmp[layout.paletteOffset + 4 * i];
        return (e[3] << 24) | (e[2] << 16) | (e[1] << 8) | e[0];
    }
    // Index of image pixel (x, y), top row first.
    int Index(int x, int y) const
    {
        return bmp[layout.pixelOffset + (layout.height - 1 - y) * layout.stride + x];
    }
    uint32_t ImportantColors() const { return GetLE32(&bmp[kBmpFileHeaderSize + 36]); }
};

Reduced Reduce(const QImage &image, TReductionMethod method)
{
    Reduced r;
    r.bmp = BitmapToReducedStream(image, TPixelFormat::pf8bit, method);
    r.layout = ParseBmp(r.bmp);
    return r;
}

}  // namespace

// An 8-bit BMP with its full colour table; 1 and 4 bits too; a null picture
// is refused.
TEST(ReductionEntry, TargetsOfEveryDepth)
{
    const Reduced r = Reduce(MakeButtonLike(13, 7), rmPopularity);
    EXPECT_EQ(r.bmp.size(), 1078u + 16 * 7);
    EXPECT_EQ(std::string(r.bmp.begin(), r.bmp.begin() + 2), "BM");
    EXPECT_EQ(GetLE32(&r.bmp[2]), r.bmp.size());
    EXPECT_EQ(GetLE32(&r.bmp[10]), 1078u);
    EXPECT_EQ(r.layout.bits, 8);
    const QImage image = MakeRGB(9, 3, [](int x, int) -> uint32_t { return x < 4 ? 0x000000 : 0xFFFFFF; });
    for (const auto &[format, bits] : {std::pair{TPixelFormat::pf1bit, 1}, std::pair{TPixelFormat::pf4bit, 4}}) {
        const Bytes bmp = BitmapToReducedStream(image, format, rmPopularity);
        EXPECT_EQ(ParseBmp(bmp).bits, bits);
        EXPECT_EQ(Pixels(BmpToImage(bmp)), Pixels(image));
    }
    EXPECT_EQ(ErrorOf<EInvalidGraphic>([] { BitmapToReducedStream(QImage(), TPixelFormat::pf8bit, rmPopularity); }),
              "Bitmap image is not valid");
}

// A bitmap already held in the target format comes back in that format, its
// rows as it holds them, bottom row first; only then are the unsupported
// targets turned away.
TEST(ReductionEntry, AnyFormatEqualToTheTargetIsHandedOnInThatFormElseUnsupportedIsNotImplemented)
{
    int shown = 0;
    const TNotImplementedHook previous = SetNotImplementedHook([&shown](const std::string &) { ++shown; });
    const QRgb top = qRgb(255, 0, 0), bottom = qRgb(0, 0, 255);
    const struct {
        QImage::Format held;
        TPixelFormat target;
        int bits;
        uint32_t compression;
        Bytes topPixel, bottomPixel;
    } same[] = {{QImage::Format_RGB32, TPixelFormat::pf32bit, 32, 0, {0, 0, 255, 255}, {255, 0, 0, 255}},
                {QImage::Format_ARGB32, TPixelFormat::pf32bit, 32, 0, {0, 0, 255, 255}, {255, 0, 0, 255}},
                {QImage::Format_ARGB32_Premultiplied, TPixelFormat::pf32bit, 32, 0, {0, 0, 255, 255}, {255, 0, 0, 255}},
                {QImage::Format_RGB555, TPixelFormat::pf15bit, 16, 0, {0x00, 0x7C}, {0x1F, 0x00}},
                {QImage::Format_RGB16, TPixelFormat::pf16bit, 16, 3, {0x00, 0xF8}, {0x1F, 0x00}}};
    for (const auto &c : same) {
        SCOPED_TRACE(c.held);
        QImage image(3, 2, c.held);
        image.fill(QColor(top));
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, 1, bottom);
        const Bytes bmp = BitmapToReducedStream(image, c.target, rmPopularity);
        const uint8_t *info = &bmp[kBmpFileHeaderSize];
        const size_t masks = c.compression == 3 ? 12 : 0;
        const size_t pixels = kBmpFileHeaderSize + kBmpInfoHeaderSize + masks;
        const size_t stride = size_t(DIBStride(3, c.bits));
        ASSERT_EQ(bmp.size(), pixels + 2 * stride);
        EXPECT_EQ(GetLE32(&bmp[2]), bmp.size());
        EXPECT_EQ(GetLE32(&bmp[10]), pixels);
        EXPECT_EQ(GetLE16(info + 14), c.bits);
        EXPECT_EQ(GetLE32(info + 16), c.compression);
        EXPECT_EQ(GetLE32(info + 20), 2 * stride);
        if (masks) {
            EXPECT_EQ(GetLE32(info + 40), 0xF800u);
            EXPECT_EQ(GetLE32(info + 44), 0x07E0u);
            EXPECT_EQ(GetLE32(info + 48), 0x001Fu);
        }
        const size_t pixelBytes = c.topPixel.size();
        for (int x = 0; x < 3; ++x) {
            const auto stored = [&](size_t row) {
                const auto at = bmp.begin() + long(pixels + row * stride + x * pixelBytes);
                return Bytes(at, at + long(pixelBytes));
            };
            EXPECT_EQ(stored(0), c.bottomPixel) << x;
            EXPECT_EQ(stored(1), c.topPixel) << x;
        }
    }
    EXPECT_EQ(shown, 0);
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    EXPECT_THROW(BitmapToReducedStream(image, TPixelFormat::pf15bit, rmPopularity), EAbort);
    EXPECT_THROW(BitmapToReducedStream(image, TPixelFormat::pf32bit, rmGrayscale), EAbort);
    EXPECT_EQ(shown, 2);
    SetNotImplementedHook(previous);
}

TEST(ReductionEntry, EightBitBitmapKeepsItsOwnFormUnlessGreyScale)
{
    QImage indexed(3, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
    indexed.fill(1);
    const Reduced own = Reduce(indexed, rmPopularity);
    EXPECT_EQ(own.PaletteEntry(1), 0xC86432u);
    EXPECT_EQ(own.Index(2, 1), 1);
    const Reduced grey = Reduce(indexed, rmGrayscale);
    const int level = (77 * 200 + 150 * 100 + 29 * 50) >> 8;
    EXPECT_EQ(grey.Index(2, 1), level);
}

TEST(ReductionEntry, OneAndFourBitTargets)
{
    const QImage image = MakeRGB(9, 3, [](int x, int) -> uint32_t { return x < 4 ? 0x000000 : 0xFFFFFF; });
    const Bytes one = BitmapToReducedStream(image, TPixelFormat::pf1bit, rmPopularity);
    EXPECT_EQ(ParseBmp(one).bits, 1);
    const QImage back1 = BmpToImage(one);
    EXPECT_EQ(back1.pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(back1.pixel(8, 2) & 0xFFFFFF, 0xFFFFFFu);
    const Bytes four = BitmapToReducedStream(image, TPixelFormat::pf4bit, rmPopularity);
    EXPECT_EQ(ParseBmp(four).bits, 4);
    EXPECT_EQ(Pixels(BmpToImage(four)), Pixels(image));
}

// The popularity method's ordering, ties, nearest colours and widened masks
// on many pictures are pinned down in KnownBytesTest.
TEST(Popularity, KeepsUpTo256ColoursExactlyAndFillsGrey)
{
    // Bottom row: colour A twice then B; top row: C three times.
    const QImage image = MakeRGB(3, 2, [](int x, int y) -> uint32_t {
        if (y == 0)
            return 0x0000FF;
        return x < 2 ? 0xFF0000 : 0x00FF00;
    });
    const Reduced r = Reduce(image, rmPopularity);
    // Three of C, then A (two), then B; grey after the last colour.
    EXPECT_EQ(r.PaletteEntry(0), 0x0000FFu);
    EXPECT_EQ(r.PaletteEntry(1), 0xFF0000u);
    EXPECT_EQ(r.PaletteEntry(2), 0x00FF00u);
    EXPECT_EQ(r.PaletteEntry(3), 0x808080u);
    EXPECT_EQ(r.PaletteEntry(255), 0x808080u);
    EXPECT_EQ(r.Index(0, 0), 0);
    EXPECT_EQ(r.Index(1, 1), 1);
    EXPECT_EQ(r.Index(2, 1), 2);
}

// Median cut on pictures of many colours is pinned down in OutputBytesTest.
TEST(MedianCut, SplitsAtTheMedianOfThePixels)
{
    // Red levels 0..7 with pixel counts 1,1,1,1,1,1,1,9; green and blue level 8.
    // Half of 16 is 8, so levels 0..6 stay in box 0 and level 7 forms box 1.
    Bytes rows(DIBStride(16, 24), 0);
    for (int x = 0; x < 16; ++x) {
        const uint8_t level = static_cast<uint8_t>(x < 7 ? x : 7);
        rows[3 * x] = rows[3 * x + 1] = 0x80;
        rows[3 * x + 2] = static_cast<uint8_t>(level * 16 + 3);
    }
    Bytes palette(1024, 0xEE);
    Bytes indexes(DIBStride(16, 8), 0xEE);
    EXPECT_EQ(ReduceMedianCut(16, 1, rows.data(), indexes.data(), palette.data(), 2), 2);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(indexes[x], x < 7 ? 0 : 1) << x;
    const Bytes box0 = {(8 * 7 * 16 + 15) / 7, (8 * 7 * 16 + 15) / 7, (21 * 16 + 15) / 7, 0};
    const Bytes box1 = {8 * 16 + 15, 8 * 16 + 15, 7 * 16 + 15, 0};
    EXPECT_EQ(Bytes(palette.begin(), palette.begin() + 4), box0);
    EXPECT_EQ(Bytes(palette.begin() + 4, palette.begin() + 8), box1);
    EXPECT_EQ(palette[8], 0xEE);  // only entries up to the wanted count are touched
}

// The methods of fixed palettes: a pixel's index by its levels (stripes by
// the pixel's diagonal, one channel each), the entry at that index, the
// count of important colours and what the unused entries hold.
TEST(FixedPalettes, UniformStripesAndGreyLevels)
{
    struct TCase {
        TReductionMethod method;
        uint32_t colour;
        QPoint at;
        int index;
        uint32_t entry, important;
        std::pair<int, uint32_t> other;  // another entry
    };
    const int grey = (77 * 0x10 + 150 * 0x20 + 29 * 0x30) >> 8;
    const TCase cases[] = {{rmUniform666, 0x80FF00, {0, 0}, 3 * 36 + 5 * 6 + 0, 0x99FF00, 216, {216, 0x80808080}},
                           {rmUniform666, 0x7F0033, {0, 0}, 2 * 36 + 0 + 1, 0x660033, 216, {215, 0xFFFFFF}},
                           {rmUniform784, 0x80FFAA, {0, 0}, 3 * 32 + 7 * 4 + 2, 0x80FFAA, 224, {224, 0x80808080}},
                           {rmUniform784, 0xFFFFFF, {0, 0}, 223, 0xFFFFFF, 224, {0, 0}},
                           {rmStripes, 0x4080C0, {0, 1}, 0x40 >> 2, 0x400000, 0, {63, 0xFC0000}},
                           {rmStripes, 0x4080C0, {1, 1}, 64 + (0x80 >> 2), 0x008000, 0, {200, 0}},
                           {rmStripes, 0x4080C0, {2, 1}, 128 + (0xC0 >> 2), 0x0000C0, 0, {128 + 2, 0x000008}},
                           {rmStripes, 0x4080C0, {0, 0}, 64 + (0x80 >> 2), 0x008000, 0, {64 + 1, 0x000400}},
                           {rmGrayscale, 0x102030, {0, 0}, grey, 0x010101u * uint32_t(grey), 0, {77, 0x4D4D4D}},
                           {rmGrayscale, 0xFFFFFF, {0, 0}, 255, 0xFFFFFF, 0, {0, 0}}};
    for (const TCase &c : cases) {
        const uint32_t colour = c.colour;
        const Reduced r = Reduce(MakeRGB(3, 2, [colour](int, int) { return colour; }), c.method);
        SCOPED_TRACE(std::to_string(int(c.method)) + " " + std::to_string(c.colour));
        EXPECT_EQ(r.Index(c.at.x(), c.at.y()), c.index);
        EXPECT_EQ(r.PaletteEntry(c.index), c.entry);
        EXPECT_EQ(r.PaletteEntry(c.other.first), c.other.second);
        if (c.important) {
            EXPECT_EQ(r.ImportantColors(), c.important);
        }
    }
    const TLevelMaps &m = LevelMaps();
    EXPECT_EQ(std::vector<int>({m.map6[127], m.map6[128], m.map4[42], m.map4[43]}), std::vector<int>({2, 3, 0, 1}));
}

TEST(TwentyFourBitTarget, KeepsTrueColoursOrGreyLevels)
{
    const QImage image = MakeRGB(2, 1, [](int x, int) -> uint32_t { return x ? 0xFFFFFF : 0x102030; });
    QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Pixels(BmpToImage(BitmapToReducedStream(rgb32, TPixelFormat::pf24bit, rmPopularity))),
              Pixels(image));
    const int g = (77 * 0x10 + 150 * 0x20 + 29 * 0x30) >> 8;
    EXPECT_EQ(Pixels(BmpToImage(BitmapToReducedStream(image, TPixelFormat::pf24bit, rmGrayscale)))[0],
              0x010101u * static_cast<uint32_t>(g));
}
