// The layout every device-independent bitmap shares, whether the GIF code
// reads one or an export writes one: the two headers' sizes, how pixels are
// stored, and the stored row, padded to whole 32-bit words.
#pragma once

#include <cstdint>

constexpr int kBmpFileHeaderSize = 14;
constexpr int kBmpInfoHeaderSize = 40;

// How the pixels are stored: plain, or 16-bit words split by three bit masks
// that follow the info header.
constexpr uint32_t BI_RGB_Compression = 0;
constexpr uint32_t BI_BITFIELDS_Compression = 3;

// Bytes of one stored row of width pixels at bits a pixel.
constexpr int64_t DIBStride(int64_t width, int bits) { return ((width * bits + 31) / 32) * 4; }
