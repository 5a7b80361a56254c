// The disassembler object: entry point, text primitives and the hooks' base behaviour.
#include "arm/ARMInstructionSetDisassembler.h"

const char* const ARMInstructionSetDisassembler::conditionNames[16] = {
    "eq", "ne", "cs", "cc", "mi", "pl", "vs", "vc",
    "hi", "ls", "ge", "lt", "gt", "le", "", ""};
const char* const ARMInstructionSetDisassembler::shiftNames[4] = {"lsl", "lsr", "asr", "ror"};
const char* const ARMInstructionSetDisassembler::flagShiftNames[4] = {"lsls", "lsrs", "asrs",
                                                                      "rors"};
const char* const ARMInstructionSetDisassembler::separator = ", ";

ARMInstructionSetDisassembler::ARMInstructionSetDisassembler(ArchitectureLevel level,
                                                             int32_t processorModel)
    : ARMInstructionSetDecoder(level, processorModel)
{
}

void ARMInstructionSetDisassembler::disassembleInstruction(bool arm, uint32_t at,
                                                           uint32_t bits, char* text,
                                                           bool& secondHalfPending)
{
    isArm = arm;
    address = at;
    out = text;
    outEnd = text + kTextSize - 1;
    if (arm) {
        decodeArm(at, bits);
        secondHalfPending = false;
    } else {
        decodeThumb(at, uint16_t(bits));
        secondHalfPending = pendingSecondHalf;
    }
    *out = '\0';
}

void ARMInstructionSetDisassembler::emitText(const char* text)
{
    while (*text && out < outEnd)
        *out++ = *text++;
}

void ARMInstructionSetDisassembler::emitMnemonic(const char* name, bool wide)
{
    emitText(name);
    emitText(conditionNames[condition & 15]);
    if (wide)
        emitText(".w");
}

void ARMInstructionSetDisassembler::emitRegister(int n)
{
    static const char* const names[16] = {"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7",
                                          "r8", "r9", "r10", "r11", "r12", "sp", "lr", "pc"};
    emitText(names[n & 15]);
}

void ARMInstructionSetDisassembler::emitImmediate(uint32_t value)
{
    if (value <= 32)
        emitDecimal(value);
    else
        emitHex(value, 1, true);
}

void ARMInstructionSetDisassembler::emitDecimal(uint32_t value)
{
    char digits[10];
    int count = 0;
    do {
        digits[count++] = char('0' + value % 10);
        value /= 10;
    } while (value);
    while (count)
        emitChar(digits[--count]);
}

void ARMInstructionSetDisassembler::emitHex(uint32_t value, int digits, bool prefix)
{
    static const char hexDigits[] = "0123456789ABCDEF";
    if (prefix)
        emitText("0x");
    int count = 8;
    while (count > 1 && count > digits && (value >> (4 * (count - 1))) == 0)
        --count;
    while (count)
        emitChar(hexDigits[(value >> (4 * --count)) & 15]);
}

void ARMInstructionSetDisassembler::emitRegisterList(uint32_t mask)
{
    bool first = true;
    for (int n = 0; n < 16; ++n) {
        if (!(mask & (1u << n)))
            continue;
        int last = n;
        while (last < 15 && (mask & (1u << (last + 1))))
            ++last;
        if (!first)
            emitSeparator();
        first = false;
        emitRegister(n);
        if (last > n) {
            emitChar('-');
            emitRegister(last);
        }
        n = last;
    }
}

void ARMInstructionSetDisassembler::emitPushPop(bool pop, uint32_t registerList, bool wide)
{
    emitMnemonic(pop ? "pop" : "push", wide);
    emitText(" {");
    emitRegisterList(registerList);
    emitChar('}');
}

void ARMInstructionSetDisassembler::emitBaseAndRegisterList(int rn, bool writeBack,
                                                            uint32_t registerList)
{
    emitChar(' ');
    emitRegister(rn);
    if (writeBack)
        emitChar('!');
    emitText(", {");
    emitRegisterList(registerList);
    emitChar('}');
}

void ARMInstructionSetDisassembler::emitRegisterOffsetAddress(int rn, int rm, int shiftAmount)
{
    emitChar('[');
    emitRegister(rn);
    emitSeparator();
    emitRegister(rm);
    if (shiftAmount != 0) {
        emitText(", lsl #");
        emitImmediate(shiftAmount);
    }
    emitChar(']');
}

void ARMInstructionSetDisassembler::emitThreeRegisters(int rd, int rn, int rm)
{
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    emitRegister(rn);
    emitSeparator();
    emitRegister(rm);
}

void ARMInstructionSetDisassembler::emitFourRegisters(int rd, int rn, int rm, int ra)
{
    emitThreeRegisters(rd, rn, rm);
    emitSeparator();
    emitRegister(ra);
}

void ARMInstructionSetDisassembler::emitSuffixedMnemonic(const char* name, const char* suffix)
{
    if (unifiedSyntax) {
        emitText(name);
        emitMnemonic(suffix);
    } else {
        emitMnemonic(name);
        emitText(suffix);
    }
}

bool ARMInstructionSetDisassembler::conditionPasses(uint32_t, uint32_t)
{
    return true;
}

uint32_t ARMInstructionSetDisassembler::nextThumbCondition()
{
    if (itState == 0)
        return 14;
    uint32_t next = (itState >> 4) & 15;
    if ((itState & 15) == 8)
        itState = 0;
    else
        itState = (itState & 0xE0) | ((itState << 1) & 0x1F);
    return next;
}

void ARMInstructionSetDisassembler::printTargetAddress()
{
    emitHex(targetAddress, 8, true);
}

bool ARMInstructionSetDisassembler::literalValue(uint32_t, uint32_t&)
{
    return false;
}

void ARMInstructionSetDisassembler::undefinedInstruction()
{
    emitText("undefined opcode");
}
