// Placeable Windows metafiles that draw the picture transparently with a
// mask pair of STRETCHDIB records, one logical unit per pixel.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

// Logical units per inch written in the placeable header: 72, so that players
// that assume 72 dots per inch (ImageMagick's default) show the picture at its
// size in pixels.
constexpr int WmfUnitsPerInch = 72;

// Throws EInvalidGraphic when a side does not fit the format's 16-bit fields.
QByteArray WriteWmf(const QImage &picture, uint32_t transparent);
