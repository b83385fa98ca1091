#include "DisplayText.h"

#include <utility>

TDisplayText::TDisplayText(std::string programText)
{
    *this += TDisplayPart{std::move(programText), false};
}

TDisplayText::TDisplayText(const char *programText) : TDisplayText(std::string(programText)) {}

std::string TDisplayText::Bytes() const
{
    std::string bytes;
    for (const TDisplayPart &part : FParts)
        bytes += part.Bytes;
    return bytes;
}

TDisplayText &TDisplayText::operator+=(const TDisplayText &more)
{
    FParts.insert(FParts.end(), more.FParts.begin(), more.FParts.end());
    return *this;
}

TDisplayText &TDisplayText::operator+=(TDisplayPart part)
{
    if (!part.Bytes.empty())
        FParts.push_back(std::move(part));
    return *this;
}

TDisplayText SystemText(std::string bytes)
{
    TDisplayText text;
    return text += TDisplayPart{std::move(bytes), true};
}

TDisplayText operator+(TDisplayText text, const TDisplayText &more)
{
    return text += more;
}
