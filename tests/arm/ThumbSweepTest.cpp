// Sweep of the Thumb decoder: every halfword on every level and syntax, and on the levels
// with the most 32-bit encodings every first half with a spread of second halves, gives
// some text (run under the sanitizer build, it also catches reads and writes outside the
// text buffer).
#include "arm/ARMInstructionSetDisassembler.h"
#include <gtest/gtest.h>
#include <cstring>

TEST(ThumbSweep, EveryHalfwordAndEveryFirstHalfDecodeToText)
{
    char text[ARMInstructionSetDisassembler::kTextSize];
    bool pending = false;
    for (int level = 0; level <= 11; ++level) {
        for (bool unified : {true, false}) {
            ARMInstructionSetDisassembler disassembler(ArchitectureLevel(level), 0);
            disassembler.unifiedSyntax = unified;
            for (uint32_t hw = 0; hw < 0x10000; ++hw) {
                disassembler.disassembleInstruction(false, 0x8000, hw, text, pending);
                if (pending)
                    disassembler.disassembleInstruction(false, 0x8002, 0xF800, text, pending);
                ASSERT_GT(strlen(text), 0u) << std::hex << hw << " level " << level;
            }
            const bool wide = level == ArchUnrestricted || level == ArchV7M || level == ArchV8MMainline;
            for (uint32_t first = 0xE800; unified && wide && first < 0x10000; ++first) {
                for (uint32_t second = first & 0xF; second < 0x10000; second += 0x3F1) {
                    disassembler.disassembleInstruction(false, 0x8000, first, text, pending);
                    ASSERT_TRUE(pending);
                    disassembler.disassembleInstruction(false, 0x8002, second, text, pending);
                    ASSERT_FALSE(pending);
                    ASSERT_GT(strlen(text), 0u) << std::hex << first << " " << second << " level " << level;
                }
            }
        }
    }
}
