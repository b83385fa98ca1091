// The few file-system operations the program needs besides its streams.
// Paths are file-system bytes (UTF-8 on Linux) with "/" separators.
#pragma once

#include <QString>
#include <string>

// A path in Qt's form, and back to file-system bytes.
QString QtFilePath(const std::string &path);
std::string FilePathBytes(const QString &path);

// Whether a file or folder of that path exists.
bool FileExists(const std::string &path);

// Creates one folder level; false when it could not be made or exists already.
bool CreateFolder(const std::string &folder);

// Deletes a file; false when it could not.
bool DeleteFileAt(const std::string &fileName);

// Renames a file. Never replaces an existing target: false when the target
// exists or the rename failed, and then nothing has changed.
bool RenameFileTo(const std::string &oldName, const std::string &newName);

// The folder part of a path with its trailing "/" ("" when there is none).
std::string ExtractFilePath(const std::string &path);

// The file-name part of a path: the text after the last "/".
std::string ExtractFileName(const std::string &path);

// The absolute folder of a path, with its trailing "/".
std::string AbsoluteFolderOf(const std::string &path);
