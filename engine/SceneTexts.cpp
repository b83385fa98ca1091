#include "SceneTexts.h"

std::string DefaultButtonName()
{
    return "Menu";
}

std::string DefaultCaption()
{
    return "No text";
}
