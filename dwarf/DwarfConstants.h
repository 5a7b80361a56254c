#pragma once
// The DWARF codes the reader itself acts on. The name tables (DwarfNames.cpp) know many more.
#include <cstdint>

enum DwarfTag : uint32_t {
    DW_TAG_class_type = 0x02,
    DW_TAG_structure_type = 0x13,
    DW_TAG_typedef = 0x16,
    DW_TAG_union_type = 0x17,
    DW_TAG_compile_unit = 0x11,
    DW_TAG_base_type = 0x24,
    DW_TAG_subprogram = 0x2E,
    DW_TAG_variable = 0x34,
    DW_TAG_partial_unit = 0x3C,
};

enum DwarfAttribute : uint32_t {
    DW_AT_location = 0x02,
    DW_AT_name = 0x03,
    DW_AT_stmt_list = 0x10,
    DW_AT_low_pc = 0x11,
    DW_AT_high_pc = 0x12,
    DW_AT_comp_dir = 0x1B,
    DW_AT_producer = 0x25,
    DW_AT_abstract_origin = 0x31,
    DW_AT_decl_file = 0x3A,
    DW_AT_declaration = 0x3C,
    DW_AT_external = 0x3F,
    DW_AT_specification = 0x47,
    DW_AT_ranges = 0x55,
    DW_AT_linkage_name = 0x6E,
    DW_AT_str_offsets_base = 0x72,
    DW_AT_addr_base = 0x73,
    DW_AT_rnglists_base = 0x74,
    DW_AT_loclists_base = 0x8C,
    DW_AT_MIPS_linkage_name = 0x2007,
};

enum DwarfForm : uint32_t {
    DW_FORM_addr = 0x01,
    DW_FORM_block2 = 0x03,
    DW_FORM_block4 = 0x04,
    DW_FORM_data2 = 0x05,
    DW_FORM_data4 = 0x06,
    DW_FORM_data8 = 0x07,
    DW_FORM_string = 0x08,
    DW_FORM_block = 0x09,
    DW_FORM_block1 = 0x0A,
    DW_FORM_data1 = 0x0B,
    DW_FORM_flag = 0x0C,
    DW_FORM_sdata = 0x0D,
    DW_FORM_strp = 0x0E,
    DW_FORM_udata = 0x0F,
    DW_FORM_ref_addr = 0x10,
    DW_FORM_ref1 = 0x11,
    DW_FORM_ref2 = 0x12,
    DW_FORM_ref4 = 0x13,
    DW_FORM_ref8 = 0x14,
    DW_FORM_ref_udata = 0x15,
    DW_FORM_indirect = 0x16,
    DW_FORM_sec_offset = 0x17,
    DW_FORM_exprloc = 0x18,
    DW_FORM_flag_present = 0x19,
    DW_FORM_ref_sig8 = 0x20,
    // Version 5; only version-5 units decode them.
    DW_FORM_strx = 0x1A,
    DW_FORM_addrx = 0x1B,
    DW_FORM_ref_sup4 = 0x1C,
    DW_FORM_strp_sup = 0x1D,
    DW_FORM_data16 = 0x1E,
    DW_FORM_line_strp = 0x1F,
    DW_FORM_implicit_const = 0x21,
    DW_FORM_loclistx = 0x22,
    DW_FORM_rnglistx = 0x23,
    DW_FORM_ref_sup8 = 0x24,
    DW_FORM_strx1 = 0x25,
    DW_FORM_strx2 = 0x26,
    DW_FORM_strx3 = 0x27,
    DW_FORM_strx4 = 0x28,
    DW_FORM_addrx1 = 0x29,
    DW_FORM_addrx2 = 0x2A,
    DW_FORM_addrx3 = 0x2B,
    DW_FORM_addrx4 = 0x2C,
};

// Version-5 unit types.
enum DwarfUnitType : uint8_t {
    DW_UT_compile = 0x01,
    DW_UT_type = 0x02,
    DW_UT_partial = 0x03,
    DW_UT_skeleton = 0x04,
    DW_UT_split_compile = 0x05,
    DW_UT_split_type = 0x06,
};

// The one location operation the variables index looks at.
const uint8_t DW_OP_addr = 0x03;
