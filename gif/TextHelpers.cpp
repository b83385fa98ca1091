#include "TextHelpers.h"

#include "AnsiText.h"
#include "Codepage.h"

#include <QFontMetrics>
#include <vector>

std::string ShortenText(const std::string &text, const TTextWidth &textWidth, int32_t maxWidth)
{
    if (textWidth(text) <= maxWidth)
        return text;
    const std::string ellipsis = "...";
    for (int64_t keep = static_cast<int64_t>(text.size()) - 2; keep > 0; --keep) {
        std::string candidate = text.substr(0, static_cast<size_t>(keep)) + ellipsis;
        if (textWidth(candidate) <= maxWidth)
            return candidate;
    }
    return ellipsis;
}

std::string ShortenText(const std::string &text, const QFontMetrics &metrics, int32_t maxWidth)
{
    return ShortenText(
        text, [&metrics](const std::string &s) { return metrics.horizontalAdvance(FromAnsi(s)); },
        maxWidth);
}

namespace {

// Reads the token that starts at pos (after blanks and empty quote pairs) and
// leaves pos behind it.
std::string NextToken(const std::string &line, size_t &pos)
{
    for (;;) {
        while (pos < line.size() && line[pos] != '\0' && IsBlankChar(line[pos]))
            ++pos;
        if (line.compare(pos, 2, "\"\"") != 0)
            break;
        pos += 2;
    }
    std::string token;
    while (pos < line.size() && !IsBlankChar(line[pos])) {
        if (line[pos] == '"') {
            ++pos;
            while (pos < line.size() && line[pos] != '"' && line[pos] != '\0')
                token += line[pos++];
            if (pos < line.size() && line[pos] == '"')
                ++pos;
        } else {
            token += line[pos++];
        }
    }
    return token;
}

}  // namespace

void SplitCommandLine(const std::string &cmdLine, std::string &exeName, std::string &params)
{
    exeName.clear();
    params.clear();
    // The line ends at its first zero byte, as a zero-terminated copy would.
    const std::string line = cmdLine.substr(0, cmdLine.find('\0'));
    std::vector<std::string> tokens;
    size_t pos = 0;
    for (std::string token = NextToken(line, pos); !token.empty(); token = NextToken(line, pos))
        tokens.push_back(token);
    if (tokens.empty())
        return;
    exeName = tokens.front();
    for (size_t i = 1; i < tokens.size(); ++i) {
        if (i > 1)
            params += ' ';
        const bool quote = tokens[i].find(' ') != std::string::npos;
        params += quote ? '"' + tokens[i] + '"' : tokens[i];
    }
}
