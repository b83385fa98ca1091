// The colour type of settings, files and pictures: R + G << 8 + B << 16, the
// top byte 0 for a plain colour. The GIF code adds negative values for the
// desktop scheme's colours and two markers (GraphicsColor.h).
#pragma once

#include <cstdint>

using TColor = int32_t;
