#pragma once
// The address ranges of an image's units: read from .debug_aranges, or derived from the
// units' own ranges and line rows. Each entry covers [address, address + length).
#include <cstdint>
#include <cstdio>
#include <vector>

struct DwarfAddressRange {
    uint32_t unitOffset;   // of the unit in .debug_info
    uint32_t address;
    uint32_t length;
};

struct DwarfAddressRangeTable {
    uint32_t byteOrder = 0;
    std::vector<DwarfAddressRange> entries;   // by address once sorted
};

// Reads .debug_aranges, leaving out tuples with a zero address or length, and sorts the table.
void parseRanges(DwarfAddressRangeTable& table, const uint8_t* bytes, uint32_t size);
void addRange(DwarfAddressRangeTable& table, uint32_t unitOffset, uint32_t address, uint32_t length);
void sortRanges(DwarfAddressRangeTable& table);
// The range of the sorted table that contains `address`, or null: only the range starting
// at `address`, or else the last one starting below it, is looked at.
const DwarfAddressRange* findRange(const DwarfAddressRangeTable& table, uint32_t address);
void printRanges(const DwarfAddressRangeTable& table, FILE* stream);
