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

// Binds the body texture, uploading it only when its texels differ from what
// the context already holds. Only inside a TRenderScope.
void BindBodyTexture(const TTextureBlock &texture);
