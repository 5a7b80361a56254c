#pragma once
// The public names (.debug_pubnames) or public types (.debug_pubtypes) of an image: one
// entry per name with the unit that defines it and the entry's offset in that unit. Without
// .debug_pubnames the public names are collected from the units' external subprograms and
// variables (unit size 0).
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

class DwarfCompilationUnit;

struct DwarfNameEntry {
    std::string name;
    uint32_t unitOffset;    // of the unit in .debug_info
    uint32_t unitSize;
    uint32_t entryOffset;   // relative to the unit
};

struct DwarfNameTable {
    uint32_t byteOrder = 0;
    std::vector<DwarfNameEntry> entries;   // by name once sorted
};

// Reads a .debug_pubnames or .debug_pubtypes section (`sectionName` for warnings) and sorts
// the table.
void parseNames(DwarfNameTable& table, const uint8_t* bytes, uint32_t size, const char* sectionName);
// Appends the unit's subprograms (by address), then its variables (by address), that have
// a non-zero DW_AT_external. Reads the unit's tree.
void collectNames(DwarfNameTable& table, DwarfCompilationUnit& unit);
void sortNames(DwarfNameTable& table);
// The entries named exactly `name`, as [first, last) of the sorted table.
std::pair<const DwarfNameEntry*, const DwarfNameEntry*> findNames(const DwarfNameTable& table,
                                                                  const std::string& name);
void printNames(const DwarfNameTable& table, FILE* stream);
