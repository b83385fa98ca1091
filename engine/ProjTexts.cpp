#include "ProjTexts.h"

#include "LangSupU.h"
#include "MessageBoxes.h"

std::string DisplayName() { return Lang->GetInterfaceString(1); }

std::string NoNameText() { return Lang->GetInterfaceString(2); }

std::string StateName(int state) { return Lang->GetInterfaceString(4 + state); }

bool AskChangeAllCaptions() { return Lang->ShowMessageBox(13) == idYes; }
