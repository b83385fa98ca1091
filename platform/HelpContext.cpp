#include "HelpContext.h"

#include <QWidget>

void SetHelpContext(QObject &object, int context)
{
    object.setProperty(HelpContextProperty, context);
}

int HelpContextOf(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const int context = widget->property(HelpContextProperty).toInt();
        if (context > 0)
            return context;
    }
    return 0;
}
