// Byte streams for the program's binary files and in-memory copies.
//
// Every format is read and written in whole pieces: ReadBuffer raises
// EReadError when fewer bytes remain than asked, WriteBuffer raises
// EWriteError when the bytes could not all be taken. Remaining() lets a
// reader check a length read from a file before it reserves memory for it.
#pragma once

#include "Exceptions.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QFileDevice;

class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to count bytes; returns how many were read.
    virtual int64_t Read(void *buffer, int64_t count) = 0;
    // Writes up to count bytes; returns how many were taken.
    virtual int64_t Write(const void *buffer, int64_t count) = 0;

    virtual int64_t Position() const = 0;
    virtual void SetPosition(int64_t position) = 0;
    virtual int64_t Size() const = 0;

    // Bytes between the position and the end (never negative).
    int64_t Remaining() const;

    void ReadBuffer(void *buffer, int64_t count);
    void WriteBuffer(const void *buffer, int64_t count);
};

// A growable block of bytes in memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes);

    int64_t Read(void *buffer, int64_t count) override;
    int64_t Write(const void *buffer, int64_t count) override;
    int64_t Position() const override { return FPosition; }
    void SetPosition(int64_t position) override;
    int64_t Size() const override { return static_cast<int64_t>(FBytes.size()); }

    const std::vector<uint8_t> &Bytes() const { return FBytes; }

private:
    std::vector<uint8_t> FBytes;
    int64_t FPosition = 0;
};

// A file opened for reading, or created (replaced and emptied) for writing.
// Paths are file-system bytes (UTF-8 on Linux) with "/" separators.
class TFileStream : public TStream {
public:
    enum TMode { fmOpenRead, fmCreate };

    // Raises EFOpenError when the file cannot be opened or created; only a
    // regular file is opened for reading, as OpenFileToRead does.
    TFileStream(const std::string &fileName, TMode mode);
    // A stream on a file opened already (OpenFileToRead).
    explicit TFileStream(std::unique_ptr<QFileDevice> device);
    ~TFileStream() override;

    int64_t Read(void *buffer, int64_t count) override;
    int64_t Write(const void *buffer, int64_t count) override;
    int64_t Position() const override;
    void SetPosition(int64_t position) override;
    int64_t Size() const override;

protected:
    QFileDevice &Device() const { return *FDevice; }

private:
    std::unique_ptr<QFileDevice> FDevice;
};

// What a save does when the target's folder takes no new file. By default it
// fails; WriteInPlace rewrites the file where it stands (a settings file in a
// folder the user may not write into), which a failed write can leave cut
// short.
enum class TLockedFolder { Fail, WriteInPlace };

// Writes a new version of a file without ever destroying the old one: the
// bytes go to a temporary file beside the target, and only Commit() renames
// it over the target once every byte is on the disk. Destroying the stream
// without a successful Commit() throws the temporary away and leaves the old
// file as it was. Every failure raises the save error of CannotSaveFile,
// which names the target and gives the system's reason.
class TSafeFileStream : public TFileStream {
public:
    // Raises the save error when the temporary file cannot be created.
    explicit TSafeFileStream(const std::string &fileName, TLockedFolder lockedFolder = TLockedFolder::Fail);

    // Raises the save error when the data cannot be flushed, synced or renamed.
    void Commit();

    // The save error of this file with the system's reason for its last
    // failure, or with fallback when the system gave none.
    EWriteError Failure(const std::string &fallback) const;

private:
    std::string FFileName;
};

// Little-endian numbers (the layout of LittleEndian.h) on a stream, whole or
// not at all (EReadError / EWriteError).
void WriteInt32(TStream &stream, int32_t value);
void WriteUInt32(TStream &stream, uint32_t value);
void WriteSingle(TStream &stream, float value);
void WriteByte(TStream &stream, uint8_t value);
int32_t ReadInt32(TStream &stream);
uint32_t ReadUInt32(TStream &stream);
float ReadSingle(TStream &stream);
uint8_t ReadByte(TStream &stream);

// Replaces fileName by what write puts into the stream, through a
// TSafeFileStream: the old file stays as it was unless the whole new one was
// written. A stream error of write or a lack of memory becomes the file's
// save error; so does every failure of the file itself. beforeReplacing runs
// once the new file is written whole, just before it replaces the old one:
// whatever it raises passes on and leaves the old file as it was.
void SaveFile(const std::string &fileName, const std::function<void(TStream &)> &write,
              TLockedFolder lockedFolder = TLockedFolder::Fail, const std::function<void()> &beforeReplacing = {});

// Raises the save error that a save to fileName gives a name it cannot
// save to (one that is not UTF-8 text), for a caller that must refuse it
// before it makes anything for the file.
void RequireSavableName(const std::string &fileName);

// Replaces fileName by the bytes, as SaveFile does.
void ReplaceFileWith(const std::string &fileName, const void *bytes, int64_t count,
                     TLockedFolder lockedFolder = TLockedFolder::Fail);

// Moves a finished file over target in one step (an old target is replaced,
// never half); raises the save error of target when it cannot.
void MoveFileOver(const std::string &fileName, const std::string &target);
