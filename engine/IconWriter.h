// Windows icon files: one 32-bit image with its AND mask. Pixels of the
// transparent colour are fully transparent (alpha 0, black, mask bit set);
// every other pixel is opaque.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

// Throws EInvalidGraphic for a picture larger than 256 x 256 or empty, which
// an icon directory cannot describe.
QByteArray WriteIcon(const QImage &picture, uint32_t transparent);
