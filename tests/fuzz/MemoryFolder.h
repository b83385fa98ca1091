// A temporary folder for fuzz targets that must go through files: in memory
// (/dev/shm) where the system has one, so that writing, syncing and renaming
// a file for every input costs no disk time.
#pragma once

#include "FileSystem.h"

#include <QDir>
#include <QTemporaryDir>

#include <string>

inline QString MemoryFolderTemplate()
{
    const QDir shm(QStringLiteral("/dev/shm"));
    return (shm.exists() ? shm.path() : QDir::tempPath()) + QStringLiteral("/bl-fuzz-XXXXXX");
}

class TMemoryFolder {
public:
    std::string Path(const std::string &name = "") const { return FilePathBytes(FDir.path()) + "/" + name; }

private:
    QTemporaryDir FDir{MemoryFolderTemplate()};
};
