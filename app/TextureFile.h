// A texture made from a picture file: the Windows bitmap (any of its
// variants: 1 to 32 bits a pixel, run-length compressed, stored top-down or
// bottom-up) is resampled to 64 x 64 with the Hermite filter.
#pragma once

#include "SceneBlocks.h"

#include <string>

// Replaces the texels by the picture of the file; the Enabled byte stays.
// A file that is no valid bitmap raises EInvalidGraphic and leaves the
// texture as it was.
void LoadTextureFromFile(TTextureBlock &texture, const std::string &fileName);
