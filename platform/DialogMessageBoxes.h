// Message boxes as modal Qt dialogs over the active window.
#pragma once

#include "MessageBoxes.h"

class TDialogMessageBoxes : public IMessageBoxes {
public:
    // On the offscreen platform nobody could ever answer a modal box, so
    // showing one there throws an Exception naming the text instead of
    // waiting for ever.
    int Show(const std::string &text, const std::string &title, TMsgButtons buttons,
             TMsgIcon icon) override;
};
