// The mouse wheel as X11 delivers it: to the window at the pointer, so that
// it reaches the control under the pointer and, left unaccepted there,
// travels on to the parents. (QTest has no wheel helper, and an event sent
// straight to a control never travels on.)
#pragma once

#include "QStringPrinter.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

// Turns the wheel by notches (positive: away from the user, up) with the
// pointer over the middle of the widget.
inline void TurnWheel(QWidget &under, int notches)
{
    QWidget &window = *under.window();
    const QPoint middle = under.rect().center();
    const QPoint pointer = under.mapTo(&window, middle);
    const QWidget *hit = window.childAt(pointer);
    EXPECT_TRUE(hit == &under || under.isAncestorOf(hit)) << under.objectName().toStdString() << " is under the pointer";
    QWheelEvent wheel(pointer, under.mapToGlobal(QPointF(middle)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    // Delivered as the window system delivers it: sendEvent would mark it
    // as coming from the program, and such an event never travels on.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(window.windowHandle(), &wheel);
}

// The enabled controls of root that the wheel could edit: combo boxes,
// sliders (scroll bars aside) and spin boxes.
inline std::vector<QWidget *> WheelEditedControls(QWidget &root)
{
    std::vector<QWidget *> controls;
    for (QWidget *w : root.findChildren<QWidget *>()) {
        const bool slider = qobject_cast<QAbstractSlider *>(w) && !qobject_cast<QScrollBar *>(w);
        if ((slider || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)) && w->isEnabled())
            controls.push_back(w);
    }
    return controls;
}

// What the control shows.
inline QString ShownValue(const QWidget &control)
{
    if (const auto *combo = qobject_cast<const QComboBox *>(&control))
        return QString::number(combo->currentIndex()) + QLatin1Char(' ') + combo->currentText();
    if (const auto *slider = qobject_cast<const QAbstractSlider *>(&control))
        return QString::number(slider->value());
    return static_cast<const QAbstractSpinBox &>(control).text();
}

inline QScrollArea *ScrollAreaOf(QWidget &control)
{
    for (QWidget *w = control.parentWidget(); w; w = w->parentWidget())
        if (auto *area = qobject_cast<QScrollArea *>(w))
            return area;
    return nullptr;
}

// Turns the wheel over each control of root that it could edit, with the
// focus elsewhere: the control keeps what it shows and stays unfocused, the
// scroll area it sits in moves, and unchanged checks what the control edits.
// Returns the names of the controls turned over.
inline QStringList CheckWheelPassesOver(QWidget &root, const std::function<void(const QString &name)> &unchanged)
{
    root.window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(root.window()));
    QStringList turned;
    for (QWidget *control : WheelEditedControls(root)) {
        if (!control->isVisible())
            continue;
        const QString name = control->objectName();
        QScrollArea *area = ScrollAreaOf(*control);
        if (area)
            area->ensureWidgetVisible(control);
        if (QWidget *focused = QApplication::focusWidget())
            focused->clearFocus();
        const QString shown = ShownValue(*control);
        QScrollBar *bar = area ? area->verticalScrollBar() : nullptr;
        const int scrolled = bar ? bar->value() : 0;
        // Towards the end of the page that has room left.
        TurnWheel(*control, bar && bar->value() > bar->minimum() ? 1 : -1);
        EXPECT_EQ(ShownValue(*control), shown) << name.toStdString();
        EXPECT_FALSE(control->hasFocus()) << name.toStdString();
        if (bar) {
            EXPECT_NE(bar->value(), scrolled) << name.toStdString() << ": the page scrolls";
        }
        unchanged(name);
        turned << name;
    }
    return turned;
}
