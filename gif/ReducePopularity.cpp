// The popularity reduction to 8-bit palette indexes: the most frequent colours
// win.
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

// Every distinct 24-bit colour of the pixels in the order first met, with its
// pixel count, and the colour number of every pixel.
struct TColorHistogram {
    std::vector<uint32_t> colors;  // 0xRRGGBB
    std::vector<int32_t> pixels;
    std::vector<uint32_t> colorOfPixel;
};

// Numbers the distinct colours: open addressing that doubles when half full.
class TColorNumbers {
public:
    // The number of the colour, and whether it is new.
    std::pair<uint32_t, bool> Insert(uint32_t rgb)
    {
        if (2 * (count_ + 1) > keys_.size())
            Grow();
        size_t slot = Slot(rgb + 1);
        if (keys_[slot] != 0)
            return {numbers_[slot], false};
        keys_[slot] = rgb + 1;
        numbers_[slot] = count_;
        return {count_++, true};
    }

private:
    size_t Slot(uint32_t key) const
    {
        const size_t mask = keys_.size() - 1;
        size_t slot = (key * 2654435761u) & mask;
        while (keys_[slot] != 0 && keys_[slot] != key)
            slot = (slot + 1) & mask;
        return slot;
    }

    void Grow()
    {
        std::vector<uint32_t> keys(std::max<size_t>(1024, keys_.size() * 2), 0), numbers(keys.size());
        keys.swap(keys_);
        numbers.swap(numbers_);
        for (size_t i = 0; i < keys.size(); ++i)
            if (keys[i] != 0) {
                const size_t slot = Slot(keys[i]);
                keys_[slot] = keys[i];
                numbers_[slot] = numbers[i];
            }
    }

    std::vector<uint32_t> keys_;  // colour + 1, 0 when empty
    std::vector<uint32_t> numbers_;
    uint32_t count_ = 0;
};

TColorHistogram CountExactColors(int32_t width, int32_t height, const uint8_t *source)
{
    TColorHistogram h;
    h.colorOfPixel.resize(static_cast<size_t>(width) * height);
    TColorNumbers numbers;
    const size_t stride = static_cast<size_t>(DIBStride(width, 24));
    uint32_t last = 0xFFFFFFFF, lastNumber = 0;
    size_t n = 0;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t *p = source + y * stride;
        for (int32_t x = 0; x < width; ++x, p += 3) {
            const uint32_t rgb = (p[2] << 16) | (p[1] << 8) | p[0];
            if (rgb != last) {
                const auto [number, isNew] = numbers.Insert(rgb);
                if (isNew) {
                    h.colors.push_back(rgb);
                    h.pixels.push_back(0);
                }
                last = rgb;
                lastNumber = number;
            }
            ++h.pixels[lastNumber];
            h.colorOfPixel[n++] = lastNumber;
        }
    }
    return h;
}

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
        // A multiplicative hash spreads the close colours of shaded pictures
        // over the slots; sums of channels would pile them up.
        const uint32_t rgb = (static_cast<uint32_t>(red) << 16) | (green << 8) | blue;
        int slot = static_cast<int>(((rgb * 2654435761u) >> 16) % kSlots);
        while (hashSlots[slot] != kEmptySlot) {
            const TPopularityEntry &e = entries[hashSlots[slot]];
            if (e.red == red && e.green == green && e.blue == blue)
                break;
            slot = slot + 1 == kSlots ? 0 : slot + 1;
        }
        return slot;
    }

    // Counts the colours (weighted by their pixels, in the order they were
    // first met); false when the table overflows. Sets each colour's entry.
    bool CountColors(const TColorHistogram &histogram, std::vector<uint16_t> &entryOf)
    {
        for (size_t c = 0; c < histogram.colors.size(); ++c) {
            const uint32_t rgb = histogram.colors[c];
            const uint8_t blue = rgb & blueMask, green = (rgb >> 8) & greenMask, red = (rgb >> 16) & redMask;
            const int slot = Find(red, green, blue);
            if (hashSlots[slot] == kEmptySlot) {
                if (count == kMaxColors)
                    return false;
                entries[count] = {blue, green, red, 0, 0};
                hashSlots[slot] = static_cast<uint16_t>(count++);
            }
            entryOf[c] = hashSlots[slot];
            entries[entryOf[c]].pixels += histogram.pixels[c];
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

// Gives every colour not picked the nearest palette colour (squared
// distance), equal distances going to the lower index. Candidates are visited
// outward in order of red, so the search stops once the red difference alone
// exceeds the best distance found.
void MapUnpickedColors(TPopularityTable &table, const uint8_t *palette, int count)
{
    std::vector<std::pair<uint8_t, int>> byRed;
    for (int i = 0; i < count; ++i)
        byRed.push_back({palette[4 * i + 2], i});
    std::sort(byRed.begin(), byRed.end());
    for (int n = 0; n < table.count; ++n) {
        TPopularityEntry &e = table.entries[n];
        if (e.pixels <= 0)
            continue;
        int best = 0x30000, bestIndex = 0;
        const auto consider = [&](int i) {
            const uint8_t *entry = palette + 4 * i;
            const int db = entry[0] - e.blue, dg = entry[1] - e.green, dr = entry[2] - e.red;
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < best || (distance == best && i < bestIndex)) {
                best = distance;
                bestIndex = i;
            }
        };
        const auto redDistance = [&](size_t k) { const int d = byRed[k].first - e.red; return d * d; };
        const size_t start = static_cast<size_t>(
            std::lower_bound(byRed.begin(), byRed.end(), std::make_pair(e.red, 0)) - byRed.begin());
        for (size_t k = start; k < byRed.size() && redDistance(k) <= best; ++k)
            consider(byRed[k].second);
        for (size_t k = start; k-- > 0 && redDistance(k) <= best;)
            consider(byRed[k].second);
        e.index = static_cast<uint8_t>(bestIndex);
    }
}

void MapPixels(const TPopularityTable &table, const TColorHistogram &histogram,
               const std::vector<uint16_t> &entryOf, int32_t width, int32_t height, uint8_t *dest)
{
    const size_t destStride = static_cast<size_t>(DIBStride(width, 8));
    const uint32_t *color = histogram.colorOfPixel.data();
    for (int32_t y = 0; y < height; ++y) {
        uint8_t *out = dest + y * destStride;
        for (int32_t x = 0; x < width; ++x)
            out[x] = table.entries[entryOf[*color++]].index;
    }
}

}  // namespace

void ReducePopularity(int32_t width, int32_t height, uint8_t *palette, const uint8_t *source,
                      uint8_t *dest, int count, uint8_t redMask, uint8_t greenMask, uint8_t blueMask)
{
    // Counting the exact colours once lets every pass with coarser masks
    // work on the colours instead of the pixels; the order in which colours
    // are first met, and so every tie, stays that of the pixel scan.
    const TColorHistogram histogram = CountExactColors(width, height, source);
    std::vector<uint16_t> entryOf(histogram.colors.size());
    auto table = std::make_unique<TPopularityTable>();
    table->Reset(redMask, greenMask, blueMask);
    while (!table->CountColors(histogram, entryOf)) {
        WidenMasks(redMask, greenMask, blueMask);
        table->Reset(redMask, greenMask, blueMask);
    }
    PickColors(*table, palette, count);
    MapUnpickedColors(*table, palette, count);
    MapPixels(*table, histogram, entryOf, width, height, dest);
}
