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
std::vector<uint8_t> objectDefining(const std::string& name, bool oddSize = false)
{
    ElfWriter w;
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

std::string listingOf(const std::vector<uint8_t>& image)
{
    std::vector<std::string> args = listingOptions;
    args.push_back(writeTempFile(image));
    RunResult r = runMorvane(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
}

RunResult listArchive(const TempDir& dir, const ArWriter& ar, std::vector<std::string> args = listingOptions)
{
    dir.write("lib.a", ar.build());
    args.push_back("lib.a");
    return runMorvane(args, dir.path());
}

std::string hex8(uint32_t value)
{
    char text[16];
    snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

TEST(Archive, OnlyTheGlobalHeader)
{
    TempDir dir;
    ArWriter empty;
    RunResult r = listArchive(dir, empty);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

TEST(Archive, EmptySymbolIndexStillListsItsTitle)
{
    TempDir dir;
    ArWriter ar;
    ar.symbolIndex = true;
    RunResult r = listArchive(dir, ar);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Archive Symbols:\n");
}

TEST(Archive, SymbolIndexAndLongNames)
{
    TempDir dir;
    std::vector<uint8_t> a = objectDefining("alpha");
    std::vector<uint8_t> b = objectDefining("beta", true);
    ArWriter ar;
    ar.addMember("a.o", a);
    ar.addMember("a_rather_long_member_name.o", b);
    ar.addSymbol("alpha", 0);
    ar.addSymbol("beta", 1);
    RunResult r = listArchive(dir, ar);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Archive Symbols:\n"
                     "alpha " + hex8(ar.memberOffset(0)) + "\n"
                     "beta " + hex8(ar.memberOffset(1)) + "\n"
                     "File: lib.a(a.o)\n" + listingOf(a) +
                     "File: lib.a(a_rather_long_member_name.o)\n" + listingOf(b));
}

TEST(Archive, SymbolIndexListedOnlyWithSymbolsOption)
{
    TempDir dir;
    std::vector<uint8_t> a = objectDefining("alpha");
    ArWriter ar;
    ar.addMember("a.o", a);
    ar.addSymbol("alpha", 0);
    RunResult r = listArchive(dir, ar, {"-header"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find("Archive Symbols:"), std::string::npos);
    EXPECT_EQ(r.out.rfind("File: lib.a(a.o)\n", 0), 0u);
}

TEST(Archive, NoSymbolIndexNoLongNames)
{
    TempDir dir;
    std::vector<uint8_t> a = objectDefining("alpha", true);
    std::vector<uint8_t> b = objectDefining("beta");
    ArWriter ar;
    ar.longNames = false;
    ar.addMember("odd.o", a);
    ar.addMember("even.o", b);
    RunResult r = listArchive(dir, ar);
    EXPECT_EQ(r.status, 0);
    // -symbols without an index: no index listing, the members' symbols as usual.
    EXPECT_EQ(r.out, "File: lib.a(odd.o)\n" + listingOf(a) + "File: lib.a(even.o)\n" + listingOf(b));
}

TEST(Archive, LongNamesWithoutSymbolIndex)
{
    TempDir dir;
    std::vector<uint8_t> a = objectDefining("alpha", true);
    std::vector<uint8_t> b = objectDefining("beta", true);
    ArWriter ar;
    ar.alwaysLongNames = true;
    ar.addMember("first.o", a);
    ar.addMember("second.o", b);
    RunResult r = listArchive(dir, ar);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "File: lib.a(first.o)\n" + listingOf(a) + "File: lib.a(second.o)\n" + listingOf(b));
}

TEST(Archive, MemberNameAsTypedWithDirectory)
{
    TempDir dir;
    std::vector<uint8_t> a = objectDefining("alpha");
    ArWriter ar;
    ar.addMember("a.o", a);
    dir.write("lib.a", ar.build());
    RunResult r = runMorvane({"./lib.a"}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "File: ./lib.a(a.o)\n");
}

TEST(Archive, LastOddMemberWithoutPaddingByte)
{
    TempDir dir;
    std::vector<uint8_t> a = objectDefining("alpha", true);
    ArWriter ar;
    ar.addMember("a.o", a);
    std::vector<uint8_t> bytes = ar.build();
    bytes.pop_back();
    dir.write("lib.a", bytes);
    RunResult r = runMorvane({"-header", "lib.a"}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("File: lib.a(a.o)\n", 0), 0u);
}

TEST(Archive, EveryMemberGetsTheWholeSequence)
{
    TempDir dir;
    std::vector<uint8_t> a = objectDefining("alpha");
    ArWriter ar;
    ar.addMember("a.o", a);
    ar.addMember("b.o", a);
    RunResult r = listArchive(dir, ar, {"-relocations", "-programs", "-symbols"});
    std::vector<std::string> args = {"-relocations", "-programs", "-symbols", writeTempFile(a)};
    std::string single = runMorvane(args).out;
    EXPECT_EQ(r.out, "File: lib.a(a.o)\n" + single + "File: lib.a(b.o)\n" + single);
}

// ---- damaged archives -------------------------------------------------------------------

// Expects one error line, status 1, and the listing of the members before the failure.
void expectFailure(const RunResult& r, const std::string& error, const std::string& outputBefore)
{
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, error);
    EXPECT_EQ(r.out, outputBefore);
}

TEST(DamagedArchive, LongNameOffsetOutsideTheTable)
{
    TempDir dir;
    std::vector<uint8_t> a = objectDefining("alpha");
    ArWriter ar;
    ar.addMember("a_rather_long_member_name.o", a);        // table of 29 bytes
    ar.addMember(ArWriter::Member{"", a, "/29", ""});
    expectFailure(listArchive(dir, ar), "invalid long names table offset 29\n",
                  "File: lib.a(a_rather_long_member_name.o)\n" + listingOf(a));
}

TEST(DamagedArchive, LongNameWithoutLongNamesMember)
{
    TempDir dir;
    ArWriter ar;
    ar.addMember(ArWriter::Member{"", objectDefining("alpha"), "/0", ""});
    expectFailure(listArchive(dir, ar), "invalid long names table offset 0\n", "");
}

TEST(DamagedArchive, LongNameWithoutSlash)
{
    TempDir dir;
    ArWriter ar;
    ar.rawLongNames = {'n', 'o', 's', 'l', 'a', 's', 'h'};
    ar.addMember(ArWriter::Member{"", objectDefining("alpha"), "/2", ""});
    expectFailure(listArchive(dir, ar), "invalid archive file name\n", "");
}

TEST(DamagedArchive, ShortNameWithoutSlash)
{
    TempDir dir;
    std::vector<uint8_t> a = objectDefining("alpha");
    ArWriter ar;
    ar.longNames = false;
    ar.addMember("a.o", a);
    ar.addMember(ArWriter::Member{"", a, "sixteen_chars.oo", ""});
    ar.addMember("never.o", a);
    expectFailure(listArchive(dir, ar), "invalid archive file name\n",
                  "File: lib.a(a.o)\n" + listingOf(a));
}

TEST(DamagedArchive, MemberRunsPastTheEnd)
{
    TempDir dir;
    ArWriter ar;
    ar.addMember(ArWriter::Member{"a.o", objectDefining("alpha"), "", "99999"});
    expectFailure(listArchive(dir, ar), "archive member at offset 8 runs past the end of the file\n", "");
}

TEST(DamagedArchive, NegativeMemberSize)
{
    TempDir dir;
    ArWriter ar;
    ar.addMember(ArWriter::Member{"a.o", objectDefining("alpha"), "", "-4"});
    expectFailure(listArchive(dir, ar), "archive member at offset 8 runs past the end of the file\n", "");
}

TEST(DamagedArchive, TruncatedMemberHeader)
{
    TempDir dir;
    std::vector<uint8_t> a = objectDefining("alpha");
    ArWriter ar;
    ar.longNames = false;
    ar.addMember("a.o", a);
    std::vector<uint8_t> bytes = ar.build();
    uint32_t end = uint32_t(bytes.size());
    bytes.insert(bytes.end(), {'b', '.', 'o', '/', ' ', ' '});
    dir.write("lib.a", bytes);
    RunResult r = runMorvane({"-header", "-sections", "-symbols", "lib.a"}, dir.path());
    expectFailure(r, "truncated archive member header at offset " + std::to_string(end) + "\n",
                  "File: lib.a(a.o)\n" + listingOf(a));
}

TEST(DamagedArchive, SymbolIndexCountPastItsMember)
{
    TempDir dir;
    ArWriter ar;
    ar.symbolIndex = true;
    ar.rawSymbolIndex = {0, 0, 0, 2, 0, 0, 0, 8, 'x', 0};
    ar.addMember("a.o", objectDefining("alpha"));
    expectFailure(listArchive(dir, ar), "archive symbol index runs past the end of its member\n", "");
    // Without -symbols the index is not read.
    RunResult r = listArchive(dir, ar, {"-header"});
    EXPECT_EQ(r.status, 0);
}

TEST(DamagedArchive, SymbolIndexNamesPastItsMember)
{
    TempDir dir;
    ArWriter ar;
    ar.symbolIndex = true;
    ar.rawSymbolIndex = {0, 0, 0, 1, 0, 0, 0, 8, 'n', 'o', 'n', 'u', 'l'};
    ar.addMember("a.o", objectDefining("alpha"));
    expectFailure(listArchive(dir, ar), "archive symbol index runs past the end of its member\n", "");
}

TEST(DamagedArchive, SymbolIndexTooShortForItsCount)
{
    TempDir dir;
    ArWriter ar;
    ar.symbolIndex = true;
    ar.rawSymbolIndex = {0, 0};
    expectFailure(listArchive(dir, ar), "archive symbol index runs past the end of its member\n", "");
}

TEST(DamagedArchive, SymbolIndexMemberPastTheEnd)
{
    TempDir dir;
    ArWriter ar;
    ar.symbolIndex = true;
    std::vector<uint8_t> bytes = ar.build();
    bytes.resize(bytes.size() - 2);
    dir.write("lib.a", bytes);
    RunResult r = runMorvane({"lib.a"}, dir.path());
    expectFailure(r, "archive member at offset 8 runs past the end of the file\n", "");
}

TEST(DamagedArchive, EmptyMemberIsAnImageError)
{
    TempDir dir;
    ArWriter ar;
    ar.addMember("empty.o", {});
    RunResult r = listArchive(dir, ar);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "File: lib.a(empty.o)\n");
    EXPECT_EQ(r.err.rfind("open error ", 0), 0u);
}

// ---- an archive made by the GNU tools ------------------------------------------------------

std::string runTool(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    if (pclose(pipe) != 0)
        return "";
    return output;
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

    // The index entries name the members binutils reports, in the same order, and each
    // offset is where that member's "File:" line came from: a header ending in "`\n".
    std::string armap = runTool(cd + "arm-none-eabi-nm --print-armap lib.a | sed -n '/^Archive index:/,/^$/p'");
    std::vector<uint8_t> bytes = readFileBytes(dir.file("lib.a"));
    std::istringstream expected(armap);
    std::istringstream actual(r.out);
    std::string line;
    std::getline(expected, line);
    EXPECT_EQ(line, "Archive index:");
    std::getline(actual, line);
    EXPECT_EQ(line, "Archive Symbols:");
    int entries = 0;
    std::string expectedLine;
    while (std::getline(expected, expectedLine) && !expectedLine.empty()) {
        std::string symbol = expectedLine.substr(0, expectedLine.find(" in "));
        std::getline(actual, line);
        ASSERT_EQ(line.substr(0, symbol.size() + 1), symbol + " ");
        uint32_t offset = uint32_t(std::stoul(line.substr(symbol.size() + 1), nullptr, 16));
        ASSERT_LT(offset + 60, bytes.size());
        EXPECT_EQ(bytes[offset + 58], '`');
        EXPECT_EQ(bytes[offset + 59], '\n');
        ++entries;
    }
    EXPECT_EQ(entries, 3);

    std::string one = listingOf(readFileBytes(dir.file("one.o")));
    std::string two = listingOf(readFileBytes(dir.file("a_member_with_a_long_name.o")));
    std::string members = "File: lib.a(one.o)\n" + one + "File: lib.a(a_member_with_a_long_name.o)\n" + two;
    ASSERT_GE(r.out.size(), members.size());
    EXPECT_EQ(r.out.substr(r.out.size() - members.size()), members);
}

} // namespace
