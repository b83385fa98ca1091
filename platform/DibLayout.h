// The layout every device-independent bitmap shares, whether the GIF code
// reads one or an export writes one: the two headers' sizes and the stored
// row, padded to whole 32-bit words.
#pragma once

#include <cstdint>

constexpr int kBmpFileHeaderSize = 14;
constexpr int kBmpInfoHeaderSize = 40;

// Bytes of one stored row of width pixels at bits a pixel.
constexpr int64_t DIBStride(int64_t width, int bits) { return ((width * bits + 31) / 32) * 4; }
