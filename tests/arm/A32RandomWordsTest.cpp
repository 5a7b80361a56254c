// Properties that every encoding must keep, checked on random words and halfword pairs
// through every level (under the sanitizers this also checks that no pattern makes the
// decoders read or write outside their buffers):
// - an A32 word with condition 0 to 13 prints as the same word with condition 14, the
//   condition's name placed after the mnemonic (before any type suffix), or gives the
//   same fallback text or unconditional form;
// - the Advanced SIMD spaces of A32 and T32 decode alike;
// - T32 decoding does not depend on the level beyond the profile: the A and R levels (4,
//   8, 9) decode alike, and so do the M levels (5, 6, 7, 10, 11).
#include "arm/ARMInstructionSetDisassembler.h"
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

class Sampler : public ARMInstructionSetDisassembler {
public:
    explicit Sampler(int level) : ARMInstructionSetDisassembler(ArchitectureLevel(level), 0) {}

    std::string arm(uint32_t word, uint32_t at = 0x8000)
    {
        char text[kTextSize];
        bool pending = true;
        disassembleInstruction(true, at, word, text, pending);
        return pending ? "<pending>" : text;
    }

    std::string thumbPair(uint16_t first, uint16_t second)
    {
        char text[kTextSize];
        bool pending = false;
        disassembleInstruction(false, 0x8000, first, text, pending);
        if (pending)
            disassembleInstruction(false, 0x8002, second, text, pending);
        return pending ? "<pending>" : text;
    }
};

// BKPT and HVC, unconditional in the architecture, print no condition.
std::string withCondition(const std::string& text, const char* name)
{
    const size_t end = std::min(text.find_first_of(". "), text.size());
    const std::string mnemonic = text.substr(0, end);
    for (const char* plain : {"undefined", "invalid", "bkpt", "hvc"})
        if (mnemonic == plain)
            return text;
    return mnemonic + name + text.substr(end);
}

} // namespace

TEST(RandomWords, ConditionOnlyAddsItsName)
{
    static const char* const names[14] = {"eq", "ne", "cs", "cc", "mi", "pl", "vs",
                                          "vc", "hi", "ls", "ge", "lt", "gt", "le"};
    std::mt19937 random(20261205);
    for (int n = 0; n < 60000; ++n) {
        const uint32_t cond = random() % 14;
        const uint32_t word = (random() & 0x0FFFFFFF) | cond << 28;
        const uint32_t at = random() & ~3u;
        Sampler sampler(n % 12);
        sampler.unifiedSyntax = n & 1;
        const std::string always = sampler.arm((word & 0x0FFFFFFF) | 0xE0000000, at);
        if (sampler.unifiedSyntax)
            ASSERT_EQ(sampler.arm(word, at), withCondition(always, names[cond]))
                << std::hex << word << " level " << n % 12;
        else
            ASSERT_EQ(sampler.arm(word, at) == "undefined opcode", always == "undefined opcode")
                << std::hex << word << " level " << n % 12;
    }
}

TEST(RandomWords, AdvancedSimdSpacesDecodeAlikeInA32AndT32)
{
    // The same U bit and low 24 bits reach the SIMD handlers from both instruction sets:
    // A32 1111001U / 11110100, T32 111U1111 / 11111001 (load/store bit 20 clear).
    std::mt19937 random(149150);
    for (int n = 0; n < 40000; ++n) {
        const uint32_t low = random() & 0xFFFFFF;
        const bool u = random() & 1;
        const bool loadStore = n & 1;
        const uint32_t bits = loadStore ? low & ~(1u << 20) : low;
        const uint32_t word = (loadStore ? 0xF4000000 : 0xF2000000 | u << 24) | bits;
        const uint16_t first = uint16_t((loadStore ? 0xF900 : 0xEF00 | u << 12) | bits >> 16);
        Sampler sampler(n % 12 < 4 ? 0 : n % 12);   // levels with T32
        sampler.unifiedSyntax = n & 2;
        ASSERT_EQ(sampler.thumbPair(first, uint16_t(bits)), sampler.arm(word)) << std::hex << word;
    }
}

TEST(RandomWords, T32DependsOnlyOnTheProfile)
{
    std::mt19937 random(20261206);
    for (int n = 0; n < 40000; ++n) {
        const uint16_t first = uint16_t(0xE800 + random() % 0x1800);   // 11101, 11110, 11111
        const uint16_t second = uint16_t(random());
        const int level = 4 + n % 8;
        const bool mProfile = level != ArchV6T2 && level != ArchV7R && level != ArchV7A;
        Sampler reference(mProfile ? ArchV7M : ArchV7A);
        Sampler sampler(level);
        reference.unifiedSyntax = sampler.unifiedSyntax = n & 1;
        ASSERT_EQ(sampler.thumbPair(first, second), reference.thumbPair(first, second))
            << std::hex << first << " " << second << " level " << level;
    }
}
