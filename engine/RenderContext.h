// The one rendering context of the program and what lives in it. The
// project makes it at start-up and frees it at the end; a render that finds
// none makes it itself, with the settings' accelerator choice, so tools and
// tests need no set-up. Changing the accelerator choice means
// DoneRenderContext then InitRenderContext.
#pragma once

#include "Mesh.h"
#include "SceneBlocks.h"

// (Re)makes the context; raises ERenderError when it cannot.
void InitRenderContext();
void DoneRenderContext();
// How many contexts have been made so far: a new count means a new context,
// into which every buffer is uploaded again.
unsigned RenderContextsMade();

// The context made current for one render and released when the scope ends,
// however it ends.
class TRenderScope {
public:
    TRenderScope();
    ~TRenderScope();
    TRenderScope(const TRenderScope &) = delete;
    TRenderScope &operator=(const TRenderScope &) = delete;
};

// The context keeps the last few meshes it drew, each under its key.
// Whether it keeps the mesh of this key. Only inside a TRenderScope.
bool KeepsMesh(const TMeshKey &key);

// Uploads the mesh arrays into the context under their key. Only inside a
// TRenderScope.
void UploadMesh();

// Draws the mesh of the key, one triangle strip round each pair of rings:
// the one kept under it, or else the arrays, which must then have been built
// under it, uploaded first. Only inside a TRenderScope.
void DrawMesh(const TMeshKey &key);

// Everything the drop shadow's pass draws from: the mesh, the shadow's
// offsets (which also frame the camera) and colour, the clear colour and the
// viewport. Renders under equal keys leave equal colour buffers after that
// pass. Floats are held by their bits.
struct TShadowLayerKey {
    TMeshKey Mesh;
    uint32_t OffsetX, OffsetY, Color;
    uint32_t Background[4];
    int32_t Width, Height;

    bool operator==(const TShadowLayerKey &other) const;
};

// The context keeps the colour buffer as the shadow pass of the last few
// renders left it, each under its key. Copies the one kept under the key into
// the viewport block of the colour buffer; false when none is kept. Only
// inside a TRenderScope.
bool RestoreShadowLayer(const TShadowLayerKey &key);

// Tells the context that a shadow pass has just been drawn under the key.
// Keeping a layer costs a copy, so only the shadow of a key drawn before
// among the last few is kept: one drawn once is mostly one being changed.
// Only inside a TRenderScope.
void ShadowPassDrawn(const TShadowLayerKey &key);

// How many shadow passes have been drawn so far.
unsigned ShadowPassesDrawn();

// Binds the body texture, uploading it only when its texels differ from what
// the context already holds. Only inside a TRenderScope.
void BindBodyTexture(const TTextureBlock &texture);
