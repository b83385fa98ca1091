// The stop for requests the program does not support: the user is told, then
// the operation ends with a silent abort.
#pragma once

#include <functional>
#include <string>

using TNotImplementedHook = std::function<void(const std::string &message)>;

// The GUI installs a hook that shows an information box; without one the
// message goes nowhere. Returns the previous hook.
TNotImplementedHook SetNotImplementedHook(TNotImplementedHook hook);

// Resets the cursor, shows "Function not yet implemented" through the hook and
// throws EAbort.
[[noreturn]] void NotImplemented();
