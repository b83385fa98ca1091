#include "ParamU.h"
#include "SceneU.h"

#include <cstring>
#include <gtest/gtest.h>
#include <utility>

namespace {

// Restores the process-wide settings that SetDraft writes.
class SceneModel : public ::testing::Test {
protected:
    void SetUp() override { saved = AppParam(); }
    void TearDown() override { AppParam() = saved; }
    TParam saved;
};

// The process-wide mesh size that SetDraft left.
std::pair<int, int> MeshSize()
{
    return {AppParam().MeshCols, AppParam().MeshRows};
}

const std::pair<int, int> FullMesh{180, 90};
const std::pair<int, int> DraftMesh{50, 30};

template <typename Block>
std::vector<uint8_t> BytesOf(const Block &block)
{
    const auto *p = reinterpret_cast<const uint8_t *>(&block);
    return std::vector<uint8_t>(p, p + sizeof(Block));
}

void ExpectRGBA(const TRGBA &c, float r, float g, float b, float a)
{
    EXPECT_EQ(c.R, r);
    EXPECT_EQ(c.G, g);
    EXPECT_EQ(c.B, b);
    EXPECT_EQ(c.A, a);
}

TEST_F(SceneModel, NewButtonHasItsNamesAndLink)
{
    TButtons button(nullptr);
    EXPECT_EQ(button.Name, "Menu");
    EXPECT_EQ(button.Prop.Link, "#");
    EXPECT_EQ(button.Prop.Alt, "No text");
    EXPECT_EQ(button.Prop.Target, "_self");
    EXPECT_EQ(TButtonProp().Alt, "menu");
    for (const TItem &state : button.States) {
        EXPECT_EQ(state.Owner, &button);
        EXPECT_EQ(state.Name, "Menu");
        EXPECT_EQ(state.TextItem.Text, "No text");
    }
}

TEST_F(SceneModel, StateDefaults)
{
    TItem item(nullptr);
    EXPECT_EQ(item.Draft, 0);
    EXPECT_EQ(item.Dirty, 1);
    ExpectRGBA(item.Ambient, 0.25f, 0.25f, 0.25f, 1.0f);
    EXPECT_EQ(item.Width, 100);
    EXPECT_EQ(item.Height, 30);
    ExpectRGBA(item.Background, 1, 1, 1, 1);
    EXPECT_EQ(item.Antialias, 1);
    EXPECT_EQ(item.ButtonItem.Owner, &item);
    EXPECT_EQ(item.TextItem.Owner, &item);
    for (int i = 0; i < LightCount; ++i) {
        EXPECT_EQ(item.Lights[i].Index, i);
        EXPECT_EQ(item.Lights[i].Owner, &item);
    }
}

TEST_F(SceneModel, LookBlockDefaults)
{
    TItem item(nullptr);
    const TButtonItem &look = item.ButtonItem;
    EXPECT_EQ(look.Texture.Enabled, 0);
    EXPECT_EQ(std::vector<uint8_t>(look.Texture.Texels, look.Texture.Texels + TextureBytes),
              std::vector<uint8_t>(TextureBytes, 0));
    ExpectRGBA(look.Material.Ambient, 0.0f, 0.0f, 0.95f, 1.0f);
    ExpectRGBA(look.Material.Diffuse, 0.2509f, 0.5019f, 0.5019f, 1.0f);
    ExpectRGBA(look.Material.Specular, 0.5098f, 0.5098f, 0.5098f, 1.0f);
    EXPECT_EQ(look.Material.Shininess, 64);
    ExpectRGBA(look.Material.Emission, 0, 0, 0, 1);

    const int32_t *angles = &look.Shape.A0;
    const int32_t stored[8] = {45, 315, 90, 90, 135, 225, 270, 270};
    EXPECT_EQ(std::memcmp(angles, stored, sizeof stored), 0);
    for (float d : look.Shape.Derived)
        EXPECT_EQ(d, 0.0f);

    const TDeformationBlock &def = look.Deformation;
    EXPECT_EQ(def.D0, 36);
    EXPECT_EQ(def.D1, 66);
    EXPECT_EQ(def.D2, 66);
    EXPECT_EQ(def.D3, 90);
    EXPECT_EQ(def.TopHeight, 1.0f);
    EXPECT_EQ(def.ScaleX, 0.0f);
    EXPECT_EQ(def.ScaleY, 0.0f);

    EXPECT_EQ(look.Shadow.Enabled, 0);
    EXPECT_EQ(look.Shadow.DX, 0.1f);
    EXPECT_EQ(look.Shadow.DY, 0.1f);
    EXPECT_EQ(look.Shadow.Color, 0);
}

TEST_F(SceneModel, CaptionDefaults)
{
    TItem item(nullptr);
    const TTextItem &text = item.TextItem;
    EXPECT_EQ(text.VAlign, 0);
    EXPECT_EQ(text.HAlign, 0);
    EXPECT_EQ(text.TopMargin, 0);
    EXPECT_EQ(text.LeftMargin, 0);
    EXPECT_EQ(text.Charset, 1);
    EXPECT_EQ(text.Color, 0xFFFFFF);
    EXPECT_EQ(text.Height, -11);
    EXPECT_EQ(text.FontName, "Tahoma");
    EXPECT_EQ(text.Pitch, 0);
    EXPECT_EQ(text.Size, 8);
    EXPECT_EQ(text.Style, fsBold);
    EXPECT_EQ(text.Smooth, 1);
    EXPECT_EQ(text.Reserved, 0);
    EXPECT_EQ(text.TextShadow, 0);
    EXPECT_EQ(text.TextShadowDX, 2);
    EXPECT_EQ(text.TextShadowDY, 2);
    EXPECT_EQ(text.TextShadowColor, 0);
}

TEST_F(SceneModel, LightDefaultsByIndex)
{
    TItem item(nullptr);
    const TLightItem &key = item.Lights[0];
    EXPECT_EQ(key.Enabled, 1);
    ExpectRGBA(key.Ambient, 0.35f, 0.35f, 0.35f, 1.0f);
    ExpectRGBA(key.Diffuse, 1, 1, 1, 1);
    ExpectRGBA(key.Specular, 1, 1, 1, 1);
    EXPECT_EQ(key.Position.X, -5.0f);
    EXPECT_EQ(key.Position.Y, 0.0f);
    EXPECT_EQ(key.Position.Z, 10.0f);
    EXPECT_EQ(key.Position.W, 1.0f);
    EXPECT_EQ(key.Radius, 5.0f);
    EXPECT_EQ(key.Angle, 180.0f);
    EXPECT_EQ(key.Depth, 10.0f);
    EXPECT_EQ(key.Reserved, 1.0f);
    for (int i = 1; i < LightCount; ++i) {
        const TLightItem &light = item.Lights[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(light.Enabled, 0);
        ExpectRGBA(light.Ambient, 0, 0, 0, 1);
        ExpectRGBA(light.Diffuse, 1, 1, 1, 1);
        ExpectRGBA(light.Specular, 1, 1, 1, 1);
        EXPECT_EQ(light.Position.X, i % 2 ? 20.0f : -20.0f);
        EXPECT_EQ(light.Position.Z, 10.0f);
        EXPECT_EQ(light.Radius, 20.0f);
        EXPECT_EQ(light.Angle, i % 2 ? 0.0f : 180.0f);
        EXPECT_EQ(light.Depth, 10.0f);
    }
}

TEST_F(SceneModel, OverAndPressedDiffer)
{
    TButtons button(nullptr);
    const TItem &normal = button.States[stNormal];
    const TItem &over = button.States[stOver];
    const TItem &pressed = button.States[stPressed];

    EXPECT_EQ(normal.ButtonItem.Deformation.D1, 66);
    EXPECT_EQ(normal.Lights[1].Enabled, 0);
    EXPECT_EQ(normal.TextItem.TextShadow, 0);

    const TDeformationBlock &o = over.ButtonItem.Deformation;
    EXPECT_EQ(o.D0, 36);
    EXPECT_EQ(o.D1, 87);
    EXPECT_EQ(o.D2, 87);
    EXPECT_EQ(o.D3, 90);
    EXPECT_EQ(over.TextItem.Color, 0x800000);
    EXPECT_EQ(over.TextItem.TextShadow, 1);
    EXPECT_EQ(over.TextItem.TextShadowDX, 1);
    EXPECT_EQ(over.TextItem.TextShadowDY, -1);
    EXPECT_EQ(over.TextItem.TextShadowColor, 0xF0FBFF);
    EXPECT_EQ(over.Lights[1].Enabled, 1);
    EXPECT_EQ(over.Lights[1].Position.X, 20.0f);
    EXPECT_EQ(over.Lights[1].Position.Z, 10.0f);

    const TDeformationBlock &p = pressed.ButtonItem.Deformation;
    EXPECT_EQ(p.D0, 36);
    EXPECT_EQ(p.D1, 54);
    EXPECT_EQ(p.D2, 54);
    EXPECT_EQ(p.D3, 90);
    EXPECT_EQ(pressed.TextItem.Color, 0xFFFFFF);
    EXPECT_EQ(pressed.Lights[1].Enabled, 0);
}

// The padding bytes are part of what is stored, so a new object must always
// give the same bytes.
TEST_F(SceneModel, PaddingBytesAreZero)
{
    TItem item(nullptr);
    const auto size = BytesOf(item.SizeGroup());
    EXPECT_EQ(std::vector<uint8_t>(size.begin() + 24, size.end()), (std::vector<uint8_t>{1, 0, 0, 0}));
    const auto shadow = BytesOf(item.ButtonItem.Shadow);
    EXPECT_EQ(std::vector<uint8_t>(shadow.begin(), shadow.begin() + 4), (std::vector<uint8_t>(4, 0)));
    const auto light = BytesOf(item.Lights[0].Block());
    EXPECT_EQ(std::vector<uint8_t>(light.begin(), light.begin() + 4), (std::vector<uint8_t>{1, 0, 0, 0}));
    const auto textShadow = BytesOf(item.TextItem.ShadowGroup());
    EXPECT_EQ(textShadow, (std::vector<uint8_t>{0, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(SceneModel, SizeIsClampedForTheRenderBuffer)
{
    TItem item(nullptr);
    item.Width = 0;
    item.Height = 100000;
    EXPECT_EQ(item.ImageWidth(), 1);
    EXPECT_EQ(item.ImageHeight(), 250);
    item.Width = -7;
    item.Height = 250;
    EXPECT_EQ(item.ImageWidth(), 1);
    EXPECT_EQ(item.ImageHeight(), 250);
}

TEST_F(SceneModel, DraftWithoutPreviewOptionOnlyMarksDirty)
{
    AppParam().UsePreview = false;
    AppParam().MeshCols = 50;
    AppParam().MeshRows = 30;
    TItem item(nullptr);
    for (int attempt = 0; attempt < 2; ++attempt) {
        item.Dirty = 0;
        item.SetDraft(true);
        EXPECT_EQ(item.Draft, 0);
        EXPECT_EQ(item.Dirty, 1);
        EXPECT_EQ(MeshSize(), FullMesh);
    }
}

TEST_F(SceneModel, DraftWithPreviewOptionCoarsensTheMesh)
{
    AppParam().UsePreview = true;
    TItem item(nullptr);
    item.Dirty = 0;
    item.SetDraft(true);
    EXPECT_EQ(item.Draft, 1);
    EXPECT_EQ(item.Dirty, 1);
    EXPECT_EQ(MeshSize(), DraftMesh);

    item.Dirty = 0;
    AppParam().MeshCols = 123;
    item.SetDraft(true);  // already in draft: nothing changes
    EXPECT_EQ(item.Dirty, 0);
    EXPECT_EQ(AppParam().MeshCols, 123);

    item.SetDraft(false);
    EXPECT_EQ(item.Draft, 0);
    EXPECT_EQ(item.Dirty, 1);
    EXPECT_EQ(MeshSize(), FullMesh);
}

TEST_F(SceneModel, LeavingDraftIsANoOpWhenNotInDraft)
{
    TItem item(nullptr);
    item.Dirty = 0;
    AppParam().MeshCols = 77;
    item.SetDraft(false);
    EXPECT_EQ(item.Dirty, 0);
    EXPECT_EQ(AppParam().MeshCols, 77);
}

}  // namespace
