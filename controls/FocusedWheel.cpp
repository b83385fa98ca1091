#include "FocusedWheel.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QScrollBar>

namespace {

class TUnfocusedWheelFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel || static_cast<QWidget *>(watched)->hasFocus())
            return false;
        // Left unaccepted, the wheel travels on to the parents: the panel's
        // scroll area scrolls.
        event->ignore();
        return true;
    }
};

bool EditsByWheel(const QWidget &widget)
{
    return qobject_cast<const QComboBox *>(&widget) || qobject_cast<const QAbstractSpinBox *>(&widget) ||
           (qobject_cast<const QAbstractSlider *>(&widget) && !qobject_cast<const QScrollBar *>(&widget));
}

void Guard(QWidget &control, TUnfocusedWheelFilter &filter)
{
    if (control.focusPolicy() == Qt::WheelFocus)
        control.setFocusPolicy(Qt::StrongFocus);
    control.installEventFilter(&filter);
}

}  // namespace

void WheelEditsOnlyFocused(QWidget &root)
{
    auto *filter = new TUnfocusedWheelFilter(&root);
    if (EditsByWheel(root))
        Guard(root, *filter);
    for (QWidget *child : root.findChildren<QWidget *>())
        if (EditsByWheel(*child))
            Guard(*child, *filter);
}
