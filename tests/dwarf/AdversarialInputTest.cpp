// Inputs built to make a careless reader slow: every one is a few hundred kilobytes at
// most, and a reader that is quadratic in it, or follows it without a bound, would run for
// minutes or forever. Each must finish inside a ten-second guard (which only detects a
// hang; speed itself is measured in bench/) with status 0 or 1.
#include "DwarfTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kCount = 100000;
// Codes the reader's own constants do not name.
constexpr uint32_t kArrayType = 0x01, kSubrangeType = 0x21, kByteSize = 0x0b, kType = 0x49,
                   kUpperBound = 0x2f, kAdvancePc = 2, kCopy = 1, kSkip = 0x2f;

Bytes declarations(uint32_t tag, bool children)
{
    return abbreviations({{1, tag, children, {{DW_AT_name, DW_FORM_string}}}});
}

// Entries nested 100,000 deep, none closed.
std::vector<uint8_t> deepNesting()
{
    Bytes entries;
    for (uint32_t i = 0; i < kCount; ++i)
        entries.uleb(1).str("s");
    return unitsImage(declarations(DW_TAG_structure_type, true), {unitBytes(entries)});
}

// 100,000 abbreviations, the entries using them from the last back to the first.
std::vector<uint8_t> manyAbbreviations()
{
    std::vector<Abbreviation> list;
    for (uint32_t code = 1; code <= kCount; ++code)
        list.push_back({code, DW_TAG_variable, false, {{DW_AT_name, DW_FORM_string}}});
    Bytes entries;
    entries.uleb(kCount);   // the unit entry
    entries.data.push_back(0);
    for (uint32_t code = kCount; code > 1; --code)
        entries.uleb(code).u8(0);
    return unitsImage(abbreviations(list), {unitBytes(entries)});
}

// Each subprogram a specification of the one before it, 50,000 long.
std::vector<uint8_t> specificationChain()
{
    Bytes abbrev = abbreviations({{1, DW_TAG_compile_unit, true, {{DW_AT_name, DW_FORM_string}}},
                                  {2, DW_TAG_subprogram, false, {{DW_AT_specification, DW_FORM_ref4}}}});
    Bytes entries;
    entries.uleb(1).str("u");
    const uint32_t first = 11 + entries.size();
    for (uint32_t i = 0; i < kCount / 2; ++i)
        entries.uleb(2).u32(i == 0 ? first : first + 5 * (i - 1));
    return unitsImage(abbrev, {unitBytes(entries.u8(0))});
}

// A unit entry whose code, and a name form's data, are LEB128 numbers 100,000 bytes long.
std::vector<uint8_t> longLeb128()
{
    Bytes abbrev;
    abbrev.u8(0x81);
    abbrev.data.insert(abbrev.data.end(), kCount, 0x80);
    abbrev.u8(0).uleb(DW_TAG_compile_unit).u8(0).uleb(kByteSize).uleb(DW_FORM_udata).u8(0).u8(0).u8(0);
    Bytes entries;
    entries.u8(0x81);
    entries.data.insert(entries.data.end(), kCount, 0x80);
    entries.u8(0).u8(0xFF);
    entries.data.insert(entries.data.end(), kCount, 0xFF);
    return unitsImage(abbrev, {unitBytes(entries.u8(0x7F))});
}

// A line program whose address steps back 2 bytes at a time round the whole address space:
// 100,000 rows, each at an address below the last.
std::vector<uint8_t> loopingLineProgram()
{
    Bytes header;   // version 2: instruction length 2, line base -5, range 14, opcode base 10, file a.c
    header.u8(2).u8(1).u8(0xFB).u8(14).u8(10).raw({0, 1, 1, 1, 1, 0, 0, 0, 1}).u8(0).str("a.c").raw({0, 0, 0, 0});
    Bytes opcodes;
    opcodes.raw({0, 5, 2}).u32(0x8000);   // DW_LNE_set_address
    for (uint32_t i = 0; i < kCount; ++i)
        opcodes.u8(kAdvancePc).uleb(0x7FFFFFFF).u8(kCopy);
    opcodes.raw({0, 1, 1});   // DW_LNE_end_sequence
    Bytes program;
    program.u32(6 + header.size() + opcodes.size()).u16(2).u32(header.size()).raw(header.data).raw(opcodes.data);
    // A clang unit keeps every row of its program.
    Bytes abbrev = abbreviations({{1, DW_TAG_compile_unit, false,
                                   {{DW_AT_stmt_list, DW_FORM_data4}, {DW_AT_producer, DW_FORM_string}}}});
    Bytes entries;
    return unitsImage(abbrev, {unitBytes(entries.uleb(1).u32(0).str("clang"))}, {{".debug_line", program.data}});
}

// 30,000 globals whose locations branch back to themselves, and one array type with
// 2^32 - 2 elements of itself.
std::vector<uint8_t> loopingLocations()
{
    Bytes abbrev = abbreviations({{1, DW_TAG_compile_unit, true, {}},
                                  {2, DW_TAG_variable, false,
                                   {{DW_AT_name, DW_FORM_string}, {kType, DW_FORM_ref4},
                                    {DW_AT_external, DW_FORM_flag}, {DW_AT_location, DW_FORM_block1}}},
                                  {3, kArrayType, true, {{kType, DW_FORM_ref4}}},
                                  {4, kSubrangeType, false, {{kUpperBound, DW_FORM_data4}}}});
    Bytes entries;
    entries.uleb(1);
    const uint32_t array = 11 + 1;
    entries.uleb(3).u32(array).uleb(4).u32(0xFFFFFFFD).u8(0);
    for (uint32_t i = 0; i < 30000; ++i)
        entries.uleb(2).str("g").u32(array).u8(1).u8(3).u8(kSkip).u16(0xFFFD);
    return unitsImage(abbrev, {unitBytes(entries.u8(0))});
}

// Small sections whose lengths and counts claim nearly 4 GiB.
std::vector<uint8_t> hugeCounts()
{
    Bytes huge;
    huge.u32(0xFFFFFFF0).u16(2).u32(0).u8(4).u8(0).u32(0xFFFFFFF0);
    Sections sections;
    for (const char* name : {".debug_info", ".debug_line", ".debug_aranges", ".debug_pubnames",
                             ".debug_frame", ".debug_abbrev", ".debug_macinfo"})
        sections[name] = huge.data;
    return dwarfImage(false, sections);
}

struct Adversary {
    const char* name;
    std::vector<uint8_t> (*image)();
};

const Adversary kAdversaries[] = {
    {"deep-nesting", deepNesting},
    {"many-abbreviations", manyAbbreviations},
    {"specification-chain", specificationChain},
    {"long-leb128", longLeb128},
    {"looping-line-program", loopingLineProgram},
    {"looping-locations", loopingLocations},
    {"huge-counts", hugeCounts},
};

TEST(AdversarialInput, EveryListingFinishes)
{
    TempDir dir;
    for (const Adversary& adversary : kAdversaries) {
        std::string path = dir.write(adversary.name, adversary.image());
        for (const char* option : {"-dwarf", "-mm", "-symbols -sections -programs -relocations -disassemble"}) {
            RunResult run = runTool(std::string("timeout 10 ") + MORVANE_BINARY + " " + option + " " + path +
                                    " > /dev/null 2>&1");
            EXPECT_TRUE(run.status == 0 || run.status == 1)
                << adversary.name << " " << option << ": status " << run.status;
        }
    }
}

}  // namespace
