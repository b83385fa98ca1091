#include "LittleEndian.h"

void TLittleEndianWriter::PutU16(uint16_t value)
{
    PutU8(uint8_t(value));
    PutU8(uint8_t(value >> 8));
}

void TLittleEndianWriter::PutU32(uint32_t value)
{
    PutU16(uint16_t(value));
    PutU16(uint16_t(value >> 16));
}

void TLittleEndianWriter::PatchU32(int offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        FBytes[offset + i] = char(uint8_t(value >> (8 * i)));
}
