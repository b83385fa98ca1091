// Small builders shared by the GIF tests.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A 24-bit image whose pixel (x, y), top row first, is colour(x, y) as 0xRRGGBB.
inline QImage MakeRGB(int width, int height, const std::function<uint32_t(int, int)> &colour)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            uchar *p = image.scanLine(y) + 3 * x;
            p[0] = static_cast<uchar>(c >> 16);
            p[1] = static_cast<uchar>(c >> 8);
            p[2] = static_cast<uchar>(c);
        }
    return image;
}

// A varied picture like a rendered button: smooth shading and a few flat areas.
inline QImage MakeButtonLike(int width, int height)
{
    return MakeRGB(width, height, [=](int x, int y) -> uint32_t {
        if (x < 4 || y < 4)
            return 0xC0C0C0;
        const uint32_t r = static_cast<uint32_t>(x * 255 / width);
        const uint32_t g = static_cast<uint32_t>(y * 255 / height);
        const uint32_t b = static_cast<uint32_t>(((x / 8 + y / 8) % 2) * 128 + (x * y) % 64);
        return (r << 16) | (g << 8) | b;
    });
}

inline Bytes ToBytes(const QByteArray &a) { return Bytes(a.begin(), a.end()); }

inline QByteArray ToQByteArray(const Bytes &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), static_cast<qsizetype>(b.size()));
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes &p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes Repeat(const Bytes &part, int times)
{
    Bytes out;
    for (int i = 0; i < times; ++i)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

// The RGB of every pixel of an image, top row first.
inline std::vector<uint32_t> Pixels(const QImage &image)
{
    std::vector<uint32_t> out;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            out.push_back(rgb.pixel(x, y) & 0xFFFFFF);
    return out;
}

// Reads the LZW codes of GIF image data (code size byte, sub-blocks) the way
// any GIF decoder tracks the code width, for checking what an encoder wrote.
struct CodeTrace {
    int minCodeSize = 0;
    std::vector<uint32_t> codes;
    std::vector<int> widths;
};

inline CodeTrace TraceCodes(const Bytes &data)
{
    CodeTrace trace;
    trace.minCodeSize = data.at(0);
    Bytes payload;
    size_t pos = 1;
    while (pos < data.size() && data[pos] != 0) {
        payload.insert(payload.end(), data.begin() + pos + 1, data.begin() + pos + 1 + data[pos]);
        pos += 1 + data[pos];
    }
    const uint32_t clear = 1u << trace.minCodeSize;
    int width = trace.minCodeSize + 1;
    uint32_t next = clear + 2;
    bool first = true;
    size_t bit = 0;
    while (bit + width <= payload.size() * 8) {
        uint32_t code = 0;
        for (int i = 0; i < width; ++i, ++bit)
            code |= ((payload[bit / 8] >> (bit % 8)) & 1u) << i;
        trace.codes.push_back(code);
        trace.widths.push_back(width);
        if (code == clear + 1)
            break;
        if (code == clear) {
            width = trace.minCodeSize + 1;
            next = clear + 2;
            first = true;
            continue;
        }
        if (!first && next < 4096) {
            ++next;
            if (next == (1u << width) && width < 12)
                ++width;
        }
        first = false;
    }
    return trace;
}
