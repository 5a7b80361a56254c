// Text primitives of the Advanced SIMD forms: the data-type suffix printer, d/q registers,
// scalars, register lists and immediates.
#include "arm/ARMInstructionSetDisassembler.h"
#include <cstring>

void ARMInstructionSetDisassembler::emitSimdMnemonic(const char* name, int kind, int size)
{
    static const char* const kinds[6] = {".s", ".u", ".i", ".f", ".p", ""};
    static const char* const sizes[4] = {"8", "16", "32", "64"};
    emitMnemonic(name);
    const size_t length = strlen(name);
    if (length == 0 || name[length - 1] != '.')
        emitText(kinds[kind < 0 || kind > 5 ? 5 : kind]);
    emitText(sizes[size & 3]);
}

void ARMInstructionSetDisassembler::emitSimdSizedMnemonic(const char* name, int size)
{
    emitMnemonic(name);
    emitChar('.');
    emitDecimal(8u << (size & 3));
}

void ARMInstructionSetDisassembler::emitSimdRegisters(const char* kinds, int r0, int r1, int r2)
{
    const int numbers[3] = {r0, r1, r2};
    for (int i = 0; i < 3 && kinds[i]; ++i) {
        emitText(i == 0 ? " " : separator);
        int n = numbers[i];
        if (kinds[i] == 'q') {
            simdUndefined |= (n & 1) != 0;
            n >>= 1;
        }
        emitChar(kinds[i]);
        emitDecimal(uint32_t(n));
    }
}

void ARMInstructionSetDisassembler::emitSimdScalar(int size, int m)
{
    // 16-bit elements: d0-d7 with a 2-bit index M:Vm<3>; 32-bit: d0-d15 with index M.
    const bool halfword = size == 1;
    emitText(", d");
    emitDecimal(uint32_t(halfword ? m & 7 : m & 15));
    emitChar('[');
    emitDecimal(uint32_t(halfword ? (m >> 4 & 1) << 1 | (m >> 3 & 1) : m >> 4 & 1));
    emitChar(']');
}

void ARMInstructionSetDisassembler::emitSimdList(int first, int count, int spacing, int lane)
{
    // A list that runs past d31 does not exist.
    simdUndefined |= first + (count - 1) * spacing > 31;
    emitText(" {");
    for (int i = 0; i < count; ++i) {
        emitText(i == 0 ? " d" : ", d");
        emitDecimal(uint32_t(first + i * spacing));
        if (lane == kAllLanes) {
            emitText("[]");
        } else if (lane >= 0) {
            emitChar('[');
            emitDecimal(uint32_t(lane));
            emitChar(']');
        }
    }
    emitText(" }");
}

void ARMInstructionSetDisassembler::emitSimdShift(int amount)
{
    emitText(", #");
    emitDecimal(uint32_t(amount));
}

void ARMInstructionSetDisassembler::emitSimdImmediate(uint64_t value)
{
    emitText(", #");
    if (value >> 32 == 0) {
        emitImmediate(uint32_t(value));
        return;
    }
    emitHex(uint32_t(value >> 32), 1, true);
    emitHex(uint32_t(value), 8, false);
}

void ARMInstructionSetDisassembler::emitSimdFloatImmediate(uint32_t imm8)
{
    // imm8 = a:bcd:efgh stands for (-1)^a * (16 + efgh) / 16 * 2^e, e = -3..4 (from
    // b:cd); times 128 that is the integer below, printed exactly in decimal.
    const int exponent = (imm8 & 0x40) ? int(imm8 >> 4 & 3) - 3 : int(imm8 >> 4 & 3) + 1;
    uint32_t scaled = (16 + (imm8 & 15)) << (exponent + 3);
    emitText(", #");
    if (imm8 & 0x80)
        emitChar('-');
    emitDecimal(scaled / 128);
    emitChar('.');
    scaled %= 128;
    do {
        scaled *= 10;
        emitChar(char('0' + scaled / 128));
        scaled %= 128;
    } while (scaled != 0);
}
