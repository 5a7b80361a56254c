// The -dwarf listing of hand-made units, compared with text written from the listing
// formats: every form in both byte orders, unknown codes, references, ranges, file paths.
#include "DwarfTestSupport.h"
#include "dwarf/DwarfFilePath.h"

#include <gtest/gtest.h>

namespace {

const char* const headingsBeforeEntries =
    "Line\n----\nAddresses:\nSources:\nFrame\n-----\nDebugging Information\n---------------------\n";
const char* const headingsAfterEntries =
    "\nPubnames\n--------\n\nPubtypes\n--------\n\nAranges\n-------\n\nMacros\n-------\n";

// One compile unit holding one variable entry with an attribute of every form.
std::vector<uint8_t> everyFormImage(bool bigEndian)
{
    Bytes abbrev = abbreviations(
        {{1, DW_TAG_compile_unit, true, {{DW_AT_name, DW_FORM_string}}},
         {2, DW_TAG_variable, false,
          {{DW_AT_low_pc, DW_FORM_addr}, {DW_AT_location, DW_FORM_block2}, {DW_AT_location, DW_FORM_block4},
           {0x1C, DW_FORM_data2}, {0x1C, DW_FORM_data4}, {0x1C, DW_FORM_data8}, {DW_AT_name, DW_FORM_string},
           {DW_AT_location, DW_FORM_block}, {DW_AT_location, DW_FORM_block1}, {0x0B, DW_FORM_data1},
           {DW_AT_external, DW_FORM_flag}, {0x1C, DW_FORM_sdata}, {DW_AT_name, DW_FORM_strp},
           {0x1C, DW_FORM_udata}, {0x49, DW_FORM_ref_addr}, {0x49, DW_FORM_ref1}, {0x49, DW_FORM_ref2},
           {0x49, DW_FORM_ref4}, {0x49, DW_FORM_ref8}, {0x49, DW_FORM_ref_udata}, {0x1C, DW_FORM_indirect},
           {DW_AT_stmt_list, DW_FORM_sec_offset}, {DW_AT_location, DW_FORM_exprloc},
           {DW_AT_declaration, DW_FORM_flag_present}, {0x49, DW_FORM_ref_sig8}, {DW_AT_name, DW_FORM_strp},
           {0x1C, DW_FORM_sdata}, {0x1C, DW_FORM_sdata}}}});
    Bytes entries(bigEndian);
    entries.uleb(1).str("u");
    entries.uleb(2).u32(0x12345678).u16(3).raw({1, 2, 3}).u32(1).u8(0xFF).u16(0xBEEF).u32(0xDEADBEEF)
        .raw({1, 2, 3, 4, 5, 6, 7, 8}).str("abc").uleb(2).raw({0x0A, 0x0B}).u8(0).u8(0x7F).u8(1).sleb(-1)
        .u32(0).uleb(300).u32(0xB).u8(0xB).u16(0xB).u32(0xB).raw({9, 9, 9, 9, 9, 9, 9, 9}).uleb(0xB)
        .uleb(DW_FORM_data1).u8(0x42).u32(0x10).uleb(5).raw({0x03, 0x78, 0x56, 0x34, 0x12})
        .raw({7, 7, 7, 7, 7, 7, 7, 7}).u32(6).sleb(INT32_MIN).sleb(-64);   // strp 6: just past .debug_str
    entries.u8(0);
    return unitImage(abbrev, entries, {{".debug_str", Bytes().str("hello").data}});
}

const char* const everyFormListing =
    "  DW_TAG_compile_unit (0xB)\n"
    "  DW_AT_name DW_FORM_string u\n"
    "\n"
    "    DW_TAG_variable (0xE)\n"
    "    DW_AT_low_pc DW_FORM_addr 0x12345678 \n"
    "    DW_AT_location DW_FORM_block2 0x01 0x02 0x03 \n"
    "    DW_AT_location DW_FORM_block4 0xff \n"
    "    DW_AT_const_value DW_FORM_data2 0xbeef \n"
    "    DW_AT_const_value DW_FORM_data4 0xdeadbeef \n"
    "    DW_AT_const_value DW_FORM_data8 0x01 0x02 0x03 0x04 0x05 0x06 0x07 0x08 \n"
    "    DW_AT_name DW_FORM_string abc\n"
    "    DW_AT_location DW_FORM_block 0x0a 0x0b \n"
    "    DW_AT_location DW_FORM_block1 \n"
    "    DW_AT_byte_size DW_FORM_data1 0x7f \n"
    "    DW_AT_external DW_FORM_flag 0x1 \n"
    "    DW_AT_const_value DW_FORM_sdata -1 \n"
    "    DW_AT_name DW_FORM_strp hello\n"
    "    DW_AT_const_value DW_FORM_udata 0x12c \n"
    "    DW_AT_type DW_FORM_ref_addr 0xb \n"
    "    DW_AT_type DW_FORM_ref1 0xb \n"
    "    DW_AT_type DW_FORM_ref2 0xb \n"
    "    DW_AT_type DW_FORM_ref4 0xb \n"
    "    DW_AT_type DW_FORM_ref8 0x8 \n"
    "    DW_AT_type DW_FORM_ref_udata 0xb \n"
    "    DW_AT_const_value DW_FORM_data1 0x42 \n"
    "    DW_AT_stmt_list DW_FORM_sec_offset 0x10 \n"
    "    DW_AT_location DW_FORM_exprloc 0x03 0x78 0x56 0x34 0x12 \n"
    "    DW_AT_declaration DW_FORM_flag_present 0x1 \n"
    "    DW_AT_type DW_FORM_ref_sig8 0x8 \n"
    "    DW_AT_name DW_FORM_strp \n"
    "    DW_AT_const_value DW_FORM_sdata -2147483648 \n"
    "    DW_AT_const_value DW_FORM_sdata -64 \n"
    "\n";

std::string hex(uint32_t value, const char* format = "%x")
{
    char text[16];
    snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

TEST(DwarfListing, ImageWithoutDwarfPrintsOnlyTheHeadings)
{
    ElfWriter writer;
    writer.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, writer.words32({0xE12FFF1E}));
    RunResult r = runMorvane({"-dwarf", writeTempFile(writer.build(), ".elf")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, std::string(headingsBeforeEntries) + headingsAfterEntries);
}

TEST(DwarfListing, EveryFormInBothByteOrders)
{
    for (bool big : {false, true}) {
        SCOPED_TRACE(big ? "big-endian" : "little-endian");
        std::string expected = headingsBeforeEntries + std::string(everyFormListing) + "\nPubnames\n--------\n";
        EXPECT_EQ(dwarfListing(everyFormImage(big)).substr(0, expected.size()), expected);
    }
}

// Unknown tag, attribute and form codes print their fallback texts, each with its own code.
// The abbreviation table also starts with a stray zero code and holds a (0, data1) pair:
// both are passed over.
TEST(DwarfListing, UnknownCodesAndAbbreviationOddities)
{
    Bytes abbrev;
    abbrev.uleb(0);
    abbrev.raw(abbreviations({{1, 0x48, true, {{0x2137, DW_FORM_data1}, {0, DW_FORM_data1}, {0x6F, DW_FORM_data1}}},
                              {2, 0x4109, false, {}},
                              {3, DW_TAG_base_type, false,
                               {{DW_AT_name, 0x1F01}, {0x88, 0x1A}, {0x0B, DW_FORM_data1}}}})
                   .data);
    Bytes entries;
    entries.uleb(1).u8(5).u8(6).uleb(2).uleb(3).u8(4);
    entries.uleb(2);   // after an unknown form the unit is not read further
    entries.u8(0);
    auto image = unitImage(abbrev, entries);
    EXPECT_EQ(debuggingInformation(dwarfListing(image)),
              "  unexpected DW_TAG 0x48 (0xB)\n"
              "  unexpected DW_AT 0x2137 DW_FORM_data1 0x5 \n"
              "  unexpected DW_AT 0x6f DW_FORM_data1 0x6 \n\n"
              "    DW_TAG_GNU_call_site (0xE)\n\n"
              "    DW_TAG_base_type (0xF)\n"
              "    DW_AT_name DW_FORM_GNU_addr_index 0x0 \n"
              "    unexpected DW_AT 0x88 unexpected DW_FORM 0x1a 0x0 \n"
              "    DW_AT_byte_size DW_FORM_data1 0x4 \n\n");
    RunResult r = runMorvane({"-dwarf", writeTempFile(image, ".elf")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "morvane: warning: unit at 0x0: entry at offset 0xf has an attribute of an unknown form; "
                     "the rest of the unit is not read\n");
}

TEST(DwarfListing, UnknownAbbreviationCodeDiagnosticAndHexDump)
{
    Bytes abbrev = abbreviations({{1, DW_TAG_compile_unit, true, {{DW_AT_name, DW_FORM_string}}},
                                  {2, DW_TAG_base_type, false, {{DW_AT_name, DW_FORM_string}}}});
    Bytes entries;
    entries.uleb(1).str("ABCDEFGHIJ");
    entries.uleb(9);              // no such abbreviation: the next byte is read as a code
    entries.uleb(2).str("int");
    entries.u8(0);
    RunResult r = runMorvane({"-dwarf", writeTempFile(unitImage(abbrev, entries), ".elf")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    // The diagnostic shows memory addresses; check everything around them.
    size_t start = r.out.find("what is happening couldn't find abbrev 0x9 offset 0x17, 0x");
    ASSERT_NE(start, std::string::npos) << r.out;
    size_t lineEnd = r.out.find('\n', start);
    // 16 bytes from 10 before the read position (just past the code 9 at offset 0x17).
    EXPECT_EQ(r.out.substr(lineEnd + 1, 2 * 67),
              " 43 44 45 46 47 48 49 4A 00 09 02 69 6E 74 00 00  CDEFGHIJ...int..\n"
              "                                                                  \n");
    EXPECT_NE(r.out.find("  DW_TAG_compile_unit (0xB)\n  DW_AT_name DW_FORM_string ABCDEFGHIJ\n\n"
                         "    DW_TAG_base_type (0x18)\n    DW_AT_name DW_FORM_string int\n\n"),
              std::string::npos)
        << r.out;
}

// The listing frees each unit's tree once printed; a later unit referring back reads it
// again, and its diagnostics (here for the unknown code 9) are not printed a second time.
TEST(DwarfListing, UnitReadAgainAfterPrintingStaysQuiet)
{
    Bytes abbrev = abbreviations({{1, DW_TAG_compile_unit, true, {{DW_AT_name, DW_FORM_string}}},
                                  {2, DW_TAG_base_type, false, {{DW_AT_name, DW_FORM_string}}},
                                  {3, DW_TAG_variable, false, {{DW_AT_abstract_origin, DW_FORM_ref_addr}}}});
    Bytes first;
    first.uleb(1).str("a").uleb(9).uleb(2).str("int").u8(0);   // int at 0xF
    Bytes second;
    second.uleb(1).str("b").uleb(3).u32(0xF).u8(0);
    RunResult r = runMorvane({"-dwarf", writeTempFile(unitsImage(abbrev, {unitBytes(first), unitBytes(second)}),
                                                      ".elf")});
    EXPECT_EQ(r.status, 0);
    size_t diagnostic = r.out.find("what is happening couldn't find abbrev 0x9");
    ASSERT_NE(diagnostic, std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("what is happening", diagnostic + 1), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  DW_TAG_compile_unit (0xB)\n  DW_AT_name DW_FORM_string b\n\n"
                         "    DW_TAG_variable (0xE)\n"
                         "    DW_AT_abstract_origin DW_FORM_ref_addr 0xf DW_TAG_base_type (0xF)\n\n"),
              std::string::npos)
        << r.out;
}

TEST(DwarfListing, SpecificationAndAbstractOriginAdditions)
{
    Bytes abbrev = abbreviations(
        {{1, DW_TAG_compile_unit, true, {}},
         {2, DW_TAG_subprogram, false, {{DW_AT_name, DW_FORM_string}}},
         {3, DW_TAG_subprogram, false, {{DW_AT_specification, DW_FORM_ref4}}},
         {4, DW_TAG_subprogram, false, {{DW_AT_abstract_origin, DW_FORM_ref_addr}}},
         {5, DW_TAG_subprogram, false,
          {{DW_AT_specification, DW_FORM_ref1}, {DW_AT_abstract_origin, DW_FORM_ref_sig8}}},
         {6, DW_TAG_subprogram, false, {{DW_AT_specification, DW_FORM_ref8}}}});
    const std::vector<uint8_t> eightBytesNamingF = {0xC, 0, 0, 0, 0, 0, 0, 0};   // type units are not read
    Bytes entries;
    entries.uleb(1);                                    // 0xB
    entries.uleb(2).str("f");                           // 0xC
    entries.uleb(3).u32(0xC);                           // 0xF
    entries.uleb(4).u32(0xC);                           // 0x14, section offset of 0xC
    entries.uleb(5).u8(0xD).raw(eightBytesNamingF);     // 0x19: 0xD is inside an entry
    entries.uleb(6).raw(eightBytesNamingF);             // 0x23
    entries.u8(0);
    EXPECT_EQ(debuggingInformation(dwarfListing(unitImage(abbrev, entries))),
              "  DW_TAG_compile_unit (0xB)\n\n"
              "    DW_TAG_subprogram (0xC)\n    DW_AT_name DW_FORM_string f\n\n"
              "    DW_TAG_subprogram (0xF)\n    DW_AT_specification DW_FORM_ref4 0xc DW_TAG_subprogram (0xC)\n\n"
              "    DW_TAG_subprogram (0x14)\n"
              "    DW_AT_abstract_origin DW_FORM_ref_addr 0xc DW_TAG_subprogram (0xC)\n\n"
              "    DW_TAG_subprogram (0x19)\n"
              "    DW_AT_specification DW_FORM_ref1 0xd getSpecification() failed\n"
              "    DW_AT_abstract_origin DW_FORM_ref_sig8 0x8 getAbstractOrigin() failed\n\n"
              "    DW_TAG_subprogram (0x23)\n    DW_AT_specification DW_FORM_ref8 0x8 getSpecification() failed\n\n");
}

// Range lists follow the value, up to a pair beginning at 0 or the end of .debug_ranges;
// without that section nothing follows.
TEST(DwarfListing, RangeListsAfterTheValue)
{
    Bytes abbrev = abbreviations({{1, DW_TAG_compile_unit, true, {{DW_AT_ranges, DW_FORM_sec_offset}}},
                                  {2, 0x0B, false, {{DW_AT_ranges, DW_FORM_data4}}}});
    Bytes entries(true);
    entries.uleb(1).u32(0);
    entries.uleb(2).u32(0x20);   // first pair (0, 0x100): nothing
    entries.uleb(2).u32(0x30);   // no terminator before the section end
    entries.uleb(2).u32(0x400);  // beyond the section
    entries.u8(0);
    Bytes ranges(true);
    ranges.u32(0x100).u32(0x200).u32(0xFFFFFFFF).u32(0x1000).u32(0x10).u32(0x2A).u32(0).u32(0);
    ranges.u32(0).u32(0x100).u32(0x5).u32(0x6);
    ranges.u32(0xAB).u32(0xCD).u32(0x1);
    for (bool withRanges : {true, false}) {
        SCOPED_TRACE(withRanges ? "with .debug_ranges" : "without .debug_ranges");
        Sections more;
        if (withRanges)
            more[".debug_ranges"] = ranges.data;
        EXPECT_EQ(debuggingInformation(dwarfListing(unitImage(abbrev, entries, more))),
                  "  DW_TAG_compile_unit (0xB)\n  DW_AT_ranges DW_FORM_sec_offset 0x0 "
                  + std::string(withRanges ? "0x100-0x200 0xFFFFFFFF-0x1000 0x10-0x2A " : "") + "\n\n"
                  "    DW_TAG_lexical_block (0x10)\n    DW_AT_ranges DW_FORM_data4 0x20 \n\n"
                  "    DW_TAG_lexical_block (0x15)\n    DW_AT_ranges DW_FORM_data4 0x30 "
                  + (withRanges ? "0xAB-0xCD " : "") + "\n\n"
                  "    DW_TAG_lexical_block (0x1A)\n    DW_AT_ranges DW_FORM_data4 0x400 \n\n");
    }
}

// Entries without attributes, nesting, units one after the other (versions 2 and 3), an
// address read as 4 bytes whatever the unit header says, and a text longer than the
// listing's output buffer.
TEST(DwarfListing, TreeShapesAndConsecutiveUnits)
{
    Bytes abbrev = abbreviations({{1, DW_TAG_compile_unit, true, {{DW_AT_name, DW_FORM_string}}},
                                  {2, 0x0B, true, {}},
                                  {3, DW_TAG_compile_unit, false,
                                   {{DW_AT_name, DW_FORM_string}, {DW_AT_low_pc, DW_FORM_addr},
                                    {0x0B, DW_FORM_data1}}}});
    std::string longName(70000, 'n');
    Bytes first;
    first.uleb(1).str("one").uleb(2).uleb(2).u8(0).u8(0).uleb(2).u8(0).u8(0);
    Bytes second;
    second.uleb(3).str(longName).u32(0x8000).u8(9);
    auto image = unitsImage(abbrev, {unitBytes(first, 0, 2), unitBytes(second, 0, 3, 8)});
    EXPECT_EQ(debuggingInformation(dwarfListing(image)),
              "  DW_TAG_compile_unit (0xB)\n  DW_AT_name DW_FORM_string one\n\n"
              "    DW_TAG_lexical_block (0x10)\n\n"
              "      DW_TAG_lexical_block (0x11)\n\n"
              "    DW_TAG_lexical_block (0x14)\n\n"
              "  DW_TAG_compile_unit (0xB)\n  DW_AT_name DW_FORM_string " + longName + "\n"
              "  DW_AT_low_pc DW_FORM_addr 0x8000 \n  DW_AT_byte_size DW_FORM_data1 0x9 \n\n");
}

// Paths are directory + file, normalised; numbers 0 and past the table add nothing, and a
// unit without a compile-unit entry (so no line program) prints no paths.
TEST(DwarfListing, DeclFilePathsAreJoinedAndNormalised)
{
    Bytes abbrev = abbreviations(
        {{1, DW_TAG_compile_unit, true, {{DW_AT_comp_dir, DW_FORM_string}, {DW_AT_stmt_list, DW_FORM_data4}}},
         {2, DW_TAG_variable, false, {{DW_AT_decl_file, DW_FORM_data1}}},
         {3, DW_TAG_compile_unit, true, {{DW_AT_stmt_list, DW_FORM_sec_offset}}},
         {4, DW_TAG_partial_unit, true, {{DW_AT_stmt_list, DW_FORM_data4}}}});
    Bytes line = lineProgram({"src/./lib", "/abs//dir", "src"},
                             {{"../x.c", 1}, {"main.c", 0}, {"/usr/include/./stdio.h", 2}, {"ok.c", 3},
                              {"y.c", 2}, {"z.c", 7}});
    uint32_t secondProgram = line.size();
    line.raw(lineProgram({}, {{"./a/../b.c", 0}, {"../up.c", 0}}).data);

    Bytes first;
    first.uleb(1).str("/home/u/./proj").u32(0);
    for (uint32_t file = 0; file <= 7; ++file)
        first.uleb(2).u8(file);
    first.u8(0);
    Bytes second;
    second.uleb(3).u32(secondProgram).uleb(2).u8(1).uleb(2).u8(2).u8(0);
    Bytes partial;
    partial.uleb(4).u32(0).uleb(2).u8(1).u8(0);
    auto image = unitsImage(abbrev, {unitBytes(first), unitBytes(second), unitBytes(partial)},
                            {{".debug_line", line.data}});

    std::string expected = "  DW_TAG_compile_unit (0xB)\n  DW_AT_comp_dir DW_FORM_string /home/u/./proj\n"
                           "  DW_AT_stmt_list DW_FORM_data4 0x0 \n\n";
    const char* paths[] = {"", "src/x.c", "/home/u/proj/main.c", "/usr/include/stdio.h", "src/ok.c",
                           "/abs/dir/y.c", "/home/u/proj/z.c", ""};
    for (uint32_t file = 0; file <= 7; ++file)
        expected += "    DW_TAG_variable (0x" + hex(0x1F + 2 * file, "%X") + ")\n    DW_AT_decl_file DW_FORM_data1 0x"
            + hex(file) + " " + paths[file] + "\n\n";
    expected += "  DW_TAG_compile_unit (0xB)\n  DW_AT_stmt_list DW_FORM_sec_offset 0x" + hex(secondProgram) + " \n\n"
        "    DW_TAG_variable (0x10)\n    DW_AT_decl_file DW_FORM_data1 0x1 b.c\n\n"
        "    DW_TAG_variable (0x12)\n    DW_AT_decl_file DW_FORM_data1 0x2 ../up.c\n\n"
        "  DW_TAG_partial_unit (0xB)\n  DW_AT_stmt_list DW_FORM_data4 0x0 \n\n"
        "    DW_TAG_variable (0x10)\n    DW_AT_decl_file DW_FORM_data1 0x1 \n\n";
    EXPECT_EQ(debuggingInformation(dwarfListing(image)), expected);
}

// The cases of the normalisation rule the listing above does not reach.
TEST(DwarfListing, PathNormalisationRule)
{
    const std::pair<const char*, const char*> cases[] = {
        {"src/main.c", "src/main.c"}, {"a/../../b.c", "../b.c"}, {"/a/b/../../c", "/c"}, {"/../x", "/../x"},
        {"dir/", "dir"},              {"./a.c", "a.c"},          {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(normalisePath(c.first), c.second) << c.first;
}
