#include "NotImplemented.h"

#include "Exceptions.h"

#include <QGuiApplication>
#include <utility>

namespace {

TNotImplementedHook &Hook()
{
    static TNotImplementedHook hook;
    return hook;
}

void RestoreDefaultCursor()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

}  // namespace

TNotImplementedHook SetNotImplementedHook(TNotImplementedHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

void NotImplemented()
{
    RestoreDefaultCursor();
    if (Hook())
        Hook()("Function not yet implemented");
    throw EAbort();
}
