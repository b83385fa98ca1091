// Copies between the render buffer (bottom row first, RGBA) and the 24-bit
// bitmaps the rest of the program handles (QImage::Format_RGB888, top row
// first).
#pragma once

#include "Bitsmap.h"
#include "SceneBlocks.h"

#include <QImage>

// The buffer's lower-left width x height block as an upright bitmap; the
// size is kept within the buffer.
QImage BitsmapToImage(const TBitsmap &buffer, int width, int height);

// Paints every pixel of a bitmap with a packed colour.
void FillBitmap(QImage &bitmap, TColor color);

// Copies the buffer's lower-left width x height block into the bitmap with
// its top-left corner at (x, y). Whatever falls outside the bitmap or the
// buffer is left out. The bitmap becomes 24 bits a pixel.
void BlitBitsmap(QImage &bitmap, const TBitsmap &buffer, int x, int y, int width, int height);
