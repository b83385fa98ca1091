#include "GuardedCall.h"

#include "Exceptions.h"
#include "MessageBoxes.h"

#include <exception>

namespace {
constexpr char ErrorTitle[] = "Bright Lane";
}  // namespace

void ShowError(const TDisplayText &text)
{
    // The error box itself may fail (no display for a modal box): the
    // handler must still return normally.
    try {
        MessageBoxes().Show(text, ErrorTitle, TMsgButtons::OK, TMsgIcon::Error);
    } catch (...) {
    }
}

void Guarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const EAbort &) {
    } catch (const std::bad_alloc &) {
        ShowError("Out of memory");
    } catch (const Exception &error) {
        ShowError(error.Text());
    } catch (const std::exception &error) {
        // Not the program's own text: a library's or the system's.
        ShowError(SystemText(error.what()));
    } catch (...) {
        ShowError("Unknown error");
    }
}
