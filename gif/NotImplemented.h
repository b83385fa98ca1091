// The stop for requests the program does not support: the user is told, then
// the operation ends with a silent abort.
#pragma once

#include <functional>
#include <string>

using TNotImplementedHook = std::function<void(const std::string &message)>;

// The GUI installs a hook that shows an information box; without one the
// message goes nowhere. Returns the previous hook.
TNotImplementedHook SetNotImplementedHook(TNotImplementedHook hook);

// The program's hook: an information box with an OK button, titled with the
// application's name, through the message-box service. The main window
// installs it for its lifetime.
void InstallNotImplementedBox();

// Resets the cursor, shows "Function not yet implemented" through the hook and
// throws EAbort.
[[noreturn]] void NotImplemented();
