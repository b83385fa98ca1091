// The few file-system operations the program needs besides its streams.
// Paths are file-system bytes with "/" separators. Linux names are bytes,
// not always UTF-8 text: every operation here reaches exactly the file the
// bytes name, or fails.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

class QFile;

// The reason given when a name cannot become text and come back unchanged.
constexpr char SNameNotUtf8[] = "Its name is not UTF-8 text";

// A path as text, for showing only: bytes that are not UTF-8 come out as
// U+FFFD, so the text may name another file. Never hand it to Qt to reach
// the file.
QString QtFilePath(const std::string &path);

// A path as text for Qt to reach the file by: none when the text would not
// come back to the same bytes (the name is not UTF-8).
std::optional<QString> ExactQtFilePath(const std::string &path);

// A path Qt gives, as file-system bytes.
std::string FilePathBytes(const QString &path);

// Whether a name given as text (a dialog's answer) may stand for a name the
// text could not show: it holds U+FFFD, and reaching the file it spells
// could reach another one than the user saw.
bool MayHideUndecodedBytes(const QString &path);

// Whether a file or folder of that path exists.
bool FileExists(const std::string &path);

// Whether that path is a file (not a folder); a link counts as what it
// points to.
bool IsFileAt(const std::string &path);

// Whether this process may write the file of that path; false, with errno
// saying why ("Read-only file system"), when it may not.
bool MayWrite(const std::string &path);

// Creates one folder level; false when it could not be made or exists already.
bool CreateFolder(const std::string &folder);

// Creates a folder and the folders above it that are missing; false, with
// errno saying why, when one could not be made.
bool CreateFolders(const std::string &folder);

// Deletes a file; false when it could not.
bool DeleteFileAt(const std::string &fileName);

// Renames a file. Never replaces an existing target: false when the target
// exists or the rename failed, and then nothing has changed.
bool RenameFileTo(const std::string &oldName, const std::string &newName);

// Whether the system calls take the path as it is: not empty, and no NUL
// byte, which would end it early and name another file.
bool Reachable(const std::string &path);

// The system's handle of the file of exactly that path, opened with the
// flags of open(2) (new files get 0666 less the umask); -1 with errno when
// it cannot be opened.
int OpenHandle(const std::string &path, int flags);

// The reason a file to read is refused when it is neither a regular file
// nor a folder (a FIFO, a device, a socket).
constexpr char SNotRegularFile[] = "Not a regular file";

// Opens the regular file of exactly that path for reading into file, at
// once whatever the path names: a FIFO would wait in open() for a writer
// and a device could give bytes for ever, so what is no regular file is
// refused, never read. False when it cannot be opened, with reason saying
// why: the system's reason, "Is a directory" for a folder, or
// SNotRegularFile.
bool OpenFileToRead(QFile &file, const std::string &path, std::string &reason);
// The same, for a caller that needs no reason.
bool OpenFileToRead(QFile &file, const std::string &path);

// Whether a name ends in extension (".prj"), in any case when anyCase.
bool EndsWithExtension(const std::string &name, const std::string &extension, bool anyCase);

// The names of the files (not folders) in a folder whose names end in
// extension (".btn"; in any case when anyCase), as bytes in byte order.
std::vector<std::string> FileNamesIn(const std::string &folder, const std::string &extension, bool anyCase = false);

// Deletes a folder with all it holds; failures are ignored.
void RemoveFolderTree(const std::string &folder);

// A new folder named prefix + six random characters, deleted with all it
// holds when the object goes. Before anything else goes into it, it gets a
// mark, a hidden file ".temporary-folder" with a text of its own, that
// tells it from any folder a user made. Its path ends with "/"; it is empty,
// with errno saying why, when the folder or its mark could not be made.
class TTemporaryFolder {
public:
    explicit TTemporaryFolder(const std::string &prefix);
    ~TTemporaryFolder();
    TTemporaryFolder(const TTemporaryFolder &) = delete;
    TTemporaryFolder &operator=(const TTemporaryFolder &) = delete;
    const std::string &Path() const { return FPath; }

private:
    std::string FPath;
};

// Removes, with all they hold, the marked folders named prefix + six
// characters that a TTemporaryFolder of that prefix left behind when its
// process was killed, and each empty folder of such a name (one killed
// before its mark was written). Every other folder stays as it is; failures
// are ignored.
void RemoveLeftTemporaryFolders(const std::string &prefix);

// The folder part of a path with its trailing "/" ("" when there is none).
std::string ExtractFilePath(const std::string &path);

// The file-name part of a path: the text after the last "/".
std::string ExtractFileName(const std::string &path);

// The absolute path of a path taken in baseFolder when it is relative (the
// working folder when baseFolder is empty), its "." and ".." parts resolved
// as written.
std::string AbsoluteFilePath(const std::string &path, const std::string &baseFolder = std::string());

// The absolute folder of a path, with its trailing "/".
std::string AbsoluteFolderOf(const std::string &path);
