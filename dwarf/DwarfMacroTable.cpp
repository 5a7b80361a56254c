#include "dwarf/DwarfMacroTable.h"
#include "common/ByteCursor.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfFormReader.h"
#include "dwarf/DwarfWarning.h"

namespace {

enum MacroOpcode : uint8_t {
    DW_MACRO_define = 1,
    DW_MACRO_undef = 2,
    DW_MACRO_start_file = 3,
    DW_MACRO_end_file = 4,
    DW_MACRO_define_indirect = 5,
    DW_MACRO_undef_indirect = 6,
    DW_MACRO_transparent_include = 7,
};

// The header flag that says a .debug_line offset follows.
const uint8_t lineOffsetPresent = 2;

// The .debug_str text at `offset`; "" when there is none.
const char* stringAt(const DwarfDebugInfo& reader, uint32_t offset)
{
    uint32_t length = 0;
    const char* text = debugString(reader.debugStr, reader.debugStrSize, offset, length);
    return text ? text : "";
}

// One operation; false when it was cut off by the section end (nothing is printed for it).
bool printOperation(uint8_t opcode, ByteCursor& cursor, const DwarfDebugInfo& reader, FILE* stream)
{
    uint32_t length = 0;
    switch (opcode) {
    case DW_MACRO_define:
    case DW_MACRO_undef: {
        int32_t line = int32_t(cursor.readUleb128());
        const char* text = cursor.readString(length);
        if (cursor.failed())
            return false;
        fprintf(stream, opcode == DW_MACRO_define ? "DW_MACRO_define lineno %d macro %s\n"
                                                  : "DW_MACRO_undef lineno %d macro %s\n", line, text);
        return true;
    }
    case DW_MACRO_start_file: {
        int32_t line = int32_t(cursor.readUleb128());
        int32_t file = int32_t(cursor.readUleb128());
        if (cursor.failed())
            return false;
        fprintf(stream, "DW_MACRO_start_file lineno %d filenum %d\n", line, file);
        return true;
    }
    case DW_MACRO_end_file:
        fputs("DW_MACRO_end_file\n", stream);
        return true;
    case DW_MACRO_define_indirect:
    case DW_MACRO_undef_indirect: {
        int32_t line = int32_t(cursor.readUleb128());
        uint32_t offset = cursor.readU32();
        if (cursor.failed())
            return false;
        fprintf(stream, opcode == DW_MACRO_define_indirect ? "DW_MACRO_define_indirect lineno %d macro %s\n"
                                                           : "DW_MACRO_undef_indirect lineno %d macro %s\n",
                line, stringAt(reader, offset));
        return true;
    }
    case DW_MACRO_transparent_include: {
        uint32_t offset = cursor.readU32();
        if (cursor.failed())
            return false;
        fprintf(stream, "DW_MACRO_transparent_include offset 0x%x\n", offset);
        return true;
    }
    default:
        // Operands of other operations are not known: the next byte is read as an opcode.
        return true;
    }
}

}

void printMacros(const DwarfMacroTable& table, FILE* stream)
{
    if (!table.bytes)
        return;
    ByteCursor cursor(table.bytes, table.size, int(table.byteOrder));
    while (!cursor.atEnd()) {
        uint32_t unitOffset = cursor.offset();
        uint32_t version = cursor.readU16();
        uint8_t flags = cursor.readU8();
        uint32_t lineOffset = flags & lineOffsetPresent ? cursor.readU32() : 0;
        if (cursor.failed())
            break;
        fprintf(stream, "\noffset 0x%x version 0x%x flags 0x%02x\n", unitOffset, version, flags);
        if (flags & lineOffsetPresent)
            fprintf(stream, "debug_line offset 0x%x\n", lineOffset);
        // Operations up to an opcode 0; a unit may also just end with the section.
        while (!cursor.atEnd()) {
            uint8_t opcode = cursor.readU8();
            if (opcode == 0 || !printOperation(opcode, cursor, *table.owner, stream))
                break;
        }
    }
    if (cursor.failed())
        dwarfWarning(".debug_macro: an operation runs past the end of the section");
}
