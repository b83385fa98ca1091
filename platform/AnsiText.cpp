#include "AnsiText.h"

std::string_view TrimBlanksView(std::string_view text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlankChar(text[first]))
        ++first;
    while (last > first && IsBlankChar(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::string TrimBlanks(const std::string &text) { return std::string(TrimBlanksView(text)); }

std::string AsciiLower(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}
