// The popularity reduction to 8-bit palette indexes: the most frequent colours
// win.
#include "ReductionMethods.h"

#include "BmpImage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <numeric>

namespace {

// The table of masked colours holds at most this many; one more widens a mask.
constexpr size_t kMaxColors = 2049;
constexpr uint32_t kNone = 0xFFFFFFFF;

// A stretch of equal pixels within a row.
struct TRun {
    uint32_t color;  // its colour number
    uint32_t length;
};

// Every distinct 24-bit colour of the pixels in the order first met, with its
// pixel count, and the runs of equal pixels that make up the rows.
struct TColorHistogram {
    std::vector<uint32_t> colors;  // 0xRRGGBB
    std::vector<int32_t> pixels;
    std::vector<TRun> runs;
};

// A multiplicative hash of a colour: its top bits, which every bit of the
// colour moves, pick the slot.
inline size_t ColorSlot(uint32_t rgb, int bits) { return (rgb * 2654435761u) >> (32 - bits); }

// Numbers the distinct colours: open addressing, at most half full. A slot
// holds its colour under the generation of the counting that filled it, so
// that a new counting starts without emptying the table.
class TColorNumbers {
public:
    // Forgets every colour.
    void Start()
    {
        if (++generation_ > kLastGeneration) {
            std::fill(slots_.begin(), slots_.end(), TSlot{0, 0});
            generation_ = 1;
        }
        count_ = 0;
    }

    // Room for `colors` more colours.
    void Reserve(size_t colors)
    {
        while (2 * (count_ + colors) > slots_.size())
            Grow();
    }

    // The number of the colour; a colour not met before takes the next one,
    // without a branch on whether it is new.
    uint32_t Number(uint32_t rgb)
    {
        const uint32_t key = generation_ << 24 | rgb;
        TSlot &slot = Slot(key);
        const bool isNew = slot.key != key;
        const uint32_t number = isNew ? count_ : slot.number;
        slot = {key, number};
        count_ += isNew;
        return number;
    }

    uint32_t Count() const { return count_; }

private:
    struct TSlot {
        uint32_t key;  // generation above the colour; empty unless of this generation
        uint32_t number;
    };
    static constexpr uint32_t kLastGeneration = 0xFF;

    // The colour's slot, or the free slot where it goes.
    TSlot &Slot(uint32_t key)
    {
        const size_t mask = slots_.size() - 1;
        size_t slot = ColorSlot(key & 0xFFFFFF, bits_);
        while (slots_[slot].key != key && slots_[slot].key >> 24 == generation_)
            slot = (slot + 1) & mask;
        return slots_[slot];
    }

    void Grow()
    {
        std::vector<TSlot> old(size_t(1) << ++bits_, TSlot{0, 0});
        old.swap(slots_);
        for (const TSlot &slot : old)
            if (slot.key >> 24 == generation_)
                Slot(slot.key) = slot;
    }

    static constexpr int kInitialBits = 12;
    std::vector<TSlot> slots_ = std::vector<TSlot>(size_t(1) << kInitialBits, TSlot{0, 0});
    int bits_ = kInitialBits;
    uint32_t generation_ = 0;
    uint32_t count_ = 0;
};

// The three bytes of the pixel at p, the first one lowest.
inline uint32_t PixelBytes(const uint8_t *p) { return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]; }

// The same in one read of four bytes, for a pixel that another one follows.
inline uint32_t PixelBytesBeforeAnother(const uint8_t *p)
{
    uint32_t bytes;
    std::memcpy(&bytes, p, 4);
    return bytes & 0xFFFFFF;
}

// 0xRRGGBB from the bytes of a pixel.
inline uint32_t ColorOf(uint32_t bytes, bool redFirst)
{
    return redFirst ? (bytes & 0xFF) << 16 | (bytes & 0xFF00) | bytes >> 16 : bytes;
}

// Whether the eight pixels at p are all the pixel before them: their bytes
// then repeat every three.
inline bool SameAsBefore8(const uint8_t *p)
{
    uint64_t before[3], at[3];
    std::memcpy(before, p - 3, 24);
    std::memcpy(at, p, 24);
    return ((before[0] ^ at[0]) | (before[1] ^ at[1]) | (before[2] ^ at[2])) == 0;
}

// Where the runs of equal pixels of a row start, and the row's width after
// them; found eight pixels at a time where the pixels go on unchanged, and
// without a branch on whether a pixel differs from the last one elsewhere.
size_t RunStarts(const uint8_t *row, int32_t width, std::vector<int32_t> &starts)
{
    size_t count = 1;
    starts[0] = 0;
    uint32_t last = PixelBytes(row);
    const auto note = [&](int32_t x, uint32_t pixel) {
        starts[count] = x;
        count += pixel != last;
        last = pixel;
    };
    int32_t x = 1;
    for (; x + 8 < width; x += 8) {
        if (SameAsBefore8(row + 3 * x))
            continue;
        for (int32_t i = x; i < x + 8; ++i)
            note(i, PixelBytesBeforeAnother(row + 3 * i));
    }
    for (; x + 1 < width; ++x)
        note(x, PixelBytesBeforeAnother(row + 3 * x));
    if (width > 1)
        note(width - 1, PixelBytes(row + 3 * (width - 1)));
    starts[count] = width;
    return count;
}

// A row brings at most one new colour and one run a pixel. The next
// colour's entries are written before the colour is known to be new, so
// there is room for one more.
void MakeRoomForRow(TColorHistogram &h, TColorNumbers &numbers, size_t runCount, int32_t width)
{
    numbers.Reserve(static_cast<size_t>(width));
    const size_t colors = numbers.Count() + static_cast<size_t>(width) + 1;
    if (h.colors.size() < colors) {
        h.colors.resize(std::max(colors, 2 * h.colors.size()));
        h.pixels.resize(h.colors.size());
    }
    const size_t runs = runCount + static_cast<size_t>(width);
    if (h.runs.size() < runs)
        h.runs.resize(std::max(runs, 2 * h.runs.size()));
}

// Each run of equal pixels is looked up once, without a branch on whether
// its colour is new.
void CountExactColors(int32_t width, int32_t height, const TTrueColorRows &source, TColorNumbers &numbers,
                      TColorHistogram &h, std::vector<int32_t> &starts)
{
    numbers.Start();
    starts.resize(static_cast<size_t>(width) + 1);
    size_t runCount = 0;
    for (int32_t y = 0; width > 0 && y < height; ++y) {
        MakeRoomForRow(h, numbers, runCount, width);
        const uint8_t *row = source.first + y * source.step;
        const size_t runs = RunStarts(row, width, starts);
        for (size_t r = 0; r < runs; ++r) {
            const int32_t x = starts[r], length = starts[r + 1] - x;
            const uint32_t rgb = ColorOf(PixelBytes(row + 3 * x), source.redFirst);
            const uint32_t next = numbers.Count();
            h.colors[next] = rgb;
            h.pixels[next] = 0;
            const uint32_t number = numbers.Number(rgb);
            h.pixels[number] += length;
            h.runs[runCount++] = {number, uint32_t(length)};
        }
    }
    h.colors.resize(numbers.Count());
    h.pixels.resize(numbers.Count());
    h.runs.resize(runCount);
}

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

// From three full masks the widening drops the lowest bit of blue, then of
// red, then of green, then the next bit of blue and so on. With the bits of
// a colour interleaved in that order (blue bit 0 lowest, then red bit 0,
// green bit 0, blue bit 1 ...), the colours that k widenings make equal are
// exactly those whose interleaved keys agree above their k lowest bits.
uint32_t InterleavedKey(uint32_t rgb)
{
    static const std::array<uint32_t, 256> spread = [] {
        std::array<uint32_t, 256> s{};
        for (uint32_t v = 0; v < 256; ++v)
            for (int b = 0; b < 8; ++b)
                s[v] |= ((v >> b) & 1u) << (3 * b);
        return s;
    }();
    return spread[rgb & 0xFF] | spread[(rgb >> 8) & 0xFF] << 2 | spread[rgb >> 16] << 1;
}

// A colour number with its interleaved key above it, so that sorting these
// sorts the colours by key and the sorted list is read straight through.
using TKeyedColor = uint64_t;

inline TKeyedColor Keyed(uint32_t key, uint32_t number) { return TKeyedColor(key) << 32 | number; }
inline uint32_t KeyOf(TKeyedColor keyed) { return uint32_t(keyed >> 32); }
inline uint32_t NumberOf(TKeyedColor keyed) { return uint32_t(keyed); }

// The colours in ascending order of their keys, which are all different: a
// radix sort of the 24-bit keys, twelve bits at a time, its two counts made
// in one pass.
void SortByKey(std::vector<TKeyedColor> &colors, std::vector<TKeyedColor> &spare)
{
    constexpr int kDigitBits = 12;
    constexpr uint32_t kDigits = 1u << kDigitBits;
    spare.resize(colors.size());
    thread_local std::array<std::array<uint32_t, kDigits + 1>, 2> start;
    for (auto &at : start)
        at.fill(0);
    for (const TKeyedColor keyed : colors)
        for (int pass = 0; pass < 2; ++pass)
            ++start[size_t(pass)][((KeyOf(keyed) >> (kDigitBits * pass)) & (kDigits - 1)) + 1];
    for (int pass = 0; pass < 2; ++pass) {
        auto &at = start[size_t(pass)];
        std::partial_sum(at.begin(), at.end(), at.begin());
        for (const TKeyedColor keyed : colors)
            spare[at[(KeyOf(keyed) >> (kDigitBits * pass)) & (kDigits - 1)]++] = keyed;
        colors.swap(spare);
    }
}

// The number of widenings after which the masked colours fit the table:
// neighbours in key order that differ in a bit at or above k stay apart.
int WideningsNeeded(const std::vector<TKeyedColor> &sorted)
{
    std::array<size_t, 25> apartAbove{};  // neighbour pairs whose highest differing bit is b
    for (size_t j = 1; j < sorted.size(); ++j)
        ++apartAbove[size_t(31 - __builtin_clz(KeyOf(sorted[j - 1]) ^ KeyOf(sorted[j])))];
    size_t distinct = sorted.size();
    int k = 0;
    while (distinct > kMaxColors)
        distinct -= apartAbove[size_t(k++)];
    return k;
}

struct TPopularityEntry {
    uint8_t blue, green, red;
    int32_t pixels;
    uint8_t index;
};

// The masked colours in the order first met with their pixel counts, and the
// entry of every exact colour.
struct TPopularityTable {
    std::vector<TPopularityEntry> entries;
    std::vector<uint32_t> entryOf;  // by colour number

    // Colours of one group share their key above the dropped bits; groups
    // are numbered in key order. Returns the number of groups.
    uint32_t GroupByKey(const std::vector<TKeyedColor> &sorted, int widenings)
    {
        std::vector<uint32_t> &groupOf = entryOf;
        groupOf.resize(sorted.size());
        uint32_t group = 0;
        for (size_t j = 0; j < sorted.size(); ++j) {
            if (j > 0 && (KeyOf(sorted[j]) >> widenings) != (KeyOf(sorted[j - 1]) >> widenings))
                ++group;
            groupOf[NumberOf(sorted[j])] = group;
        }
        return sorted.empty() ? 0 : group + 1;
    }

    // Each colour is a group of its own.
    uint32_t GroupEach(size_t colors)
    {
        entryOf.resize(colors);
        std::iota(entryOf.begin(), entryOf.end(), 0u);
        return static_cast<uint32_t>(colors);
    }

    // The entries of the groups: a group is entered when its first colour in
    // scan order comes up.
    void Fill(const TColorHistogram &histogram, uint32_t groups, uint8_t redMask, uint8_t greenMask,
              uint8_t blueMask)
    {
        const std::vector<uint32_t> &groupOf = entryOf;
        entryOfGroup.assign(groups, kNone);
        entries.clear();
        for (size_t c = 0; c < histogram.colors.size(); ++c) {
            uint32_t &entry = entryOfGroup[groupOf[c]];
            if (entry == kNone) {
                entry = static_cast<uint32_t>(entries.size());
                const uint32_t rgb = histogram.colors[c];
                entries.push_back({uint8_t(rgb & blueMask), uint8_t((rgb >> 8) & greenMask),
                                   uint8_t((rgb >> 16) & redMask), 0, 0});
            }
            entryOf[c] = entry;
            entries[entry].pixels += histogram.pixels[c];
        }
    }

    std::vector<uint32_t> entryOfGroup;
};

void PickColors(TPopularityTable &table, uint8_t *palette, int count)
{
    // Most frequent first; equal counts go to the colour met first: the
    // order of the count's complement above the entry's place.
    std::vector<uint64_t> order(table.entries.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = uint64_t(uint32_t(INT32_MAX - table.entries[i].pixels)) << 32 | i;
    const size_t picked = std::min(static_cast<size_t>(count), order.size());
    std::nth_element(order.begin(), order.begin() + picked, order.end());
    std::sort(order.begin(), order.begin() + picked);
    for (size_t i = 0; i < picked; ++i) {
        TPopularityEntry &e = table.entries[uint32_t(order[i])];
        e.index = static_cast<uint8_t>(i);
        e.pixels = 0;
        uint8_t *entry = palette + 4 * i;
        entry[0] = e.blue;
        entry[1] = e.green;
        entry[2] = e.red;
        entry[3] = 0;
    }
    for (size_t i = picked; i < 256; ++i)
        std::memset(palette + 4 * i, 128, 3), palette[4 * i + 3] = 0;
}

// A palette colour with the sum of its channels.
struct TSummedColor {
    int sum;
    int blue, green, red;
    uint32_t index;
};

// Gives every colour not picked the nearest palette colour (squared
// distance), equal distances going to the lower index: the smallest of
// distance and index side by side. Candidates are visited outward in order
// of the sum of their channels: the square of the difference of the sums is
// at most three times the squared distance, so the search stops once it
// alone exceeds three times the best distance found.
void MapUnpickedColors(TPopularityTable &table, const uint8_t *palette, int count)
{
    std::vector<TSummedColor> bySum;
    for (int i = 0; i < count; ++i) {
        const uint8_t *p = palette + 4 * i;
        bySum.push_back({p[0] + p[1] + p[2], p[0], p[1], p[2], uint32_t(i)});
    }
    std::sort(bySum.begin(), bySum.end(), [](const TSummedColor &a, const TSummedColor &b) { return a.sum < b.sum; });
    // Where the colours of each sum or more begin.
    std::array<uint16_t, 3 * 255 + 1> firstOfSum;
    for (size_t sum = 0, k = 0; sum < firstOfSum.size(); ++sum) {
        while (k < bySum.size() && bySum[k].sum < int(sum))
            ++k;
        firstOfSum[sum] = uint16_t(k);
    }
    for (TPopularityEntry &e : table.entries) {
        if (e.pixels <= 0)
            continue;
        uint32_t best = 0x30000 << 8;  // beyond any distance
        const auto consider = [&](const TSummedColor &c) {
            const int db = c.blue - e.blue, dg = c.green - e.green, dr = c.red - e.red;
            best = std::min(best, uint32_t(dr * dr + dg * dg + db * db) << 8 | c.index);
        };
        const int sum = e.blue + e.green + e.red;
        const auto near = [&](size_t k) { const int d = bySum[k].sum - sum; return uint32_t(d * d) <= 3 * (best >> 8); };
        const size_t start = firstOfSum[size_t(sum)];
        for (size_t k = start; k < bySum.size() && near(k); ++k)
            consider(bySum[k]);
        for (size_t k = start; k-- > 0 && near(k);)
            consider(bySum[k]);
        e.index = static_cast<uint8_t>(best);
    }
}

// Most runs are a few pixels long: such a run is written as one 8-byte store
// where the row has room for it, the bytes past the run being written again
// by the runs that follow.
void MapPixels(const TPopularityTable &table, const TColorHistogram &histogram, int32_t width, int32_t height,
               uint8_t *dest, std::vector<uint8_t> &indexOf)
{
    indexOf.resize(histogram.colors.size());
    for (size_t c = 0; c < indexOf.size(); ++c)
        indexOf[c] = table.entries[table.entryOf[c]].index;
    const size_t destStride = static_cast<size_t>(DIBStride(width, 8));
    const TRun *run = histogram.runs.data();
    for (int32_t y = 0; y < height; ++y) {
        uint8_t *out = dest + y * destStride;
        for (int32_t x = 0; x < width; x += run->length, ++run) {
            const uint8_t index = indexOf[run->color];
            if (run->length <= 8 && x + 8 <= width) {
                const uint64_t eightTimes = index * 0x0101010101010101ull;
                std::memcpy(out + x, &eightTimes, 8);
            } else {
                std::memset(out + x, index, run->length);
            }
        }
    }
}

// Working memory kept from one reduction to the next: a picture's worth of
// colour numbers is large, and fresh pages cost more than the counting.
struct TPopularityScratch {
    TColorNumbers numbers;
    TColorHistogram histogram;
    std::vector<TKeyedColor> sorted, spare;
    TPopularityTable table;
    std::vector<uint8_t> indexOf;  // by colour number
    std::vector<int32_t> runStarts;  // of one row
    uint32_t groups = 0;             // of colours that the masks make equal
};

// Groups the colours that the widened masks make equal, in the table; returns
// the number of widenings. Colours that fit the table as they are need none.
int GroupColors(TPopularityScratch &scratch)
{
    const TColorHistogram &histogram = scratch.histogram;
    if (histogram.colors.size() <= kMaxColors) {
        scratch.groups = scratch.table.GroupEach(histogram.colors.size());
        return 0;
    }
    std::vector<TKeyedColor> &sorted = scratch.sorted;
    sorted.resize(histogram.colors.size());
    for (uint32_t c = 0; c < sorted.size(); ++c)
        sorted[c] = Keyed(InterleavedKey(histogram.colors[c]), c);
    SortByKey(sorted, scratch.spare);
    const int widenings = WideningsNeeded(sorted);
    scratch.groups = scratch.table.GroupByKey(sorted, widenings);
    return widenings;
}

}  // namespace

void ReducePopularity(int32_t width, int32_t height, uint8_t *palette, const TTrueColorRows &source,
                      uint8_t *dest, int count)
{
    thread_local const auto scratch = std::make_unique<TPopularityScratch>();
    // The exact colours are counted once; the masks that make them fit the
    // table follow from their interleaved keys without counting again, and
    // the order in which colours are first met, and so every tie, stays that
    // of the pixel scan.
    TColorHistogram &histogram = scratch->histogram;
    CountExactColors(width, height, source, scratch->numbers, histogram, scratch->runStarts);
    const int widenings = GroupColors(*scratch);
    uint8_t redMask = 0xFF, greenMask = 0xFF, blueMask = 0xFF;
    for (int k = 0; k < widenings; ++k)
        WidenMasks(redMask, greenMask, blueMask);
    scratch->table.Fill(histogram, scratch->groups, redMask, greenMask, blueMask);
    PickColors(scratch->table, palette, count);
    MapUnpickedColors(scratch->table, palette, count);
    MapPixels(scratch->table, histogram, width, height, dest, scratch->indexOf);
}

void ReducePopularity(int32_t width, int32_t height, uint8_t *palette, const uint8_t *source,
                      uint8_t *dest, int count)
{
    const TTrueColorRows rows{source, static_cast<ptrdiff_t>(DIBStride(width, 24)), false};
    ReducePopularity(width, height, palette, rows, dest, count);
}
