#pragma once
// Bit-field members of version-5 units, placed the way version 4 describes them. Version 5
// gives a bit field's position as DW_AT_data_bit_offset, in bits from the start of the
// enclosing structure; version 4 gives the byte offset of a storage unit the size of the
// member's type (DW_AT_data_member_location) and DW_AT_bit_offset, which counts from that
// unit's most significant bit.
#include <cstdint>
#include <optional>

class DwarfDebuggingInformationEntry;

struct Version4BitField {
    uint32_t memberOffset;   // byte offset of the storage unit in the structure
    uint32_t bitOffset;      // DW_AT_bit_offset
};

// The placement of a member of a version-5 unit that has DW_AT_bit_size and
// DW_AT_data_bit_offset; nothing for any other member, or for any member of an older unit.
std::optional<Version4BitField> version4BitField(const DwarfDebuggingInformationEntry* member);
