// Text helpers: shortening a caption with an ellipsis, splitting a command
// line into the program and its parameters.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class QFontMetrics;

// Width in pixels of an 8-bit text as some font draws it.
using TTextWidth = std::function<int32_t(const std::string &text)>;

// The text itself when it fits in maxWidth; else the longest of its first
// Length-2, Length-3, ... characters followed by "..." that fits; "..." when
// none does.
std::string ShortenText(const std::string &text, const TTextWidth &textWidth, int32_t maxWidth);
std::string ShortenText(const std::string &text, const QFontMetrics &metrics, int32_t maxWidth);

// Splits a command line into its first token (the program) and the rest,
// re-quoting every further token that holds a blank.
void SplitCommandLine(const std::string &cmdLine, std::string &exeName, std::string &params);
