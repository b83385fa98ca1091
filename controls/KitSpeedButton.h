// A push button with a glyph of up to five state images and an optional
// caption: flat with hover highlighting, grouped into buttons of which one
// stays down, with an optional drop-down menu and its mark, and an
// auto-repeat that clicks while the button is held. Entering and leaving
// follow the kit's pointer rule (PointerTracking.h).
#pragma once

#include "ButtonGlyph.h"
#include "PointerTracking.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum TKitDropDownMenuPos { dmpBottom, dmpRight };

class TKitSpeedButton : public QWidget {
    Q_OBJECT
public:
    explicit TKitSpeedButton(QWidget *parent = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    TAlignment Alignment() const { return FGlyph.Alignment(); }
    void SetAlignment(TAlignment alignment);
    // A grouped button that is down may be raised by a click.
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool allow);
    // Clicks again and again while held: after InitPause, then every
    // RepeatInterval milliseconds.
    bool AllowTimer() const { return FAllowTimer; }
    void SetAllowTimer(bool allow);
    // 0: not grouped. Of the buttons of one group under one parent at most
    // one is down.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index);
    bool Down() const { return FDown; }
    void SetDown(bool down);
    QMenu *DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(QMenu *menu);
    TKitDropDownMenuPos MenuPosition() const { return FMenuPosition; }
    void SetMenuPosition(TKitDropDownMenuPos position) { FMenuPosition = position; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);
    const QImage &Glyph() const { return FGlyph.Glyph(); }
    void SetGlyph(const QImage &glyph) { FGlyph.SetGlyph(glyph); }
    int NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(int count) { FGlyph.SetNumGlyphs(count); }
    // A flat button shows its grey image until the pointer is over it.
    bool GrayedInactive() const { return FGrayedInactive; }
    void SetGrayedInactive(bool grayed);
    int InitPause() const { return FInitPause; }
    void SetInitPause(int milliseconds) { FInitPause = milliseconds; }
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int milliseconds) { FRepeatInterval = milliseconds; }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return FMargin; }
    void SetMargin(int margin);
    bool MarkDropDown() const { return FMarkDropDown; }
    void SetMarkDropDown(bool mark);
    // Ends the button's dialog with this result on a click (0: nothing).
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int spacing);
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle style);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    bool WordWrap() const { return FGlyph.WordWrap(); }
    void SetWordWrap(bool wrap);

    TButtonState DrawState() const { return FDrawState; }
    bool MouseInControl() const { return FTracking.MouseInControl(); }
    TKitButtonGlyph &ButtonGlyph() { return FGlyph; }

    // Ends the dialog with ModalResult when set, then raises clicked.
    virtual void Click();

    QSize sizeHint() const override { return {25, 25}; }

signals:
    void clicked();
    void doubleClicked();
    void MouseEnter();
    void MouseLeave();

protected:
    virtual void DoMouseEnter() { emit MouseEnter(); }
    virtual void DoMouseLeave() { emit MouseLeave(); }
    // Lays out and draws glyph, caption and mark in the state's look.
    virtual void DrawGlyphAndText(QPainter &painter, const QRect &rect, bool showMark, int state);

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    bool Inside(const QPoint &point) const;
    bool NewStyle() const { return FStyle != bsWin31; }
    void PointerChanged(bool entered);
    void FinishPress(const QPoint &point);
    void PopUpMenu();
    QPoint MenuPoint() const;
    void RepeatTimerFired();
    void SetDrawState(TButtonState state);
    // The group's other buttons hear that this one went down.
    void NotifyGroup();
    void GroupButtonPressed(TKitSpeedButton &sender);
    void UpdateAccelerator();

    QString FCaption;
    TKitButtonGlyph FGlyph;
    TPointerTracking FTracking;
    TButtonState FDrawState = bsUp;
    bool FAllowAllUp = false;
    bool FAllowTimer = false;
    int FGroupIndex = 0;
    bool FDown = false;
    QPointer<QMenu> FDropDownMenu;
    TKitDropDownMenuPos FMenuPosition = dmpBottom;
    bool FFlat = false;
    bool FGrayedInactive = true;
    int FInitPause = 500;
    int FRepeatInterval = 100;
    TButtonLayout FLayout = blGlyphTop;
    int FMargin = -1;
    bool FMarkDropDown = true;
    int FModalResult = 0;
    int FSpacing = 1;
    TButtonStyle FStyle = bsAutoDetect;
    bool FTransparent = false;
    bool FMenuTracking = false;
    QTimer FRepeatTimer;
    int FShortcutId = 0;
};
