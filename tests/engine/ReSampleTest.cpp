// The reduction of supersampled renders shows in every fingerprinted render
// (OutputBytesTest); here the filter itself and the stretching of pictures
// into textures.
#include "ErrorOf.h"
#include "ReSample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(HermiteFilter, ValuesSymmetryAndPrecisionAtTheEdgeOfItsSupport)
{
    const std::pair<float, float> values[] = {{0, 1}, {0.5f, 0.5f}, {1, 0}, {3.5f, 0}, {0.25f, 0.84375f}};
    for (const auto &[x, y] : values) {
        EXPECT_EQ(HermiteFilter(x), y) << x;
        EXPECT_EQ(HermiteFilter(-x), y) << x;
    }
    // At 1 - e the filter is e^2 (3 - 2e): the cubic cancels almost to
    // nothing there, and the outermost weights come from these tiny values.
    for (int k = 19; k < 40; ++k) {
        const long double e = std::ldexp((long double)k, -24);
        EXPECT_EQ(HermiteFilter(float(1 - e)), float(e * e * (3 - 2 * e))) << k;
    }
}

QImage Filled(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

// A block of the reduction reads nothing beyond the reach it names, gives
// the bytes the whole reduction gives there and leaves the rest alone.
TEST(StretchBitsmap, ABlockReadsOnlyItsReachAndMatchesTheWhole)
{
    auto big = std::make_unique<TBigBitsmap>();
    uint32_t seed = 777;
    for (uint8_t &b : big->Data) {
        seed = seed * 1103515245u + 12345u;
        b = uint8_t(seed >> 16);
    }
    auto whole = std::make_unique<TBitsmap>();
    StretchBitsmap(*whole, *big, HermiteFilter, 1.0f);
    for (const auto &[width, height] : {std::pair{100, 30}, {1, 1}, {37, 91}, {250, 3}, {250, 250}}) {
        const TPixelBlock reach = SupersampleReach(HermiteFilter, 1.0f, width, height);
        EXPECT_GE(reach.Width, std::min(500, 2 * width + 1));
        EXPECT_LE(reach.Width, std::min(500, 2 * width + 4));
        auto cut = std::make_unique<TBigBitsmap>(*big);
        for (int y = 0; y < 500; ++y)
            for (int x = reach.Width * (y < reach.Height); x < 500; ++x)
                std::fill(cut->Pixel(x, y), cut->Pixel(x, y) + 4, uint8_t(0xAB));
        auto block = std::make_unique<TBitsmap>();
        block->Data.fill(0x5A);
        StretchBitsmap(*block, *cut, HermiteFilter, 1.0f, width, height);
        for (int y = 0; y < 250; ++y)
            for (int x = 0; x < 250; ++x) {
                if (x < width && y < height)
                    ASSERT_EQ(0, std::memcmp(block->Pixel(x, y), whole->Pixel(x, y), 4)) << x << "," << y;
                else
                    ASSERT_EQ(block->Pixel(x, y)[0], 0x5A) << x << "," << y;
            }
    }
}

// A picture of noise with runs of black, white and grey in it, the
// extremes that the sums clamp.
std::unique_ptr<TBigBitsmap> NoiseWithRuns()
{
    auto big = std::make_unique<TBigBitsmap>();
    uint32_t seed = 2024;
    for (size_t i = 0; i < big->Data.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        const uint32_t run = (i / 4000) % 5;
        big->Data[i] = run == 1 ? 0 : run == 2 ? 255 : run == 3 ? 128 : uint8_t(seed >> 16);
    }
    return big;
}

uint64_t Fingerprint(const TBitsmap &bitmap)
{
    uint64_t hash = 14695981039346656037ull;
    for (uint8_t b : bitmap.Data)
        hash = (hash ^ b) * 1099511628211ull;
    return hash;
}

// The exact bytes of reductions of the whole picture and of blocks whose
// lines end in the middle of a vector.
TEST(StretchBitsmap, KeepsTheBytesOfEveryBlockSize)
{
    const auto big = NoiseWithRuns();
    const std::pair<std::pair<int, int>, uint64_t> cases[] = {
        {{250, 250}, 12912306080060292960ull},
        {{100, 30}, 6587663977341508759ull},
        {{37, 91}, 7088830870120115999ull},
        {{1, 250}, 17535002351630300363ull},
        {{249, 1}, 18059101815037686376ull}};
    for (const auto &[size, fingerprint] : cases) {
        auto reduced = std::make_unique<TBitsmap>();
        reduced->Data.fill(0x5A);
        StretchBitsmap(*reduced, *big, HermiteFilter, 1.0f, size.first, size.second);
        EXPECT_EQ(Fingerprint(*reduced), fingerprint) << size.first << " x " << size.second;
    }
}

TEST(Stretch, PicturesOfAnySizeToAnySize)
{
    QImage pair(2, 1, QImage::Format_RGB888);
    pair.setPixel(0, 0, qRgb(10, 11, 0));
    pair.setPixel(1, 0, qRgb(19, 20, 255));
    struct TCase {
        QImage source;
        QSize size;
        std::vector<std::pair<QPoint, QRgb>> pixels;
    };
    const TCase cases[] = {
        {Filled(1, 1, qRgb(12, 34, 56)), {5, 3}, {{{0, 0}, qRgb(12, 34, 56)}, {{4, 2}, qRgb(12, 34, 56)}}},
        // 14.5, 15.5 and 127.5 round to even.
        {pair, {3, 1}, {{{0, 0}, qRgb(10, 11, 0)}, {{1, 0}, qRgb(14, 16, 128)}, {{2, 0}, qRgb(19, 20, 255)}}},
        {Filled(300, 200, qRgb(90, 60, 30)).convertToFormat(QImage::Format_RGB32), {64, 64},
         {{{0, 0}, qRgb(90, 60, 30)}, {{63, 63}, qRgb(90, 60, 30)}, {{31, 20}, qRgb(90, 60, 30)}}},
        {Filled(100, 80, qRgb(40, 50, 60)), {1, 1}, {{{0, 0}, qRgb(40, 50, 60)}}}};
    for (const TCase &c : cases) {
        QImage dst(c.size, QImage::Format_RGB32);
        Stretch(dst, c.source, HermiteFilter, 1.0f);
        EXPECT_EQ(dst.format(), QImage::Format_RGB888);
        EXPECT_EQ(dst.size(), c.size);
        for (const auto &[at, colour] : c.pixels)
            EXPECT_EQ(dst.pixel(at), colour) << c.source.width() << " to " << c.size.width() << " at " << at.x();
    }
    QImage empty;
    Stretch(empty, pair, HermiteFilter, 1.0f);
    EXPECT_TRUE(empty.isNull());
}

TEST(Stretch, AnEmptySourceIsRefusedAndLeavesTheTarget)
{
    QImage dst = Filled(64, 64, qRgb(255, 0, 0));
    for (const QImage &src : {QImage(), QImage(0, 5, QImage::Format_RGB888)})
        EXPECT_EQ(ErrorOf([&] { Stretch(dst, src, HermiteFilter, 1.0f); }), "Source bitmap too small");
    EXPECT_EQ(dst.pixel(0, 0), qRgb(255, 0, 0));
}

// A work image (destination width by source height) or a destination beyond
// the budget is refused before anything is allocated; dst stays as it was.
TEST(Stretch, PassesBeyondTheBudgetAreRefused)
{
    const struct {
        QImage Source;
        QSize Target;
        const char *Error;
    } cases[] = {
        {Filled(1, 300000, qRgb(1, 2, 3)), {64, 1}, "Bitmap too large to resample: 64 x 300000 pixels"},
        {Filled(1, 1, qRgb(1, 2, 3)), {8192, 4096}, "Bitmap too large to resample: 8192 x 4096 pixels"},
    };
    for (const auto &c : cases) {
        QImage dst(c.Target, QImage::Format_Mono);
        EXPECT_EQ(ErrorOf<EInvalidGraphic>([&] { Stretch(dst, c.Source, HermiteFilter, 1.0f); }), c.Error);
        EXPECT_EQ(dst.format(), QImage::Format_Mono) << c.Error;
    }
}

}  // namespace
