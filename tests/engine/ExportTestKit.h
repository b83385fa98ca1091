// Small pictures and little-endian field readers for the tests of the image
// writers.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

namespace ExportTestKit {

inline uint32_t Packed(QRgb rgb) { return uint32_t(qRed(rgb)) | uint32_t(qGreen(rgb)) << 8 | uint32_t(qBlue(rgb)) << 16; }

// A picture whose pixel colours all differ, framed by a border of the
// background colour (which the exports make transparent).
inline QImage SamplePicture(int width, int height, QRgb background = qRgb(192, 192, 192))
{
    QImage picture(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            picture.setPixel(x, y, border ? background : qRgb(10 + 7 * x, 20 + 5 * y, (x * y) % 256));
        }
    return picture;
}

inline uint32_t U8(const QByteArray &b, int at) { return uint8_t(b.at(at)); }
inline uint32_t U16(const QByteArray &b, int at) { return U8(b, at) | U8(b, at + 1) << 8; }
inline uint32_t U32(const QByteArray &b, int at) { return U16(b, at) | U16(b, at + 2) << 16; }
inline int32_t I32(const QByteArray &b, int at) { return int32_t(U32(b, at)); }
inline int16_t I16(const QByteArray &b, int at) { return int16_t(U16(b, at)); }

}  // namespace ExportTestKit
