// A file that nobody may change, replace or delete while the object lives,
// root included: the tests run as root, who writes through any file mode,
// but not through the file system's immutable flag. Setting the flag needs
// CAP_LINUX_IMMUTABLE and a file system that keeps it; Made() says whether
// it worked and Failure() why not.
#pragma once

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <unistd.h>

class TImmutableFile {
public:
    explicit TImmutableFile(const std::string &path) : FPath(path), FFailure(SetFlag(true)) {}
    ~TImmutableFile()
    {
        if (Made())
            SetFlag(false);
    }
    TImmutableFile(const TImmutableFile &) = delete;
    TImmutableFile &operator=(const TImmutableFile &) = delete;

    bool Made() const { return FFailure.empty(); }
    const std::string &Failure() const { return FFailure; }

private:
    // Sets or clears the flag; "" when that worked, else the system's reason.
    std::string SetFlag(bool immutable) const
    {
        const int handle = ::open(FPath.c_str(), O_RDONLY | O_CLOEXEC);
        if (handle < 0)
            return std::strerror(errno);
        int flags = 0;
        int result = ::ioctl(handle, FS_IOC_GETFLAGS, &flags);
        if (result == 0) {
            flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            result = ::ioctl(handle, FS_IOC_SETFLAGS, &flags);
        }
        const std::string failure = result == 0 ? std::string() : std::strerror(errno);
        ::close(handle);
        return failure;
    }

    std::string FPath;
    std::string FFailure;
};
