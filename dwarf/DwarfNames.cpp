#include "dwarf/DwarfNames.h"
#include <cstdio>

namespace {

struct CodeRange {
    uint32_t first;
    const char* const* names;   // one per code from `first`; null entries have no name
    uint32_t count;
};

template <size_t N>
CodeRange range(uint32_t first, const char* const (&names)[N])
{
    return CodeRange{first, names, uint32_t(N)};
}

template <size_t N>
const char* lookUp(const CodeRange (&ranges)[N], uint32_t code)
{
    for (const CodeRange& r : ranges) {
        if (code >= r.first && code - r.first < r.count)
            return r.names[code - r.first];
    }
    return nullptr;
}

const char* const tags[] = {
    "DW_TAG_array_type", "DW_TAG_class_type", "DW_TAG_entry_point", "DW_TAG_enumeration_type",
    "DW_TAG_formal_parameter", nullptr, nullptr, "DW_TAG_imported_declaration",
    nullptr, "DW_TAG_label", "DW_TAG_lexical_block", nullptr,
    "DW_TAG_member", nullptr, "DW_TAG_pointer_type", "DW_TAG_reference_type",
    "DW_TAG_compile_unit", "DW_TAG_string_type", "DW_TAG_structure_type", nullptr,
    "DW_TAG_subroutine_type", "DW_TAG_typedef", "DW_TAG_union_type", "DW_TAG_unspecified_parameters",
    "DW_TAG_variant", "DW_TAG_common_block", "DW_TAG_common_inclusion", "DW_TAG_inheritance",
    "DW_TAG_inlined_subroutine", "DW_TAG_module", "DW_TAG_ptr_to_member_type", "DW_TAG_set_type",
    "DW_TAG_subrange_type", "DW_TAG_with_stmt", "DW_TAG_access_declaration", "DW_TAG_base_type",
    "DW_TAG_catch_block", "DW_TAG_const_type", "DW_TAG_constant", "DW_TAG_enumerator",
    "DW_TAG_file_type", "DW_TAG_friend", "DW_TAG_namelist", "DW_TAG_namelist_item",
    "DW_TAG_packed_type", "DW_TAG_subprogram", "DW_TAG_template_type_param", "DW_TAG_template_value_param",
    "DW_TAG_thrown_type", "DW_TAG_try_block", "DW_TAG_variant_part", "DW_TAG_variable",
    "DW_TAG_volatile_type", "DW_TAG_dwarf_procedure", "DW_TAG_restrict_type", "DW_TAG_interface_type",
    "DW_TAG_namespace", "DW_TAG_imported_module", "DW_TAG_unspecified_type", "DW_TAG_partial_unit",
    "DW_TAG_imported_unit", "DW_TAG_mutable_type", "DW_TAG_condition", "DW_TAG_shared_type",
    "DW_TAG_type_unit", "DW_TAG_rvalue_reference_type", "DW_TAG_template_alias",   // 0x43
};
const char* const atomicTag[] = {"DW_TAG_atomic_type"};
const char* const userTags[] = {"DW_TAG_lo_user", "DW_TAG_MIPS_loop"};
const char* const gnuTags[] = {
    "DW_TAG_format_label", "DW_TAG_function_template", "DW_TAG_class_template", "DW_TAG_GNU_BINCL",
    "DW_TAG_GNU_EINCL", "DW_TAG_GNU_template_template_param", "DW_TAG_GNU_template_parameter_pack",
    "DW_TAG_GNU_formal_parameter_pack", "DW_TAG_GNU_call_site", "DW_TAG_GNU_call_site_parameter",
};
const char* const hiUserTag[] = {"DW_TAG_hi_user"};

const CodeRange tagRanges[] = {
    range(0x01, tags), range(0x47, atomicTag), range(0x4080, userTags), range(0x4101, gnuTags),
    range(0xFFFF, hiUserTag),
};

const char* const attributes[] = {
    "DW_AT_sibling", "DW_AT_location", "DW_AT_name", nullptr,   // 0x01
    nullptr, nullptr, nullptr, nullptr,                         // 0x05
    "DW_AT_ordering", "DW_AT_subscr_data", "DW_AT_byte_size", "DW_AT_bit_offset",   // 0x09
    "DW_AT_bit_size", nullptr, "DW_AT_element_list", "DW_AT_stmt_list",             // 0x0D
    "DW_AT_low_pc", "DW_AT_high_pc", "DW_AT_language", "DW_AT_member",              // 0x11
    "DW_AT_discr", "DW_AT_discr_value", "DW_AT_visibility", "DW_AT_import",         // 0x15
    "DW_AT_string_length", "DW_AT_common_reference", "DW_AT_comp_dir", "DW_AT_const_value",   // 0x19
    "DW_AT_containing_type", "DW_AT_default_value", nullptr, "DW_AT_inline",         // 0x1D
    "DW_AT_is_optional", "DW_AT_lower_bound", nullptr, nullptr,                     // 0x21
    "DW_AT_producer", nullptr, "DW_AT_prototyped", nullptr,                         // 0x25
    nullptr, "DW_AT_return_addr", nullptr, "DW_AT_start_scope",                     // 0x29
    nullptr, "DW_AT_stride_size", "DW_AT_upper_bound", nullptr,                     // 0x2D
    "DW_AT_abstract_origin", "DW_AT_accessibility", "DW_AT_address_class", "DW_AT_artificial",   // 0x31
    "DW_AT_base_types", "DW_AT_calling_convention", "DW_AT_count", "DW_AT_data_member_location", // 0x35
    "DW_AT_decl_column", "DW_AT_decl_file", "DW_AT_decl_line", "DW_AT_declaration", // 0x39
    "DW_AT_discr_list", "DW_AT_encoding", "DW_AT_external", "DW_AT_frame_base",     // 0x3D
    "DW_AT_friend", "DW_AT_identifier_case", "DW_AT_macro_info", "DW_AT_namelist_item",   // 0x41
    "DW_AT_priority", "DW_AT_segment", "DW_AT_specification", "DW_AT_static_link",  // 0x45
    "DW_AT_type", "DW_AT_use_location", "DW_AT_variable_parameter", "DW_AT_virtuality",   // 0x49
    "DW_AT_vtable_elem_location", "DW_AT_allocated", "DW_AT_associated", "DW_AT_data_location", // 0x4D
    "DW_AT_stride", "DW_AT_entry_pc", "DW_AT_use_UTF8", "DW_AT_extension",           // 0x51
    "DW_AT_ranges", "DW_AT_trampoline", "DW_AT_call_column", "DW_AT_call_file",      // 0x55
    "DW_AT_call_line", "DW_AT_description", "DW_AT_binary_scale", "DW_AT_decimal_scale",   // 0x59
    "DW_AT_small", "DW_AT_decimal_sign", "DW_AT_digit_count", "DW_AT_picture_string",   // 0x5D
    "DW_AT_mutable", "DW_AT_threads_scaled", "DW_AT_explicit", "DW_AT_object_pointer",   // 0x61
    "DW_AT_endianity", "DW_AT_elemental", "DW_AT_pure", "DW_AT_recursive",          // 0x65
    "DW_AT_signature", "DW_AT_main_subprogram", "DW_AT_main_data_bit_offset", "DW_AT_const_expr",   // 0x69
    "DW_AT_enum_class", "DW_AT_linkage_name",                                       // 0x6D
};
const char* const noreturnAttribute[] = {"DW_AT_noreturn"};
const char* const mipsAttributes[] = {
    "DW_AT_lo_user", "DW_AT_MIPS_fde", "DW_AT_MIPS_loop_begin", "DW_AT_MIPS_tail_loop_begin",
    "DW_AT_MIPS_epilog_begin", "DW_AT_MIPS_loop_unroll_factor", "DW_AT_MIPS_software_pipeline_depth",
    "DW_AT_MIPS_linkage_name", "DW_AT_MIPS_stride", "DW_AT_MIPS_abstract_name", "DW_AT_MIPS_clone_origin",
    "DW_AT_MIPS_has_inlines", "DW_AT_MIPS_stride_byte", "DW_AT_MIPS_stride_elem", "DW_AT_MIPS_ptr_dopetype",
    "DW_AT_MIPS_allocatable_dopetype", "DW_AT_MIPS_assumed_shape_dopetype", "DW_AT_MIPS_assumed_size",
};
const char* const gnuAttributes[] = {
    "DW_AT_sf_names", "DW_AT_src_info", "DW_AT_mac_info", "DW_AT_src_coords", "DW_AT_body_begin",
    "DW_AT_body_end", "DW_AT_GNU_vector", "DW_AT_GNU_guarded_by", "DW_AT_GNU_pt_guarded_by",
    "DW_AT_GNU_guarded", "DW_AT_GNU_pt_guarded", "DW_AT_GNU_locks_excluded",
    "DW_AT_GNU_exclusive_locks_required", "DW_AT_GNU_shared_locks_required", "DW_AT_GNU_odr_signature",
    "DW_AT_GNU_template_name", "DW_AT_GNU_call_site_value", "DW_AT_GNU_call_site_data_value",
    "DW_AT_GNU_call_site_target", "DW_AT_GNU_call_site_target_clobbered", "DW_AT_GNU_tail_call",
    "DW_AT_GNU_all_tail_call_sites", "DW_AT_GNU_all_call_sites", "DW_AT_GNU_all_source_call_sites",
    "DW_AT_GNU_macros",
};
const char* const gnuSplitAttributes[] = {
    "DW_AT_GNU_dwo_name", "DW_AT_GNU_dwo_id", "DW_AT_GNU_ranges_base", "DW_AT_GNU_addr_base",
    "DW_AT_GNU_pubnames", "DW_AT_GNU_pubtypes",
};
const char* const appleAttributes[] = {
    "DW_AT_APPLE_optimized", "DW_AT_APPLE_flags", "DW_AT_APPLE_isa", "DW_AT_APPLE_block",
    "DW_AT_APPLE_major_runtime_vers", "DW_AT_APPLE_runtime_class",
};
const char* const hiUserAttribute[] = {"DW_AT_hi_user"};

const CodeRange attributeRanges[] = {
    range(0x01, attributes), range(0x87, noreturnAttribute), range(0x2000, mipsAttributes),
    range(0x2101, gnuAttributes), range(0x2130, gnuSplitAttributes), range(0x3FE1, appleAttributes),
    range(0x3FFF, hiUserAttribute),
};

const char* const forms[] = {
    "DW_FORM_addr", nullptr, "DW_FORM_block2", "DW_FORM_block4",          // 0x01
    "DW_FORM_data2", "DW_FORM_data4", "DW_FORM_data8", "DW_FORM_string",  // 0x05
    "DW_FORM_block", "DW_FORM_block1", "DW_FORM_data1", "DW_FORM_flag",   // 0x09
    "DW_FORM_sdata", "DW_FORM_strp", "DW_FORM_udata", "DW_FORM_ref_addr", // 0x0D
    "DW_FORM_ref1", "DW_FORM_ref2", "DW_FORM_ref4", "DW_FORM_ref8",       // 0x11
    "DW_FORM_ref_udata", "DW_FORM_indirect", "DW_FORM_sec_offset", "DW_FORM_exprloc",   // 0x15
    "DW_FORM_flag_present",                                               // 0x19
};
const char* const signatureForm[] = {"DW_FORM_ref_sig8"};
const char* const gnuIndexForms[] = {"DW_FORM_GNU_addr_index", "DW_FORM_GNU_str_index"};
const char* const gnuAltForms[] = {"DW_FORM_GNU_ref_alt", "DW_FORM_GNU_strp_alt"};

const CodeRange formRanges[] = {
    range(0x01, forms), range(0x20, signatureForm), range(0x1F01, gnuIndexForms), range(0x1F20, gnuAltForms),
};

// Codes that version 5 added, named in version-5 units only. Codes the tables above name
// keep those names there too.
const char* const version5Tags[] = {
    "DW_TAG_coarray_type", "DW_TAG_generic_subrange", "DW_TAG_dynamic_type", nullptr,   // 0x44
    "DW_TAG_call_site", "DW_TAG_call_site_parameter", "DW_TAG_skeleton_unit", "DW_TAG_immutable_type",   // 0x48
};
const CodeRange version5TagRanges[] = {range(0x44, version5Tags)};

const char* const version5Attributes[] = {
    "DW_AT_string_length_bit_size", "DW_AT_string_length_byte_size", "DW_AT_rank",   // 0x6F
    "DW_AT_str_offsets_base", "DW_AT_addr_base", "DW_AT_rnglists_base", nullptr,     // 0x72
    "DW_AT_dwo_name", "DW_AT_reference", "DW_AT_rvalue_reference", "DW_AT_macros",   // 0x76
    "DW_AT_call_all_calls", "DW_AT_call_all_source_calls", "DW_AT_call_all_tail_calls",   // 0x7A
    "DW_AT_call_return_pc", "DW_AT_call_value", "DW_AT_call_origin", "DW_AT_call_parameter",   // 0x7D
    "DW_AT_call_pc", "DW_AT_call_tail_call", "DW_AT_call_target", "DW_AT_call_target_clobbered",   // 0x81
    "DW_AT_call_data_location", "DW_AT_call_data_value", nullptr,                    // 0x85
    "DW_AT_alignment", "DW_AT_export_symbols", "DW_AT_deleted", "DW_AT_defaulted",   // 0x88
    "DW_AT_loclists_base",                                                           // 0x8C
};
const CodeRange version5AttributeRanges[] = {range(0x6F, version5Attributes)};

const char* const version5Forms[] = {
    "DW_FORM_strx", "DW_FORM_addrx", "DW_FORM_ref_sup4", "DW_FORM_strp_sup", "DW_FORM_data16",   // 0x1A
    "DW_FORM_line_strp", nullptr, "DW_FORM_implicit_const", "DW_FORM_loclistx",   // 0x1F
    "DW_FORM_rnglistx", "DW_FORM_ref_sup8", "DW_FORM_strx1", "DW_FORM_strx2",      // 0x23
    "DW_FORM_strx3", "DW_FORM_strx4", "DW_FORM_addrx1", "DW_FORM_addrx2",          // 0x27
    "DW_FORM_addrx3", "DW_FORM_addrx4",                                            // 0x2B
};
const CodeRange version5FormRanges[] = {range(0x1A, version5Forms)};

template <size_t N, size_t M>
const char* lookUp(const CodeRange (&ranges)[N], const CodeRange (&version5Ranges)[M], uint32_t code,
                   uint32_t version)
{
    const char* name = lookUp(ranges, code);
    return name || version != 5 ? name : lookUp(version5Ranges, code);
}

}

DwarfCodeName::DwarfCodeName(const char* known, const char* fallbackPrefix, uint32_t code) : known(known)
{
    if (!known)
        snprintf(fallback, sizeof fallback, "%s 0x%x", fallbackPrefix, code);
}

const char* knownTagName(uint32_t code, uint32_t version)
{
    return lookUp(tagRanges, version5TagRanges, code, version);
}
const char* knownAttributeName(uint32_t code, uint32_t version)
{
    return lookUp(attributeRanges, version5AttributeRanges, code, version);
}
const char* knownFormName(uint32_t code, uint32_t version)
{
    return lookUp(formRanges, version5FormRanges, code, version);
}

DwarfCodeName tagName(uint32_t code, uint32_t version)
{
    return DwarfCodeName(knownTagName(code, version), "unexpected DW_TAG", code);
}
DwarfCodeName attributeName(uint32_t code, uint32_t version)
{
    return DwarfCodeName(knownAttributeName(code, version), "unexpected DW_AT", code);
}
DwarfCodeName formName(uint32_t code, uint32_t version)
{
    return DwarfCodeName(knownFormName(code, version), "unexpected DW_FORM", code);
}
