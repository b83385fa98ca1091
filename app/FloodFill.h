// Filling an area of a picture bounded by a border colour.
#pragma once

#include <QImage>
#include <QPoint>

// Paints fill over the area around start: every pixel reachable from it
// through left, right, up and down neighbours without crossing a pixel of
// the border colour. A start outside the picture or on the border paints
// nothing. The image must be 32 bits a pixel (RGB32 or ARGB32).
void FloodFill(QImage &image, QPoint start, QRgb fill, QRgb border);
