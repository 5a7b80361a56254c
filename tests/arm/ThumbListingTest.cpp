// Thumb code through the whole listing (images made with ElfWriter and run through the
// binary): IT state across labels and sections, 32-bit instructions cut by the section
// end, byte order, and an exhaustive sweep of the decoder over every halfword.
#include "arm/ARMInstructionSetDisassembler.h"
#include "support/ElfWriter.h"
#include "support/RunMorvane.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

const uint32_t kText = 0x8000;

// A Thumb function `f` covering each section given, one after the other in memory.
std::string listThumb(const std::vector<std::vector<uint16_t>>& sections,
                      const std::vector<std::pair<std::string, uint32_t>>& labels = {},
                      bool bigEndian = false, const std::string& arch = "v7M")
{
    ElfWriter writer(bigEndian);
    uint32_t address = kText;
    int first = -1;
    for (size_t i = 0; i < sections.size(); ++i) {
        const int index = writer.addSection(".text" + std::to_string(i), SHT_PROGBITS,
                                            SHF_ALLOC | SHF_EXECINSTR, address,
                                            writer.words16(sections[i]));
        writer.addSymbol("f" + std::to_string(i), address | 1, 0,
                         ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, index);
        if (first < 0)
            first = index;
        address += 0x1000;
    }
    for (const auto& label : labels)
        writer.addSymbol(label.first, label.second, 0, ELF32_ST_INFO(STB_LOCAL, STT_NOTYPE), 0,
                         first);
    TempDir dir;
    const std::string path = dir.write("thumb.elf", writer.build());
    RunResult result = runMorvane({"-disassemble", "-ual", "-arch", arch, path});
    EXPECT_EQ(result.status, 0) << result.err;
    return result.out;
}

std::string section(int n, const std::string& body)
{
    return "\t.section\t.text" + std::to_string(n) + ",\"ax\",%progbits\n\t.global f" +
        std::to_string(n) + "\n\t.thumb_func\nf" + std::to_string(n) + ":\n" + body;
}

} // namespace

TEST(ThumbListing, ItStateSurvivesALabel)
{
    EXPECT_EQ(listThumb({{0xBF04, 0x2001, 0x2002, 0x2003}}, {{"inside", kText + 4}}),
              "\t.syntax unified\n" +
                  section(0, "\titt eq\n\tmoveq r0, #1\ninside:\n\tmoveq r0, #2\n"
                             "\tmovs r0, #3\n"));
}

TEST(ThumbListing, ItStateStartsCleanInEachSection)
{
    EXPECT_EQ(listThumb({{0xBF04}, {0x2001, 0x2002}}),
              "\t.syntax unified\n" + section(0, "\titt eq\n") +
                  section(1, "\tmovs r0, #1\n\tmovs r0, #2\n"));
}

TEST(ThumbListing, FirstHalfAtTheSectionEndIsNotReadPast)
{
    const std::string out = listThumb({{0x2001, 0xF000}, {0x2002}});
    EXPECT_NE(out.find("\tmovs r0, #1\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("bl"), std::string::npos) << out;
    // The next section decodes from a clean state.
    EXPECT_NE(out.find("f1:\n\tmovs r0, #2\n"), std::string::npos) << out;
}

TEST(ThumbListing, WideInstructionsInBothByteOrders)
{
    const std::string expected =
        "\t.syntax unified\n" + section(0, "\tbl f0\n\tpush.w {r4-r11, lr}\n");
    EXPECT_EQ(listThumb({{0xF7FF, 0xFFFE, 0xE92D, 0x4FF0}}), expected);
    EXPECT_EQ(listThumb({{0xF7FF, 0xFFFE, 0xE92D, 0x4FF0}}, {}, true), expected);
}

TEST(ThumbListing, BranchLinkPairOnV4TIsOneLine)
{
    EXPECT_EQ(listThumb({{0xF7FF, 0xFFFE, 0x4770}}, {}, false, "v4T"),
              "\t.syntax unified\n" + section(0, "\tbl f0\n\tbx lr\n"));
}

// Every halfword on every level, and every first half of a 32-bit instruction with a
// spread of second halves: some text, terminated inside the buffer.
TEST(ThumbSweep, EveryHalfwordDecodesToText)
{
    for (int level = 0; level <= 11; ++level) {
        for (bool unified : {true, false}) {
            ARMInstructionSetDisassembler disassembler(ArchitectureLevel(level), 0);
            disassembler.unifiedSyntax = unified;
            char text[ARMInstructionSetDisassembler::kTextSize];
            for (uint32_t hw = 0; hw < 0x10000; ++hw) {
                bool pending = false;
                disassembler.disassembleInstruction(false, kText, hw, text, pending);
                if (pending)
                    disassembler.disassembleInstruction(false, kText + 2, 0xF800, text, pending);
                ASSERT_LT(strlen(text), sizeof text);
                ASSERT_GT(strlen(text), 0u) << std::hex << hw << " level " << level;
            }
        }
    }
}

TEST(ThumbSweep, EveryFirstHalfWithManySecondHalves)
{
    for (ArchitectureLevel level : {ArchUnrestricted, ArchV7M, ArchV8MMainline}) {
        ARMInstructionSetDisassembler disassembler(level, 0);
        char text[ARMInstructionSetDisassembler::kTextSize];
        for (uint32_t first = 0xE800; first < 0x10000; ++first) {
            for (uint32_t second = first & 0xF; second < 0x10000; second += 0x3F1) {
                bool pending = false;
                disassembler.disassembleInstruction(false, kText, first, text, pending);
                ASSERT_TRUE(pending);
                disassembler.disassembleInstruction(false, kText + 2, second, text, pending);
                ASSERT_FALSE(pending);
                ASSERT_GT(strlen(text), 0u) << std::hex << first << " " << second;
            }
        }
    }
}
