#include "RenderContext.h"

#include "GLContext.h"
#include "Mesh.h"
#include "ParamU.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <memory>
#include <optional>
#include <vector>

namespace {

// The context with the buffers it keeps: the body texture and the mesh.
struct TRenderContext {
    explicit TRenderContext(bool useAccelerator) : gl(useAccelerator) {}

    TGLContext gl;
    GLuint texture = 0;
    bool textureLoaded = false;
    std::array<uint8_t, TextureBytes> loadedTexels{};

    // The meshes drawn last, each under the key it was built from: the
    // states of a button differ in their profiles, and an image set draws
    // them in turn.
    struct TKeptMesh {
        GLuint buffer = 0;
        TMeshKey key{};  // of no mesh until loaded
        unsigned lastUse = 0;
    };
    std::array<TKeptMesh, 4> meshes;
    unsigned uses = 0;
    GLuint indexBuffer = 0;
    TMeshSize indexedSize;

    // The colour buffers that the last few shadow passes left, each in a
    // framebuffer of its own under the key it was drawn from: the shadow
    // of a state stays the same through every edit but of its shape, size,
    // shadow and background, and an image set draws the same few in turn.
    struct TKeptLayer {
        GLuint framebuffer = 0;  // none until a layer is kept here
        TShadowLayerKey key{};
        unsigned lastUse = 0;
    };
    std::array<TKeptLayer, 4> layers;
    unsigned layerUses = 0;
    std::optional<bool> copiesFramebuffers;  // asked of the driver once
    // The keys of the last few shadow passes drawn.
    std::array<TShadowLayerKey, 4> drawnKeys{};
    size_t nextDrawnKey = 0;
};

std::unique_ptr<TRenderContext> current;
unsigned contextsMade = 0;

TRenderContext &Context()
{
    if (!current)
        InitRenderContext();
    return *current;
}

// The software rasteriser allocates and frees large vertex and tile buffers
// at every draw. By default the C library hands freed memory at the top of
// the heap back to the system and maps big blocks afresh, so every render
// faulted hundreds of zeroed pages in again. The heap keeps them instead.
void KeepFreedMemoryForNextRender()
{
    constexpr int kKeptFreeBytes = 64 << 20;     // handed back only beyond this
    constexpr int kOwnMappingBytes = 32 << 20;  // blocks from this size up are mapped alone
    mallopt(M_TRIM_THRESHOLD, kKeptFreeBytes);
    mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
}

}  // namespace

void InitRenderContext()
{
    KeepFreedMemoryForNextRender();
    current.reset();
    current = std::make_unique<TRenderContext>(AppParam().UseAccelerator);
    ++contextsMade;
}

unsigned RenderContextsMade()
{
    return contextsMade;
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

namespace {

// One triangle strip round each pair of rings, closing each ring on its
// point 0.
std::vector<GLuint> StripIndices(const TMeshSize &size)
{
    std::vector<GLuint> indices;
    for (int r = 0; r + 1 < size.Rows; ++r)
        for (int j = 0; j <= size.Cols; ++j) {
            const GLuint point = GLuint(j == size.Cols ? 0 : j);
            indices.push_back(GLuint(r * MeshRingStride) + point);
            indices.push_back(GLuint((r + 1) * MeshRingStride) + point);
        }
    return indices;
}

// Binds the strip indexes of the mesh size, made again when it changes.
void BindIndexes(TRenderContext &context, const TMeshSize &size)
{
    if (context.indexBuffer == 0)
        glGenBuffers(1, &context.indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, context.indexBuffer);
    if (context.indexedSize != size) {
        const std::vector<GLuint> indices = StripIndices(size);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(GLuint)), indices.data(),
                     GL_STATIC_DRAW);
        context.indexedSize = size;
    }
}

// The place of a kept buffer that was used longest ago.
template <typename TPlaces>
auto &LeastRecentlyUsed(TPlaces &places)
{
    return *std::min_element(places.begin(), places.end(),
                             [](const auto &a, const auto &b) { return a.lastUse < b.lastUse; });
}

TRenderContext::TKeptMesh *FindKeptMesh(TRenderContext &context, const TMeshKey &key)
{
    for (TRenderContext::TKeptMesh &mesh : context.meshes)
        if (mesh.buffer != 0 && mesh.key == key)
            return &mesh;
    return nullptr;
}

// Uploads the arrays into the place of their key, or else the place used
// least recently, and binds it.
TRenderContext::TKeptMesh &LoadMesh(TRenderContext &context)
{
    const TMeshKey key = BuiltMeshKey();
    TRenderContext::TKeptMesh *mesh = FindKeptMesh(context, key);
    if (!mesh)
        mesh = &LeastRecentlyUsed(context.meshes);
    if (mesh->buffer == 0)
        glGenBuffers(1, &mesh->buffer);
    glBindBuffer(GL_ARRAY_BUFFER, mesh->buffer);
    const size_t points = size_t(BuiltMeshSize().Rows) * MeshRingStride;
    const size_t vertexBytes = points * sizeof(TVector3), texBytes = points * sizeof(TPoint2);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(2 * vertexBytes + texBytes), nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(vertexBytes), MeshVertices.data());
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(vertexBytes), GLsizeiptr(vertexBytes), MeshNormals.data());
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(2 * vertexBytes), GLsizeiptr(texBytes), MeshTexCoords.data());
    mesh->key = key;
    return *mesh;
}

// A software rasteriser starts drawing what it was given only at a flush:
// a flush after every few thousand triangles lets its threads draw them
// while the next ones are lit and set up. The pictures are the same.
constexpr int TrianglesPerFlush = 10000;

const void *Offset(size_t bytes)
{
    return reinterpret_cast<const void *>(bytes);
}

}  // namespace

bool KeepsMesh(const TMeshKey &key)
{
    return FindKeptMesh(Context(), key) != nullptr;
}

void UploadMesh()
{
    LoadMesh(Context());
}

void DrawMesh(const TMeshKey &key)
{
    const TMeshSize size{key.Cols, key.Rows};
    if (size.Rows < 2)
        return;
    TRenderContext &context = Context();
    TRenderContext::TKeptMesh *mesh = FindKeptMesh(context, key);
    if (mesh)
        glBindBuffer(GL_ARRAY_BUFFER, mesh->buffer);
    else
        mesh = &LoadMesh(context);
    mesh->lastUse = ++context.uses;
    BindIndexes(context, size);
    const size_t vertexBytes = size_t(size.Rows) * MeshRingStride * sizeof(TVector3);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, Offset(0));
    glNormalPointer(GL_FLOAT, 0, Offset(vertexBytes));
    glTexCoordPointer(2, GL_FLOAT, 0, Offset(2 * vertexBytes));
    const GLsizei stripLength = 2 * (size.Cols + 1);
    const int stripsPerFlush = std::max(1, TrianglesPerFlush / (2 * size.Cols));
    for (int r = 0; r + 1 < size.Rows; ++r) {
        glDrawElements(GL_TRIANGLE_STRIP, stripLength, GL_UNSIGNED_INT,
                       Offset(size_t(r) * size_t(stripLength) * sizeof(GLuint)));
        if ((r + 1) % stripsPerFlush == 0)
            glFlush();
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

bool TShadowLayerKey::operator==(const TShadowLayerKey &other) const
{
    return std::memcmp(this, &other, sizeof *this) == 0;
}

namespace {

unsigned passesDrawn = 0;

// Framebuffers to copy between came with OpenGL 3.0; an older driver draws
// every shadow anew.
bool CopiesFramebuffers()
{
    const auto *version = reinterpret_cast<const char *>(glGetString(GL_VERSION));
    return version && std::atoi(version) >= 3;
}

GLuint MakeLayerFramebuffer()
{
    GLuint renderbuffer = 0, framebuffer = 0;
    glGenRenderbuffers(1, &renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, TGLContext::SurfaceSide, TGLContext::SurfaceSide);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return framebuffer;
}

// Copies the lower-left width x height block pixel for pixel; framebuffer 0
// is the drawing surface.
void CopyBlock(GLuint from, GLuint to, int width, int height)
{
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

// Keeps the viewport block of the colour buffer under the key, in the place
// used least recently.
void KeepShadowLayer(TRenderContext &context, const TShadowLayerKey &key)
{
    if (!context.copiesFramebuffers)
        context.copiesFramebuffers = CopiesFramebuffers();
    if (!*context.copiesFramebuffers)
        return;
    TRenderContext::TKeptLayer &layer = LeastRecentlyUsed(context.layers);
    if (layer.framebuffer == 0)
        layer.framebuffer = MakeLayerFramebuffer();
    CopyBlock(0, layer.framebuffer, key.Width, key.Height);
    layer.key = key;
    layer.lastUse = ++context.layerUses;
}

}  // namespace

bool RestoreShadowLayer(const TShadowLayerKey &key)
{
    TRenderContext &context = Context();
    for (TRenderContext::TKeptLayer &layer : context.layers)
        if (layer.framebuffer != 0 && layer.key == key) {
            layer.lastUse = ++context.layerUses;
            CopyBlock(layer.framebuffer, 0, key.Width, key.Height);
            return true;
        }
    return false;
}

void ShadowPassDrawn(const TShadowLayerKey &key)
{
    ++passesDrawn;
    TRenderContext &context = Context();
    const auto drawnBefore = std::find(context.drawnKeys.begin(), context.drawnKeys.end(), key);
    if (drawnBefore != context.drawnKeys.end()) {
        KeepShadowLayer(context, key);
        return;
    }
    context.drawnKeys[context.nextDrawnKey] = key;
    context.nextDrawnKey = (context.nextDrawnKey + 1) % context.drawnKeys.size();
}

unsigned ShadowPassesDrawn()
{
    return passesDrawn;
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
