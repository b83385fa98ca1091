#include "IconWriter.h"

#include "Dib.h"
#include "Exceptions.h"

namespace {

constexpr int IconDirSize = 6;
constexpr int IconDirEntrySize = 16;
constexpr int MaxIconSide = 256;

// The colour image: B, G, R, A rows bottom-up.
QByteArray ColorBits(const QImage &rgb888, uint32_t transparent)
{
    const int width = rgb888.width();
    const int height = rgb888.height();
    QByteArray bits(4 * width * height, '\0');
    for (int y = 0; y < height; ++y) {
        const uchar *source = rgb888.constScanLine(height - 1 - y);
        char *target = bits.data() + 4 * width * y;
        for (int x = 0; x < width; ++x) {
            if (PixelColor(source, x) == transparent)
                continue;  // stays black and fully transparent
            target[4 * x] = char(source[3 * x + 2]);
            target[4 * x + 1] = char(source[3 * x + 1]);
            target[4 * x + 2] = char(source[3 * x]);
            target[4 * x + 3] = char(0xFF);
        }
    }
    return bits;
}

}  // namespace

QByteArray WriteIcon(const QImage &picture, uint32_t transparent)
{
    const QImage rgb888 = AsRgb888(picture);
    const int width = rgb888.width();
    const int height = rgb888.height();
    if (width <= 0 || height <= 0 || width > MaxIconSide || height > MaxIconSide)
        throw EInvalidGraphic("Icon image size must be 1 to 256 pixels");

    const QByteArray color = ColorBits(rgb888, transparent);
    const QByteArray mask = DibMaskBits(rgb888, transparent);
    const int imageBytes = kBmpInfoHeaderSize + int(color.size()) + int(mask.size());

    TLittleEndianWriter out;
    out.PutU16(0);  // reserved
    out.PutU16(1);  // resource type: icon
    out.PutU16(1);  // one image
    out.PutU8(uint8_t(width % MaxIconSide));  // 0 stands for 256
    out.PutU8(uint8_t(height % MaxIconSide));
    out.PutU8(0);   // no colour table
    out.PutU8(0);   // reserved
    out.PutU16(1);  // planes
    out.PutU16(32); // bits per pixel
    out.PutU32(uint32_t(imageBytes));
    out.PutU32(IconDirSize + IconDirEntrySize);

    TBitmapInfoHeader header;
    header.Width = width;
    header.Height = 2 * height;  // the colour image and the mask, stacked
    header.BitCount = 32;
    header.SizeImage = uint32_t(color.size() + mask.size());
    PutBitmapInfoHeader(out, header);
    out.PutBytes(color);
    out.PutBytes(mask);
    return out.Bytes();
}
