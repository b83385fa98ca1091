#include "CopyBufferU.h"
#include "StateGroups.h"

#include <gtest/gtest.h>

namespace {

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
