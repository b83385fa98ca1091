// The reductions to fixed palettes: the 7-8-4 and 6-6-6 colour cubes, the
// red-green-blue stripes and the grey ramp, with the nearest-level tables
// they share.
#include "ReductionMethods.h"

#include "BmpImage.h"

#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

constexpr uint8_t kLevels4[] = {0, 85, 170, 255};
constexpr uint8_t kLevels6[] = {0, 51, 102, 153, 204, 255};
constexpr uint8_t kLevels7[] = {0, 43, 85, 128, 170, 213, 255};
constexpr uint8_t kLevels8[] = {0, 36, 73, 109, 146, 182, 219, 255};

template <size_t N>
void FillLevelMap(uint8_t (&map)[256], const uint8_t (&levels)[N])
{
    for (int v = 0; v < 256; ++v) {
        size_t best = 0;
        for (size_t i = 1; i < N; ++i)
            if (std::abs(v - levels[i]) < std::abs(v - levels[best]))
                best = i;
        map[v] = static_cast<uint8_t>(best);
    }
}

void SetEntry(uint8_t *palette, int index, uint8_t red, uint8_t green, uint8_t blue)
{
    uint8_t *entry = palette + 4 * index;
    entry[0] = blue;
    entry[1] = green;
    entry[2] = red;
    entry[3] = 0;
}

// Runs a per-pixel converter over every stored row: (red, green, blue, row,
// column) to an index.
void ConvertRows(int32_t width, int32_t height, const uint8_t *source, uint8_t *dest,
                 const std::function<uint8_t(uint8_t, uint8_t, uint8_t, int32_t, int32_t)> &convert)
{
    const size_t sourceStride = static_cast<size_t>(DIBStride(width, 24));
    const size_t destStride = static_cast<size_t>(DIBStride(width, 8));
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t *p = source + y * sourceStride;
        uint8_t *out = dest + y * destStride;
        for (int32_t x = 0; x < width; ++x, p += 3)
            out[x] = convert(p[2], p[1], p[0], y, x);
    }
}

}  // namespace

const TLevelMaps &LevelMaps()
{
    static const TLevelMaps maps = [] {
        TLevelMaps m{};
        FillLevelMap(m.map4, kLevels4);
        FillLevelMap(m.map6, kLevels6);
        FillLevelMap(m.map7, kLevels7);
        FillLevelMap(m.map8, kLevels8);
        return m;
    }();
    return maps;
}

void FillUniform784Palette(uint8_t *palette)
{
    std::memset(palette, 128, 1024);
    for (int r = 0; r < 7; ++r)
        for (int g = 0; g < 8; ++g)
            for (int b = 0; b < 4; ++b)
                SetEntry(palette, r * 32 + g * 4 + b, kLevels7[r], kLevels8[g], kLevels4[b]);
}

void ReduceUniform784(int32_t width, int32_t height, const uint8_t *source, uint8_t *dest)
{
    const TLevelMaps &m = LevelMaps();
    ConvertRows(width, height, source, dest, [&m](uint8_t r, uint8_t g, uint8_t b, int32_t, int32_t) {
        return static_cast<uint8_t>(m.map7[r] * 32 + m.map8[g] * 4 + m.map4[b]);
    });
}

void FillUniform666Palette(uint8_t *palette)
{
    std::memset(palette, 128, 1024);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                SetEntry(palette, r * 36 + g * 6 + b, kLevels6[r], kLevels6[g], kLevels6[b]);
}

void ReduceUniform666(int32_t width, int32_t height, const uint8_t *source, uint8_t *dest)
{
    const TLevelMaps &m = LevelMaps();
    ConvertRows(width, height, source, dest, [&m](uint8_t r, uint8_t g, uint8_t b, int32_t, int32_t) {
        return static_cast<uint8_t>(m.map6[r] * 36 + m.map6[g] * 6 + m.map6[b]);
    });
}

void FillStripesPalette(uint8_t *palette)
{
    std::memset(palette, 0, 1024);
    for (int k = 0; k < 64; ++k) {
        const uint8_t v = static_cast<uint8_t>(4 * k);
        SetEntry(palette, k, v, 0, 0);
        SetEntry(palette, 64 + k, 0, v, 0);
        SetEntry(palette, 128 + k, 0, 0, v);
    }
}

void ReduceStripes(int32_t width, int32_t height, const uint8_t *source, uint8_t *dest)
{
    ConvertRows(width, height, source, dest, [](uint8_t r, uint8_t g, uint8_t b, int32_t y, int32_t x) {
        switch ((y + x) % 3) {
        case 0: return static_cast<uint8_t>(r >> 2);
        case 1: return static_cast<uint8_t>(64 + (g >> 2));
        default: return static_cast<uint8_t>(128 + (b >> 2));
        }
    });
}

void FillGrayscalePalette(uint8_t *palette)
{
    for (int i = 0; i < 256; ++i)
        SetEntry(palette, i, static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i));
}

void ReduceGrayscale(int32_t width, int32_t height, const uint8_t *source, uint8_t *dest)
{
    ConvertRows(width, height, source, dest, [](uint8_t r, uint8_t g, uint8_t b, int32_t, int32_t) {
        return GrayLevel(r, g, b);
    });
}
