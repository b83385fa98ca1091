// Placeable Windows metafiles that draw the picture transparently with a
// mask pair of STRETCHDIB records, one logical unit per pixel.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

// Logical units per inch written in the placeable header: 96, as screen
// metafiles carry, so that one unit is one pixel of a 96-dpi screen and the
// picture shows at its size in pixels.
constexpr int WmfUnitsPerInch = 96;

// Throws EInvalidGraphic when a side does not fit the format's 16-bit fields.
QByteArray WriteWmf(const QImage &picture, uint32_t transparent);
