// A small INI file of our own: "[Section]" headers, "Key=Value" lines and
// ";" comments. The file's lines are kept in their order, so writing a key
// changes only that key's line and leaves everything else (comments, unknown
// keys, blank lines) as the user left it.
//
// Text is read and written in the program's 8-bit code page. A file that
// starts with a UTF-8 byte-order mark holds UTF-8: its texts are converted
// when read and written, and the file stays UTF-8. Paths are the exception:
// they are file-system bytes and are kept as the file holds them, so a
// folder whose name the code page cannot spell is still found.
// Section and key names match exactly (case-sensitive, after trimming).
#pragma once

#include "Exceptions.h"

#include <cstdint>
#include <string>
#include <vector>

// A failed write of an INI file; the message names the file.
class EIniFileException : public Exception {
    using Exception::Exception;
};

// One "Key=Value" line with the section it stands in.
struct TIniEntry {
    std::string Section;
    std::string Key;
    std::string Value;
};

// Reads an integer as the settings and language files write it: an optional
// sign, then decimal digits, or hexadecimal digits after "$" or "0x".
// Hexadecimal may spell all 32 bits ($FFFFFFFF is -1). Returns false, leaving
// value alone, when the text is not such a number or does not fit in 32 bits.
bool ParseIniInteger(const std::string &text, int32_t &value);

class TIniFile {
public:
    // Reads the file when it exists and can be read; a missing, unreadable
    // or absurdly large file gives an empty document.
    explicit TIniFile(std::string fileName);

    const std::string &FileName() const { return FFileName; }

    // Every key line inside a section, in file order. Keys that occur twice
    // are listed twice.
    std::vector<TIniEntry> Entries() const;

    // The value of the first line of the key in the first section of that
    // name, trimmed; def when there is none.
    std::string ReadString(const std::string &section, const std::string &key,
                           const std::string &def) const;
    // The value as file-system bytes, unconverted; def when there is none.
    std::string ReadPath(const std::string &section, const std::string &key,
                         const std::string &def) const;
    // The key's value as an integer; def when it is missing or not a number.
    int32_t ReadInteger(const std::string &section, const std::string &key, int32_t def) const;
    // The key's value read as an integer, non-zero meaning true.
    bool ReadBool(const std::string &section, const std::string &key, bool def) const;

    // Sets the key's value in memory: its first line is rewritten, or a line
    // is added at the end of its section, or the section is added at the end
    // of the file. UpdateFile stores the change. A value holding a line break
    // cannot be stored and throws EIniFileException.
    void WriteString(const std::string &section, const std::string &key, const std::string &value);
    // Sets a path: its bytes go into the file unconverted.
    void WritePath(const std::string &section, const std::string &key, const std::string &path);
    void WriteInteger(const std::string &section, const std::string &key, int32_t value);
    // Booleans are written as "1" and "0".
    void WriteBool(const std::string &section, const std::string &key, bool value);

    // Writes the whole document to the file in one piece, so a failure leaves
    // the old file as it was. Throws EIniFileException "Unable to write to
    // <file name>" when the file cannot be written.
    void UpdateFile() const;

private:
    enum class TLineKind { Other, Section, Entry };

    struct TLine {
        TLineKind Kind = TLineKind::Other;
        std::string Text;   // the line as it stands in the file
        std::string Name;   // section name or key, in the code page
        std::string Value;  // an entry's trimmed value as the file holds it
    };

    // Between the file's text and the code page.
    std::string Decode(const std::string &stored) const;
    std::string Encode(const std::string &text) const;
    TLine ParseLine(const std::string &text) const;
    void WriteStored(const std::string &section, const std::string &key, const std::string &value);
    void Parse(const std::string &text);
    // Index of the entry line of the key, or -1.
    long FindEntry(const std::string &section, const std::string &key) const;
    // Index after the last non-blank line of the section, or -1 when the
    // file has no such section.
    long FindSectionEnd(const std::string &section) const;

    std::string FFileName;
    std::vector<TLine> FLines;
    bool FUtf8 = false;
    const char *FLineBreak = "\n";
};
