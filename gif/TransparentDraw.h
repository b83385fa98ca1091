// Drawing bitmaps with one colour left out, and the embossed look of a
// disabled glyph.
#pragma once

#include "GraphicsColor.h"

#include <QImage>
#include <QRect>

class QPainter;

// Stretches the source rectangle of the bitmap onto the destination rectangle,
// leaving the destination visible wherever a source pixel has the transparent
// colour. A destination size below 1 takes the bitmap's size, a source size
// below 1 the whole bitmap. clNone draws every pixel; clDefault takes the
// colour of the bottom-left pixel. A monochrome bitmap leaves out its white
// pixels, whichever colour is given (other than clNone).
void StretchBitmapTransparent(QPainter &dest, const QImage &bitmap, TColor transparentColor,
                              int dstX, int dstY, int dstW, int dstH,
                              int srcX, int srcY, int srcW, int srcH);

void DrawBitmapTransparent(QPainter &dest, int dstX, int dstY, int dstW, int dstH,
                           const QRect &srcRect, const QImage &bitmap, TColor transparentColor);

// A new bitmap of the source's size filled with backColor, on which the
// pixels of outlineColor appear in shadowColor, with a highlight edge one
// pixel below and to the right when drawHighlight is set. Of a monochrome
// bitmap the picture appears, every pixel but the white paper, whatever
// outlineColor is.
QImage CreateDisabledBitmapEx(const QImage &bitmap, TColor outlineColor, TColor backColor,
                              TColor highlightColor, TColor shadowColor, bool drawHighlight);

// The same with the button colours of the desktop scheme.
QImage CreateDisabledBitmap(const QImage &bitmap, TColor outlineColor);

// Draws the opaque pixels of an image in the disabled look at (x, y).
void CreateDisabledImage(QPainter &canvas, int x, int y, const QImage &image,
                         TColor highlightColor, TColor shadowColor, bool drawHighlight);
