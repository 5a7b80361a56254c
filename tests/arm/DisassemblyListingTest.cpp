// The -disassemble listing on images built in the test: directives, labels, state
// switching by symbol kinds, target names, odd sizes and truncated sections.
#include "support/RunMorvane.h"
#include "support/ElfWriter.h"
#include "arm/DisassemblyListing.h"
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

const char* const unifiedLine = "\t.syntax unified\n";
const char* const textLine = "\t.section\t.text,\"ax\",%progbits\n";

uint8_t info(int bind, int type)
{
    return uint8_t(ELF32_ST_INFO(bind, type));
}

RunResult listing(const std::vector<uint8_t>& image, std::vector<std::string> options)
{
    options.insert(options.begin(), "-disassemble");
    options.push_back(writeTempFile(image, ".elf"));
    return runMorvane(options);
}

} // namespace

TEST(DisassemblyListing, ArchitectureNamesAreExactAndCaseSensitive)
{
    EXPECT_EQ(architectureLevelFromName("v4T"), ArchV4T);
    EXPECT_EQ(architectureLevelFromName("v5TE"), ArchV5TE);
    EXPECT_EQ(architectureLevelFromName("v6"), ArchV6);
    EXPECT_EQ(architectureLevelFromName("v6T2"), ArchV6T2);
    EXPECT_EQ(architectureLevelFromName("v6M"), ArchV6M);
    EXPECT_EQ(architectureLevelFromName("v7M"), ArchV7M);
    EXPECT_EQ(architectureLevelFromName("v7EM"), ArchV7EM);
    EXPECT_EQ(architectureLevelFromName("v7R"), ArchV7R);
    EXPECT_EQ(architectureLevelFromName("v7A"), ArchV7A);
    EXPECT_EQ(architectureLevelFromName("v8M_Baseline"), ArchV8MBaseline);
    EXPECT_EQ(architectureLevelFromName("v8M_Mainline"), ArchV8MMainline);
    EXPECT_EQ(architectureLevelFromName("v7m"), ArchUnrestricted);
    EXPECT_EQ(architectureLevelFromName("v4t"), ArchUnrestricted);
    EXPECT_EQ(architectureLevelFromName(""), ArchUnrestricted);
    EXPECT_EQ(architectureLevelFromName(nullptr), ArchUnrestricted);
}

TEST(DisassemblyListing, NoCodeSectionPrintsOnlyTheSyntaxLine)
{
    ElfWriter w;
    w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0x9000, w.words32({1, 2}));
    w.addSection(".bss", SHT_NOBITS, SHF_ALLOC | SHF_EXECINSTR, 0xA000, std::vector<uint8_t>(8));
    const std::vector<uint8_t> image = w.build();
    RunResult unified = listing(image, {"-ual"});
    EXPECT_EQ(unified.status, 0);
    EXPECT_EQ(unified.out, unifiedLine);
    RunResult legacy = listing(image, {});
    EXPECT_EQ(legacy.status, 0);
    EXPECT_EQ(legacy.out, "");
}

TEST(DisassemblyListing, ZeroSizeCodeSectionPrintsOnlyItsSectionLine)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, {});
    w.addSection(".init", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, w.words32({0xE12FFF1E}));
    w.addSymbol("start", 0x8000, 0, info(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    RunResult r = listing(w.build(), {"-ual"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(unifiedLine) + textLine
                         + "\t.section\t.init,\"ax\",%progbits\n\t.global start\nstart:\n\tbx lr\n");
}

TEST(DisassemblyListing, LabelsDirectivesAndStateSwitching)
{
    ElfWriter w;
    // ARM: mov r0, r0; bl 0x8010; then Thumb: bx lr, nop; then ARM again: bx lr.
    std::vector<uint8_t> code = w.words32({0xE1A00000, 0xEB000001});
    std::vector<uint8_t> thumb = w.words16({0x4770, 0xBF00});
    code.insert(code.end(), thumb.begin(), thumb.end());
    std::vector<uint8_t> tail = w.words32({0xE12FFF1E, 0xE12FFF1E});
    code.insert(code.end(), tail.begin(), tail.end());
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, code);
    const uint16_t shndx = uint16_t(text);
    w.addSymbol("main", 0x8000, 8, info(STB_GLOBAL, STT_FUNC), 0, shndx);
    w.addSymbol("table", 0x8004, 4, info(STB_LOCAL, STT_OBJECT), 0, shndx);
    w.addSymbol("helper", 0x8009, 4, info(STB_GLOBAL, STT_FUNC), 0, shndx);   // Thumb
    w.addSymbol("weakarm", 0x800C, 4, info(STB_WEAK, STT_FUNC), 0, shndx);
    w.addSymbol("alias", 0x800C, 4, info(STB_GLOBAL, STT_NOTYPE), 0, shndx);
    w.addSymbol("inside", 0x8012, 0, info(STB_GLOBAL, STT_NOTYPE), 0, shndx);  // not on a word
    RunResult r = listing(w.build(), {"-ual"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, std::string(unifiedLine) + textLine
                         + "\t.global main\n"
                           "main:\n"
                           "\tmov r0, r0\n"
                           "table:\n"
                           "\tbl 0x00008010\n"
                           "\t.global helper\n"
                           "\t.thumb_func\n"
                           "helper:\n"
                           "\tbx lr\n"
                           "\tnop\n"
                           "weakarm:\n"
                           "\t.global alias\n"
                           "alias:\n"
                           "\tbx lr\n"
                           "\tbx lr\n");
}

TEST(DisassemblyListing, TargetsPrintTheFirstSymbolOnTheTarget)
{
    ElfWriter w;
    // b 0x8008 (twice symbol-named), bl 0x800C (no symbol), beq back to 0x8000.
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
                            w.words32({0xEA000000, 0xEB000000, 0xE1A00000, 0x0AFFFFFB}));
    const uint16_t shndx = uint16_t(text);
    w.addSymbol("first", 0x8008, 0, info(STB_LOCAL, STT_NOTYPE), 0, shndx);
    w.addSymbol("second", 0x8008, 0, info(STB_LOCAL, STT_NOTYPE), 0, shndx);
    w.addSymbol("start", 0x8000, 0, info(STB_LOCAL, STT_FUNC), 0, shndx);
    RunResult r = listing(w.build(), {});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(textLine)
                         + "start:\n\tb first\n\tbl 0x0000800C\nfirst:\nsecond:\n\tmov r0, r0\n"
                           "\tbeq start\n");
}

TEST(DisassemblyListing, LegacySyntaxWithoutUal)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
                 w.words32({0xE92D4010, 0xE8BD8010}));
    RunResult r = listing(w.build(), {});
    EXPECT_EQ(r.out, std::string(textLine) + "\tstmfd sp!, {r4, lr}\n\tldmfd sp!, {r4, pc}\n");
}

TEST(DisassemblyListing, BigEndianWords)
{
    ElfWriter w(true);
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
                 w.words32({0xE12FFF1E}));
    RunResult r = listing(w.build(), {"-ual"});
    EXPECT_EQ(r.out, std::string(unifiedLine) + textLine + "\tbx lr\n");
}

TEST(DisassemblyListing, ArchitectureOptionGatesEncodings)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
                 w.words32({0xF57FF04F}));
    EXPECT_EQ(listing(w.build(), {"-arch", "v6"}).out, std::string(textLine) + "\tundefined opcode\n");
    EXPECT_EQ(listing(w.build(), {"-arch", "v7A"}).out, std::string(textLine) + "\tdsb sy\n");
    EXPECT_EQ(listing(w.build(), {"-arch", "v7m"}).out, std::string(textLine) + "\tdsb sy\n");
}

TEST(DisassemblyListing, OddSizedSectionTailPrintsAsBytes)
{
    ElfWriter w;
    std::vector<uint8_t> code = w.words32({0xE12FFF1E});
    code.insert(code.end(), {0x12, 0x34, 0x56});
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, code);
    RunResult r = listing(w.build(), {"-ual"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(unifiedLine) + textLine + "\tbx lr\n\t.byte 0x12, 0x34, 0x56\n");
}

TEST(DisassemblyListing, ThumbFirstHalfAtSectionEndPrintsAsBytes)
{
    ElfWriter w;
    // bx lr, then the first half of a bl with nothing after it, then one odd byte.
    std::vector<uint8_t> code = w.words16({0x4770, 0xF000});
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, code);
    w.addSymbol("f", 0x8001, 0, info(STB_LOCAL, STT_FUNC), 0, uint16_t(text));
    RunResult r = listing(w.build(), {"-ual"});
    EXPECT_EQ(r.out, std::string(unifiedLine) + textLine
                         + "\t.thumb_func\nf:\n\tbx lr\n\t.byte 0x00, 0xF0\n");
    code.push_back(0x70);
    ElfWriter odd;
    int oddText = odd.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, code);
    odd.addSymbol("f", 0x8001, 0, info(STB_LOCAL, STT_FUNC), 0, uint16_t(oddText));
    EXPECT_EQ(listing(odd.build(), {}).out,
              std::string(textLine) + "\t.thumb_func\nf:\n\tbx lr\n\t.byte 0x00, 0xF0, 0x70\n");
}

TEST(DisassemblyListing, SectionRunningPastTheFileEndIsRejectedByTheImageModel)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
                            w.words32({0xE1A00000, 0xE12FFF1E}));
    w.build();
    w.overrideSectionHeader(text, ELF_FIELD(Elf32_Shdr, sh_size), 0x100000);
    RunResult r = listing(w.build(), {"-ual"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("truncated ELF file"), std::string::npos) << r.err;
}

TEST(DisassemblyListing, CodeSectionOverOtherTablesIsListedWithinTheFile)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
                            w.words32({0xE1A00000}));
    w.addSymbol("start", 0x8000, 0, info(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    std::vector<uint8_t> image = w.build();
    // The code section covers the section header table up to the last byte of the file,
    // with an odd size, so its contents change while the model converts the table.
    const uint32_t start = w.sectionHeaderTableOffset() + 1;
    w.overrideSectionHeader(text, ELF_FIELD(Elf32_Shdr, sh_offset), start);
    w.overrideSectionHeader(text, ELF_FIELD(Elf32_Shdr, sh_size), uint32_t(image.size()) - start);
    RunResult r = listing(w.build(), {"-ual"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind(std::string(unifiedLine) + textLine + "\t.global start\nstart:\n", 0), 0u)
        << r.out;
}

TEST(DisassemblyListing, InterworkingImageFromTheToolchain)
{
    // Assembled and linked by the GNU tools: ARM and Thumb functions, a data object, a
    // weak Thumb function sharing its address with a global one.
    TempDir dir;
    const std::string source = std::string(MORVANE_TEST_DATA) + "/arm/interwork.s";
    ASSERT_EQ(std::system(("arm-none-eabi-as -march=armv7-a " + source + " -o " + dir.file("iw.o")
                           + " && arm-none-eabi-ld -Ttext=0x8000 -e 0x8000 " + dir.file("iw.o")
                           + " -o " + dir.file("iw.elf")).c_str()),
              0);
    RunResult r = runMorvane({"-disassemble", "-ual", dir.file("iw.elf")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(unifiedLine) + textLine
                         + "\t.global armEntry\n"
                           "armEntry:\n"
                           "\tpush {r4, lr}\n"
                           "\tblx thumbLeaf\n"
                           "\tbl armLeaf\n"
                           "\tldr r0, [pc, #4]\n"
                           "\tpop {r4, pc}\n"
                           "table:\n"
                           "\tmov r0, r0\n"
                           "\tbx lr\n"
                           "armLeaf:\n"
                           "\tbx lr\n"
                           "\t.global thumbLeaf\n"
                           "\t.thumb_func\n"
                           "thumbLeaf:\n"
                           "\tpush {r4, lr}\n"
                           "\tmovs r0, #1\n"
                           "\tbl alsoWeak\n"
                           "\tpop {r4, pc}\n"
                           "\t.global alsoWeak\n"
                           "\t.thumb_func\n"
                           "alsoWeak:\n"
                           "\t.thumb_func\n"
                           "thumbWeak:\n"
                           "\tadds r0, #1\n"
                           "\tbx lr\n"
                           "\tmovs r0, r0\n"
                           "armTail:\n"
                           "\tmov r0, r0\n"
                           "\tbx lr\n");
}
