// The language-table texts that new buttons and their states start with.
#pragma once

#include <string>

// Interface string 0: the name of a new button and of its states ("Menu").
std::string DefaultButtonName();

// Interface string 3: the caption and alternative text of a new button
// ("No text").
std::string DefaultCaption();
