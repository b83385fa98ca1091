#include "CaptionText.h"
#include "SceneU.h"
#include "TextMerge.h"

#include <QFile>
#include <climits>
#include <limits>
#include <map>
#include <gtest/gtest.h>

namespace {

TEST(CaptionText, EightPointTahomaHasTheWindowsCellAndCharsetsChooseTheCodePage)
{
    const std::pair<uint8_t, const char *> charsets[] = {{1, "Аб"}, {204, "Аб"}, {0, "Àá"}};
    for (const auto &[charset, text] : charsets)
        EXPECT_EQ(DecodeCharset("\xC0\xE1", charset), QString::fromUtf8(text)) << int(charset);
    EXPECT_EQ(DecodeCharset("\xC1", 161), QString::fromUtf8("Α"));
    EXPECT_EQ(DecodeCharset("abc", 77), QString("abc"));
    if (!QFile::exists("/usr/share/wine/fonts/tahoma.ttf") || !QFile::exists("/usr/share/wine/fonts/tahomabd.ttf"))
        GTEST_SKIP() << "skipped: the Tahoma-compatible fonts of fonts-wine are not installed";
    TCaptionFont font;
    font.Style = CaptionBold;
    const QSize extent = TCaptionCanvas(100, 30, font).TextExtent("No text");
    EXPECT_EQ(extent.height(), 13);  // 11 px: ascent 11 + descent 2
    EXPECT_GT(extent.width(), 30);
    EXPECT_LT(extent.width(), 60);
}

// A state with a plain grey render behind its caption.
class CaptionMerge : public ::testing::Test {
protected:
    void SetUp() override
    {
        item.TextItem.Text = "Menu";
        for (size_t i = 0; i < buffer->Data.size(); ++i)
            buffer->Data[i] = i % 4 == 3 ? 255 : 128;
    }
    // The caption drawn by hand at (x, y), black on white, as the merge sees it.
    QImage MaskAt(int x, int y) const
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
    std::unique_ptr<TBitsmap> Copy() const { return std::make_unique<TBitsmap>(*buffer); }

    TItem item{nullptr};
    std::unique_ptr<TBitsmap> buffer = std::make_unique<TBitsmap>();
};

// The drop shadow widens the image on its side; a caption aligned to the
// top keeps below the top margin, and is centred between the side margins.
TEST_F(CaptionMerge, ShadowMarginsKeepTheCaptionOnTheButton)
{
    item.ButtonItem.Shadow = {1, {}, -0.2f, 0.1f, 0};
    item.TextItem.VAlign = 1;
    const int left = 8;  // 100 * 0.2 / 2.4 rounded
    const int top = 1;   // 30 * 0.1 / 2.2 = 1.36
    auto expected = Copy();
    BlendTextMask(*expected, MaskAt(left + (100 - left - Extent().width()) / 2, top), 0xFFFFFF);
    item.TextItem.Draw(*buffer);
    EXPECT_TRUE(buffer->Data == expected->Data);
}

// Without smoothing the caption is stamped in its colour alone (only the
// colour's low three bytes count), where the alignment and margins place it.
TEST_F(CaptionMerge, HardMergePaintsOnlyTheExactColourWhereItBelongs)
{
    item.TextItem.Smooth = 0;
    item.TextItem.HAlign = 1;
    item.TextItem.LeftMargin = 3;
    item.TextItem.VAlign = 2;
    item.TextItem.TopMargin = -2;
    for (const TColor color : {TColor(0x00FF00), TColor(INT_MIN + 0x00FF00), TColor(0x1F00FF00)}) {
        auto painted = Copy();
        item.TextItem.Color = color;
        item.TextItem.Draw(*painted);
        int green = 0;
        for (int y = 0; y < 250; ++y)
            for (int x = 0; x < 250; ++x) {
                const uint8_t *p = painted->Pixel(x, y);
                const bool isGreen = p[0] == 0 && p[1] == 255 && p[2] == 0;
                ASSERT_TRUE(isGreen || (p[0] == 128 && p[1] == 128 && p[2] == 128)) << x << "," << y;
                ASSERT_EQ(p[3], 255);
                ASSERT_TRUE(!isGreen || (x >= 3 && y >= 2 && y < 30)) << x << "," << y;
                green += isGreen;
            }
        EXPECT_GT(green, 20) << color;
    }
}

// The text shadow lies DX to the right and DY upwards, under the caption,
// and is left out in draft mode.
TEST_F(CaptionMerge, TextShadowOnlyOutsideDraft)
{
    item.TextItem.TextShadow = 1;
    item.TextItem.TextShadowColor = 0x0000FF;
    item.TextItem.TextShadowDX = 1;
    item.TextItem.TextShadowDY = -1;
    const QSize extent = Extent();
    const int x = (100 - extent.width()) / 2, y = (30 - extent.height()) / 2;
    auto expected = Copy();
    BlendTextMask(*expected, MaskAt(x + 1, y + 1), 0x0000FF);
    BlendTextMask(*expected, MaskAt(x, y), 0xFFFFFF);
    item.TextItem.Draw(*buffer);
    EXPECT_TRUE(buffer->Data == expected->Data);

    item.Draft = 1;
    auto draft = Copy(), plain = Copy();
    item.TextItem.Draw(*draft);
    item.TextItem.TextShadow = 0;
    item.TextItem.Draw(*plain);
    EXPECT_TRUE(draft->Data == plain->Data);
}

struct TTextLook {
    int ink = 0;             // darkness summed over the image
    QRect box;               // of the pixels darker than mid-grey
    double slant = 0;        // mean x of the box's top quarter less that of its bottom quarter
    std::vector<int> rules;  // rows dark across the whole width of the plain text
};

// Black text smoothed onto white in the given style, measured.
TTextLook LookOf(TItem &item, uint8_t style, const QRect &plainBox = QRect())
{
    item.TextItem.Style = style;
    auto buffer = std::make_unique<TBitsmap>();
    buffer->Data.fill(255);
    item.TextItem.Draw(*buffer);
    TTextLook look;
    std::vector<QPoint> dark;
    for (int y = 0; y < item.ImageHeight(); ++y)
        for (int x = 0; x < item.ImageWidth(); ++x) {
            const int level = buffer->Pixel(x, item.ImageHeight() - 1 - y)[0];
            look.ink += 255 - level;
            if (level < 128) {
                dark.push_back({x, y});
                look.box |= QRect(x, y, 1, 1);
            }
        }
    double top = 0, bottom = 0;
    int tops = 0, bottoms = 0;
    std::map<int, int> perRow;
    for (const QPoint &p : dark) {
        if (p.y() < look.box.top() + look.box.height() / 4)
            top += p.x(), ++tops;
        if (p.y() > look.box.bottom() - look.box.height() / 4)
            bottom += p.x(), ++bottoms;
        perRow[p.y()] += p.x() >= plainBox.left() && p.x() <= plainBox.right();
    }
    look.slant = top / std::max(tops, 1) - bottom / std::max(bottoms, 1);
    for (const auto &[row, count] : perRow)
        if (plainBox.isValid() && count >= plainBox.width() * 9 / 10)
            look.rules.push_back(row);
    return look;
}

TEST_F(CaptionMerge, EachStyleBitHasItsOwnLook)
{
    item.TextItem.Text = "I I I";  // upright strokes, apart
    item.TextItem.Size = 14;
    item.TextItem.Color = 0;
    const QRect box = LookOf(item, 0).box;
    const TTextLook plain = LookOf(item, 0, box), bold = LookOf(item, fsBold, box),
                    italic = LookOf(item, fsItalic, box), underline = LookOf(item, fsUnderline, box),
                    strike = LookOf(item, fsStrikeOut, box);
    ASSERT_GT(box.height(), 8);
    EXPECT_TRUE(plain.rules.empty());
    // The bold face of the Tahoma-compatible family has the regular outlines
    // on wider advances.
    EXPECT_GT(bold.box.width(), plain.box.width());
    EXPECT_GE(bold.ink, plain.ink);
    EXPECT_NEAR(bold.slant, plain.slant, 1.0);
    EXPECT_TRUE(bold.rules.empty());
    EXPECT_GT(italic.slant, plain.slant + 1.5);
    EXPECT_TRUE(italic.rules.empty());
    ASSERT_FALSE(underline.rules.empty());
    EXPECT_GT(underline.rules.front(), box.bottom());
    ASSERT_FALSE(strike.rules.empty());
    for (const int row : strike.rules)
        EXPECT_TRUE(row > box.top() && row < box.bottom()) << row;
}

// Whatever the sizes and offsets, the caption draws inside the state's image
// and nowhere else in the buffer; placed far outside it draws nothing.
TEST_F(CaptionMerge, BadSizesAndOffsetsDrawNothingOutsideTheImage)
{
    item.Width = 100000;
    item.Height = -1;  // a 250 x 1 image
    item.ButtonItem.Shadow = {1, {}, std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::infinity(), 0};
    item.TextItem.TextShadow = 1;
    for (const int32_t size : {8, 0, -8, 100000, INT_MIN})
        for (const auto &[left, top] : {std::pair{0, 0}, std::pair{INT_MAX, INT_MIN}, std::pair{INT_MIN, INT_MAX}}) {
            item.TextItem.Size = size;
            item.TextItem.LeftMargin = item.TextItem.TextShadowDX = left;
            item.TextItem.TopMargin = item.TextItem.TextShadowDY = top;
            auto drawn = Copy();
            item.TextItem.Draw(*drawn);
            EXPECT_TRUE(std::equal(drawn->Data.begin() + 250 * 4, drawn->Data.end(), buffer->Data.begin() + 250 * 4))
                << size << " " << left;
            if (left != 0) {
                EXPECT_TRUE(drawn->Data == buffer->Data) << size << " " << left;
            }
        }
}

}  // namespace
