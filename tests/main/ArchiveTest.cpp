// The ar archive walk: symbol index listing, long names, padding, and damaged archives.
// Each member's listing is checked against morvane's listing of the same bytes given as
// a plain file, so these tests hold whatever the ELF listings look like.
#include "support/ElfWriter.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace {

// A small object whose symbol is `name`; `oddSize` appends one byte so its size is odd.
std::vector<uint8_t> objectDefining(const std::string& name, bool oddSize = false, bool bigEndian = false)
{
    ElfWriter w(bigEndian);
    w.type = ET_REL;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0,
                            w.words32({0xe12fff1e}), 0, 0, 0, 4);
    w.addSymbol(name, 0, 4, ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    std::vector<uint8_t> image = w.build();
    if (oddSize == (image.size() % 2 == 0))
        image.push_back(0);
    return image;
}

const std::vector<std::string> listingOptions = {"-header", "-sections", "-symbols"};

// morvane's output (or its errors) for `image` given as a plain file.
std::string listingOf(const std::vector<uint8_t>& image, bool errors = false)
{
    std::vector<std::string> args = listingOptions;
    args.push_back(writeTempFile(image));
    RunResult r = runMorvane(args);
    return errors ? r.err : r.out;
}

std::string hex8(uint32_t value)
{
    char text[16];
    snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

std::vector<uint8_t> archiveOf(const std::vector<ArWriter::Member>& members, bool longNames = true,
                               bool alwaysLongNames = false)
{
    ArWriter ar;
    ar.longNames = longNames;
    ar.alwaysLongNames = alwaysLongNames;
    for (const ArWriter::Member& member : members)
        ar.addMember(member);
    return ar.build();
}

struct Row {
    const char* what;
    std::vector<uint8_t> archive;   // written to lib.a
    std::string out;
    std::string err;
    int status;
    std::vector<std::string> args = listingOptions;
    std::string path = "lib.a";   // the archive's name on the command line
};

TEST(Archive, WalkAndDamage)
{
    const std::vector<uint8_t> a = objectDefining("alpha");
    const std::vector<uint8_t> b = objectDefining("beta", true);   // odd size: padded
    const std::vector<uint8_t> big = objectDefining("gamma", true, true);   // converted in place
    const std::string listA = listingOf(a), listB = listingOf(b), listBig = listingOf(big);
    const std::string longName = "a_rather_long_member_name.o";    // table of 29 bytes
    const std::string pastEnd = "archive member at offset 8 runs past the end of the file\n";
    const std::string badIndex = "archive symbol index runs past the end of its member\n";
    ArWriter gnu;
    gnu.addMember("a.o", a);
    gnu.addMember(longName, b);
    gnu.addSymbol("alpha", 0);
    gnu.addSymbol("beta", 1);
    const std::vector<uint8_t> gnuBytes = gnu.build();
    std::vector<uint8_t> truncatedHeader = archiveOf({{"a.o", a, "", ""}}, false);
    const std::string headerAt = std::to_string(truncatedHeader.size());
    truncatedHeader.insert(truncatedHeader.end(), {'b', '.', 'o', '/', ' ', ' '});
    ArWriter ar;
    ar.rawLongNames = {'n', 'o', 's', 'l', 'a', 's', 'h'};
    ar.addMember(ArWriter::Member{"", a, "/2", ""});
    const std::vector<uint8_t> noSlash = ar.build();
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

    const Row rows[] = {
        {"only the global header", ArWriter().build(), "", "", 0},
        {"empty symbol index", indexed({}, false), "Archive Symbols:\n", "", 0},
        {"symbol index and long names", gnuBytes,
         "Archive Symbols:\nalpha " + hex8(gnu.memberOffset(0)) + "\nbeta " + hex8(gnu.memberOffset(1)) +
             "\nFile: lib.a(a.o)\n" + listA + "File: lib.a(" + longName + ")\n" + listB, "", 0},
        {"index listed only with -symbols, archive name as typed", gnuBytes,
         "File: ./lib.a(a.o)\nFile: ./lib.a(" + longName + ")\n", "", 0, {}, "./lib.a"},
        {"no index, no long names, -symbols lists members only",
         archiveOf({{"odd.o", b, "", ""}, {"odd2.o", b, "", ""}}, false),
         "File: lib.a(odd.o)\n" + listB + "File: lib.a(odd2.o)\n" + listB, "", 0},
        {"long names without index", archiveOf({{"first.o", b, "", ""}, {"second.o", b, "", ""}}, true, true),
         "File: lib.a(first.o)\n" + listB + "File: lib.a(second.o)\n" + listB, "", 0},
        {"big-endian members side by side", archiveOf({{"x.o", big, "", ""}, {"y.o", big, "", ""}}, false),
         "File: lib.a(x.o)\n" + listBig + "File: lib.a(y.o)\n" + listBig, "", 0},
        {"last odd member without its padding byte", withoutLast(archiveOf({{"b.o", b, "", ""}}), 1), "File: lib.a(b.o)\n" + listB, "", 0},
        {"empty member is an image error", archiveOf({{"empty.o", {}, "", ""}}), "File: lib.a(empty.o)\n",
         listingOf({}, true), 1},
        // Damaged: one line on standard error, status 1, nothing after the failing member.
        {"long name offset outside the table", archiveOf({{longName, a, "", ""}, {"", a, "/29", ""}}),
         "File: lib.a(" + longName + ")\n" + listA, "invalid long names table offset 29\n", 1},
        {"long name without a long names member", archiveOf({{"", a, "/0", ""}}), "",
         "invalid long names table offset 0\n", 1},
        {"long name without '/'", noSlash, "", "invalid archive file name\n", 1},
        {"short name without '/'",
         archiveOf({{"a.o", a, "", ""}, {"", a, "sixteen_chars.oo", ""}, {"never.o", a, "", ""}}, false),
         "File: lib.a(a.o)\n" + listA, "invalid archive file name\n", 1},
        {"member past the end", archiveOf({{"a.o", a, "", "99999"}}), "", pastEnd, 1},
        {"negative member size", archiveOf({{"a.o", a, "", "-4"}}), "", pastEnd, 1},
        {"symbol index member past the end", withoutLast(indexed({}, false), 2), "", pastEnd, 1, {}},
        {"truncated member header", truncatedHeader, "File: lib.a(a.o)\n" + listA,
         "truncated archive member header at offset " + headerAt + "\n", 1},
        {"index count past its member", indexed({0, 0, 0, 2, 0, 0, 0, 8, 'x', 0}), "", badIndex, 1},
        {"index not read without -symbols", indexed({0, 0, 0, 2, 0, 0, 0, 8, 'x', 0}),
         "File: lib.a(a.o)\n", "", 0, {}},
        {"index names past its member", indexed({0, 0, 0, 1, 0, 0, 0, 8, 'n', 'o', 'n', 'u', 'l'}),
         "", badIndex, 1},
        {"index too short for its count", indexed({0, 0}), "", badIndex, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        dir.write("lib.a", row.archive);
        std::vector<std::string> args = row.args;
        args.push_back(row.path);
        RunResult r = runMorvane(args, dir.path());
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.out, row.out);
        EXPECT_EQ(r.err, row.err);
    }
}

// ---- an archive made by the GNU tools ------------------------------------------------------

std::string runTool(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    return pclose(pipe) == 0 ? output : "";
}

TEST(GnuArchive, IndexAndMembersAgreeWithBinutils)
{
    TempDir dir;
    dir.write("one.s", std::string("\t.text\n\t.global first\nfirst:\n\tbx lr\n"));
    dir.write("two.s", std::string("\t.text\n\t.global second\n\t.global third\nsecond:\n\tnop\nthird:\n\tbx lr\n"));
    std::string cd = "cd '" + dir.path() + "' && ";
    if (runTool(cd + "arm-none-eabi-as -o one.o one.s && arm-none-eabi-as -o a_member_with_a_long_name.o two.s"
                     " && arm-none-eabi-ar rcs lib.a one.o a_member_with_a_long_name.o && echo ok") != "ok\n")
        GTEST_SKIP() << "arm-none-eabi-as/ar not available";
    RunResult r = runMorvane({"-header", "-symbols", "-sections", "lib.a"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;

    // The index names the symbols binutils reports, in its order, and each offset is that
    // of a member header (one ending in "`\n").
    std::istringstream expected(runTool(cd + "arm-none-eabi-nm --print-armap lib.a | sed -n '/^Archive index:/,/^$/p'"));
    std::istringstream actual(r.out);
    std::vector<uint8_t> bytes = readFileBytes(dir.file("lib.a"));
    std::string want, line;
    std::getline(expected, want);
    std::getline(actual, line);
    EXPECT_EQ(want + line, "Archive index:Archive Symbols:");
    int entries = 0;
    while (std::getline(expected, want) && !want.empty()) {
        std::string symbol = want.substr(0, want.find(" in "));
        std::getline(actual, line);
        ASSERT_EQ(line.substr(0, symbol.size() + 1), symbol + " ");
        uint32_t offset = uint32_t(std::stoul(line.substr(symbol.size() + 1), nullptr, 16));
        ASSERT_LT(offset + 60, bytes.size());
        EXPECT_EQ(std::string(bytes.begin() + offset + 58, bytes.begin() + offset + 60), "`\n");
        ++entries;
    }
    EXPECT_EQ(entries, 3);

    std::string members = "File: lib.a(one.o)\n" + listingOf(readFileBytes(dir.file("one.o"))) +
                          "File: lib.a(a_member_with_a_long_name.o)\n" +
                          listingOf(readFileBytes(dir.file("a_member_with_a_long_name.o")));
    ASSERT_GE(r.out.size(), members.size());
    EXPECT_EQ(r.out.substr(r.out.size() - members.size()), members);
}

} // namespace
