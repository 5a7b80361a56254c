#pragma once
// Disassembles single A32 words for the table tests.
#include "arm/ARMInstructionSetDisassembler.h"
#include <string>

// One expected text per syntax for a word decoded at kTestAddress.
struct A32Case {
    uint32_t word;
    const char* unified;
    const char* legacy;
};

constexpr uint32_t kTestAddress = 0x8000;

class TestDisassembler : public ARMInstructionSetDisassembler {
public:
    explicit TestDisassembler(ArchitectureLevel level = ArchUnrestricted)
        : ARMInstructionSetDisassembler(level, 0) {}

    std::string arm(uint32_t word, bool unified = true, uint32_t at = kTestAddress)
    {
        char text[kTextSize];
        bool pending = true;
        unifiedSyntax = unified;
        disassembleInstruction(true, at, word, text, pending);
        lastPending = pending;
        return text;
    }

    bool lastPending = false;
};

inline std::string a32Text(uint32_t word, bool unified = true,
                           ArchitectureLevel level = ArchUnrestricted, uint32_t at = kTestAddress)
{
    TestDisassembler disassembler(level);
    return disassembler.arm(word, unified, at);
}

// Checks every case of a table in both syntaxes.
#define EXPECT_A32_TABLE(table)                                                        \
    for (const A32Case& c : table) {                                                   \
        EXPECT_EQ(a32Text(c.word, true), c.unified) << std::hex << "word " << c.word;  \
        EXPECT_EQ(a32Text(c.word, false), c.legacy) << std::hex << "word " << c.word;  \
    }
