// The built-in English texts of the language table and where a language file
// may replace them.
#pragma once

#include "MessageBoxes.h"

#include <cstdint>

// The section of the language file that holds interface strings, titles and
// message texts.
constexpr char InterfaceSection[] = "Interface";
// The main window's section; its caption key also gives interface string 1.
constexpr char MainFormSection[] = "MainF";

struct TInterfaceText {
    int Code;
    const char *Section;
    int32_t Key;
    const char *Text;
};

struct TMessageText {
    int Code;
    int32_t Key;  // in the "Interface" section
    const char *Text;
    TMsgButtons Buttons;
    TMsgIcon Icon;
    int32_t TitleKey;
    const char *Title;
};

// The interface string of the code, or nullptr for a code without one.
const TInterfaceText *FindInterfaceText(int code);

// The message box of the code, or nullptr for a code without one.
const TMessageText *FindMessageText(int code);
