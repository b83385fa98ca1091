#include "IniFile.h"

#include "AnsiText.h"
#include "Codepage.h"
#include "FileSystem.h"
#include "Streams.h"

#include <QFile>

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

bool ReadFileBytes(const std::string &fileName, std::string &bytes)
{
    QFile file(QtFilePath(fileName));
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return false;
    // Reading no more than the size found keeps a device that never ends
    // (a pipe, /dev/zero) from filling memory.
    const QByteArray data = file.read(file.size());
    if (file.error() != QFileDevice::NoError)
        return false;
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

TIniFile::TIniFile(std::string fileName) : FFileName(std::move(fileName))
{
    std::string bytes;
    if (!ReadFileBytes(FFileName, bytes))
        return;
    if (bytes.compare(0, Utf8BomSize, Utf8Bom) == 0) {
        FUtf8 = true;
        bytes.erase(0, Utf8BomSize);
    }
    Parse(bytes);
}

std::string TIniFile::Decode(const std::string &stored) const
{
    return FUtf8 ? ToAnsi(QString::fromUtf8(stored.data(), qsizetype(stored.size()))) : stored;
}

std::string TIniFile::Encode(const std::string &text) const
{
    return FUtf8 ? FromAnsi(text).toUtf8().toStdString() : text;
}

void TIniFile::Parse(const std::string &text)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            if (FLines.empty())
                FLineBreak = "\r\n";
        }
        FLines.push_back(ParseLine(line));
        start = end + 1;
    }
}

TIniFile::TLine TIniFile::ParseLine(const std::string &text) const
{
    TLine line;
    line.Text = text;
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty() || trimmed[0] == ';')
        return line;
    if (trimmed[0] == '[') {
        line.Kind = TLineKind::Section;
        line.Name = Decode(TrimBlanks(trimmed.substr(1, trimmed.find(']') - 1)));
        return line;
    }
    const size_t equals = trimmed.find('=');
    if (equals == std::string::npos || equals == 0)
        return line;
    line.Kind = TLineKind::Entry;
    line.Name = Decode(TrimBlanks(trimmed.substr(0, equals)));
    line.Value = TrimBlanks(trimmed.substr(equals + 1));
    return line;
}

std::vector<TIniEntry> TIniFile::Entries() const
{
    std::vector<TIniEntry> entries;
    const std::string *section = nullptr;
    for (const TLine &line : FLines) {
        if (line.Kind == TLineKind::Section)
            section = &line.Name;
        else if (line.Kind == TLineKind::Entry && section)
            entries.push_back({*section, line.Name, Decode(line.Value)});
    }
    return entries;
}

long TIniFile::FindEntry(const std::string &section, const std::string &key) const
{
    bool inSection = false;
    for (size_t i = 0; i < FLines.size(); ++i) {
        const TLine &line = FLines[i];
        if (line.Kind == TLineKind::Section)
            inSection = line.Name == section;
        else if (inSection && line.Kind == TLineKind::Entry && line.Name == key)
            return long(i);
    }
    return -1;
}

long TIniFile::FindSectionEnd(const std::string &section) const
{
    long end = -1;
    for (size_t i = 0; i < FLines.size(); ++i) {
        const TLine &line = FLines[i];
        if (line.Kind == TLineKind::Section) {
            if (end >= 0)
                break;
            if (line.Name == section)
                end = long(i) + 1;
        } else if (end >= 0 && !TrimBlanks(line.Text).empty()) {
            end = long(i) + 1;
        }
    }
    return end;
}

std::string TIniFile::ReadString(const std::string &section, const std::string &key,
                                 const std::string &def) const
{
    const long index = FindEntry(section, key);
    return index < 0 ? def : Decode(FLines[size_t(index)].Value);
}

std::string TIniFile::ReadPath(const std::string &section, const std::string &key,
                               const std::string &def) const
{
    const long index = FindEntry(section, key);
    return index < 0 ? def : FLines[size_t(index)].Value;
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
        throw EIniFileException("Unable to write to " + FFileName);
    const TLine entry = ParseLine(Encode(key) + "=" + value);
    const long index = FindEntry(section, key);
    if (index >= 0) {
        FLines[size_t(index)] = entry;
        return;
    }
    const long sectionEnd = FindSectionEnd(section);
    if (sectionEnd >= 0) {
        FLines.insert(FLines.begin() + sectionEnd, entry);
        return;
    }
    if (!FLines.empty() && !TrimBlanks(FLines.back().Text).empty())
        FLines.push_back(ParseLine(std::string()));
    FLines.push_back(ParseLine("[" + Encode(section) + "]"));
    FLines.push_back(entry);
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
    std::string text;
    for (const TLine &line : FLines)
        text += line.Text + FLineBreak;
    const QByteArray bytes = QByteArray(FUtf8 ? Utf8Bom : "") + QByteArray::fromStdString(text);

    try {
        // A folder that takes no new files may still hold a writable settings file.
        ReplaceFileWith(FFileName, bytes.constData(), bytes.size(), TLockedFolder::WriteInPlace);
    } catch (const EStreamError &) {
        throw EIniFileException("Unable to write to " + FFileName);
    }
}
