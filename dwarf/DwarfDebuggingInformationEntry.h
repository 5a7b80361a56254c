#pragma once
// One debugging-information entry of a unit's tree. Attribute values are not stored: an
// entry keeps its abbreviation and the position of its attribute bytes, and decodes them
// on request (DwarfAttributeIterator), which keeps large trees small in memory.
#include "dwarf/DwarfAttributeValue.h"
#include <cstdint>
#include <optional>
#include <vector>

class DwarfAbbreviation;
class DwarfCompilationUnit;

class DwarfDebuggingInformationEntry {
public:
    DwarfDebuggingInformationEntry(DwarfCompilationUnit* unit, const DwarfAbbreviation* abbreviation,
                                   uint32_t offset);
    virtual ~DwarfDebuggingInformationEntry() = default;
    DwarfDebuggingInformationEntry(const DwarfDebuggingInformationEntry&) = delete;
    DwarfDebuggingInformationEntry& operator=(const DwarfDebuggingInformationEntry&) = delete;

    // The first attribute with this code, or nothing.
    std::optional<DwarfAttributeValue> findAttribute(uint32_t attribute) const;
    // Also follows the DW_AT_specification and DW_AT_abstract_origin chain and, when asked, the
    // enclosing entries.
    std::optional<DwarfAttributeValue> lookupAttribute(uint32_t attribute, bool searchEnclosing) const;
    DwarfDebuggingInformationEntry* specification() const;
    DwarfDebuggingInformationEntry* abstractOrigin() const;
    // DW_AT_name (looked up through specification and abstract origin), or the name given
    // while the unit was read; "" when there is none. Cached.
    const char* name() const;
    // Sets the name returned by name() from now on (names given while the unit is read).
    void setName(const char* name) const;
    // All attribute values in abbreviation order (allocates; printing uses the iterator).
    std::vector<DwarfAttributeValue> attributes() const;
    uint32_t attributeCount() const;
    // The first byte after the abbreviation code.
    const uint8_t* attributeBytes() const;

    const DwarfAbbreviation& abbreviation() const;
    // The unit's byte order: 0 little-endian, otherwise big-endian.
    uint32_t byteOrder() const;

    // Large trees hold millions of entries: the byte order, the abbreviation and the
    // cached name live in the unit, leaving 56 bytes per entry.
    uint32_t tag;
    uint32_t offset;    // of the abbreviation code, relative to the unit start
    DwarfDebuggingInformationEntry* nextSibling = nullptr;
    DwarfDebuggingInformationEntry* firstChild = nullptr;
    DwarfDebuggingInformationEntry* parent = nullptr;
    DwarfCompilationUnit* unit;
    uint32_t abbreviationIndex;         // in the unit's abbreviations
    mutable uint32_t nameIndex = 0;     // 0: not cached yet; else 1 + index in the unit's entryNames

private:
    std::optional<DwarfAttributeValue> lookupAttribute(uint32_t attribute, bool searchEnclosing,
                                                       const DwarfDebuggingInformationEntry* start,
                                                       unsigned& budget) const;
    DwarfDebuggingInformationEntry* referencedEntry(uint32_t attribute) const;
};
