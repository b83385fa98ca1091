// The 3D look of a state: texture, material, outline, profile and drop
// shadow, five raw blocks that move between states, libraries and files.
#pragma once

#include "SceneBlocks.h"

class TItem;

class TButtonItem {
public:
    explicit TButtonItem(TItem *owner);
    TButtonItem(const TButtonItem &) = delete;
    TButtonItem &operator=(const TButtonItem &) = delete;

    // Fill the process-wide mesh from this look's outline and profile at
    // the current mesh size, then its normals.
    void BuildMesh();
    void BuildNormals();

    // Draws the body, or with shadow its flat silhouette offset by the
    // shadow's DX, DY; with rebuild the mesh is built from this look first.
    void Draw(bool rebuild, bool shadow);

    TItem *Owner;  // not owned
    TTextureBlock Texture;
    TMaterialBlock Material;
    TShapeBlock Shape;
    TDeformationBlock Deformation;
    TShadowBlock Shadow;
};
