// Palettes for the 4- and 8-bit BMP exports. A picture with few enough
// colours keeps them exactly; any other is mapped to the nearest colour of a
// fixed palette (the 16 standard colours, or a 6 x 6 x 6 colour cube with a
// grey ramp), so the same picture always gives the same file.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

struct TIndexedPicture {
    std::vector<uint32_t> Palette;  // packed R + G << 8 + B << 16
    std::vector<uint8_t> Indices;   // one per pixel, rows top-down
};

// maxColors is 16 or 256.
TIndexedPicture IndexPicture(const QImage &rgb888, int maxColors);
