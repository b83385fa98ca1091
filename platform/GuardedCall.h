// Every action and event handler that may raise runs through Guarded, so no
// exception ever crosses Qt's event loop: the error's text is shown in an
// error box and the program goes on, with the window as usable as before the
// command. EAbort ends a command silently.
#pragma once

#include "DisplayText.h"

#include <functional>

void Guarded(const std::function<void()> &handler);

// The error box that Guarded shows, for a message that no exception raises.
void ShowError(const TDisplayText &text);
