#include "WindowHelpers.h"

#include <QEvent>
#include <QGuiApplication>

bool IsActiveWindowOfThread()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) &&
           QGuiApplication::focusWindow() != nullptr;
}

void RemovePendingMessage(QObject *window, int eventType)
{
    // A quit request taken out would have to be posted again at once, so it
    // is left where it is.
    if (eventType == QEvent::Quit)
        return;
    QCoreApplication::removePostedEvents(window, eventType);
}
