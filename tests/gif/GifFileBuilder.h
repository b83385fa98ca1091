// Hand-made GIF files for reader and decoder tests.
#pragma once

#include "GifTestSupport.h"

#include <utility>

// LZW data: the code size byte, then codes (value, width) packed least
// significant bit first into sub-blocks of at most 255 bytes, then the
// terminator unless `terminate` is false.
inline Bytes PackCodes(int minCodeSize, const std::vector<std::pair<uint32_t, int>> &codes, bool terminate = true)
{
    Bytes packed;
    uint64_t bits = 0;
    int count = 0;
    for (const auto &[code, width] : codes) {
        bits |= static_cast<uint64_t>(code) << count;
        count += width;
        while (count >= 8) {
            packed.push_back(static_cast<uint8_t>(bits));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        packed.push_back(static_cast<uint8_t>(bits));
    Bytes data = {static_cast<uint8_t>(minCodeSize)};
    for (size_t pos = 0; pos < packed.size(); pos += 255) {
        const size_t n = std::min<size_t>(255, packed.size() - pos);
        data.push_back(static_cast<uint8_t>(n));
        data.insert(data.end(), packed.begin() + static_cast<long>(pos), packed.begin() + static_cast<long>(pos + n));
    }
    if (terminate)
        data.push_back(0);
    return data;
}

inline Bytes Header(const char *signature = "GIF89a") { return Bytes(signature, signature + 6); }

// Logical screen with a global table of 2^bits grey entries (none when bits is 0).
inline Bytes Screen(int width, int height, int bits, uint8_t background = 0)
{
    Bytes out = {static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8), static_cast<uint8_t>(height),
                 static_cast<uint8_t>(height >> 8),
                 static_cast<uint8_t>(bits ? 0x80 | ((bits - 1) << 4) | (bits - 1) : 0), background, 0};
    for (int i = 0; bits && i < (1 << bits); ++i)
        out.insert(out.end(), 3, static_cast<uint8_t>(i));
    return out;
}

inline Bytes ImageDescriptor(int width, int height, uint8_t packed = 0, int left = 0, int top = 0)
{
    return {0x2C, static_cast<uint8_t>(left), static_cast<uint8_t>(left >> 8), static_cast<uint8_t>(top),
            static_cast<uint8_t>(top >> 8), static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8),
            static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8), packed};
}

inline Bytes GraphicControlBlock(uint8_t packed, uint16_t delay, uint8_t index)
{
    return {0x21, 0xF9, 4, packed, static_cast<uint8_t>(delay), static_cast<uint8_t>(delay >> 8), index, 0};
}

inline Bytes CommentBlock(const std::string &text)
{
    Bytes out = {0x21, 0xFE, static_cast<uint8_t>(text.size())};
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
    return out;
}

inline Bytes LoopBlock(uint16_t repeat, uint8_t blockSize = 11)
{
    Bytes out = {0x21, 0xFF, blockSize};
    const std::string id = "NETSCAPE2.0";
    out.insert(out.end(), id.begin(), id.end());
    out.insert(out.end(), {3, 1, static_cast<uint8_t>(repeat), static_cast<uint8_t>(repeat >> 8), 0});
    return out;
}

// Single-pixel codes (clear first, end last) of 8-bit pixel values.
inline Bytes EightBitData(const std::vector<uint8_t> &pixels)
{
    // Every pixel value below 64 and no pair repeated keeps all codes at 9 bits.
    std::vector<std::pair<uint32_t, int>> codes = {{256, 9}};
    for (uint8_t p : pixels)
        codes.push_back({p, 9});
    codes.push_back({257, 9});
    return PackCodes(8, codes);
}

inline Bytes Trailer() { return {0x3B}; }
