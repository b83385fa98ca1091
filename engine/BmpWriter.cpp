#include "BmpWriter.h"

#include "BmpPalette.h"
#include "Dib.h"
#include "LittleEndian.h"

#include <functional>

namespace {

// Writes one stored row of the bitmap: the target holds the padded row.
using TRowPacker = std::function<void(int sourceRow, uchar *target)>;

QByteArray PackRows(const QImage &rgb888, int bits, const TRowPacker &pack)
{
    const int height = rgb888.height();
    const int rowBytes = int(DIBStride(rgb888.width(), bits));
    QByteArray rows(rowBytes * height, '\0');
    for (int y = 0; y < height; ++y)
        pack(height - 1 - y, reinterpret_cast<uchar *>(rows.data()) + y * rowBytes);
    return rows;
}

uint16_t Pack555(const uchar *rgb) { return uint16_t((rgb[0] >> 3) << 10 | (rgb[1] >> 3) << 5 | rgb[2] >> 3); }
uint16_t Pack565(const uchar *rgb) { return uint16_t((rgb[0] >> 3) << 11 | (rgb[1] >> 2) << 5 | rgb[2] >> 3); }

QByteArray PackIndexed(const QImage &rgb888, int bits, const TIndexedPicture &indexed)
{
    const int width = rgb888.width();
    return PackRows(rgb888, bits, [&](int sourceRow, uchar *target) {
        const uint8_t *index = indexed.Indices.data() + size_t(sourceRow) * size_t(width);
        for (int x = 0; x < width; ++x) {
            if (bits == 8)
                target[x] = index[x];
            else
                target[x / 2] = uchar(target[x / 2] | (x % 2 == 0 ? index[x] << 4 : index[x]));
        }
    });
}

QByteArray Pack16(const QImage &rgb888, uint16_t (*pack)(const uchar *))
{
    const int width = rgb888.width();
    return PackRows(rgb888, 16, [&](int sourceRow, uchar *target) {
        const uchar *source = rgb888.constScanLine(sourceRow);
        for (int x = 0; x < width; ++x)
            PutLE16(target + 2 * x, pack(source + 3 * x));
    });
}

QByteArray Pack32(const QImage &rgb888)
{
    const int width = rgb888.width();
    return PackRows(rgb888, 32, [&](int sourceRow, uchar *target) {
        const uchar *source = rgb888.constScanLine(sourceRow);
        for (int x = 0; x < width; ++x) {
            target[4 * x] = source[3 * x + 2];
            target[4 * x + 1] = source[3 * x + 1];
            target[4 * x + 2] = source[3 * x];
        }
    });
}

void PutPalette(TLittleEndianWriter &out, const std::vector<uint32_t> &palette, int entries)
{
    for (int i = 0; i < entries; ++i) {
        const uint32_t color = size_t(i) < palette.size() ? palette[size_t(i)] : 0;
        out.PutU8(uint8_t(color >> 16));
        out.PutU8(uint8_t(color >> 8));
        out.PutU8(uint8_t(color));
        out.PutU8(0);
    }
}

int BmpBitsPerPixel(uint8_t pixelFormat)
{
    switch (pixelFormat) {
    case 2: return 4;
    case 3: return 8;
    case 4: return 15;
    case 5: return 16;
    case 7: return 32;
    default: return 24;
    }
}

}  // namespace

QByteArray WriteBmp(const QImage &picture, uint8_t pixelFormat)
{
    const QImage rgb888 = AsRgb888(picture);
    const int bits = BmpBitsPerPixel(pixelFormat);
    const int storedBits = bits == 15 ? 16 : bits;

    TIndexedPicture indexed;
    QByteArray rows;
    if (bits <= 8) {
        indexed = IndexPicture(rgb888, 1 << bits);
        rows = PackIndexed(rgb888, bits, indexed);
    } else if (bits == 15) {
        rows = Pack16(rgb888, Pack555);
    } else if (bits == 16) {
        rows = Pack16(rgb888, Pack565);
    } else if (bits == 24) {
        rows = Dib24Bits(rgb888);
    } else {
        rows = Pack32(rgb888);
    }

    const int paletteEntries = bits <= 8 ? 1 << bits : 0;
    const int masksBytes = bits == 16 ? 12 : 0;
    const int offBits = kBmpFileHeaderSize + kBmpInfoHeaderSize + masksBytes + 4 * paletteEntries;

    TLittleEndianWriter out;
    out.PutU8('B');
    out.PutU8('M');
    out.PutU32(uint32_t(offBits + rows.size()));
    out.PutU32(0);  // two reserved words
    out.PutU32(uint32_t(offBits));

    TBitmapInfoHeader header;
    header.Width = rgb888.width();
    header.Height = rgb888.height();
    header.BitCount = uint16_t(storedBits);
    header.Compression = bits == 16 ? BI_BITFIELDS_Compression : BI_RGB_Compression;
    header.SizeImage = uint32_t(rows.size());
    PutBitmapInfoHeader(out, header);
    if (bits == 16) {
        out.PutU32(0xF800);
        out.PutU32(0x07E0);
        out.PutU32(0x001F);
    }
    PutPalette(out, indexed.Palette, paletteEntries);
    out.PutBytes(rows);
    return out.Bytes();
}
