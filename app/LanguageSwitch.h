// Changing the interface language while the program runs: the language
// table takes the new file (an empty name means the built-in texts) and
// every open form and the frames inside it are translated again. With the
// built-in texts every control shows the text it was built with.
#pragma once

#include <string>

void SwitchLanguage(const std::string &langFile);

// Translates the program's open forms, each with its frames, in a fixed
// order, with the language table as it is.
void TranslateOpenForms();
