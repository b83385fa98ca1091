// Little-endian numbers in memory, the byte order of every file the program
// reads or writes. Two ways in, one byte layout:
//  - PutLE / GetLE work on bytes in place: a header inside a buffer that is
//    being read, or a field of a buffer laid out beforehand;
//  - AppendLE and TLittleEndianWriter build a new file image field by field,
//    onto a byte vector or a QByteArray.
// Numbers read from or written to a TStream go through Streams.h, which uses
// the same layout.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

inline void PutLE16(uint8_t *p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void PutLE32(uint8_t *p, uint32_t v)
{
    PutLE16(p, v);
    PutLE16(p + 2, v >> 16);
}

inline uint32_t GetLE16(const uint8_t *p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

inline uint32_t GetLE32(const uint8_t *p) { return GetLE16(p) | GetLE16(p + 2) << 16; }

inline void AppendLE16(std::vector<uint8_t> &out, uint32_t v)
{
    uint8_t bytes[2];
    PutLE16(bytes, v);
    out.insert(out.end(), bytes, bytes + 2);
}

inline void AppendLE32(std::vector<uint8_t> &out, uint32_t v)
{
    uint8_t bytes[4];
    PutLE32(bytes, v);
    out.insert(out.end(), bytes, bytes + 4);
}

// Builds a binary file image in a QByteArray, one field after the other.
class TLittleEndianWriter {
public:
    void PutU8(uint8_t value) { FBytes.append(char(value)); }
    void PutU16(uint16_t value) { PutField<2>(value, PutLE16); }
    void PutU32(uint32_t value) { PutField<4>(value, PutLE32); }
    void PutI16(int16_t value) { PutU16(uint16_t(value)); }
    void PutI32(int32_t value) { PutU32(uint32_t(value)); }
    void PutBytes(const QByteArray &bytes) { FBytes.append(bytes); }

    int Size() const { return int(FBytes.size()); }
    const QByteArray &Bytes() const { return FBytes; }

private:
    template <int Count>
    void PutField(uint32_t value, void (*put)(uint8_t *, uint32_t))
    {
        uint8_t bytes[Count];
        put(bytes, value);
        FBytes.append(reinterpret_cast<const char *>(bytes), Count);
    }

    QByteArray FBytes;
};
