#pragma once
// The header of a unit's line-number program in .debug_line (versions 2 and 3 layout):
// the fixed fields, then the include directories and file names, which go into the
// unit's tables. Every read stays inside the program and the section.
#include <cstdint>

class DwarfCompilationUnit;
class DwarfDebugInfo;

struct LineProgramHeader {
    const uint8_t* start = nullptr;
    const uint8_t* end = nullptr;            // start + 4 + unit length, clipped to the section
    uint16_t version = 0;
    uint32_t headerLength = 0;
    uint8_t minimumInstructionLength = 0;
    uint8_t defaultIsStmt = 0;
    int8_t lineBase = 0;
    uint8_t lineRange = 0;
    uint8_t opcodeBase = 0;
    const uint8_t* standardOpcodeLengths = nullptr;   // opcodeBase - 1 bytes
    const uint8_t* opcodes = nullptr;                 // first opcode, after the file names
};

// Reads the header of the program at `offset` of .debug_line and fills the unit's include
// directories and file table (relative names completed with `compilationDirectory`).
// False when there is no program there or its fixed fields do not fit.
bool readLineProgramHeader(const DwarfDebugInfo& reader, DwarfCompilationUnit& unit, uint32_t offset,
                           const char* compilationDirectory, LineProgramHeader& header);

// The file table of a unit with a header entry: its DW_AT_stmt_list program's header.
void readFileTable(const DwarfDebugInfo& reader, DwarfCompilationUnit& unit);
