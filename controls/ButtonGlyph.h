// The glyph of a speed button: a picture holding up to five images side by
// side (up, disabled, down, exclusive, inactive), from which each state's
// image is made once and kept in the shared glyph cache; missing images are
// made from the first (embossed for disabled, grey for inactive). It also
// lays out and draws glyph, caption and drop-down mark on a button face.
#pragma once

#include "GlyphCache.h"
#include "KitLabel.h"

#include <QImage>
#include <QRect>
#include <array>
#include <functional>

class QFontMetrics;
class QPainter;

// The look a button is painted in.
enum TButtonState { bsUp = 0, bsDisabled = 1, bsDown = 2, bsExclusive = 3, bsInactive = 4 };
constexpr int ButtonStateCount = 5;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Where the glyph, the caption and the mark go on a button face.
struct TGlyphLayout {
    QPoint GlyphPos;
    QRect CaptionRect;
    QString Caption;  // shortened to its room unless wrapped
};

// The button face's content as the button asks for it.
struct TFaceContent {
    QString Caption;
    TButtonLayout Layout = blGlyphTop;
    int Margin = -1;   // -1 centres
    int Spacing = 1;   // -1 spreads evenly
    bool ShowMark = false;
};

class TKitButtonGlyph {
public:
    TKitButtonGlyph();
    ~TKitButtonGlyph();
    TKitButtonGlyph(const TKitButtonGlyph &) = delete;
    TKitButtonGlyph &operator=(const TKitButtonGlyph &) = delete;

    const QImage &Glyph() const { return FGlyph; }
    // A new picture: the images are made anew; a picture whose width is a
    // whole multiple (up to 5) of its height holds that many glyphs.
    void SetGlyph(const QImage &glyph);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int count);
    // The see-through colour: the bottom-left pixel's colour as it shows on
    // the button face (the face colour where that pixel is see-through);
    // fuchsia without a picture. The images are made on the face, so a
    // picture whose background is see-through keeps it so in every look.
    TColor TransparentColor() const;
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wrap) { FWordWrap = wrap; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment) { FAlignment = alignment; }
    // Runs after each change of the picture or the number of glyphs.
    std::function<void()> OnChange;

    // The slot of the state's image in the list, made when needed; -1 for
    // an empty picture.
    int BuildStateImage(int state);
    // Gives every image back to the cache.
    void ReleaseStateImages();
    const TGlyphList *List() const { return FList; }

    // The size of one glyph; (0, 0) without a picture.
    QSize GlyphSize() const;
    TGlyphLayout LayoutGlyphAndText(const QFontMetrics &metrics, const QRect &client,
                                    const TFaceContent &content) const;
    // Lays out and draws the state's glyph, the caption and the mark;
    // returns the caption's rectangle.
    QRect Draw(QPainter &painter, const QRect &client, const TFaceContent &content, int state);

private:
    void Changed();
    int TextFlags() const;
    void DrawCaption(QPainter &painter, const TGlyphLayout &layout, int state) const;
    void DrawMenuMark(QPainter &painter, const QRect &client, const TGlyphLayout &layout,
                      const TFaceContent &content, int state) const;

    QImage FGlyph;
    TGlyphList *FList = nullptr;
    std::array<int, ButtonStateCount> FIndexes;
    int FNumGlyphs = 1;
    bool FWordWrap = false;
    TAlignment FAlignment = taCenter;
};

// Draws the frame of a button in the look of the style and returns the
// rectangle inside it. newStyle: the raised look of current desktops, else
// the older one with a dark outline.
QRect PaintButtonBorder(QPainter &painter, QRect rect, bool isDown, bool newStyle, bool flat);
