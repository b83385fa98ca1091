// BMP file images held in memory: the form in which the colour reduction hands
// a bitmap to the GIF encoder and the GIF decoder hands a frame back. Rows are
// stored bottom row first, each padded to a multiple of 4 bytes; a BMP of up
// to 8 bits carries a colour table of 2^bits entries (blue, green, red, 0).
#pragma once

#include "DibLayout.h"

#include <QImage>
#include <cstdint>
#include <vector>

// Where the parts of a BMP file image lie.
struct TBmpLayout {
    int32_t width = 0;
    int32_t height = 0;
    int bits = 0;
    int colors = 0;           // entries of the colour table
    size_t paletteOffset = 0; // right behind the information header
    size_t pixelOffset = 0;   // from the file header's offset field
    size_t stride = 0;
};

// Reads the headers of a bottom-up BMP file image of 1, 4, 8 or 24 bits;
// anything else, or data too short for its pixels, raises the invalid-bitmap
// error.
TBmpLayout ParseBmp(const std::vector<uint8_t> &bmp);

// A zero-filled BMP file image: file header, information header, a colour
// table of `colors` entries, then the rows.
std::vector<uint8_t> NewBmp(int32_t width, int32_t height, int bits, int colors);

// Writes the first `entries` colours of a table into a BMP colour table
// (blue, green, red, 0 each); entries the table lacks are left as they are.
void StoreBmpPalette(const QVector<QRgb> &table, uint8_t *palette, int entries);

// Whether the image keeps its pixels as indexes into a colour table (1 or 8
// bits); an image of 8 bits without one (grey levels, alpha) does not.
bool HasColorTable(const QImage &image);

// The bitmap in its own BMP form: 1 bit for a monochrome image, 8 bits with a
// 256-entry table for an indexed image, 16 bits for 5-5-5 and (with bit
// masks) 5-6-5 images, 32 bits (blue, green, red, alpha) for 32-bit images,
// 24 bits for everything else.
std::vector<uint8_t> ImageToBmp(const QImage &image);

// The image of a BMP file image: monochrome for 1 bit, indexed for 4 and 8
// bits, RGB888 for 24 bits.
QImage BmpToImage(const std::vector<uint8_t> &bmp);

// Copies the 24-bit rows of an image into a stored-order buffer (bottom row
// first, blue, green, red per pixel, rows padded to 4 bytes).
void Store24BitRows(const QImage &rgb888, uint8_t *dest);
