#include "ColorU.h"
#include "Exceptions.h"
#include "Mesh.h"
#include "ParamU.h"
#include "RenderContext.h"
#include "SceneU.h"

#include <GL/gl.h>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Renders with the software rasteriser and restores the settings after.
class Render : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = AppParam();
        AppParam().UseAccelerator = false;
        AppParam().UsePreview = true;
    }
    void TearDown() override { AppParam() = saved; }

    static QImage Rendered(TItem &item)
    {
        item.Render();
        return item.GetBitmap();
    }

    // The pixel at (x, y) of the image, y counted from the top.
    static TColor At(const QImage &image, int x, int y)
    {
        const QRgb p = image.pixel(x, y);
        return MakeRGB(qRed(p), qGreen(p), qBlue(p));
    }

    TParam saved;
    TButtons button{nullptr};
    TItem &normal = button.States[stNormal];
};

// The camera's viewport and projection as OpenGL holds them after
// SetupCamera: the projection matrix of glOrtho(l, r, b, t, 0, 100) with the
// eye moved to z = 10.
struct TCamera {
    std::array<GLint, 4> Viewport{};
    std::array<GLdouble, 16> Projection{};
};

TCamera CameraOf(const TItem &item)
{
    const TRenderScope scope;
    item.SetupCamera();
    TCamera camera;
    glGetIntegerv(GL_VIEWPORT, camera.Viewport.data());
    glGetDoublev(GL_PROJECTION_MATRIX, camera.Projection.data());
    return camera;
}

void ExpectOrtho(const TCamera &camera, double l, double r, double b, double t)
{
    const auto &m = camera.Projection;
    EXPECT_NEAR(m[0], 2 / (r - l), 1e-6);
    EXPECT_NEAR(m[5], 2 / (t - b), 1e-6);
    EXPECT_NEAR(m[10], -2.0 / 100, 1e-6);
    EXPECT_NEAR(m[12], -(r + l) / (r - l), 1e-6);
    EXPECT_NEAR(m[13], -(t + b) / (t - b), 1e-6);
    EXPECT_NEAR(m[14], -1 + 2.0 * 10 / 100, 1e-6);  // -(far + near) / depth, then the eye at z = 10
    EXPECT_NEAR(m[15], 1, 1e-6);
}

TEST_F(Render, CameraWidensTowardsTheShadowAndSupersamplesTheViewport)
{
    TShadowBlock &shadow = normal.ButtonItem.Shadow;
    shadow.DX = 0.1f;
    shadow.DY = -0.2f;
    shadow.Enabled = 1;
    normal.Antialias = 1;
    TCamera camera = CameraOf(normal);
    EXPECT_EQ(camera.Viewport, (std::array<GLint, 4>{0, 0, 200, 60}));
    ExpectOrtho(camera, -1, 1 + double(0.1f), -1 - double(0.2f), 1);

    shadow.DX = -0.3f;
    shadow.DY = 0.4f;
    normal.SetDraft(true);  // draft keeps the margins, but not the supersampling
    camera = CameraOf(normal);
    EXPECT_EQ(camera.Viewport, (std::array<GLint, 4>{0, 0, 100, 30}));
    ExpectOrtho(camera, -1 - double(0.3f), 1, -1, 1 + double(0.4f));

    shadow.Enabled = 0;
    normal.SetDraft(false);
    normal.Antialias = 0;
    camera = CameraOf(normal);
    EXPECT_EQ(camera.Viewport, (std::array<GLint, 4>{0, 0, 100, 30}));
    ExpectOrtho(camera, -1, 1, -1, 1);
}

TEST_F(Render, ImageHasTheStateSize)
{
    const QImage image = Rendered(normal);
    EXPECT_EQ(image.size(), QSize(100, 30));
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_EQ(normal.Dirty, 0);
}

TEST_F(Render, BackgroundAndShadowColoursAreExact)
{
    normal.Background = ColorToRGBA(0x336699);
    normal.ButtonItem.Shadow.Enabled = 1;
    normal.ButtonItem.Shadow.DX = 0.5f;
    normal.ButtonItem.Shadow.DY = 0.5f;
    normal.ButtonItem.Shadow.Color = 0x204060;
    for (bool antialias : {true, false}) {
        normal.Antialias = antialias;
        const QImage image = Rendered(normal);
        // x spans -1..1.5 over 100 pixels, y -1..1.5 over 30 (top row 1.5).
        EXPECT_EQ(At(image, 0, 0), 0x336699) << antialias;    // above the button, left of the shadow
        EXPECT_EQ(At(image, 99, 29), 0x336699) << antialias;  // right of the button, below the shadow
        EXPECT_EQ(At(image, 90, 15), 0x204060) << antialias;  // only the shadow lies here
        EXPECT_EQ(At(image, 50, 2), 0x204060) << antialias;
    }
}

TEST_F(Render, DraftLeavesTheDropShadowOutButKeepsItsMargins)
{
    normal.Background = ColorToRGBA(0x336699);
    normal.ButtonItem.Shadow.Enabled = 1;
    normal.ButtonItem.Shadow.DX = 0.5f;
    normal.ButtonItem.Shadow.DY = 0.5f;
    const QImage full = Rendered(normal);
    normal.SetDraft(true);
    const QImage draft = Rendered(normal);
    EXPECT_EQ(AppParam().MeshCols, 50);
    EXPECT_EQ(At(draft, 90, 15), 0x336699);
    EXPECT_NE(At(full, 90, 15), 0x336699);
    // The button itself stays where it was.
    EXPECT_NE(At(draft, 10, 25), 0x336699);
    EXPECT_NE(At(draft, 79, 10), 0x336699);
    EXPECT_NE(full, draft);
}

TEST_F(Render, HardMergedCaptionHasItsExactColour)
{
    normal.TextItem.Smooth = 0;
    normal.TextItem.Color = 0x00FF00;
    const QImage image = Rendered(normal);
    int green = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            green += At(image, x, y) == 0x00FF00;
    EXPECT_GT(green, 40);
}

TEST_F(Render, SameStateTwiceGivesTheSameBytes)
{
    TItem &over = button.States[stOver];
    const QImage first = Rendered(normal);
    over.Dirty = 1;
    const QImage other = Rendered(over);  // light 1 on, another mesh
    normal.Dirty = 1;
    EXPECT_EQ(Rendered(normal), first);
    EXPECT_EQ(Rendered(normal), first);  // clean: the mesh is not rebuilt
    EXPECT_NE(other, first);
}

TEST_F(Render, MeshBuiltAtAnotherSizeIsRebuilt)
{
    const QImage first = Rendered(normal);
    TItem &pressed = button.States[stPressed];
    pressed.SetDraft(true);
    Rendered(pressed);
    EXPECT_EQ(BuiltMeshSize(), (TMeshSize{50, 30}));
    pressed.SetDraft(false);
    normal.Dirty = 0;  // a caller that forgot the shared-mesh rule
    EXPECT_EQ(Rendered(normal), (QImage(first)));
    EXPECT_EQ(BuiltMeshSize(), (TMeshSize{180, 90}));
}

TEST_F(Render, TextureIsUploadedAgainWhenItChanges)
{
    TTextureBlock &texture = normal.ButtonItem.Texture;
    texture.Enabled = 1;
    std::fill(std::begin(texture.Texels), std::end(texture.Texels), uint8_t(255));
    const QImage white = Rendered(normal);
    for (int i = 0; i < TextureBytes; i += 3)
        texture.Texels[i + 1] = texture.Texels[i + 2] = 0;  // red
    const QImage red = Rendered(normal);
    EXPECT_NE(white, red);
    EXPECT_GT(qRed(red.pixel(5, 5)), qGreen(red.pixel(5, 5)));
    texture.Enabled = 0;
    EXPECT_NE(Rendered(normal), red);
}

TEST_F(Render, ImageLiesInTheLowerLeftOfTheBuffer)
{
    normal.Background = ColorToRGBA(0x0000FF);
    Rendered(normal);
    const uint8_t *outside = RenderBuffer().Pixel(150, 100);
    EXPECT_EQ(MakeRGB(outside[0], outside[1], outside[2]), 0x0000FF);
    const uint8_t *inside = RenderBuffer().Pixel(50, 15);
    EXPECT_NE(MakeRGB(inside[0], inside[1], inside[2]), 0x0000FF);
}

TEST_F(Render, ContextIsMadeAgainAfterItWasFreed)
{
    const QImage first = Rendered(normal);
    DoneRenderContext();
    normal.Dirty = 1;
    EXPECT_EQ(Rendered(normal), first);  // made on demand
    InitRenderContext();
    InitRenderContext();
    EXPECT_EQ(Rendered(normal), first);  // mesh and texture loaded into the new context
}

TEST_F(Render, ContextThatCannotBeMadeIsReportedAndLeavesNoPicture)
{
    Rendered(normal);
    const bool hadDriverPath = qEnvironmentVariableIsSet("LIBGL_DRIVERS_PATH");
    const QByteArray driverPath = qgetenv("LIBGL_DRIVERS_PATH");
    QTemporaryDir noDrivers;
    qputenv("LIBGL_DRIVERS_PATH", noDrivers.path().toLocal8Bit());
    DoneRenderContext();
    normal.Dirty = 1;
    EXPECT_THROW(normal.Render(), ERenderError);
    if (hadDriverPath)
        qputenv("LIBGL_DRIVERS_PATH", driverPath);
    else
        qunsetenv("LIBGL_DRIVERS_PATH");
    EXPECT_EQ(normal.Dirty, 1);
    const TBitsmap &buffer = RenderBuffer();
    EXPECT_TRUE(std::all_of(buffer.Data.begin(), buffer.Data.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(Rendered(normal).size(), QSize(100, 30));  // made again once the driver is back
}

TEST_F(Render, CaptionStylesChangeThePicture)
{
    const QImage bold = Rendered(normal);
    normal.TextItem.Style = fsUnderline;
    const QImage underlined = Rendered(normal);
    normal.TextItem.Style = 0;
    const QImage plain = Rendered(normal);
    EXPECT_NE(bold, plain);
    EXPECT_NE(underlined, plain);
}

TEST_F(Render, BadValuesNeverOverrunOrCrash)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    normal.Width = 100000;
    normal.Height = -5;
    normal.ButtonItem.Shadow.Enabled = 1;
    normal.ButtonItem.Shadow.DX = nan;
    normal.ButtonItem.Shadow.DY = std::numeric_limits<float>::infinity();
    normal.ButtonItem.Material.Shininess = 100000;
    normal.ButtonItem.Deformation.ScaleX = nan;
    normal.ButtonItem.Shape.A1 = normal.ButtonItem.Shape.A0 = std::numeric_limits<int32_t>::min();
    normal.Lights[3].Enabled = 1;
    normal.Lights[3].Position.X = nan;
    normal.Ambient.R = -5;
    normal.TextItem.Size = std::numeric_limits<int32_t>::max();
    normal.TextItem.TopMargin = std::numeric_limits<int32_t>::min();
    AppParam().MeshCols = 100000;
    AppParam().MeshRows = -1;
    EXPECT_EQ(Rendered(normal).size(), QSize(250, 1));
    normal.Width = 0;
    normal.Height = 250;
    normal.Dirty = 1;
    AppParam().MeshRows = 100000;
    EXPECT_EQ(Rendered(normal).size(), QSize(1, 250));
}

}  // namespace
