// Rendering a state with OpenGL into the render buffer.
#include "Bitsmap.h"
#include "ColorU.h"
#include "Exceptions.h"
#include "Item.h"
#include "Mesh.h"
#include "ReSample.h"
#include "RenderContext.h"
#include "ShadowMargins.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {

void SetMaterial(const TRGBA &ambient, const TRGBA &diffuse, const TRGBA &specular, float shininess,
                 const TRGBA &emission)
{
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient.data());
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse.data());
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular.data());
    glMaterialf(GL_FRONT, GL_SHININESS, shininess);
    glMaterialfv(GL_FRONT, GL_EMISSION, emission.data());
}

void ReadPixels(int side, uint8_t *target)
{
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, side, side, GL_RGBA, GL_UNSIGNED_BYTE, target);
}

// Reads the lower-left block into a buffer of the surface's whole rows.
void ReadBlock(const TPixelBlock &block, TBigBitsmap &target)
{
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, TBigBitsmap::Size);
    glReadPixels(0, 0, block.Width, block.Height, GL_RGBA, GL_UNSIGNED_BYTE, target.Data.data());
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
}

// Outside the state's image a supersampled render leaves the background
// colour with a zero alpha byte, as reducing the cleared surface gives.
void FillOutsideImage(TBitsmap &buffer, int width, int height, const TRGBA &background)
{
    const uint8_t pixel[4] = {RedToByte(background), GreenToByte(background), BlueToByte(background), 0};
    std::array<uint8_t, TBitsmap::RowBytes> row;
    for (size_t x = 0; x < row.size(); x += 4)
        std::memcpy(&row[x], pixel, 4);
    for (int y = 0; y < TBitsmap::Size; ++y) {
        const int x = y < height ? width : 0;
        std::memcpy(buffer.Pixel(x, y), row.data(), size_t(TBitsmap::Size - x) * 4);
    }
}

// The supersampled picture before it is reduced; kept, as every full render
// needs one.
TBigBitsmap &SupersampleBuffer()
{
    static const auto buffer = std::make_unique<TBigBitsmap>();
    return *buffer;
}

void CheckNoGLError()
{
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR)
        throw ERenderError("The button could not be rendered (OpenGL error 0x" +
                           QByteArray::number(error, 16).toStdString() + ")");
}

}  // namespace

void TLightItem::Apply() const
{
    const GLenum light = GLenum(GL_LIGHT0 + Index);
    if (!Enabled) {
        glDisable(light);
        return;
    }
    glPushMatrix();
    glLightfv(light, GL_AMBIENT, Ambient.data());
    glLightfv(light, GL_DIFFUSE, Diffuse.data());
    glLightfv(light, GL_SPECULAR, Specular.data());
    glLightfv(light, GL_POSITION, Position.data());
    glEnable(light);
    glPopMatrix();
}

// The shadow pass draws a flat silhouette: all lights off and a white
// model ambient give every pixel exactly the shadow colour.
void TButtonItem::Draw(bool rebuild, bool shadow)
{
    if (rebuild)
        BuildMesh();
    const TMeshKey key = MeshKeyOf(Shape, Deformation, CurrentMeshSize());
    glPushMatrix();
    if (shadow) {
        const TRGBA none{0, 0, 0, 0};
        SetMaterial(ColorToRGBA(Shadow.Color), none, none, 0.0f, none);
        glDisable(GL_TEXTURE_2D);
        glTranslatef(ShadowOffsetX(Shadow), ShadowOffsetY(Shadow), 0.0f);
    } else {
        SetMaterial(Material.Ambient, Material.Diffuse, Material.Specular,
                    float(std::clamp(Material.Shininess, 0, 128)), Material.Emission);
        if (Texture.Enabled) {
            BindBodyTexture(Texture);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
            glEnable(GL_TEXTURE_2D);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
    }
    DrawMesh(key);
    glPopMatrix();
}

int TItem::RenderScale() const
{
    return Draft || !Antialias ? 1 : 2;
}

void TItem::SetupCamera() const
{
    const TShadowMargins m = ShadowMargins(ButtonItem.Shadow);
    const int k = RenderScale();
    glViewport(0, 0, k * ImageWidth(), k * ImageHeight());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1 - double(m.Left), 1 + double(m.Right), -1 - double(m.Bottom), 1 + double(m.Top), 0, 100);
    gluLookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void TItem::ApplyLights() const
{
    for (const TLightItem &light : Lights)
        light.Apply();
}

TShadowLayerKey TItem::ShadowLayerKey() const
{
    const TShadowBlock &shadow = ButtonItem.Shadow;
    const int k = RenderScale();
    return {MeshKeyOf(ButtonItem.Shape, ButtonItem.Deformation, CurrentMeshSize()),
            FloatBits(shadow.DX),
            FloatBits(shadow.DY),
            uint32_t(shadow.Color),
            {FloatBits(Background.R), FloatBits(Background.G), FloatBits(Background.B), FloatBits(Background.A)},
            k * ImageWidth(),
            k * ImageHeight()};
}

// The silhouette, flat in the shadow colour.
void TItem::DrawShadow(bool rebuild, const TShadowLayerKey &layer)
{
    const TRGBA white{1, 1, 1, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white.data());
    glDisable(GL_DEPTH_TEST);
    for (int i = 0; i < LightCount; ++i)
        glDisable(GLenum(GL_LIGHT0 + i));
    ButtonItem.Draw(rebuild, true);
    // A software rasteriser then draws the silhouette while the body's
    // vertices are lit.
    glFlush();
    ShadowPassDrawn(layer);
}

void TItem::Render()
{
    try {
        RenderBody();
    } catch (...) {
        // A failed render must not leave an earlier picture behind that
        // would later be exported as this state's.
        RenderBuffer().Data.fill(0);
        throw;
    }
    TextItem.Draw(RenderBuffer());
    Dirty = 0;
}

// The mesh is shared by every state and follows from the state's outline,
// profile and the mesh size alone: it is built again unless the arrays or
// the context hold one made from exactly the same inputs. So a state left
// in draft can never make a later full render coarse, and the states of an
// image set, drawn in turn, reuse their meshes.
void TItem::RenderBody()
{
    const TRenderScope scope;
    const TMeshKey key = MeshKeyOf(ButtonItem.Shape, ButtonItem.Deformation, CurrentMeshSize());
    bool rebuild = BuiltMeshKey() != key && !KeepsMesh(key);
    SetupCamera();
    glPushMatrix();
    glLoadIdentity();
    glClearColor(Background.R, Background.G, Background.B, Background.A);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    if (Draft) {
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, Ambient.data());
        ApplyLights();
        ButtonItem.Draw(rebuild, false);
        ReadPixels(TBitsmap::Size, RenderBuffer().Data.data());
    } else {
        if (ButtonItem.Shadow.Enabled) {
            const TShadowLayerKey layer = ShadowLayerKey();
            if (!RestoreShadowLayer(layer)) {
                DrawShadow(rebuild, layer);
                rebuild = false;
            }
        }
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, Ambient.data());
        glEnable(GL_DEPTH_TEST);
        ApplyLights();
        ButtonItem.Draw(rebuild, false);
        if (Antialias) {
            // Only the block that the state's image draws on is read and
            // reduced.
            TBigBitsmap &big = SupersampleBuffer();
            ReadBlock(SupersampleReach(HermiteFilter, 1.0f, ImageWidth(), ImageHeight()), big);
            CheckNoGLError();
            StretchBitsmap(RenderBuffer(), big, HermiteFilter, 1.0f, ImageWidth(), ImageHeight());
            FillOutsideImage(RenderBuffer(), ImageWidth(), ImageHeight(), Background);
        } else {
            ReadPixels(TBitsmap::Size, RenderBuffer().Data.data());
        }
    }
    glPopMatrix();
    CheckNoGLError();
}
