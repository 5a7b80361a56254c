#pragma once
// In-place conversion of ELF table fields from the image's byte order to the host's.
// Fields are addressed as bytes, since tables of a damaged image may sit at any offset.
#include "common/ByteOrder.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

inline void toHost16(uint8_t* field, bool bigEndian)
{
    uint16_t value = readU16(field, bigEndian);
    memcpy(field, &value, sizeof value);
}

inline void toHost32(uint8_t* field, bool bigEndian)
{
    uint32_t value = readU32(field, bigEndian);
    memcpy(field, &value, sizeof value);
}

// The bytes of `member` in the packed record at `record`.
#define ELF_RECORD_FIELD(record, Type, member) (reinterpret_cast<uint8_t*>(record) + offsetof(Type, member))
