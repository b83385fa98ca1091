// Every action and event handler that may raise runs through Guarded, so no
// exception ever crosses Qt's event loop: the error's text is shown in an
// error box, as the old platform's default handler did, and the program goes
// on. EAbort ends a command silently.
#pragma once

#include <functional>

void Guarded(const std::function<void()> &handler);
