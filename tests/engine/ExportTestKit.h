// Small pictures and little-endian field readers for the tests of the image
// writers.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>

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

// A little-endian field of a file: where, how many bytes, its value.
struct TFieldAt {
    int Offset, Width;
    int64_t Value;
};

// Compares the fields with the file; negative values as the field's bits.
inline void ExpectFields(const QByteArray &file, std::initializer_list<TFieldAt> fields, int base = 0)
{
    for (const TFieldAt &f : fields) {
        const int at = base + f.Offset;
        const uint32_t actual = f.Width == 1 ? U8(file, at) : f.Width == 2 ? U16(file, at) : U32(file, at);
        const uint32_t mask = f.Width == 4 ? 0xFFFFFFFFu : (1u << (8 * f.Width)) - 1;
        EXPECT_EQ(actual, uint32_t(f.Value) & mask) << "offset " << at;
    }
}

}  // namespace ExportTestKit
