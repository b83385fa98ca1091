#include "ColorReduction.h"

#include "BmpImage.h"
#include "Exceptions.h"
#include "GIFErrors.h"
#include "LittleEndian.h"
#include "NotImplemented.h"
#include "ReductionMethods.h"

#include <cstring>

TReductionMethod GIFDefaultReductionMethod = rmPopularity;

const QVector<QRgb> &StandardColors16()
{
    static const QVector<QRgb> colors = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return colors;
}

namespace {

// The pixel format a bitmap is held in.
TPixelFormat BitmapPixelFormat(const QImage &bitmap)
{
    switch (bitmap.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: return TPixelFormat::pf1bit;
    case QImage::Format_Indexed8: return TPixelFormat::pf8bit;
    case QImage::Format_RGB555: return TPixelFormat::pf15bit;
    case QImage::Format_RGB16: return TPixelFormat::pf16bit;
    case QImage::Format_RGB888:
    case QImage::Format_BGR888: return TPixelFormat::pf24bit;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied: return TPixelFormat::pf32bit;
    default: return TPixelFormat::pfCustom;
    }
}

std::vector<uint8_t> FourBitBmp(const QImage &bitmap)
{
    const QImage indexed = bitmap.convertToFormat(QImage::Format_Indexed8, StandardColors16(),
                                                  Qt::ThresholdDither | Qt::AvoidDither);
    if (indexed.isNull())
        throw EInvalidGraphic(kBitmapNotValid);
    std::vector<uint8_t> bmp = NewBmp(indexed.width(), indexed.height(), 4, 16);
    const TBmpLayout layout = ParseBmp(bmp);
    StoreBmpPalette(StandardColors16(), &bmp[layout.paletteOffset], 16);
    for (int y = 0; y < indexed.height(); ++y) {
        const uint8_t *in = indexed.constScanLine(y);
        uint8_t *out = &bmp[layout.pixelOffset + (indexed.height() - 1 - y) * layout.stride];
        for (int x = 0; x < indexed.width(); ++x)
            out[x / 2] |= static_cast<uint8_t>((x & 1) ? in[x] : in[x] << 4);
    }
    return bmp;
}

std::vector<uint8_t> OneBitBmp(const QImage &bitmap)
{
    const QImage mono = bitmap.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    if (mono.isNull())
        throw EInvalidGraphic(kBitmapNotValid);
    return ImageToBmp(mono);
}

QImage TrueColorCopy(const QImage &bitmap)
{
    const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        throw EInvalidGraphic(kBitmapNotValid);
    return rgb;
}

// Runs the method over stored 24-bit rows in place; fills the colour table
// and returns the important-colour count for the information header. The
// popularity method reads the picture where it is (PopularityBmp).
uint32_t RunMethod(TReductionMethod method, int32_t width, int32_t height, uint8_t *palette,
                   uint8_t *pixels)
{
    switch (method) {
    case rmPopularity:
        break;
    case rmMedianCut:
        return static_cast<uint32_t>(ReduceMedianCut(width, height, pixels, pixels, palette, 256));
    case rmUniform784:
        FillUniform784Palette(palette);
        ReduceUniform784(width, height, pixels, pixels);
        return 224;
    case rmUniform666:
        FillUniform666Palette(palette);
        ReduceUniform666(width, height, pixels, pixels);
        return 216;
    case rmStripes:
        FillStripesPalette(palette);
        ReduceStripes(width, height, pixels, pixels);
        return 0;
    case rmGrayscale:
        FillGrayscalePalette(palette);
        ReduceGrayscale(width, height, pixels, pixels);
        return 0;
    }
    return 0;
}

// The padding bytes of each index row are never left undefined: each holds
// what a stored 24-bit copy of the picture holds at the same offset, so an
// 8-bit file carries the same row padding on every export of the picture.
void FillPaddingAsOverStoredRows(const QImage &rgb, uint8_t *indexes)
{
    const int32_t width = rgb.width(), height = rgb.height();
    const size_t stride = static_cast<size_t>(DIBStride(width, 8));
    const size_t storedStride = static_cast<size_t>(DIBStride(width, 24)), storedRow = 3 * size_t(width);
    for (int32_t y = 0; y < height; ++y)
        for (size_t at = y * stride + size_t(width); at < (y + 1) * stride; ++at) {
            const size_t row = at / storedStride, column = at % storedStride;
            // Stored pixels are blue, green, red; the picture's red, green, blue.
            if (column < storedRow)
                indexes[at] = rgb.constScanLine(height - 1 - int(row))[column - column % 3 + 2 - column % 3];
        }
}

std::vector<uint8_t> PopularityBmp(const QImage &rgb)
{
    std::vector<uint8_t> bmp = NewBmp(rgb.width(), rgb.height(), 8, 256);
    const TBmpLayout layout = ParseBmp(bmp);
    const TTrueColorRows rows{rgb.constScanLine(rgb.height() - 1), -static_cast<ptrdiff_t>(rgb.bytesPerLine()),
                              true};
    ReducePopularity(rgb.width(), rgb.height(), &bmp[layout.paletteOffset], rows, &bmp[layout.pixelOffset], 256);
    FillPaddingAsOverStoredRows(rgb, &bmp[layout.pixelOffset]);
    return bmp;
}

std::vector<uint8_t> EightBitBmp(const QImage &bitmap, TReductionMethod method)
{
    const QImage rgb = TrueColorCopy(bitmap);
    if (method == rmPopularity)
        return PopularityBmp(rgb);
    // Kept from call to call: fresh pages for a whole picture cost more than
    // the reduction itself.
    thread_local std::vector<uint8_t> pixels;
    pixels.assign(static_cast<size_t>(DIBStride(rgb.width(), 24)) * rgb.height(), 0);
    Store24BitRows(rgb, pixels.data());
    std::vector<uint8_t> bmp = NewBmp(rgb.width(), rgb.height(), 8, 256);
    const TBmpLayout layout = ParseBmp(bmp);
    const uint32_t important =
        RunMethod(method, rgb.width(), rgb.height(), &bmp[layout.paletteOffset], pixels.data());
    PutLE32(&bmp[kBmpFileHeaderSize + 36], important);
    std::memcpy(&bmp[layout.pixelOffset], pixels.data(), layout.stride * rgb.height());
    return bmp;
}

// A 24-bit target keeps the true colours; grey scale turns each pixel into
// its grey level.
std::vector<uint8_t> TwentyFourBitBmp(const QImage &bitmap, TReductionMethod method)
{
    if (method != rmGrayscale)
        return ImageToBmp(TrueColorCopy(bitmap));
    const QImage rgb = TrueColorCopy(bitmap);
    std::vector<uint8_t> bmp = NewBmp(rgb.width(), rgb.height(), 24, 0);
    const TBmpLayout layout = ParseBmp(bmp);
    uint8_t *pixels = &bmp[layout.pixelOffset];
    Store24BitRows(rgb, pixels);
    for (int32_t y = 0; y < rgb.height(); ++y) {
        uint8_t *p = pixels + y * layout.stride;
        for (int32_t x = 0; x < rgb.width(); ++x, p += 3)
            p[0] = p[1] = p[2] = GrayLevel(p[2], p[1], p[0]);
    }
    return bmp;
}

}  // namespace

std::vector<uint8_t> BitmapToReducedStream(const QImage &bitmap, TPixelFormat pixelFormat,
                                           TReductionMethod method)
{
    if (bitmap.isNull())
        throw EInvalidGraphic(kBitmapNotValid);
    // A bitmap already in the target format is handed on as it is, whatever
    // that format; only then are the unsupported targets turned away.
    if (BitmapPixelFormat(bitmap) == pixelFormat && method != rmGrayscale)
        return ImageToBmp(bitmap);
    switch (pixelFormat) {
    case TPixelFormat::pf1bit: return OneBitBmp(bitmap);
    case TPixelFormat::pf4bit: return FourBitBmp(bitmap);
    case TPixelFormat::pf8bit: return EightBitBmp(bitmap, method);
    case TPixelFormat::pf24bit: return TwentyFourBitBmp(bitmap, method);
    default: NotImplemented();
    }
}
