#include "CopyBufferU.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

template <typename Block>
void Append(Bytes &bytes, const Block &block)
{
    const auto *p = reinterpret_cast<const uint8_t *>(&block);
    bytes.insert(bytes.end(), p, p + sizeof(Block));
}

void Append(Bytes &bytes, const std::string &text)
{
    Append(bytes, text.size());
    bytes.insert(bytes.end(), text.begin(), text.end());
}

void Append(Bytes &bytes, const TTextProp &p)
{
    Append(bytes, p.Text);
    for (const int32_t v : {p.VAlign, p.HAlign, p.TopMargin, p.LeftMargin, p.Color, p.Height, p.Size})
        Append(bytes, v);
    Append(bytes, p.FontName);
    for (const uint8_t v : {p.Charset, p.Pitch, p.Style, p.Smooth, p.Reserved})
        Append(bytes, v);
}

// Every member of one group, as bytes, from a buffer or from a state.
Bytes GroupBytes(const TCopyBuffer &b, int group)
{
    Bytes bytes;
    switch (group) {
    case pgText: Append(bytes, b.TextProp); break;
    case pgSize: Append(bytes, b.Size); break;
    case pgTexture: Append(bytes, b.Texture); break;
    case pgLights: Append(bytes, b.Lights); break;
    case pgMaterial: Append(bytes, b.Material); break;
    case pgShadow: Append(bytes, b.Shadow); Append(bytes, b.TextShadow); break;
    case pgShape: Append(bytes, b.Shape); break;
    case pgDeformation: Append(bytes, b.Deformation); break;
    }
    return bytes;
}

Bytes GroupBytes(const TItem &s, int group)
{
    TCopyBuffer b;
    b.TextProp = s.TextItem.Prop();
    b.Size = s.SizeGroup();
    b.Texture = s.ButtonItem.Texture;
    for (int i = 0; i < LightCount; ++i)
        b.Lights[size_t(i)] = s.Lights[size_t(i)].Block();
    b.Material = s.ButtonItem.Material;
    b.Shadow = s.ButtonItem.Shadow;
    b.TextShadow = s.TextItem.ShadowGroup();
    b.Shape = s.ButtonItem.Shape;
    b.Deformation = s.ButtonItem.Deformation;
    return GroupBytes(b, group);
}

// A state whose every group differs from a new state's.
void MakeUnusual(TItem &s)
{
    s.Name = "Source";
    s.Ambient = {0.5f, 0.5f, 0.5f, 1.0f};
    s.Dirty = 0;
    s.TextItem.Text = "Copied";
    s.TextItem.Height = -20;
    s.TextItem.FontName = "Verdana";
    s.Width = 80;
    s.Antialias = 0;
    s.ButtonItem.Texture.Texels[7] = 7;
    s.Lights[5].Enabled = 1;
    s.Lights[5].Radius = 2.0f;
    s.Lights[5].Angle = 30.0f;
    s.Lights[5].Depth = 4.0f;
    s.ButtonItem.Material.Shininess = 3;
    s.ButtonItem.Shadow.Enabled = 1;
    s.TextItem.TextShadowColor = 0x00FF00;
    s.TextItem.TextShadowDX = -4;
    s.ButtonItem.Shape.A0 = 10;
    s.ButtonItem.Deformation.D3 = 80;
}

class CopyBuffers : public ::testing::Test {
protected:
    void SetUp() override { saved = {BufFull, BufMode, AutoBufMode}; }
    void TearDown() override { std::tie(BufFull, BufMode, AutoBufMode) = saved; }
    std::tuple<bool, int32_t, int32_t> saved;
};

}  // namespace

TEST_F(CopyBuffers, NothingIsPastedBeforeTheFirstCopy)
{
    BufMode = pgNone;
    TItem source(nullptr), target(nullptr);
    MakeUnusual(source);
    CopyToBuffer(source);
    TItem fresh(nullptr);
    PasteFromBuffer(target);
    ExchangeBuffer(target);
    for (int g = 0; g <= 7; ++g) {
        EXPECT_EQ(GroupBytes(target, g), GroupBytes(fresh, g)) << g;
        EXPECT_EQ(GroupBytes(CopyBuffer, g), GroupBytes(source, g)) << g;
    }
}

TEST_F(CopyBuffers, PasteMovesExactlyTheSelectedGroup)
{
    TItem source(nullptr), fresh(nullptr);
    MakeUnusual(source);
    for (int mode = -1; mode <= 9; ++mode) {
        BufMode = mode;
        CopyToBuffer(source);
        TItem target(nullptr);
        PasteFromBuffer(target);
        for (int g = 0; g <= 7; ++g) {
            const bool moved = mode == -1 || mode == g;
            EXPECT_EQ(GroupBytes(target, g), GroupBytes(moved ? source : fresh, g))
                << "mode " << mode << " group " << g;
        }
        EXPECT_EQ(target.Name, "Menu");
        EXPECT_EQ(target.Ambient.R, 0.25f);
        EXPECT_EQ(target.Dirty, 1);
    }
}

TEST_F(CopyBuffers, ExchangeSwapsExactlyTheSelectedGroup)
{
    TItem source(nullptr), fresh(nullptr);
    MakeUnusual(source);
    for (int mode = -1; mode <= 7; ++mode) {
        BufMode = mode;
        CopyToBuffer(source);
        TItem target(nullptr);
        ExchangeBuffer(target);
        for (int g = 0; g <= 7; ++g) {
            const bool swapped = mode == -1 || mode == g;
            EXPECT_EQ(GroupBytes(target, g), GroupBytes(swapped ? source : fresh, g))
                << "mode " << mode << " group " << g;
            EXPECT_EQ(GroupBytes(CopyBuffer, g), GroupBytes(swapped ? fresh : source, g))
                << "mode " << mode << " group " << g;
        }
    }
}

TEST_F(CopyBuffers, ExchangingTheTextTwiceRestoresBothSides)
{
    TItem source(nullptr), target(nullptr);
    MakeUnusual(source);
    BufMode = pgText;
    CopyToBuffer(source);
    ExchangeBuffer(target);
    EXPECT_EQ(target.TextItem.Text, "Copied");
    EXPECT_EQ(CopyBuffer.TextProp.Text, "No text");
    ExchangeBuffer(target);
    EXPECT_EQ(target.TextItem.Text, "No text");
    EXPECT_EQ(target.TextItem.FontName, "Tahoma");
    EXPECT_EQ(CopyBuffer.TextProp.Text, "Copied");
    EXPECT_EQ(CopyBuffer.TextProp.FontName, "Verdana");
}

TEST_F(CopyBuffers, PastedCaptionIsAnIndependentCopy)
{
    TItem source(nullptr), target(nullptr);
    MakeUnusual(source);
    BufMode = pgText;
    CopyToBuffer(source);
    PasteFromBuffer(target);
    target.TextItem.Text += " edited";
    EXPECT_EQ(CopyBuffer.TextProp.Text, "Copied");
    EXPECT_EQ(target.TextItem.Height, -20);  // the whole record moves
}

TEST_F(CopyBuffers, ShadowGroupMovesBothShadowsAndLightsMoveWhole)
{
    TItem source(nullptr), target(nullptr);
    MakeUnusual(source);
    BufMode = pgShadow;
    CopyToBuffer(source);
    PasteFromBuffer(target);
    EXPECT_EQ(target.ButtonItem.Shadow.Enabled, 1);
    EXPECT_EQ(target.TextItem.TextShadowColor, 0x00FF00);
    EXPECT_EQ(target.TextItem.TextShadowDX, -4);

    BufMode = pgLights;
    PasteFromBuffer(target);  // the buffer still holds every group
    EXPECT_EQ(target.Lights[5].Enabled, 1);
    EXPECT_EQ(target.Lights[5].Angle, 30.0f);
    EXPECT_EQ(target.Lights[5].Index, 5);
    EXPECT_EQ(target.Lights[5].Owner, &target);
}

TEST_F(CopyBuffers, AutoBufferIsSeparate)
{
    TItem source(nullptr), target(nullptr);
    MakeUnusual(source);
    BufMode = pgAll;
    TItem fresh(nullptr);
    CopyToBuffer(fresh);
    AutoBufMode = pgShape;
    CopyToAutoBuffer(source);
    PasteFromAutoBuffer(target);
    EXPECT_EQ(target.ButtonItem.Shape.A0, 10);
    EXPECT_EQ(target.ButtonItem.Deformation.D3, 90);
    EXPECT_EQ(CopyBuffer.Shape.A0, 45);
}
