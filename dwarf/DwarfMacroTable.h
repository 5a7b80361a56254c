#pragma once
// The macro information of .debug_macro, printed as it is read (it is not kept in a model).
#include <cstdint>
#include <cstdio>

class DwarfDebugInfo;

struct DwarfMacroTable {
    uint32_t byteOrder = 0;
    const DwarfDebugInfo* owner = nullptr;   // for .debug_str
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
};

// The "Macros" body: each macro unit's header, then one line per operation.
void printMacros(const DwarfMacroTable& table, FILE* stream);
