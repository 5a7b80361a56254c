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
    return unitImage(declarations(DW_TAG_structure_type, true), entries);
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
    return unitImage(abbreviations(list), entries);
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
    return unitImage(abbrev, entries.u8(0));
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
    return unitImage(abbrev, entries.u8(0x7F));
}

// A line program that steps the address round and round: 100,000 rows, all in a loop of
// a few addresses.
std::vector<uint8_t> loopingLineProgram()
{
    Bytes opcodes;
    for (uint32_t i = 0; i < kCount; ++i)
        opcodes.u8(kAdvancePc).uleb(0x7FFFFFFF).u8(kCopy);
    Bytes abbrev = abbreviations({{1, DW_TAG_compile_unit, false, {{DW_AT_stmt_list, DW_FORM_data4}}}});
    Bytes entries;
    return unitImage(abbrev, entries.uleb(1).u32(0), {{".debug_line", lineProgram({}, {{"a.c", 0}}, opcodes).data}});
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
    return unitImage(abbrev, entries.u8(0));
}

// Small sections whose lengths and counts claim nearly 4 GiB, and an image whose section,
// program and symbol counts claim far more than the file holds.
std::vector<uint8_t> hugeCounts()
{
    Bytes huge;
    huge.u32(0xFFFFFFF0).u16(2).u32(0).u8(4).u8(0).u32(0xFFFFFFF0);
    ElfWriter writer;
    for (const char* name : {".debug_info", ".debug_line", ".debug_aranges", ".debug_pubnames",
                             ".debug_frame", ".debug_abbrev", ".debug_macinfo"})
        writer.addSection(name, SHT_PROGBITS, 0, 0, huge.data);
    int text = writer.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, writer.words32({0}));
    writer.addSymbol("f", 0x8000, 4, ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    writer.build();
    writer.overrideSectionHeader(writer.symtabIndex(), ELF_FIELD(Elf32_Shdr, sh_size), 0xFFFFFFF0);
    writer.overrideHeader(ELF_FIELD(Elf32_Ehdr, e_phnum), 0xFFFF);
    return writer.build();
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
