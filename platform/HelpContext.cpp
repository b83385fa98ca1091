#include "HelpContext.h"

#include <QWidget>

void SetHelpContext(QObject &object, int context)
{
    object.setProperty(HelpContextProperty, context);
}

int OwnHelpContext(const QObject &object) { return object.property(HelpContextProperty).toInt(); }

int HelpContextOf(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const int context = OwnHelpContext(*widget);
        if (context > 0)
            return context;
    }
    return 0;
}
