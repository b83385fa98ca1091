// Merging a caption drawn into a bitmap (top row first) into the render
// buffer's lower-left corner (bottom row first). Only the colour bytes
// change; the alpha byte is left as the render wrote it.
#pragma once

#include "Bitsmap.h"
#include "SceneBlocks.h"

#include <QImage>

// The hard merge: every bitmap pixel that differs from the key colour, the
// text's smoothed edge included, paints the full font colour.
void StampTextMask(TBitsmap &buffer, const QImage &bitmap, TColor fontColor, TColor keyColor);

// The smooth merge of black text on white: white keeps the buffer, black
// paints the font colour, grey blends each channel by its own mask value.
void BlendTextMask(TBitsmap &buffer, const QImage &bitmap, TColor fontColor);
