// Every 32-bit pattern and every Thumb halfword pair must decode to some text without
// reading or writing outside the object: random words and halfwords through every level
// in both syntaxes (run under the sanitizers this also checks shifts and sign extensions).
#include "A32TestSupport.h"
#include <gtest/gtest.h>
#include <random>

TEST(A32RandomWords, EveryWordGivesOneLineOfText)
{
    std::mt19937 random(20261205);
    for (int level = 0; level <= 11; ++level) {
        TestDisassembler disassembler{ArchitectureLevel(level)};
        for (int n = 0; n < 20000; ++n) {
            const uint32_t word = random();
            for (bool unified : {true, false}) {
                const std::string text = disassembler.arm(word, unified, random());
                ASSERT_FALSE(text.empty()) << std::hex << word;
                ASSERT_EQ(text.find('\n'), std::string::npos) << std::hex << word;
                ASSERT_LT(text.size(), 64u) << std::hex << word;
                ASSERT_FALSE(disassembler.lastPending);
            }
        }
    }
}

TEST(A32RandomWords, DecodingDependsOnlyOnWordAddressLevelAndSyntax)
{
    // A32 decoding keeps no state from one word to the next.
    std::mt19937 random(7);
    TestDisassembler shared;
    for (int n = 0; n < 2000; ++n) {
        const uint32_t word = random();
        const uint32_t at = random() & ~3u;
        EXPECT_EQ(shared.arm(word, true, at), a32Text(word, true, ArchUnrestricted, at));
    }
}

namespace {

// The text of a T32 pair, decoded outside any IT block.
std::string thumbPairText(TestDisassembler& disassembler, uint16_t first, uint16_t second)
{
    char text[ARMInstructionSetDisassembler::kTextSize];
    bool pending = false;
    disassembler.disassembleInstruction(false, kTestAddress, first, text, pending);
    if (pending)
        disassembler.disassembleInstruction(false, kTestAddress + 2, second, text, pending);
    return text;
}

} // namespace

TEST(A32RandomWords, AdvancedSimdSpacesDecodeAlikeInA32AndT32)
{
    // The same U bit and low 24 bits reach the SIMD handlers from both instruction sets:
    // A32 1111001U / 11110100, T32 111U1111 / 11111001 (load/store bit 20 clear).
    std::mt19937 random(149150);
    for (int level = 0; level <= 11; ++level) {
        TestDisassembler disassembler{ArchitectureLevel(level)};
        for (int n = 0; n < 20000; ++n) {
            const uint32_t low = random() & 0xFFFFFF;
            const bool u = random() & 1;
            const bool loadStore = n & 1;
            const uint32_t bits = loadStore ? low & ~(1u << 20) : low;
            const uint32_t word = (loadStore ? 0xF4000000 : 0xF2000000 | u << 24) | bits;
            const uint16_t first = uint16_t((loadStore ? 0xF900 : 0xEF00 | u << 12) | bits >> 16);
            for (bool unified : {true, false}) {
                const std::string text = disassembler.arm(word, unified);
                ASSERT_FALSE(text.empty()) << std::hex << word;
                ASSERT_LT(text.size(), 64u) << std::hex << word;
                if (level == ArchV4T || level == ArchV5TE || level == ArchV6)
                    continue;   // no T32 there
                EXPECT_EQ(thumbPairText(disassembler, first, uint16_t(bits)), text)
                    << std::hex << word;
            }
        }
    }
}

TEST(ThumbRandomHalfwords, EveryPairGivesOneLineOfText)
{
    // Halfword streams biased to 32-bit first halves, so that the coprocessor, VFP and
    // SIMD spaces (111x 11xx) are reached often, through every level in both syntaxes.
    std::mt19937 random(20261206);
    for (int level = 0; level <= 11; ++level)
        for (bool unified : {true, false}) {
            TestDisassembler disassembler{ArchitectureLevel(level)};
            disassembler.unifiedSyntax = unified;
            char text[ARMInstructionSetDisassembler::kTextSize];
            bool pending = false;
            for (int n = 0; n < 40000; ++n) {
                uint32_t halfword = random() & 0xFFFF;
                if (!pending && (n & 1))
                    halfword |= 0xEC00;
                disassembler.disassembleInstruction(false, 0x8000 + 2 * n, halfword, text, pending);
                ASSERT_EQ(std::string(text).find('\n'), std::string::npos) << std::hex << halfword;
                ASSERT_LT(std::string(text).size(), 64u) << std::hex << halfword;
            }
        }
}
