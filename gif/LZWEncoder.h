// The GIF variant of LZW compression.
#pragma once

#include "Progress.h"

#include <cstdint>
#include <vector>

// Compresses the pixel indexes of stored rows (bottom row first, rows padded
// to 4 bytes, 1, 4 or 8 bits a pixel) in image order, top row first, and
// appends the minimum code size byte, the data sub-blocks and the terminator
// to dest. The code width grows when the code just assigned equals 2^width;
// the table restarts with a Clear code once code 4094 has been assigned.
void GIFEncodeLZW(std::vector<uint8_t> &dest, int32_t width, int32_t height, int bits,
                  const uint8_t *rows, const TProgressEvent &progress);
