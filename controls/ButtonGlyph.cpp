#include "ButtonGlyph.h"

#include "Codepage.h"
#include "ReductionMethods.h"
#include "TextHelpers.h"
#include "TransparentDraw.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int Unbounded = 1 << 20;
constexpr int MarkWidth = 9;         // room the drop-down mark takes beside a caption
constexpr int MarkBesideGlyph = 6;   // room it takes beside a glyph

// The picture as it shows on a button face: its see-through pixels take the
// face colour, so that every look is made from colours alone.
QImage OnFace(const QImage &picture)
{
    QImage onFace(picture.size(), QImage::Format_RGB32);
    onFace.fill(ColorToQRgb(clBtnFace));
    QPainter(&onFace).drawImage(0, 0, picture);
    return onFace;
}

// The inactive look: every colour but the see-through one and the face
// colour turns into its grey level.
QImage GreyOf(const QImage &glyph, TColor transparentColor)
{
    QImage grey = glyph.convertToFormat(QImage::Format_RGB32);
    const QRgb kept[] = {ColorToQRgb(transparentColor) & 0xFFFFFF, ColorToQRgb(clBtnFace) & 0xFFFFFF};
    for (int y = 0; y < grey.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb rgb = line[x] & 0xFFFFFF;
            if (rgb == kept[0] || rgb == kept[1])
                continue;
            const int level = GrayLevel(uint8_t(qRed(rgb)), uint8_t(qGreen(rgb)), uint8_t(qBlue(rgb)));
            line[x] = qRgb(level, level, level);
        }
    }
    return grey;
}

// Each line of the caption shortened with an ellipsis to the width, without
// trailing line breaks.
QString ShortenedCaption(const QString &caption, const QFontMetrics &metrics, int width)
{
    QStringList lines = caption.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = FromAnsi(ShortenText(ToAnsi(line), metrics, width));
    QString shortened = lines.join(QLatin1Char('\n'));
    while (shortened.endsWith(QLatin1Char('\n')) || shortened.endsWith(QLatin1Char('\r')))
        shortened.chop(1);
    return shortened;
}

// Positions along one axis: the glyph's and the caption's start.
struct TAxisPlacement {
    int Glyph = 0;
    int Caption = 0;
};

// Glyph first (left or top) or last, with margin and spacing as the button
// asks; -1 centres (margin) or spreads evenly (spacing).
TAxisPlacement PlaceAlong(int client, int glyph, int caption, int margin, int spacing, bool glyphFirst)
{
    if (margin == -1 && spacing != -1) {
        const int total = glyph + spacing + caption;
        margin = client / 2 - total / 2;
    } else if (margin == -1) {
        margin = spacing = (client - (glyph + caption)) / 3;
    } else if (spacing == -1) {
        spacing = (client - (margin + glyph)) / 2 - caption / 2;
    }
    if (glyphFirst)
        return {margin, margin + glyph + spacing};
    const int glyphPos = client - margin - glyph;
    return {glyphPos, glyphPos - spacing - caption};
}

void Frame3D(QPainter &painter, QRect &rect, TColor topLeft, TColor bottomRight)
{
    const QColor light = QColor::fromRgb(ColorToQRgb(topLeft)), dark = QColor::fromRgb(ColorToQRgb(bottomRight));
    painter.fillRect(rect.left(), rect.top(), rect.width() - 1, 1, light);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height() - 1, light);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), dark);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, dark);
    rect.adjust(1, 1, -1, -1);
}

}  // namespace

TKitButtonGlyph::TKitButtonGlyph()
{
    FIndexes.fill(-1);
    AcquireGlyphCache();
}

TKitButtonGlyph::~TKitButtonGlyph()
{
    ReleaseStateImages();
    ReleaseGlyphCacheIfEmpty();
}

void TKitButtonGlyph::SetGlyph(const QImage &glyph)
{
    FGlyph = glyph;
    ReleaseStateImages();
    if (FGlyph.height() > 0 && FGlyph.width() % FGlyph.height() == 0) {
        const int count = FGlyph.width() / FGlyph.height();
        FNumGlyphs = count > ButtonStateCount ? 1 : count;
    }
    Changed();
}

TColor TKitButtonGlyph::TransparentColor() const
{
    if (FGlyph.isNull())
        return clFuchsia;
    return QRgbToColor(OnFace(FGlyph.copy(0, FGlyph.height() - 1, 1, 1)).pixel(0, 0));
}

void TKitButtonGlyph::SetNumGlyphs(int count)
{
    if (count <= 0 || count == FNumGlyphs)
        return;
    FNumGlyphs = std::min(count, ButtonStateCount);
    ReleaseStateImages();
    Changed();
}

void TKitButtonGlyph::Changed()
{
    if (OnChange)
        OnChange();
}

QSize TKitButtonGlyph::GlyphSize() const
{
    if (FGlyph.isNull())
        return {0, 0};
    return {FGlyph.width() / FNumGlyphs, FGlyph.height()};
}

int TKitButtonGlyph::BuildStateImage(int state)
{
    if (state == bsDown && FNumGlyphs < 3)
        state = bsUp;
    if (FIndexes[size_t(state)] >= 0)
        return FIndexes[size_t(state)];
    const QSize size = GlyphSize();
    if (size.isEmpty())
        return -1;
    if (!FList)
        FList = &AcquireGlyphCache().ListFor(size.width(), size.height());
    const int piece = state < FNumGlyphs ? state : 0;
    const QImage glyph = OnFace(FGlyph.copy(piece * size.width(), 0, size.width(), size.height()));
    const TColor transparent = TransparentColor();
    int slot = -1;
    if (state == bsDisabled && FNumGlyphs < 2)
        slot = FList->AddGlyphMasked(CreateDisabledBitmap(glyph, clBlack), ColorToRGB(clBtnFace));
    else if (state == bsInactive && FNumGlyphs < ButtonStateCount)
        slot = FList->AddGlyphMasked(GreyOf(glyph, transparent), transparent);
    else
        slot = FList->AddGlyphMasked(glyph, transparent);
    FIndexes[size_t(state)] = slot;
    return slot;
}

void TKitButtonGlyph::ReleaseStateImages()
{
    if (!FList)
        return;
    for (int &index : FIndexes) {
        FList->DeleteGlyph(index);
        index = -1;
    }
    if (TGlyphCache *cache = GlyphCache())
        cache->ReleaseList(*FList);
    FList = nullptr;
}

int TKitButtonGlyph::TextFlags() const
{
    const int alignment = FAlignment == taLeftJustify ? Qt::AlignLeft
                          : FAlignment == taRightJustify ? Qt::AlignRight
                                                         : Qt::AlignHCenter;
    return alignment | Qt::AlignVCenter | Qt::TextShowMnemonic | (FWordWrap ? Qt::TextWordWrap : 0);
}

TGlyphLayout TKitButtonGlyph::LayoutGlyphAndText(const QFontMetrics &metrics, const QRect &client,
                                                 const TFaceContent &content) const
{
    QSize glyph = GlyphSize();
    const bool across = content.Layout == blGlyphLeft || content.Layout == blGlyphRight;
    const int used = (across ? glyph.width() : glyph.height()) + (content.Margin != -1 ? content.Margin : 0) +
                     (content.Spacing != -1 ? content.Spacing : 0);
    QSize room = across ? QSize(client.width() - used - (content.ShowMark ? MarkWidth : 0), client.height())
                        : QSize(client.width(), client.height() - used);
    room = room.expandedTo(QSize(0, 0));

    TGlyphLayout layout;
    layout.Caption = FWordWrap ? content.Caption : ShortenedCaption(content.Caption, metrics, room.width());
    QSize caption = layout.Caption.isEmpty()
                        ? QSize(0, 0)
                        : metrics.boundingRect(QRect(0, 0, FWordWrap ? room.width() : Unbounded, Unbounded),
                                               TextFlags(), layout.Caption)
                              .size();
    if (content.ShowMark) {
        if (glyph.isEmpty() || content.Layout == blGlyphLeft)
            caption.rwidth() += MarkWidth;
        else if (glyph.width() > 0)
            glyph.rwidth() += MarkBesideGlyph;
    }
    const bool spaced = caption.width() > 0 && glyph.width() > 0;
    const int spacing = spaced ? content.Spacing : 0;
    const bool glyphFirst = content.Layout == blGlyphLeft || content.Layout == blGlyphTop;
    QPoint glyphPos, captionPos;
    if (across) {
        const TAxisPlacement x = PlaceAlong(client.width(), glyph.width(), caption.width(), content.Margin, spacing, glyphFirst);
        glyphPos = {x.Glyph, client.height() / 2 - glyph.height() / 2};
        captionPos = {x.Caption, client.height() / 2 - caption.height() / 2};
    } else {
        const TAxisPlacement y = PlaceAlong(client.height(), glyph.height(), caption.height(), content.Margin, spacing, glyphFirst);
        glyphPos = {client.width() / 2 - glyph.width() / 2, y.Glyph};
        captionPos = {client.width() / 2 - caption.width() / 2, y.Caption};
    }
    layout.GlyphPos = glyphPos + client.topLeft();
    layout.CaptionRect = QRect(captionPos + client.topLeft(), caption);
    return layout;
}

QRect TKitButtonGlyph::Draw(QPainter &painter, const QRect &client, const TFaceContent &content, int state)
{
    const TGlyphLayout layout = LayoutGlyphAndText(painter.fontMetrics(), client, content);
    const int slot = BuildStateImage(state);
    if (slot >= 0)
        painter.drawImage(layout.GlyphPos, FList->Image(slot));
    DrawCaption(painter, layout, state);
    if (content.ShowMark)
        DrawMenuMark(painter, client, layout, content, state);
    return layout.CaptionRect;
}

void TKitButtonGlyph::DrawCaption(QPainter &painter, const TGlyphLayout &layout, int state) const
{
    if (layout.Caption.isEmpty())
        return;
    const QPen pen = painter.pen();
    if (state == bsDisabled) {
        painter.setPen(QColor::fromRgb(ColorToQRgb(clBtnHighlight)));
        painter.drawText(layout.CaptionRect.translated(1, 1), TextFlags(), layout.Caption);
        painter.setPen(QColor::fromRgb(ColorToQRgb(clBtnShadow)));
    }
    painter.drawText(layout.CaptionRect, TextFlags(), layout.Caption);
    painter.setPen(pen);
}

void TKitButtonGlyph::DrawMenuMark(QPainter &painter, const QRect &client, const TGlyphLayout &layout,
                                   const TFaceContent &content, int state) const
{
    const QSize glyph = GlyphSize();
    QPoint at;
    if (glyph.width() > 0 && content.Layout != blGlyphLeft)
        at = {layout.GlyphPos.x() + glyph.width() + 1, layout.GlyphPos.y() + glyph.height() / 2};
    else if (layout.Caption.isEmpty())
        at = {(client.left() + client.left() + client.width() - 7) / 2,
              layout.CaptionRect.top() + layout.CaptionRect.height() / 2};
    else
        at = {layout.CaptionRect.left() + layout.CaptionRect.width() + 3,
              layout.CaptionRect.top() + layout.CaptionRect.height() / 2};
    const auto triangle = [&painter](QPoint from, TColor colour) {
        for (int row = 0; row < 4; ++row)
            painter.fillRect(from.x() + row, from.y() - 1 + row, 7 - 2 * row, 1, QColor::fromRgb(ColorToQRgb(colour)));
    };
    if (state == bsDisabled) {
        triangle(at + QPoint(1, 1), clBtnHighlight);
        triangle(at, clBtnShadow);
    } else {
        triangle(at, clBtnText);
    }
}

QRect PaintButtonBorder(QPainter &painter, QRect rect, bool isDown, bool newStyle, bool flat)
{
    if (!isDown && newStyle) {
        if (!flat)
            Frame3D(painter, rect, clBtnHighlight, clWindowFrame);
        Frame3D(painter, rect, flat ? clBtnHighlight : clBtnFace, clBtnShadow);
    } else if (!isDown) {
        if (flat) {
            Frame3D(painter, rect, clBtnHighlight, clWindowFrame);
        } else {
            Frame3D(painter, rect, clWindowFrame, clWindowFrame);
            Frame3D(painter, rect, clBtnHighlight, clBtnShadow);
        }
    } else if (newStyle) {
        Frame3D(painter, rect, clWindowFrame, clBtnHighlight);
        if (!flat)
            Frame3D(painter, rect, clBtnShadow, clBtnFace);
    } else if (flat) {
        Frame3D(painter, rect, clWindowFrame, clBtnHighlight);
    } else {
        Frame3D(painter, rect, clWindowFrame, clWindowFrame);
        const QColor shadow = QColor::fromRgb(ColorToQRgb(clBtnShadow));
        painter.fillRect(rect.left(), rect.top(), 1, rect.height(), shadow);
        painter.fillRect(rect.left(), rect.top(), rect.width(), 1, shadow);
    }
    return rect.adjusted(1, 1, -1, -1);
}
