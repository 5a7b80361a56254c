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

// Entry kinds of a version-5 range list. Location lists use the same codes up to 4, then
// DW_LLE_default_location (5), and the rest shifted up by one.
enum ListEntryKind : uint8_t {
    DW_RLE_end_of_list = 0,
    DW_RLE_base_addressx = 1,
    DW_RLE_startx_endx = 2,
    DW_RLE_startx_length = 3,
    DW_RLE_offset_pair = 4,
    DW_RLE_base_address = 5,
    DW_RLE_start_end = 6,
    DW_RLE_start_length = 7,
};
const uint8_t DW_LLE_default_location = 5;

// One entry of a range or location list that covers addresses: [begin, end), and for a
// location list its expression.
struct ListEntry {
    uint32_t begin = 0;
    uint32_t end = 0;
    bool isDefault = false;          // DW_LLE_default_location: covers what no other entry does
    const uint8_t* expression = nullptr;
    uint32_t length = 0;
};

// Walks the list at `offset` of `section` and calls `visit` with each entry that covers
// addresses, base addresses applied (the first base is the unit's DW_AT_low_pc); `visit`
// returns false to stop. Stops at the end-of-list entry, an unknown kind, or the section end.
class ListWalker {
public:
    ListWalker(const DwarfCompilationUnit& unit, const DwarfSectionBytes& section, bool locations)
        : unit(unit), cursor(section.bytes, section.size, int(unit.byteOrder)), locations(locations) {}

    void walk(uint32_t offset, const std::function<bool(const ListEntry&)>& visit)
    {
        if (!cursor.start() || offset >= cursor.remaining())
            return;
        cursor.seek(offset);
        uint32_t base = unitBase();
        // Every entry takes at least one byte, so the walk ends at the section end.
        while (!cursor.atEnd()) {
            ListEntry entry;
            uint8_t kind = cursor.readU8();
            if (locations && kind == DW_LLE_default_location)
                entry.isDefault = true;
            else if (locations && kind > DW_LLE_default_location)
                --kind;
            if (!entry.isDefault) {
                switch (kind) {
                case DW_RLE_end_of_list: return;
                case DW_RLE_base_addressx: base = indexedAddress(); continue;
                case DW_RLE_base_address: base = inlineAddress(); continue;
                case DW_RLE_startx_endx: entry.begin = indexedAddress(); entry.end = indexedAddress(); break;
                case DW_RLE_startx_length: entry.begin = indexedAddress(); entry.end = entry.begin + cursor.readUleb128(); break;
                case DW_RLE_offset_pair: entry.begin = base + cursor.readUleb128(); entry.end = base + cursor.readUleb128(); break;
                case DW_RLE_start_end: entry.begin = inlineAddress(); entry.end = inlineAddress(); break;
                case DW_RLE_start_length: entry.begin = inlineAddress(); entry.end = entry.begin + cursor.readUleb128(); break;
                default: return;
                }
            }
            if (locations)
                readExpression(entry);
            if (failed || cursor.failed() || !visit(entry))
                return;
        }
    }

private:
    uint32_t unitBase() const
    {
        if (!unit.headerEntry)
            return 0;
        auto low = unit.headerEntry->findAttribute(DW_AT_low_pc);
        return low && low->valueClass == DwarfValueClass::Constant ? low->value : 0;
    }
    uint32_t indexedAddress()
    {
        uint32_t index = cursor.readUleb128();
        uint32_t address = 0;
        if (!addressTableEntry(unit.owner->dwarf5.addr, unit.bases.addr, index, unit.addressSize, unit.byteOrder,
                               address))
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
    // The counted location description: ULEB128 length, then the expression bytes.
    void readExpression(ListEntry& entry)
    {
        entry.length = cursor.readUleb128();
        entry.expression = cursor.position();
        if (entry.length > cursor.remaining())
            failed = true;
        else
            cursor.skip(entry.length);
    }

    const DwarfCompilationUnit& unit;
    ByteCursor cursor;
    bool locations;
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
    ListWalker(unit, unit.owner->dwarf5.rnglists, false).walk(offset, [&range](const ListEntry& entry) {
        range(entry.begin, entry.end);
        return true;
    });
}

bool findLoclistExpression(const DwarfCompilationUnit& unit, uint32_t offset, uint32_t address,
                           const uint8_t*& expression, uint32_t& length)
{
    bool found = false;
    ListWalker(unit, unit.owner->dwarf5.loclists, true).walk(offset, [&](const ListEntry& entry) {
        bool matches = entry.begin <= address && address < entry.end;
        if (matches || (entry.isDefault && !found)) {
            expression = entry.expression;
            length = entry.length;
            found = true;
        }
        return !matches;
    });
    return found;
}
