#include "SceneTexts.h"

#include "LangSupU.h"

namespace {

std::string InterfaceString(int code)
{
    return Lang ? Lang->GetInterfaceString(code) : TLanguage().GetInterfaceString(code);
}

}  // namespace

std::string DefaultButtonName()
{
    return InterfaceString(0);
}

std::string DefaultCaption()
{
    return InterfaceString(3);
}
