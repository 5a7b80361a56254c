// The disassembler entry on raw code units. The first byte chooses the architecture level
// (low four bits), the syntax (bit 4) and the instruction set (bit 5); the rest is fed as
// A32 words or Thumb halfwords in little-endian order, so that 32-bit Thumb instructions
// arrive with and without their second half.
#include "arm/ARMInstructionSetDisassembler.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    initialiseFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    auto level = ArchitectureLevel(data[0] % 12);
    bool arm = data[0] & 0x20;
    ARMInstructionSetDisassembler disassembler(level, 0);
    disassembler.unifiedSyntax = data[0] & 0x10;
    static char text[ARMInstructionSetDisassembler::kTextSize];
    size_t unit = arm ? 4 : 2;
    uint32_t address = 0x8000;
    bool pending = false;
    for (size_t at = 1; at + unit <= size; at += unit, address += uint32_t(unit)) {
        uint32_t bits = data[at] | uint32_t(data[at + 1]) << 8;
        if (arm)
            bits |= uint32_t(data[at + 2]) << 16 | uint32_t(data[at + 3]) << 24;
        disassembler.disassembleInstruction(arm, address, bits, text, pending);
    }
    return 0;
}
