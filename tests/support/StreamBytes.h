// Bytes of streams and files, and a temporary folder, for tests that make
// inputs and check outputs.
#pragma once

#include "FileSystem.h"
#include "Streams.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <string>
#include <vector>

inline int32_t Int32At(const std::vector<uint8_t> &bytes, size_t offset)
{
    int32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

inline float SingleAt(const std::vector<uint8_t> &bytes, size_t offset)
{
    float value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

inline std::string TextAt(const std::vector<uint8_t> &bytes, size_t offset, size_t length)
{
    return std::string(bytes.begin() + long(offset), bytes.begin() + long(offset + length));
}

// The bytes that a writer puts into a memory stream.
template <typename Writer>
std::vector<uint8_t> BytesWrittenBy(Writer &&write)
{
    TMemoryStream stream;
    write(stream);
    return stream.Bytes();
}

// The whole content of a file ("" when it cannot be read).
inline std::string FileText(const std::string &name)
{
    QFile file;
    return OpenFileToRead(file, name) ? file.readAll().toStdString() : std::string();
}

inline std::vector<uint8_t> FileBytes(const std::string &name)
{
    const std::string text = FileText(name);
    return std::vector<uint8_t>(text.begin(), text.end());
}

// Replaces a file by bytes; false when it could not be written whole.
inline bool WriteFileText(const std::string &name, const std::string &bytes)
{
    try {
        TFileStream file(name, TFileStream::fmCreate);
        file.WriteBuffer(bytes.data(), int64_t(bytes.size()));
        return true;
    } catch (const EStreamError &) {
        return false;
    }
}

inline bool WriteFileBytes(const std::string &name, const std::vector<uint8_t> &bytes)
{
    return WriteFileText(name, std::string(bytes.begin(), bytes.end()));
}

// A temporary folder that lives as long as the object; paths in it as bytes.
class TTempFolder {
public:
    std::string Path(const std::string &name = "") const { return FilePathBytes(FDir.path()) + "/" + name; }
    // Writes a file of the folder and gives its path.
    std::string Write(const std::string &name, const std::string &bytes) const
    {
        const std::string path = Path(name);
        WriteFileText(path, bytes);
        return path;
    }

private:
    QTemporaryDir FDir;
};
