// The caption merge that ends every render.
#include "BitmapCopy.h"
#include "CaptionText.h"
#include "Item.h"
#include "TextMerge.h"

#include <cmath>

namespace {

// The image widens on the side the drop shadow falls to; the caption is
// aligned to the button inside it. The shadow's share of each side in
// pixels: side * offset / (2 * offset + 2).
struct TShadowMargins {
    int Left = 0, Right = 0, Bottom = 0, Top = 0;
};

long double FiniteOffset(float offset)
{
    return std::isfinite(offset) ? offset : 0.0f;
}

int MarginPixels(int side, long double offset)
{
    return int(std::nearbyint(side * offset / (2 * offset + 2)));
}

TShadowMargins ShadowMargins(const TShadowBlock &shadow, int width, int height)
{
    TShadowMargins m;
    if (!shadow.Enabled)
        return m;
    const long double dx = FiniteOffset(shadow.DX), dy = FiniteOffset(shadow.DY);
    m.Left = MarginPixels(width, dx < 0 ? -dx : 0);
    m.Right = MarginPixels(width, dx >= 0 ? dx : 0);
    m.Bottom = MarginPixels(height, dy < 0 ? -dy : 0);
    m.Top = MarginPixels(height, dy >= 0 ? dy : 0);
    return m;
}

TCaptionFont CaptionFont(const TTextProp &text)
{
    TCaptionFont font;
    font.Name = text.FontName;
    font.Size = text.Size;
    font.Style = text.Style;
    font.Charset = text.Charset;
    font.Pitch = text.Pitch;
    return font;
}

// Black text on white, blended into the buffer in the given colour, or
// stamped in it when the caption is not smoothed.
void MergeMask(TBitsmap &buffer, TCaptionCanvas &canvas, int x, int y, const std::string &text, TColor color,
               bool smooth)
{
    canvas.Fill(0xFFFFFF);
    canvas.DrawText(x, y, text, 0);
    if (smooth)
        BlendTextMask(buffer, canvas.Image(), color);
    else
        StampTextMask(buffer, canvas.Image(), color, 0xFFFFFF);
}

}  // namespace

void TTextItem::Draw(TBitsmap &buffer) const
{
    const int width = Owner->ImageWidth(), height = Owner->ImageHeight();
    const TShadowMargins m = ShadowMargins(Owner->ButtonItem.Shadow, width, height);
    TCaptionCanvas canvas(width, height, CaptionFont(*this));
    const QSize extent = canvas.TextExtent(Text);

    long long x = HAlign == 0 ? m.Left + (width - m.Left - m.Right - extent.width()) / 2
                  : HAlign == 1 ? m.Left
                                : width - m.Right - extent.width();
    x += LeftMargin;
    long long y = VAlign == 0 ? (height - m.Bottom - m.Top - extent.height()) / 2 + m.Top
                  : VAlign == 1 ? m.Top
                                : height - m.Bottom - extent.height();
    y += TopMargin;
    const auto place = [](long long v) { return int(std::clamp<long long>(v, -1000000, 1000000)); };

    const bool smooth = Smooth == 1;
    if (!Owner->Draft && TextShadow == 1)
        MergeMask(buffer, canvas, place(x + TextShadowDX), place(y - TextShadowDY), Text, TextShadowColor, smooth);
    if (smooth) {
        MergeMask(buffer, canvas, place(x), place(y), Text, Color, true);
    } else {
        // Text in its own colour on the complementary key colour; only the
        // colour's low three bytes count.
        const TColor key = 0xFFFFFF - (Color & 0xFFFFFF);
        canvas.Fill(uint32_t(key));
        canvas.DrawText(place(x), place(y), Text, uint32_t(Color));
        StampTextMask(buffer, canvas.Image(), Color, key);
    }
}
