// Sweeps of the Thumb decoder: every halfword on every level and syntax, and every first
// half of a 32-bit instruction with a spread of second halves, give some text that ends
// inside the buffer (run under the sanitizer build, they also catch reads and writes
// outside it).
#include "arm/ARMInstructionSetDisassembler.h"
#include <gtest/gtest.h>
#include <cstring>

TEST(ThumbSweep, EveryHalfwordDecodesToText)
{
    for (int level = 0; level <= 11; ++level) {
        for (bool unified : {true, false}) {
            ARMInstructionSetDisassembler disassembler(ArchitectureLevel(level), 0);
            disassembler.unifiedSyntax = unified;
            char text[ARMInstructionSetDisassembler::kTextSize];
            for (uint32_t hw = 0; hw < 0x10000; ++hw) {
                bool pending = false;
                disassembler.disassembleInstruction(false, 0x8000, hw, text, pending);
                if (pending)
                    disassembler.disassembleInstruction(false, 0x8002, 0xF800, text, pending);
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
                disassembler.disassembleInstruction(false, 0x8000, first, text, pending);
                ASSERT_TRUE(pending);
                disassembler.disassembleInstruction(false, 0x8002, second, text, pending);
                ASSERT_FALSE(pending);
                ASSERT_GT(strlen(text), 0u) << std::hex << first << " " << second;
            }
        }
    }
}
