// A picture as a one-frame GIF file: reduced to at most 256 colours by
// popularity, with the transparent colour transparent where the palette
// holds it exactly.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

QByteArray WriteGif(const QImage &picture, uint32_t transparent);
