#include "dwarf/Dwarf5Sections.h"
#include "common/ByteCursor.h"
#include "dwarf/DwarfCompilationUnit.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfDebugInfo.h"
#include "elf/ElfFile.h"

namespace {

void bindSection(const ElfFile& image, const char* name, DwarfSectionBytes& section)
{
    ElfSection* found = image.getSection(QString::fromLatin1(name));
    section.bytes = found ? found->data : nullptr;
    section.size = section.bytes ? found->availableSize() : 0;
}

// Entry kinds of a version-5 range list.
enum RangeListEntry : uint8_t {
    DW_RLE_end_of_list = 0,
    DW_RLE_base_addressx = 1,
    DW_RLE_startx_endx = 2,
    DW_RLE_startx_length = 3,
    DW_RLE_offset_pair = 4,
    DW_RLE_base_address = 5,
    DW_RLE_start_end = 6,
    DW_RLE_start_length = 7,
};

// Reads range-list operands: addresses by index or inline, in the unit's address size.
class RangeListReader {
public:
    RangeListReader(const DwarfCompilationUnit& unit, const DwarfSectionBytes& section)
        : unit(unit), cursor(section.bytes, section.size, int(unit.byteOrder)) {}

    ByteCursor& at() { return cursor; }
    uint32_t indexedAddress()
    {
        uint32_t index = cursor.readUleb128();
        uint32_t address = 0;
        const DwarfDebugInfo& reader = *unit.owner;
        if (!addressTableEntry(reader.dwarf5.addr, unit.bases.addr, index, unit.addressSize, unit.byteOrder, address))
            failed = true;
        return address;
    }
    uint32_t inlineAddress()
    {
        if (unit.addressSize == 0 || unit.addressSize > 8) {
            failed = true;
            return 0;
        }
        return uint32_t(cursor.readUnsigned(unit.addressSize));
    }
    bool ok() const { return !failed && !cursor.failed(); }

private:
    const DwarfCompilationUnit& unit;
    ByteCursor cursor;
    bool failed = false;
};

}

void Dwarf5Sections::bind(const ElfFile& image)
{
    bindSection(image, ".debug_str_offsets", strOffsets);
    bindSection(image, ".debug_addr", addr);
    bindSection(image, ".debug_line_str", lineStr);
    bindSection(image, ".debug_rnglists", rnglists);
    bindSection(image, ".debug_loclists", loclists);
}

bool offsetTableEntry(const DwarfSectionBytes& section, uint32_t base, uint32_t index, uint32_t byteOrder,
                      uint32_t& entry)
{
    uint64_t position = uint64_t(base) + uint64_t(index) * 4;
    if (!section.bytes || position + 4 > section.size)
        return false;
    ByteCursor cursor(section.bytes, section.size, int(byteOrder));
    cursor.seek(uint32_t(position));
    entry = cursor.readU32();
    return true;
}

bool addressTableEntry(const DwarfSectionBytes& section, uint32_t base, uint32_t index, uint32_t addressSize,
                       uint32_t byteOrder, uint32_t& address)
{
    uint64_t position = uint64_t(base) + uint64_t(index) * addressSize;
    if (!section.bytes || addressSize == 0 || addressSize > 8 || position + addressSize > section.size)
        return false;
    ByteCursor cursor(section.bytes, section.size, int(byteOrder));
    cursor.seek(uint32_t(position));
    address = uint32_t(cursor.readUnsigned(addressSize));
    return true;
}

void forEachRnglistRange(const DwarfCompilationUnit& unit, uint32_t offset,
                         const std::function<void(uint32_t begin, uint32_t end)>& range)
{
    const DwarfSectionBytes& section = unit.owner->dwarf5.rnglists;
    if (!section.bytes || offset >= section.size)
        return;
    uint32_t base = 0;
    if (unit.headerEntry) {
        auto low = unit.headerEntry->findAttribute(DW_AT_low_pc);
        base = low && low->valueClass == DwarfValueClass::Constant ? low->value : 0;
    }
    RangeListReader reader(unit, section);
    ByteCursor& cursor = reader.at();
    cursor.seek(offset);
    // Every entry takes at least one byte, so the walk ends at the section end.
    while (!cursor.atEnd()) {
        uint8_t kind = cursor.readU8();
        uint32_t begin = 0;
        uint32_t end = 0;
        switch (kind) {
        case DW_RLE_end_of_list: return;
        case DW_RLE_base_addressx: base = reader.indexedAddress(); continue;
        case DW_RLE_base_address: base = reader.inlineAddress(); continue;
        case DW_RLE_startx_endx: begin = reader.indexedAddress(); end = reader.indexedAddress(); break;
        case DW_RLE_startx_length: begin = reader.indexedAddress(); end = begin + cursor.readUleb128(); break;
        case DW_RLE_offset_pair: begin = base + cursor.readUleb128(); end = base + cursor.readUleb128(); break;
        case DW_RLE_start_end: begin = reader.inlineAddress(); end = reader.inlineAddress(); break;
        case DW_RLE_start_length: begin = reader.inlineAddress(); end = begin + cursor.readUleb128(); break;
        default: return;
        }
        if (!reader.ok())
            return;
        range(begin, end);
    }
}
