// Hand-made line programs, name, address-range and macro tables in both byte orders, with
// the "Line", "Pubnames", "Pubtypes", "Aranges" and "Macros" texts written from the
// listing formats and the decoding rules.
#include "DwarfTestSupport.h"

#include <gtest/gtest.h>

namespace {

// One program, two sequences; the comments say what each step leaves in the map.
Bytes lineOpcodes(bool big)
{
    Bytes o(big);
    o.u8(1);                                                      // copy before any address
    o.u8(0).uleb(5).u8(2).u32(0x1000);                            // set_address
    o.u8(20);                                                     // special: 0x1000 line 2
    o.u8(2).uleb(2).u8(3).sleb(10).u8(1);                         // 0x1004 line 12
    o.u8(3).sleb(-3).u8(1);                                       // line 9 there: 12 stays
    o.u8(4).uleb(2).u8(3).sleb(20).u8(1);                         // another file there: dropped
    o.u8(0).uleb(2).u8(4).uleb(5);                                // discriminator
    o.u8(0).uleb(4).u8(0x80).raw({1, 1, 1});                      // unknown, skipped by its length
    o.u8(13).uleb(0x81).uleb(1);                                  // opcode 13 and its two operands
    o.u8(0).uleb(10).u8(3).str("def.c").uleb(0).uleb(0).uleb(0);  // define_file: file 3
    o.u8(4).uleb(3).u8(8).u8(9).u16(0x10);                        // const_add_pc, fixed_advance_pc: 0x1036
    o.u8(6).u8(1).u8(6);                                          // a row with is_stmt 0
    o.u8(4).uleb(2).u8(3).sleb(-27).u8(33);                       // special: 0x1038 line 2
    o.u8(0).uleb(1).u8(1);                                        // end_sequence
    o.u8(0).uleb(5).u8(2).u32(0x1004).u8(1);                      // line 1 at 0x1004: 12 stays
    o.u8(3).sleb(99).u8(1);                                       // line 100 replaces 12
    o.u8(2).uleb(8).u8(1);                                        // 0x1014 line 100
    return o.u8(0).uleb(1).u8(1);
}

// The version 4 header read with the older layout: is_stmt 1 (the operations byte), line
// base 1, line range 251, opcode base 14, and opcode 13 takes one operand.
Bytes version4Opcodes(bool big)
{
    Bytes o(big);
    o.u8(0).uleb(5).u8(2).u32(0x2000).u8(20);   // special 20: line 1 + 1 + 6
    o.u8(13).u8(1).u8(2).uleb(1).u8(1);         // 13 takes the 1 as its operand; 0x2002 line 8
    return o.u8(0).uleb(1).u8(1);
}

Bytes arangesSet(bool big, uint32_t unitOffset, const std::vector<std::pair<uint32_t, uint32_t>>& tuples)
{
    Bytes set(big);
    set.u32(12 + 8 * uint32_t(tuples.size())).u16(2).u32(unitOffset).u8(4).u8(0).u32(0);
    for (const auto& tuple : tuples)
        set.u32(tuple.first).u32(tuple.second);
    return set;
}

const char* const unfilteredLines =
    "Addresses:\n0x1000 2 src/x.c\n0x1004 100 src/x.c\n0x1014 100 src/x.c\n0x1038 2 /home/u/proj/main.c\n"
    "Sources:\nFile: /home/u/proj/main.c\nLine: 2 0x1038\n"
    "File: src/x.c\nLine: 2 0x1000\nLine: 100 0x1014\nLine: 100 0x1004\n";
const char* const filteredLines =
    "Addresses:\n0x1000 2 src/x.c\n0x1036 29 /home/u/proj/def.c\n0x1038 2 /home/u/proj/main.c\n"
    "Sources:\nFile: /home/u/proj/def.c\nLine: 29 0x1036\nFile: /home/u/proj/main.c\nLine: 2 0x1038\n"
    "File: src/x.c\nLine: 2 0x1000\n";
const char* const parsedRanges = "cuoffset 0x0 address 0x1000 length 4\ncuoffset 0x40 address 0x1004 length 12\n"
                                 "cuoffset 0x0 address 0x1030 length 16\n";
const char* const derivedRange = "cuoffset 0x0 address 0x1000 length 57\n";

struct LineCase {
    const char *what, *producer;
    bool aranges, ignoreAranges, version4;
    std::string lines, ranges;
};

} // namespace

TEST(DwarfTables, LineProgramsAndAddressRanges)
{
    const LineCase cases[] = {
        {"no .debug_aranges: is_stmt rows after an address", "GNU C17", false, false, false, unfilteredLines,
         derivedRange},
        {"rows inside the unit's own ranges", "GNU C17", true, false, false, filteredLines, parsedRanges},
        {"-ignoreDebugAranges", "GNU C17", true, true, false, unfilteredLines, derivedRange},
        {"clang: unfiltered, its range joins the table", "Debian clang version 14", true, false, false,
         unfilteredLines,
         "cuoffset 0x0 address 0x1000 length 4\ncuoffset 0x0 address 0x1000 length 57\n"
         "cuoffset 0x40 address 0x1004 length 12\ncuoffset 0x0 address 0x1030 length 16\n"},
        {"version 4 header", "GNU C17", false, false, true,
         "Addresses:\n0x2000 8 /a.c\n0x2002 8 /a.c\nSources:\nFile: /a.c\nLine: 8 0x2002\nLine: 8 0x2000\n",
         "cuoffset 0x0 address 0x2000 length 3\n"},
    };
    Bytes abbrev = abbreviations({{1, DW_TAG_compile_unit, false,
                                   {{DW_AT_producer, DW_FORM_string}, {DW_AT_comp_dir, DW_FORM_string},
                                    {DW_AT_stmt_list, DW_FORM_data4}}}});
    for (const LineCase& c : cases) {
        for (bool big : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (big ? ", big-endian" : ", little-endian"));
            Bytes entries(big);
            entries.uleb(1).str(c.producer).str(c.version4 ? "/" : "/home/u/./proj").u32(0);
            Bytes line = c.version4 ? lineProgram({}, {{"a.c", 0}}, version4Opcodes(big), 4)
                                    : lineProgram({"src/./lib"}, {{"../x.c", 1}, {"main.c", 0}}, lineOpcodes(big));
            Sections sections = {{".debug_line", line.data}};
            if (c.aranges)
                sections[".debug_aranges"] = arangesSet(big, 0, {{0x1000, 4}, {0, 0}, {0x1030, 0x10}})
                                                 .raw(arangesSet(big, 0x40, {{0x1004, 0xC}}).data).data;
            std::string listing = dwarfListing(unitImage(abbrev, entries, sections), c.ignoreAranges);
            EXPECT_EQ(listingPart(listing, "Line\n----\n", "Frame\n"), c.lines);
            EXPECT_EQ(listingPart(listing, "\nAranges\n-------\n", "\nMacros\n"), c.ranges);
        }
    }
}

// DW_AT_ranges up to a begin of 0, without empty pairs (DW_AT_low_pc and DW_AT_high_pc are
// checked against the toolchain's images); nothing for a unit without a line program.
TEST(DwarfTables, UnitRangesFromTheHeaderEntry)
{
    Bytes abbrev = abbreviations(
        {{1, DW_TAG_compile_unit, false, {{DW_AT_stmt_list, DW_FORM_data4}, {DW_AT_ranges, DW_FORM_sec_offset}}},
         {2, DW_TAG_compile_unit, false, {{DW_AT_low_pc, DW_FORM_addr}, {DW_AT_high_pc, DW_FORM_addr}}}});
    Bytes ranges;
    ranges.u32(0xA000).u32(0xA010).u32(0xA020).u32(0xA020).u32(0x9000).u32(0x9001).u32(0).u32(1).u32(0xC000).u32(1);
    auto image = unitsImage(abbrev, {unitBytes(Bytes().uleb(1).u32(0).u32(0)), unitBytes(Bytes().uleb(2).u32(1).u32(2))},
                            {{".debug_line", lineProgram({}, {{"a.c", 0}}).data}, {".debug_ranges", ranges.data}});
    EXPECT_EQ(listingPart(dwarfListing(image), "\nAranges\n-------\n", "\nMacros\n"),
              "cuoffset 0x0 address 0x9000 length 2\ncuoffset 0x0 address 0xa000 length 17\n");
}

// One below a start finds nothing, the last byte of a range finds it.
TEST(DwarfTables, FindRangeBounds)
{
    DwarfAddressRangeTable table;
    table.entries = {{0, 0x100, 0x10}, {1, 0x200, 0x100}};
    const std::pair<uint32_t, int> lookups[] = {{0xFF, -1},  {0x100, 0}, {0x10F, 0}, {0x110, -1},
                                                {0x1FF, -1}, {0x200, 1}, {0x2FF, 1}, {0x300, -1}};
    for (const auto& lookup : lookups) {
        const DwarfAddressRange* found = findRange(table, lookup.first);
        EXPECT_EQ(found ? int(found->unitOffset) : -1, lookup.second) << std::hex << lookup.first;
    }
}

namespace {

Bytes nameSet(bool big, uint32_t unitOffset, uint32_t unitSize,
              const std::vector<std::pair<uint32_t, std::string>>& pairs)
{
    Bytes body(big);
    body.u16(2).u32(unitOffset).u32(unitSize);
    for (const auto& pair : pairs)
        body.u32(pair.first).str(pair.second);
    body.u32(0);
    return Bytes(big).u32(body.size()).raw(body.data);
}

} // namespace

// Read without .debug_info, in both byte orders: names sorted, equal ones in section order;
// two macro units, with the line offset and every operation (an unknown opcode prints
// nothing, a .debug_str offset past the section no text), and without it.
TEST(DwarfTables, NameAndMacroSections)
{
    for (bool big : {false, true}) {
        SCOPED_TRACE(big ? "big-endian" : "little-endian");
        Bytes names = nameSet(big, 0, 0x30, {{0x20, "zeta"}, {0x10, "alpha"}});
        names.raw(nameSet(big, 0x30, 0x40, {{0x11, "alpha"}}).data);
        Bytes macros(big);
        macros.u16(4).u8(2).u32(0x10).u8(1).uleb(0xFFFFFFFF).str("A 1").u8(2).uleb(4).str("A").u8(3).uleb(0).uleb(2);
        macros.u8(4).u8(5).uleb(5).u32(0).u8(6).uleb(6).u32(0x100).u8(7).u32(0x20).u8(0xE0).u8(0);
        macros.u16(5).u8(0xFD).u8(1).uleb(1).str("C").u8(0);
        auto image = dwarfImage(big, {{".debug_pubnames", names.data},
                                      {".debug_pubtypes", nameSet(big, 0, 0x30, {{0x2A, "u32"}}).data},
                                      {".debug_macro", macros.data}, {".debug_str", Bytes().str("B 2").data}});
        EXPECT_EQ(listingPart(dwarfListing(image), "\nPubnames\n"),
                  "--------\nalpha cuoffset 0x0 cusize 48 offset 16\nalpha cuoffset 0x30 cusize 64 offset 17\n"
                  "zeta cuoffset 0x0 cusize 48 offset 32\n\nPubtypes\n--------\nu32 cuoffset 0x0 cusize 48 offset 42\n"
                  "\nAranges\n-------\n\nMacros\n-------\n"
                  "\noffset 0x0 version 0x4 flags 0x02\ndebug_line offset 0x10\n"
                  "DW_MACRO_define lineno -1 macro A 1\nDW_MACRO_undef lineno 4 macro A\n"
                  "DW_MACRO_start_file lineno 0 filenum 2\nDW_MACRO_end_file\n"
                  "DW_MACRO_define_indirect lineno 5 macro B 2\nDW_MACRO_undef_indirect lineno 6 macro \n"
                  "DW_MACRO_transparent_include offset 0x20\n"
                  "\noffset 0x2c version 0x5 flags 0xfd\nDW_MACRO_define lineno 1 macro C\n");
        LoadedDwarf loaded = loadDwarf(image);
        auto found = findNames(loaded.reader->pubnames, "alpha");
        ASSERT_EQ(found.second - found.first, 2);
        EXPECT_EQ(found.first[1].unitOffset, 0x30u);
        EXPECT_EQ(findNames(loaded.reader->pubnames, "alph").second, found.first);   // no prefix matches
    }
}

// Without .debug_pubnames: the external subprograms and variables of the units, unit size 0.
TEST(DwarfTables, PublicNamesCollectedFromTheUnits)
{
    Bytes abbrev = abbreviations(
        {{1, DW_TAG_compile_unit, true, {{DW_AT_name, DW_FORM_string}}},
         {2, DW_TAG_subprogram, false,
          {{DW_AT_name, DW_FORM_string}, {DW_AT_external, DW_FORM_flag}, {DW_AT_low_pc, DW_FORM_addr}}},
         {3, DW_TAG_variable, false,
          {{DW_AT_name, DW_FORM_string}, {DW_AT_external, DW_FORM_flag}, {DW_AT_location, DW_FORM_exprloc}}}});
    for (bool big : {false, true}) {
        Bytes entries(big);
        entries.uleb(1).str("u");
        entries.uleb(2).str("main").u8(1).u32(0x8010);   // 0xE
        entries.uleb(2).str("helper").u8(0).u32(0x8000);
        entries.uleb(2).str("init").u8(1).u32(0x8000);   // 0x26
        entries.uleb(3).str("count").u8(1).uleb(5).raw({3, 0, 0x10, 0, 0});   // 0x31
        entries.uleb(3).str("hidden").u8(0).uleb(5).raw({3, 0, 0x20, 0, 0});
        entries.u8(0);
        EXPECT_EQ(listingPart(dwarfListing(unitImage(abbrev, entries)), "\nPubnames\n--------\n", "\nPubtypes\n"),
                  "count cuoffset 0x0 cusize 0 offset 49\ninit cuoffset 0x0 cusize 0 offset 38\n"
                  "main cuoffset 0x0 cusize 0 offset 14\n");
    }
}
