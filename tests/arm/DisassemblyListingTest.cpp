// The -disassemble listing on images built in the test: directives, labels, state
// switching by symbol kinds, target names, IT state across labels and sections, odd sizes
// and code beyond the end of the file. The listings of toolchain-built sources are
// checked by RoundTripTest.
#include "support/RunMorvane.h"
#include "support/ElfWriter.h"
#include "arm/DisassemblyListing.h"
#include <gtest/gtest.h>

namespace {

const std::string unifiedLine = "\t.syntax unified\n";
const std::string textLine = "\t.section\t.text,\"ax\",%progbits\n";
const uint32_t code = SHF_ALLOC | SHF_EXECINSTR;

uint8_t info(int bind, int type)
{
    return uint8_t(ELF32_ST_INFO(bind, type));
}

std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> all;
    for (const std::vector<uint8_t>& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

RunResult run(const std::vector<uint8_t>& image, std::vector<std::string> options)
{
    options.insert(options.begin(), "-disassemble");
    options.push_back(writeTempFile(image, ".elf"));
    return runMorvane(options);
}

// The listing of a run that must succeed without diagnostics.
std::string listing(const std::vector<uint8_t>& image, const std::vector<std::string>& options)
{
    RunResult r = run(image, options);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    return r.out;
}

} // namespace

TEST(DisassemblyListing, ArchitectureNamesAreExactAndCaseSensitive)
{
    const char* const names[] = {"v4T", "v5TE", "v6", "v6T2", "v6M", "v7M",
                                 "v7EM", "v7R", "v7A", "v8M_Baseline", "v8M_Mainline"};
    for (int level = 1; level <= 11; ++level)
        EXPECT_EQ(architectureLevelFromName(names[level - 1]), ArchitectureLevel(level));
    for (const char* other : {"v7m", "v4t", "v8M_mainline", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(architectureLevelFromName(other), ArchUnrestricted);
}

TEST(DisassemblyListing, NoCodeSectionPrintsOnlyTheSyntaxLine)
{
    ElfWriter w;
    w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0x9000, w.words32({1, 2}));
    w.addSection(".bss", SHT_NOBITS, code, 0xA000, std::vector<uint8_t>(8));
    EXPECT_EQ(listing(w.build(), {"-ual"}), unifiedLine);
    EXPECT_EQ(listing(w.build(), {}), "");
}

TEST(DisassemblyListing, ZeroSizeCodeSectionPrintsOnlyItsSectionLine)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, code, 0x8000, {});
    w.addSection(".init", SHT_PROGBITS, code, 0x8000, w.words32({0xE12FFF1E}));
    w.addSymbol("start", 0x8000, 0, info(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    EXPECT_EQ(listing(w.build(), {"-ual"}),
              unifiedLine + textLine + "\t.section\t.init,\"ax\",%progbits\n\t.global start\nstart:\n\tbx lr\n");
}

TEST(DisassemblyListing, LabelsDirectivesAndStateSwitching)
{
    ElfWriter w;
    // ARM: mov r0, r0; bl 0x8010; then Thumb: bx lr, nop; then ARM again: bx lr.
    const uint16_t text = uint16_t(w.addSection(
        ".text", SHT_PROGBITS, code, 0x8000,
        join({w.words32({0xE1A00000, 0xEB000001}), w.words16({0x4770, 0xBF00}), w.words32({0xE12FFF1E, 0xE12FFF1E})})));
    w.addSymbol("main", 0x8000, 8, info(STB_GLOBAL, STT_FUNC), 0, text);
    w.addSymbol("table", 0x8004, 4, info(STB_LOCAL, STT_OBJECT), 0, text);
    w.addSymbol("helper", 0x8009, 4, info(STB_GLOBAL, STT_FUNC), 0, text);   // Thumb
    w.addSymbol("weakarm", 0x800C, 4, info(STB_WEAK, STT_FUNC), 0, text);
    w.addSymbol("alias", 0x800C, 4, info(STB_GLOBAL, STT_NOTYPE), 0, text);
    w.addSymbol("inside", 0x8012, 0, info(STB_GLOBAL, STT_NOTYPE), 0, text);  // not on a word
    EXPECT_EQ(listing(w.build(), {"-ual"}),
              unifiedLine + textLine
                  + "\t.global main\nmain:\n\tmov r0, r0\ntable:\n\tbl 0x00008010\n"
                    "\t.global helper\n\t.thumb_func\nhelper:\n\tbx lr\n\tnop\n"
                    "weakarm:\n\t.global alias\nalias:\n\tbx lr\n\tbx lr\n");
}

TEST(DisassemblyListing, TargetsPrintTheFirstSymbolOnTheTarget)
{
    ElfWriter w;
    // b 0x8008 (twice symbol-named), bl 0x800C (no symbol), beq back to 0x8000.
    const uint16_t text = uint16_t(w.addSection(".text", SHT_PROGBITS, code, 0x8000,
                                                w.words32({0xEA000000, 0xEB000000, 0xE1A00000, 0x0AFFFFFB})));
    w.addSymbol("first", 0x8008, 0, info(STB_LOCAL, STT_NOTYPE), 0, text);
    w.addSymbol("second", 0x8008, 0, info(STB_LOCAL, STT_NOTYPE), 0, text);
    w.addSymbol("start", 0x8000, 0, info(STB_LOCAL, STT_FUNC), 0, text);
    EXPECT_EQ(listing(w.build(), {}),
              textLine + "start:\n\tb first\n\tbl 0x0000800C\nfirst:\nsecond:\n\tmov r0, r0\n\tbeq start\n");
}

TEST(DisassemblyListing, LegacySyntaxWithoutUal)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, code, 0x8000, w.words32({0xE92D4010, 0xE8BD8010}));
    EXPECT_EQ(listing(w.build(), {}), textLine + "\tstmfd sp!, {r4, lr}\n\tldmfd sp!, {r4, pc}\n");
}

TEST(DisassemblyListing, ArchitectureOptionGatesEncodings)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, code, 0x8000, w.words32({0xF57FF04F}));
    EXPECT_EQ(listing(w.build(), {"-arch", "v6"}), textLine + "\tundefined opcode\n");
    EXPECT_EQ(listing(w.build(), {"-arch", "v7A"}), textLine + "\tdsb sy\n");
    EXPECT_EQ(listing(w.build(), {"-arch", "v7m"}), textLine + "\tdsb sy\n");
}

TEST(DisassemblyListing, OddSizedSectionTailPrintsAsBytes)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, code, 0x8000, join({w.words32({0xE12FFF1E}), {0x12, 0x34, 0x56}}));
    EXPECT_EQ(listing(w.build(), {"-ual"}), unifiedLine + textLine + "\tbx lr\n\t.byte 0x12, 0x34, 0x56\n");
}

TEST(DisassemblyListing, ThumbFirstHalfAtSectionEndPrintsAsBytes)
{
    // bx lr, then the first half of a bl with nothing after it, then one odd byte.
    for (const std::vector<uint8_t>& tail : {std::vector<uint8_t>{}, std::vector<uint8_t>{0x70}}) {
        ElfWriter w;
        const int text = w.addSection(".text", SHT_PROGBITS, code, 0x8000, join({w.words16({0x4770, 0xF000}), tail}));
        w.addSymbol("f", 0x8001, 0, info(STB_LOCAL, STT_FUNC), 0, uint16_t(text));
        EXPECT_EQ(listing(w.build(), {}),
                  textLine + "\t.thumb_func\nf:\n\tbx lr\n\t.byte 0x00, 0xF0" + (tail.empty() ? "\n" : ", 0x70\n"));
    }
}

TEST(DisassemblyListing, LastArmOrThumbKindAtAnAddressDecidesTheState)
{
    ElfWriter w;
    const uint16_t text = uint16_t(
        w.addSection(".text", SHT_PROGBITS, code, 0x8000, join({w.words32({0xE12FFF1E}), w.words16({0x4770, 0xBF00})})));
    w.addSymbol("thumbFirst", 0x8001, 0, info(STB_LOCAL, STT_FUNC), 0, text);
    w.addSymbol("armLast", 0x8000, 0, info(STB_LOCAL, STT_FUNC), 0, text);
    w.addSymbol("data", 0x8000, 0, info(STB_LOCAL, STT_OBJECT), 0, text);
    w.addSymbol("armFirst", 0x8004, 0, info(STB_LOCAL, STT_FUNC), 0, text);
    w.addSymbol("thumbLast", 0x8004, 0, info(STB_LOCAL, 13), 0, text);   // processor-specific type
    EXPECT_EQ(listing(w.build(), {"-ual"}),
              unifiedLine + textLine
                  + "\t.thumb_func\nthumbFirst:\narmLast:\ndata:\n\tbx lr\n"
                    "armFirst:\n\t.thumb_func\nthumbLast:\n\tbx lr\n\tnop\n");
}

TEST(DisassemblyListing, ItStateCarriesOverLabelsButNotIntoTheNextSection)
{
    ElfWriter w;
    // itt eq; two moves with a label between; movs; an open itt eq and a first half at the
    // section end; then a second section whose moves are outside any block.
    const uint16_t first = uint16_t(w.addSection(".text", SHT_PROGBITS, code, 0x8000,
                                                 w.words16({0xBF04, 0x2001, 0x2002, 0x2003, 0xBF04, 0xF000})));
    const uint16_t second = uint16_t(w.addSection(".text1", SHT_PROGBITS, code, 0x9000,
                                                  w.words16({0x2001, 0x2002})));
    w.addSymbol("f", 0x8001, 0, info(STB_LOCAL, STT_FUNC), 0, first);
    w.addSymbol("inside", 0x8004, 0, info(STB_LOCAL, STT_NOTYPE), 0, first);
    w.addSymbol("g", 0x9001, 0, info(STB_LOCAL, STT_FUNC), 0, second);
    EXPECT_EQ(listing(w.build(), {"-ual"}),
              unifiedLine + textLine
                  + "\t.thumb_func\nf:\n\titt eq\n\tmoveq r0, #1\ninside:\n\tmoveq r0, #2\n\tmovs r0, #3\n"
                    "\titt eq\n\t.byte 0x00, 0xF0\n"
                    "\t.section\t.text1,\"ax\",%progbits\n\t.thumb_func\ng:\n\tmovs r0, #1\n\tmovs r0, #2\n");
}

TEST(DisassemblyListing, CodeBeyondTheFileEndIsNotListed)
{
    // A big-endian image whose one-entry symbol table overlaps the code section's header:
    // converting the symbols swaps the section's size from 4 to 0x04000000 after the load
    // checked it. The code is the file's last word.
    ElfWriter w(true);
    const int text = w.addSection(".text", SHT_PROGBITS, code, 0x8000, w.words32({0}));
    w.addSymbol("start", 0x8000, 0, info(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    const uint32_t end = uint32_t(w.build().size());
    w.overrideSectionHeader(text, ELF_FIELD(Elf32_Shdr, sh_offset), end - 4);
    w.overrideSectionHeader(w.symtabIndex(), ELF_FIELD(Elf32_Shdr, sh_offset),
                            w.sectionHeaderTableOffset() + text * sizeof(Elf32_Shdr) + offsetof(Elf32_Shdr, sh_size));
    w.overrideSectionHeader(w.symtabIndex(), ELF_FIELD(Elf32_Shdr, sh_size), sizeof(Elf32_Sym));
    RunResult r = run(w.build(), {"-ual"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, unifiedLine + textLine + "\tandeq r0, r0, r0\n");
    EXPECT_EQ(r.err, "warning: section .text: 67108860 bytes lie beyond the end of the file and are not listed\n");
}
