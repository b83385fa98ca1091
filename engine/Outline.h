// The outline of a button (a closed curve in the square -1..1 made of four
// quarter-ellipse corners joined by straight edges) and the profile along
// which it is swept upwards. Pure functions of one block, shared by the mesh
// builder and the shape and deformation editors.
#pragma once

#include "SceneBlocks.h"

// Degrees to radians, as the float the whole model uses.
constexpr float DegToRad = 0.017453292f;

struct TPoint2 {
    float X = 0.0f;
    float Y = 0.0f;
};

// Fill the blocks' cached tangents from their angles.
void PrepareShape(TShapeBlock &shape);
void PrepareDeformation(TDeformationBlock &deformation);

// The outline point at angle t (degrees, counter-clockwise from +x).
TPoint2 GetOutlinePoint(TShapeBlock &shape, float t);

// The profile at angle u (degrees, 0..90): X is the ring's horizontal scale
// (1 at the side wall, 0 at the centre), Y its height.
TPoint2 GetProfilePoint(TDeformationBlock &deformation, float u);
