// Conversions between the packed colour of settings and files
// (R + G << 8 + B << 16) and the four floats OpenGL takes.
#pragma once

#include "SceneBlocks.h"

#include <cstdint>

TColor MakeRGB(int r, int g, int b);
uint8_t GetRed(TColor c);
uint8_t GetGreen(TColor c);
uint8_t GetBlue(TColor c);

// Each channel byte / 255, alpha 1.
TRGBA ColorToRGBA(TColor c);

// A float channel as a byte: 255 above 1, else v * 255 rounded with ties to
// even; a negative or undefined value gives 0.
uint8_t RedToByte(const TRGBA &v);
uint8_t GreenToByte(const TRGBA &v);
uint8_t BlueToByte(const TRGBA &v);

// The packed colour of the three float channels; alpha is ignored.
TColor RGBAToColor(const TRGBA &v);
