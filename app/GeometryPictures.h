// Pictures of a shape's outline and of a deformation's profile, drawn point
// by point from the outline and profile functions and filled with the body
// colour: the editors' pictures, optionally with the sector lines of the
// corners, and the thumbnails of the library lists. Each block is taken by
// value: evaluating it refreshes its cached tangents.
#pragma once

#include "SceneBlocks.h"

#include <QImage>

// The colour of the body inside the outline or under the profile.
constexpr QRgb BodyFillColor = qRgb(150, 150, 255);

// 110 x 50: the outline around the centre (55, 25), 50 pixels a unit across
// and 20 up; with sectors, the rays of the eight corner angles.
QImage ShapePicture(TShapeBlock shape, QRgb background, bool sectors);

// 110 x 50: the profile and its mirror image over the base line y = 45, 50
// pixels a unit across and 40 up, with the mark of the top's height; with
// sectors, the rays of the four profile angles.
QImage DeformationPicture(TDeformationBlock deformation, QRgb background, bool sectors);

// 100 x 40 thumbnails of a library entry.
QImage ShapeThumbnail(TShapeBlock shape, QRgb background);
QImage DeformationThumbnail(TDeformationBlock deformation, QRgb background);
