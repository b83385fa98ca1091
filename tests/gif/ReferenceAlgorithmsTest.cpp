// The popularity reduction and the LZW compressor find colours and strings
// through faster lookups than the plain hash tables of the classic method.
// On many random pictures they must give exactly the bytes of the plain
// method, written out here step by step.
#include "BmpImage.h"
#include "LZWEncoder.h"
#include "ReductionMethods.h"

#include <gtest/gtest.h>
#include <cstring>
#include <random>

namespace {

// ---- Popularity: 2049 entries, 5191 hashSlots, masks widened on overflow.

struct PlainEntry {
    uint8_t blue, green, red;
    int32_t pixels;
    uint8_t index;
};

class PlainPopularity {
public:
    PlainPopularity(int32_t width, int32_t height, const uint8_t *rows)
        : width_(width), height_(height), rows_(rows), stride_(static_cast<size_t>(DIBStride(width, 24)))
    {
    }

    void Reduce(uint8_t *palette, uint8_t *dest)
    {
        while (!Count()) {
            if (red_ < green_)
                green_ = static_cast<uint8_t>(green_ << 1);
            else if (red_ <= blue_)
                blue_ = static_cast<uint8_t>(blue_ << 1);
            else
                red_ = static_cast<uint8_t>(red_ << 1);
        }
        Pick(palette);
        MapUnpicked(palette);
        const size_t destStride = static_cast<size_t>(DIBStride(width_, 8));
        std::vector<uint8_t> out(destStride * height_, 0);
        ForEachPixel([&](int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b) {
            out[y * destStride + x] = entries_[hashSlots_[Find(r, g, b)]].index;
        });
        std::memcpy(dest, out.data(), out.size());
    }

private:
    template <typename F>
    void ForEachPixel(F f) const
    {
        for (int32_t y = 0; y < height_; ++y)
            for (int32_t x = 0; x < width_; ++x) {
                const uint8_t *p = rows_ + y * stride_ + 3 * x;
                f(x, y, p[2] & red_, p[1] & green_, p[0] & blue_);
            }
    }

    int Find(uint8_t r, uint8_t g, uint8_t b) const
    {
        int slot = ((r + g) * (g + b) * (b + r)) % 5191;
        while (hashSlots_[slot] != 0xFFFF) {
            const PlainEntry &e = entries_[hashSlots_[slot]];
            if (e.red == r && e.green == g && e.blue == b)
                break;
            slot = slot == 5190 ? 0 : slot + 1;
        }
        return slot;
    }

    bool Count()
    {
        entries_.clear();
        hashSlots_.assign(5191, 0xFFFF);
        bool overflow = false;
        ForEachPixel([&](int32_t, int32_t, uint8_t r, uint8_t g, uint8_t b) {
            if (overflow)
                return;
            const int slot = Find(r, g, b);
            if (hashSlots_[slot] != 0xFFFF) {
                ++entries_[hashSlots_[slot]].pixels;
            } else if (entries_.size() == 2049) {
                overflow = true;
            } else {
                hashSlots_[slot] = static_cast<uint16_t>(entries_.size());
                entries_.push_back({b, g, r, 1, 0});
            }
        });
        return !overflow;
    }

    void Pick(uint8_t *palette)
    {
        int i = 0;
        for (; i < 256 && i < static_cast<int>(entries_.size()); ++i) {
            size_t best = 0;
            for (size_t j = 1; j < entries_.size(); ++j)
                if (entries_[j].pixels > entries_[best].pixels)
                    best = j;
            PlainEntry &e = entries_[best];
            e.index = static_cast<uint8_t>(i);
            e.pixels = 0;
            const uint8_t entry[4] = {e.blue, e.green, e.red, 0};
            std::memcpy(palette + 4 * i, entry, 4);
        }
        for (; i < 256; ++i) {
            const uint8_t grey[4] = {128, 128, 128, 0};
            std::memcpy(palette + 4 * i, grey, 4);
        }
    }

    void MapUnpicked(const uint8_t *palette)
    {
        for (PlainEntry &e : entries_) {
            if (e.pixels <= 0)
                continue;
            int best = 0x30000;
            for (int k = 0; k < 256; ++k) {
                const int db = palette[4 * k] - e.blue, dg = palette[4 * k + 1] - e.green,
                          dr = palette[4 * k + 2] - e.red;
                const int distance = dr * dr + dg * dg + db * db;
                if (distance < best) {
                    best = distance;
                    e.index = static_cast<uint8_t>(k);
                }
            }
        }
    }

    int32_t width_, height_;
    const uint8_t *rows_;
    size_t stride_;
    uint8_t red_ = 0xFF, green_ = 0xFF, blue_ = 0xFF;
    std::vector<PlainEntry> entries_;
    std::vector<uint16_t> hashSlots_;
};

// ---- LZW: 17777 hashSlots found by a rolling hash of the string's pixels.

class PlainCodePacker {
public:
    PlainCodePacker(std::vector<uint8_t> &out, int width) : width(width), out_(out) {}

    int width;  // of the next code

    void Put(uint32_t code)
    {
        const uint32_t shifted = code << (bit_ % 8);
        uint8_t *p = buffer_ + bit_ / 8;
        p[0] |= static_cast<uint8_t>(shifted);
        p[1] = static_cast<uint8_t>(shifted >> 8);
        p[2] = static_cast<uint8_t>(shifted >> 16);
        bit_ += width;
        if (bit_ >= 2040) {
            out_.push_back(255);
            out_.insert(out_.end(), buffer_, buffer_ + 255);
            buffer_[0] = buffer_[255];
            buffer_[1] = buffer_[256];
            std::memset(buffer_ + 2, 0, 255);
            bit_ -= 2040;
        }
    }

    void Flush()
    {
        const int n = (bit_ + 7) / 8;
        if (n > 0) {
            out_.push_back(static_cast<uint8_t>(n));
            out_.insert(out_.end(), buffer_, buffer_ + n);
        }
        out_.push_back(0);
    }

private:
    std::vector<uint8_t> &out_;
    int bit_ = 0;
    uint8_t buffer_[260] = {};
};

uint32_t PixelAt(const uint8_t *row, int32_t x, int bits)
{
    if (bits == 8)
        return row[x];
    if (bits == 4)
        return (x & 1) ? row[x / 2] & 15 : row[x / 2] >> 4;
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

std::vector<uint8_t> PlainLZW(int32_t width, int32_t height, int bits, const uint8_t *rows)
{
    struct Entry {
        uint32_t prefix, code, suffix;
    };
    std::vector<Entry> entries(4096);
    std::vector<int> hashSlots(17777, -1);
    const int initialWidth = bits == 1 ? 3 : bits + 1;
    std::vector<uint8_t> out = {static_cast<uint8_t>(initialWidth - 1)};
    PlainCodePacker packer(out, initialWidth);
    const uint32_t clear = 1u << (initialWidth - 1), end = clear + 1;
    uint32_t lastCode = end, maxCode = 1u << initialWidth, prefix = 0;
    int32_t hash = 0;
    uint16_t run = 0;
    packer.Put(clear);
    const size_t stride = static_cast<size_t>(DIBStride(width, bits));
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t *row = rows + (height - 1 - y) * stride;
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t pixel = PixelAt(row, x, bits);
            if (++run == 1) {
                prefix = pixel;
                hash = static_cast<int32_t>((pixel + 3) * 301);
                continue;
            }
            hash = (hash * static_cast<int32_t>(pixel + run + 4)) % 17777;
            int slot = hash;
            while (hashSlots[slot] != -1 && !(entries[hashSlots[slot]].prefix == prefix && entries[hashSlots[slot]].suffix == pixel))
                slot = slot == 17776 ? 0 : slot + 1;
            if (hashSlots[slot] != -1) {
                prefix = entries[hashSlots[slot]].code;
                continue;
            }
            packer.Put(prefix);
            ++lastCode;
            entries[lastCode] = {prefix, lastCode, pixel};
            hashSlots[slot] = static_cast<int>(lastCode);
            prefix = pixel;
            hash = static_cast<int32_t>((pixel + 3) * 301);
            run = 1;
            if (lastCode >= maxCode) {
                maxCode *= 2;
                ++packer.width;
            } else if (lastCode >= 4094) {
                packer.Put(prefix);
                packer.Put(clear);
                run = 0;
                lastCode = end;
                packer.width = initialWidth;
                maxCode = 1u << initialWidth;
                std::fill(hashSlots.begin(), hashSlots.end(), -1);
            }
        }
    }
    if (run > 0)
        packer.Put(prefix);
    packer.Put(end);
    packer.Flush();
    return out;
}

}  // namespace

TEST(ReferenceAlgorithms, PopularityGivesThePlainMethodsPaletteAndIndexes)
{
    std::mt19937 random(1);
    for (int round = 0; round < 60; ++round) {
        const int32_t width = 1 + static_cast<int32_t>(random() % 250);
        const int32_t height = 1 + static_cast<int32_t>(random() % 250);
        // Few colours, then enough to overflow the table once or many times;
        // some drawn evenly, some with a long tail of rare colours.
        std::vector<uint32_t> colours(1 + random() % (round < 20 ? 300 : 6000));
        for (uint32_t &c : colours)
            c = random() & (round % 3 == 0 ? 0x3F3F3F : 0xFFFFFF);
        std::geometric_distribution<int> rare(0.01);
        const size_t stride = static_cast<size_t>(DIBStride(width, 24));
        std::vector<uint8_t> rows(stride * height, 0);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                const size_t pick = (round % 2 ? static_cast<size_t>(rare(random)) : random()) % colours.size();
                const uint32_t c = colours[pick];
                uint8_t *p = &rows[y * stride + 3 * x];
                p[0] = static_cast<uint8_t>(c);
                p[1] = static_cast<uint8_t>(c >> 8);
                p[2] = static_cast<uint8_t>(c >> 16);
            }
        std::vector<uint8_t> ours = rows, plain = rows, ourPalette(1024), plainPalette(1024);
        ReducePopularity(width, height, ourPalette.data(), ours.data(), ours.data(), 256);
        PlainPopularity(width, height, plain.data()).Reduce(plainPalette.data(), plain.data());
        ASSERT_EQ(ourPalette, plainPalette) << "round " << round;
        const size_t indexStride = static_cast<size_t>(DIBStride(width, 8));
        for (int32_t y = 0; y < height; ++y)
            ASSERT_EQ(0, std::memcmp(&ours[y * indexStride], &plain[y * indexStride], static_cast<size_t>(width)))
                << "round " << round << " row " << y;
    }
}

TEST(ReferenceAlgorithms, LZWGivesThePlainMethodsBytes)
{
    std::mt19937 random(2);
    for (int round = 0; round < 80; ++round) {
        const int bits = (round % 3 == 0) ? 1 : (round % 3 == 1) ? 4 : 8;
        const int32_t width = 1 + static_cast<int32_t>(random() % 400);
        const int32_t height = 1 + static_cast<int32_t>(random() % 300);
        // From pure noise (the table fills and restarts) to long flat runs.
        const unsigned noise = 1 + random() % 8;
        std::vector<uint8_t> rows(static_cast<size_t>(DIBStride(width, bits)) * height);
        for (uint8_t &b : rows)
            b = random() % noise == 0 ? static_cast<uint8_t>(random()) : static_cast<uint8_t>(0x11 * (round % 5));
        std::vector<uint8_t> ours;
        GIFEncodeLZW(ours, width, height, bits, rows.data(), {});
        ASSERT_EQ(ours, PlainLZW(width, height, bits, rows.data())) << "round " << round;
    }
}
