// A label that draws its caption with a shadow copy offset in one of four
// directions, embossed when disabled, with an optional focus rectangle for
// the control it names, and enter and leave signals that follow the kit's
// pointer rule (see PointerTracking.h). The font colour is the palette's
// WindowText, the background (Color) its Window; a transparent label shows
// what lies behind it instead.
#pragma once

#include "GraphicsColor.h"
#include "PointerTracking.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TKitCustomLabel : public QWidget {
    Q_OBJECT
public:
    explicit TKitCustomLabel(QWidget *parent = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    // Keeps the label the size of its text: it grows to the right, or to
    // the left for right-justified text.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    QWidget *FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget *control);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout layout);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor color);
    uint8_t ShadowSize() const { return FShadowSize; }
    void SetShadowSize(uint8_t size);
    TShadowPosition ShadowPos() const { return FShadowPos; }
    void SetShadowPos(TShadowPosition position);
    // "&" marks the accelerator, which focuses the focus control.
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool show);
    // A focus rectangle while the focus control holds the focus.
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool show);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wrap);
    QColor FontColor() const;
    void SetFontColor(const QColor &color);
    QColor Color() const;
    void SetColor(const QColor &color);

    bool MouseInControl() const { return FTracking.MouseInControl(); }

    // Draws the text into rect in shadowColor, moved by size in the
    // direction, then in the painter's pen colour in place; rect becomes
    // both rectangles together. Returns the text's height plus size (0 for
    // no text).
    int DrawShadowText(QPainter &painter, const QString &text, const QColor &shadowColor,
                       TShadowPosition position, int size, int flags, QRect &rect) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void MouseEnter();
    void MouseLeave();

protected:
    // The colour of the enabled caption.
    virtual QColor DefaultTextColor() const { return FontColor(); }
    virtual QString LabelText() const { return FCaption; }
    virtual void DoMouseEnter() { emit MouseEnter(); }
    virtual void DoMouseLeave() { emit MouseLeave(); }

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

    // Narrow the text on the left and right; part of the auto size.
    int FLeftMargin = 0;
    int FRightMargin = 0;

private:
    // What the caption is drawn with: the text, flags, colours and shadow.
    struct TTextStyle;
    TTextStyle Style(bool measuring, int flags) const;
    // The text's rectangle (shadow included) at the top left of rect.
    QRect MeasureLabelText(const QRect &rect, int flags) const;
    void DrawLabelText(QPainter &painter, QRect &rect, int flags) const;
    int TextFlags() const;
    Qt::Alignment HorizontalAlignment() const;
    QRect TextRect() const;
    QSize AutoSizeExtent() const;
    void AdjustLabelBounds();
    void UpdateAccelerator();
    void FocusChanged(QWidget *now);

    QString FCaption;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    QPointer<QWidget> FFocusControl;
    TTextLayout FLayout = tlTop;
    TColor FShadowColor = clBtnHighlight;
    uint8_t FShadowSize = 1;
    TShadowPosition FShadowPos = spLeftTop;
    bool FShowAccelChar = true;
    bool FShowFocus = false;
    bool FTransparent = false;
    bool FWordWrap = false;
    bool FFocused = false;
    int FShortcutId = 0;
    TPointerTracking FTracking;
};

class TKitLabel : public TKitCustomLabel {
    Q_OBJECT
public:
    using TKitCustomLabel::TKitCustomLabel;
};
