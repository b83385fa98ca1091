#include "BmpImage.h"

#include "Exceptions.h"
#include "GIFErrors.h"
#include "LittleEndian.h"

#include <algorithm>
#include <cstring>

TBmpLayout ParseBmp(const std::vector<uint8_t> &bmp)
{
    const auto invalid = [] { return EInvalidGraphic(kBitmapNotValid); };
    if (bmp.size() < kBmpFileHeaderSize + kBmpInfoHeaderSize || bmp[0] != 'B' || bmp[1] != 'M')
        throw invalid();
    const uint8_t *info = bmp.data() + kBmpFileHeaderSize;
    TBmpLayout layout;
    layout.width = static_cast<int32_t>(GetLE32(info + 4));
    layout.height = static_cast<int32_t>(GetLE32(info + 8));
    layout.bits = static_cast<int>(GetLE16(info + 14));
    if (layout.width < 0 || layout.height < 0 ||
        (layout.bits != 1 && layout.bits != 4 && layout.bits != 8 && layout.bits != 24))
        throw invalid();
    layout.colors = layout.bits <= 8 ? 1 << layout.bits : 0;
    layout.paletteOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize;
    layout.pixelOffset = GetLE32(bmp.data() + 10);
    layout.stride = static_cast<size_t>(DIBStride(layout.width, layout.bits));
    const uint64_t pixelBytes = static_cast<uint64_t>(layout.stride) * layout.height;
    if (layout.pixelOffset < layout.paletteOffset + 4u * layout.colors ||
        layout.pixelOffset > bmp.size() || pixelBytes > bmp.size() - layout.pixelOffset)
        throw invalid();
    return layout;
}

std::vector<uint8_t> NewBmp(int32_t width, int32_t height, int bits, int colors)
{
    const size_t headers = kBmpFileHeaderSize + kBmpInfoHeaderSize + 4u * colors;
    const size_t imageSize = static_cast<size_t>(DIBStride(width, bits)) * height;
    std::vector<uint8_t> bmp(headers + imageSize, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    PutLE32(&bmp[2], static_cast<uint32_t>(bmp.size()));
    PutLE32(&bmp[10], static_cast<uint32_t>(headers));
    uint8_t *info = &bmp[kBmpFileHeaderSize];
    PutLE32(info, kBmpInfoHeaderSize);
    PutLE32(info + 4, static_cast<uint32_t>(width));
    PutLE32(info + 8, static_cast<uint32_t>(height));
    PutLE16(info + 12, 1);
    PutLE16(info + 14, static_cast<uint32_t>(bits));
    PutLE32(info + 20, static_cast<uint32_t>(imageSize));
    return bmp;
}

void StoreBmpPalette(const QVector<QRgb> &table, uint8_t *palette, int entries)
{
    for (int i = 0; i < entries && i < table.size(); ++i) {
        palette[4 * i] = static_cast<uint8_t>(qBlue(table[i]));
        palette[4 * i + 1] = static_cast<uint8_t>(qGreen(table[i]));
        palette[4 * i + 2] = static_cast<uint8_t>(qRed(table[i]));
    }
}

namespace {

std::vector<uint8_t> IndexedToBmp(const QImage &image, int bits)
{
    const int colors = 1 << bits;
    std::vector<uint8_t> bmp = NewBmp(image.width(), image.height(), bits, colors);
    const TBmpLayout layout = ParseBmp(bmp);
    StoreBmpPalette(image.colorTable(), &bmp[layout.paletteOffset], colors);
    const size_t rowBytes = static_cast<size_t>(DIBStride(image.width(), bits));
    const size_t copied = std::min(rowBytes, static_cast<size_t>(image.bytesPerLine()));
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(&bmp[layout.pixelOffset + (image.height() - 1 - y) * layout.stride],
                    image.constScanLine(y), copied);
    return bmp;
}

// The image's 15-, 16- or 32-bit pixels as it holds them: 16-bit words of
// 5-5-5 stored plainly or of 5-6-5 behind their three bit masks, or 32-bit
// words of blue, green, red and alpha.
std::vector<uint8_t> DirectColorToBmp(const QImage &image)
{
    const bool fiveSixFive = image.format() == QImage::Format_RGB16;
    const int bits = image.depth();
    // The three masks take the room of three colour-table entries.
    std::vector<uint8_t> bmp = NewBmp(image.width(), image.height(), bits, fiveSixFive ? 3 : 0);
    const size_t pixelOffset = GetLE32(&bmp[10]);
    if (fiveSixFive) {
        PutLE32(&bmp[kBmpFileHeaderSize + 16], BI_BITFIELDS_Compression);
        uint8_t *masks = &bmp[kBmpFileHeaderSize + kBmpInfoHeaderSize];
        PutLE32(masks, 0xF800);
        PutLE32(masks + 4, 0x07E0);
        PutLE32(masks + 8, 0x001F);
    }
    const size_t stride = static_cast<size_t>(DIBStride(image.width(), bits));
    for (int y = 0; y < image.height(); ++y) {
        uint8_t *out = &bmp[pixelOffset + (image.height() - 1 - y) * stride];
        if (bits == 16) {
            const auto *in = reinterpret_cast<const uint16_t *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                PutLE16(out + 2 * x, in[x]);
        } else {
            const auto *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                PutLE32(out + 4 * x, in[x]);
        }
    }
    return bmp;
}

}  // namespace

bool HasColorTable(const QImage &image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8: return true;
    default: return false;
    }
}

void Store24BitRows(const QImage &rgb888, uint8_t *dest)
{
    const int width = rgb888.width(), height = rgb888.height();
    const size_t stride = static_cast<size_t>(DIBStride(width, 24));
    for (int y = 0; y < height; ++y) {
        const uint8_t *in = rgb888.constScanLine(y);
        uint8_t *out = dest + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
}

std::vector<uint8_t> ImageToBmp(const QImage &image)
{
    if (image.isNull())
        throw EInvalidGraphic(kBitmapNotValid);
    if (image.format() == QImage::Format_Mono)
        return IndexedToBmp(image, 1);
    if (image.format() == QImage::Format_MonoLSB)
        return IndexedToBmp(image.convertToFormat(QImage::Format_Mono), 1);
    if (image.format() == QImage::Format_Indexed8)
        return IndexedToBmp(image, 8);
    if (image.format() == QImage::Format_RGB555 || image.format() == QImage::Format_RGB16 ||
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return DirectColorToBmp(image);
    if (image.format() == QImage::Format_ARGB32_Premultiplied)
        return DirectColorToBmp(image.convertToFormat(QImage::Format_ARGB32));
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        throw EInvalidGraphic(kBitmapNotValid);
    std::vector<uint8_t> bmp = NewBmp(rgb.width(), rgb.height(), 24, 0);
    Store24BitRows(rgb, &bmp[ParseBmp(bmp).pixelOffset]);
    return bmp;
}

namespace {

QVector<QRgb> ReadPalette(const std::vector<uint8_t> &bmp, const TBmpLayout &layout)
{
    QVector<QRgb> table(layout.colors);
    const uint8_t *p = &bmp[layout.paletteOffset];
    for (int i = 0; i < layout.colors; ++i, p += 4)
        table[i] = qRgb(p[2], p[1], p[0]);
    return table;
}

}  // namespace

QImage BmpToImage(const std::vector<uint8_t> &bmp)
{
    const TBmpLayout layout = ParseBmp(bmp);
    const QImage::Format format = layout.bits == 1   ? QImage::Format_Mono
                                  : layout.bits == 24 ? QImage::Format_RGB888
                                                      : QImage::Format_Indexed8;
    QImage image(layout.width, layout.height, format);
    if (image.isNull()) {
        // A picture without pixels has no rows to copy.
        if (layout.width > 0 && layout.height > 0)
            throw EInvalidGraphic(kBitmapNotValid);
        return image;
    }
    if (layout.bits <= 8)
        image.setColorTable(ReadPalette(bmp, layout));
    for (int y = 0; y < layout.height; ++y) {
        const uint8_t *row = &bmp[layout.pixelOffset + (layout.height - 1 - y) * layout.stride];
        uint8_t *out = image.scanLine(y);
        switch (layout.bits) {
        case 1:
            std::memcpy(out, row, static_cast<size_t>((layout.width + 7) / 8));
            break;
        case 4:
            for (int x = 0; x < layout.width; ++x)
                out[x] = (x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
            break;
        case 8:
            std::memcpy(out, row, static_cast<size_t>(layout.width));
            break;
        default:
            for (int x = 0; x < layout.width; ++x) {
                out[3 * x] = row[3 * x + 2];
                out[3 * x + 1] = row[3 * x + 1];
                out[3 * x + 2] = row[3 * x];
            }
        }
    }
    return image;
}
