#include "ReSample.h"

#include "Exceptions.h"

#include <algorithm>
#include <cmath>
#include <memory>

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
        for (int c = 0; c < 3; ++c) {
            const float s = Sum[c];
            pixel[c] = s > 255.0f ? 255 : s < 0.0f ? 0 : uint8_t(std::nearbyint(s));
        }
    }
};

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

float HermiteFilter(float x)
{
    const double a = std::fabs(double(x));
    if (a < 1)
        return float((2 * a - 3) * a * a + 1);
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

void StretchBitsmap(TBitsmap &dst, const TBigBitsmap &src, TFilterProc filter, float filterWidth)
{
    constexpr int srcLen = TBigBitsmap::Size, dstLen = TBitsmap::Size;
    const std::vector<TContributorList> lists = BuildContributors(srcLen, dstLen, filter, filterWidth);
    auto work = std::make_unique<TBigBitsmap>();

    // Between rows: output row i of every source column. Whole rows are
    // summed at a time; each pixel still adds its contributors in order.
    std::vector<TChannelSums> rowSums(srcLen);
    for (int i = 0; i < dstLen; ++i) {
        std::fill(rowSums.begin(), rowSums.end(), TChannelSums{});
        for (const TContributor &c : lists[size_t(i)])
            for (int k = 0; k < srcLen; ++k)
                rowSums[size_t(k)].Add(src.Pixel(k, c.Pixel), c.Weight);
        for (int k = 0; k < srcLen; ++k)
            rowSums[size_t(k)].Store(work->Pixel(k, i));
    }
    // Along rows, into the destination, alpha 0.
    for (int k = 0; k < dstLen; ++k)
        for (int i = 0; i < dstLen; ++i) {
            uint8_t *out = dst.Pixel(i, k);
            ApplyList(lists[size_t(i)], [&](int n) { return work->Pixel(n, k); }, out);
            out[3] = 0;
        }
}

void Stretch(QImage &dst, const QImage &src, TFilterProc filter, float filterWidth)
{
    if (src.width() < 1 || src.height() < 1)
        throw Exception("Source bitmap too small");
    const QImage source = src.convertToFormat(QImage::Format_RGB888);
    const int dstWidth = dst.width(), dstHeight = dst.height();
    if (dstWidth < 1 || dstHeight < 1) {
        dst.convertTo(QImage::Format_RGB888);
        return;
    }
    QImage work(dstWidth, source.height(), QImage::Format_RGB888);
    QImage result(dstWidth, dstHeight, QImage::Format_RGB888);

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
