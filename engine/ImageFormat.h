// The single-image formats and how a file name chooses one.
#pragma once

#include <string>

enum class TImageFormat { Gif, Bmp, Jpeg, Icon, Wmf, Emf };

// By the file name's extension, in any letter case: .gif, .bmp, .jpg/.jpeg,
// .ico, .wmf, .emf; any other extension, or none, gives GIF.
TImageFormat ImageFormatOf(const std::string &fileName);
