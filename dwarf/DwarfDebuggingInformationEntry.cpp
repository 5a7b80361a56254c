#include "dwarf/DwarfDebuggingInformationEntry.h"
#include "dwarf/DwarfAbbreviation.h"
#include "dwarf/DwarfAttributeIterator.h"
#include "dwarf/DwarfCompilationUnit.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfDebugInfo.h"

namespace {

// Specification and abstract-origin references may form cycles in damaged data; one
// lookup visits at most this many entries along them. (A reference back to the entry
// itself, or to the one the lookup started at, is not followed at all: such cycles would
// otherwise cost the whole budget for every entry on them.)
const unsigned lookupBudget = 16;

}

DwarfDebuggingInformationEntry::DwarfDebuggingInformationEntry(
    DwarfCompilationUnit* unit, const DwarfAbbreviation* abbreviation, uint32_t offset)
    : tag(abbreviation->tag), offset(offset), unit(unit),
      abbreviationIndex(uint32_t(abbreviation - unit->abbreviations->data()))
{
}

std::optional<DwarfAttributeValue> DwarfDebuggingInformationEntry::findAttribute(uint32_t attribute) const
{
    // Most lookups ask for attributes that the entry does not have (a specification, an
    // abstract origin): its abbreviation tells without decoding a value.
    if (!abbreviation().hasAttribute(attribute))
        return std::nullopt;
    DwarfAttributeIterator iterator(*this);
    DwarfAttributeValue value;
    while (iterator.next(value)) {
        if (value.attribute == attribute)
            return value;
    }
    return std::nullopt;
}

std::optional<DwarfAttributeValue> DwarfDebuggingInformationEntry::lookupAttribute(uint32_t attribute,
                                                                                  bool searchEnclosing) const
{
    unsigned budget = lookupBudget;
    return lookupAttribute(attribute, searchEnclosing, this, budget);
}

std::optional<DwarfAttributeValue> DwarfDebuggingInformationEntry::lookupAttribute(
    uint32_t attribute, bool searchEnclosing, const DwarfDebuggingInformationEntry* start, unsigned& budget) const
{
    for (const DwarfDebuggingInformationEntry* entry = this; entry && budget > 0; entry = entry->parent) {
        --budget;
        if (auto value = entry->findAttribute(attribute))
            return value;
        const DwarfDebuggingInformationEntry* origin = entry->specification();
        if (!origin)
            origin = entry->abstractOrigin();
        if (origin && origin != entry && origin != start) {
            if (auto value = origin->lookupAttribute(attribute, searchEnclosing, start, budget))
                return value;
        }
        if (!searchEnclosing)
            break;
    }
    return std::nullopt;
}

DwarfDebuggingInformationEntry* DwarfDebuggingInformationEntry::referencedEntry(uint32_t attribute) const
{
    auto value = findAttribute(attribute);
    return value ? unit->owner->resolveReference(*value) : nullptr;
}

DwarfDebuggingInformationEntry* DwarfDebuggingInformationEntry::specification() const
{
    return referencedEntry(DW_AT_specification);
}

DwarfDebuggingInformationEntry* DwarfDebuggingInformationEntry::abstractOrigin() const
{
    return referencedEntry(DW_AT_abstract_origin);
}

const char* DwarfDebuggingInformationEntry::name() const
{
    if (!nameIndex) {
        auto value = lookupAttribute(DW_AT_name, false);
        setName(value && value->valueClass == DwarfValueClass::String && value->data ? value->text() : "");
    }
    return unit->entryNames[nameIndex - 1];
}

void DwarfDebuggingInformationEntry::setName(const char* name) const
{
    if (nameIndex) {
        unit->entryNames[nameIndex - 1] = name;
        return;
    }
    unit->entryNames.push_back(name);
    nameIndex = uint32_t(unit->entryNames.size());
}

const DwarfAbbreviation& DwarfDebuggingInformationEntry::abbreviation() const
{
    return (*unit->abbreviations)[abbreviationIndex];
}

uint32_t DwarfDebuggingInformationEntry::byteOrder() const
{
    return unit->byteOrder;
}

std::vector<DwarfAttributeValue> DwarfDebuggingInformationEntry::attributes() const
{
    std::vector<DwarfAttributeValue> values;
    values.reserve(attributeCount());
    DwarfAttributeIterator iterator(*this);
    DwarfAttributeValue value;
    while (iterator.next(value))
        values.push_back(value);
    return values;
}

uint32_t DwarfDebuggingInformationEntry::attributeCount() const
{
    return uint32_t(abbreviation().attributeForms.size());
}

const uint8_t* DwarfDebuggingInformationEntry::attributeBytes() const
{
    // Not stored, to keep entries small: the code is a LEB128 number at the entry's offset.
    const uint8_t* cursor = unit->unitStart + offset;
    while (cursor < unit->unitEnd && (*cursor++ & 0x80)) {
    }
    return cursor;
}
