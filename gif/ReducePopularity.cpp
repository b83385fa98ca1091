#include "ReductionMethods.h"

#include "BmpImage.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <numeric>

namespace {

constexpr int kMaxColors = 2049;
constexpr int kSlots = 5191;
constexpr uint16_t kEmptySlot = 0xFFFF;

struct TPopularityEntry {
    uint8_t blue, green, red;
    int32_t pixels;
    uint8_t index;
};

struct TPopularityTable {
    int32_t count;
    uint8_t redMask, greenMask, blueMask;
    TPopularityEntry entries[kMaxColors];
    uint16_t hashSlots[kSlots];

    void Reset(uint8_t red, uint8_t green, uint8_t blue)
    {
        count = 0;
        redMask = red;
        greenMask = green;
        blueMask = blue;
        std::fill(std::begin(hashSlots), std::end(hashSlots), kEmptySlot);
    }

    // The slot that holds this masked colour, or the empty slot where it
    // belongs.
    int Find(uint8_t red, uint8_t green, uint8_t blue) const
    {
        int slot = ((red + green) * (green + blue) * (blue + red)) % kSlots;
        while (hashSlots[slot] != kEmptySlot) {
            const TPopularityEntry &e = entries[hashSlots[slot]];
            if (e.red == red && e.green == green && e.blue == blue)
                break;
            slot = slot + 1 == kSlots ? 0 : slot + 1;
        }
        return slot;
    }

    // Counts every pixel; false when the table overflows.
    bool CountPixels(int32_t width, int32_t height, const uint8_t *source)
    {
        const size_t stride = static_cast<size_t>(DIBStride(width, 24));
        int last = -1;  // entry of the previous pixel: runs of one colour skip the hash
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t *p = source + y * stride;
            for (int32_t x = 0; x < width; ++x, p += 3) {
                const uint8_t blue = p[0] & blueMask, green = p[1] & greenMask, red = p[2] & redMask;
                if (last >= 0 && entries[last].red == red && entries[last].green == green &&
                    entries[last].blue == blue) {
                    ++entries[last].pixels;
                    continue;
                }
                const int slot = Find(red, green, blue);
                if (hashSlots[slot] == kEmptySlot) {
                    if (count == kMaxColors)
                        return false;
                    entries[count] = {blue, green, red, 0, 0};
                    hashSlots[slot] = static_cast<uint16_t>(count++);
                }
                last = hashSlots[slot];
                ++entries[last].pixels;
            }
        }
        return true;
    }
};

// Coarsens the channel that keeps the most bits: blue first, then red, then
// green, round and round.
void WidenMasks(uint8_t &red, uint8_t &green, uint8_t &blue)
{
    if (red < green)
        green = static_cast<uint8_t>(green << 1);
    else if (red <= blue)
        blue = static_cast<uint8_t>(blue << 1);
    else
        red = static_cast<uint8_t>(red << 1);
}

void PickColors(TPopularityTable &table, uint8_t *palette, int count)
{
    // Most frequent first; equal counts keep the order in which the colours
    // were met.
    std::vector<int> order(static_cast<size_t>(table.count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&table](int a, int b) {
        return table.entries[a].pixels > table.entries[b].pixels;
    });
    const int picked = std::min(count, table.count);
    for (int i = 0; i < picked; ++i) {
        TPopularityEntry &e = table.entries[order[static_cast<size_t>(i)]];
        e.index = static_cast<uint8_t>(i);
        e.pixels = 0;
        uint8_t *entry = palette + 4 * i;
        entry[0] = e.blue;
        entry[1] = e.green;
        entry[2] = e.red;
        entry[3] = 0;
    }
    for (int i = picked; i < 256; ++i)
        std::memset(palette + 4 * i, 128, 3), palette[4 * i + 3] = 0;
}

void MapUnpickedColors(TPopularityTable &table, const uint8_t *palette, int count)
{
    for (int n = 0; n < table.count; ++n) {
        TPopularityEntry &e = table.entries[n];
        if (e.pixels <= 0)
            continue;
        int best = 0x30000;
        for (int i = 0; i < count; ++i) {
            const uint8_t *entry = palette + 4 * i;
            const int db = entry[0] - e.blue, dg = entry[1] - e.green, dr = entry[2] - e.red;
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < best) {
                best = distance;
                e.index = static_cast<uint8_t>(i);
            }
        }
    }
}

void MapPixels(const TPopularityTable &table, int32_t width, int32_t height,
               const uint8_t *source, uint8_t *dest)
{
    const size_t sourceStride = static_cast<size_t>(DIBStride(width, 24));
    const size_t destStride = static_cast<size_t>(DIBStride(width, 8));
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t *p = source + y * sourceStride;
        uint8_t *out = dest + y * destStride;
        for (int32_t x = 0; x < width; ++x, p += 3) {
            const uint8_t blue = p[0] & table.blueMask, green = p[1] & table.greenMask,
                          red = p[2] & table.redMask;
            out[x] = table.entries[table.hashSlots[table.Find(red, green, blue)]].index;
        }
    }
}

}  // namespace

void ReducePopularity(int32_t width, int32_t height, uint8_t *palette, const uint8_t *source,
                      uint8_t *dest, int count, uint8_t redMask, uint8_t greenMask, uint8_t blueMask)
{
    auto table = std::make_unique<TPopularityTable>();
    table->Reset(redMask, greenMask, blueMask);
    while (!table->CountPixels(width, height, source)) {
        WidenMasks(redMask, greenMask, blueMask);
        table->Reset(redMask, greenMask, blueMask);
    }
    PickColors(*table, palette, count);
    MapUnpickedColors(*table, palette, count);
    MapPixels(*table, width, height, source, dest);
}
