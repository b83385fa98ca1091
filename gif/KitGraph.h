// Small drawing, memory, text and window helpers shared by the GIF image, the
// colour reduction and the controls.
#pragma once

#include "GraphicsColor.h"
#include "NotImplemented.h"
#include "TextHelpers.h"
#include "TransparentDraw.h"
#include "WindowHelpers.h"

#include <QRect>
#include <cstdint>
#include <string>

int32_t Max(int32_t a, int32_t b);
int32_t Min(int32_t a, int32_t b);
int32_t RectWidth(const QRect &r);
int32_t RectHeight(const QRect &r);

// The colour as a plain RGB value with the palette-relative flag set, so that
// it is matched against a selected palette.
TColor PaletteRGB(TColor color);

// Zero-filled memory blocks; a size below 1 gives nullptr.
void *AllocMemBlock(int32_t size);
// Frees the block (when there is one) and clears the pointer.
void FreeMemBlock(void *&p);
bool CompareMemBlock(const void *p1, const void *p2, int32_t size);
void *OffsetPointer(void *p, int32_t offset);
void CopyMemBlock(void *dest, const void *source, int32_t count);

// Messages of raised errors pass through here unchanged.
std::string ResourceText(const std::string &s);
