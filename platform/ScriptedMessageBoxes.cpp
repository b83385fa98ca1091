#include "ScriptedMessageBoxes.h"

#include "Exceptions.h"

TScriptedMessageBoxes::TScriptedMessageBoxes() : FPrevious(SetMessageBoxes(this)) {}

TScriptedMessageBoxes::~TScriptedMessageBoxes()
{
    SetMessageBoxes(FPrevious);
}

void TScriptedMessageBoxes::Answer(int buttonId)
{
    FAnswers.push_back(buttonId);
}

int TScriptedMessageBoxes::Show(const TDisplayText &text, const std::string &title,
                                TMsgButtons buttons, TMsgIcon icon)
{
    FShown.push_back({text.Bytes(), text, title, buttons, icon});
    if (FAnswers.empty())
        throw Exception("Unexpected message box: " + text);
    const int answer = FAnswers.front();
    FAnswers.pop_front();
    return answer;
}
