#include "PointerTracking.h"

#include "WindowHelpers.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

TPointerTracking::TPointerTracking(QWidget &control, std::function<void(bool entered)> changed)
    : FControl(control), FChanged(std::move(changed))
{
}

void TPointerTracking::Entered()
{
    if (!FMouseInControl && FControl.isEnabled() && IsActiveWindowOfThread())
        Change(true);
}

void TPointerTracking::Left()
{
    if (FMouseInControl && FControl.isEnabled() && !FDragging)
        Change(false);
}

void TPointerTracking::Pressed()
{
    if (!FMouseInControl && FControl.isEnabled())
        Change(true);
}

void TPointerTracking::Update()
{
    const bool inside = FControl.isEnabled() && QApplication::widgetAt(QCursor::pos()) == &FControl &&
                        IsActiveWindowOfThread();
    if (inside != FMouseInControl)
        Change(inside);
}

void TPointerTracking::Change(bool inside)
{
    FMouseInControl = inside;
    FChanged(inside);
}
