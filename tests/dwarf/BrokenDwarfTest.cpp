// Damaged DWARF never crashes the binary: truncated units, bad abbreviation offsets, huge
// block lengths, endless LEB128 numbers, reference cycles, deep nesting and random byte
// flips. Each run must end with status 0 or 1 and without a sanitizer report (the CI runs
// these under ASan and UBSan).
#include "DwarfTestSupport.h"
#include "dwarf/DwarfConstants.h"

#include <gtest/gtest.h>

#include <random>

namespace {

RunResult runDwarf(const std::vector<uint8_t>& image)
{
    return runMorvane({"-dwarf", writeTempFile(image, ".elf")});
}

void expectSurvived(const RunResult& r, const std::string& what)
{
    EXPECT_TRUE(r.status == 0 || r.status == 1) << what << ": status " << r.status << "\n" << r.err;
    EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << what << "\n" << r.err;
    EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << what << "\n" << r.err;
}

Bytes simpleAbbreviations()
{
    Bytes abbrev;
    addAbbreviation(abbrev, 1, DW_TAG_compile_unit, true, {{DW_AT_name, DW_FORM_string}, {DW_AT_stmt_list, DW_FORM_data4}});
    addAbbreviation(abbrev, 2, DW_TAG_variable, false,
                    {{DW_AT_name, DW_FORM_strp}, {DW_AT_location, DW_FORM_block4}, {DW_AT_decl_file, DW_FORM_udata}});
    addAbbreviation(abbrev, 3, DW_TAG_subprogram, true, {{DW_AT_specification, DW_FORM_ref4}});
    addAbbreviation(abbrev, 4, DW_TAG_subprogram, false, {{DW_AT_abstract_origin, DW_FORM_ref_addr}});
    abbrev.u8(0);
    return abbrev;
}

std::vector<uint8_t> imageWith(const Bytes& info, const Bytes& abbrev = simpleAbbreviations(),
                               const std::vector<uint8_t>& strings = {'a', 0}, const std::vector<uint8_t>& line = {})
{
    std::map<std::string, std::vector<uint8_t>> sections = {
        {".debug_abbrev", abbrev.data}, {".debug_info", info.data}, {".debug_str", strings}};
    if (!line.empty())
        sections[".debug_line"] = line;
    return dwarfImage(info.bigEndian, sections);
}

} // namespace

TEST(BrokenDwarf, UnitLongerThanTheSectionIsReadUpToItsEnd)
{
    Bytes entries;
    entries.uleb(1).str("cut").u32(0).uleb(2).u32(0);
    Bytes info;
    info.u32(0x1000).u16(4).u32(0).u8(4).raw(entries.data);
    RunResult r = runDwarf(imageWith(info));
    expectSurvived(r, "long unit");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("unit at 0x0: its length runs past the end of .debug_info"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("  DW_TAG_compile_unit (0xB)\n  DW_AT_name DW_FORM_string cut\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("entry at offset 0x14 runs past the end of the unit"), std::string::npos) << r.err;
}

TEST(BrokenDwarf, UnitHeaderCutShort)
{
    Bytes abbrev = simpleAbbreviations();
    Bytes info;
    info.u32(7).u16(4).u32(0).u8(4).u8(0);   // one unit of 12 bytes, then 5 stray bytes
    info.u32(0).u8(0);
    RunResult r = runDwarf(imageWith(info, abbrev));
    expectSurvived(r, "cut header");
    EXPECT_NE(r.err.find("unit at 0xb: the unit header is cut short"), std::string::npos) << r.err;
}

TEST(BrokenDwarf, AbbreviationOffsetOutsideTheSection)
{
    Bytes entries;
    entries.uleb(1).str("x").u32(0);
    RunResult r = runDwarf(imageWith(unitBytes(false, 0x7FFFFFF0, entries)));
    expectSurvived(r, "bad abbreviation offset");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("abbreviation offset 0x7ffffff0 lies outside .debug_abbrev"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("Debugging Information\n---------------------\n\nPubnames"), std::string::npos) << r.out;
}

TEST(BrokenDwarf, InfoWithoutAbbreviationSection)
{
    Bytes entries;
    entries.uleb(1).str("x").u32(0);
    RunResult r = runDwarf(dwarfImage(false, {{".debug_info", unitBytes(false, 0, entries).data}}));
    expectSurvived(r, "no .debug_abbrev");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find(".debug_info without .debug_abbrev"), std::string::npos) << r.err;
}

TEST(BrokenDwarf, HugeBlockLengths)
{
    for (uint32_t length : {0xFFFFFFFFu, 0x80000000u, 0x10u}) {
        Bytes entries;
        entries.uleb(1).str("u").u32(0).uleb(2).u32(0).u32(length).raw({1, 2, 3}).u8(0);
        RunResult r = runDwarf(imageWith(unitBytes(false, 0, entries)));
        expectSurvived(r, "block length " + std::to_string(length));
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.err.find("runs past the end of the unit"), std::string::npos) << r.err;
    }
}

TEST(BrokenDwarf, EndlessLeb128)
{
    std::vector<uint8_t> endless(64, 0x80);
    Bytes inCode;
    inCode.uleb(1).str("u").u32(0).raw(endless);
    expectSurvived(runDwarf(imageWith(unitBytes(false, 0, inCode))), "endless code");
    Bytes inValue;
    inValue.uleb(1).str("u").u32(0).uleb(2).u32(0).u32(0).raw(endless);
    expectSurvived(runDwarf(imageWith(unitBytes(false, 0, inValue))), "endless udata");
    Bytes abbrev;
    abbrev.uleb(1).uleb(DW_TAG_compile_unit).u8(0).raw(endless);
    Bytes entries;
    entries.uleb(1);
    expectSurvived(runDwarf(imageWith(unitBytes(false, 0, entries), abbrev)), "endless abbreviation");
    // Long but terminated numbers: the bits above 32 are dropped.
    Bytes longValue;
    longValue.uleb(1).str("u").u32(0).uleb(2).u32(0).u32(0).raw({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}).u8(0);
    RunResult r = runDwarf(imageWith(unitBytes(false, 0, longValue)));
    expectSurvived(r, "seven-byte LEB128");
    EXPECT_NE(r.out.find("DW_AT_decl_file DW_FORM_udata 0xffffffff \n"), std::string::npos) << r.out;
}

TEST(BrokenDwarf, TextsWithoutTerminator)
{
    Bytes entries;
    entries.uleb(1).raw({'a', 'b', 'c'});
    RunResult r = runDwarf(imageWith(unitBytes(false, 0, entries)));
    expectSurvived(r, "unterminated DW_FORM_string");
    Bytes strp;
    strp.uleb(1).str("u").u32(0).uleb(2).u32(1).u32(0).uleb(0).u8(0);
    r = runDwarf(imageWith(unitBytes(false, 0, strp), simpleAbbreviations(), {'a', 'b', 'c'}));
    expectSurvived(r, "unterminated .debug_str");
    EXPECT_NE(r.out.find("    DW_AT_name DW_FORM_strp \n"), std::string::npos) << r.out;
}

TEST(BrokenDwarf, ReferenceCycles)
{
    // Two subprograms naming each other as specification, one naming itself as abstract
    // origin through DW_FORM_ref_addr, and nested chains: name lookups must end.
    Bytes entries;
    entries.uleb(1).str("u").u32(0);       // 0xB
    entries.uleb(3).u32(0x1D);             // 0x12
    entries.uleb(4).u32(0x1D);             //   0x17 (child of 0x12)
    entries.u8(0);                         //   0x1C
    entries.uleb(3).u32(0x12);             // 0x1D
    entries.uleb(4).u32(0x22);             //   0x22, itself
    entries.u8(0).u8(0);
    auto image = imageWith(unitBytes(false, 0, entries));
    RunResult r = runDwarf(image);
    expectSurvived(r, "cycles");
    EXPECT_EQ(r.status, 0);
    auto loaded = loadDwarf(image);
    ASSERT_EQ(loaded.reader->units.size(), 1u);
    DwarfDebuggingInformationEntry* looping = loaded.reader->units[0]->findEntry(0x22);
    ASSERT_NE(looping, nullptr);
    EXPECT_FALSE(looping->lookupAttribute(DW_AT_name, true));
    EXPECT_STREQ(looping->name(), "");
}

// Read and printed without recursion. (In-process: the listing of n levels holds n * n
// spaces of indentation.)
TEST(BrokenDwarf, VeryDeepNesting)
{
    Bytes abbrev;
    addAbbreviation(abbrev, 1, 0x0B, true, {});
    abbrev.u8(0);
    for (int depth : {200000, 20000}) {
        Bytes entries;
        for (int i = 0; i < depth; ++i)
            entries.uleb(1);
        auto loaded = loadDwarf(imageWith(unitBytes(false, 0, entries), abbrev));
        DwarfDebuggingInformationEntry* entry = loaded.reader->units.at(0)->readEntries();
        int levels = 0;
        for (; entry; entry = entry->firstChild)
            ++levels;
        EXPECT_EQ(levels, depth);
        if (depth > 20000)
            continue;
        FILE* sink = fopen("/dev/null", "w");
        ASSERT_NE(sink, nullptr);
        dump(*loaded.reader, sink);
        fclose(sink);
    }
}

TEST(BrokenDwarf, LineProgramsOutsideTheirSection)
{
    Bytes entries;
    entries.uleb(1).str("u").u32(0x40).uleb(2).u32(0).u32(0).uleb(1).u8(0);
    // stmt_list past .debug_line, and a header whose length runs past it.
    expectSurvived(runDwarf(imageWith(unitBytes(false, 0, entries), simpleAbbreviations(), {0}, {1, 2, 3})),
                   "stmt_list outside .debug_line");
    Bytes line;
    line.u32(0x1000).u16(2).u32(0x1000).u8(2).u8(1).u8(0xFB).u8(14).u8(200);
    Bytes atStart;
    atStart.uleb(1).str("u").u32(0).uleb(2).u32(0).u32(0).uleb(1).u8(0);
    expectSurvived(runDwarf(imageWith(unitBytes(false, 0, atStart), simpleAbbreviations(), {0}, line.data)),
                   "line header past the section");
    Bytes names = line;
    names.data.resize(15);
    names.raw({'d', 'i', 'r'});   // an include directory without its NUL
    expectSurvived(runDwarf(imageWith(unitBytes(false, 0, atStart), simpleAbbreviations(), {0}, names.data)),
                   "unterminated include directory");
}

TEST(BrokenDwarf, RandomByteFlipsInToolchainImages)
{
    std::mt19937 random(20261205);
    for (const char* fixture : {"features-dwarf4.elf", "basic-dwarf2.elf", "basic-dwarf4-be.elf", "basic-clang.elf"}) {
        std::vector<uint8_t> original = readFileBytes(dwarfFixture(fixture));
        ASSERT_FALSE(original.empty()) << fixture;
        auto model = loadDwarf(original);
        // Flip bytes inside the DWARF sections, where the reader looks.
        std::vector<std::pair<uint32_t, uint32_t>> ranges;
        for (const char* name : {".debug_info", ".debug_abbrev", ".debug_str", ".debug_line", ".debug_ranges"}) {
            ElfSection* section = model.image->getSection(QString::fromLatin1(name));
            if (section && section->availableSize())
                ranges.emplace_back(uint32_t(section->data - model.image->image), section->availableSize());
        }
        ASSERT_FALSE(ranges.empty());
        for (int round = 0; round < 40; ++round) {
            std::vector<uint8_t> damaged = original;
            int flips = 1 + int(random() % 8);
            for (int i = 0; i < flips; ++i) {
                const auto& range = ranges[random() % ranges.size()];
                damaged[range.first + random() % range.second] ^= uint8_t(1 + random() % 255);
            }
            expectSurvived(runDwarf(damaged), std::string(fixture) + " round " + std::to_string(round));
        }
    }
}
