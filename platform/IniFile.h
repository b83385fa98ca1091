// A small INI file of our own: "[Section]" headers, "Key=Value" lines and
// ";" comments; CR LF, LF and CR alone each end a line. The file's text is
// kept as it is, so writing a key changes only that key's line and leaves
// everything else (comments, unknown keys, blank lines, line breaks) as the
// user left it. New lines take the file's first kind of line break.
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
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A value an INI file cannot hold, or a failed write of the file; the
// message names the file.
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
    // or absurdly large file gives an empty document, and so does what is
    // no regular file (a FIFO, a device, a folder), without waiting on it.
    explicit TIniFile(std::string fileName);

    const std::string &FileName() const { return FFileName; }
    // Why a regular file of that name could not be read: the system's
    // reason; empty when it was read, is missing, is no regular file or is
    // absurdly large.
    const std::string &ReadFailure() const { return FReadFailure; }

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
    // the old file as it was. Throws EIniFileException with the save error
    // (the file's name and the system's reason) when it cannot be written.
    void UpdateFile() const;

private:
    // Between the file's text and the code page.
    std::string Decode(std::string_view stored) const;
    std::string Encode(const std::string &text) const;
    // The key's value as the file holds it, if the key is there.
    std::optional<std::string> StoredValue(const std::string &section, const std::string &key) const;
    void WriteStored(const std::string &section, const std::string &key, const std::string &value);
    // Puts a line and a line break at the offset: the start of a line or the
    // end of the text.
    void InsertLine(size_t offset, const std::string &line);

    std::string FFileName;
    std::string FReadFailure;
    // The document as the file holds it, line breaks and all. It is scanned
    // for every look-up, so a line costs no more than its own bytes.
    std::string FText;
    bool FUtf8 = false;
    std::string FLineBreak = "\n";
};
