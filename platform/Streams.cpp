#include "Streams.h"

#include "Exceptions.h"
#include "FileSystem.h"
#include "LittleEndian.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cstring>
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

static std::unique_ptr<QFileDevice> OpenFile(const std::string &fileName, TFileStream::TMode mode)
{
    auto file = std::make_unique<QFile>(QtFilePath(fileName));
    if (mode == TFileStream::fmOpenRead) {
        if (!file->open(QIODevice::ReadOnly))
            throw CannotOpenFile(fileName, file->errorString().toStdString());
        return file;
    }
    // Unbuffered, so that a failed write is reported by the write itself.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw CannotCreateFile(fileName, file->errorString().toStdString());
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
    if (count <= 0)
        return 0;
    return std::max<int64_t>(0, FDevice->write(static_cast<const char *>(buffer), count));
}

int64_t TFileStream::Position() const { return FDevice->pos(); }

void TFileStream::SetPosition(int64_t position) { FDevice->seek(position); }

int64_t TFileStream::Size() const { return FDevice->size(); }

// --- TSafeFileStream ---

static std::unique_ptr<QFileDevice> CreateSaveFile(const std::string &fileName, TLockedFolder lockedFolder)
{
    auto file = std::make_unique<QSaveFile>(QtFilePath(fileName));
    file->setDirectWriteFallback(lockedFolder == TLockedFolder::WriteInPlace);
    if (!file->open(QIODevice::WriteOnly))
        throw CannotCreateFile(fileName, file->errorString().toStdString());
    return file;
}

TSafeFileStream::TSafeFileStream(const std::string &fileName, TLockedFolder lockedFolder)
    : TFileStream(CreateSaveFile(fileName, lockedFolder))
{
}

void TSafeFileStream::Commit()
{
    auto &file = static_cast<QSaveFile &>(Device());
    // commit() looks neither at its own last flush nor at the sync, so on a
    // full disk it would rename a cut-short file over the old one. Both are
    // done and checked here first.
    if (!file.flush() || ::fsync(file.handle()) != 0 || !file.commit())
        throw EWriteError(SWriteError);
}

void ReplaceFileWith(const std::string &fileName, const void *bytes, int64_t count, TLockedFolder lockedFolder)
{
    TSafeFileStream file(fileName, lockedFolder);
    file.WriteBuffer(bytes, count);
    file.Commit();
}

std::string TSafeFileStream::WithSystemReason(const std::string &error) const
{
    if (Device().error() == QFileDevice::NoError)
        return error;
    return error + ": " + Device().errorString().toStdString();
}

bool SaveFileSafely(const std::string &fileName, const std::function<void(TStream &)> &write,
                    std::string *reason)
{
    std::unique_ptr<TSafeFileStream> stream;
    try {
        stream = std::make_unique<TSafeFileStream>(fileName);
        write(*stream);
        stream->Commit();
        return true;
    } catch (const Exception &e) {
        if (reason)
            *reason = stream ? stream->WithSystemReason(e.what()) : e.what();
        return false;
    } catch (const std::bad_alloc &) {
        if (reason)
            *reason = "Out of memory";
        return false;
    }
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
