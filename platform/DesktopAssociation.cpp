#include "DesktopAssociation.h"

#include "Exceptions.h"
#include "FileSystem.h"
#include "Streams.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

static const char *const DefaultSection = "[Default Applications]";

// The folder an XDG variable names, as the bytes it holds (a name that is
// not UTF-8 stays that folder), or its default in the home folder when it is
// unset or relative.
static std::string XdgFolder(const char *variable, const char *defaultInHome)
{
    const char *folder = std::getenv(variable);
    if (folder && folder[0] == '/')
        return folder;
    const char *home = std::getenv("HOME");
    return std::string(home ? home : "") + defaultInHome;
}

static std::string DataHome() { return XdgFolder("XDG_DATA_HOME", "/.local/share"); }

static std::string ConfigHome() { return XdgFolder("XDG_CONFIG_HOME", "/.config"); }

static std::string MimeBaseName(const TDesktopAssociation &association)
{
    // "application/x-foo" is stored as the package "x-foo.xml".
    const auto slash = association.MimeType.rfind('/');
    return association.MimeType.substr(slash == std::string::npos ? 0 : slash + 1);
}

std::string MimePackagePath(const TDesktopAssociation &association)
{
    return DataHome() + "/mime/packages/" + MimeBaseName(association) + ".xml";
}

std::string DesktopEntryPath(const TDesktopAssociation &association)
{
    return DataHome() + "/applications/" + association.DesktopId;
}

std::string MimeAppsListPath() { return ConfigHome() + "/mimeapps.list"; }

// --- Texts ---

static std::string XmlEscaped(const std::string &text)
{
    return QString::fromUtf8(text).toHtmlEscaped().toUtf8().toStdString();
}

std::string MimePackageText(const TDesktopAssociation &association)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" + XmlEscaped(association.MimeType) + "\">\n"
           "    <comment>" + XmlEscaped(association.Comment) + "</comment>\n"
           "    <glob pattern=\"" + XmlEscaped(association.Pattern) + "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

// A quoted argument of an Exec line: inside double quotes, the quote,
// backtick, dollar and backslash take a backslash before them.
static std::string QuotedExecArgument(const std::string &argument)
{
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

// A string value of a desktop entry: the backslash and control characters
// take the value escapes.
static std::string StringValue(const std::string &value)
{
    std::string escaped;
    for (const char c : value) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\n': escaped += "\\n"; break;
        case '\t': escaped += "\\t"; break;
        case '\r': escaped += "\\r"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

// A literal "%" of an Exec line is written twice.
static std::string PercentsDoubled(const std::string &text)
{
    std::string doubled;
    for (const char c : text) {
        if (c == '%')
            doubled += '%';
        doubled += c;
    }
    return doubled;
}

std::string DesktopExecValue(const std::string &program)
{
    return StringValue(PercentsDoubled(QuotedExecArgument(program))) + " %f";
}

std::string DesktopEntryText(const TDesktopAssociation &association)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" + StringValue(association.AppName) + "\n"
           "Exec=" + DesktopExecValue(association.Program) + "\n"
           "Icon=" + StringValue(association.Icon) + "\n"
           "MimeType=" + association.MimeType + ";\n"
           "Terminal=false\n"
           "Categories=Graphics;\n";
}

// --- Files ---

// Raises the file's save error when it cannot be written.
static void WriteTextFile(const std::string &path, const std::string &text)
{
    if (!CreateFolders(ExtractFilePath(path)))
        throw CannotSaveFileWithErrno(path);
    ReplaceFileWith(path, text.data(), int64_t(text.size()));
}

// True when there was a file to delete; raises "Cannot delete file" when it
// cannot be deleted.
static bool DeleteTextFile(const std::string &path)
{
    if (!FileExists(path))
        return false;
    if (!DeleteFileAt(path))
        throw CannotChangeFileWithErrno("delete", path);
    return true;
}

static bool ReadTextFile(const std::string &path, std::string &text)
{
    QFile file;
    if (!OpenFileToRead(file, path))
        return false;
    text = file.readAll().toStdString();
    return true;
}

// The text a file holds; none when it cannot be read.
static std::optional<std::string> TextOf(const std::string &path)
{
    std::string text;
    if (!ReadTextFile(path, text))
        return std::nullopt;
    return text;
}

// A folder whose name cannot be handed over as text is left alone: the
// tool would work on another folder.
static void RunIfInstalled(const char *tool, const std::string &folder)
{
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    const std::optional<QString> argument = ExactQtFilePath(folder);
    if (program.isEmpty() || !argument)
        return;
    QProcess process;
    process.start(program, {*argument});
    if (process.waitForStarted(5000) && !process.waitForFinished(30000))
        process.kill();
    process.waitForFinished(1000);
}

// --- mimeapps.list ---

static std::string DefaultLine(const TDesktopAssociation &association)
{
    return association.MimeType + "=" + association.DesktopId;
}

static std::vector<std::string> SplitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

static std::string JoinLines(const std::vector<std::string> &lines)
{
    std::string text;
    for (const auto &line : lines)
        text += line + "\n";
    return text;
}

static std::string Trimmed(const std::string &text)
{
    return QByteArray::fromStdString(text).trimmed().toStdString();
}

static bool IsSectionHeader(const std::string &line)
{
    const std::string trimmed = Trimmed(line);
    return !trimmed.empty() && trimmed.front() == '[';
}

static std::string KeyOf(const std::string &line)
{
    const auto equals = line.find('=');
    return equals == std::string::npos ? std::string() : Trimmed(line.substr(0, equals));
}

// Range [first, last) of the default section's entries; first is npos when
// the file has no such section.
struct TSectionRange {
    size_t First = std::string::npos;
    size_t Last = 0;
};

static TSectionRange DefaultSectionRange(const std::vector<std::string> &lines)
{
    TSectionRange range;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (Trimmed(lines[i]) != DefaultSection)
            continue;
        range.First = i + 1;
        range.Last = range.First;
        while (range.Last < lines.size() && !IsSectionHeader(lines[range.Last]))
            ++range.Last;
        break;
    }
    return range;
}

static std::vector<std::string> WithDefaultLine(std::vector<std::string> lines,
                                                const TDesktopAssociation &association)
{
    TSectionRange range = DefaultSectionRange(lines);
    if (range.First == std::string::npos) {
        if (!lines.empty() && !Trimmed(lines.back()).empty())
            lines.emplace_back();
        lines.emplace_back(DefaultSection);
        lines.push_back(DefaultLine(association));
        return lines;
    }
    for (size_t i = range.First; i < range.Last; ++i) {
        if (KeyOf(lines[i]) == association.MimeType) {
            lines[i] = DefaultLine(association);
            return lines;
        }
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(range.First), DefaultLine(association));
    return lines;
}

// The programs a default line names, in order: "type=a.desktop;b.desktop;".
static std::vector<std::string> DesktopIdsOf(const std::string &line)
{
    std::vector<std::string> ids;
    const auto equals = line.find('=');
    if (equals == std::string::npos)
        return ids;
    const std::string value = line.substr(equals + 1);
    std::string::size_type start = 0;
    while (start <= value.size()) {
        auto end = value.find(';', start);
        if (end == std::string::npos)
            end = value.size();
        const std::string id = Trimmed(value.substr(start, end - start));
        if (!id.empty())
            ids.push_back(id);
        start = end + 1;
    }
    return ids;
}

// Our program is the default when it comes first in the line of our type.
static bool HasDefaultLine(const std::vector<std::string> &lines,
                           const TDesktopAssociation &association)
{
    const TSectionRange range = DefaultSectionRange(lines);
    if (range.First == std::string::npos)
        return false;
    for (size_t i = range.First; i < range.Last; ++i) {
        if (KeyOf(lines[i]) != association.MimeType)
            continue;
        const std::vector<std::string> ids = DesktopIdsOf(lines[i]);
        return !ids.empty() && ids.front() == association.DesktopId;
    }
    return false;
}

// Takes our program out of the defaults of our type; a line left without a
// program goes, the programs of others stay.
static std::vector<std::string> WithoutDefaultLine(std::vector<std::string> lines,
                                                   const TDesktopAssociation &association)
{
    const TSectionRange range = DefaultSectionRange(lines);
    if (range.First == std::string::npos)
        return lines;
    for (size_t i = range.Last; i-- > range.First;) {
        if (KeyOf(lines[i]) != association.MimeType)
            continue;
        std::vector<std::string> ids = DesktopIdsOf(lines[i]);
        const auto ours = std::remove(ids.begin(), ids.end(), association.DesktopId);
        if (ours == ids.end())
            continue;
        ids.erase(ours, ids.end());
        if (ids.empty()) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        std::string line = association.MimeType + "=";
        for (const std::string &id : ids)
            line += id + ";";
        lines[i] = line;
    }
    return lines;
}

static std::vector<std::string> MimeAppsLines()
{
    std::string text;
    ReadTextFile(MimeAppsListPath(), text);
    return SplitLines(text);
}

// Takes our default line out of mimeapps.list; the file is written only when
// that changes it.
static void RemoveDefaultLine(const TDesktopAssociation &association)
{
    const std::vector<std::string> lines = MimeAppsLines();
    const std::vector<std::string> kept = WithoutDefaultLine(lines, association);
    if (kept != lines)
        WriteTextFile(MimeAppsListPath(), JoinLines(kept));
}

// --- Changes ---

// Files written one after another, each with the text it held before (none
// when there was no file), so that they can be put back as they were.
class TWrittenFiles {
public:
    void Write(const std::string &path, const std::string &text)
    {
        std::optional<std::string> before = TextOf(path);
        WriteTextFile(path, text);
        FFiles.push_back({path, std::move(before)});
    }

    // Puts back each file, the last written first; one that cannot be put
    // back stays as written.
    void TakeBack()
    {
        for (size_t i = FFiles.size(); i-- > 0;)
            if (PutBack(FFiles[i]))
                FFiles.erase(FFiles.begin() + static_cast<std::ptrdiff_t>(i));
    }

    // Whether the file holds what was written to it.
    bool Holds(const std::string &path) const
    {
        return std::any_of(FFiles.begin(), FFiles.end(), [&](const TFile &file) { return file.Path == path; });
    }

private:
    struct TFile {
        std::string Path;
        std::optional<std::string> Before;
    };

    static bool PutBack(const TFile &file)
    {
        try {
            if (file.Before)
                WriteTextFile(file.Path, *file.Before);
            else
                DeleteTextFile(file.Path);
            return true;
        } catch (const std::exception &) {
            return false;  // the failure to tell is the one that made the change fail
        }
    }

    std::vector<TFile> FFiles;
};

// Runs each step, whatever the steps before it raised, and keeps the first
// failure to raise once all have run.
class TFirstFailure {
public:
    void Attempt(const std::function<void()> &step)
    {
        try {
            step();
        } catch (...) {
            if (!FFailure)
                FFailure = std::current_exception();
        }
    }
    void Raise() const
    {
        if (FFailure)
            std::rethrow_exception(FFailure);
    }

private:
    std::exception_ptr FFailure;
};

// Refreshes the desktop's caches built from the folders of the MIME
// packages and of the desktop entries, for those whose files changed.
static void RefreshDesktopCaches(bool packageChanged, bool entryChanged)
{
    if (packageChanged)
        RunIfInstalled("update-mime-database", DataHome() + "/mime");
    if (entryChanged)
        RunIfInstalled("update-desktop-database", DataHome() + "/applications");
}

// --- The association ---

// A desktop entry is UTF-8 text, so a program or icon whose path is not
// UTF-8 cannot be named in it, and the three files are saved by names given
// as text. Either is refused before anything is written, so no entry is
// ever left invalid or half made.
static void RequireTextNames(const TDesktopAssociation &association)
{
    const std::string entry = DesktopEntryPath(association);
    const std::pair<const char *, std::string> named[] = {{"program", association.Program},
                                                          {"icon", association.Icon}};
    for (const auto &[what, path] : named)
        if (!ExactQtFilePath(path))
            throw CannotSaveFile(entry, std::string("The ") + what + "'s path \"" + path + "\" is not UTF-8 text");
    for (const std::string &path : {MimePackagePath(association), entry, MimeAppsListPath()})
        RequireSavableName(path);
}

void WriteDesktopAssociation(const TDesktopAssociation &association)
{
    RequireTextNames(association);
    const std::string package = MimePackagePath(association), entry = DesktopEntryPath(association);
    TWrittenFiles written;
    try {
        written.Write(package, MimePackageText(association));
        written.Write(entry, DesktopEntryText(association));
        written.Write(MimeAppsListPath(), JoinLines(WithDefaultLine(MimeAppsLines(), association)));
    } catch (...) {
        written.TakeBack();
        RefreshDesktopCaches(written.Holds(package), written.Holds(entry));
        throw;
    }
    RefreshDesktopCaches(true, true);
}

void RemoveDesktopAssociation(const TDesktopAssociation &association)
{
    bool packageDeleted = false, entryDeleted = false;
    TFirstFailure failure;
    failure.Attempt([&] { packageDeleted = DeleteTextFile(MimePackagePath(association)); });
    failure.Attempt([&] { entryDeleted = DeleteTextFile(DesktopEntryPath(association)); });
    failure.Attempt([&] { RemoveDefaultLine(association); });
    RefreshDesktopCaches(packageDeleted, entryDeleted);
    failure.Raise();
}

bool IsDesktopAssociated(const TDesktopAssociation &association)
{
    std::string mimePackage, desktopEntry;
    return ReadTextFile(MimePackagePath(association), mimePackage) &&
           mimePackage == MimePackageText(association) &&
           ReadTextFile(DesktopEntryPath(association), desktopEntry) &&
           desktopEntry == DesktopEntryText(association) &&
           HasDefaultLine(MimeAppsLines(), association);
}
