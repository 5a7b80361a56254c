#include "dwarf/LineProgramHeader.h"
#include "common/ByteOrder.h"
#include "common/Leb128.h"
#include "common/ByteCursor.h"
#include "dwarf/Dwarf5LineHeader.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfFileTable.h"
#include <cstring>

namespace {

// Offset of the standard opcode lengths: length (4), version (2), header length (4) and
// five one-byte fields.
const uint32_t fixedFieldsSize = 15;

// The NUL-terminated text at the cursor, or null when it has no terminator before `end`.
const char* readText(const uint8_t*& cursor, const uint8_t* end)
{
    const void* terminator = memchr(cursor, 0, size_t(end - cursor));
    if (!terminator)
        return nullptr;
    const char* text = reinterpret_cast<const char*>(cursor);
    cursor = static_cast<const uint8_t*>(terminator) + 1;
    return text;
}

bool readIncludeDirectories(DwarfCompilationUnit& unit, const uint8_t*& cursor, const uint8_t* end)
{
    while (cursor < end && *cursor != 0) {
        const char* directory = readText(cursor, end);
        if (!directory)
            return false;
        unit.includeDirectories.push_back(directory);
    }
    if (cursor >= end)
        return false;
    ++cursor;
    return true;
}

bool readFileNames(DwarfCompilationUnit& unit, const uint8_t*& cursor, const uint8_t* end,
                   const char* compilationDirectory)
{
    while (cursor < end && *cursor != 0) {
        const char* name = readText(cursor, end);
        if (!name)
            return false;
        uint32_t directory = readUleb128(cursor, end);
        uint32_t time = readUleb128(cursor, end);
        uint32_t length = readUleb128(cursor, end);
        addFile(unit, directory, time, length, name, compilationDirectory);
    }
    if (cursor >= end)
        return false;
    ++cursor;
    return true;
}

// Version 5: length (4), version (2), address size (1), segment selector size (1), header
// length (4), minimum instruction length, maximum operations per instruction, default
// is_stmt, line base, line range, opcode base (1 each), the standard opcode lengths, then
// the directory and file tables. The opcodes start where the header length says.
bool readVersion5Header(DwarfCompilationUnit& unit, LineProgramHeader& header, const char* compilationDirectory)
{
    ByteCursor cursor(header.start, header.end, int(unit.byteOrder));
    cursor.seek(8);
    header.headerLength = cursor.readU32();
    uint32_t opcodes = cursor.offset() + header.headerLength;
    header.minimumInstructionLength = cursor.readU8();
    cursor.readU8();
    header.defaultIsStmt = cursor.readU8();
    header.lineBase = int8_t(cursor.readU8());
    header.lineRange = cursor.readU8();
    header.opcodeBase = cursor.readU8();
    header.standardOpcodeLengths = cursor.position();
    cursor.skip(header.opcodeBase > 0 ? header.opcodeBase - 1 : 0);
    if (cursor.failed() || !readVersion5FileTables(cursor, unit, compilationDirectory) || opcodes > cursor.end() - cursor.start())
        return false;
    header.opcodes = header.start + opcodes;
    return true;
}

}

bool readLineProgramHeader(const DwarfDebugInfo& reader, DwarfCompilationUnit& unit, uint32_t offset,
                           const char* compilationDirectory, LineProgramHeader& header)
{
    if (!reader.debugLine || offset >= reader.debugLineSize || reader.debugLineSize - offset < fixedFieldsSize)
        return false;
    const uint8_t* sectionEnd = reader.debugLine + reader.debugLineSize;
    header.start = reader.debugLine + offset;
    uint64_t end = uint64_t(offset) + 4 + readU32(header.start, reader.byteOrder);
    header.end = end > reader.debugLineSize ? sectionEnd : reader.debugLine + end;
    if (header.end - header.start < fixedFieldsSize)
        return false;
    header.version = readU16(header.start + 4, reader.byteOrder);
    if (header.version == 5)
        return readVersion5Header(unit, header, compilationDirectory);
    header.headerLength = readU32(header.start + 6, reader.byteOrder);
    header.minimumInstructionLength = header.start[10];
    header.defaultIsStmt = header.start[11];
    header.lineBase = int8_t(header.start[12]);
    header.lineRange = header.start[13];
    header.opcodeBase = header.start[14];
    const uint8_t* cursor = header.start + fixedFieldsSize;
    uint32_t lengthsSize = header.opcodeBase > 0 ? header.opcodeBase - 1u : 0u;
    if (uint32_t(header.end - cursor) < lengthsSize)
        return false;
    header.standardOpcodeLengths = cursor;
    cursor += lengthsSize;
    if (!readIncludeDirectories(unit, cursor, header.end)
        || !readFileNames(unit, cursor, header.end, compilationDirectory))
        return false;
    header.opcodes = cursor;
    return true;
}

void readFileTable(const DwarfDebugInfo& reader, DwarfCompilationUnit& unit)
{
    auto statementList = unit.headerEntry->lookupAttribute(DW_AT_stmt_list, false);
    if (!statementList)
        return;
    auto compilationDirectory = unit.headerEntry->lookupAttribute(DW_AT_comp_dir, false);
    const char* directory = compilationDirectory && compilationDirectory->valueClass == DwarfValueClass::String
        ? compilationDirectory->text() : nullptr;
    LineProgramHeader header;
    readLineProgramHeader(reader, unit, statementList->value, directory, header);
}
