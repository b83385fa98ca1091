#include "AnsiText.h"

std::string TrimBlanks(const std::string &text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlankChar(text[first]))
        ++first;
    while (last > first && IsBlankChar(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::string AsciiLower(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}
