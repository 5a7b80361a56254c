#pragma once
// In-place conversion of ELF table fields from the image's byte order to the host's.
// Fields are addressed as bytes, since tables of a damaged image may sit at any offset.
// Each conversion either leaves a field as it is or swaps its bytes, so the same calls
// also convert host-order fields back to the image's byte order.
#include "common/ByteOrder.h"
#include "elf/ElfFile.h"

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

inline void headerToHost(ElfHeader* h, bool be)
{
    toHost16(ELF_RECORD_FIELD(h, ElfHeader, e_type), be);
    toHost16(ELF_RECORD_FIELD(h, ElfHeader, e_machine), be);
    toHost32(ELF_RECORD_FIELD(h, ElfHeader, e_version), be);
    toHost32(ELF_RECORD_FIELD(h, ElfHeader, e_entry), be);
    toHost32(ELF_RECORD_FIELD(h, ElfHeader, e_phoff), be);
    toHost32(ELF_RECORD_FIELD(h, ElfHeader, e_shoff), be);
    toHost32(ELF_RECORD_FIELD(h, ElfHeader, e_flags), be);
    toHost16(ELF_RECORD_FIELD(h, ElfHeader, e_ehsize), be);
    toHost16(ELF_RECORD_FIELD(h, ElfHeader, e_phentsize), be);
    toHost16(ELF_RECORD_FIELD(h, ElfHeader, e_phnum), be);
    toHost16(ELF_RECORD_FIELD(h, ElfHeader, e_shentsize), be);
    toHost16(ELF_RECORD_FIELD(h, ElfHeader, e_shnum), be);
    toHost16(ELF_RECORD_FIELD(h, ElfHeader, e_shstrndx), be);
}

// Program and section header entries are nothing but 32-bit words, back to back.
inline void wordsToHost(void* record, uint32_t size, bool be)
{
    for (uint32_t offset = 0; offset < size; offset += 4)
        toHost32(static_cast<uint8_t*>(record) + offset, be);
}

// st_info and st_other are single bytes.
inline void symbolToHost(ElfSymbolEntry* s, bool be)
{
    toHost32(ELF_RECORD_FIELD(s, ElfSymbolEntry, st_name), be);
    toHost32(ELF_RECORD_FIELD(s, ElfSymbolEntry, st_value), be);
    toHost32(ELF_RECORD_FIELD(s, ElfSymbolEntry, st_size), be);
    toHost16(ELF_RECORD_FIELD(s, ElfSymbolEntry, st_shndx), be);
}
