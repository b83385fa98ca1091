#include "ComboEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>

namespace {

constexpr int GlyphRoom = 6;  // the button is this much wider than its picture
constexpr int MinimumHeightFrame = 5;  // four border lines and one pixel over the text height

// Three 2 x 2 black dots on white, spread over the width.
QImage EllipsisGlyph(int buttonWidth)
{
    const int width = std::max(1, buttonWidth - GlyphRoom);
    QImage dots(width, 4, QImage::Format_RGB32);
    dots.fill(Qt::white);
    const int gap = std::clamp((width - 6) / 2, 1, 3);
    const int first = (width - 6 - 2 * gap) / 2;
    QPainter painter(&dots);
    for (const int x : {first, first + gap + 2, first + 2 * gap + 4})
        painter.fillRect(x, 1, 2, 2, Qt::black);
    return dots;
}

// A small downward arrow, as combo boxes show, on a see-through face.
QImage DropDownGlyph()
{
    QImage arrow(7, 4, QImage::Format_RGB32);
    arrow.fill(0xFF00FF);
    for (int row = 0; row < 4; ++row)
        for (int x = row; x < 7 - row; ++x)
            arrow.setPixel(x, row, 0x000000);
    arrow.setPixel(0, 3, 0xFF00FF);
    return arrow;
}

}  // namespace

void TEditButton::paintEvent(QPaintEvent *event)
{
    TKitSpeedButton::paintEvent(event);
    if (DrawState() == bsDown)
        return;
    QPainter painter(this);
    painter.fillRect(0, 0, 1, height(), QColor::fromRgb(ColorToQRgb(clBtnFace)));
    painter.fillRect(1, 1, 1, height() - 2, QColor::fromRgb(ColorToQRgb(clBtnHighlight)));
}

void TEditButton::mousePressEvent(QMouseEvent *event)
{
    QWidget *edit = parentWidget();
    if (edit && edit->focusPolicy() & Qt::TabFocus && edit->isEnabled() && !edit->hasFocus())
        edit->setFocus(Qt::MouseFocusReason);
    TKitSpeedButton::mousePressEvent(event);
}

TCustomComboEdit::TCustomComboEdit(QWidget *parent) : QLineEdit(parent), FButton(new TEditButton(this))
{
    FButton->setCursor(Qt::ArrowCursor);
    FButton->setFocusPolicy(Qt::NoFocus);
    connect(FButton, &TKitSpeedButton::clicked, this, &TCustomComboEdit::EditButtonClick);
    KeepTextHeight();
    PlaceButton();
}

void TCustomComboEdit::SetReadOnly(bool readOnly)
{
    FReadOnly = readOnly;
    ApplyReadOnly();
}

void TCustomComboEdit::SetDirectInput(bool direct)
{
    FDirectInput = direct;
    ApplyReadOnly();
}

void TCustomComboEdit::ApplyReadOnly()
{
    setReadOnly(FReadOnly || !FDirectInput);
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind kind)
{
    if (kind == FGlyphKind)
        return;
    FGlyphKind = kind;
    RebuildGlyph();
    if (kind == gkDefault && !FButton->Glyph().isNull())
        SetButtonWidth(std::max(FButton->Glyph().width() / FButton->NumGlyphs() + GlyphRoom, FButtonWidth));
    else if (kind == gkDropDown)
        SetButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

void TCustomComboEdit::SetButtonWidth(int width)
{
    if (width == FButtonWidth)
        return;
    FButtonWidth = width;
    PlaceButton();
    RebuildGlyph();
}

void TCustomComboEdit::SetGlyph(const QImage &glyph)
{
    FGlyphKind = gkCustom;
    FButton->SetGlyph(glyph);
}

void TCustomComboEdit::RebuildGlyph()
{
    switch (FGlyphKind) {
    case gkDefault: FButton->SetGlyph(DefaultGlyph()); break;
    case gkDropDown: FButton->SetGlyph(DropDownGlyph()); break;
    case gkEllipsis: FButton->SetGlyph(EllipsisGlyph(FButtonWidth)); break;
    case gkCustom: return;
    }
    FButton->SetNumGlyphs(1);
}

void TCustomComboEdit::EditButtonClick()
{
    if (FReadOnly && !FAlwaysEnableButton)
        return;
    ButtonClick();
}

void TCustomComboEdit::keyPressEvent(QKeyEvent *event)
{
    if (FButtonWidth > 0 && QKeySequence(event->keyCombination()) == FClickKey) {
        EditButtonClick();
        event->accept();
        return;
    }
    if (IsDialogKey(*event)) {
        // The form's button may close or delete the form: the edit's own
        // handlers then have nothing left to act on.
        const QPointer<TCustomComboEdit> self(this);
        PassToForm(*event);
        if (self && isVisible())
            QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool TCustomComboEdit::IsDialogKey(const QKeyEvent &event)
{
    const bool plain = event.modifiers() == Qt::NoModifier ||
                       (event.modifiers() == Qt::KeypadModifier && event.key() == Qt::Key_Enter);
    return plain && (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter || event.key() == Qt::Key_Escape);
}

// The form's default or cancel button acts on the key before the edit's
// own handlers run. A handler may show a box that takes the focus: the
// form has decided by then, as it saw the edit focused.
void TCustomComboEdit::PassToForm(const QKeyEvent &event)
{
    if (QWidget *form = parentWidget()) {
        QKeyEvent dialogKey(event.type(), event.key(), event.modifiers(), event.text());
        QCoreApplication::sendEvent(form, &dialogKey);
    }
}

void TCustomComboEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    PlaceButton();
}

void TCustomComboEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        FButton->setEnabled(isEnabled());
    else if (event->type() == QEvent::FontChange)
        KeepTextHeight();
}

// Never lower than its text (the smaller of the application's and the
// edit's font) with the border: a smaller height snaps back at once.
void TCustomComboEdit::KeepTextHeight()
{
    const int textHeight = std::min(QFontMetrics(QApplication::font()).height(), fontMetrics().height());
    setMinimumHeight(textHeight + MinimumHeightFrame);
}

// The button inside the edit's frame at its right edge; the text stops short
// of it.
void TCustomComboEdit::PlaceButton()
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    // Asked before the edit is shown, the button's own visibility would
    // still say hidden.
    const bool shown = FButtonWidth >= 2;
    FButton->setVisible(shown);
    FButton->setGeometry(width() - FButtonWidth - frame, frame, FButtonWidth, height() - 2 * frame);
    setTextMargins(0, 0, shown ? FButtonWidth : 0, 0);
}
