// Builds binary file images field by field in little-endian order, the byte
// order of every Windows picture format the program writes.
#pragma once

#include <QByteArray>
#include <cstdint>

class TLittleEndianWriter {
public:
    void PutU8(uint8_t value) { FBytes.append(char(value)); }
    void PutU16(uint16_t value);
    void PutU32(uint32_t value);
    void PutI16(int16_t value) { PutU16(uint16_t(value)); }
    void PutI32(int32_t value) { PutU32(uint32_t(value)); }
    void PutBytes(const QByteArray &bytes) { FBytes.append(bytes); }
    // Overwrites a 32-bit field written earlier (a size known only at the end).
    void PatchU32(int offset, uint32_t value);

    int Size() const { return int(FBytes.size()); }
    const QByteArray &Bytes() const { return FBytes; }

private:
    QByteArray FBytes;
};
