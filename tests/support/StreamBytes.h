// Small helpers for tests that look at the bytes of streams and files.
#pragma once

#include "Streams.h"

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
