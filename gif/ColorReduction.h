// Reduction of a bitmap of any depth to a BMP file image of 1, 4, 8 or 24
// bits; the 8-bit form by one of six methods.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

enum TReductionMethod : uint8_t {
    rmPopularity = 0,
    rmMedianCut = 1,
    rmUniform784 = 2,
    rmUniform666 = 3,
    rmStripes = 4,
    rmGrayscale = 5,
};

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// The 16 standard colours (black, the dark and light primaries and greys,
// white) that 4-bit pictures are mapped to.
const QVector<QRgb> &StandardColors16();

// The method used for frames deeper than 8 bits; rmPopularity at start.
extern TReductionMethod GIFDefaultReductionMethod;

// The bitmap as a BMP file image at the target format: the bitmap's own form
// (ImageToBmp) when it is already held in that format, whichever it is,
// unless grey scale is asked for; else a 1- or 4-bit copy mapped to a fixed
// palette, or an 8-bit image made by `method` with a 256-entry colour table.
// A null bitmap raises "Bitmap image is not valid"; any other target ends in
// NotImplemented.
std::vector<uint8_t> BitmapToReducedStream(const QImage &bitmap, TPixelFormat pixelFormat,
                                           TReductionMethod method);
