#include "dwarf/DwarfNameTable.h"
#include "common/ByteCursor.h"
#include "dwarf/DwarfCompilationUnit.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfDebuggingInformationEntry.h"
#include "dwarf/DwarfWarning.h"
#include <algorithm>

namespace {

bool byName(const DwarfNameEntry& a, const DwarfNameEntry& b)
{
    return a.name < b.name;
}

void collectExternal(DwarfNameTable& table, const DwarfCompilationUnit& unit,
                     const std::vector<DwarfDebuggingInformationEntry*>& entries)
{
    for (const DwarfDebuggingInformationEntry* entry : entries) {
        auto external = entry->lookupAttribute(DW_AT_external, false);
        if (external && external->value != 0)
            table.entries.push_back(DwarfNameEntry{entry->name(), unit.offset, 0, entry->offset});
    }
}

}

void parseNames(DwarfNameTable& table, const uint8_t* bytes, uint32_t size, const char* sectionName)
{
    table.entries.reserve(size / 4);
    ByteCursor cursor(bytes, size, int(table.byteOrder));
    uint64_t setStart = 0;
    while (setStart < size) {
        cursor.seek(uint32_t(setStart));
        uint32_t setLength = cursor.readU32();
        cursor.readU16();   // version
        uint32_t unitOffset = cursor.readU32();
        uint32_t unitSize = cursor.readU32();
        // The pairs end at an entry offset of 0, wherever the set's length says it ends.
        for (;;) {
            uint32_t entryOffset = cursor.readU32();
            if (entryOffset == 0)
                break;
            uint32_t length = 0;
            const char* name = cursor.readString(length);
            if (!name)
                break;
            table.entries.push_back(DwarfNameEntry{std::string(name, length), unitOffset, unitSize, entryOffset});
        }
        if (cursor.failed()) {
            dwarfWarning("%s: the set at 0x%x runs past the end of the section", sectionName, uint32_t(setStart));
            break;
        }
        setStart += 4 + uint64_t(setLength);
    }
    sortNames(table);
}

void collectNames(DwarfNameTable& table, DwarfCompilationUnit& unit)
{
    unit.readEntries();
    collectExternal(table, unit, unit.subprograms);
    collectExternal(table, unit, unit.variables);
}

void sortNames(DwarfNameTable& table)
{
    std::stable_sort(table.entries.begin(), table.entries.end(), byName);
}

std::pair<const DwarfNameEntry*, const DwarfNameEntry*> findNames(const DwarfNameTable& table,
                                                                  const std::string& name)
{
    const DwarfNameEntry* begin = table.entries.data();
    const DwarfNameEntry* end = begin + table.entries.size();
    DwarfNameEntry key{name, 0, 0, 0};
    return std::equal_range(begin, end, key, byName);
}

void printNames(const DwarfNameTable& table, FILE* stream)
{
    for (const DwarfNameEntry& entry : table.entries)
        fprintf(stream, "%s cuoffset 0x%x cusize %d offset %d\n", entry.name.c_str(), entry.unitOffset,
                int32_t(entry.unitSize), int32_t(entry.entryOffset));
}
