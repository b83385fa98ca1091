#include "ProjTexts.h"

std::string DisplayName() { return "Bright Lane"; }

std::string NoNameText() { return "No name"; }

std::string StateName(int state)
{
    static const char *const names[] = {"Normal", "Selected", "Pushed"};
    return state >= 0 && state < 3 ? names[state] : std::string();
}

bool AskChangeAllCaptions() { return false; }
