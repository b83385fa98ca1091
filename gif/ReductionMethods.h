// The six ways of turning stored 24-bit rows (bottom row first, blue, green,
// red) into 8-bit palette indexes with a 256-entry colour table of 4-byte
// entries (blue, green, red, 0). Source and destination may be the same
// buffer: every method reads a pixel before it writes the pixel's index, and
// the 8-bit rows never overtake the 24-bit rows still to be read.
#pragma once

#include <cstddef>
#include <cstdint>

// 24-bit rows where they lie: the bottom row at `first`, each row above it
// `step` bytes on, a pixel's channels blue, green, red or, when `redFirst`,
// red, green, blue.
struct TTrueColorRows {
    const uint8_t *first;
    ptrdiff_t step;
    bool redFirst;
};

// The `count` most frequent colours, counted with channel masks that start
// full and are widened until the distinct masked colours fit a 2049-entry
// table. Palette entries beyond the colours found are grey (128, 128, 128, 0).
// Only the indexes of the destination rows are written, not their padding.
void ReducePopularity(int32_t width, int32_t height, uint8_t *palette, const TTrueColorRows &source,
                      uint8_t *dest, int count);
// The same over stored rows.
void ReducePopularity(int32_t width, int32_t height, uint8_t *palette, const uint8_t *source,
                      uint8_t *dest, int count);

// Boxes of 4-bit levels split at the median of their pixels along their
// widest channel; returns the number of palette entries made (at most wanted).
int ReduceMedianCut(int32_t width, int32_t height, const uint8_t *source, uint8_t *dest,
                    uint8_t *palette, int wanted);

void FillUniform784Palette(uint8_t *palette);
void ReduceUniform784(int32_t width, int32_t height, const uint8_t *source, uint8_t *dest);
void FillUniform666Palette(uint8_t *palette);
void ReduceUniform666(int32_t width, int32_t height, const uint8_t *source, uint8_t *dest);
void FillStripesPalette(uint8_t *palette);
void ReduceStripes(int32_t width, int32_t height, const uint8_t *source, uint8_t *dest);
void FillGrayscalePalette(uint8_t *palette);
// The grey level of a colour: (77 red + 150 green + 29 blue) / 256.
inline uint8_t GrayLevel(uint8_t red, uint8_t green, uint8_t blue)
{
    return static_cast<uint8_t>((77 * red + 150 * green + 29 * blue) >> 8);
}
void ReduceGrayscale(int32_t width, int32_t height, const uint8_t *source, uint8_t *dest);

// Index of the nearest level (ties to the lower one) for every 8-bit value.
struct TLevelMaps {
    uint8_t map4[256];
    uint8_t map6[256];
    uint8_t map7[256];
    uint8_t map8[256];
};
const TLevelMaps &LevelMaps();
