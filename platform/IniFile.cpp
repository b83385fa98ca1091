#include "IniFile.h"

#include "AnsiText.h"
#include "Codepage.h"
#include "FileSystem.h"
#include "Streams.h"

#include <QFile>
#include <optional>
#include <string_view>

namespace {

// Settings and language files are a few kilobytes; anything far larger is
// not one of ours and is treated as unreadable rather than held in memory.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

constexpr char Utf8Bom[] = "\xEF\xBB\xBF";
constexpr size_t Utf8BomSize = 3;

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the digits from pos to the end in the given base into magnitude;
// false when a character is no digit or the number exceeds limit.
bool ParseDigits(const std::string &text, size_t pos, int base, uint64_t limit, uint64_t &magnitude)
{
    if (pos >= text.size())
        return false;
    magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = HexDigit(text[pos]);
        if (digit < 0 || digit >= base)
            return false;
        magnitude = magnitude * uint64_t(base) + uint64_t(digit);
        if (magnitude > limit)
            return false;
    }
    return true;
}

bool StartsWith(const std::string &text, size_t pos, const char *prefix)
{
    return text.compare(pos, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Reads the whole file into bytes; false when it could not, with reason
// saying why, or empty for a file too large to be one of ours.
bool ReadFileBytes(const std::string &fileName, std::string &bytes, std::string &reason)
{
    QFile file;
    if (!OpenFileToRead(file, fileName, reason) || file.size() > MaxFileSize)
        return false;
    // Reading no more than the size found keeps a file that grows meanwhile
    // from filling memory.
    const QByteArray data = file.read(file.size());
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString().toStdString();
        return false;
    }
    bytes.assign(data.constData(), size_t(data.size()));
    return true;
}

}  // namespace

bool ParseIniInteger(const std::string &text, int32_t &value)
{
    size_t pos = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        ++pos;

    uint64_t magnitude = 0;
    if (StartsWith(text, pos, "$") || StartsWith(text, pos, "0x") || StartsWith(text, pos, "0X")) {
        // Hexadecimal spells all 32 bits, so $FFFFFFFF is -1.
        if (!ParseDigits(text, pos + (text[pos] == '$' ? 1 : 2), 16, 0xFFFFFFFFu, magnitude))
            return false;
        const uint32_t bits = uint32_t(magnitude);
        value = int32_t(negative ? 0u - bits : bits);
        return true;
    }
    const uint64_t limit = negative ? 2147483648u : 2147483647u;
    if (!ParseDigits(text, pos, 10, limit, magnitude))
        return false;
    value = negative ? int32_t(-int64_t(magnitude)) : int32_t(magnitude);
    return true;
}

namespace {

enum class TLineKind { Other, Section, Entry };

// What a line holds: a section header with its name, an entry with its key
// and trimmed value, or anything else (blank, comment, no "="). The views
// point into the document's text, as the file holds it.
struct TParsedLine {
    TLineKind Kind = TLineKind::Other;
    std::string_view Name;
    std::string_view Value;
};

TParsedLine ParseLine(std::string_view text)
{
    const std::string_view trimmed = TrimBlanksView(text);
    if (trimmed.empty() || trimmed[0] == ';')
        return {};
    if (trimmed[0] == '[')
        return {TLineKind::Section, TrimBlanksView(trimmed.substr(1, trimmed.find(']') - 1)), {}};
    const size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return {};
    return {TLineKind::Entry, TrimBlanksView(trimmed.substr(0, equals)), TrimBlanksView(trimmed.substr(equals + 1))};
}

// Where a line of the text starts, where its content ends (before its line
// break) and where the next line starts.
struct TLineSpan {
    size_t Start;
    size_t End;
    size_t Next;
};

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

std::string_view LineText(const std::string &text, const TLineSpan &span)
{
    return std::string_view(text).substr(span.Start, span.End - span.Start);
}

// Calls visit(span, line, section) for every line that is not blank, in
// file order, where section points to the name of the section the line
// stands in (null before the first header); stops when visit returns false.
// CR LF, LF and CR alone each end a line.
template <typename Visit>
void ForEachLine(const std::string &text, Visit &&visit)
{
    std::string_view section;
    bool inSection = false;
    const size_t size = text.size();
    size_t start = 0;
    while (start < size) {
        // Blank lines are passed over in one sweep: line breaks are blanks too.
        size_t end = start;
        while (end < size && IsBlankChar(text[end]))
            if (IsLineBreak(text[end++]))
                start = end;
        if (end == size)
            return;
        while (end < size && !IsLineBreak(text[end]))
            ++end;
        size_t next = end;
        if (next < size)
            next += text[next] == '\r' && next + 1 < size && text[next + 1] == '\n' ? 2 : 1;
        const TLineSpan span{start, end, next};
        const TParsedLine line = ParseLine(LineText(text, span));
        if (line.Kind == TLineKind::Section) {
            section = line.Name;
            inSection = true;
        }
        if (!visit(span, line, inSection ? &section : nullptr))
            return;
        start = next;
    }
}

// The first line of the key inside a section of that name.
std::optional<TLineSpan> FindEntry(const std::string &text, std::string_view section, std::string_view key)
{
    std::optional<TLineSpan> found;
    ForEachLine(text, [&](const TLineSpan &span, const TParsedLine &line, const std::string_view *in) {
        if (line.Kind == TLineKind::Entry && in && *in == section && line.Name == key)
            found = span;
        return !found;
    });
    return found;
}

// Where a new line of the first section of that name goes: after its last
// non-blank line; none when the text has no such section.
std::optional<size_t> FindSectionEnd(const std::string &text, std::string_view section)
{
    std::optional<size_t> end;
    ForEachLine(text, [&](const TLineSpan &span, const TParsedLine &line, const std::string_view *) {
        if (line.Kind == TLineKind::Section) {
            if (end)
                return false;
            if (line.Name == section)
                end = span.Next;
        } else if (end) {
            end = span.Next;
        }
        return true;
    });
    return end;
}

// Whether the text's last line holds anything but blanks.
bool LastLineHasText(const std::string &text)
{
    size_t end = text.size();
    if (end > 0 && text[end - 1] == '\n')
        --end;
    if (end > 0 && text[end - 1] == '\r')
        --end;
    size_t start = end;
    while (start > 0 && !IsLineBreak(text[start - 1]))
        --start;
    return !TrimBlanksView(std::string_view(text).substr(start, end - start)).empty();
}

// The file's first line break, or LF when it has none.
std::string FirstLineBreak(const std::string &text)
{
    const size_t at = text.find_first_of("\r\n");
    if (at == std::string::npos)
        return "\n";
    return text.compare(at, 2, "\r\n") == 0 ? "\r\n" : text.substr(at, 1);
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : FFileName(std::move(fileName))
{
    std::string reason;
    if (!ReadFileBytes(FFileName, FText, reason)) {
        // A missing file and what is no file at all read as empty.
        if (IsFileAt(FFileName))
            FReadFailure = reason;
        return;
    }
    if (FText.compare(0, Utf8BomSize, Utf8Bom) == 0) {
        FUtf8 = true;
        FText.erase(0, Utf8BomSize);
    }
    FLineBreak = FirstLineBreak(FText);
}

std::string TIniFile::Decode(std::string_view stored) const
{
    return FUtf8 ? ToAnsi(QString::fromUtf8(stored.data(), qsizetype(stored.size()))) : std::string(stored);
}

std::string TIniFile::Encode(const std::string &text) const
{
    return FUtf8 ? FromAnsi(text).toUtf8().toStdString() : text;
}

std::vector<TIniEntry> TIniFile::Entries() const
{
    std::vector<TIniEntry> entries;
    ForEachLine(FText, [&](const TLineSpan &, const TParsedLine &line, const std::string_view *section) {
        if (line.Kind == TLineKind::Entry && section)
            entries.push_back({Decode(*section), Decode(line.Name), Decode(line.Value)});
        return true;
    });
    return entries;
}

std::optional<std::string> TIniFile::StoredValue(const std::string &section, const std::string &key) const
{
    const std::optional<TLineSpan> entry = FindEntry(FText, Encode(section), Encode(key));
    if (!entry)
        return std::nullopt;
    return std::string(ParseLine(LineText(FText, *entry)).Value);
}

std::string TIniFile::ReadString(const std::string &section, const std::string &key,
                                 const std::string &def) const
{
    const std::optional<std::string> stored = StoredValue(section, key);
    return stored ? Decode(*stored) : def;
}

std::string TIniFile::ReadPath(const std::string &section, const std::string &key,
                               const std::string &def) const
{
    return StoredValue(section, key).value_or(def);
}

int32_t TIniFile::ReadInteger(const std::string &section, const std::string &key, int32_t def) const
{
    int32_t value = def;
    return ParseIniInteger(ReadString(section, key, std::string()), value) ? value : def;
}

bool TIniFile::ReadBool(const std::string &section, const std::string &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string &section, const std::string &key,
                           const std::string &value)
{
    WriteStored(section, key, Encode(value));
}

void TIniFile::WritePath(const std::string &section, const std::string &key, const std::string &path)
{
    WriteStored(section, key, path);
}

void TIniFile::WriteStored(const std::string &section, const std::string &key, const std::string &value)
{
    // A line break would end the line early and smuggle further lines in.
    if (value.find_first_of("\r\n") != std::string::npos)
        throw EIniFileException("Unable to write to " + SystemText(FFileName));
    const std::string storedSection = Encode(section);
    const std::string line = Encode(key) + "=" + value;
    if (const std::optional<TLineSpan> entry = FindEntry(FText, storedSection, Encode(key))) {
        FText.replace(entry->Start, entry->End - entry->Start, line);
        return;
    }
    if (const std::optional<size_t> end = FindSectionEnd(FText, storedSection)) {
        InsertLine(*end, line);
        return;
    }
    if (LastLineHasText(FText))
        InsertLine(FText.size(), std::string());
    InsertLine(FText.size(), "[" + storedSection + "]");
    InsertLine(FText.size(), line);
}

void TIniFile::InsertLine(size_t offset, const std::string &line)
{
    // A last line that has no line break gets one before the new line.
    const bool breakFirst = offset == FText.size() && !FText.empty() && !IsLineBreak(FText.back());
    // A CR put right before an LF would join it into one line break.
    const bool joinsNext = FLineBreak == "\r" && offset < FText.size() && FText[offset] == '\n';
    FText.insert(offset, (breakFirst ? FLineBreak : std::string()) + line + (joinsNext ? "\r\n" : FLineBreak));
}

void TIniFile::WriteInteger(const std::string &section, const std::string &key, int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string &section, const std::string &key, bool value)
{
    WriteInteger(section, key, value ? 1 : 0);
}

void TIniFile::UpdateFile() const
{
    const QByteArray bytes = QByteArray(FUtf8 ? Utf8Bom : "") + QByteArray::fromStdString(FText);
    try {
        // A folder that takes no new files may still hold a writable settings file.
        ReplaceFileWith(FFileName, bytes.constData(), bytes.size(), TLockedFolder::WriteInPlace);
    } catch (const EStreamError &e) {
        throw EIniFileException(e.Text());
    }
}
