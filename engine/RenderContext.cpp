#include "RenderContext.h"

#include "GLContext.h"
#include "ParamU.h"

#include <GL/gl.h>
#include <array>
#include <cstring>
#include <memory>

namespace {

// The context with the texture object it keeps for the body.
struct TRenderContext {
    explicit TRenderContext(bool useAccelerator) : gl(useAccelerator) {}

    TGLContext gl;
    GLuint texture = 0;
    bool textureLoaded = false;
    std::array<uint8_t, TextureBytes> loadedTexels{};
};

std::unique_ptr<TRenderContext> current;

TRenderContext &Context()
{
    if (!current)
        InitRenderContext();
    return *current;
}

}  // namespace

void InitRenderContext()
{
    current.reset();
    current = std::make_unique<TRenderContext>(AppParam().UseAccelerator);
}

void DoneRenderContext()
{
    current.reset();
}

TRenderScope::TRenderScope()
{
    Context().gl.MakeCurrent();
}

TRenderScope::~TRenderScope()
{
    if (current)
        current->gl.Release();
}

void BindBodyTexture(const TTextureBlock &texture)
{
    TRenderContext &context = Context();
    if (context.texture == 0) {
        glGenTextures(1, &context.texture);
        glBindTexture(GL_TEXTURE_2D, context.texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    glBindTexture(GL_TEXTURE_2D, context.texture);
    if (context.textureLoaded && std::memcmp(context.loadedTexels.data(), texture.Texels, TextureBytes) == 0)
        return;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, TextureSide, TextureSide, 0, GL_RGB, GL_UNSIGNED_BYTE, texture.Texels);
    std::memcpy(context.loadedTexels.data(), texture.Texels, TextureBytes);
    context.textureLoaded = true;
}
