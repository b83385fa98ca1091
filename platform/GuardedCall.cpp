#include "GuardedCall.h"

#include "Exceptions.h"
#include "MessageBoxes.h"

#include <exception>

namespace {
constexpr char ErrorTitle[] = "Bright Lane";

void ShowError(const std::string &text)
{
    // The error box itself may fail (no display for a modal box): the
    // handler must still return normally.
    try {
        MessageBoxes().Show(text, ErrorTitle, TMsgButtons::OK, TMsgIcon::Error);
    } catch (...) {
    }
}
}  // namespace

void Guarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const EAbort &) {
    } catch (const std::bad_alloc &) {
        ShowError("Out of memory");
    } catch (const std::exception &error) {
        ShowError(error.what());
    } catch (...) {
        ShowError("Unknown error");
    }
}
