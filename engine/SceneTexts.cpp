#include "SceneTexts.h"

#include "LangSupU.h"

std::string DefaultButtonName() { return Lang->GetInterfaceString(0); }

std::string DefaultCaption() { return Lang->GetInterfaceString(3); }
