// The fixed English texts of the errors that the GIF image and the colour
// reduction raise.
#pragma once

inline constexpr const char *kBitmapNotValid = "Bitmap image is not valid";
inline constexpr const char *kNoGIFData = "No GIF Data to write";
inline constexpr const char *kGIFEncodeError = "GIF image encoding error";
inline constexpr const char *kWrongColorCount = "Wrong number of colors; must be a power of 2";
inline constexpr const char *kUnknownGIFVersion = "Unknown GIF version";
inline constexpr const char *kUnknownExtension = "Unrecognized extension block: %.2x";
inline constexpr const char *kCodeSizeRange = "GIF code size not in range 2 to 9";
inline constexpr const char *kGIFCorrupt = "GIF encoded data is corrupt";
inline constexpr const char *kCannotResize = "Cannot change the Size of a GIF image";
inline constexpr const char *kListIndex = "List index out of bounds (%d)";
// Raised when a frame's picture is to be decoded and its size, as the file
// gives it, exceeds 4096 x 4096 pixels (16 MB at 8 bits a pixel), or the
// pictures decoded for all frames would exceed four times that: a few bytes
// of a damaged or hostile file must not make the program claim gigabytes.
inline constexpr const char *kGIFTooLarge = "GIF image is too large";
