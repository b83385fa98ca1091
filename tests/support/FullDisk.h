// Places where writing fails, for tests of saves that must keep the old file:
// a small real file system filled to the last byte, a folder made read-only,
// and a process-wide file size limit under which every write to a file fails
// at once.
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
// lifetime of the object. Mounting needs root; Mounted() says whether it
// worked and Failure() why not.
class TSmallFileSystem {
public:
    TSmallFileSystem(const std::string &folder, int kilobytes) : FFolder(folder)
    {
        const std::string options = "size=" + std::to_string(kilobytes) + "k";
        if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0)
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

// A folder that nobody may change while the object lives, root included:
// the folder is bound onto itself and the binding made read-only, so what it
// holds stays there to be read. Mounting needs root; Made() says whether it
// worked and Failure() why not.
class TReadOnlyFolder {
public:
    explicit TReadOnlyFolder(const std::string &folder) : FFolder(folder)
    {
        FBound = ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0;
        if (!FBound || ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            FFailure = std::strerror(errno);
    }
    ~TReadOnlyFolder()
    {
        if (FBound)
            ::umount2(FFolder.c_str(), MNT_DETACH);
    }
    TReadOnlyFolder(const TReadOnlyFolder &) = delete;
    TReadOnlyFolder &operator=(const TReadOnlyFolder &) = delete;

    bool Made() const { return FFailure.empty(); }
    const std::string &Failure() const { return FFailure; }

private:
    std::string FFolder;
    bool FBound = false;
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
