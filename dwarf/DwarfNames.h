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

// `version` is the unit's: the codes that version 5 added have names only in version-5
// units; older units keep the fallback text for them.
DwarfCodeName tagName(uint32_t code, uint32_t version = 4);
DwarfCodeName attributeName(uint32_t code, uint32_t version = 4);
DwarfCodeName formName(uint32_t code, uint32_t version = 4);

// The static name of a code, or null when it has none.
const char* knownTagName(uint32_t code, uint32_t version = 4);
const char* knownAttributeName(uint32_t code, uint32_t version = 4);
const char* knownFormName(uint32_t code, uint32_t version = 4);
