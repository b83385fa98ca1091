#include "LZWDecoder.h"

#include "Exceptions.h"
#include "GIFErrors.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr uint32_t kEndOfData = 0xFFFF;
constexpr int kTableSize = 4096;
constexpr int kMaxWidth = 12;

// Reads codes least significant bit first from the sub-blocks' bytes.
class TCodeReader {
public:
    explicit TCodeReader(const std::vector<uint8_t> &data)
    {
        // The payload of every sub-block in turn; a block cut short by the
        // end of the data gives what it has.
        size_t pos = 1;
        while (pos < data.size()) {
            const size_t size = data[pos++];
            const size_t available = std::min(size, data.size() - pos);
            bytes_.insert(bytes_.end(), data.begin() + static_cast<std::ptrdiff_t>(pos),
                          data.begin() + static_cast<std::ptrdiff_t>(pos + available));
            pos += available;
        }
        totalBits_ = bytes_.size() * 8;
        bytes_.resize(bytes_.size() + 3, 0);
    }

    uint32_t Read(int width)
    {
        if (position_ + width > totalBits_)
            return kEndOfData;
        const uint8_t *p = &bytes_[position_ / 8];
        const uint32_t window = p[0] | (p[1] << 8) | (p[2] << 16);
        const uint32_t code = (window >> (position_ % 8)) & ((1u << width) - 1);
        position_ += static_cast<size_t>(width);
        return code;
    }

    int Percent() const { return totalBits_ ? static_cast<int>(position_ * 100 / totalBits_) : 100; }

private:
    std::vector<uint8_t> bytes_;
    size_t totalBits_ = 0;
    size_t position_ = 0;
};

// Writes pixels in row order (or interlaced order) into the target.
class TPixelWriter {
public:
    TPixelWriter(const TDecodeTarget &target, bool interlaced, uint32_t mask)
        : t_(target), interlaced_(interlaced), mask_(mask)
    {
        SetRow(0);
    }

    // An image without pixels is never done: its codes are read to their end.
    bool Done() const { return HasPixels() && row_ >= t_.height; }

    void Put(uint32_t pixel)
    {
        if (!HasPixels() || row_ >= t_.height)
            return;
        pixel &= mask_;
        switch (t_.bits) {
        case 8:
            line_[column_] = static_cast<uint8_t>(pixel);
            break;
        case 4:
            if (column_ % 2 == 0)
                line_[column_ / 2] = static_cast<uint8_t>(pixel << 4);
            else
                line_[column_ / 2] |= static_cast<uint8_t>(pixel);
            break;
        default:
            if (column_ % 8 == 0)
                line_[column_ / 8] = static_cast<uint8_t>(pixel << 7);
            else
                line_[column_ / 8] |= static_cast<uint8_t>(pixel << (7 - column_ % 8));
        }
        if (++column_ == t_.width) {
            column_ = 0;
            SetRow(interlaced_ ? GIFNextInterlacedRow(row_, t_.height, pass_) : row_ + 1);
        }
    }

private:
    bool HasPixels() const { return t_.width > 0 && t_.height > 0; }

    void SetRow(int32_t row)
    {
        row_ = row;
        if (HasPixels() && row_ < t_.height)
            line_ = t_.block + static_cast<size_t>(t_.height - 1 - row_) * t_.stride;
    }

    const TDecodeTarget &t_;
    bool interlaced_;
    uint32_t mask_;
    int32_t row_ = 0;
    int32_t column_ = 0;
    int pass_ = 0;
    uint8_t *line_ = nullptr;
};

class TLZWDecompressor {
public:
    TLZWDecompressor(const std::vector<uint8_t> &data, const TDecodeTarget &target,
                     bool interlaced, int tableBits, bool tolerant)
        : reader_(data),
          writer_(target, interlaced, (1u << tableBits) - 1),
          tolerant_(tolerant),
          prefix_(new uint16_t[kTableSize]()),
          suffix_(new uint16_t[kTableSize]())
    {
        int codeSize = data[0];
        if (codeSize < 2 || codeSize > 9) {
            if (!tolerant_)
                throw EInvalidGraphicOperation(kCodeSizeRange);
            damaged_ = corrupted_ = true;
            codeSize = std::clamp(codeSize, 2, 9);
        }
        clearCode_ = 1u << codeSize;
        endCode_ = clearCode_ + 1;
        initialWidth_ = codeSize + 1;
        ResetTable();
    }

    // Returns whether the data ran out before the last row.
    bool Run(TProgressReporter &reporter)
    {
        uint32_t code = reader_.Read(width_);
        if (code != clearCode_ && code != kEndOfData) {
            // Data should open with a Clear; without one it is read as if
            // the Clear were there.
            corrupted_ = true;
            if (code != endCode_) {
                if (!StartWith(code))
                    return false;
                code = reader_.Read(width_);
            }
        }
        while (code != endCode_ && code != kEndOfData && !writer_.Done()) {
            if (code == clearCode_) {
                ResetTable();
                do
                    code = reader_.Read(width_);
                while (code == clearCode_);
                if (code == endCode_)
                    corrupted_ = true;  // a Clear that starts no string
                if (code == endCode_ || code == kEndOfData || !StartWith(code))
                    break;
            } else if (!Expand(code)) {
                return false;
            }
            code = reader_.Read(width_);
            reporter.Running(reader_.Percent());
        }
        return code == kEndOfData && !writer_.Done();
    }

    bool Corrupted() const { return corrupted_; }

private:
    void ResetTable()
    {
        width_ = initialWidth_;
        maxCode_ = 1u << initialWidth_;
        freeCode_ = clearCode_ + 2;
        frozen_ = false;
    }

    // The first code after a Clear must be a root; anything else is damage.
    bool StartWith(uint32_t code)
    {
        if (code >= clearCode_) {
            corrupted_ = true;
            return false;
        }
        oldCode_ = code;
        firstChar_ = code;
        writer_.Put(code);
        return true;
    }

    // Writes the string of a code and adds the next table entry; false when
    // the decoding must stop.
    bool Expand(uint32_t code)
    {
        const uint32_t inCode = code;
        uint32_t current = code;
        size_t depth = 0;
        if (current >= freeCode_) {
            // Only the next free code may be used before it is defined.
            if (current > freeCode_)
                corrupted_ = true;
            current = oldCode_;
            stack_[depth++] = static_cast<uint16_t>(firstChar_);
        }
        while (current >= clearCode_) {
            if (depth > kTableSize) {
                if (!tolerant_)
                    throw EInvalidGraphicOperation(kGIFCorrupt);
                damaged_ = corrupted_ = true;
                break;
            }
            stack_[depth++] = suffix_[current];
            current = prefix_[current];
        }
        if (damaged_)
            return false;
        firstChar_ = current;
        stack_[depth++] = static_cast<uint16_t>(current);
        while (depth > 0)
            writer_.Put(stack_[--depth]);
        if (!frozen_) {
            prefix_[freeCode_] = static_cast<uint16_t>(oldCode_);
            suffix_[freeCode_] = static_cast<uint16_t>(firstChar_);
            if (++freeCode_ == maxCode_) {
                if (width_ < kMaxWidth) {
                    ++width_;
                    maxCode_ *= 2;
                } else {
                    frozen_ = true;
                }
            }
        }
        oldCode_ = inCode;
        return true;
    }

    TCodeReader reader_;
    TPixelWriter writer_;
    bool tolerant_;
    bool corrupted_ = false;
    bool damaged_ = false;  // damage that ends the decoding at the next string
    std::unique_ptr<uint16_t[]> prefix_;
    std::unique_ptr<uint16_t[]> suffix_;
    std::array<uint16_t, kTableSize + 2> stack_{};
    uint32_t clearCode_ = 0, endCode_ = 0, freeCode_ = 0, maxCode_ = 0;
    uint32_t oldCode_ = 0, firstChar_ = 0;
    int initialWidth_ = 0;
    int width_ = 0;
    bool frozen_ = false;
};

}  // namespace

int32_t GIFNextInterlacedRow(int32_t row, int32_t height, int &pass)
{
    static const int32_t kStep[] = {8, 8, 4, 2};
    static const int32_t kStart[] = {0, 4, 2, 1};
    if (pass < 4 && row + kStep[pass] < height)
        return row + kStep[pass];
    while (++pass < 4)
        if (kStart[pass] < height)
            return kStart[pass];
    return height;
}

bool GIFDecodeLZW(const std::vector<uint8_t> &data, const TDecodeTarget &target, bool interlaced,
                  int tableBits, bool tolerant, const TProgressEvent &progress)
{
    if (data.empty())
        throw EReadError(SReadError);
    bool corrupted = false;
    RunWithProgress(progress, [&](TProgressReporter &reporter) {
        TLZWDecompressor decompressor(data, target, interlaced, tableBits, tolerant);
        if (decompressor.Run(reporter))
            throw EInvalidGraphicOperation(SReadError);
        corrupted = decompressor.Corrupted();
    });
    return corrupted;
}
