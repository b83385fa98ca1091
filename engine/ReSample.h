// A separable two-pass resampler with a pluggable filter, used with the
// cubic Hermite filter of support 1: first along one axis into a work image,
// then along the other. The source is mirrored at its borders.
#pragma once

#include "Bitsmap.h"

#include <QImage>
#include <vector>

using TFilterProc = float (*)(float);

// (2|x| - 3) x^2 + 1 inside -1..1, 0 outside.
float HermiteFilter(float x);

// One source pixel's share of an output pixel.
struct TContributor {
    int Pixel;
    float Weight;
};
using TContributorList = std::vector<TContributor>;

// For each of dstLen output indexes, the source indexes (mirrored at the
// borders, always inside 0..srcLen-1) and their non-zero weights.
std::vector<TContributorList> BuildContributors(int srcLen, int dstLen, TFilterProc filter, float filterWidth);

// Reduces the supersampled render to the render buffer: its lower-left
// width x height pixels (all of it unless told), each with a zero alpha
// byte; the rest of dst is left as it is. Only the block of src that
// SupersampleReach gives for that size is read.
void StretchBitsmap(TBitsmap &dst, const TBigBitsmap &src, TFilterProc filter, float filterWidth,
                    int width = TBitsmap::Size, int height = TBitsmap::Size);

// A block of pixels from a buffer's lower-left corner.
struct TPixelBlock {
    int Width;
    int Height;
};

// The block of the supersampled picture that the lower-left width x height
// pixels of its reduction draw on.
TPixelBlock SupersampleReach(TFilterProc filter, float filterWidth, int width, int height);

// Resamples src to dst's current size; both become 24 bits a pixel
// (Format_RGB888). An empty source raises "Source bitmap too small"; an
// empty destination is left as it is. A work image or destination of more
// than 2^24 pixels raises EInvalidGraphic, and memory that could not be had
// std::bad_alloc; dst then stays as it was.
void Stretch(QImage &dst, const QImage &src, TFilterProc filter, float filterWidth);
