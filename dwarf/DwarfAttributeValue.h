#pragma once
// One decoded attribute of a debugging-information entry. Blocks and texts point into the
// image's section bytes; nothing is copied.
#include <cstdint>

class DwarfCompilationUnit;

enum class DwarfValueClass : uint32_t {
    Constant = 0,         // value: the number
    SignedConstant = 1,   // value: two's complement number
    Block = 2,            // value: length; data: first byte
    Reference = 3,        // value: offset; data: the unit for unit-relative forms
    String = 4,           // value: length; data: NUL-terminated text, null when not found
};

struct DwarfAttributeValue {
    uint32_t attribute = 0;
    uint32_t form = 0;      // for DW_FORM_indirect the form found in the data
    DwarfValueClass valueClass = DwarfValueClass::Constant;
    uint32_t value = 0;
    const void* data = nullptr;

    const uint8_t* bytes() const { return static_cast<const uint8_t*>(data); }
    const char* text() const { return static_cast<const char*>(data); }
    DwarfCompilationUnit* referencedUnit() const
    {
        return static_cast<DwarfCompilationUnit*>(const_cast<void*>(data));
    }
};
