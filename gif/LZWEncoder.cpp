#include "LZWEncoder.h"

#include "BmpImage.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr int kLastCodeBeforeReset = 4094;

// Packs codes least significant bit first into data sub-blocks of 255 bytes.
class TBitPacker {
public:
    explicit TBitPacker(std::vector<uint8_t> &out) : out_(out) {}

    void Put(uint32_t code, int width)
    {
        bits_ |= static_cast<uint64_t>(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            block_[used_++] = static_cast<uint8_t>(bits_);
            bits_ >>= 8;
            count_ -= 8;
            if (used_ == 255)
                WriteBlock();
        }
    }

    void Flush()
    {
        if (count_ > 0)
            block_[used_++] = static_cast<uint8_t>(bits_);
        if (used_ > 0)
            WriteBlock();
        out_.push_back(0);
    }

private:
    void WriteBlock()
    {
        out_.push_back(static_cast<uint8_t>(used_));
        out_.insert(out_.end(), block_, block_ + used_);
        used_ = 0;
    }

    std::vector<uint8_t> &out_;
    uint64_t bits_ = 0;
    int count_ = 0;
    uint8_t block_[255] = {};
    int used_ = 0;
};

void UnpackRow(const uint8_t *row, int32_t width, int bits, uint8_t *pixels)
{
    switch (bits) {
    case 8:
        std::copy(row, row + width, pixels);
        break;
    case 4:
        for (int32_t x = 0; x < width; ++x)
            pixels[x] = (x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
        break;
    default:
        for (int32_t x = 0; x < width; ++x)
            pixels[x] = (row[x / 8] >> (7 - x % 8)) & 1;
    }
}

// Strings are found through a hash table of (prefix, pixel) pairs: each slot
// holds the pair shifted above its 12-bit code; 0 marks an empty slot, as no
// string ever gets code 0. Before the table, each code remembers the last
// string made from it, (pixel + 1) above that string's code: pictures repeat
// their neighbourhoods, so that one entry mostly answers without the hash.
constexpr int kHashBits = 14;
constexpr uint32_t kHashMask = (1u << kHashBits) - 1;
constexpr uint32_t kCodeCount = 4096;

inline uint32_t ChildEntry(uint32_t pixel, uint32_t code) { return (pixel + 1) << 12 | code; }

class TLZWCompressor {
public:
    TLZWCompressor(std::vector<uint8_t> &dest, int bits) : packer_(dest), slots_(new uint32_t[1u << kHashBits])
    {
        initialWidth_ = bits + 1 == 2 ? 3 : bits + 1;
        clearCode_ = 1u << (initialWidth_ - 1);
        endCode_ = clearCode_ + 1;
        dest.push_back(static_cast<uint8_t>(initialWidth_ - 1));
        Restart();
        packer_.Put(clearCode_, width_);
    }

    void Add(const uint8_t *pixels, int32_t count)
    {
        for (int32_t i = 0; i < count; ++i)
            AddPixel(pixels[i]);
    }

    void Finish()
    {
        if (pending_)
            packer_.Put(prefix_, width_);
        packer_.Put(endCode_, width_);
        packer_.Flush();
    }

private:
    void Restart()
    {
        pending_ = false;
        lastCode_ = endCode_;
        width_ = initialWidth_;
        maxCode_ = 1u << initialWidth_;
        std::fill(slots_.get(), slots_.get() + (1u << kHashBits), 0u);
        std::fill(lastChild_.begin(), lastChild_.end(), 0u);
    }

    void AddPixel(uint32_t pixel)
    {
        if (!pending_) {
            prefix_ = pixel;
            pending_ = true;
            return;
        }
        uint32_t &lastChild = lastChild_[prefix_];
        if (lastChild >> 12 == pixel + 1) {
            prefix_ = lastChild & 0xFFF;
            return;
        }
        const uint32_t pair = (prefix_ << 8) | pixel;
        uint32_t slot = (pair * 2654435761u) >> (32 - kHashBits);
        while (slots_[slot] != 0) {
            if (slots_[slot] >> 12 == pair) {
                prefix_ = slots_[slot] & 0xFFF;
                lastChild = ChildEntry(pixel, prefix_);
                return;
            }
            slot = (slot + 1) & kHashMask;
        }
        packer_.Put(prefix_, width_);
        slots_[slot] = (pair << 12) | ++lastCode_;
        lastChild = ChildEntry(pixel, lastCode_);
        prefix_ = pixel;
        if (lastCode_ >= maxCode_) {
            maxCode_ *= 2;
            ++width_;
        } else if (lastCode_ >= kLastCodeBeforeReset) {
            packer_.Put(prefix_, width_);
            packer_.Put(clearCode_, width_);
            Restart();
        }
    }

    TBitPacker packer_;
    std::unique_ptr<uint32_t[]> slots_;
    std::array<uint32_t, kCodeCount> lastChild_;
    int initialWidth_ = 0;
    int width_ = 0;
    uint32_t clearCode_ = 0, endCode_ = 0, lastCode_ = 0, maxCode_ = 0;
    uint32_t prefix_ = 0;
    bool pending_ = false;  // a string has been started
};

}  // namespace

void GIFEncodeLZW(std::vector<uint8_t> &dest, int32_t width, int32_t height, int bits,
                  const uint8_t *rows, const TProgressEvent &progress)
{
    const size_t stride = static_cast<size_t>(DIBStride(width, bits));
    RunWithProgress(progress, [&](TProgressReporter &reporter) {
        TLZWCompressor compressor(dest, bits);
        std::vector<uint8_t> pixels(static_cast<size_t>(width));
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t *row = rows + static_cast<size_t>(height - 1 - y) * stride;
            if (bits == 8) {
                compressor.Add(row, width);
            } else {
                UnpackRow(row, width, bits, pixels.data());
                compressor.Add(pixels.data(), width);
            }
            reporter.Running(static_cast<int>((y + 1) * 100LL / height));
        }
        compressor.Finish();
    });
}
