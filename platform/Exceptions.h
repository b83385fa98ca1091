// The exception classes that the program raises, in families of errors, so
// callers can catch a kind of failure (a damaged picture, a stream that ran
// short) while the message stays the exact text shown to the user.
#pragma once

#include "DisplayText.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

// Base of every error the program raises on purpose. what() gives the
// message's bytes; Text() keeps the file names and system reasons in it
// apart from the program's text, for showing.
class Exception : public std::runtime_error {
public:
    explicit Exception(const TDisplayText &message) : std::runtime_error(message.Bytes()), FText(message) {}
    const TDisplayText &Text() const { return FText; }

private:
    TDisplayText FText;
};

// A picture that cannot be read or written ("Unknown GIF version", ...).
class EInvalidGraphic : public Exception {
    using Exception::Exception;
};

// An operation a picture does not support in its current state.
class EInvalidGraphicOperation : public Exception {
    using Exception::Exception;
};

// A stream that could not deliver or take the bytes asked for.
class EStreamError : public Exception {
    using Exception::Exception;
};

class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};

// A file that could not be opened or created.
class EFOpenError : public EStreamError {
    using EStreamError::EStreamError;
};

// The texts of a stream that ran short and of one that took fewer bytes than
// it was given.
constexpr char SReadError[] = "Stream read error";
constexpr char SWriteError[] = "Stream write error";

// 'Cannot <action> file "<name>". <reason>' (or "folder" for kind): the
// name as the file system holds it, the reason as the system gave it (the
// program's own reasons are plain ASCII, which reads the same either way).
inline TDisplayText CannotText(const char *action, const std::string &fileName, const std::string &reason,
                               const char *kind = "file")
{
    return "Cannot " + TDisplayText(action) + " " + kind + " \"" + SystemText(fileName) + "\". " +
           SystemText(reason);
}

// 'Cannot open file "<name>". <reason>' for a file to read, and the same
// with "create" for a file to write.
inline EFOpenError CannotOpenFile(const std::string &fileName, const std::string &reason)
{
    return EFOpenError(CannotText("open", fileName, reason));
}

inline EFOpenError CannotCreateFile(const std::string &fileName, const std::string &reason)
{
    return EFOpenError(CannotText("create", fileName, reason));
}

// Every save that fails says so in this one text: 'Cannot save file
// "<name>". <reason>', the reason being the system's when it gave one
// ("No space left on device").
inline EWriteError CannotSaveFile(const std::string &fileName, const std::string &reason)
{
    return EWriteError(CannotText("save", fileName, reason));
}

// 'Cannot <action> file "<name>". <reason>' for a file whose system call
// ("save", "delete", "rename") has just failed, with the reason errno
// holds. A name built in the argument is built before errno is read, and
// may change it: build such a name before the failing call.
inline EWriteError CannotChangeFileWithErrno(const char *action, const std::string &fileName)
{
    const int reason = errno;
    return EWriteError(CannotText(action, fileName, std::strerror(reason)));
}

// The save error of a file whose system call has just failed (as above).
inline EWriteError CannotSaveFileWithErrno(const std::string &fileName)
{
    return CannotChangeFileWithErrno("save", fileName);
}

// 'Cannot create folder "<name>". <reason>', for a folder of the program's
// own that it could not make, where no file the user saves would name it.
inline EWriteError CannotCreateFolder(const std::string &folder, const std::string &reason)
{
    return EWriteError(CannotText("create", folder, reason, "folder"));
}

// The rendering context could not be made or a render failed.
class ERenderError : public Exception {
    using Exception::Exception;
};

// A request ended on purpose without a message (after the user was told, or
// when there is nothing to tell): the handler that catches it shows nothing.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};
