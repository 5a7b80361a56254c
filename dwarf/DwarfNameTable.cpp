#include "dwarf/DwarfNameTable.h"
#include "common/ByteCursor.h"
#include "dwarf/DwarfCompilationUnit.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfDebuggingInformationEntry.h"
#include "dwarf/DwarfWarning.h"
#include <algorithm>
#include <cstring>

namespace {

const size_t copyBlockSize = 64 * 1024;

bool byName(const DwarfNameEntry& a, const DwarfNameEntry& b)
{
    return strcmp(a.name, b.name) < 0;
}

bool inside(const char* text, const uint8_t* bytes, uint32_t size)
{
    uintptr_t start = reinterpret_cast<uintptr_t>(bytes);
    return bytes && reinterpret_cast<uintptr_t>(text) - start < size;
}

const char* copyName(DwarfNameTable& table, const char* name)
{
    size_t size = strlen(name) + 1;
    if (size > table.copyRoom) {
        size_t blockSize = std::max(size, copyBlockSize);
        table.copies.push_back(std::make_unique<char[]>(blockSize));
        table.copyNext = table.copies.back().get();
        table.copyRoom = blockSize;
    }
    char* copy = static_cast<char*>(memcpy(table.copyNext, name, size));
    table.copyNext += size;
    table.copyRoom -= size;
    return copy;
}

// Names in .debug_str or .debug_info stay where they are; the others belong to the unit's
// tree, which may be freed before the table is printed.
const char* keptName(DwarfNameTable& table, const DwarfCompilationUnit& unit, const char* name)
{
    const DwarfDebugInfo& reader = *unit.owner;
    if (inside(name, reader.debugStr, reader.debugStrSize) || inside(name, reader.debugInfo, reader.debugInfoSize))
        return name;
    return copyName(table, name);
}

void collectExternal(DwarfNameTable& table, const DwarfCompilationUnit& unit,
                     const std::vector<DwarfDebuggingInformationEntry*>& entries)
{
    for (const DwarfDebuggingInformationEntry* entry : entries) {
        auto external = entry->lookupAttribute(DW_AT_external, false);
        if (!external || external->value == 0)
            continue;
        // Grown by half rather than doubled: while a large image loads the table is the
        // largest thing held, and growing it holds the old and the new storage at once.
        if (table.entries.size() == table.entries.capacity())
            table.entries.reserve(table.entries.size() + table.entries.size() / 2 + 64);
        table.entries.push_back(DwarfNameEntry{keptName(table, unit, entry->name()), unit.offset, 0, entry->offset});
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
            table.entries.push_back(DwarfNameEntry{name, unitOffset, unitSize, entryOffset});
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
    DwarfNameEntry key{name.c_str(), 0, 0, 0};
    return std::equal_range(begin, end, key, byName);
}

void printNames(const DwarfNameTable& table, FILE* stream)
{
    for (const DwarfNameEntry& entry : table.entries)
        fprintf(stream, "%s cuoffset 0x%x cusize %d offset %d\n", entry.name, entry.unitOffset,
                int32_t(entry.unitSize), int32_t(entry.entryOffset));
}
