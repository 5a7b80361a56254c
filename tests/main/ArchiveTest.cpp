// The ar archive walk: symbol index listing, long names, padding, damaged archives and
// the refusal to patch a member. Each member's listing is checked against morvane's
// listing of the same bytes given as a plain file, so these tests hold whatever the ELF,
// DWARF and disassembly listings look like (their own tests pin those).
#include "support/ElfWriter.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>


namespace {

// A small object whose symbol is `name`; `oddSize` appends one byte so its size is odd.
std::vector<uint8_t> objectDefining(const std::string& name, bool oddSize = false, bool bigEndian = false)
{
    ElfWriter w(bigEndian);
    w.type = ET_REL;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0, w.words32({0xe12fff1e}), 0, 0, 0, 4);
    w.addSymbol(name, 0, 4, ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    std::vector<uint8_t> image = w.build();
    if (oddSize == (image.size() % 2 == 0))
        image.push_back(0);
    return image;
}

const std::vector<std::string> listingOptions = {"-header", "-sections", "-symbols"};

// morvane's output for the plain file `path`.
std::string listingOf(const std::string& path, std::vector<std::string> options = listingOptions)
{
    options.push_back(path);
    return runMorvane(options).out;
}

std::string hex8(uint32_t value)
{
    char text[16];
    snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

std::vector<uint8_t> archiveOf(const std::vector<ArWriter::Member>& members, bool longNames = true,
                               bool alwaysLongNames = false, std::vector<uint8_t> rawLongNames = {})
{
    ArWriter ar;
    ar.longNames = longNames;
    ar.alwaysLongNames = alwaysLongNames;
    ar.rawLongNames = rawLongNames;
    for (const ArWriter::Member& member : members)
        ar.addMember(member);
    return ar.build();
}

TEST(Archive, WalkPatchesAndDamage)
{
    const std::vector<uint8_t> a = objectDefining("alpha");
    const std::vector<uint8_t> b = objectDefining("beta", true);   // odd size: padded
    const std::vector<uint8_t> big = objectDefining("gamma", true, true);   // converted in place
    const std::string listA = listingOf(writeTempFile(a)), listB = listingOf(writeTempFile(b));
    const std::string listBig = listingOf(writeTempFile(big));
    const std::string longName = "a_rather_long_member_name.o";    // table of 29 bytes
    const std::string pastEnd = "archive member at offset 8 runs past the end of the file\n";
    const std::string badIndex = "archive symbol index runs past the end of its member\n";
    ArWriter gnu;
    gnu.addMember("a.o", a);
    gnu.addMember(longName, b);
    gnu.addSymbol("alpha", 0);
    gnu.addSymbol("b\xe9ta", 1);
    const std::vector<uint8_t> gnuBytes = gnu.build();
    const std::vector<uint8_t> plain = archiveOf({{"a.o", a, "", ""}, {"never.o", a, "", ""}});
    std::vector<uint8_t> truncatedHeader = archiveOf({{"a.o", a, "", ""}}, false);
    const std::string headerAt = std::to_string(truncatedHeader.size());
    truncatedHeader.insert(truncatedHeader.end(), {'b', '.', 'o', '/', ' ', ' '});
    auto indexed = [&](std::vector<uint8_t> index, bool withMember = true) {
        ArWriter w;
        w.rawSymbolIndex = index;
        w.symbolIndex = true;
        if (withMember)
            w.addMember("a.o", a);
        return w.build();
    };
    auto withoutLast = [](std::vector<uint8_t> bytes, size_t count) {
        bytes.resize(bytes.size() - count);
        return bytes;
    };
    const std::string refusal = ": cannot patch archive member lib.a(a.o): writing it back would replace the archive\n";

    struct Row {
        const char* what;
        std::vector<uint8_t> archive;
        std::string out, err;
        int status;
        std::vector<std::string> args = listingOptions;
        std::string path = "lib.a";   // the archive's name on the command line
    };
    const Row rows[] = {
        {"only the global header", ArWriter().build(), "", "", 0},
        {"empty symbol index", indexed({}, false), "Archive Symbols:\n", "", 0},
        {"symbol index and long names", gnuBytes,
         "Archive Symbols:\nalpha " + hex8(gnu.memberOffset(0)) + "\nb\xe9ta " + hex8(gnu.memberOffset(1)) +
             "\nFile: lib.a(a.o)\n" + listA + "File: lib.a(" + longName + ")\n" + listB, "", 0},
        {"index listed only with -symbols, archive name as typed", gnuBytes,
         "File: ./lib.a(a.o)\nFile: ./lib.a(" + longName + ")\n", "", 0, {}, "./lib.a"},
        {"8-bit archive and member names", archiveOf({{"\xe9t\xe9.o", a, "", ""}}),
         "File: lib\xe9.a(\xe9t\xe9.o)\n" + listA, "", 0, listingOptions, "lib\xe9.a"},
        {"no index, no long names", archiveOf({{"odd.o", b, "", ""}, {"odd2.o", b, "", ""}}, false),
         "File: lib.a(odd.o)\n" + listB + "File: lib.a(odd2.o)\n" + listB, "", 0},
        {"long names without index", archiveOf({{"first.o", b, "", ""}, {"second.o", b, "", ""}}, true, true),
         "File: lib.a(first.o)\n" + listB + "File: lib.a(second.o)\n" + listB, "", 0},
        {"big-endian members side by side", archiveOf({{"x.o", big, "", ""}, {"y.o", big, "", ""}}, false),
         "File: lib.a(x.o)\n" + listBig + "File: lib.a(y.o)\n" + listBig, "", 0},
        {"last odd member without its padding byte", withoutLast(archiveOf({{"b.o", b, "", ""}}), 1),
         "File: lib.a(b.o)\n" + listB, "", 0},
        // Patches are refused after the listings, before the archive could be replaced.
        {"-setVFPflags", plain, "File: lib.a(a.o)\n" + listA, "-setVFPflags" + refusal, 1,
         {"-header", "-sections", "-setVFPflags", "-symbols"}},
        {"-deTISection", plain, "File: lib.a(a.o)\n", "-deTISection" + refusal, 1, {"-ThumbSymbols", "-deTISection"}},
        // Damaged: one line on standard error, status 1, nothing after the failing member.
        {"empty member is an image error", archiveOf({{"empty.o", {}, "", ""}}), "File: lib.a(empty.o)\n",
         "open error truncated ELF file: \n", 1},
        {"long name offset outside the table", archiveOf({{longName, a, "", ""}, {"", a, "/29", ""}}),
         "File: lib.a(" + longName + ")\n" + listA, "invalid long names table offset 29\n", 1},
        {"long name without a long names member", archiveOf({{"", a, "/0", ""}}), "",
         "invalid long names table offset 0\n", 1},
        {"long name without '/'", archiveOf({{"", a, "/2", ""}}, true, false, {'n', 'o', 's', 'l', 'a', 's', 'h'}), "",
         "invalid archive file name\n", 1},
        {"short name without '/'",
         archiveOf({{"a.o", a, "", ""}, {"", a, "sixteen_chars.oo", ""}, {"never.o", a, "", ""}}, false),
         "File: lib.a(a.o)\n" + listA, "invalid archive file name\n", 1},
        {"member past the end", archiveOf({{"a.o", a, "", "99999"}}), "", pastEnd, 1},
        {"negative member size", archiveOf({{"a.o", a, "", "-4"}}), "", pastEnd, 1},
        {"symbol index member past the end", withoutLast(indexed({}, false), 2), "", pastEnd, 1, {}},
        {"truncated member header", truncatedHeader, "File: lib.a(a.o)\n" + listA,
         "truncated archive member header at offset " + headerAt + "\n", 1},
        {"index count past its member", indexed({0, 0, 0, 2, 0, 0, 0, 8, 'x', 0}), "", badIndex, 1},
        {"index not read without -symbols", indexed({0, 0, 0, 2, 0, 0, 0, 8, 'x', 0}), "File: lib.a(a.o)\n", "", 0, {}},
        {"index names past its member", indexed({0, 0, 0, 1, 0, 0, 0, 8, 'n', 'o', 'n', 'u', 'l'}), "", badIndex, 1},
        {"index too short for its count", indexed({0, 0}), "", badIndex, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        std::vector<std::string> args = row.args;
        args.push_back(row.path);
        std::string path = dir.write(row.path, row.archive);
        RunResult r = runMorvane(args, dir.path());
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.out, row.out);
        EXPECT_EQ(r.err, row.err);
        EXPECT_EQ(readFileBytes(path), row.archive);
    }
}

// An archive made by GNU ar from two compiled objects with debugging information: the
// index agrees with nm's and ar's member offsets, and each member lists, DWARF and
// disassembly included, exactly as the object file itself.
TEST(Archive, GnuArchiveAgreesWithBinutils)
{
    TempDir dir;
    const std::string data = MORVANE_TEST_DATA "/elf/";
    const std::vector<std::string> members = {"one.o", "a_member_with_a_long_name.o"};
    RunResult made = runTool("cp " + data + "arm-le.o one.o && cp " + data + "thumb-le.o " + members[1] +
                                 " && arm-none-eabi-ar rcs lib.a one.o " + members[1], dir.path());
    ASSERT_EQ(made.status, 0) << made.err;
    // Each "symbol in member" line of nm's index with the member's header offset: "ar tvO"
    // ends each member's line with its name and the offset of its data, 60 bytes on.
    RunResult index = runTool("arm-none-eabi-nm --print-armap lib.a | sed -n 's/ in / /p' | while read symbol member; do"
                              " data=$(arm-none-eabi-ar tvO lib.a | awk -v m=$member '$(NF-1) == m {print $NF}');"
                              " printf '%s 0x%08x\\n' $symbol $((data - 60)); done", dir.path());
    ASSERT_EQ(index.err, "");
    std::string expected = "Archive Symbols:\n" + index.out;
    const std::vector<std::string> options = {"-symbols", "-dwarf", "-disassemble"};
    for (const std::string& member : members)
        expected += "File: lib.a(" + member + ")\n" + listingOf(dir.file(member), options);
    RunResult r = runMorvane({"-symbols", "-dwarf", "-disassemble", "lib.a"}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, expected);
}

} // namespace
