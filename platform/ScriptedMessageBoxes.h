// Message boxes answered from a script, for tests of every folder. While an
// object lives it is the service in use; it records every box asked for.
#pragma once

#include "MessageBoxes.h"

#include <deque>
#include <vector>

struct TShownMessageBox {
    std::string Text;  // the message's bytes
    TDisplayText Message;
    std::string Title;
    TMsgButtons Buttons;
    TMsgIcon Icon;
};

class TScriptedMessageBoxes : public IMessageBoxes {
public:
    TScriptedMessageBoxes();
    ~TScriptedMessageBoxes() override;
    TScriptedMessageBoxes(const TScriptedMessageBoxes &) = delete;
    TScriptedMessageBoxes &operator=(const TScriptedMessageBoxes &) = delete;

    // Queues the button pressed for the next box.
    void Answer(int buttonId);

    // Records the box and returns the next queued answer; a box nobody
    // expected throws an Exception naming its text.
    int Show(const TDisplayText &text, const std::string &title, TMsgButtons buttons,
             TMsgIcon icon) override;

    const std::vector<TShownMessageBox> &Shown() const { return FShown; }

private:
    IMessageBoxes *FPrevious;
    std::deque<int> FAnswers;
    std::vector<TShownMessageBox> FShown;
};
