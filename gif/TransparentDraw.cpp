#include "TransparentDraw.h"

#include <QPainter>
#include <functional>

namespace {

// A monochrome bitmap always leaves out its white pixels, whatever colour is
// asked for.
TColor ResolveTransparentColor(const QImage &bitmap, TColor color)
{
    if (bitmap.depth() == 1)
        return clWhite;
    if (color == clDefault)
        return QRgbToColor(bitmap.pixel(0, bitmap.height() - 1));
    return ColorToRGB(color);
}

// A copy of the image in which the pixels picked by `paint` take `color`
// and every other pixel is see-through.
QImage MaskImage(const QImage &image, const std::function<bool(QRgb)> &paint, TColor color)
{
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage mask(source.size(), QImage::Format_ARGB32);
    const QRgb painted = ColorToQRgb(color);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        QRgb *out = reinterpret_cast<QRgb *>(mask.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            out[x] = paint(in[x]) ? painted : 0;
    }
    return mask;
}

}  // namespace

void StretchBitmapTransparent(QPainter &dest, const QImage &bitmap, TColor transparentColor,
                              int dstX, int dstY, int dstW, int dstH,
                              int srcX, int srcY, int srcW, int srcH)
{
    if (dstW < 1)
        dstW = bitmap.width();
    if (dstH < 1)
        dstH = bitmap.height();
    if (srcW < 1 || srcH < 1) {
        srcX = srcY = 0;
        srcW = bitmap.width();
        srcH = bitmap.height();
    }
    const QRect target(dstX, dstY, dstW, dstH);
    const QImage part = bitmap.copy(srcX, srcY, srcW, srcH);
    if (transparentColor == clNone) {
        dest.drawImage(target, part);
        return;
    }
    const QRgb leftOut = ColorToQRgb(ResolveTransparentColor(bitmap, transparentColor));
    QImage keyed = part.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (leftOut & 0xFFFFFF))
                line[x] = 0;
    }
    dest.drawImage(target, keyed);
}

void DrawBitmapTransparent(QPainter &dest, int dstX, int dstY, int dstW, int dstH,
                           const QRect &srcRect, const QImage &bitmap, TColor transparentColor)
{
    StretchBitmapTransparent(dest, bitmap, transparentColor, dstX, dstY, dstW, dstH,
                             srcRect.x(), srcRect.y(), srcRect.width(), srcRect.height());
}

QImage CreateDisabledBitmapEx(const QImage &bitmap, TColor outlineColor, TColor backColor,
                              TColor highlightColor, TColor shadowColor, bool drawHighlight)
{
    // A monochrome glyph is a picture on white paper: the picture is
    // embossed, whatever the outline colour.
    const bool monochrome = bitmap.depth() == 1;
    const QRgb outline = ColorToQRgb(outlineColor) & 0xFFFFFF, paper = 0xFFFFFF;
    const auto isOutline = [=](QRgb pixel) {
        pixel &= 0xFFFFFF;
        return monochrome ? pixel != paper : pixel == outline;
    };
    QImage result(bitmap.size(), QImage::Format_RGB32);
    result.fill(ColorToQRgb(backColor));
    QPainter painter(&result);
    if (drawHighlight)
        painter.drawImage(1, 1, MaskImage(bitmap, isOutline, highlightColor));
    painter.drawImage(0, 0, MaskImage(bitmap, isOutline, shadowColor));
    return result;
}

QImage CreateDisabledBitmap(const QImage &bitmap, TColor outlineColor)
{
    return CreateDisabledBitmapEx(bitmap, outlineColor, clBtnFace, clBtnHighlight, clBtnShadow,
                                  true);
}

void CreateDisabledImage(QPainter &canvas, int x, int y, const QImage &image,
                         TColor highlightColor, TColor shadowColor, bool drawHighlight)
{
    const auto isOpaque = [](QRgb pixel) { return qAlpha(pixel) != 0; };
    if (drawHighlight)
        canvas.drawImage(x + 1, y + 1, MaskImage(image, isOpaque, highlightColor));
    canvas.drawImage(x, y, MaskImage(image, isOpaque, shadowColor));
}
