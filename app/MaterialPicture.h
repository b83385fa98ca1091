// A small picture of a material for the material list: a sphere lit from
// the upper left in the material's ambient, diffuse, specular and emission
// colours and its shininess.
#pragma once

#include "SceneBlocks.h"

#include <QImage>

// side x side pixels, the sphere on the background colour.
QImage MaterialPicture(const TMaterialBlock &material, int side, TColor background);
