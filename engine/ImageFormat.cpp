#include "ImageFormat.h"

#include "AnsiText.h"

namespace {

// The extension of the file-name part, dot included, in lower case; empty
// when the name has none. Dots in folder names never count.
std::string LowerExtension(const std::string &fileName)
{
    const size_t nameStart = fileName.find_last_of("/\\:");
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart))
        return {};
    return AsciiLower(fileName.substr(dot));
}

}  // namespace

TImageFormat ImageFormatOf(const std::string &fileName)
{
    const std::string extension = LowerExtension(fileName);
    if (extension == ".bmp")
        return TImageFormat::Bmp;
    if (extension == ".jpg" || extension == ".jpeg")
        return TImageFormat::Jpeg;
    if (extension == ".ico")
        return TImageFormat::Icon;
    if (extension == ".wmf")
        return TImageFormat::Wmf;
    if (extension == ".emf")
        return TImageFormat::Emf;
    return TImageFormat::Gif;
}
