// Little-endian numbers in byte buffers, as every file format here stores them.
#pragma once

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

inline void AppendLE16(std::vector<uint8_t> &out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void AppendLE32(std::vector<uint8_t> &out, uint32_t v)
{
    AppendLE16(out, v);
    AppendLE16(out, v >> 16);
}

inline uint32_t GetLE16(const uint8_t *p) { return p[0] | (p[1] << 8); }

inline uint32_t GetLE32(const uint8_t *p) { return GetLE16(p) | (GetLE16(p + 2) << 16); }
