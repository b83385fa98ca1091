#include "BitmapCopy.h"

#include "ColorU.h"
#include "Item.h"

#include <algorithm>

namespace {

int ClampToBuffer(int side)
{
    return std::clamp(side, 0, TBitsmap::Size);
}

}  // namespace

QImage BitsmapToImage(const TBitsmap &buffer, int width, int height)
{
    width = std::max(1, ClampToBuffer(width));
    height = std::max(1, ClampToBuffer(height));
    QImage image(width, height, QImage::Format_RGB888);
    BlitBitsmap(image, buffer, 0, 0, width, height);
    return image;
}

void FillBitmap(QImage &bitmap, TColor color)
{
    bitmap.fill(QColor(GetRed(color), GetGreen(color), GetBlue(color)));
}

void BlitBitsmap(QImage &bitmap, const TBitsmap &buffer, int x, int y, int width, int height)
{
    if (bitmap.format() != QImage::Format_RGB888)
        bitmap.convertTo(QImage::Format_RGB888);
    width = ClampToBuffer(width);
    height = ClampToBuffer(height);
    // Buffer row r lands on bitmap row y + height - 1 - r; keep both inside.
    // Wide arithmetic: a caller's x and y may be anywhere.
    const long long left = x, top = y;
    const long long firstColumn = std::max(0LL, -left);
    const long long lastColumn = std::min<long long>(width, bitmap.width() - left);
    for (int r = 0; r < height; ++r) {
        const long long row = top + height - 1 - r;
        if (row < 0 || row >= bitmap.height())
            continue;
        uchar *target = bitmap.scanLine(int(row));
        for (long long c = firstColumn; c < lastColumn; ++c) {
            const uint8_t *pixel = buffer.Pixel(int(c), r);
            uchar *out = target + (left + c) * 3;
            out[0] = pixel[0];
            out[1] = pixel[1];
            out[2] = pixel[2];
        }
    }
}

QImage TItem::GetBitmap() const
{
    return BitsmapToImage(RenderBuffer(), ImageWidth(), ImageHeight());
}
