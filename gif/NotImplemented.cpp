#include "NotImplemented.h"

#include "Codepage.h"
#include "Exceptions.h"
#include "MessageBoxes.h"

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

void InstallNotImplementedBox()
{
    SetNotImplementedHook([](const std::string &message) {
        MessageBoxes().Show(message, ToAnsi(QCoreApplication::applicationName()), TMsgButtons::OK,
                            TMsgIcon::Information);
    });
}

void NotImplemented()
{
    RestoreDefaultCursor();
    if (Hook())
        Hook()("Function not yet implemented");
    throw EAbort();
}
