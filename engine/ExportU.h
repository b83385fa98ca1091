// Export of the selected state's picture to one image file, in the format
// its extension names, optionally cut so that the image sets can split the
// last button of a menu into a main image and a 2-pixel edge image.
#pragma once

#include "ImageFormat.h"
#include "ParamU.h"

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <string>

class TProj;

// What part of the picture is written.
enum TCropMode : int32_t {
    cmWhole = 0,       // the whole picture (also any unknown mode)
    cmCutRight = 1,    // without the 2 rightmost columns
    cmCutBottom = 2,   // without the 2 bottom rows
    cmRightEdge = 3,   // only the 2 rightmost columns
    cmBottomEdge = 4,  // only the 2 bottom rows
};

// The cut picture. Throws EInvalidGraphicOperation when the picture is too
// small for the mode: cutting 2 columns or rows must leave at least one, and
// an edge needs 2.
QImage CropPicture(const QImage &picture, int32_t cropMode);

// The file's bytes in the given format; pixels of the transparent colour
// (R + G << 8 + B << 16) are transparent where the format can say so.
QByteArray EncodePicture(TImageFormat format, const QImage &picture, uint32_t transparent, const TParam &param);

// Writes the selected state's picture as the last render left it; nothing
// when no state is selected. A state still in draft mode is first rendered
// at full quality, so the file shows what the finished button looks like.
// An existing file is replaced only once the new one is complete.
// Errors (file, encoder) pass to the caller.
void ExportImage(TProj &proj, const std::string &fileName, int32_t cropMode);
