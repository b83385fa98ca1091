// Places where writing fails, for tests of saves that must keep the old file:
// a small real file system filled to the last byte, and a process-wide file
// size limit under which every write to a file fails at once.
#pragma once

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>

// A tmpfs of the given size mounted on folder (which must exist) for the
// lifetime of the object; mounted read-only, it takes nothing, even from
// root. Mounting needs root; Mounted() says whether it worked and Failure()
// why not.
class TSmallFileSystem {
public:
    enum TAccess : unsigned long { Writable = 0, ReadOnly = MS_RDONLY };
    TSmallFileSystem(const std::string &folder, int kilobytes, TAccess access = Writable) : FFolder(folder)
    {
        const std::string options = "size=" + std::to_string(kilobytes) + "k";
        if (::mount("tmpfs", folder.c_str(), "tmpfs", access, options.c_str()) == 0)
            FMounted = true;
        else
            FFailure = std::strerror(errno);
    }
    ~TSmallFileSystem()
    {
        if (FMounted)
            ::umount2(FFolder.c_str(), MNT_DETACH);
    }
    TSmallFileSystem(const TSmallFileSystem &) = delete;
    TSmallFileSystem &operator=(const TSmallFileSystem &) = delete;

    bool Mounted() const { return FMounted; }

    // Mounts it again read-only, keeping what it holds; false when that
    // could not be done.
    bool MakeReadOnly()
    {
        return ::mount("tmpfs", FFolder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    const std::string &Failure() const { return FFailure; }

    // Fills the file system as dd would, then gives back the last
    // leaveFree bytes; false when the filler could not be made.
    bool Fill(qint64 leaveFree = 0)
    {
        QFile filler(QDir(QString::fromStdString(FFolder)).filePath("filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, '\0');
        while (filler.write(block) == block.size()) {
        }
        return filler.resize(std::max<qint64>(0, filler.size() - leaveFree));
    }

private:
    std::string FFolder;
    bool FMounted = false;
    std::string FFailure;
};

// While it lives, no file of the process may grow beyond the given size:
// a write past it fails (EFBIG) instead of raising SIGXFSZ.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &FOld);
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = FOld;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit &) = delete;
    TFileSizeLimit &operator=(const TFileSizeLimit &) = delete;

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = nullptr;
};
