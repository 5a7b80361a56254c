#pragma once
// The sections that version-5 units reach through indexes and offsets: .debug_str_offsets,
// .debug_addr, .debug_line_str, .debug_rnglists and .debug_loclists, and the bases that a
// unit's first entry gives into them. Every lookup stays inside its section.
#include <cstdint>
#include <functional>

class ElfFile;
class DwarfCompilationUnit;

struct DwarfSectionBytes {
    const uint8_t* bytes = nullptr;   // null when the image has no such section
    uint32_t size = 0;
};

struct Dwarf5Sections {
    DwarfSectionBytes strOffsets;
    DwarfSectionBytes addr;
    DwarfSectionBytes lineStr;
    DwarfSectionBytes rnglists;
    DwarfSectionBytes loclists;

    void bind(const ElfFile& image);
};

// DW_AT_str_offsets_base, DW_AT_addr_base, DW_AT_rnglists_base and DW_AT_loclists_base of a
// version-5 unit's first entry; 0 where it has none.
struct Dwarf5UnitBases {
    uint32_t strOffsets = 0;
    uint32_t addr = 0;
    uint32_t rnglists = 0;
    uint32_t loclists = 0;
};

// Entry `index` of the table of 4-byte offsets that starts at `base` of `section`; false
// when it lies outside the section.
bool offsetTableEntry(const DwarfSectionBytes& section, uint32_t base, uint32_t index, uint32_t byteOrder,
                      uint32_t& entry);
// Entry `index` of the address table at `base` of .debug_addr, `addressSize` bytes each
// (the low 32 bits are kept); false outside the section or for an address size above 8.
bool addressTableEntry(const DwarfSectionBytes& section, uint32_t base, uint32_t index, uint32_t addressSize,
                       uint32_t byteOrder, uint32_t& address);

// Walks the range list at `offset` of .debug_rnglists for a version-5 unit and calls `range`
// with each range's begin and end address (end excluded), base addresses applied; the
// first base is the unit's DW_AT_low_pc. Stops at the end-of-list entry, an unknown entry
// kind, or the section end.
void forEachRnglistRange(const DwarfCompilationUnit& unit, uint32_t offset,
                         const std::function<void(uint32_t begin, uint32_t end)>& range);

// The expression of the first entry of the location list at `offset` of .debug_loclists
// whose range holds `address` (an address of the image), or else of its default entry;
// false when there is neither.
bool findLoclistExpression(const DwarfCompilationUnit& unit, uint32_t offset, uint32_t address,
                           const uint8_t*& expression, uint32_t& length);
