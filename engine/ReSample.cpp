#include "ReSample.h"

#include "Exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <string>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#ifdef __x86_64__
#include <immintrin.h>
#endif

namespace {

// The factor that maps the first and last pixels onto each other. A single
// output pixel would make it 0 and the widened filter endless, so it then
// takes the plain ratio, as a single source pixel does.
float PassScale(int srcLen, int dstLen)
{
    if (srcLen == 1 || dstLen == 1)
        return float(double(dstLen) / srcLen);
    return float(double(dstLen - 1) / (srcLen - 1));
}

// Mirrors an index at the borders; a filter wider than the source could
// still reach past the mirror, so the result is kept inside.
int MirrorIndex(long long j, int srcLen)
{
    long long n = j;
    if (j < 0)
        n = -j;
    else if (j >= srcLen)
        n = 2LL * srcLen - j - 1;
    return int(std::clamp<long long>(n, 0, srcLen - 1));
}

// A channel sum as a byte: clamped (an undefined sum gives 0), then rounded
// to the nearest with ties to even. Adding and taking away 2^23 rounds a
// float in 0..255 to an integer by the processor's default rounding, with
// no branch or library call, so whole rows of sums convert in vectors.
inline uint8_t SumToByte(float sum)
{
    const float clamped = std::min(255.0f, std::max(0.0f, sum));
    return uint8_t((clamped + 0x1p23f) - 0x1p23f);
}

// Three float sums, one per channel, each rounded to float after every
// addition, in the order of the contributors.
struct TChannelSums {
    float Sum[3] = {0.0f, 0.0f, 0.0f};

    void Add(const uint8_t *pixel, float weight)
    {
        for (int c = 0; c < 3; ++c)
            Sum[c] = float(Sum[c] + double(pixel[c]) * weight);
    }

    void Store(uint8_t *pixel) const
    {
        for (int c = 0; c < 3; ++c)
            pixel[c] = SumToByte(Sum[c]);
    }
};

// Adds a weighted line of bytes to their sums, each sum rounded to float.
// The product of a byte and a float is exact in double, so the vector paths
// give the same sums as the plain loop.
void AddLinePlain(float *sums, const uint8_t *line, int count, float weight, int b)
{
    for (; b < count; ++b)
        sums[b] = float(sums[b] + double(line[b]) * weight);
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define BL_HAS_AVX2_PATH 1
// Eight bytes at a time, on processors that have AVX2.
__attribute__((target("avx2"))) void AddLineAvx2(float *sums, const uint8_t *line, int count, float weight)
{
    int b = 0;
    const __m256d w = _mm256_set1_pd(weight);
    for (; b + 8 <= count; b += 8) {
        int64_t eight;
        std::memcpy(&eight, line + b, 8);
        const __m256i ints = _mm256_cvtepu8_epi32(_mm_cvtsi64_si128(eight));
        const __m256d low = _mm256_cvtepi32_pd(_mm256_castsi256_si128(ints));
        const __m256d high = _mm256_cvtepi32_pd(_mm256_extracti128_si256(ints, 1));
        const __m256 old = _mm256_loadu_ps(sums + b);
        const __m256d sumLow = _mm256_add_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(old)), _mm256_mul_pd(low, w));
        const __m256d sumHigh = _mm256_add_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(old, 1)), _mm256_mul_pd(high, w));
        _mm256_storeu_ps(sums + b, _mm256_set_m128(_mm256_cvtpd_ps(sumHigh), _mm256_cvtpd_ps(sumLow)));
    }
    AddLinePlain(sums, line, count, weight, b);
}
#endif

void AddLineSse2(float *sums, const uint8_t *line, int count, float weight)
{
    int b = 0;
#ifdef __SSE2__
    const __m128d w = _mm_set1_pd(weight);
    const __m128i zero = _mm_setzero_si128();
    for (; b + 4 <= count; b += 4) {
        int32_t four;
        std::memcpy(&four, line + b, 4);
        const __m128i ints = _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(four), zero), zero);
        const __m128d low = _mm_cvtepi32_pd(ints);
        const __m128d high = _mm_cvtepi32_pd(_mm_shuffle_epi32(ints, _MM_SHUFFLE(1, 0, 3, 2)));
        const __m128 old = _mm_loadu_ps(sums + b);
        const __m128d sumLow = _mm_add_pd(_mm_cvtps_pd(old), _mm_mul_pd(low, w));
        const __m128d sumHigh = _mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(old, old)), _mm_mul_pd(high, w));
        _mm_storeu_ps(sums + b, _mm_movelh_ps(_mm_cvtpd_ps(sumLow), _mm_cvtpd_ps(sumHigh)));
    }
#endif
    AddLinePlain(sums, line, count, weight, b);
}

using TAddLine = void (*)(float *, const uint8_t *, int, float);

// The widest vector path this processor runs.
TAddLine ChooseAddLine()
{
#ifdef BL_HAS_AVX2_PATH
    if (__builtin_cpu_supports("avx2"))
        return AddLineAvx2;
#endif
    return AddLineSse2;
}

void AddLine(float *sums, const uint8_t *line, int count, float weight)
{
    static const TAddLine addLine = ChooseAddLine();
    addLine(sums, line, count, weight);
}

// Four channel sums as the four bytes of a pixel, as SumToByte gives them.
uint32_t PixelFromSums(const float *sums)
{
#ifdef __SSE2__
    // Rounding to an integer uses the processor's default, ties to even.
    const __m128 clamped = _mm_min_ps(_mm_max_ps(_mm_loadu_ps(sums), _mm_setzero_ps()), _mm_set1_ps(255.0f));
    const __m128i ints = _mm_cvtps_epi32(clamped);
    const __m128i words = _mm_packs_epi32(ints, ints);
    return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
#else
    uint8_t bytes[4];
    for (int b = 0; b < 4; ++b)
        bytes[b] = SumToByte(sums[b]);
    uint32_t pixel;
    std::memcpy(&pixel, bytes, 4);
    return pixel;
#endif
}

// Applies one contributor list to a line of pixels reached through
// pixelAt(n), writing the result to out.
template <typename PixelAt>
void ApplyList(const TContributorList &list, PixelAt pixelAt, uint8_t *out)
{
    TChannelSums sums;
    for (const TContributor &c : list)
        sums.Add(pixelAt(c.Pixel), c.Weight);
    sums.Store(out);
}

}  // namespace

// Near the edge of the support the sum cancels almost to nothing, so it is
// taken in extended precision.
float HermiteFilter(float x)
{
    const long double a = std::fabs((long double)x);
    if (a < 1)
        return float((2 * a - 3) * (a * a) + 1);
    return 0.0f;
}

// When shrinking, the filter is widened by 1 / scale and its weights scaled
// by scale, so that a list's weights sum to about 1.
std::vector<TContributorList> BuildContributors(int srcLen, int dstLen, TFilterProc filter, float filterWidth)
{
    const float scale = PassScale(srcLen, dstLen);
    const bool shrinking = scale < 1;
    const float width = shrinking ? float(double(filterWidth) / scale) : filterWidth;
    const float fscale = shrinking ? float(1.0 / scale) : 1.0f;

    std::vector<TContributorList> lists(static_cast<size_t>(dstLen));
    for (int i = 0; i < dstLen; ++i) {
        const float center = float(double(i) / scale);
        const long long left = (long long)std::floor(double(center) - width);
        const long long right = (long long)std::ceil(double(center) + width);
        TContributorList &list = lists[size_t(i)];
        list.reserve(size_t(2 * double(width) + 1));
        for (long long j = left; j <= right; ++j) {
            const float weight = shrinking ? float(double(filter(float((double(center) - j) / fscale))) / fscale)
                                           : filter(float(double(center) - j));
            if (weight != 0.0f)
                list.push_back({MirrorIndex(j, srcLen), weight});
        }
    }
    return lists;
}

namespace {

// The lists of the 500 to 250 reduction, made once for a filter and kept.
const std::vector<TContributorList> &HalvingLists(TFilterProc filter, float filterWidth)
{
    static TFilterProc madeFor = nullptr;
    static float madeWidth = 0.0f;
    static std::vector<TContributorList> lists;
    if (filter != madeFor || filterWidth != madeWidth || lists.empty()) {
        lists = BuildContributors(TBigBitsmap::Size, TBitsmap::Size, filter, filterWidth);
        madeFor = filter;
        madeWidth = filterWidth;
    }
    return lists;
}

// One more than the highest source index that the first `count` lists use.
int ListsReach(const std::vector<TContributorList> &lists, int count)
{
    int reach = 0;
    for (int i = 0; i < count; ++i)
        for (const TContributor &c : lists[size_t(i)])
            reach = std::max(reach, c.Pixel + 1);
    return reach;
}

}  // namespace

TPixelBlock SupersampleReach(TFilterProc filter, float filterWidth, int width, int height)
{
    const std::vector<TContributorList> &lists = HalvingLists(filter, filterWidth);
    return {ListsReach(lists, width), ListsReach(lists, height)};
}

// Both passes sum whole lines of bytes at a time, every byte alike (the
// alpha sums are never used), so that they run in vectors; the first pass
// writes its result transposed, one line per source column, so that the
// second pass reads lines as well. Each pixel still adds its contributors
// in their order, so a block gives the bytes that the whole reduction gives
// there.
void StretchBitsmap(TBitsmap &dst, const TBigBitsmap &src, TFilterProc filter, float filterWidth, int width,
                    int height)
{
    constexpr int dstLineBytes = TBitsmap::Size * 4;
    const std::vector<TContributorList> &lists = HalvingLists(filter, filterWidth);
    const int reachX = ListsReach(lists, width);
    const int reachBytes = reachX * 4, heightBytes = height * 4;

    // Between rows: output row i of every source column k the second pass
    // reads, stored at byte k * dstLineBytes + i * 4.
    static std::vector<uint8_t> work(size_t(TBigBitsmap::Size) * dstLineBytes);
    static std::vector<float> sums(TBigBitsmap::RowBytes);
    for (int i = 0; i < height; ++i) {
        std::fill(sums.begin(), sums.begin() + reachBytes, 0.0f);
        for (const TContributor &c : lists[size_t(i)])
            AddLine(sums.data(), src.Pixel(0, c.Pixel), reachBytes, c.Weight);
        for (int k = 0; k < reachX; ++k) {
            const uint32_t pixel = PixelFromSums(&sums[size_t(k) * 4]);
            std::memcpy(&work[size_t(k) * dstLineBytes + size_t(i) * 4], &pixel, 4);
        }
    }
    // Along rows: output column i of every row, into the destination with a
    // zero alpha byte.
    for (int i = 0; i < width; ++i) {
        std::fill(sums.begin(), sums.begin() + heightBytes, 0.0f);
        for (const TContributor &c : lists[size_t(i)])
            AddLine(sums.data(), work.data() + size_t(c.Pixel) * dstLineBytes, heightBytes, c.Weight);
        for (int k = 0; k < height; ++k) {
            uint8_t *out = dst.Pixel(i, k);
            const uint32_t pixel = PixelFromSums(&sums[size_t(k) * 4]);
            std::memcpy(out, &pixel, 3);
            out[3] = 0;
        }
    }
}

namespace {

// Qt gives a null image when the memory for one could not be had.
QImage Allocated(QImage image)
{
    if (image.isNull())
        throw std::bad_alloc();
    return image;
}

// A 24-bit image for one of the passes. Textures, the pictures stretched
// here, are 64 x 64 and come from pictures of at most 2^24 pixels, so no
// pass needs more than that many (48 MB); a larger one is refused before
// anything is allocated.
QImage PassImage(int width, int height)
{
    constexpr int64_t largestPassPixels = int64_t(1) << 24;
    if (int64_t(width) * height > largestPassPixels)
        throw EInvalidGraphic("Bitmap too large to resample: " + std::to_string(width) + " x " +
                              std::to_string(height) + " pixels");
    return Allocated(QImage(width, height, QImage::Format_RGB888));
}

}  // namespace

void Stretch(QImage &dst, const QImage &src, TFilterProc filter, float filterWidth)
{
    if (src.width() < 1 || src.height() < 1)
        throw Exception("Source bitmap too small");
    const int dstWidth = dst.width(), dstHeight = dst.height();
    if (dstWidth < 1 || dstHeight < 1) {
        dst.convertTo(QImage::Format_RGB888);
        return;
    }
    QImage work = PassImage(dstWidth, src.height());
    QImage result = PassImage(dstWidth, dstHeight);
    const QImage source = Allocated(src.convertToFormat(QImage::Format_RGB888));

    const auto columns = BuildContributors(source.width(), dstWidth, filter, filterWidth);
    for (int k = 0; k < source.height(); ++k) {
        const uchar *line = source.constScanLine(k);
        uchar *out = work.scanLine(k);
        for (int i = 0; i < dstWidth; ++i)
            ApplyList(columns[size_t(i)], [&](int n) { return line + n * 3; }, out + i * 3);
    }
    const auto rows = BuildContributors(source.height(), dstHeight, filter, filterWidth);
    for (int k = 0; k < dstWidth; ++k)
        for (int i = 0; i < dstHeight; ++i)
            ApplyList(rows[size_t(i)], [&](int n) { return work.constScanLine(n) + k * 3; },
                      result.scanLine(i) + k * 3);
    dst = result;
}
