// Device-independent bitmap pieces shared by the BMP, icon and metafile
// writers: the 40-byte info header, padded bottom-up rows, and the 24-bit and
// 1-bit pixel blocks made from an export picture.
//
// An export picture is a QImage whose pixels are read as 24-bit RGB; colours
// compared with it are packed R + G << 8 + B << 16.
#pragma once

#include "DibLayout.h"
#include "LittleEndian.h"

#include <QImage>
#include <cstdint>

struct TBitmapInfoHeader {
    int32_t Width = 0;
    int32_t Height = 0;  // positive: rows stored bottom-up
    uint16_t BitCount = 24;
    uint32_t Compression = BI_RGB_Compression;
    uint32_t SizeImage = 0;
    uint32_t ColorsUsed = 0;
};

void PutBitmapInfoHeader(TLittleEndianWriter &out, const TBitmapInfoHeader &header);

// The picture as 24-bit RGB, whatever format it came in.
QImage AsRgb888(const QImage &picture);

// Packed colour of pixel x of a 24-bit row.
inline uint32_t PixelColor(const uchar *row, int x)
{
    const uchar *p = row + 3 * x;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
}

// Rows bottom-up, each pixel B, G, R; pixels of the colour `blackened` become
// black unless `blackened` is NoColor.
constexpr uint32_t NoColor = 0xFFFFFFFF;
QByteArray Dib24Bits(const QImage &rgb888, uint32_t blackened = NoColor);

// Rows bottom-up, one bit a pixel, most significant bit first: 1 where the
// pixel has the transparent colour, 0 elsewhere.
QByteArray DibMaskBits(const QImage &rgb888, uint32_t transparent);
