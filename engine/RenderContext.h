// The one rendering context of the program and what lives in it. The
// project makes it at start-up and frees it at the end; a render that finds
// none makes it itself, with the settings' accelerator choice, so tools and
// tests need no set-up. Changing the accelerator choice means
// DoneRenderContext then InitRenderContext.
#pragma once

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

// Binds the vertex buffers kept in the context, uploading the mesh into them
// again only when it was rebuilt since. Only inside a TRenderScope.
void UploadMesh();

// Draws the uploaded mesh: one triangle strip round each pair of rings. Only
// inside a TRenderScope.
void DrawMesh();

// Binds the body texture, uploading it only when its texels differ from what
// the context already holds. Only inside a TRenderScope.
void BindBodyTexture(const TTextureBlock &texture);
