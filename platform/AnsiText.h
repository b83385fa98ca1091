// Blanks and letter case of the program's 8-bit text, the same in every file
// that trims or compares it: settings and language files, command lines,
// file extensions and the pages' menu markers.
#pragma once

#include <string>
#include <string_view>

// A space or a control character (any byte up to 32).
inline bool IsBlankChar(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The text without its leading and trailing blanks.
std::string TrimBlanks(const std::string &text);
// The same as a view into the text, for scanning without copies.
std::string_view TrimBlanksView(std::string_view text);

// The text with A..Z made a..z; every other byte stays, whatever the locale.
std::string AsciiLower(std::string text);
