// The median-cut reduction to 8-bit palette indexes.
#include "ReductionMethods.h"

#include "BmpImage.h"

#include <cstring>
#include <vector>

namespace {

constexpr int kEntries = 4096;  // one per colour of 4 bits a channel
constexpr int kMaxBoxes = 256;
constexpr int kNone = -1;

struct TCutEntry {
    uint8_t level[3];  // red, green, blue, 0..15
    uint8_t box;
    int32_t pixels;
    int next;
};

struct TCutBox {
    uint8_t low[3];     // red, green, blue bounds on the 0..255 scale
    uint8_t extent[3];
    int32_t colors;
    int32_t pixels;
    int head;
};

class TMedianCut {
public:
    TMedianCut() : entries_(kEntries), boxes_(kMaxBoxes)
    {
        for (int k = 0; k < kEntries; ++k)
            entries_[k] = {{static_cast<uint8_t>(k >> 8), static_cast<uint8_t>((k >> 4) & 15),
                            static_cast<uint8_t>(k & 15)},
                           0, 0, kNone};
        for (TCutBox &box : boxes_)
            box = {{0, 0, 0}, {255, 255, 255}, 0, 0, kNone};
    }

    void Histogram(int32_t width, int32_t height, const uint8_t *source)
    {
        const size_t stride = static_cast<size_t>(DIBStride(width, 24));
        keys_.resize(static_cast<size_t>(width) * height);
        size_t n = 0;
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t *p = source + y * stride;
            for (int32_t x = 0; x < width; ++x, p += 3) {
                const uint16_t key = static_cast<uint16_t>((p[2] >> 4) * 256 + (p[1] >> 4) * 16 + (p[0] >> 4));
                ++entries_[key].pixels;
                keys_[n++] = key;
            }
        }
        int *link = &boxes_[0].head;
        for (int k = 0; k < kEntries; ++k) {
            if (entries_[k].pixels == 0)
                continue;
            *link = k;
            link = &entries_[k].next;
            ++boxes_[0].colors;
        }
        boxes_[0].pixels = width * height;
        used_ = 1;
    }

    void SplitBoxes(int wanted)
    {
        while (used_ < wanted && SplitWidestBox()) {
        }
    }

    // Palette entry of every box: the unweighted mean of its levels.
    void FillPalette(uint8_t *palette, int wanted)
    {
        for (int i = used_; i < wanted; ++i)
            std::memset(palette + 4 * i, 0, 4);
        for (int b = 0; b < used_; ++b) {
            const TCutBox &box = boxes_[b];
            if (box.colors < 1)
                continue;
            int sum[3] = {0, 0, 0};
            for (int e = box.head; e != kNone; e = entries_[e].next) {
                entries_[e].box = static_cast<uint8_t>(b);
                for (int c = 0; c < 3; ++c)
                    sum[c] += entries_[e].level[c];
            }
            int mean[3];
            for (int c = 0; c < 3; ++c)
                mean[c] = (sum[c] * 16 + 15) / box.colors;
            const bool dark = mean[0] <= 16 && mean[1] <= 16 && mean[2] <= 16;
            uint8_t *entry = palette + 4 * b;
            entry[0] = dark ? 0 : static_cast<uint8_t>(mean[2]);
            entry[1] = dark ? 0 : static_cast<uint8_t>(mean[1]);
            entry[2] = dark ? 0 : static_cast<uint8_t>(mean[0]);
            entry[3] = 0;
        }
    }

    void MapPixels(int32_t width, int32_t height, uint8_t *dest) const
    {
        const size_t stride = static_cast<size_t>(DIBStride(width, 8));
        std::memset(dest, 0, stride * height);
        size_t n = 0;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                dest[y * stride + x] = entries_[keys_[n++]].box;
    }

    int Used() const { return used_; }

private:
    bool SplitWidestBox()
    {
        int chosen = kNone, channel = 0, widest = -1;
        for (int b = 0; b < used_; ++b) {
            if (boxes_[b].colors < 2)
                continue;
            for (int c = 0; c < 3; ++c)
                if (boxes_[b].extent[c] > widest) {
                    widest = boxes_[b].extent[c];
                    chosen = b;
                    channel = c;
                }
        }
        if (chosen == kNone)
            return false;
        SortBox(boxes_[chosen], channel);
        Split(chosen, channel);
        return true;
    }

    void SortBox(TCutBox &box, int channel)
    {
        order_.clear();
        for (int e = box.head; e != kNone; e = entries_[e].next)
            order_.push_back(e);
        Sort(0, static_cast<int>(order_.size()), channel);
        box.head = order_.front();
        for (size_t i = 0; i + 1 < order_.size(); ++i)
            entries_[order_[i]].next = order_[i + 1];
        entries_[order_.back()].next = kNone;
    }

    uint8_t Level(int i, int channel) const { return entries_[order_[i]].level[channel]; }

    void Sort(int first, int count, int channel)
    {
        if (count < 8) {
            InsertionSort(first, count, channel);
            return;
        }
        const uint8_t pivot = Level(first + count / 2, channel);
        int i = first, j = first + count - 1;
        for (;;) {
            while (Level(i, channel) < pivot)
                ++i;
            while (Level(j, channel) > pivot)
                --j;
            if (j <= i)
                break;
            std::swap(order_[i], order_[j]);
            ++i;
            --j;
        }
        Sort(first, i - first, channel);
        Sort(i, first + count - i, channel);
    }

    // Each entry moves before every preceding entry whose level is greater
    // than or equal to its own.
    void InsertionSort(int first, int count, int channel)
    {
        for (int i = first + 1; i < first + count; ++i) {
            const int moving = order_[i];
            const uint8_t level = entries_[moving].level[channel];
            int j = i;
            while (j > first && Level(j - 1, channel) >= level) {
                order_[j] = order_[j - 1];
                --j;
            }
            order_[j] = moving;
        }
    }

    // The old box keeps the lower half of its pixels, a new box takes the rest.
    void Split(int old, int channel)
    {
        TCutBox &box = boxes_[old];
        const int32_t half = box.pixels / 2;
        int last = box.head;
        int32_t lowerPixels = entries_[last].pixels;
        int32_t lowerColors = 1;
        while (entries_[last].next != kNone && entries_[entries_[last].next].next != kNone &&
               lowerPixels + entries_[entries_[last].next].pixels <= half) {
            last = entries_[last].next;
            lowerPixels += entries_[last].pixels;
            ++lowerColors;
        }
        const int upperHead = entries_[last].next;
        entries_[last].next = kNone;

        TCutBox &upper = boxes_[used_++];
        upper = box;
        upper.head = upperHead;
        upper.colors = box.colors - lowerColors;
        upper.pixels = box.pixels - lowerPixels;
        box.colors = lowerColors;
        box.pixels = lowerPixels;

        const uint8_t oldLow = box.low[channel], oldExtent = box.extent[channel];
        upper.low[channel] = static_cast<uint8_t>(16 * entries_[upperHead].level[channel]);
        upper.extent[channel] = static_cast<uint8_t>(oldLow + oldExtent - upper.low[channel]);
        box.extent[channel] = static_cast<uint8_t>(16 * entries_[last].level[channel] - oldLow);
    }

    std::vector<TCutEntry> entries_;
    std::vector<TCutBox> boxes_;
    std::vector<uint16_t> keys_;
    std::vector<int> order_;
    int used_ = 0;
};

}  // namespace

int ReduceMedianCut(int32_t width, int32_t height, const uint8_t *source, uint8_t *dest,
                    uint8_t *palette, int wanted)
{
    TMedianCut cut;
    cut.Histogram(width, height, source);
    cut.SplitBoxes(wanted);
    cut.FillPalette(palette, wanted);
    cut.MapPixels(width, height, dest);
    return cut.Used();
}
