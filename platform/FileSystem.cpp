#include "FileSystem.h"

#include <QFile>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

bool Reachable(const std::string &path)
{
    return !path.empty() && path.find('\0') == std::string::npos;
}

static bool StatOf(const std::string &path, struct stat &status)
{
    return Reachable(path) && ::stat(path.c_str(), &status) == 0;
}

QString QtFilePath(const std::string &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::optional<QString> ExactQtFilePath(const std::string &path)
{
    QString text = QtFilePath(path);
    if (FilePathBytes(text) != path)
        return std::nullopt;
    return text;
}

std::string FilePathBytes(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

bool MayHideUndecodedBytes(const QString &path)
{
    return path.contains(QChar::ReplacementCharacter);
}

bool FileExists(const std::string &path)
{
    struct stat status;
    return StatOf(path, status);
}

bool IsFileAt(const std::string &path)
{
    struct stat status;
    return StatOf(path, status) && S_ISREG(status.st_mode);
}

bool MayWrite(const std::string &path)
{
    if (!Reachable(path)) {
        errno = ENOENT;
        return false;
    }
    return ::access(path.c_str(), W_OK) == 0;
}

bool CreateFolder(const std::string &folder)
{
    return Reachable(folder) && ::mkdir(folder.c_str(), 0777) == 0;
}

bool CreateFolders(const std::string &folder)
{
    std::error_code error = std::make_error_code(std::errc::no_such_file_or_directory);
    if (Reachable(folder)) {
        error.clear();
        std::filesystem::create_directories(folder, error);
        if (!error && !std::filesystem::is_directory(folder, error))
            error = std::make_error_code(std::errc::not_a_directory);
    }
    if (!error)
        return true;
    errno = error.value();
    return false;
}

bool DeleteFileAt(const std::string &fileName)
{
    return Reachable(fileName) && ::unlink(fileName.c_str()) == 0;
}

bool RenameFileTo(const std::string &oldName, const std::string &newName)
{
    if (!Reachable(oldName) || !Reachable(newName) || FileExists(newName))
        return false;
    return ::rename(oldName.c_str(), newName.c_str()) == 0;
}

int OpenHandle(const std::string &path, int flags)
{
    if (!Reachable(path)) {
        errno = ENOENT;
        return -1;
    }
    return ::open(path.c_str(), flags | O_CLOEXEC, 0666);
}

// Why a file open for reading is not to be read: "" for a regular file.
static std::string RefusalOf(int handle)
{
    struct stat status;
    if (::fstat(handle, &status) != 0)
        return std::strerror(errno);
    if (S_ISDIR(status.st_mode))
        return std::strerror(EISDIR);
    return S_ISREG(status.st_mode) ? std::string() : SNotRegularFile;
}

static bool ClearNonBlocking(int handle)
{
    const int flags = ::fcntl(handle, F_GETFL);
    return flags != -1 && ::fcntl(handle, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

bool OpenFileToRead(QFile &file, const std::string &path, std::string &reason)
{
    // Opened without waiting, as the kind of file is known only once it is
    // open: a FIFO then opens with no writer, and a terminal never becomes
    // the program's own.
    const int handle = OpenHandle(path, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (handle < 0) {
        // A socket never opens (ENXIO): it is refused as a FIFO is.
        const int failure = errno;
        struct stat status;
        reason = StatOf(path, status) && S_ISSOCK(status.st_mode) ? SNotRegularFile : std::strerror(failure);
        return false;
    }
    reason = RefusalOf(handle);
    if (reason.empty() && !ClearNonBlocking(handle))
        reason = std::strerror(errno);
    if (reason.empty() && file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(handle);
    if (reason.empty())
        reason = std::strerror(EIO);
    return false;
}

bool OpenFileToRead(QFile &file, const std::string &path)
{
    std::string reason;
    return OpenFileToRead(file, path, reason);
}

bool EndsWithExtension(const std::string &name, const std::string &extension, bool anyCase)
{
    if (name.size() < extension.size())
        return false;
    const auto same = [anyCase](char a, char b) {
        return anyCase ? std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b))
                       : a == b;
    };
    return std::equal(extension.begin(), extension.end(), name.end() - extension.size(), same);
}

std::vector<std::string> FileNamesIn(const std::string &folder, const std::string &extension, bool anyCase)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::string name = entry->path().filename().native();
        std::error_code unreadable;
        if (entry->is_regular_file(unreadable) && EndsWithExtension(name, extension, anyCase))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The names of the folders in a folder, hidden ones too, as bytes.
static std::vector<std::string> FolderNamesIn(const std::string &folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code unreadable;
        if (entry->is_directory(unreadable) && !entry->is_symlink(unreadable))
            names.push_back(entry->path().filename().native());
    }
    return names;
}

void RemoveFolderTree(const std::string &folder)
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// The mark of a temporary folder: a name and a text that no folder gets but
// from TTemporaryFolder, the text saying what the folder is to a user who
// comes upon it.
static const char TemporaryMarkName[] = ".temporary-folder";
static const std::string TemporaryMarkText =
    "A folder for files being written. The write moves them out and removes the folder; a folder still holding "
    "this file was left by a write that was stopped, and the next write of the same kind removes it with all it "
    "holds.\n";

// Writes the mark into a new folder; false, with errno saying why, when it
// could not be written whole.
static bool WriteTemporaryMark(const std::string &folder)
{
    const int handle = OpenHandle(folder + TemporaryMarkName, O_WRONLY | O_CREAT | O_EXCL);
    if (handle < 0)
        return false;
    size_t written = 0;
    while (written < TemporaryMarkText.size()) {
        const ssize_t taken = ::write(handle, TemporaryMarkText.data() + written, TemporaryMarkText.size() - written);
        if (taken <= 0)
            break;
        written += size_t(taken);
    }
    const bool whole = written == TemporaryMarkText.size();
    const int reason = errno;
    const bool closed = ::close(handle) == 0;
    if (!whole)
        errno = reason;
    return whole && closed;
}

// Whether the folder holds that one entry and nothing else.
static bool HoldsOnly(const std::string &folder, const char *name)
{
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    if (error || entry == std::filesystem::directory_iterator() || entry->path().filename() != name)
        return false;
    return entry.increment(error) == std::filesystem::directory_iterator() && !error;
}

// A mark cut short counts too, but only alone: a write stopped while it
// wrote the mark has put nothing else in its folder yet.
static bool HoldsTemporaryMark(const std::string &folder)
{
    QFile mark;
    if (!OpenFileToRead(mark, folder + TemporaryMarkName))
        return false;
    const std::string text = mark.read(qint64(TemporaryMarkText.size()) + 1).toStdString();
    if (text == TemporaryMarkText)
        return true;
    return text.size() < TemporaryMarkText.size() && TemporaryMarkText.compare(0, text.size(), text) == 0 &&
           HoldsOnly(folder, TemporaryMarkName);
}

TTemporaryFolder::TTemporaryFolder(const std::string &prefix)
{
    std::string name = prefix + "XXXXXX";
    if (!Reachable(prefix)) {
        errno = ENOENT;
        return;
    }
    if (!::mkdtemp(name.data()))
        return;
    name += "/";
    if (!WriteTemporaryMark(name)) {
        const int reason = errno;
        RemoveFolderTree(name);
        errno = reason;
        return;
    }
    FPath = name;
}

TTemporaryFolder::~TTemporaryFolder()
{
    if (!FPath.empty())
        RemoveFolderTree(FPath);
}

void RemoveLeftTemporaryFolders(const std::string &prefix)
{
    const std::string parent = ExtractFilePath(prefix);
    const std::string namePrefix = ExtractFileName(prefix);
    for (const std::string &name : FolderNamesIn(parent)) {
        if (name.size() != namePrefix.size() + 6 || name.compare(0, namePrefix.size(), namePrefix) != 0)
            continue;
        const std::string folder = parent + name + "/";
        if (HoldsTemporaryMark(folder))
            RemoveFolderTree(folder);
        else if (Reachable(folder))
            ::rmdir(folder.c_str());  // only an empty one goes
    }
}

std::string ExtractFilePath(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileName(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string AbsoluteFilePath(const std::string &path, const std::string &baseFolder)
{
    std::error_code error;
    const std::filesystem::path base = baseFolder.empty() ? std::filesystem::current_path(error)
                                                          : std::filesystem::path(AbsoluteFilePath(baseFolder));
    // A path that is absolute already replaces the base.
    return (base / path).lexically_normal().native();
}

std::string AbsoluteFolderOf(const std::string &path)
{
    return ExtractFilePath(AbsoluteFilePath(path));
}
