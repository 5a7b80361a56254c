#include "dwarf/DwarfBitField.h"
#include "dwarf/DwarfCompilationUnit.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfDebuggingInformationEntry.h"
#include "dwarf/DwarfTypeConstants.h"

namespace {

// Typedefs and qualifiers in front of the base type; damaged chains stop here.
const int maximumTypeSteps = 16;

std::optional<uint32_t> constant(const DwarfDebuggingInformationEntry* entry, uint32_t attribute)
{
    auto value = entry->lookupAttribute(attribute, false);
    if (!value || (value->valueClass != DwarfValueClass::Constant && value->valueClass != DwarfValueClass::SignedConstant))
        return std::nullopt;
    return value->value;
}

// The byte size of the member's own DW_AT_byte_size, else of its type (through typedefs and
// qualifiers); 4 when neither says.
uint32_t storageSize(const DwarfDebuggingInformationEntry* member)
{
    const DwarfDebuggingInformationEntry* entry = member;
    for (int step = 0; entry && step < maximumTypeSteps; ++step) {
        if (auto size = constant(entry, DW_AT_byte_size))
            return *size > 0 && *size <= 8 ? *size : 4;
        auto type = entry->findAttribute(DW_AT_type);
        entry = type ? entry->unit->owner->resolveReference(*type) : nullptr;
    }
    return 4;
}

}

std::optional<Version4BitField> version4BitField(const DwarfDebuggingInformationEntry* member)
{
    if (!member->unit->isVersion5())
        return std::nullopt;
    auto bitSize = constant(member, DW_AT_bit_size);
    auto dataBitOffset = constant(member, DW_AT_data_bit_offset);
    if (!bitSize || !dataBitOffset)
        return std::nullopt;
    uint32_t size = storageSize(member);
    uint32_t storageBits = size * 8;
    // The storage unit aligned to its size that holds the field; a field that crosses such
    // a boundary (packed structures) gets the unit that starts at its first byte.
    uint32_t memberOffset = *dataBitOffset / storageBits * size;
    if (*dataBitOffset - memberOffset * 8 + *bitSize > storageBits)
        memberOffset = *dataBitOffset / 8;
    uint32_t bitsBefore = *dataBitOffset - memberOffset * 8;
    uint32_t bitOffset = member->byteOrder() ? bitsBefore : storageBits - bitsBefore - *bitSize;
    return Version4BitField{memberOffset, bitOffset};
}
