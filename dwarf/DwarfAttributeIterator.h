#pragma once
// Decodes the attribute values of one entry, in abbreviation order, from its bytes.
#include "dwarf/DwarfAttributeValue.h"
#include "dwarf/DwarfFormReader.h"
#include <cstdint>

class DwarfDebuggingInformationEntry;

class DwarfAttributeIterator {
public:
    explicit DwarfAttributeIterator(const DwarfDebuggingInformationEntry& entry);
    // The next value, or false after the last one.
    bool next(DwarfAttributeValue& value);

private:
    const DwarfDebuggingInformationEntry& entry;
    DwarfFormContext context;
    const uint8_t* cursor;
    uint32_t index = 0;
};
