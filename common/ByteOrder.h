#pragma once
// Readers and writers for multi-byte fields stored in an image's byte order.
// The flag is the image's byte order: 0 means little-endian, anything else big-endian.
#include <cstdint>

inline uint16_t readU16(const uint8_t* p, int bigEndian)
{
    return bigEndian ? uint16_t(p[0] << 8 | p[1]) : uint16_t(p[1] << 8 | p[0]);
}

inline uint32_t readU32(const uint8_t* p, int bigEndian)
{
    return bigEndian ? uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]
                     : uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

inline void writeU16(uint8_t* p, uint16_t v, int bigEndian)
{
    if (bigEndian) { p[0] = uint8_t(v >> 8); p[1] = uint8_t(v); }
    else { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
}

inline void writeU32(uint8_t* p, uint32_t v, int bigEndian)
{
    if (bigEndian) { writeU16(p, uint16_t(v >> 16), 1); writeU16(p + 2, uint16_t(v), 1); }
    else { writeU16(p, uint16_t(v), 0); writeU16(p + 2, uint16_t(v >> 16), 0); }
}
