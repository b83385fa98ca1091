#include "Dib.h"

void PutBitmapInfoHeader(TLittleEndianWriter &out, const TBitmapInfoHeader &header)
{
    out.PutU32(kBmpInfoHeaderSize);
    out.PutI32(header.Width);
    out.PutI32(header.Height);
    out.PutU16(1);  // planes
    out.PutU16(header.BitCount);
    out.PutU32(header.Compression);
    out.PutU32(header.SizeImage);
    out.PutI32(0);  // horizontal resolution: unknown
    out.PutI32(0);  // vertical resolution: unknown
    out.PutU32(header.ColorsUsed);
    out.PutU32(0);  // every colour is important
}

QImage AsRgb888(const QImage &picture)
{
    if (picture.format() == QImage::Format_RGB888)
        return picture;
    return picture.convertToFormat(QImage::Format_RGB888);
}

QByteArray Dib24Bits(const QImage &rgb888, uint32_t blackened)
{
    const int width = rgb888.width();
    const int height = rgb888.height();
    const int rowBytes = int(DIBStride(width, 24));
    QByteArray bits(rowBytes * height, '\0');
    for (int y = 0; y < height; ++y) {
        const uchar *source = rgb888.constScanLine(height - 1 - y);
        char *target = bits.data() + y * rowBytes;
        for (int x = 0; x < width; ++x) {
            if (PixelColor(source, x) == blackened)
                continue;  // already black
            target[3 * x] = char(source[3 * x + 2]);
            target[3 * x + 1] = char(source[3 * x + 1]);
            target[3 * x + 2] = char(source[3 * x]);
        }
    }
    return bits;
}

QByteArray DibMaskBits(const QImage &rgb888, uint32_t transparent)
{
    const int width = rgb888.width();
    const int height = rgb888.height();
    const int rowBytes = int(DIBStride(width, 1));
    QByteArray bits(rowBytes * height, '\0');
    for (int y = 0; y < height; ++y) {
        const uchar *source = rgb888.constScanLine(height - 1 - y);
        char *target = bits.data() + y * rowBytes;
        for (int x = 0; x < width; ++x)
            if (PixelColor(source, x) == transparent)
                target[x / 8] = char(target[x / 8] | (0x80 >> (x % 8)));
    }
    return bits;
}
