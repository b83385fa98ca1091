#include "ColorU.h"
#include "Exceptions.h"
#include "Mesh.h"
#include "ParamU.h"
#include "RenderContext.h"
#include "SceneU.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

// What a render must show, worked out by hand; the exact bytes of renders of
// many kinds of states, through the camera, the shadow pass and the
// supersampling, are pinned down in OutputBytesTest.
//
// Renders with the software rasteriser, without caption unless a test sets
// one, and restores the settings after.
class Render : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppParam().UseAccelerator = false;
        AppParam().UsePreview = true;
        normal.TextItem.Text = "";
    }
    void TearDown() override { AppParam() = TParam(); }

    static QImage Rendered(TItem &item)
    {
        item.Dirty = 1;
        item.Render();
        return item.GetBitmap();
    }
    // The pixel at (x, y) of the image, y counted from the top, as 0xRRGGBB.
    static uint32_t At(const QImage &image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
    // A colour given as 0xRRGGBB in the state's own packing.
    static TColor Packed(uint32_t rgb) { return MakeRGB(int(rgb >> 16), int(rgb >> 8), int(rgb)); }
    void ShadowAt(float dx, float dy, TColor color)
    {
        normal.ButtonItem.Shadow = {1, {}, dx, dy, Packed(color)};
    }

    TButtons button{nullptr};
    TItem &normal = button.States[stNormal];
};

// The top centre of the default body faces the viewer: normal (0, 0, 1) at
// (0, 0, 1), light 0 at (-5, 0, 10), so L = (-5, 0, 9) / |..|, N.L = 0.8742;
// H = (L + (0, 0, 1)) / |..|, (N.H)^64 = 0.9680^64 = 0.1250. Per channel:
// model ambient 0.25 x Ka + light ambient 0.35 x Ka + N.L x Kd + 0.1250 x Ks
//   red   0 + 0 + 0.8742 x 0.2509 + 0.1250 x 0.5098 = 0.2830 -> 72
//   green 0 + 0 + 0.8742 x 0.5019 + 0.0637         = 0.5025 -> 128
//   blue  0.2375 + 0.3325 + 0.4388 + 0.0637        = 1.07   -> 255
TEST_F(Render, TheLightingModelGivesTheColourOfTheBody)
{
    for (const uint8_t antialias : {1, 0}) {
        normal.Antialias = antialias;
        const QImage image = Rendered(normal);
        EXPECT_EQ(At(image, 50, 15), 0x4880FFu) << int(antialias);
        // Light 0 stands to the left: the left slope is the brighter one.
        EXPECT_GT(qGreen(image.pixel(10, 15)), qGreen(image.pixel(89, 15)) + 50) << int(antialias);
    }
}

// The shadow silhouette and the background take their colours exactly; the
// edge between them is softened only by the supersampling.
TEST_F(Render, ShadowAndBackgroundAreExactAndOnlyAntialiasingSoftensEdges)
{
    normal.Background = ColorToRGBA(Packed(0x336699));
    ShadowAt(0.5f, 0.5f, 0x204060);
    for (const uint8_t antialias : {1, 0}) {
        normal.Antialias = antialias;
        const QImage image = Rendered(normal);
        // x spans -1..1.5 over 100 pixels, y -1..1.5 over 30 (top row 1.5).
        EXPECT_EQ(At(image, 0, 0), 0x336699u);    // above the button, left of the shadow
        EXPECT_EQ(At(image, 99, 29), 0x336699u);  // right of the button, below the shadow
        EXPECT_EQ(At(image, 90, 15), 0x204060u);  // only the shadow lies here
        EXPECT_EQ(At(image, 50, 2), 0x204060u);
        // Down the column at x = 90 the shadow ends at y = -0.5.
        int between = 0;
        for (int y = 15; y < 30; ++y)
            between += At(image, 90, y) != 0x336699u && At(image, 90, y) != 0x204060u;
        EXPECT_EQ(between > 0, antialias == 1) << int(antialias);
    }
}

// Draft mode draws the coarse 50 x 30 mesh once, without supersampling and
// without the drop shadow, in the camera of the full render.
TEST_F(Render, DraftDrawsTheCoarseMeshWithoutShadowOrSupersampling)
{
    normal.Antialias = 0;
    ShadowAt(0.5f, 0.5f, 0xFFFFFF);  // the background's colour: invisible
    AppParam().MeshCols = 50;
    AppParam().MeshRows = 30;
    const QImage coarse = Rendered(normal);
    AppParam().MeshCols = 180;
    AppParam().MeshRows = 90;
    const QImage full = Rendered(normal);
    EXPECT_NE(coarse, full);
    normal.Antialias = 1;
    normal.SetDraft(true);
    EXPECT_EQ(Rendered(normal), coarse);
    normal.ButtonItem.Shadow.Color = Packed(0x204060);
    EXPECT_EQ(At(Rendered(normal), 90, 15), 0xFFFFFFu);
}

// Texel row 0 lies at the bottom edge and column 0 at the left edge of the
// body, whatever the height of the point; a white emission shows the texels'
// own colours. A changed texture is uploaded again.
TEST_F(Render, TheTextureIsProjectedStraightDownTheRightWayRound)
{
    normal.Antialias = 0;
    normal.ButtonItem.Material.Emission = {1, 1, 1, 1};
    TTextureBlock &texture = normal.ButtonItem.Texture;
    texture.Enabled = 1;
    // By half of the texture: [upper rows][right columns].
    const uint32_t quadrants[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFF00}};
    for (int row = 0; row < 64; ++row)
        for (int column = 0; column < 64; ++column) {
            const uint32_t c = quadrants[row < 32 ? 0 : 1][column < 32 ? 0 : 1];
            uint8_t *texel = &texture.Texels[3 * (64 * row + column)];
            texel[0] = uint8_t(c >> 16), texel[1] = uint8_t(c >> 8), texel[2] = uint8_t(c);
        }
    QImage image = Rendered(normal);
    EXPECT_EQ(At(image, 25, 22), 0xFF0000u);  // bottom left: texel row 0, column 0
    EXPECT_EQ(At(image, 75, 22), 0x00FF00u);
    EXPECT_EQ(At(image, 25, 7), 0x0000FFu);
    EXPECT_EQ(At(image, 75, 7), 0xFFFF00u);
    std::fill(std::begin(texture.Texels), std::end(texture.Texels), uint8_t(0x80));
    EXPECT_EQ(At(Rendered(normal), 25, 22), 0x808080u);
    texture.Enabled = 0;
    EXPECT_EQ(At(Rendered(normal), 25, 22), 0xFFFFFFu);
}

TEST_F(Render, RoundedCornersLeaveTheBackgroundInTheCorners)
{
    normal.Antialias = 0;
    normal.Background = ColorToRGBA(Packed(0x336699));
    EXPECT_NE(At(Rendered(normal), 1, 1), 0x336699u);  // the square fills its corner
    TShapeBlock &shape = normal.ButtonItem.Shape;
    int32_t *angles[] = {&shape.A0, &shape.A1, &shape.A2, &shape.A3, &shape.A4, &shape.A5, &shape.A6, &shape.A7};
    const int32_t rounded[] = {20, 70, 110, 160, 200, 250, 290, 340};
    for (int i = 0; i < 8; ++i)
        *angles[i] = rounded[i];
    const QImage image = Rendered(normal);
    for (const QPoint corner : {QPoint(1, 1), QPoint(98, 1), QPoint(1, 28), QPoint(98, 28)})
        EXPECT_EQ(At(image, corner.x(), corner.y()), 0x336699u) << corner.x() << "," << corner.y();
    for (const QPoint edge : {QPoint(1, 15), QPoint(50, 1), QPoint(98, 15), QPoint(50, 28)})
        EXPECT_NE(At(image, edge.x(), edge.y()), 0x336699u) << edge.x() << "," << edge.y();
}

// The mesh is shared by every state: a state rendered after another, or
// after the mesh was built at another size, is drawn from its own mesh even
// when a caller forgot to mark it dirty.
TEST_F(Render, EveryRenderDrawsTheStatesOwnMeshAtTheCurrentSize)
{
    const QImage first = Rendered(normal);
    EXPECT_EQ(first.size(), QSize(100, 30));
    EXPECT_EQ(first.format(), QImage::Format_RGB888);
    EXPECT_EQ(normal.Dirty, 0);
    TItem &pressed = button.States[stPressed];
    pressed.SetDraft(true);
    EXPECT_NE(Rendered(pressed), first);
    EXPECT_EQ(BuiltMeshSize(), (TMeshSize{50, 30}));
    pressed.SetDraft(false);
    normal.Render();  // Dirty is 0
    EXPECT_EQ(normal.GetBitmap(), first);
    // The image is the lower left of the buffer; the rest keeps the background.
    const uint8_t *outside = RenderBuffer().Pixel(150, 100);
    EXPECT_EQ(MakeRGB(outside[0], outside[1], outside[2]), 0xFFFFFF);
}

// The three states differ in their profiles; drawn in turn again, as an
// image set does, they reuse their meshes and give the same pictures.
TEST_F(Render, StatesDrawnInTurnReuseTheirMeshes)
{
    std::vector<QImage> first;
    for (TItem &state : button.States)
        first.push_back(Rendered(state));
    const unsigned builds = MeshGeneration();
    for (size_t s = 0; s < first.size(); ++s)
        EXPECT_EQ(Rendered(button.States[s]), first[s]) << s;
    EXPECT_EQ(MeshGeneration(), builds);
}

// Every input of the mesh, changed alone, builds it again; a colour does not.
TEST_F(Render, MeshIsReusedOnlyWhenEveryInputIsEqual)
{
    const std::pair<const char *, std::function<void(TItem &)>> changes[] = {
        {"A0", [](TItem &s) { s.ButtonItem.Shape.A0 = 44; }},
        {"A1", [](TItem &s) { s.ButtonItem.Shape.A1 = 89; }},
        {"A2", [](TItem &s) { s.ButtonItem.Shape.A2 = 91; }},
        {"A3", [](TItem &s) { s.ButtonItem.Shape.A3 = 136; }},
        {"A4", [](TItem &s) { s.ButtonItem.Shape.A4 = 224; }},
        {"A5", [](TItem &s) { s.ButtonItem.Shape.A5 = 269; }},
        {"A6", [](TItem &s) { s.ButtonItem.Shape.A6 = 271; }},
        {"A7", [](TItem &s) { s.ButtonItem.Shape.A7 = 316; }},
        {"D0", [](TItem &s) { s.ButtonItem.Deformation.D0 = 35; }},
        {"D1", [](TItem &s) { s.ButtonItem.Deformation.D1 = 65; }},
        {"D2", [](TItem &s) { s.ButtonItem.Deformation.D2 = 67; }},
        {"D3", [](TItem &s) { s.ButtonItem.Deformation.D3 = 89; }},
        {"top height", [](TItem &s) { s.ButtonItem.Deformation.TopHeight = 0.9f; }},
        {"scale x", [](TItem &s) { s.ButtonItem.Deformation.ScaleX = 0.1f; }},
        {"scale y", [](TItem &s) { s.ButtonItem.Deformation.ScaleY = -0.0f; }},
        {"mesh size", [](TItem &s) { s.SetDraft(true); }},
    };
    for (const auto &[name, change] : changes) {
        TButtons changed(nullptr);
        TItem &state = changed.States[stNormal];
        Rendered(state);
        const unsigned builds = MeshGeneration();
        change(state);
        Rendered(state);
        EXPECT_GT(MeshGeneration(), builds) << name;
        EXPECT_EQ(BuiltMeshKey(), MeshKeyOf(state.ButtonItem.Shape, state.ButtonItem.Deformation, CurrentMeshSize()))
            << name;
        state.SetDraft(false);
    }
    Rendered(normal);
    const unsigned builds = MeshGeneration();
    normal.ButtonItem.Material.Diffuse = {0.9f, 0.1f, 0.1f, 1.0f};
    normal.Background = ColorToRGBA(0x102030);
    Rendered(normal);
    EXPECT_EQ(MeshGeneration(), builds);
}

// A drop shadow drawn twice is kept and copied into later renders while
// every input of its pass is equal; a change of any of them draws it anew.
// Either way the picture is the one that a new context, where nothing is
// kept, gives.
TEST_F(Render, ShadowIsKeptOnlyWhileEveryInputOfItsPassIsEqual)
{
    using TChange = std::function<void(TItem &)>;
    const std::pair<const char *, TChange> shadowInputs[] = {
        {"outline", [](TItem &s) { s.ButtonItem.Shape.A0 = 44; }},
        {"profile", [](TItem &s) { s.ButtonItem.Deformation.D1 = 65; }},
        {"mesh size", [](TItem &) { AppParam().MeshCols = 120; }},
        {"offset x", [](TItem &s) { s.ButtonItem.Shadow.DX = 0.2f; }},
        {"offset y", [](TItem &s) { s.ButtonItem.Shadow.DY = 0.05f; }},
        {"colour", [](TItem &s) { s.ButtonItem.Shadow.Color = Packed(0x800000); }},
        {"background", [](TItem &s) { s.Background = ColorToRGBA(0x102030); }},
        {"width", [](TItem &s) { s.Width = 120; }},
        {"height", [](TItem &s) { s.Height = 44; }},
        {"antialiasing", [](TItem &s) { s.Antialias = 0; }},
    };
    const std::pair<const char *, TChange> otherInputs[] = {
        {"nothing", [](TItem &) {}},
        {"material", [](TItem &s) { s.ButtonItem.Material.Diffuse = {0.9f, 0.1f, 0.1f, 1.0f}; }},
        {"model ambient", [](TItem &s) { s.Ambient = {0.6f, 0.2f, 0.2f, 1.0f}; }},
        {"light", [](TItem &s) { s.Lights[0].Diffuse = {0.1f, 0.9f, 0.1f, 1.0f}; }},
        {"caption", [](TItem &s) { s.TextItem.Text = "Go"; }},
    };
    auto check = [](const char *name, const TChange &change, bool drawsAnew) {
        const TParam settings = AppParam();
        TButtons changed(nullptr);
        TItem &state = changed.States[stNormal];
        state.TextItem.Text = "";
        state.ButtonItem.Shadow = {1, {}, 0.1f, -0.15f, Packed(0x404040)};
        Rendered(state);
        Rendered(state);
        change(state);
        const unsigned drawn = ShadowPassesDrawn();
        const QImage picture = Rendered(state);
        EXPECT_EQ(ShadowPassesDrawn() > drawn, drawsAnew) << name;
        DoneRenderContext();
        EXPECT_EQ(picture, Rendered(state)) << name;
        AppParam() = settings;
    };
    for (const auto &[name, change] : shadowInputs)
        check(name, change, true);
    for (const auto &[name, change] : otherInputs)
        check(name, change, false);
}

TEST_F(Render, ContextIsMadeAgainAndOneThatCannotBeMadeLeavesNoPicture)
{
    const QImage first = Rendered(normal);
    DoneRenderContext();
    EXPECT_EQ(Rendered(normal), first);  // made on demand
    InitRenderContext();
    InitRenderContext();
    EXPECT_EQ(Rendered(normal), first);  // mesh and texture loaded into the new context

    const bool hadDriverPath = qEnvironmentVariableIsSet("LIBGL_DRIVERS_PATH");
    const QByteArray driverPath = qgetenv("LIBGL_DRIVERS_PATH");
    QTemporaryDir noDrivers;
    qputenv("LIBGL_DRIVERS_PATH", noDrivers.path().toLocal8Bit());
    DoneRenderContext();
    EXPECT_THROW(Rendered(normal), ERenderError);
    if (hadDriverPath)
        qputenv("LIBGL_DRIVERS_PATH", driverPath);
    else
        qunsetenv("LIBGL_DRIVERS_PATH");
    EXPECT_EQ(normal.Dirty, 1);
    EXPECT_TRUE(std::all_of(RenderBuffer().Data.begin(), RenderBuffer().Data.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(Rendered(normal), first);  // made again once the driver is back
}

// Absurd values render a picture of the clamped size; offsets that are no
// numbers are taken as 0, as if the shadow lay under the button.
TEST_F(Render, BadValuesGiveTheClampedPictureWithSaneOffsets)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    normal.Width = 100000;
    normal.Height = -5;
    normal.ButtonItem.Material.Shininess = 100000;
    normal.ButtonItem.Deformation.ScaleX = nan;
    normal.ButtonItem.Shape.A1 = normal.ButtonItem.Shape.A0 = std::numeric_limits<int32_t>::min();
    normal.Lights[3].Enabled = 1;
    normal.Lights[3].Position.X = nan;
    normal.Ambient.R = -5;
    normal.TextItem.Text = "Text";
    normal.TextItem.Size = std::numeric_limits<int32_t>::max();
    normal.TextItem.TopMargin = std::numeric_limits<int32_t>::min();
    AppParam().MeshCols = 100000;
    AppParam().MeshRows = -1;
    ShadowAt(0, 0, 0x123456);
    const QImage sane = Rendered(normal);
    EXPECT_EQ(sane.size(), QSize(250, 1));
    ShadowAt(nan, std::numeric_limits<float>::infinity(), 0x123456);
    EXPECT_EQ(Rendered(normal), sane);
    normal.Width = 0;
    normal.Height = 250;
    AppParam().MeshRows = 100000;
    EXPECT_EQ(Rendered(normal).size(), QSize(1, 250));
}

}  // namespace
