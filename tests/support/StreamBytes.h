// Small helpers for tests that look at the bytes of streams and files.
#pragma once

#include "FileSystem.h"
#include "Streams.h"

#include <QFile>
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

// The whole content of a file (empty when it cannot be read).
inline std::vector<uint8_t> FileBytes(const std::string &name)
{
    QFile file(QtFilePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = file.readAll();
    return std::vector<uint8_t>(all.begin(), all.end());
}

// Replaces a file by bytes; false when it could not be written whole.
inline bool WriteFileBytes(const std::string &name, const std::vector<uint8_t> &bytes)
{
    QFile file(QtFilePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size())) ==
               qint64(bytes.size());
}
