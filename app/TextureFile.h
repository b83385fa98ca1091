// A texture made from a picture file: the Windows bitmap (any of its
// variants: 1 to 32 bits a pixel, run-length compressed, stored top-down or
// bottom-up) is resampled to 64 x 64 with the Hermite filter.
#pragma once

#include "SceneBlocks.h"

#include <cstdint>
#include <string>

// The largest picture a texture is made from. A texture has only 64 x 64
// texels, so a larger picture would cost seconds and gigabytes for nothing
// it shows; the bound still takes any photograph of 16 megapixels and any
// strip of up to 16 384 pixels, while a refused one is never decoded.
constexpr int LargestTexturePictureSide = 16384;
constexpr int64_t LargestTexturePicturePixels = int64_t(1) << 24;

// Replaces the texels by the picture of the file; the Enabled byte stays.
// A file that is no valid bitmap, or whose picture passes those bounds,
// raises EInvalidGraphic and leaves the texture as it was; the error of a
// picture too large names the file. Pixels the file leaves unset take the
// colour of palette index 0, or black in a file of more than 8 bits a pixel.
void LoadTextureFromFile(TTextureBlock &texture, const std::string &fileName);
