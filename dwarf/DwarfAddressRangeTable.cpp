#include "dwarf/DwarfAddressRangeTable.h"
#include "common/ByteCursor.h"
#include "dwarf/DwarfWarning.h"
#include <algorithm>

namespace {

// A set's header: length (4), version (2), unit offset (4), address and segment size (2)
// and padding (4); the tuples follow.
const uint32_t setHeaderSize = 16;

// Address + length lies above `address`.
bool covers(const DwarfAddressRange& range, uint32_t address)
{
    return uint32_t(range.address + range.length) > address;
}

}

void parseRanges(DwarfAddressRangeTable& table, const uint8_t* bytes, uint32_t size)
{
    table.entries.reserve(size / 8);
    ByteCursor cursor(bytes, size, int(table.byteOrder));
    while (!cursor.atEnd()) {
        uint32_t setStart = cursor.offset();
        uint64_t setEnd = setStart + 4 + uint64_t(cursor.readU32());
        cursor.readU16();   // version
        uint32_t unitOffset = cursor.readU32();
        cursor.skip(setHeaderSize - 10);
        // A tuple that starts before the set end is read whole; the next set starts after it.
        while (cursor.offset() < setEnd && !cursor.failed()) {
            uint32_t address = cursor.readU32();
            uint32_t length = cursor.readU32();
            if (address != 0 && length != 0 && !cursor.failed())
                addRange(table, unitOffset, address, length);
        }
        if (cursor.failed()) {
            dwarfWarning(".debug_aranges: the set at 0x%x runs past the end of the section", setStart);
            break;
        }
    }
    sortRanges(table);
}

void addRange(DwarfAddressRangeTable& table, uint32_t unitOffset, uint32_t address, uint32_t length)
{
    table.entries.push_back(DwarfAddressRange{unitOffset, address, length});
}

void sortRanges(DwarfAddressRangeTable& table)
{
    std::stable_sort(table.entries.begin(), table.entries.end(),
                     [](const DwarfAddressRange& a, const DwarfAddressRange& b) { return a.address < b.address; });
}

const DwarfAddressRange* findRange(const DwarfAddressRangeTable& table, uint32_t address)
{
    auto found = std::lower_bound(table.entries.begin(), table.entries.end(), address,
                                  [](const DwarfAddressRange& r, uint32_t a) { return r.address < a; });
    if (found != table.entries.end() && found->address == address)
        return covers(*found, address) ? &*found : nullptr;
    if (found == table.entries.begin())
        return nullptr;
    --found;
    return covers(*found, address) ? &*found : nullptr;
}

void printRanges(const DwarfAddressRangeTable& table, FILE* stream)
{
    for (const DwarfAddressRange& range : table.entries)
        fprintf(stream, "cuoffset 0x%x address 0x%x length %d\n", range.unitOffset, range.address,
                int32_t(range.length));
}
