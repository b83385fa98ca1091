// Plain pixel buffers in the layout glReadPixels produces: four bytes R, G,
// B, A a pixel, rows from the bottom of the image upwards.
#pragma once

#include <array>
#include <cstdint>

template <int Side>
struct TPixelBuffer {
    static constexpr int Size = Side;          // width and height in pixels
    static constexpr int RowBytes = Side * 4;  // bytes of one row

    // Pixel (x, y), y counted from the bottom.
    uint8_t *Pixel(int x, int y) { return Data.data() + y * RowBytes + x * 4; }
    const uint8_t *Pixel(int x, int y) const { return Data.data() + y * RowBytes + x * 4; }

    std::array<uint8_t, Side * RowBytes> Data{};
};

// The render buffer's size: a state's image is its lower-left corner.
using TBitsmap = TPixelBuffer<250>;
// The supersampled render before it is reduced, and the resampler's work
// image.
using TBigBitsmap = TPixelBuffer<500>;

// The one buffer that every render writes and every export reads.
TBitsmap &RenderBuffer();
