// Message boxes as modal Qt dialogs over the active window.
#pragma once

#include "MessageBoxes.h"

#include <memory>

class QMessageBox;

class TDialogMessageBoxes : public IMessageBoxes {
public:
    // On the offscreen platform nobody could ever answer a modal box, so
    // showing one there throws an Exception naming the text instead of
    // waiting for ever.
    int Show(const TDisplayText &text, const std::string &title, TMsgButtons buttons,
             TMsgIcon icon) override;

    // The dialog that Show runs: plain text, the buttons and icon asked for,
    // Yes or OK as the default button.
    static std::unique_ptr<QMessageBox> MakeBox(const TDisplayText &text, const std::string &title,
                                                TMsgButtons buttons, TMsgIcon icon);
    // The identifier of the standard button the dialog ended with; a box
    // closed some other way counts as Cancel, which no caller takes for
    // consent.
    static int ButtonId(int pressed);
};
