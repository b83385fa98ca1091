// The process-wide mesh that every state's body is drawn from. It holds the
// geometry of the last state whose render rebuilt it: whoever renders another
// state, or changes a state's shape, profile or the mesh size, marks that
// state dirty first. Point i of ring r is entry r * MeshRingStride + i.
#pragma once

#include "Outline.h"
#include "Vector3.h"

#include <array>
#include <cstdint>

constexpr int MeshMaxCols = 360;  // points on a ring
constexpr int MeshMaxRows = 180;  // rings along the profile
constexpr int MeshRingStride = MeshMaxCols;
constexpr int MeshCapacity = MeshMaxRows * MeshMaxCols;

extern std::array<TVector3, MeshCapacity> MeshVertices;
extern std::array<TVector3, MeshCapacity> MeshNormals;
// The texture projected straight down: ((x + 1) / 2, (y + 1) / 2).
extern std::array<TPoint2, MeshCapacity> MeshTexCoords;

struct TMeshSize {
    int Cols = 0;
    int Rows = 0;

    bool operator==(const TMeshSize &other) const { return Cols == other.Cols && Rows == other.Rows; }
    bool operator!=(const TMeshSize &other) const { return !(*this == other); }
};

// The mesh size of the settings, kept within the arrays' limits.
TMeshSize CurrentMeshSize();

// The size the arrays were last built with; 0 by 0 before the first build.
TMeshSize BuiltMeshSize();

// A float as keys hold it: by its bits, so that -0 and 0 differ and a NaN
// equals itself.
uint32_t FloatBits(float value);

// Every input of a mesh: the outline's angles, the profile's angles, top
// height and scales (floats by their bits) and the mesh size. Equal keys
// give equal meshes, so a mesh is reused only under an equal key.
struct TMeshKey {
    int32_t Angles[8];
    int32_t Profile[4];
    uint32_t TopHeight, ScaleX, ScaleY;
    int32_t Cols, Rows;

    bool operator==(const TMeshKey &other) const;
    bool operator!=(const TMeshKey &other) const { return !(*this == other); }
};

TMeshKey MeshKeyOf(const TShapeBlock &shape, const TDeformationBlock &deformation, const TMeshSize &size);

// The key of the arrays' mesh; of no mesh (0 columns) before the first build.
TMeshKey BuiltMeshKey();

// Counts the builds, so that a copy of the arrays (the renderer's) knows
// when it is stale.
unsigned MeshGeneration();
