#pragma once
// Decodes attribute values of every form the reader knows, in the image's byte order,
// without ever reading past the given end.
#include "dwarf/Dwarf5Sections.h"
#include "dwarf/DwarfAttributeValue.h"
#include <cstdint>

class DwarfAbbreviation;
class DwarfCompilationUnit;

enum class DwarfFormStatus {
    Decoded,
    UnknownForm,   // value 0, no data, cursor not moved
    Truncated,     // the value runs past the end; the cursor is left at the end
};

struct DwarfFormContext {
    DwarfCompilationUnit* unit;     // for unit-relative references
    const uint8_t* strings;         // .debug_str, null when absent
    uint32_t stringsSize;
    uint32_t byteOrder;
    const uint8_t* end;             // no value may extend past this byte
    // Version-5 units only (null otherwise): the sections their forms index into, the
    // unit's bases there and its address size. Without it the version-5 forms are unknown.
    const Dwarf5Sections* sections5 = nullptr;
    Dwarf5UnitBases bases;
    uint32_t addressSize = 4;
};

// Decodes one value of `form` at `cursor` into `value` (attribute code untouched) and
// moves the cursor past it.
DwarfFormStatus readFormValue(uint32_t form, const uint8_t*& cursor, const DwarfFormContext& context,
                              DwarfAttributeValue& value);

// The value of (attribute, form) pair `index` of the abbreviation: as readFormValue, but
// DW_FORM_implicit_const takes its value from the abbreviation and reads no bytes.
DwarfFormStatus readAttributeValue(const DwarfAbbreviation& abbreviation, uint32_t index, const uint8_t*& cursor,
                                   const DwarfFormContext& context, DwarfAttributeValue& value);

// The NUL-terminated text at `offset` of .debug_str; null when the section is absent, the
// offset lies outside it or the text has no terminator inside it. `length` gets strlen.
const char* debugString(const uint8_t* strings, uint32_t size, uint32_t offset, uint32_t& length);
