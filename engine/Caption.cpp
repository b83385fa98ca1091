// The caption merge that ends every render.
#include "CaptionText.h"
#include "Item.h"
#include "ShadowMargins.h"
#include "TextMerge.h"

#include <algorithm>
#include <cmath>

namespace {

// The caption keeps to the button inside the image widened for the drop
// shadow: the shadow's share of each side in pixels is
// side * margin / (2 * margin + 2).
struct TPixelMargins {
    int Left = 0, Right = 0, Bottom = 0, Top = 0;
};

int MarginPixels(int side, long double margin)
{
    return int(std::nearbyint(side * margin / (2 * margin + 2)));
}

TPixelMargins PixelMargins(const TShadowBlock &shadow, int width, int height)
{
    const TShadowMargins m = ShadowMargins(shadow);
    return {MarginPixels(width, m.Left), MarginPixels(width, m.Right), MarginPixels(height, m.Bottom),
            MarginPixels(height, m.Top)};
}

// The caption's style bits reach the text drawing as they are stored.
static_assert(fsBold == CaptionBold && fsItalic == CaptionItalic && fsUnderline == CaptionUnderline &&
              fsStrikeOut == CaptionStrikeOut);

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
    const TPixelMargins m = PixelMargins(Owner->ButtonItem.Shadow, width, height);
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
