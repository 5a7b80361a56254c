#pragma once
// In-place conversion of ELF table fields from the image's byte order to the host's.
// Fields are addressed as bytes, since tables of a damaged image may sit at any offset.
#include "common/ByteOrder.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// An image in the host's own byte order is left untouched: no write, so the pages of a
// private file mapping stay shared with the file instead of being copied.
inline bool sameAsHost(bool bigEndian)
{
    return bigEndian == (__BYTE_ORDER__ == __ORDER_BIG_ENDIAN__);
}

inline void toHost16(uint8_t* field, bool bigEndian)
{
    if (sameAsHost(bigEndian))
        return;
    uint16_t value = readU16(field, bigEndian);
    memcpy(field, &value, sizeof value);
}

inline void toHost32(uint8_t* field, bool bigEndian)
{
    if (sameAsHost(bigEndian))
        return;
    uint32_t value = readU32(field, bigEndian);
    memcpy(field, &value, sizeof value);
}

// The bytes of `member` in the packed record at `record`.
#define ELF_RECORD_FIELD(record, Type, member) (reinterpret_cast<uint8_t*>(record) + offsetof(Type, member))
