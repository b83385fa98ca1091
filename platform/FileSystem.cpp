#include "FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString QtFilePath(const std::string &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string FilePathBytes(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

bool FileExists(const std::string &path)
{
    return !path.empty() && QFileInfo::exists(QtFilePath(path));
}

bool CreateFolder(const std::string &folder)
{
    if (folder.empty())
        return false;
    return QDir().mkdir(QtFilePath(folder));
}

bool DeleteFileAt(const std::string &fileName)
{
    return !fileName.empty() && QFile::remove(QtFilePath(fileName));
}

bool RenameFileTo(const std::string &oldName, const std::string &newName)
{
    if (oldName.empty() || newName.empty() || FileExists(newName))
        return false;
    return QFile::rename(QtFilePath(oldName), QtFilePath(newName));
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

std::string AbsoluteFolderOf(const std::string &path)
{
    return FilePathBytes(QFileInfo(QtFilePath(path)).absolutePath()) + "/";
}
