#include "dwarf/DwarfLineProgram.h"
#include "common/ByteCursor.h"
#include "dwarf/Dwarf5LineHeader.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfFileTable.h"
#include "dwarf/DwarfRangeList.h"
#include "dwarf/DwarfWarning.h"
#include <algorithm>

namespace {

enum StandardOpcode : uint8_t {
    DW_LNS_copy = 1,
    DW_LNS_advance_pc = 2,
    DW_LNS_advance_line = 3,
    DW_LNS_set_file = 4,
    DW_LNS_set_column = 5,
    DW_LNS_negate_stmt = 6,
    DW_LNS_set_basic_block = 7,
    DW_LNS_const_add_pc = 8,
    DW_LNS_fixed_advance_pc = 9,
};

enum ExtendedOpcode : uint8_t {
    DW_LNE_end_sequence = 1,
    DW_LNE_set_address = 2,
    DW_LNE_define_file = 3,
    DW_LNE_set_discriminator = 4,
};

// The fields of the version 2 and 3 header layout, which every version is read with.
struct LineProgramHeader {
    uint64_t end = 0;                   // section offset: start + 4 + unit length
    uint8_t minimumInstructionLength = 0;
    uint8_t defaultIsStmt = 0;
    int8_t lineBase = 0;
    uint8_t lineRange = 0;
    uint8_t opcodeBase = 0;
    const uint8_t* standardOpcodeLengths = nullptr;   // opcodeBase - 1 of them
};

struct Registers {
    uint32_t address = 0;
    int32_t line = 1;
    uint32_t file = 1;
    uint8_t isStmt = 0;
    uint32_t addressSet = 0;   // the last DW_LNE_set_address operand
};

class LineProgramDecoder {
public:
    LineProgramDecoder(DwarfDebugInfo& reader, bool filterByRanges, DwarfCompilationUnit& unit,
                       const char* compilationDirectory)
        : reader(reader), unit(unit), filterByRanges(filterByRanges), compilationDirectory(compilationDirectory),
          cursor(reader.debugLine, reader.debugLineSize, int(reader.byteOrder))
    {
    }

    // Returns how many bytes of .debug_line the program spans, as far as it was read.
    uint64_t run(uint32_t offset);

private:
    void readHeader();
    void readFileEntry();
    void readVersion5Tables(uint64_t opcodes);
    bool executeOpcode(uint8_t opcode);
    void executeExtended();
    bool lineRangeUsable() const;
    void emitRow();
    uint32_t sourceFileOf(uint32_t number);
    void deriveRanges();

    DwarfDebugInfo& reader;
    DwarfCompilationUnit& unit;
    bool filterByRanges;
    const char* compilationDirectory;
    ByteCursor cursor;
    LineProgramHeader header;
    Registers registers;
    uint32_t lowest = 0xFFFFFFFF;   // of the unfiltered rows, before the bias
    uint32_t highest = 0;
    std::vector<uint32_t> sourceFiles;   // the map's file numbers, by file-table index, once looked up
    std::vector<bool> sourceFileKnown;
};

uint64_t LineProgramDecoder::run(uint32_t offset)
{
    if (offset >= reader.debugLineSize) {
        dwarfWarning("unit at 0x%x: its line program at 0x%x lies outside .debug_line", unit.offset, offset);
        return 0;
    }
    cursor.seek(offset);
    readHeader();
    registers.isStmt = header.defaultIsStmt;
    while (!cursor.failed() && cursor.offset() < header.end) {
        if (!executeOpcode(cursor.readU8()))
            break;
    }
    if (cursor.failed())
        dwarfWarning("unit at 0x%x: its line program at 0x%x runs past the end of .debug_line", unit.offset,
                     offset);
    if (!filterByRanges)
        deriveRanges();
    return std::max<uint64_t>(cursor.offset(), std::min<uint64_t>(header.end, reader.debugLineSize)) - offset;
}

void LineProgramDecoder::readHeader()
{
    header.end = cursor.offset() + 4 + uint64_t(cursor.readU32());
    // Versions 2 to 4 are read with one layout (a version-4 maximum-operations byte reads
    // as the default is_stmt); version 5 has its own.
    bool version5 = cursor.readU16() == 5;
    if (version5)
        cursor.skip(2);   // address size, segment selector size
    uint64_t opcodes = cursor.readU32();   // header length: older opcodes follow the file names
    opcodes += cursor.offset();
    header.minimumInstructionLength = cursor.readU8();
    if (version5)
        cursor.readU8();   // maximum operations per instruction
    header.defaultIsStmt = cursor.readU8();
    header.lineBase = int8_t(cursor.readU8());
    header.lineRange = cursor.readU8();
    header.opcodeBase = cursor.readU8();
    header.standardOpcodeLengths = cursor.position();
    if (header.opcodeBase > 0)
        cursor.skip(header.opcodeBase - 1);
    if (version5) {
        readVersion5Tables(opcodes);
        return;
    }
    uint32_t length = 0;
    while (const char* directory = cursor.readString(length)) {
        if (length == 0)
            break;
        unit.includeDirectories.push_back(directory);
    }
    while (!cursor.failed() && !cursor.atEnd() && *cursor.position() != 0)
        readFileEntry();
    cursor.readU8();   // the empty name that ends the list
}

// The directory and file tables of a version-5 header, up to the program's end; the opcodes
// start where the header length says.
void LineProgramDecoder::readVersion5Tables(uint64_t opcodes)
{
    const uint8_t* end = reader.debugLine + std::min<uint64_t>(header.end, reader.debugLineSize);
    ByteCursor tables(cursor.position(), end > cursor.position() ? end : cursor.position(), cursor.bigEndian());
    if (!readVersion5FileTables(tables, unit, compilationDirectory))
        dwarfWarning("unit at 0x%x: the file table of its line program cannot be read to its end", unit.offset);
    cursor.seek(uint32_t(std::min<uint64_t>(opcodes, UINT32_MAX)));
}

// A file-name entry of the header or of DW_LNE_define_file.
void LineProgramDecoder::readFileEntry()
{
    uint32_t length = 0;
    const char* name = cursor.readString(length);
    uint32_t directory = cursor.readUleb128();
    uint32_t time = cursor.readUleb128();
    uint32_t size = cursor.readUleb128();
    if (!cursor.failed())
        addFile(unit, directory, time, size, name, compilationDirectory);
}

// False when the program cannot go on.
bool LineProgramDecoder::executeOpcode(uint8_t opcode)
{
    Registers& r = registers;
    if (opcode >= header.opcodeBase) {
        if (!lineRangeUsable())
            return false;
        uint32_t adjusted = uint32_t(opcode - header.opcodeBase);
        r.address += adjusted / header.lineRange * header.minimumInstructionLength;
        r.line += header.lineBase + int32_t(adjusted % header.lineRange);
        emitRow();
        return true;
    }
    switch (opcode) {
    case 0: executeExtended(); break;
    case DW_LNS_copy: emitRow(); break;
    case DW_LNS_advance_pc: r.address += cursor.readUleb128() * header.minimumInstructionLength; break;
    case DW_LNS_advance_line: r.line += cursor.readSleb128(); break;
    case DW_LNS_set_file: r.file = cursor.readUleb128(); break;
    case DW_LNS_set_column: cursor.readUleb128(); break;
    case DW_LNS_negate_stmt: r.isStmt ^= 1; break;
    case DW_LNS_set_basic_block: break;
    case DW_LNS_const_add_pc:
        if (!lineRangeUsable())
            return false;
        r.address += (255u - header.opcodeBase) / header.lineRange * header.minimumInstructionLength;
        break;
    case DW_LNS_fixed_advance_pc: r.address += cursor.readU16(); break;
    default:
        // Opcodes from 10 up to the opcode base: skipped by their operand counts.
        for (uint8_t i = 0; i < header.standardOpcodeLengths[opcode - 1] && !cursor.failed(); ++i)
            cursor.readUleb128();
        break;
    }
    return true;
}

// Special opcodes and DW_LNS_const_add_pc divide by the line range: with a range of 0
// they have no meaning, and the program stops at the first of them.
bool LineProgramDecoder::lineRangeUsable() const
{
    if (header.lineRange == 0)
        dwarfWarning("unit at 0x%x: its line program has a line range of 0; its rows end at the first special opcode",
                     unit.offset);
    return header.lineRange != 0;
}

void LineProgramDecoder::executeExtended()
{
    uint32_t length = cursor.readUleb128();
    switch (cursor.readU8()) {
    case DW_LNE_end_sequence:
        registers = Registers();
        registers.isStmt = header.defaultIsStmt;
        break;
    case DW_LNE_set_address:
        registers.address = registers.addressSet = cursor.readU32();
        break;
    case DW_LNE_define_file:
        readFileEntry();
        break;
    case DW_LNE_set_discriminator:
        cursor.readUleb128();
        break;
    default:
        // Unknown: skipped by its length, which counts the sub-opcode byte.
        if (length > 1)
            cursor.skip(int64_t(length) - 1);
        break;
    }
}

void LineProgramDecoder::emitRow()
{
    const Registers& r = registers;
    if (filterByRanges) {
        const DwarfAddressRange* range = findRange(reader.addressRanges, r.address);
        if (range && range->unitOffset == unit.offset)
            reader.addRow(sourceFileOf(r.file), r.line, r.address + reader.addressBias);
        return;
    }
    if (r.addressSet == 0 || r.isStmt == 0)
        return;
    reader.addRow(sourceFileOf(r.file), r.line, r.address + reader.addressBias);
    lowest = std::min(lowest, r.address);
    highest = std::max(highest, r.address);
}

// The map's file number for a file number of the unit, or noFile for a number outside the
// file table.
uint32_t LineProgramDecoder::sourceFileOf(uint32_t number)
{
    uint32_t index = 0;
    if (!fileIndex(unit, number, index))
        return SourceAddressMap::noFile;
    if (sourceFiles.size() < unit.fileTable.size()) {
        sourceFiles.resize(unit.fileTable.size());
        sourceFileKnown.resize(unit.fileTable.size());
    }
    if (!sourceFileKnown[index]) {
        sourceFiles[index] = reader.sourceFile(filePath(unit, number));
        sourceFileKnown[index] = true;
    }
    return sourceFiles[index];
}

// The unit's ranges: its DW_AT_ranges list, else DW_AT_low_pc and DW_AT_high_pc, else the
// span of its rows. Lengths reach one byte past the end address.
void LineProgramDecoder::deriveRanges()
{
    const DwarfDebuggingInformationEntry& entry = *unit.headerEntry;
    auto ranges = entry.lookupAttribute(DW_AT_ranges, false);
    auto add = [this](uint32_t begin, uint32_t end) {
        if (begin != end)
            addRange(reader.addressRanges, unit.offset, begin, end - begin + 1);
    };
    // Version-5 units keep their lists in .debug_rnglists.
    if (ranges && unit.isVersion5() && reader.dwarf5.rnglists.bytes) {
        forEachRnglistRange(unit, ranges->value, add);
        return;
    }
    if (ranges && !unit.isVersion5() && reader.debugRanges) {
        forEachRangePair(reader, ranges->value, unit.byteOrder, add);
        return;
    }
    auto low = entry.lookupAttribute(DW_AT_low_pc, false);
    auto high = entry.lookupAttribute(DW_AT_high_pc, false);
    if (low && high) {
        uint32_t length = high->form == DW_FORM_addr ? high->value - low->value + 1 : high->value + 1;
        addRange(reader.addressRanges, unit.offset, low->value, length);
    } else if (lowest != 0xFFFFFFFF && highest != 0) {
        addRange(reader.addressRanges, unit.offset, lowest, highest - lowest + 1);
    }
}

}

void decodeLineProgram(DwarfDebugInfo& reader, bool filterByRanges, DwarfCompilationUnit& unit)
{
    auto statementList = unit.headerEntry->lookupAttribute(DW_AT_stmt_list, false);
    if (!statementList)
        return;
    // Units may share one program, and each gets its files, rows and ranges from it; damaged
    // units naming one large program again and again would decode it without end, so the
    // bytes of programs decoded again are bounded in total.
    const uint64_t repeatedBytesBound = 64u << 20;
    auto first = reader.decodedLinePrograms.emplace(statementList->value, unit.offset);
    bool repeat = !first.second;
    if (repeat && reader.repeatedLineProgramBytes > repeatedBytesBound) {
        dwarfWarning("unit at 0x%x: its line program at 0x%x is that of the unit at 0x%x; it is not read again",
                     unit.offset, statementList->value, first.first->second);
        return;
    }
    auto compilationDirectory = unit.headerEntry->lookupAttribute(DW_AT_comp_dir, false);
    const char* directory = compilationDirectory && compilationDirectory->valueClass == DwarfValueClass::String
        ? compilationDirectory->text() : nullptr;
    uint64_t bytes = LineProgramDecoder(reader, filterByRanges, unit, directory).run(statementList->value);
    if (repeat)
        reader.repeatedLineProgramBytes += bytes;
}
