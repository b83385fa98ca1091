// Decoding of GIF LZW image data into stored rows.
#pragma once

#include "Progress.h"

#include <cstdint>
#include <vector>

// Where decoded pixels go: rows of `bits` bits a pixel (1, 4 or 8), image row
// r at block + (height - 1 - r) * stride.
struct TDecodeTarget {
    int32_t width = 0;
    int32_t height = 0;
    int bits = 8;
    size_t stride = 0;
    uint8_t *block = nullptr;
};

// Decodes a frame's stored data (minimum code size byte, sub-blocks,
// terminator) into the target and returns true when the data was found
// damaged. Pixels are masked to tableBits bits; codes below the Clear code
// are the roots. A first code that is not a Clear is taken as if a Clear came
// first, and a Clear followed by the End code writes nothing: both mark the
// data damaged. With `tolerant`, a code size outside
// 2..9 is clamped and a code chain longer than the table ends the decoding,
// both marking the data damaged; without it they raise. Data that ends before
// the last row raises "Stream read error" (EInvalidGraphicOperation); data
// without even the code size byte raises the stream's EReadError. A code
// beyond the next free one is read as that one and marks the data damaged.
// A target without pixels gets none, but its codes are read all the same,
// to the End code or the same error.
bool GIFDecodeLZW(const std::vector<uint8_t> &data, const TDecodeTarget &target, bool interlaced,
                  int tableBits, bool tolerant, const TProgressEvent &progress);

// The row after `row` in the interlaced order 0, 8, 16...; 4, 12...; 2, 6...;
// 1, 3, 5...; a row at or past height ends the image.
int32_t GIFNextInterlacedRow(int32_t row, int32_t height, int &pass);
