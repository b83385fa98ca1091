// A picture with a transparent colour as two device-independent bitmaps that
// any metafile player draws transparently over whatever lies beneath:
// first the 1-bit mask with SRCAND (white where transparent keeps the
// background, black elsewhere clears it), then the picture with its
// transparent pixels black with SRCPAINT (black leaves the background, the
// button's colours fill the cleared hole).
#pragma once

#include <QByteArray>
#include <QImage>
#include <array>
#include <cstdint>

constexpr uint32_t RopSrcAnd = 0x008800C6;
constexpr uint32_t RopSrcPaint = 0x00EE0086;

struct TMaskedDib {
    QByteArray Info;  // BITMAPINFO: header and colour table
    QByteArray Bits;  // padded rows, bottom-up
    uint32_t Rop = 0; // raster operation to draw it with
};

// The mask first, then the picture, in drawing order.
std::array<TMaskedDib, 2> MakeMaskPair(const QImage &picture, uint32_t transparent);
