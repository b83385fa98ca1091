#include "Exceptions.h"
#include "ReSample.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

TEST(HermiteFilter, ValuesAndSymmetry)
{
    EXPECT_EQ(HermiteFilter(0), 1.0f);
    EXPECT_EQ(HermiteFilter(0.5f), 0.5f);
    EXPECT_EQ(HermiteFilter(-0.5f), 0.5f);
    EXPECT_EQ(HermiteFilter(1), 0.0f);
    EXPECT_EQ(HermiteFilter(-1), 0.0f);
    EXPECT_EQ(HermiteFilter(3.5f), 0.0f);
    EXPECT_FLOAT_EQ(HermiteFilter(0.25f), 0.84375f);
}

TEST(HermiteFilter, KeepsItsPrecisionAtTheEdgeOfItsSupport)
{
    // At 1 - e the filter is e^2 (3 - 2e): the cubic cancels almost to
    // nothing there, and the weights of the outermost contributors come
    // from these tiny values.
    for (int k = 19; k < 40; ++k) {
        const long double e = std::ldexp((long double)k, -24);
        const float expected = float(e * e * (3 - 2 * e));
        EXPECT_EQ(HermiteFilter(float(1 - e)), expected) << k;
        EXPECT_EQ(HermiteFilter(float(e - 1)), expected) << k;
    }
}

std::vector<int> PixelsOf(const TContributorList &list)
{
    std::vector<int> pixels;
    for (const TContributor &c : list)
        pixels.push_back(c.Pixel);
    return pixels;
}

TEST(Contributors, HalvingMirrorsAtBothBorders)
{
    const auto lists = BuildContributors(500, 250, HermiteFilter, 1.0f);
    ASSERT_EQ(lists.size(), 250u);
    EXPECT_EQ(PixelsOf(lists[0]), (std::vector<int>{2, 1, 0, 1, 2}));
    EXPECT_EQ(PixelsOf(lists[249]), (std::vector<int>{497, 498, 499, 499, 498}));
    for (const TContributorList &list : lists) {
        EXPECT_LE(list.size(), 5u);
        double sum = 0;
        for (const TContributor &c : list)
            sum += c.Weight;
        EXPECT_NEAR(sum, 1.0, 0.01);
    }
    // The centre weight of the first list: Hermite(0) / 2.004...
    EXPECT_FLOAT_EQ(lists[0][2].Weight, float(1 / float(1 / float(249.0 / 499))));
}

TEST(Contributors, ExtremeShrinkingStaysInsideTheSource)
{
    for (int dst : {1, 2, 3})
        for (const TContributorList &list : BuildContributors(1000, dst, HermiteFilter, 1.0f))
            for (const TContributor &c : list) {
                EXPECT_GE(c.Pixel, 0);
                EXPECT_LT(c.Pixel, 1000);
            }
}

std::unique_ptr<TBigBitsmap> UniformBig(uint8_t r, uint8_t g, uint8_t b)
{
    auto big = std::make_unique<TBigBitsmap>();
    for (size_t i = 0; i < big->Data.size(); i += 4) {
        big->Data[i] = r;
        big->Data[i + 1] = g;
        big->Data[i + 2] = b;
        big->Data[i + 3] = 255;
    }
    return big;
}

TEST(StretchBitsmap, UniformStaysUniformWithZeroAlpha)
{
    auto big = UniformBig(10, 128, 250);
    auto dst = std::make_unique<TBitsmap>();
    StretchBitsmap(*dst, *big, HermiteFilter, 1.0f);
    for (int y = 0; y < 250; y += 7)
        for (int x = 0; x < 250; x += 3) {
            const uint8_t *p = dst->Pixel(x, y);
            ASSERT_NEAR(p[0], 10, 1);
            ASSERT_NEAR(p[1], 128, 1);
            ASSERT_NEAR(p[2], 250, 1);
            ASSERT_EQ(p[3], 0);
        }
}

// The reduction done the plain way, one pixel and one channel at a time:
// between rows first, then along rows, each sum rounded to float after
// every addition.
uint8_t ApplyPlain(const TContributorList &list, const std::function<uint8_t(int)> &byteAt)
{
    float sum = 0;
    for (const TContributor &c : list)
        sum = float(sum + double(byteAt(c.Pixel)) * c.Weight);
    return uint8_t(std::nearbyint(std::min(255.0f, std::max(0.0f, sum))));
}

TEST(StretchBitsmap, GivesTheSameBytesAsThePlainTwoPasses)
{
    auto big = std::make_unique<TBigBitsmap>();
    uint32_t seed = 12345;
    for (uint8_t &b : big->Data) {
        seed = seed * 1103515245u + 12345u;
        b = uint8_t(seed >> 16);
    }
    auto dst = std::make_unique<TBitsmap>();
    StretchBitsmap(*dst, *big, HermiteFilter, 1.0f);

    const auto lists = BuildContributors(500, 250, HermiteFilter, 1.0f);
    std::vector<uint8_t> work(500 * 250 * 3);  // (row i, column k, channel c)
    for (int i = 0; i < 250; ++i)
        for (int k = 0; k < 500; ++k)
            for (int c = 0; c < 3; ++c)
                work[(size_t(i) * 500 + size_t(k)) * 3 + size_t(c)] =
                    ApplyPlain(lists[size_t(i)], [&](int n) { return big->Pixel(k, n)[c]; });
    for (int k = 0; k < 250; ++k)
        for (int i = 0; i < 250; ++i)
            for (int c = 0; c < 3; ++c) {
                const uint8_t expected = ApplyPlain(
                    lists[size_t(i)], [&](int n) { return work[(size_t(k) * 500 + size_t(n)) * 3 + size_t(c)]; });
                ASSERT_EQ(dst->Pixel(i, k)[c], expected) << i << "," << k << "," << c;
            }
}

TEST(StretchBitsmap, SumsAreClampedToBytes)
{
    auto big = UniformBig(200, 0, 100);
    auto dst = std::make_unique<TBitsmap>();
    StretchBitsmap(*dst, *big, [](float x) { return std::fabs(x) < 1 ? 3.0f : 0.0f; }, 1.0f);
    EXPECT_EQ(dst->Pixel(100, 100)[0], 255);
    EXPECT_EQ(dst->Pixel(100, 100)[1], 0);
    StretchBitsmap(*dst, *big, [](float x) { return std::fabs(x) < 1 ? -1.0f : 0.0f; }, 1.0f);
    EXPECT_EQ(dst->Pixel(100, 100)[0], 0);
    EXPECT_EQ(dst->Pixel(100, 100)[2], 0);
}

TEST(StretchBitsmap, CornerPixelsMapOntoEachOther)
{
    auto big = UniformBig(0, 0, 0);
    big->Pixel(0, 0)[0] = 255;
    big->Pixel(499, 499)[1] = 255;
    auto dst = std::make_unique<TBitsmap>();
    StretchBitsmap(*dst, *big, HermiteFilter, 1.0f);
    EXPECT_GT(dst->Pixel(0, 0)[0], 0);
    EXPECT_GT(dst->Pixel(249, 249)[1], 0);
    EXPECT_EQ(dst->Pixel(2, 2)[0], 0);
}

TEST(Stretch, EnlargingASinglePixelCopiesIt)
{
    QImage src(1, 1, QImage::Format_RGB888);
    src.setPixel(0, 0, qRgb(12, 34, 56));
    QImage dst(5, 3, QImage::Format_RGB32);
    Stretch(dst, src, HermiteFilter, 1.0f);
    EXPECT_EQ(dst.format(), QImage::Format_RGB888);
    EXPECT_EQ(dst.size(), QSize(5, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(dst.pixel(x, y), qRgb(12, 34, 56));
}

TEST(Stretch, EnlargingInterpolatesAndRoundsTiesToEven)
{
    QImage src(2, 1, QImage::Format_RGB888);
    src.setPixel(0, 0, qRgb(10, 11, 0));
    src.setPixel(1, 0, qRgb(19, 20, 255));
    QImage dst(3, 1, QImage::Format_RGB888);
    Stretch(dst, src, HermiteFilter, 1.0f);
    EXPECT_EQ(dst.pixel(0, 0), qRgb(10, 11, 0));
    EXPECT_EQ(dst.pixel(1, 0), qRgb(14, 16, 128));  // 14.5, 15.5, 127.5
    EXPECT_EQ(dst.pixel(2, 0), qRgb(19, 20, 255));
}

TEST(Stretch, PictureToTexture)
{
    QImage src(300, 200, QImage::Format_RGB32);
    src.fill(qRgb(90, 60, 30));
    QImage dst(64, 64, QImage::Format_RGB888);
    Stretch(dst, src, HermiteFilter, 1.0f);
    for (int y = 0; y < 64; y += 5)
        for (int x = 0; x < 64; x += 5) {
            const QRgb p = dst.pixel(x, y);
            ASSERT_NEAR(qRed(p), 90, 1);
            ASSERT_NEAR(qGreen(p), 60, 1);
            ASSERT_NEAR(qBlue(p), 30, 1);
        }
}

TEST(Stretch, EmptySourceIsRefused)
{
    QImage dst(64, 64, QImage::Format_RGB888);
    dst.fill(Qt::red);
    for (const QImage &src : {QImage(), QImage(0, 5, QImage::Format_RGB888)}) {
        try {
            Stretch(dst, src, HermiteFilter, 1.0f);
            FAIL() << "no exception";
        } catch (const Exception &e) {
            EXPECT_STREQ(e.what(), "Source bitmap too small");
        }
    }
    EXPECT_EQ(dst.pixel(0, 0), qRgb(255, 0, 0));
}

TEST(Stretch, TinyOrEmptyDestinations)
{
    QImage src(100, 80, QImage::Format_RGB888);
    src.fill(qRgb(40, 50, 60));
    QImage line(1, 1, QImage::Format_RGB888);
    Stretch(line, src, HermiteFilter, 1.0f);
    EXPECT_NEAR(qRed(line.pixel(0, 0)), 40, 1);
    QImage empty;
    Stretch(empty, src, HermiteFilter, 1.0f);
    EXPECT_TRUE(empty.isNull());
}

}  // namespace
