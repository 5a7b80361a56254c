#pragma once
// Names of DWARF tag, attribute and form codes. A code without a name reads
// "unexpected DW_TAG 0x48" and the like; every call makes its own text.
#include <cstdint>

class DwarfCodeName {
public:
    DwarfCodeName(const char* known, const char* fallbackPrefix, uint32_t code);
    const char* text() const { return known ? known : fallback; }

private:
    const char* known;     // a static name, or null
    char fallback[40];
};

DwarfCodeName tagName(uint32_t code);
DwarfCodeName attributeName(uint32_t code);
DwarfCodeName formName(uint32_t code);

// The static name of a code, or null when it has none.
const char* knownTagName(uint32_t code);
const char* knownAttributeName(uint32_t code);
const char* knownFormName(uint32_t code);
