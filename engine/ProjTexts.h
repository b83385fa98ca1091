// The language-table texts and questions that the project operations use.
#pragma once

#include <string>

// Interface string 1: the program's display name ("Bright Lane").
std::string DisplayName();

// Interface string 2: the name of a new project ("No name").
std::string NoNameText();

// Interface strings 4, 5, 6: the names of the normal (0), over (1) and
// pressed (2) state.
std::string StateName(int state);

// Message 13: whether a renamed button's captions should follow its name.
bool AskChangeAllCaptions();
