#pragma once
// The DWARF tags and attributes of types and members that the register-group writer and
// the location-expression machine act on, beside the reader's own in DwarfConstants.h.
#include "dwarf/DwarfConstants.h"
#include <cstdint>

enum DwarfTypeTag : uint32_t {
    DW_TAG_array_type = 0x01,
    DW_TAG_member = 0x0D,
    DW_TAG_pointer_type = 0x0F,
    DW_TAG_reference_type = 0x10,
    DW_TAG_subrange_type = 0x21,
    DW_TAG_const_type = 0x26,
    DW_TAG_volatile_type = 0x35,
};

enum DwarfTypeAttribute : uint32_t {
    DW_AT_byte_size = 0x0B,
    DW_AT_bit_offset = 0x0C,
    DW_AT_bit_size = 0x0D,
    DW_AT_upper_bound = 0x2F,
    DW_AT_data_member_location = 0x38,
    DW_AT_encoding = 0x3E,
    DW_AT_frame_base = 0x40,
    DW_AT_type = 0x49,
    DW_AT_data_bit_offset = 0x6B,
};
