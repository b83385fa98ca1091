#include "BmpPalette.h"

#include "ColorReduction.h"
#include "Dib.h"
#include "GraphicsColor.h"

#include <unordered_map>

namespace {

constexpr uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

std::vector<uint32_t> StandardPalette16()
{
    std::vector<uint32_t> palette;
    for (const QRgb color : StandardColors16())
        palette.push_back(uint32_t(QRgbToColor(color)));
    return palette;
}

// 216 cube colours with levels 0, 51, ... 255, then 8 greys inside each of
// the 5 steps between the cube's greys.
std::vector<uint32_t> CubePalette256()
{
    std::vector<uint32_t> palette;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(Rgb(51 * r, 51 * g, 51 * b));
    for (int step = 0; step < 5; ++step)
        for (int j = 1; j <= 8; ++j) {
            const int grey = 51 * step + 51 * j / 9;
            palette.push_back(Rgb(grey, grey, grey));
        }
    return palette;
}

int Distance(uint32_t a, uint32_t b)
{
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

uint8_t NearestIndex(const std::vector<uint32_t> &palette, uint32_t color)
{
    size_t best = 0;
    for (size_t i = 1; i < palette.size(); ++i)
        if (Distance(palette[i], color) < Distance(palette[best], color))
            best = i;
    return uint8_t(best);
}

// The picture's own colours in order of first appearance, or an empty list
// when there are more than maxColors of them.
std::vector<uint32_t> ExactPalette(const QImage &rgb888, size_t maxColors)
{
    std::vector<uint32_t> palette;
    std::unordered_map<uint32_t, bool> seen;
    for (int y = 0; y < rgb888.height(); ++y) {
        const uchar *row = rgb888.constScanLine(y);
        for (int x = 0; x < rgb888.width(); ++x) {
            const uint32_t color = PixelColor(row, x);
            if (seen.emplace(color, true).second) {
                if (palette.size() == maxColors)
                    return {};
                palette.push_back(color);
            }
        }
    }
    return palette;
}

}  // namespace

TIndexedPicture IndexPicture(const QImage &rgb888, int maxColors)
{
    TIndexedPicture result;
    result.Palette = ExactPalette(rgb888, size_t(maxColors));
    if (result.Palette.empty())
        result.Palette = maxColors <= 16 ? StandardPalette16() : CubePalette256();

    std::unordered_map<uint32_t, uint8_t> cache;
    result.Indices.reserve(size_t(rgb888.width()) * size_t(rgb888.height()));
    for (int y = 0; y < rgb888.height(); ++y) {
        const uchar *row = rgb888.constScanLine(y);
        for (int x = 0; x < rgb888.width(); ++x) {
            const uint32_t color = PixelColor(row, x);
            auto found = cache.find(color);
            if (found == cache.end())
                found = cache.emplace(color, NearestIndex(result.Palette, color)).first;
            result.Indices.push_back(found->second);
        }
    }
    return result;
}
