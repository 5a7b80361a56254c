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
