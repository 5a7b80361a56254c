// Damaged DWARF never crashes the binary: truncated units, bad abbreviation offsets, huge
// block lengths, endless LEB128 numbers, unterminated texts, line programs and tables cut
// short, deep nesting and random byte flips. Each run must end with status 0 or 1 and without a sanitizer report (the CI runs
// these under ASan and UBSan).
#include "DwarfTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Runs -dwarf on the image: status 0 or 1, no sanitizer report.
RunResult expectSurvived(const std::vector<uint8_t>& image)
{
    RunResult r = runMorvane({"-dwarf", writeTempFile(image, ".elf")});
    EXPECT_TRUE(r.status == 0 || r.status == 1) << "status " << r.status << "\n" << r.err;
    EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << r.err;
    return r;
}

const Bytes simpleAbbreviations = abbreviations(
    {{1, DW_TAG_compile_unit, true, {{DW_AT_name, DW_FORM_string}, {DW_AT_stmt_list, DW_FORM_data4}}},
     {2, DW_TAG_variable, false,
      {{DW_AT_name, DW_FORM_strp}, {DW_AT_location, DW_FORM_block4}, {DW_AT_decl_file, DW_FORM_udata}}}});

std::vector<uint8_t> imageWith(const Bytes& info, const Bytes& abbrev = simpleAbbreviations,
                               const std::vector<uint8_t>& strings = {'a', 0}, const std::vector<uint8_t>& line = {})
{
    Sections sections = {{".debug_abbrev", abbrev.data}, {".debug_info", info.data}, {".debug_str", strings}};
    if (!line.empty())
        sections[".debug_line"] = line;
    return dwarfImage(info.bigEndian, sections);
}

// The compile-unit entry "u" with this DW_AT_stmt_list.
Bytes compileUnit(uint32_t statementList = 0)
{
    Bytes entries;
    return entries.uleb(1).str("u").u32(statementList);
}

// A variable entry: .debug_str offset 0, this location block length, then `rest`.
Bytes withVariable(Bytes entries, uint32_t blockLength, const std::vector<uint8_t>& rest)
{
    return entries.uleb(2).u32(0).u32(blockLength).raw(rest);
}

// The compile unit names its bases, then a string, an address and a range list by index,
// and a .debug_line_str text; a child of tag 0x48 holds a data16 value.
const Bytes version5Abbreviations = abbreviations(
    {{1, DW_TAG_compile_unit, true,
      {{DW_AT_str_offsets_base, DW_FORM_sec_offset}, {DW_AT_addr_base, DW_FORM_sec_offset},
       {DW_AT_rnglists_base, DW_FORM_sec_offset}, {DW_AT_name, DW_FORM_strx1}, {DW_AT_low_pc, DW_FORM_addrx},
       {DW_AT_ranges, DW_FORM_rnglistx}, {DW_AT_comp_dir, DW_FORM_line_strp}}},
     {2, 0x48, false, {{0x1C, DW_FORM_data16}}}});   // DW_AT_const_value

Bytes version5Entries(uint32_t addrBase, uint8_t strIndex, uint32_t addrIndex, uint32_t rangeIndex,
                      uint32_t lineStrOffset)
{
    Bytes entries;
    return entries.uleb(1).u32(8).u32(addrBase).u32(12).u8(strIndex).uleb(addrIndex).uleb(rangeIndex).u32(lineStrOffset);
}

// Sections for the entries above: string 0 is "a", address 0 is 0x8000, range list 0 is
// [0x8000, 0x8010); the offsets table of .debug_str_offsets is cut to `strOffsetsSize` bytes.
std::vector<uint8_t> version5Image(const Bytes& unit, uint32_t strOffsetsSize = 12, std::vector<uint8_t> rnglists = {})
{
    Bytes strOffsets, addr, ranges;
    strOffsets.u32(8).u16(5).u16(0).u32(0);
    strOffsets.data.resize(strOffsetsSize);
    addr.u32(8).u16(5).u8(4).u8(0).u32(0x8000);
    ranges.u32(0x11).u16(5).u8(4).u8(0).u32(1).u32(4).u8(7).u32(0x8000).uleb(0x10).u8(0);
    return unitsImage(version5Abbreviations, {unit},
                      {{".debug_str", {'a', 0}}, {".debug_str_offsets", strOffsets.data}, {".debug_addr", addr.data},
                       {".debug_rnglists", rnglists.empty() ? ranges.data : rnglists},
                       {".debug_line_str", {'d', 'i', 'r', 0}}});
}

// A version-5 line program whose header ends with `tables` (directory and file formats
// and entries); no opcodes.
std::vector<uint8_t> version5LineProgram(const std::vector<uint8_t>& tables)
{
    Bytes program;
    program.u32(18 + uint32_t(tables.size())).u16(5).u8(4).u8(0).u32(8 + uint32_t(tables.size()));
    return program.raw({2, 1, 1, 0xFB, 14, 1}).raw(tables).data;
}

struct Damage {
    std::string what;
    std::vector<uint8_t> image;
    bool mustSucceed;   // status 0, not only 0 or 1
    std::vector<std::string> err;   // fragments that must appear
    std::vector<std::string> out;
};

// A CIE (length 12, version 1, factors 2 and -4, register 14, DW_CFA_def_cfa(13, 0)), cut
// short, with lengths past the section or of 0.
std::vector<Damage> frameDamages(std::vector<Damage> list)
{
    auto frames = [](const Bytes& section) { return dwarfImage(false, {{".debug_frame", section.data}}); };
    Bytes cie;
    cie.u32(12).u32(0xFFFFFFFF).u8(1).u8(0).uleb(2).sleb(-4).u8(14).raw({0x0C, 0x0D, 0x00});
    Bytes cutHeader = Bytes(cie).raw(cie.data);
    cutHeader.data.resize(26);   // the second CIE ends before its code alignment factor
    Bytes cutOperand = cie;
    cutOperand.data.pop_back();
    Bytes zeroLengths;
    for (int i = 0; i < 3; ++i)
        zeroLengths.u32(0).u32(0).u32(0x8000).u32(4);
    const std::string fde = "length: 0 cie_id: 0x0 FDE initial_location: 0x8000 address_range: 0x4\n";
    const std::string lastInstruction = "DW_CFA_def_cfa(13, 0)\nDebugging";
    list.insert(list.end(),
                {{"frame entry cut inside its header", frames(cutHeader), true,
                  {"the entry at 0x10 is cut short by the end of the section"}, {lastInstruction}},
                 {"frame operand cut by the section end", frames(cutOperand), true, {"the entry at 0x0 is cut short"},
                  {"return_address_register: 14\n\nDebugging"}},
                 {"zero frame lengths", frames(zeroLengths), true, {}, {fde + "\n" + fde + "\n" + fde + "Debugging"}},
                 {"empty .debug_frame", frames(Bytes()), true, {}, {"Frame\n-----\nDebugging"}}});
    for (uint32_t length : {0xFFFFFFFFu, 0x7FFFFFFFu, 0x11u}) {
        Bytes pastEnd = Bytes().u32(length).raw(std::vector<uint8_t>(cie.data.begin() + 4, cie.data.end()));
        list.push_back({"frame length " + std::to_string(length), frames(pastEnd), true, {},
                        {"length: " + std::to_string(int32_t(length)) + " cie_id", lastInstruction}});
    }
    return list;
}

std::vector<Damage> damages()
{
    std::vector<uint8_t> endless(64, 0x80);
    Bytes longUnit;
    longUnit.u32(0x1000).u16(4).u32(0).u8(4).raw(compileUnit().uleb(2).u32(0).data);
    Bytes cutHeader;
    cutHeader.u32(7).u16(4).u32(0).u8(4).u8(0).u32(0).u8(0);   // a unit of only its header, then 6 stray bytes
    Bytes endlessAbbreviation;
    endlessAbbreviation.uleb(1).uleb(DW_TAG_compile_unit).u8(0).raw(endless);
    Bytes lineHeader;   // its length runs past the section
    lineHeader.u32(0x1000).u16(2).u32(0x1000).u8(2).u8(1).u8(0xFB).u8(14).u8(200);
    Bytes unterminatedDirectory = lineHeader;
    unterminatedDirectory.data.resize(15);
    unterminatedDirectory.raw({'d', 'i', 'r'});
    Bytes oneFile = withVariable(compileUnit(), 0, {1, 0});
    const std::string noEntries = "Debugging Information\n---------------------\n\nPubnames";

    std::vector<Damage> list = {
        {"unit longer than the section", imageWith(longUnit), true,
         {"unit at 0x0: its length runs past the end of .debug_info",
          "entry at offset 0x12 runs past the end of the unit"},
         {"  DW_TAG_compile_unit (0xB)\n  DW_AT_name DW_FORM_string u\n"}},
        {"unit header cut short", imageWith(cutHeader), false, {"unit at 0xb: the unit header is cut short"}, {}},
        {"abbreviation offset outside the section", imageWith(unitBytes(compileUnit(), 0x7FFFFFF0)), true,
         {"abbreviation offset 0x7ffffff0 lies outside .debug_abbrev"}, {noEntries}},
        {"no .debug_abbrev", dwarfImage(false, {{".debug_info", unitBytes(compileUnit()).data}}), true,
         {".debug_info without .debug_abbrev"}, {noEntries}},
        {"endless LEB128 code", imageWith(unitBytes(compileUnit().raw(endless))), false, {}, {}},
        {"endless LEB128 value", imageWith(unitBytes(withVariable(compileUnit(), 0, endless))), false, {}, {}},
        {"endless LEB128 in an abbreviation", imageWith(unitBytes(Bytes().uleb(1)), endlessAbbreviation), false,
         {}, {}},
        // Long but terminated numbers: the bits above 32 are dropped.
        {"seven-byte LEB128",
         imageWith(unitBytes(withVariable(compileUnit(), 0, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0}))), false,
         {}, {"DW_AT_decl_file DW_FORM_udata 0xffffffff \n"}},
        {"unterminated DW_FORM_string", imageWith(unitBytes(Bytes().uleb(1).raw({'a', 'b', 'c'}))), false, {}, {}},
        {"unterminated .debug_str", imageWith(unitBytes(withVariable(compileUnit(), 0, {0, 0})), simpleAbbreviations,
                                              {'a', 'b', 'c'}),
         false, {}, {"    DW_AT_name DW_FORM_strp \n"}},
        {"stmt_list outside .debug_line",
         imageWith(unitBytes(withVariable(compileUnit(0x40), 0, {1, 0})), simpleAbbreviations, {0}, {1, 2, 3}), false,
         {}, {}},
        {"line header past the section", imageWith(unitBytes(oneFile), simpleAbbreviations, {0}, lineHeader.data),
         false, {}, {}},
        {"unterminated include directory",
         imageWith(unitBytes(oneFile), simpleAbbreviations, {0}, unterminatedDirectory.data), false, {}, {}},
    };
    // Line programs, name, range and macro tables cut short: what was read before is listed.
    Bytes rows = Bytes().u8(0).uleb(5).u8(2).u32(0x1000).u8(1);
    Bytes lineRangeZero = lineProgram({}, {{"a.c", 0}}, Bytes(rows).u8(20).u8(1));
    lineRangeZero.data[13] = 0;
    const std::string row = "Addresses:\n0x1000 1 a.c\nSources:";
    const std::string pastLine = "its line program at 0x0 runs past the end of .debug_line";
    auto tableImage = [](const char* name, const Bytes& bytes) { return dwarfImage(false, {{name, bytes.data}}); };
    list.insert(list.end(), {
        {"line program cut in an operand", imageWith(unitBytes(oneFile), simpleAbbreviations, {0},
                                                     lineProgram({}, {{"a.c", 0}}, Bytes(rows).u8(2).u8(0x80)).data),
         true, {pastLine}, {row}},
        {"extended opcode longer than the section",
         imageWith(unitBytes(oneFile), simpleAbbreviations, {0},
                   lineProgram({}, {{"a.c", 0}}, Bytes(rows).u8(0).uleb(0xFFFFFFF0).u8(0x80).u8(1)).data),
         true, {pastLine}, {row}},
        {"two units naming one line program",
         imageWith(unitBytes(oneFile).raw(unitBytes(oneFile).data), simpleAbbreviations, {0},
                   lineProgram({}, {{"a.c", 0}}).data),
         true, {}, {"0x1 a.c\n\n\nPubnames"}},
        {"line range 0", imageWith(unitBytes(oneFile), simpleAbbreviations, {0}, lineRangeZero.data), true,
         {"line program has a line range of 0"}, {row}},
        {"aranges set past the section",
         tableImage(".debug_aranges", Bytes().u32(0x1000).u16(2).u32(0).u16(4).u32(0).u32(0x8000).u32(0x10).u32(1)),
         true, {".debug_aranges: the set at 0x0 runs past the end"}, {"cuoffset 0x0 address 0x8000 length 16\n"}},
        {"pubnames name past the section",
         tableImage(".debug_pubnames", Bytes().u32(9).u16(2).u32(0).u32(0x10).u32(0x20).str("ok").u32(0x30).u8('c')),
         true, {".debug_pubnames: the set at 0x0 runs past the end"}, {"ok cuoffset 0x0 cusize 16 offset 32\n"}},
        {"macro operation past the section",
         tableImage(".debug_macro", Bytes().u16(4).u8(0).u8(1).uleb(1).str("X").u8(1).uleb(2).u8('Y')), true,
         {".debug_macro: an operation runs past the end"}, {"flags 0x00\nDW_MACRO_define lineno 1 macro X\n"}},
    });
    Bytes good = version5Entries(8, 0, 0, 0, 0);
    Bytes withData16 = Bytes(version5Entries(8, 0, 0, 0, 0)).uleb(2).raw(std::vector<uint8_t>(15, 7));
    std::vector<uint8_t> cutRangeList = {0x11, 0, 0, 0, 5, 0, 4, 0, 1, 0, 0, 0, 4, 0, 0, 0, 7, 0, 0x80};
    const std::string goodValues = "  DW_AT_name DW_FORM_strx1 a\n  DW_AT_low_pc DW_FORM_addrx 0x8000 \n"
                                   "  DW_AT_ranges DW_FORM_rnglistx 0x10 0x8000-0x8010 \n  DW_AT_comp_dir DW_FORM_line_strp dir\n";
    std::vector<Damage> version5 = {
        {"version 5: every index resolves", version5Image(version5Unit(good)), true, {}, {goodValues}},
        {"version 5: .debug_str_offsets cut short", version5Image(version5Unit(good), 10), true, {},
         {"  DW_AT_name DW_FORM_strx1 \n"}},
        {"version 5: string index past .debug_str_offsets", version5Image(version5Unit(version5Entries(8, 200, 0, 0, 0))),
         true, {}, {"  DW_AT_name DW_FORM_strx1 \n"}},
        {"version 5: address index past .debug_addr", version5Image(version5Unit(version5Entries(8, 0, 1000, 0, 0))),
         true, {}, {"  DW_AT_low_pc DW_FORM_addrx 0x0 \n"}},
        {"version 5: address base past .debug_addr",
         version5Image(version5Unit(version5Entries(0xFFFFFFFC, 0, 0x40000001, 0, 0))), true, {},
         {"  DW_AT_low_pc DW_FORM_addrx 0x0 \n"}},
        {"version 5: range index past the offsets", version5Image(version5Unit(version5Entries(8, 0, 0, 9, 0))), true,
         {}, {"  DW_AT_ranges DW_FORM_rnglistx 0x0 \n"}},
        {"version 5: range list cut short", version5Image(version5Unit(good), 12, cutRangeList), true, {},
         {"  DW_AT_ranges DW_FORM_rnglistx 0x10 \n"}},
        {"version 5: .debug_line_str offset outside", version5Image(version5Unit(version5Entries(8, 0, 0, 0, 99))),
         true, {}, {"  DW_AT_comp_dir DW_FORM_line_strp \n"}},
        {"version 5: data16 cut by the unit end", version5Image(version5Unit(withData16)), true,
         {"entry at offset 0x20 runs past the end of the unit"}, {goodValues}},
        {"version 5: unknown unit type", version5Image(version5Unit(good, 0x7F)), true,
         {"unit at 0x0: unknown unit type 0x7f"}, {}},
        {"version 5: type unit header", version5Image(version5Unit(good, DW_UT_type, 12)), true, {},
         {"  DW_TAG_compile_unit (0x18)\n  DW_AT_str_offsets_base", goodValues}},
        {"version 5: header cut short", version5Image(Bytes().u32(7).u16(5).u8(1).u8(4).raw({0, 0, 0})), false,
         {"the unit header is cut short"}, {}},
        {"version 4: version-5 codes are unknown", version5Image(unitBytes(Bytes().uleb(2).raw({1, 2}))), true,
         {"has an attribute of an unknown form"},
         {"  unexpected DW_TAG 0x48 (0xB)\n  DW_AT_const_value unexpected DW_FORM 0x1e 0x0 \n"}},
    };
    // Line-program tables: an unknown form, a huge count of empty entries, a path offset
    // outside .debug_line_str (file 0 then has an empty name; rows and paths survive).
    for (const std::vector<uint8_t>& tables :
         std::vector<std::vector<uint8_t>>{{1, 1, 0x99, 1, 'a', 0, 0, 0},
                                           {0, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0, 0},
                                           {0, 0, 2, 1, 0x1F, 2, 0x0B, 1, 0x40, 0, 0, 0, 0}})
        version5.push_back({"version 5: line-program tables", imageWith(version5Unit(oneFile), simpleAbbreviations,
                                                                        {0}, version5LineProgram(tables)),
                            true, {}, {"    DW_AT_decl_file DW_FORM_udata 0x1 \n"}});
    list.insert(list.end(), version5.begin(), version5.end());
    for (uint32_t length : {0xFFFFFFFFu, 0x80000000u, 0x10u})
        list.push_back({"block length " + std::to_string(length),
                        imageWith(unitBytes(withVariable(compileUnit(), length, {1, 2, 3, 0}))), true,
                        {"runs past the end of the unit"}, {}});
    return frameDamages(list);
}

} // namespace

TEST(BrokenDwarf, DamagedSectionsAreReportedAndSurvived)
{
    for (const Damage& damage : damages()) {
        SCOPED_TRACE(damage.what);
        RunResult r = expectSurvived(damage.image);
        EXPECT_TRUE(!damage.mustSucceed || r.status == 0) << r.status;
        for (const std::string& fragment : damage.err)
            EXPECT_NE(r.err.find(fragment), std::string::npos) << fragment << "\n" << r.err;
        for (const std::string& fragment : damage.out)
            EXPECT_NE(r.out.find(fragment), std::string::npos) << fragment << "\n" << r.out;
    }
}

// Read and printed without recursion. (In-process: the listing of n levels holds n * n
// spaces of indentation.)
TEST(BrokenDwarf, VeryDeepNesting)
{
    Bytes abbrev = abbreviations({{1, 0x0B, true, {}}});
    for (int depth : {200000, 20000}) {
        Bytes entries;
        for (int i = 0; i < depth; ++i)
            entries.uleb(1);
        auto loaded = loadDwarf(imageWith(unitBytes(entries), abbrev));
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

// Each unit's only entry is named through a DW_AT_specification in the next unit, so reading
// one tree reads the next from inside it: tens of thousands of units must not nest that deep
// on the stack, and every reference still resolves when printed.
TEST(BrokenDwarf, LongChainOfUnitsReadingEachOther)
{
    const uint32_t count = 40000;
    const uint32_t unitSize = 16;   // header, code, 4-byte DW_FORM_ref_addr
    std::vector<Bytes> units;
    for (uint32_t i = 0; i < count; ++i)
        units.push_back(unitBytes(Bytes().uleb(1).u32((i + 1) % count * unitSize + 0xB)));
    auto loaded = loadDwarf(unitsImage(abbreviations({{1, DW_TAG_subprogram, false,
                                                         {{DW_AT_specification, DW_FORM_ref_addr}}}}),
                                       units));
    char* buffer = nullptr;
    size_t length = 0;
    FILE* stream = open_memstream(&buffer, &length);
    dump(*loaded.reader, stream);
    fclose(stream);
    std::string listing(buffer, length);
    free(buffer);
    size_t resolved = 0;
    for (size_t at = 0; (at = listing.find(" DW_TAG_subprogram (0xB)\n\n", at)) != std::string::npos; ++at)
        ++resolved;
    EXPECT_EQ(resolved, count);
    EXPECT_EQ(listing.find("failed"), std::string::npos);
}

TEST(BrokenDwarf, RandomByteFlipsInToolchainImages)
{
    std::mt19937 random(20261205);
    for (const char* fixture : {"features-dwarf4.elf", "basic-dwarf2.elf", "basic-dwarf4-be.elf", "basic-clang.elf",
                                "tables-dwarf3.elf", "features-default.elf", "basic-dwarf5-be.elf",
                                "basic-clang-dwarf5.elf"}) {
        std::vector<uint8_t> original = readFileBytes(MORVANE_TEST_DATA "/dwarf/" + std::string(fixture));
        ASSERT_FALSE(original.empty()) << fixture;
        std::unique_ptr<ElfFile> model = loadDwarf(original).image;
        // Flip bytes inside the DWARF sections, where the reader looks.
        std::vector<std::pair<uint32_t, uint32_t>> ranges;
        for (const char* name : {".debug_info", ".debug_abbrev", ".debug_str", ".debug_line", ".debug_ranges",
                                 ".debug_aranges", ".debug_pubnames", ".debug_pubtypes", ".debug_macro",
                                 ".debug_frame", ".debug_str_offsets", ".debug_addr", ".debug_line_str",
                                 ".debug_rnglists", ".debug_loclists"}) {
            ElfSection* section = model->getSection(QString::fromLatin1(name));
            if (section && section->availableSize())
                ranges.emplace_back(uint32_t(section->data - model->image), section->availableSize());
        }
        ASSERT_FALSE(ranges.empty());
        for (int round = 0; round < 40; ++round) {
            SCOPED_TRACE(std::string(fixture) + " round " + std::to_string(round));
            std::vector<uint8_t> damaged = original;
            int flips = 1 + int(random() % 8);
            for (int i = 0; i < flips; ++i) {
                const auto& range = ranges[random() % ranges.size()];
                damaged[range.first + random() % range.second] ^= uint8_t(1 + random() % 255);
            }
            expectSurvived(damaged);
        }
    }
}
