#include "KitSpeedButton.h"

#include "Accelerator.h"
#include "AssignChanged.h"
#include "GuardedCall.h"
#include "ParentBackground.h"
#include "WindowHelpers.h"

#include <QDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

TKitSpeedButton::TKitSpeedButton(QWidget *parent)
    : QWidget(parent), FTracking(*this, [this](bool entered) { PointerChanged(entered); })
{
    resize(25, 25);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FGlyph.OnChange = [this] { update(); };
    FRepeatTimer.setSingleShot(false);
    connect(&FRepeatTimer, &QTimer::timeout, this, &TKitSpeedButton::RepeatTimerFired);
}

void TKitSpeedButton::SetCaption(const QString &caption)
{
    if (!AssignChanged(FCaption, caption))
        return;
    UpdateAccelerator();
    update();
}

void TKitSpeedButton::SetAlignment(TAlignment alignment)
{
    if (FGlyph.Alignment() == alignment)
        return;
    FGlyph.SetAlignment(alignment);
    update();
}

void TKitSpeedButton::SetAllowAllUp(bool allow)
{
    if (AssignChanged(FAllowAllUp, allow))
        NotifyGroup();
}

void TKitSpeedButton::SetAllowTimer(bool allow)
{
    FAllowTimer = allow;
    if (!allow)
        FRepeatTimer.stop();
}

void TKitSpeedButton::SetGroupIndex(int index)
{
    if (AssignChanged(FGroupIndex, index))
        NotifyGroup();
}

void TKitSpeedButton::SetDown(bool down)
{
    // Only a grouped button stays down, and only AllowAllUp raises it.
    if (FGroupIndex == 0)
        down = false;
    if (down == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = down;
    SetDrawState(down ? bsExclusive : bsUp);
    if (down)
        NotifyGroup();
}

void TKitSpeedButton::SetDropDownMenu(QMenu *menu)
{
    FDropDownMenu = menu;
    if (menu)
        menu->setAttribute(Qt::WA_NoMouseReplay);
    if (FMarkDropDown)
        update();
}

void TKitSpeedButton::SetFlat(bool flat)
{
    if (AssignChanged(FFlat, flat))
        update();
}

void TKitSpeedButton::SetGrayedInactive(bool grayed)
{
    if (AssignChanged(FGrayedInactive, grayed))
        update();
}

void TKitSpeedButton::SetLayout(TButtonLayout layout)
{
    if (AssignChanged(FLayout, layout))
        update();
}

void TKitSpeedButton::SetMargin(int margin)
{
    if (margin >= -1 && AssignChanged(FMargin, margin))
        update();
}

void TKitSpeedButton::SetMarkDropDown(bool mark)
{
    if (AssignChanged(FMarkDropDown, mark))
        update();
}

void TKitSpeedButton::SetSpacing(int spacing)
{
    if (AssignChanged(FSpacing, spacing))
        update();
}

void TKitSpeedButton::SetStyle(TButtonStyle style)
{
    if (AssignChanged(FStyle, style))
        update();
}

void TKitSpeedButton::SetTransparent(bool transparent)
{
    if (!AssignChanged(FTransparent, transparent))
        return;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TKitSpeedButton::SetWordWrap(bool wrap)
{
    if (FGlyph.WordWrap() == wrap)
        return;
    FGlyph.SetWordWrap(wrap);
    update();
}

void TKitSpeedButton::SetDrawState(TButtonState state)
{
    if (AssignChanged(FDrawState, state))
        update();
}

void TKitSpeedButton::Click()
{
    if (FModalResult != 0)
        if (auto *dialog = qobject_cast<QDialog *>(window()))
            dialog->done(FModalResult);
    emit clicked();
}

void TKitSpeedButton::DrawGlyphAndText(QPainter &painter, const QRect &rect, bool showMark, int state)
{
    const TFaceContent content{FCaption, FLayout, FMargin, FSpacing, showMark};
    FGlyph.Draw(painter, rect, content, state);
}

void TKitSpeedButton::paintEvent(QPaintEvent *)
{
    if (!isEnabled()) {
        FDrawState = bsDisabled;
        FTracking.SetDragging(false);
    } else if (FDrawState == bsDisabled) {
        FDrawState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    const bool inactive = FFlat && !MouseInControl();
    const TButtonState paintState = inactive ? bsInactive : FDrawState;

    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(QColor::fromRgb(ColorToQRgb(clBtnText)));
    const QColor face = QColor::fromRgb(ColorToQRgb(clBtnFace));
    painter.fillRect(rect(), face);
    if (FTransparent)
        PaintParentBackground(this, painter);

    const bool pressed = FDrawState == bsDown || FDrawState == bsExclusive;
    QRect inner = rect();
    if (paintState != bsInactive || FDrawState == bsExclusive)
        inner = PaintButtonBorder(painter, inner, pressed, NewStyle(), FFlat);
    else
        inner.adjust(2, 2, -2, -2);
    if (FDrawState == bsExclusive && !FTransparent && (!FFlat || paintState == bsInactive)) {
        // The checkered face of a button that stays down.
        painter.fillRect(inner.adjusted(-1, -1, 1, 1), face);
        painter.fillRect(inner.adjusted(-1, -1, 1, 1),
                         QBrush(QColor::fromRgb(ColorToQRgb(clBtnHighlight)), Qt::Dense4Pattern));
    }
    if (pressed)
        inner.translate(1, 1);
    const int imageState = FDrawState == bsDisabled || !FGrayedInactive ? FDrawState : paintState;
    DrawGlyphAndText(painter, inner, FMarkDropDown && FDropDownMenu, imageState);
}

bool TKitSpeedButton::Inside(const QPoint &point) const
{
    return point.x() >= 0 && point.x() < width() && point.y() >= 0 && point.y() <= height();
}

void TKitSpeedButton::mousePressEvent(QMouseEvent *event)
{
    if (FMenuTracking)
        return;
    QWidget::mousePressEvent(event);
    FTracking.Pressed();
    if (event->button() != Qt::LeftButton) {
        FTracking.Update();
        return;
    }
    if (!isEnabled())
        return;
    if (!FDown)
        SetDrawState(bsDown);
    FTracking.SetDragging(true);
    if (FDropDownMenu) {
        FMenuTracking = true;
        PopUpMenu();
        FinishPress(event->position().toPoint());
        // The click that closed the menu must not press the button again.
        RemovePendingMessage(this, QEvent::MouseButtonPress);
        RemovePendingMessage(this, QEvent::MouseButtonDblClick);
        FMenuTracking = false;
    }
    if (FAllowTimer) {
        FRepeatTimer.setInterval(FInitPause);
        FRepeatTimer.start();
    }
}

void TKitSpeedButton::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    if (!FTracking.Dragging())
        return;
    SetDrawState(FDown ? bsExclusive : Inside(event->position().toPoint()) ? bsDown : bsUp);
}

void TKitSpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        FinishPress(event->position().toPoint());
    else
        FTracking.Update();
    FRepeatTimer.stop();
}

void TKitSpeedButton::FinishPress(const QPoint &point)
{
    if (!FTracking.Dragging())
        return;
    FTracking.SetDragging(false);
    const bool click = Inside(point);
    if (FGroupIndex == 0) {
        SetDrawState(bsUp);
    } else {
        if (click)
            SetDown(!FDown);
        SetDrawState(FDown ? bsExclusive : bsUp);
    }
    if (click && !FMenuTracking)
        Click();
    FTracking.Update();
}

void TKitSpeedButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (FMenuTracking)
        return;
    QWidget::mouseDoubleClickEvent(event);
    if (FDown)
        emit doubleClicked();
}

void TKitSpeedButton::PopUpMenu()
{
    FDropDownMenu->exec(mapToGlobal(MenuPoint()));
}

QPoint TKitSpeedButton::MenuPoint() const
{
    return FMenuPosition == dmpBottom ? QPoint(-1, height()) : QPoint(width(), -1);
}

void TKitSpeedButton::RepeatTimerFired()
{
    FRepeatTimer.setInterval(FRepeatInterval);
    if (FDrawState == bsDown && FTracking.Dragging())
        Guarded([this] {
            try {
                Click();
            } catch (...) {
                FRepeatTimer.stop();
                throw;
            }
        });
}

void TKitSpeedButton::PointerChanged(bool entered)
{
    if (FFlat)
        update();
    entered ? DoMouseEnter() : DoMouseLeave();
}

void TKitSpeedButton::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    FTracking.Entered();
}

void TKitSpeedButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    FTracking.Left();
}

void TKitSpeedButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        FTracking.Update();
        update();
    } else if (event->type() == QEvent::PaletteChange) {
        FGlyph.ReleaseStateImages();
    }
}

void TKitSpeedButton::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FTracking.Update();
}

bool TKitSpeedButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent *>(event)->shortcutId() == FShortcutId) {
        if (isEnabled())
            Click();
        return true;
    }
    if (event->type() == QEvent::ApplicationPaletteChange)
        FGlyph.ReleaseStateImages();
    return QWidget::event(event);
}

void TKitSpeedButton::UpdateAccelerator()
{
    FShortcutId = RegrabAccelerator(*this, FShortcutId, FCaption, true);
}

void TKitSpeedButton::NotifyGroup()
{
    if (FGroupIndex == 0 || !parentWidget())
        return;
    for (TKitSpeedButton *other : parentWidget()->findChildren<TKitSpeedButton *>(Qt::FindDirectChildrenOnly))
        if (other != this && other->FGroupIndex == FGroupIndex)
            other->GroupButtonPressed(*this);
}

void TKitSpeedButton::GroupButtonPressed(TKitSpeedButton &sender)
{
    if (sender.FDown && FDown) {
        FDown = false;
        SetDrawState(bsUp);
    }
    FAllowAllUp = sender.FAllowAllUp;
}
