// A text shown to the user. Most of it is the program's own text, 8-bit in
// its code page; the names of files and the reasons the system gives are the
// file system's bytes instead (UTF-8 text as a rule, or not text at all), so
// a message keeps them apart and each span is shown by its own encoding.
#pragma once

#include <string>
#include <vector>

struct TDisplaySpan {
    std::string Bytes;
    bool FromSystem;  // a file name or the system's text, not the program's
};

class TDisplayText {
public:
    TDisplayText() = default;
    // The program's own text.
    TDisplayText(std::string programText);
    TDisplayText(const char *programText);

    // The text as one string of bytes, the spans one after the other.
    std::string Bytes() const;
    bool Empty() const { return FSpans.empty(); }
    const std::vector<TDisplaySpan> &Spans() const { return FSpans; }

    TDisplayText &operator+=(const TDisplayText &more);
    TDisplayText &operator+=(TDisplaySpan span);

private:
    std::vector<TDisplaySpan> FSpans;
};

// A file's name as the file system holds it, or a reason the system gave.
TDisplayText SystemText(std::string bytes);

TDisplayText operator+(TDisplayText text, const TDisplayText &more);
