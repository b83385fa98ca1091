#include "TextMerge.h"

#include "ColorU.h"

#include <algorithm>
#include <cmath>

namespace {

// Walks the part of the bitmap that fits in the buffer, giving each bitmap
// pixel with the buffer pixel it lands on.
template <typename Merge>
void ForEachMaskPixel(TBitsmap &buffer, const QImage &bitmap, Merge merge)
{
    const QImage mask = bitmap.convertToFormat(QImage::Format_RGB32);
    const int width = std::min(mask.width(), TBitsmap::Size);
    const int height = std::min(mask.height(), TBitsmap::Size);
    for (int y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        for (int x = 0; x < width; ++x)
            merge(row[x], buffer.Pixel(x, height - 1 - y));
    }
}

void PaintColor(uint8_t *pixel, TColor color)
{
    pixel[0] = GetRed(color);
    pixel[1] = GetGreen(color);
    pixel[2] = GetBlue(color);
}

uint8_t BlendChannel(uint8_t buffer, uint8_t font, int maskValue)
{
    const float k = maskValue / 255.0f;
    return uint8_t(std::nearbyint(double(int(buffer) - int(font)) * k + font));
}

}  // namespace

void StampTextMask(TBitsmap &buffer, const QImage &bitmap, TColor fontColor, TColor keyColor)
{
    const QRgb key = qRgb(GetRed(keyColor), GetGreen(keyColor), GetBlue(keyColor));
    ForEachMaskPixel(buffer, bitmap, [&](QRgb m, uint8_t *pixel) {
        if ((m & 0xFFFFFF) != (key & 0xFFFFFF))
            PaintColor(pixel, fontColor);
    });
}

void BlendTextMask(TBitsmap &buffer, const QImage &bitmap, TColor fontColor)
{
    const uint8_t font[3] = {GetRed(fontColor), GetGreen(fontColor), GetBlue(fontColor)};
    ForEachMaskPixel(buffer, bitmap, [&](QRgb m, uint8_t *pixel) {
        const int mask[3] = {qRed(m), qGreen(m), qBlue(m)};
        if (mask[0] == 255 && mask[1] == 255 && mask[2] == 255)
            return;
        if (mask[0] == 0 && mask[1] == 0 && mask[2] == 0) {
            PaintColor(pixel, fontColor);
            return;
        }
        for (int c = 0; c < 3; ++c)
            pixel[c] = BlendChannel(pixel[c], font[c], mask[c]);
    });
}
