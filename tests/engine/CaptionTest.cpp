#include "CaptionText.h"
#include "SceneU.h"
#include "TextMerge.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

bool HasCompatibleTahoma()
{
    return QFile::exists("/usr/share/wine/fonts/tahoma.ttf") && QFile::exists("/usr/share/wine/fonts/tahomabd.ttf");
}

TEST(CaptionText, EightPointTahomaHasTheWindowsCell)
{
    if (!HasCompatibleTahoma())
        GTEST_SKIP() << "skipped: the Tahoma-compatible fonts of fonts-wine are not installed";
    TCaptionFont font;
    font.Style = CaptionBold;
    TCaptionCanvas canvas(100, 30, font);
    const QSize extent = canvas.TextExtent("No text");
    EXPECT_EQ(extent.height(), 13);  // 11 px: ascent 11 + descent 2
    EXPECT_GT(extent.width(), 30);
    EXPECT_LT(extent.width(), 60);
}

TEST(CaptionText, CharsetChoosesTheCodePage)
{
    EXPECT_EQ(DecodeCharset("\xC0\xE1", 1), QString::fromUtf8("Аб"));
    EXPECT_EQ(DecodeCharset("\xC0\xE1", 204), QString::fromUtf8("Аб"));
    EXPECT_EQ(DecodeCharset("\xC0\xE1", 0), QString::fromUtf8("Àá"));
    EXPECT_EQ(DecodeCharset("\xC1", 161), QString::fromUtf8("Α"));
    EXPECT_EQ(DecodeCharset("abc", 77), QString("abc"));
}

TEST(CaptionText, AbsurdSizesAndPlacesDrawNothingHarmful)
{
    for (int size : {0, -8, 100000, INT_MIN}) {
        TCaptionFont font;
        font.Size = size;
        TCaptionCanvas canvas(20, 10, font);
        canvas.Fill(0xFFFFFF);
        canvas.DrawText(INT_MAX, INT_MIN, "Text", 0);
        canvas.DrawText(INT_MIN, INT_MAX, "Text", 0);
        canvas.DrawText(0, 0, "Text", 0);
        EXPECT_EQ(canvas.Image().size(), QSize(20, 10));
    }
}

// A state with a plain grey render behind its caption.
class CaptionMerge : public ::testing::Test {
protected:
    void SetUp() override
    {
        item.TextItem.Text = "Menu";
        buffer = std::make_unique<TBitsmap>();
        for (size_t i = 0; i < buffer->Data.size(); ++i)
            buffer->Data[i] = i % 4 == 3 ? 255 : 128;
    }

    // The caption drawn by hand at (x, y), black on white, as the merge sees
    // it.
    QImage MaskAt(int x, int y)
    {
        TCaptionCanvas canvas(item.ImageWidth(), item.ImageHeight(), Font());
        canvas.Fill(0xFFFFFF);
        canvas.DrawText(x, y, item.TextItem.Text, 0);
        return canvas.Image();
    }

    TCaptionFont Font() const
    {
        TCaptionFont font;
        font.Style = item.TextItem.Style;
        return font;
    }

    QSize Extent() const { return TCaptionCanvas(1, 1, Font()).TextExtent(item.TextItem.Text); }

    TItem item{nullptr};
    std::unique_ptr<TBitsmap> buffer;
};

TEST_F(CaptionMerge, CentredSmoothCaptionMatchesTheMaskDrawnByHand)
{
    const auto before = std::make_unique<TBitsmap>(*buffer);
    auto expected = std::make_unique<TBitsmap>(*buffer);
    const QSize extent = Extent();
    BlendTextMask(*expected, MaskAt((100 - extent.width()) / 2, (30 - extent.height()) / 2), 0xFFFFFF);
    item.TextItem.Draw(*buffer);
    EXPECT_TRUE(buffer->Data == expected->Data);
    EXPECT_FALSE(buffer->Data == before->Data);
}

TEST_F(CaptionMerge, ShadowMarginsKeepTheCaptionOnTheButton)
{
    item.ButtonItem.Shadow.Enabled = 1;
    item.ButtonItem.Shadow.DX = -0.2f;
    item.ButtonItem.Shadow.DY = 0.1f;
    item.TextItem.HAlign = 0;
    item.TextItem.VAlign = 1;  // top, below the shadow's top margin
    const QSize extent = Extent();
    const int left = 8;  // 100 * 0.2 / 2.4 rounded
    const int top = 1;   // 30 * 0.1 / 2.2 = 1.36
    auto expected = std::make_unique<TBitsmap>(*buffer);
    BlendTextMask(*expected, MaskAt(left + (100 - left - extent.width()) / 2, top), 0xFFFFFF);
    item.TextItem.Draw(*buffer);
    EXPECT_TRUE(buffer->Data == expected->Data);
}

TEST_F(CaptionMerge, HardMergePaintsOnlyTheExactColour)
{
    item.TextItem.Smooth = 0;
    item.TextItem.Color = 0x00FF00;
    item.TextItem.HAlign = 1;
    item.TextItem.LeftMargin = 3;
    item.TextItem.VAlign = 2;
    item.TextItem.TopMargin = -2;
    item.TextItem.Draw(*buffer);
    int painted = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) {
            const uint8_t *p = buffer->Pixel(x, y);
            const bool grey = p[0] == 128 && p[1] == 128 && p[2] == 128;
            const bool green = p[0] == 0 && p[1] == 255 && p[2] == 0;
            ASSERT_TRUE(grey || green) << x << "," << y;
            painted += green;
            if (green) {
                EXPECT_GE(x, 3);                              // left-aligned plus the margin
                EXPECT_GE(y, 2);                              // bottom-aligned, moved up 2
            }
            EXPECT_EQ(p[3], 255);
        }
    EXPECT_GT(painted, 20);
}

TEST_F(CaptionMerge, HardMergeOfAColourWithHighBitsUsesItsLowBytes)
{
    item.TextItem.Smooth = 0;
    for (TColor color : {TColor(INT_MIN), TColor(INT_MIN + 0x123456), TColor(-1), TColor(0x1FFFFFFF)}) {
        auto painted = std::make_unique<TBitsmap>(*buffer);
        item.TextItem.Color = color;
        item.TextItem.Draw(*painted);
        auto plain = std::make_unique<TBitsmap>(*buffer);
        item.TextItem.Color = color & 0xFFFFFF;
        item.TextItem.Draw(*plain);
        EXPECT_TRUE(painted->Data == plain->Data) << color;
        EXPECT_FALSE(painted->Data == buffer->Data) << color;
    }
}

TEST_F(CaptionMerge, TextShadowOnlyOutsideDraft)
{
    item.TextItem.TextShadow = 1;
    item.TextItem.TextShadowColor = 0x0000FF;
    item.TextItem.TextShadowDX = 1;
    item.TextItem.TextShadowDY = -1;
    auto full = std::make_unique<TBitsmap>(*buffer);
    item.TextItem.Draw(*full);

    item.Draft = 1;
    auto draft = std::make_unique<TBitsmap>(*buffer);
    item.TextItem.Draw(*draft);

    auto plain = std::make_unique<TBitsmap>(*buffer);
    item.TextItem.TextShadow = 0;
    item.TextItem.Draw(*plain);
    EXPECT_TRUE(draft->Data == plain->Data);
    EXPECT_FALSE(full->Data == plain->Data);

    // The shadow lies one pixel right and one lower than the caption.
    const QSize extent = Extent();
    const int x = (100 - extent.width()) / 2, y = (30 - extent.height()) / 2;
    auto expected = std::make_unique<TBitsmap>(*buffer);
    BlendTextMask(*expected, MaskAt(x + 1, y + 1), 0x0000FF);
    BlendTextMask(*expected, MaskAt(x, y), 0xFFFFFF);
    EXPECT_TRUE(full->Data == expected->Data);
}

TEST_F(CaptionMerge, BadSizesAndOffsetsStayInsideTheBuffer)
{
    item.Width = 100000;
    item.Height = -1;
    item.ButtonItem.Shadow.Enabled = 1;
    item.ButtonItem.Shadow.DX = std::numeric_limits<float>::quiet_NaN();
    item.ButtonItem.Shadow.DY = -std::numeric_limits<float>::infinity();
    item.TextItem.LeftMargin = INT_MAX;
    item.TextItem.TopMargin = INT_MIN;
    item.TextItem.TextShadow = 1;
    item.TextItem.TextShadowDX = INT_MAX;
    item.TextItem.TextShadowDY = INT_MIN;
    item.TextItem.Draw(*buffer);
    item.TextItem.LeftMargin = 0;
    item.TextItem.TopMargin = 0;
    item.TextItem.Draw(*buffer);
}

}  // namespace
