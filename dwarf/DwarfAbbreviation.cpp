#include "dwarf/DwarfAbbreviation.h"
#include "common/Leb128.h"
#include "dwarf/DwarfConstants.h"
#include <algorithm>

namespace {

int32_t version5FormSize(uint32_t form)
{
    switch (form) {
    case DW_FORM_implicit_const: return 0;
    case DW_FORM_strx1: case DW_FORM_addrx1: return 1;
    case DW_FORM_strx2: case DW_FORM_addrx2: return 2;
    case DW_FORM_strx3: case DW_FORM_addrx3: return 3;
    case DW_FORM_strx4: case DW_FORM_addrx4: case DW_FORM_ref_sup4: case DW_FORM_strp_sup:
    case DW_FORM_line_strp: return 4;
    case DW_FORM_ref_sup8: return 8;
    case DW_FORM_data16: return 16;
    default: return -1;
    }
}

int32_t fixedFormSize(uint32_t form, bool version5)
{
    switch (form) {
    case DW_FORM_flag_present: return 0;
    case DW_FORM_data1: case DW_FORM_flag: case DW_FORM_ref1: return 1;
    case DW_FORM_data2: case DW_FORM_ref2: return 2;
    case DW_FORM_addr: case DW_FORM_data4: case DW_FORM_strp: case DW_FORM_ref_addr:
    case DW_FORM_ref4: case DW_FORM_sec_offset: return 4;
    case DW_FORM_data8: case DW_FORM_ref8: case DW_FORM_ref_sig8: return 8;
    default: return version5 ? version5FormSize(form) : -1;
    }
}

int32_t fixedSize(const DwarfAbbreviation& abbreviation, bool version5)
{
    // 64 bits: a giant damaged table could hold more fixed-size pairs than 32 bits count.
    int64_t total = 0;
    for (const auto& pair : abbreviation.attributeForms) {
        int32_t size = fixedFormSize(pair.second, version5);
        if (size < 0 || total + size > INT32_MAX)
            return -1;
        total += size;
    }
    return int32_t(total);
}

// Collects the pairs in `scratch` first, so that the abbreviation's own vector is
// allocated once at its exact size: the tables are kept for the reader's lifetime.
void readAttributeForms(const uint8_t*& cursor, const uint8_t* end, DwarfAbbreviation& abbreviation,
                        bool version5, std::vector<std::pair<uint32_t, uint32_t>>& scratch,
                        std::vector<int32_t>& constants)
{
    scratch.clear();
    constants.clear();
    bool anyConstant = false;
    while (cursor < end) {
        uint32_t attribute = readUleb128(cursor, end);
        uint32_t form = readUleb128(cursor, end);
        if (attribute == 0 && form == 0)
            break;
        int32_t constant = 0;
        if (version5 && form == DW_FORM_implicit_const) {
            constant = readSleb128(cursor, end);
            anyConstant = true;
        }
        // A pair with one zero is malformed; producers never write it, so pass over it.
        if (attribute != 0 && form != 0) {
            scratch.emplace_back(attribute, form);
            constants.push_back(constant);
        }
    }
    abbreviation.attributeForms.assign(scratch.begin(), scratch.end());
    if (scratch.size() > DwarfAbbreviation::sortedAttributesFrom) {
        for (const auto& pair : scratch)
            abbreviation.sortedAttributes.push_back(pair.first);
        std::sort(abbreviation.sortedAttributes.begin(), abbreviation.sortedAttributes.end());
    }
    if (anyConstant)
        abbreviation.implicitConstants.assign(constants.begin(), constants.end());
}

}

void readAbbreviationTable(const uint8_t* cursor, const uint8_t* end,
                           std::vector<DwarfAbbreviation>& abbreviations, bool version5)
{
    std::vector<std::pair<uint32_t, uint32_t>> scratch;
    std::vector<int32_t> constants;
    while (cursor < end) {
        uint32_t code = readUleb128(cursor, end);
        if (code == 0) {
            // A stray zero code: the table only ends at a second zero.
            if (cursor >= end || *cursor == 0)
                return;
            continue;
        }
        if (cursor >= end)
            return;
        abbreviations.emplace_back();
        DwarfAbbreviation& abbreviation = abbreviations.back();
        abbreviation.code = code;
        abbreviation.tag = readUleb128(cursor, end);
        abbreviation.hasChildren = cursor < end && *cursor++ != 0;
        readAttributeForms(cursor, end, abbreviation, version5, scratch, constants);
        abbreviation.fixedSize = fixedSize(abbreviation, version5);
        if (cursor >= end || *cursor == 0)
            return;
    }
}
