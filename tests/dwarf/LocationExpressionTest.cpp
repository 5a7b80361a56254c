// The location-expression machine over the case table tests/data/mm/expressions.txt and
// over the frame-base lists of gcc's own output (tests/data/mm, see make-fixtures.sh).
#include "DwarfTestSupport.h"
#include "dwarf/DwarfLocationExpressionEvaluator.h"
#include "dwarf/DwarfTypeConstants.h"

#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

namespace {

const std::string mmData = std::string(MORVANE_TEST_DATA) + "/mm/";

// A target with recognisable answers; every report is kept, joined by ";".
class RecordingEvaluator : public DwarfLocationExpressionEvaluator {
public:
    explicit RecordingEvaluator(uint32_t byteOrder = 0) : DwarfLocationExpressionEvaluator(byteOrder) {}
    uint32_t readMemory(uint32_t address) override { return address + 0x1000; }
    uint64_t spareQuery() override { return 0; }
    uint32_t currentPc() override { return pc; }
    uint32_t readRegister(uint32_t reg) override { return 0x20000000 + reg * 0x100; }
    uint64_t readTypedRegister(uint32_t reg, const DwarfDebuggingInformationEntry* type) override
    {
        return uint64_t(reg) << 32 | (type ? 1 : 0);
    }
    uint32_t readMemorySized(uint32_t address, uint8_t size) override { return address + size; }
    uint32_t tlsBase() override { return 0x3000; }
    uint32_t callFrameCfa() override { return 0x20001000; }
    void reportError(const char* message) override { reports += std::string(message) + ";"; }
    void reportErrorValue(const char* format, int value) override
    {
        char text[100];
        snprintf(text, sizeof text, format, value);
        reports += std::string(text) + ";";
    }

    uint32_t pc = 0;
    std::string reports;
};

DwarfDebuggingInformationEntry* entryNamed(DwarfDebugInfo& reader, const std::string& name)
{
    for (const auto& unit : reader.units) {
        unit->readEntries();
        for (DwarfDebuggingInformationEntry* entry : unit->allEntries) {
            if (entry->name() == name)
                return entry;
        }
    }
    return nullptr;
}

std::string escapeNewlines(std::string text)
{
    for (size_t at; (at = text.find('\n')) != std::string::npos;)
        text.replace(at, 1, "\\n");
    return text;
}

// The "|"-separated fields of a line, without their surrounding spaces.
std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, '|');) {
        size_t first = field.find_first_not_of(' ');
        fields.push_back(first == std::string::npos ? "" : field.substr(first, field.find_last_not_of(' ') - first + 1));
    }
    return fields;
}

// Hex bytes; "{name}" stands for the ULEB128 unit offset of the base type of that name.
std::vector<uint8_t> expressionBytes(const std::string& text, DwarfDebugInfo& reader)
{
    Bytes bytes;
    for (size_t at = 0; at < text.size();) {
        if (text[at] == ' ') {
            ++at;
        } else if (text[at] == '{') {
            size_t close = text.find('}', at);
            DwarfDebuggingInformationEntry* type = entryNamed(reader, text.substr(at + 1, close - at - 1));
            EXPECT_TRUE(type && type->tag == DW_TAG_base_type) << text;
            bytes.uleb(type ? type->offset : 0);
            at = close + 1;
        } else {
            bytes.u8(std::stoul(text.substr(at, 2), nullptr, 16));
            at += 2;
        }
    }
    return bytes.data;
}

// Each line: byte order (le, be) | values pushed first (hex, or -) | expression bytes |
// result (hex) | flags (R register, V value, - neither) | reports, ";"-terminated.
// Every expression runs for the local variable "timeout" of usart_send at pc 0x8010.
TEST(LocationExpression, CaseTable)
{
    LoadedDwarf loaded = loadDwarf(readFileBytes(mmData + "peripherals-dwarf2.elf"));
    DwarfDebuggingInformationEntry* timeout = entryNamed(*loaded.reader, "timeout");
    ASSERT_TRUE(timeout);
    std::ifstream table(mmData + "expressions.txt");
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> field = splitFields(line);
        ASSERT_GE(field.size(), 5u) << line;
        SCOPED_TRACE(line);
        RecordingEvaluator evaluator(field[0] == "be");
        evaluator.pc = 0x8010;
        evaluator.setCurrentEntry(timeout);
        std::stringstream start(field[1] == "-" ? "" : field[1]);
        for (std::string value; start >> value;)
            evaluator.push(std::stoull(value, nullptr, 16));
        std::vector<uint8_t> bytes = expressionBytes(field[2], *loaded.reader);
        evaluator.evaluate(bytes.data(), uint32_t(bytes.size()));
        bool isRegister;
        bool isValue;
        EXPECT_EQ(evaluator.result(isRegister, isValue), std::stoull(field[3], nullptr, 16));
        EXPECT_EQ(std::string(isRegister ? "R" : "") + (isValue ? "V" : ""), field[4] == "-" ? "" : field[4]);
        EXPECT_EQ(escapeNewlines(evaluator.reports), field.size() > 5 ? field[5] : "");
        EXPECT_EQ(evaluator.stackSize(), 0u);
        ++cases;
    }
    EXPECT_GT(cases, 100);
}

// The address an expression of this entry yields at pc, and the reports it makes.
void expectAddress(DwarfDebuggingInformationEntry* entry, uint32_t pc, const uint8_t* bytes, uint32_t size,
                   uint64_t address, const char* reports)
{
    RecordingEvaluator evaluator;
    evaluator.pc = pc;
    evaluator.setCurrentEntry(entry);
    evaluator.evaluate(bytes, size);
    bool isRegister;
    bool isValue;
    EXPECT_EQ(evaluator.result(isRegister, isValue), address);
    EXPECT_EQ(evaluator.reports, reports);
}

// gcc's DW_OP_fbreg locations against its frame bases: DWARF 2 lists them in .debug_loc
// (read in the image's byte order, from the unit's low address 0x8000), DWARF 4 names
// DW_OP_call_frame_cfa. The list entries are those llvm-dwarfdump --debug-loc prints.
TEST(LocationExpression, FrameBaseOfGccLocals)
{
    struct Case {
        const char* image;
        const char* variable;
        uint32_t pc;
        uint64_t address;
    } cases[] = {
        {"peripherals-dwarf2.elf", "timeout", 0x8010, 0x20000700 + 48 - 12},    // DW_OP_breg7 R7+48
        {"peripherals-dwarf2.elf", "usart", 0x8065, 0x20000700 + 48 - 44},
        {"peripherals-dwarf2.elf", "timeout", 0x8002, 0x20000D00 + 4 - 12},     // DW_OP_breg13 SP+4
        {"peripherals-dwarf2.elf", "ticks", 0x8066, 0x20000700 + 4 - 40},       // DW_OP_breg7 R7+4
        {"peripherals-dwarf2-be.elf", "timeout", 0x8010, 0x20000700 + 48 - 12},
        {"peripherals-dwarf2-be.elf", "c", 0x806a, 0x20000D00 - 45},            // DW_OP_breg13 SP+0
        {"peripherals-dwarf4.elf", "timeout", 0x8010, 0x20001000 - 12},         // the CFA
        // Past the list's last entry: no frame base; the operand 0x74 then reads as
        // DW_OP_breg4 without an operand, which the block's end cuts off.
        {"peripherals-dwarf2.elf", "timeout", 0x8070, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.image) + " " + c.variable);
        LoadedDwarf loaded = loadDwarf(readFileBytes(mmData + c.image));
        DwarfDebuggingInformationEntry* variable = entryNamed(*loaded.reader, c.variable);
        ASSERT_TRUE(variable);
        std::optional<DwarfAttributeValue> location = variable->findAttribute(DW_AT_location);
        ASSERT_TRUE(location && location->valueClass == DwarfValueClass::Block);
        expectAddress(variable, c.pc, location->bytes(), location->value, c.address, "");
    }
}

// Hand-made frame-base lists: a unit whose function has its DW_AT_frame_base at
// `listOffset` and a variable at DW_OP_fbreg 0, evaluated at pc. Version 4: .debug_loc from
// the unit's low address 0x1000: [0, 0x10) DW_OP_breg13 4; [0x10, 0x20) with length -1 (an
// empty expression), after which the next entry starts 9 bytes on: [0xff, 0x1000) of
// length 0. Version 5: .debug_loclists with base 0x1000: [+0, +0x10) DW_OP_breg13 4;
// [0x1010, 0x1020) empty; a default DW_OP_breg13 8. Without a frame base the operand byte 0
// runs as an opcode of its own, which the report shows.
TEST(LocationExpression, FrameBaseLists)
{
    const char* const none = "unsupported opcode 0x00\n;";
    const struct {
        int version;
        bool bigEndian;
        uint32_t listOffset, pc;
        uint64_t address;
        const char* reports;
    } cases[] = {
        {4, false, 0, 0x1004, 0x20000D04, ""}, {4, true, 0, 0x100F, 0x20000D04, ""}, {4, false, 0, 0x1014, 0, ""},
        {4, false, 0, 0x1024, 0, none},        {4, false, 0, 0x1100, 0, ""},
        {4, true, 0, 0x0FFF, 0, none},         // below the unit's base
        {4, false, 22, 0x1004, 0, none},       // its expression runs past the section
        {4, false, 40, 0x1004, 0, none},       // offset past the section end
        {5, false, 0, 0x1004, 0x20000D04, ""}, {5, true, 0, 0x100F, 0x20000D04, ""}, {5, false, 0, 0x1014, 0, ""},
        {5, true, 0, 0x2000, 0x20000D08, ""},  {5, false, 23, 0x1004, 0, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.version) + " " + std::to_string(c.bigEndian) + " " + std::to_string(c.pc));
        bool v5 = c.version == 5;
        Bytes abbrev = abbreviations(
            {{1, DW_TAG_compile_unit, true, {{DW_AT_low_pc, DW_FORM_addr}}},
             {2, DW_TAG_subprogram, true, {{DW_AT_frame_base, v5 ? DW_FORM_sec_offset : DW_FORM_data4}}},
             {3, DW_TAG_variable, false, {}}});
        Bytes entries(c.bigEndian);
        entries.u8(1).u32(v5 ? 0 : 0x1000).u8(2).u32(c.listOffset).u8(3).u8(0).u8(0);
        Bytes list(c.bigEndian);
        if (v5) {
            list.u8(6).u32(0x1000).u8(4).uleb(0).uleb(0x10).uleb(2).u8(0x7d).u8(4);
            list.u8(8).u32(0x1010).uleb(0x10).uleb(0).u8(5).uleb(2).u8(0x7d).u8(8).u8(0);
        } else {
            list.u32(0).u32(0x10).u16(2).u8(0x7d).u8(4).u32(0x10).u32(0x20).u16(0xFFFF);
            list.u32(0).u32(0x10).u16(0x100).u32(0).u32(0);
        }
        LoadedDwarf loaded = loadDwarf(unitsImage(abbrev, {v5 ? version5Unit(entries) : unitBytes(entries)},
                                                  {{v5 ? ".debug_loclists" : ".debug_loc", list.data}}));
        const uint8_t fbreg0[] = {0x91, 0x00};
        expectAddress(loaded.reader->units.at(0)->readEntries()->firstChild->firstChild, c.pc, fbreg0, 2, c.address,
                      c.reports);
    }
}

} // namespace
