#include "DisplayText.h"

#include <utility>

TDisplayText::TDisplayText(std::string programText)
{
    *this += TDisplaySpan{std::move(programText), false};
}

TDisplayText::TDisplayText(const char *programText) : TDisplayText(std::string(programText)) {}

std::string TDisplayText::Bytes() const
{
    std::string bytes;
    for (const TDisplaySpan &span : FSpans)
        bytes += span.Bytes;
    return bytes;
}

TDisplayText &TDisplayText::operator+=(const TDisplayText &more)
{
    FSpans.insert(FSpans.end(), more.FSpans.begin(), more.FSpans.end());
    return *this;
}

TDisplayText &TDisplayText::operator+=(TDisplaySpan span)
{
    if (!span.Bytes.empty())
        FSpans.push_back(std::move(span));
    return *this;
}

TDisplayText SystemText(std::string bytes)
{
    TDisplayText text;
    return text += TDisplaySpan{std::move(bytes), true};
}

TDisplayText operator+(TDisplayText text, const TDisplayText &more)
{
    return text += more;
}
