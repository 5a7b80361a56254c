// Every 32-bit pattern must decode to some text without reading or writing outside the
// object: random words through every level in both syntaxes (run under the sanitizers
// this also checks shifts and sign extensions).
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
