#include "Streams.h"

#include "FileSystem.h"
#include "LittleEndian.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <unistd.h>

int64_t TStream::Remaining() const
{
    return std::max<int64_t>(0, Size() - Position());
}

void TStream::ReadBuffer(void *buffer, int64_t count)
{
    if (count < 0 || (count > 0 && Read(buffer, count) != count))
        throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void *buffer, int64_t count)
{
    if (count < 0 || (count > 0 && Write(buffer, count) != count))
        throw EWriteError(SWriteError);
}

// --- TMemoryStream ---

TMemoryStream::TMemoryStream(std::vector<uint8_t> bytes) : FBytes(std::move(bytes)) {}

int64_t TMemoryStream::Read(void *buffer, int64_t count)
{
    const int64_t n = std::min(std::max<int64_t>(count, 0), Remaining());
    if (n > 0)
        std::memcpy(buffer, FBytes.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void *buffer, int64_t count)
{
    if (count <= 0)
        return 0;
    const auto end = static_cast<size_t>(FPosition + count);
    if (end > FBytes.size())
        FBytes.resize(end);
    std::memcpy(FBytes.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition += count;
    return count;
}

void TMemoryStream::SetPosition(int64_t position)
{
    FPosition = std::clamp<int64_t>(position, 0, Size());
}

// --- TFileStream ---

// The file is opened on its name's bytes, so a name that is not UTF-8
// reaches that file and no other.
static std::unique_ptr<QFileDevice> OpenFile(const std::string &fileName, TFileStream::TMode mode)
{
    auto file = std::make_unique<QFile>();
    if (mode == TFileStream::fmOpenRead) {
        std::string reason;
        if (!OpenFileToRead(*file, fileName, reason))
            throw CannotOpenFile(fileName, reason);
        return file;
    }
    const int handle = OpenHandle(fileName, O_WRONLY | O_CREAT | O_TRUNC);
    // Unbuffered, so that a failed write is reported by the write itself.
    if (handle < 0 || !file->open(handle, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        const int reason = errno;
        if (handle >= 0)
            ::close(handle);
        throw CannotCreateFile(fileName, std::strerror(reason));
    }
    return file;
}

TFileStream::TFileStream(const std::string &fileName, TMode mode)
    : FDevice(OpenFile(fileName, mode))
{
}

TFileStream::TFileStream(std::unique_ptr<QFileDevice> device) : FDevice(std::move(device)) {}

TFileStream::~TFileStream() = default;

int64_t TFileStream::Read(void *buffer, int64_t count)
{
    if (count <= 0)
        return 0;
    return std::max<int64_t>(0, FDevice->read(static_cast<char *>(buffer), count));
}

int64_t TFileStream::Write(const void *buffer, int64_t count)
{
    // A write the system cut short leaves the device without an error; the
    // rest written again fails at once, and then the device keeps the
    // system's reason for the save error.
    int64_t written = 0;
    while (written < count) {
        const qint64 taken = FDevice->write(static_cast<const char *>(buffer) + written, count - written);
        if (taken <= 0)
            break;
        written += taken;
    }
    return written;
}

int64_t TFileStream::Position() const { return FDevice->pos(); }

void TFileStream::SetPosition(int64_t position) { FDevice->seek(position); }

int64_t TFileStream::Size() const { return FDevice->size(); }

// --- TSafeFileStream ---

// Why a save file could not be opened. QSaveFile refuses an existing file
// it may not write in words of its own, which name the file a second time
// and give no reason; the system's is given instead.
static std::string OpenFailure(const std::string &fileName, const QSaveFile &file)
{
    if (FileExists(fileName) && !MayWrite(fileName))
        return std::strerror(errno);
    return file.errorString().toStdString();
}

static std::unique_ptr<QFileDevice> CreateSaveFile(const std::string &fileName, TLockedFolder lockedFolder)
{
    RequireSavableName(fileName);
    auto file = std::make_unique<QSaveFile>(QtFilePath(fileName));
    file->setDirectWriteFallback(lockedFolder == TLockedFolder::WriteInPlace);
    // Unbuffered, as a file created for writing is: a buffer's flush that
    // the system cuts short is reported without the system's reason.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw CannotSaveFile(fileName, OpenFailure(fileName, *file));
    return file;
}

TSafeFileStream::TSafeFileStream(const std::string &fileName, TLockedFolder lockedFolder)
    : TFileStream(CreateSaveFile(fileName, lockedFolder)), FFileName(fileName)
{
}

void TSafeFileStream::Commit()
{
    auto &file = static_cast<QSaveFile &>(Device());
    // The writes were unbuffered and checked. commit() is not documented to
    // sync before it renames, and a disk that kept the data back would get a
    // file renamed over the old one that is not on it yet, so the sync is
    // done and checked here first, whatever the Qt version does after.
    if (::fsync(file.handle()) != 0)
        throw CannotSaveFileWithErrno(FFileName);
    if (!file.commit())
        throw Failure(SWriteError);
}

EWriteError TSafeFileStream::Failure(const std::string &fallback) const
{
    if (Device().error() == QFileDevice::NoError)
        return CannotSaveFile(FFileName, fallback);
    return CannotSaveFile(FFileName, Device().errorString().toStdString());
}

void SaveFile(const std::string &fileName, const std::function<void(TStream &)> &write, TLockedFolder lockedFolder,
              const std::function<void()> &beforeReplacing)
{
    TSafeFileStream file(fileName, lockedFolder);
    try {
        // The writers put many small fields; the file, unbuffered so that a
        // failure keeps the system's reason, takes them in one write.
        TMemoryStream bytes;
        write(bytes);
        file.WriteBuffer(bytes.Bytes().data(), bytes.Size());
    } catch (const EStreamError &e) {
        throw file.Failure(e.what());
    } catch (const std::bad_alloc &) {
        throw file.Failure("Out of memory");
    }
    if (beforeReplacing)
        beforeReplacing();
    file.Commit();
}

// QSaveFile takes its name as text: a name that would not come back to the
// same bytes would save to another file.
void RequireSavableName(const std::string &fileName)
{
    if (!ExactQtFilePath(fileName))
        throw CannotSaveFile(fileName, SNameNotUtf8);
}

void ReplaceFileWith(const std::string &fileName, const void *bytes, int64_t count, TLockedFolder lockedFolder)
{
    SaveFile(fileName, [&](TStream &stream) { stream.WriteBuffer(bytes, count); }, lockedFolder);
}

void MoveFileOver(const std::string &fileName, const std::string &target)
{
    // rename() replaces the target in one step, where QFile::rename refuses.
    if (!Reachable(fileName) || !Reachable(target))
        throw CannotSaveFile(target, std::strerror(ENOENT));
    if (::rename(fileName.c_str(), target.c_str()) != 0)
        throw CannotSaveFileWithErrno(target);
}

// --- Little-endian numbers ---

void WriteUInt32(TStream &stream, uint32_t value)
{
    uint8_t bytes[4];
    PutLE32(bytes, value);
    stream.WriteBuffer(bytes, 4);
}

void WriteInt32(TStream &stream, int32_t value) { WriteUInt32(stream, uint32_t(value)); }

void WriteSingle(TStream &stream, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    WriteUInt32(stream, bits);
}

void WriteByte(TStream &stream, uint8_t value) { stream.WriteBuffer(&value, 1); }

uint32_t ReadUInt32(TStream &stream)
{
    uint8_t bytes[4];
    stream.ReadBuffer(bytes, 4);
    return GetLE32(bytes);
}

int32_t ReadInt32(TStream &stream) { return int32_t(ReadUInt32(stream)); }

float ReadSingle(TStream &stream)
{
    const uint32_t bits = ReadUInt32(stream);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

uint8_t ReadByte(TStream &stream)
{
    uint8_t value;
    stream.ReadBuffer(&value, 1);
    return value;
}
