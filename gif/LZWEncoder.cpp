#include "LZWEncoder.h"

#include "BmpImage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {

constexpr int kLastCodeBeforeReset = 4094;
constexpr uint32_t kCodeCount = 4096;

// Packs codes least significant bit first into one stretch of bytes, cut
// into data sub-blocks of 255 bytes at the end. Each code is put with one
// 8-byte store whatever its width and position, so that no branch depends on
// how many bytes it completes.
class TCodeStream {
public:
    explicit TCodeStream(std::vector<uint8_t> &bytes) : bytes_(bytes), at_(bytes.data()) {}

    // Room for `bytes` more bytes of codes.
    void Reserve(size_t bytes)
    {
        const size_t used = static_cast<size_t>(at_ - bytes_.data());
        const size_t needed = used + bytes + sizeof bits_;
        if (needed > bytes_.size()) {
            bytes_.resize(std::max(needed, 2 * bytes_.size()));
            at_ = bytes_.data() + used;
        }
    }

    void Put(uint32_t code, int width)
    {
        bits_ |= static_cast<uint64_t>(code) << count_;
        count_ += width;
        std::memcpy(at_, &bits_, sizeof bits_);
        at_ += count_ >> 3;
        bits_ >>= count_ & ~7;
        count_ &= 7;
    }

    // Appends the bytes as sub-blocks and the terminator.
    void WriteBlocks(std::vector<uint8_t> &dest) const
    {
        const uint8_t *end = at_ + (count_ > 0 ? 1 : 0);
        for (const uint8_t *block = bytes_.data(); block < end; block += 255) {
            const size_t n = std::min<size_t>(255, static_cast<size_t>(end - block));
            dest.push_back(static_cast<uint8_t>(n));
            dest.insert(dest.end(), block, block + n);
        }
        dest.push_back(0);
    }

private:
    std::vector<uint8_t> &bytes_;
    uint8_t *at_;
    uint64_t bits_ = 0;
    int count_ = 0;
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

// Runs shorter than this go pixel by pixel.
constexpr int32_t kShortestRun = 16;

// The end of the run of `value` that goes on at `x`.
int32_t RunEnd(const uint8_t *pixels, int32_t x, int32_t width, uint8_t value)
{
    const uint64_t eightTimes = value * 0x0101010101010101ull;
    for (; x + 8 <= width; x += 8) {
        uint64_t eight;
        std::memcpy(&eight, pixels + x, 8);
        if (const uint64_t differ = eight ^ eightTimes)
            return x + __builtin_ctzll(differ) / 8;
    }
    while (x < width && pixels[x] == value)
        ++x;
    return x;
}

// The next run of at least kShortestRun pixels at or after `from`, as its
// start and end; {width, width} when there is none. Such a run covers a whole
// group of eight pixels at a multiple of eight, so only those are tested.
std::pair<int32_t, int32_t> NextRun(const uint8_t *pixels, int32_t from, int32_t width)
{
    for (int32_t x = (from + 7) & ~7; x + 8 <= width; x += 8) {
        uint64_t eight;
        std::memcpy(&eight, pixels + x, 8);
        if (eight != (eight & 0xFF) * 0x0101010101010101ull)
            continue;
        int32_t start = x;
        while (start > from && pixels[start - 1] == pixels[x])
            --start;
        const int32_t end = RunEnd(pixels, x + 8, width, pixels[x]);
        if (end - start >= kShortestRun)
            return {start, end};
        x = ((end + 7) & ~7) - 8;
    }
    return {width, width};
}

// Strings are found through a hash table of (prefix, pixel) pairs: each slot
// holds the pair shifted above its 12-bit code; 0 marks an empty slot, as no
// string ever gets code 0. The table is eight times the largest number of
// strings, so that a search seldom goes past its first slot; a restart
// empties only the slots that were filled.
//
// A run of one pixel value is taken in one step: the strings of that value
// repeated are numbered by their length, and the longest one known says how
// far the run goes before a new string must be made.
constexpr int kHashBits = 15;
constexpr uint32_t kHashMask = (1u << kHashBits) - 1;
constexpr uint32_t kNoRun = 0;

inline uint32_t PairSlot(uint32_t pair) { return (pair * 2654435761u) >> (32 - kHashBits); }
// A string that is `value` repeated `length` times.
inline uint32_t RunOf(uint32_t value, uint32_t length) { return length << 9 | (value + 1); }

// The tables of the compressor. Only the hash table starts empty; every
// other entry is written before it is read, so the pages of the repeats of
// pixel values that never come up are never touched.
struct TLZWTables {
    TLZWTables() { pairs.fill(0); }

    std::vector<uint8_t> codeBytes;
    std::array<uint32_t, 1u << kHashBits> pairs;
    std::array<uint32_t, kCodeCount> filled;  // the slots of the pairs in the table
    uint32_t filledCount = 0;
    std::array<uint32_t, kCodeCount> runOf;  // RunOf() of the code's string, or kNoRun
    std::array<uint32_t, 256> longestRun;    // by pixel value
    std::array<std::array<uint16_t, kCodeCount + 1>, 256> runCodes;  // by value and length
};

class TLZWCompressor {
public:
    TLZWCompressor(std::vector<uint8_t> &dest, int bits) : tables_(TakeTables()), t_(*tables_), codes_(t_.codeBytes)
    {
        initialWidth_ = bits + 1 == 2 ? 3 : bits + 1;
        clearCode_ = 1u << (initialWidth_ - 1);
        endCode_ = clearCode_ + 1;
        dest.push_back(static_cast<uint8_t>(initialWidth_ - 1));
        Restart();
        codes_.Reserve(2);
        codes_.Put(clearCode_, width_);
    }

    ~TLZWCompressor() { KeptTables() = std::move(tables_); }
    TLZWCompressor(const TLZWCompressor &) = delete;
    TLZWCompressor &operator=(const TLZWCompressor &) = delete;

    // A row's pixels: runs in one step, the rest pixel by pixel.
    void Add(const uint8_t *pixels, int32_t count)
    {
        // A code takes at most 12 bits. Each pixel puts at most one code,
        // and a restart, which comes only after thousands of codes, two more.
        codes_.Reserve(2 * static_cast<size_t>(count) + 3);
        for (int32_t x = 0; x < count;) {
            const auto [start, end] = NextRun(pixels, x, count);
            for (; x < start; ++x)
                AddPixel(pixels[x]);
            if (start < count)
                AddRun(pixels[start], end - start);
            x = end;
        }
    }

    void Finish(std::vector<uint8_t> &dest)
    {
        codes_.Reserve(3);
        if (pending_)
            codes_.Put(prefix_, width_);
        codes_.Put(endCode_, width_);
        codes_.WriteBlocks(dest);
    }

private:
    // The tables are kept from one image to the next, as fresh pages cost
    // more than the compression; an image begun while another one is being
    // compressed (from a progress handler) gets tables of its own.
    static std::unique_ptr<TLZWTables> &KeptTables()
    {
        thread_local std::unique_ptr<TLZWTables> kept;
        return kept;
    }

    static std::unique_ptr<TLZWTables> TakeTables()
    {
        std::unique_ptr<TLZWTables> &kept = KeptTables();
        return kept ? std::move(kept) : std::make_unique<TLZWTables>();
    }

    void Restart()
    {
        pending_ = false;
        lastCode_ = endCode_;
        width_ = initialWidth_;
        maxCode_ = 1u << initialWidth_;
        for (uint32_t i = 0; i < t_.filledCount; ++i)
            t_.pairs[t_.filled[i]] = 0;
        t_.filledCount = 0;
        for (uint32_t value = 0; value < clearCode_; ++value) {
            t_.runOf[value] = RunOf(value, 1);
            t_.longestRun[value] = 1;
            t_.runCodes[value][1] = static_cast<uint16_t>(value);
        }
    }

    void AddPixel(uint32_t pixel)
    {
        if (!pending_) {
            prefix_ = pixel;
            pending_ = true;
            return;
        }
        const uint32_t pair = (prefix_ << 8) | pixel;
        uint32_t slot = PairSlot(pair);
        while (t_.pairs[slot] != 0) {
            if (t_.pairs[slot] >> 12 == pair) {
                prefix_ = t_.pairs[slot] & 0xFFF;
                return;
            }
            slot = (slot + 1) & kHashMask;
        }
        AddString(pixel, slot);
    }

    // `length` pixels of `value`.
    void AddRun(uint32_t value, int32_t length)
    {
        while (length > 0) {
            const uint32_t run = t_.runOf[prefix_];
            if (!pending_ || (run & 0x1FF) != value + 1) {
                AddPixel(value);
                --length;
                continue;
            }
            // The string is the value repeated: it grows along the known
            // repeats, and the one beyond the longest is new.
            const uint32_t known = t_.longestRun[value], grown = (run >> 9) + static_cast<uint32_t>(length);
            if (grown <= known) {
                prefix_ = t_.runCodes[value][grown];
                return;
            }
            length -= static_cast<int32_t>(known - (run >> 9) + 1);
            prefix_ = t_.runCodes[value][known];
            uint32_t slot = PairSlot(prefix_ << 8 | value);
            while (t_.pairs[slot] != 0)
                slot = (slot + 1) & kHashMask;
            AddString(value, slot);
        }
    }

    // Puts the code of the string so far and numbers that string followed by
    // the pixel, which starts the next string.
    void AddString(uint32_t pixel, uint32_t slot)
    {
        codes_.Put(prefix_, width_);
        const uint32_t code = ++lastCode_;
        t_.pairs[slot] = (prefix_ << 20) | (pixel << 12) | code;
        t_.filled[t_.filledCount++] = slot;
        NoteRun(code, t_.runOf[prefix_], pixel);
        prefix_ = pixel;
        if (lastCode_ >= maxCode_) {
            maxCode_ *= 2;
            ++width_;
        } else if (lastCode_ >= kLastCodeBeforeReset) {
            codes_.Put(prefix_, width_);
            codes_.Put(clearCode_, width_);
            Restart();
        }
    }

    // A new string is a longer repeat when its prefix repeats its pixel.
    void NoteRun(uint32_t code, uint32_t prefixRun, uint32_t pixel)
    {
        if ((prefixRun & 0x1FF) != pixel + 1) {
            t_.runOf[code] = kNoRun;
            return;
        }
        const uint32_t length = (prefixRun >> 9) + 1;
        t_.runOf[code] = RunOf(pixel, length);
        t_.longestRun[pixel] = length;
        t_.runCodes[pixel][length] = static_cast<uint16_t>(code);
    }

    std::unique_ptr<TLZWTables> tables_;
    TLZWTables &t_;
    TCodeStream codes_;
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
        compressor.Finish(dest);
    });
}
