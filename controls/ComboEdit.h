// A one-line edit with a small button at its right edge, and that button.
// The button (or the click key, Alt+Down) runs the edit's button action;
// a read-only edit ignores it unless AlwaysEnableButton is set.
// Enter and Esc press the form's default or cancel button before the edit's
// own handlers see them, which they do only while the edit is still shown.
#pragma once

#include "KitSpeedButton.h"

#include <QKeySequence>
#include <QLineEdit>

// The picture the button shows: one given by the form, the edit's own, a
// drop-down arrow, or three dots.
enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };

// The speed button inside the edit: a face colour line and a highlight line
// at its left edge while it is up, and a press gives the edit the focus.
class TEditButton : public TKitSpeedButton {
    Q_OBJECT
public:
    using TKitSpeedButton::TKitSpeedButton;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};

class TCustomComboEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCustomComboEdit(QWidget *parent = nullptr);

    TEditButton &Button() { return *FButton; }
    QKeySequence ClickKey() const { return FClickKey; }
    void SetClickKey(const QKeySequence &key) { FClickKey = key; }
    // The edit's own read-only state; the text can be typed only while it
    // is off and DirectInput is on.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);
    bool DirectInput() const { return FDirectInput; }
    void SetDirectInput(bool direct);
    // The button works even while the edit is read-only.
    bool AlwaysEnableButton() const { return FAlwaysEnableButton; }
    void SetAlwaysEnableButton(bool always) { FAlwaysEnableButton = always; }
    TGlyphKind GlyphKind() const { return FGlyphKind; }
    void SetGlyphKind(TGlyphKind kind);
    // Below 2 the button is hidden.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int width);
    // A picture of the form's own makes the kind gkCustom.
    void SetGlyph(const QImage &glyph);
    void SetButtonHint(const QString &hint) { FButton->setToolTip(hint); }

    // A button click or the click key: does nothing on a read-only edit
    // unless AlwaysEnableButton, else runs the button action.
    void EditButtonClick();

signals:
    // Raised first by every button action.
    void buttonClicked();

protected:
    // The edit's own picture for gkDefault and how many glyphs it holds.
    virtual QImage DefaultGlyph() const { return {}; }
    // The button action.
    virtual void ButtonClick() { emit buttonClicked(); }

    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Gives the button the picture of the kind.
    void RebuildGlyph();

private:
    // Enter and Esc: they go to the form first (its default or cancel
    // button), then to the edit's handlers, and no further.
    static bool IsDialogKey(const QKeyEvent &event);
    void PassToForm(const QKeyEvent &event);
    void KeepTextHeight();
    void PlaceButton();
    void ApplyReadOnly();

    TEditButton *FButton;
    QKeySequence FClickKey{Qt::ALT | Qt::Key_Down};
    bool FReadOnly = false;
    bool FDirectInput = true;
    bool FAlwaysEnableButton = false;
    TGlyphKind FGlyphKind = gkCustom;
    int FButtonWidth = 21;
};
