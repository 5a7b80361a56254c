// The image dump sequence: the fixed order of the steps, where each step writes, and the
// refusal to patch archive members. Listings are compared with morvane's own single-option
// listings of the same file, so the tests hold whatever the listing formats are.
#include "support/ElfWriter.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>

namespace {

// An executable with a program header, code, data, symbols, relocations and an ARM
// attributes section.
std::vector<uint8_t> fullImage()
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
                            w.words32({0xe3a00001, 0xe59f1000, 0xe12fff1e, 0x00009000}), 0, 0, 0, 4);
    int data = w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0x9000,
                            w.words32({7}), 0, 0, 0, 4);
    std::vector<uint8_t> attributes = {'A', 19, 0, 0, 0, 'a', 'e', 'a', 'b', 'i', 0,
                                       1, 9, 0, 0, 0, 6, 10, 9, 2};
    attributes.resize(20);
    w.addSection(".ARM.attributes", SHT_ARM_ATTRIBUTES, 0, 0, attributes);
    w.addSymbol("$a", 0x8000, 0, ELF32_ST_INFO(STB_LOCAL, STT_NOTYPE), 0, uint16_t(text));
    w.addSymbol("main", 0x8000, 16, ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    w.addSymbol("value", 0x9000, 4, ELF32_ST_INFO(STB_GLOBAL, STT_OBJECT), 0, uint16_t(data));
    w.addRelocationSection(".rel.text", text, {{0xc, R_ARM_ABS32, 3}});
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R | PF_X, 4}, text);
    w.entry = 0x8000;
    return w.build();
}

std::string stdoutOf(std::vector<std::string> args, const std::string& path)
{
    args.push_back(path);
    RunResult r = runMorvane(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return r.out;
}

TEST(DumpSequence, StepsRunInFixedOrderWhateverTheOptionOrder)
{
    // Steps 2 to 7 and 13, in the order the sequence runs them; the reversed command line
    // puts -sections before -header.
    std::string path = writeTempFile(fullImage());
    const std::vector<std::string> order = {"-header", "-programs", "-sections", "-symbols",
                                            "-dwarf", "-disassemble", "-relocations"};
    std::string expected;
    for (const std::string& option : order)
        expected += stdoutOf({option}, path);
    std::vector<std::string> reversed(order.rbegin(), order.rend());
    EXPECT_EQ(stdoutOf(reversed, path), expected);
    EXPECT_EQ(stdoutOf(order, path), expected);
}

TEST(DumpSequence, AttributesAlwaysGoToStandardOutput)
{
    TempDir dir;
    dir.write("in.elf", fullImage());
    std::string header = stdoutOf({"-header"}, dir.file("in.elf"));
    std::string attributes = stdoutOf({"-ARMAttributes"}, dir.file("in.elf"));
    EXPECT_EQ(stdoutOf({"-ARMAttributes", "-header"}, dir.file("in.elf")), header + attributes);

    RunResult r = runMorvane({"-ARMAttributes", "-header", "in.elf", "out.txt"}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, attributes);
    EXPECT_EQ(readFileText(dir.file("out.txt")), header);
}

TEST(DumpSequence, DisassemblyOfAnImageWithoutCode)
{
    ElfWriter w;
    w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0x9000, w.words32({1, 2}), 0, 0, 0, 4);
    std::string path = writeTempFile(w.build());
    EXPECT_EQ(stdoutOf({"-disassemble", "-ual"}, path), "\t.syntax unified\n");
    EXPECT_EQ(stdoutOf({"-disassemble"}, path), "");
}

TEST(DumpSequence, LoadErrorIsOneLineAndStatusOne)
{
    // Not an archive, so an image whatever the first bytes: almost the archive magic, an
    // empty file, text, and a section table far outside the file.
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0, w.words32({0}));
    w.overrideHeader(ELF_FIELD(Elf32_Ehdr, e_shoff), 0x7ffffff0);
    const std::string texts[] = {"!<arch>", "", "hello, world\n"};
    std::vector<std::vector<uint8_t>> images = {w.build()};
    for (const std::string& text : texts)
        images.emplace_back(text.begin(), text.end());
    for (const std::vector<uint8_t>& image : images) {
        SCOPED_TRACE(std::string(image.begin(), image.end()).substr(0, 16));
        RunResult r = runMorvane({"-header", writeTempFile(image)});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("open error ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

TEST(DumpSequence, ArchiveMembersRunTheWholeSequenceOnCopies)
{
    TempDir dir;
    ArWriter ar;
    ar.addMember("a.o", fullImage());
    ar.addMember("b.o", fullImage());
    std::vector<uint8_t> archive = ar.build();
    dir.write("lib.a", archive);
    // The second member lists as the first although the first image was converted in
    // place: each member is handed over as its own copy.
    const std::vector<std::string> listings = {"-relocations", "-programs", "-symbols", "-header"};
    std::string single = stdoutOf(listings, writeTempFile(fullImage()));
    std::vector<std::string> args = listings;
    args.push_back("lib.a");
    RunResult r = runMorvane(args, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "File: lib.a(a.o)\n" + single + "File: lib.a(b.o)\n" + single);

    // Writing a patched member back would replace the archive: refused after the listings.
    for (const std::string option : {"-setVFPflags", "-deTISection", "-ThumbSymbols"}) {
        SCOPED_TRACE(option);
        r = runMorvane({"-header", option, "lib.a"}, dir.path());
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, option + ": cannot patch archive member lib.a(a.o): writing it back "
                                  "would replace the archive\n");
        EXPECT_EQ(r.out, "File: lib.a(a.o)\n" + stdoutOf({"-header"}, writeTempFile(fullImage())));
        EXPECT_EQ(readFileBytes(dir.file("lib.a")), archive);
    }
}

} // namespace
