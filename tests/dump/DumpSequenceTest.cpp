// The image dump sequence: the fixed order of the steps, where each step writes, and the
// one-line load errors. Listings are compared with morvane's own single-option listings
// of the same file, so the tests hold whatever the listing formats are.
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
    int data = w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0x9000, w.words32({7}), 0, 0, 0, 4);
    w.addSection(".ARM.attributes", SHT_ARM_ATTRIBUTES, 0, 0,
                 {'A', 19, 0, 0, 0, 'a', 'e', 'a', 'b', 'i', 0, 1, 9, 0, 0, 0, 6, 10, 9, 2});
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
    std::string path = writeTempFile(fullImage());
    const std::vector<std::string> order = {"-header", "-programs", "-sections", "-symbols", "-dwarf",
                                            "-disassemble", "-ARMAttributes", "-relocations"};
    std::string expected;
    for (const std::string& option : order)
        expected += stdoutOf({option}, path);
    EXPECT_EQ(stdoutOf(std::vector<std::string>(order.rbegin(), order.rend()), path), expected);
}

// The attributes listing is written to standard output also when an output file takes
// every other listing.
TEST(DumpSequence, AttributesAlwaysGoToStandardOutput)
{
    TempDir dir;
    dir.write("in.elf", fullImage());
    RunResult r = runMorvane({"-ARMAttributes", "-header", "-relocations", "in.elf", "out.txt"}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Tag_File 9\nTag_CPU_arch ARM v7\nTag_THUMB_ISA_use 2\n");
    EXPECT_EQ(readFileText(dir.file("out.txt")), stdoutOf({"-header", "-relocations"}, dir.file("in.elf")));
}

TEST(DumpSequence, DisassemblyOfAnImageWithoutCode)
{
    ElfWriter w;
    w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0x9000, w.words32({1, 2}), 0, 0, 0, 4);
    std::string path = writeTempFile(w.build());
    EXPECT_EQ(stdoutOf({"-disassemble", "-ual"}, path), "\t.syntax unified\n");
    EXPECT_EQ(stdoutOf({"-disassemble"}, path), "");
}

// Not an archive, so an image whatever the first bytes: almost the archive magic, an
// empty file, text, and a section table far outside the file.
TEST(DumpSequence, LoadErrorIsOneLineAndStatusOne)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0, w.words32({0}));
    w.overrideHeader(ELF_FIELD(Elf32_Ehdr, e_shoff), 0x7ffffff0);
    const std::vector<uint8_t> images[] = {{'!', '<', 'a', 'r', 'c', 'h', '>'}, {}, {'h', 'i', '\n'}, w.build()};
    for (const std::vector<uint8_t>& image : images) {
        RunResult r = runMorvane({"-header", writeTempFile(image)});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "open error truncated ELF file: \n");
    }
}

} // namespace
