// The service that shows message boxes. Code of any folder asks it a question
// and gets the identifier of the button pressed; the GUI answers through
// modal dialogs, tests through scripted answers. The header needs no widgets,
// so the engine may use it.
#pragma once

#include "DisplayText.h"

#include <string>

// Identifiers of the buttons, as callers compare them.
constexpr int idOK = 1;
constexpr int idCancel = 2;
constexpr int idYes = 6;
constexpr int idNo = 7;

enum class TMsgButtons { OK, YesNo, YesNoCancel };

enum class TMsgIcon { Information, Question, Error };

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Shows a modal box; the title is 8-bit program text, and both are
    // shown as plain text. Returns idOK, idCancel, idYes or idNo.
    virtual int Show(const TDisplayText &text, const std::string &title, TMsgButtons buttons,
                     TMsgIcon icon) = 0;
};

// The service in use: the one installed last, else the dialog service.
IMessageBoxes &MessageBoxes();

// Installs a service (nullptr goes back to the dialog service) and returns the
// one it replaces, so that a caller can put it back.
IMessageBoxes *SetMessageBoxes(IMessageBoxes *service);
