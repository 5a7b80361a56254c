// Texts of the T16 forms (handlers 63-97) in unified and legacy syntax.
#include "arm/ARMInstructionSetDisassembler.h"

namespace {

int32_t signExtend(uint32_t value, int bits)
{
    const uint32_t sign = 1u << (bits - 1);
    return static_cast<int32_t>((value ^ sign) - sign);
}

// Handler 67 by op: flag-setting (unified syntax outside an IT block) and plain names.
const char* const dataProcessingFlagNames[16] = {
    "ands", "eors", "lsls", "lsrs", "asrs", "adcs", "sbcs", "rors",
    "tst", "rsbs", "cmp", "cmn", "orrs", "muls", "bics", "mvns"};
const char* const dataProcessingNames[16] = {
    "and", "eor", "lsl", "lsr", "asr", "adc", "sbc", "ror",
    "tst", "neg", "cmp", "cmn", "orr", "mul", "bic", "mvn"};
const int negateOp = 9;

// T16 data processing sets the flags outside an IT block; unified syntax shows it.
bool showsFlagSetting(bool unified, uint32_t condition)
{
    return unified && condition == 14;
}

} // namespace

void ARMInstructionSetDisassembler::shiftImmediate16(int op, int imm5, int rm, int rd)
{
    const bool flags = showsFlagSetting(unifiedSyntax, condition);
    if (op == 0 && imm5 == 0) {
        emitMnemonic(flags ? "movs" : "mov");
        emitChar(' ');
        emitRegister(rd);
        emitSeparator();
        emitRegister(rm);
        return;
    }
    emitMnemonic(flags ? flagShiftNames[op] : shiftNames[op]);
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    emitRegister(rm);
    emitText(", #");
    // LSR and ASR encode a shift by 32 as 0; print what re-assembles to the same bits.
    emitImmediate(imm5 == 0 ? 32 : imm5);
}

void ARMInstructionSetDisassembler::addSubtractRegister16(bool sub, int rm, int rn, int rd)
{
    const bool flags = showsFlagSetting(unifiedSyntax, condition);
    emitMnemonic(sub ? (flags ? "subs" : "sub") : (flags ? "adds" : "add"));
    emitThreeRegisters(rd, rn, rm);
}

void ARMInstructionSetDisassembler::addSubtractImmediate3(bool sub, int imm3, int rn, int rd)
{
    const bool flags = showsFlagSetting(unifiedSyntax, condition);
    emitMnemonic(sub ? (flags ? "subs" : "sub") : (flags ? "adds" : "add"));
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    emitRegister(rn);
    emitText(", #");
    emitImmediate(imm3);
}

void ARMInstructionSetDisassembler::moveCompareAddSubtractImmediate8(int op, int rdn,
                                                                     uint32_t imm8)
{
    static const char* const flagNames[4] = {"movs", "cmp", "adds", "subs"};
    static const char* const names[4] = {"mov", "cmp", "add", "sub"};
    emitMnemonic(showsFlagSetting(unifiedSyntax, condition) ? flagNames[op] : names[op]);
    emitChar(' ');
    emitRegister(rdn);
    emitText(", #");
    emitImmediate(imm8);
}

void ARMInstructionSetDisassembler::dataProcessingRegister16(int op, int rm, int rdn)
{
    const bool flags = showsFlagSetting(unifiedSyntax, condition);
    if (op == negateOp && unifiedSyntax) {
        // Unified syntax has no NEG: it is RSB with #0.
        emitMnemonic(flags ? "rsbs" : "rsb");
        emitChar(' ');
        emitRegister(rdn);
        emitSeparator();
        emitRegister(rm);
        emitText(" ,#0");
        return;
    }
    emitMnemonic(flags ? dataProcessingFlagNames[op] : dataProcessingNames[op]);
    emitChar(' ');
    emitRegister(rdn);
    emitSeparator();
    emitRegister(rm);
}

void ARMInstructionSetDisassembler::highRegisterOperation(int op, int rdn, int rm)
{
    static const char* const names[3] = {"add", "cmp", "mov"};
    emitMnemonic(names[op]);
    emitChar(' ');
    emitRegister(rdn);
    emitSeparator();
    emitRegister(rm);
}

void ARMInstructionSetDisassembler::branchExchange16(bool link, int rm, bool nonSecure)
{
    if (nonSecure)
        emitMnemonic(link ? "blxns" : "bxns");
    else
        emitMnemonic(link ? "blx" : "bx");
    emitChar(' ');
    emitRegister(rm);
}

void ARMInstructionSetDisassembler::loadLiteral16(int rt, uint32_t imm8)
{
    const uint32_t offset = imm8 * 4;
    const uint32_t literalAddress = ((address + 4) & ~3u) + offset;
    literalAddresses.insert(literalAddress);
    emitMnemonic("ldr");
    emitChar(' ');
    emitRegister(rt);
    emitSeparator();
    uint32_t value = 0;
    if (literalValue(literalAddress, value)) {
        emitText("=");
        emitHex(value, 8, true);
        return;
    }
    emitText("[pc, #");
    emitImmediate(offset);
    emitChar(']');
}

void ARMInstructionSetDisassembler::loadStoreRegister16(int op, int rm, int rn, int rt)
{
    static const char* const names[8] = {"str", "strh", "strb", "ldrsb",
                                         "ldr", "ldrh", "ldrb", "ldrsh"};
    emitMnemonic(names[op]);
    emitChar(' ');
    emitRegister(rt);
    emitSeparator();
    emitRegisterOffsetAddress(rn, rm, 0);
}

void ARMInstructionSetDisassembler::loadStoreWordByteImmediate16(bool b, bool l, int imm5,
                                                                 int rn, int rt)
{
    emitMnemonic(b ? (l ? "ldrb" : "strb") : (l ? "ldr" : "str"));
    emitT16Offset(rt, rn, b ? imm5 : imm5 * 4);
}

void ARMInstructionSetDisassembler::loadStoreHalfwordImmediate16(bool l, int imm5, int rn,
                                                                 int rt)
{
    emitMnemonic(l ? "ldrh" : "strh");
    emitT16Offset(rt, rn, imm5 * 2);
}

void ARMInstructionSetDisassembler::loadStoreStackRelative16(bool l, int rt, uint32_t imm8)
{
    emitMnemonic(l ? "ldr" : "str");
    emitT16Offset(rt, 13, imm8 * 4);
}

// Rt, [Rn] or Rt, [Rn, #offset] of the immediate-offset T16 loads and stores.
void ARMInstructionSetDisassembler::emitT16Offset(int rt, int rn, uint32_t offset)
{
    emitChar(' ');
    emitRegister(rt);
    emitText(", [");
    emitRegister(rn);
    if (offset != 0) {
        emitText(", #");
        emitImmediate(offset);
    }
    emitChar(']');
}

void ARMInstructionSetDisassembler::addressToRegister16(bool sp, int rd, uint32_t imm8)
{
    if (sp) {
        emitMnemonic("add");
        emitChar(' ');
        emitRegister(rd);
        emitText(", sp, #");
        emitImmediate(imm8 * 4);
        return;
    }
    emitMnemonic("adr");
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    targetAddress = ((address + 4) & ~3u) + imm8 * 4;
    printTargetAddress();
}

void ARMInstructionSetDisassembler::adjustStackPointer16(bool sub, uint32_t imm7)
{
    emitMnemonic(sub ? "sub" : "add");
    emitText(unifiedSyntax ? " sp, sp, #" : " sp, #");
    emitImmediate(imm7 * 4);
}

void ARMInstructionSetDisassembler::extend16(int op, int rm, int rd)
{
    static const char* const names[4] = {"sxth", "sxtb", "uxth", "uxtb"};
    emitMnemonic(names[op]);
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    emitRegister(rm);
}

void ARMInstructionSetDisassembler::reverseBytes(int op, int rm, int rd)
{
    static const char* const names[4] = {"rev", "rev16", "???", "revsh"};
    // Shared with T32, where the pending flag is still set: ".w" there.
    emitMnemonic(names[op], pendingSecondHalf);
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    emitRegister(rm);
}

void ARMInstructionSetDisassembler::pushPop16(bool pop, bool r, uint32_t registerList)
{
    if (r)
        registerList |= pop ? 1u << 15 : 1u << 14;
    emitPushPop(pop, registerList);
}

void ARMInstructionSetDisassembler::breakpoint16(uint32_t imm8)
{
    breakpoint(imm8);
}

void ARMInstructionSetDisassembler::setEndianness16(bool bigEndian)
{
    emitText(bigEndian ? "setend be" : "setend le");
}

void ARMInstructionSetDisassembler::changeProcessorState16(bool disable, bool a, bool i,
                                                           bool f)
{
    emitText(disable ? "cpsid " : "cpsie ");
    if (a)
        emitChar('a');
    if (i)
        emitChar('i');
    if (f)
        emitChar('f');
}

void ARMInstructionSetDisassembler::compareBranchZero(bool nonZero, int i, int imm5, int rn)
{
    emitText(nonZero ? "cbnz " : "cbz ");
    emitRegister(rn);
    emitSeparator();
    targetAddress = address + 4 + (i << 6 | imm5 << 1);
    printTargetAddress();
}

void ARMInstructionSetDisassembler::ifThen(int firstCondition, int mask)
{
    // One letter per further instruction: mask bits above the lowest set bit, "t" when
    // equal to bit 0 of the first condition.
    char name[8] = "it";
    int length = 2;
    for (int bit = 3; bit > 0 && (mask & ((1 << bit) - 1)) != 0; --bit)
        name[length++] = ((mask >> bit) & 1) == (firstCondition & 1) ? 't' : 'e';
    name[length] = '\0';
    emitMnemonic(name);
    emitChar(' ');
    emitText(firstCondition == 15 ? "nv" : conditionNames[firstCondition]);
    itState = (firstCondition << 4 | mask) & 0xFF;
}

void ARMInstructionSetDisassembler::noOperation16()
{
    emitMnemonic("nop");
}

void ARMInstructionSetDisassembler::sendEvent16()
{
    emitMnemonic("sev");
}

void ARMInstructionSetDisassembler::waitForEvent16()
{
    emitMnemonic("wfe");
}

void ARMInstructionSetDisassembler::waitForInterrupt16()
{
    emitMnemonic("wfi");
}

void ARMInstructionSetDisassembler::yield16()
{
    emitMnemonic("yield");
}

void ARMInstructionSetDisassembler::loadStoreMultiple16(bool l, int rn, uint32_t registerList)
{
    if (unifiedSyntax)
        emitMnemonic(l ? "ldm" : "stm");
    else
        emitMnemonic(l ? "ldmia" : "stmia");
    emitChar(' ');
    emitRegister(rn);
    // LDM writes back only when the base is not loaded.
    emitText(l && (registerList >> rn & 1) ? ", {" : "!, {");
    emitRegisterList(registerList);
    emitChar('}');
}

void ARMInstructionSetDisassembler::conditionalBranch16(int cond, uint32_t imm8)
{
    emitChar('b');
    emitText(conditionNames[cond]);
    emitChar(' ');
    targetAddress = address + 4 + 2 * signExtend(imm8, 8);
    printTargetAddress();
}

void ARMInstructionSetDisassembler::supervisorCall16(uint32_t imm8)
{
    supervisorCall(imm8);
}

void ARMInstructionSetDisassembler::branch16(uint32_t imm11)
{
    emitMnemonic("b");
    emitChar(' ');
    targetAddress = address + 4 + 2 * signExtend(imm11, 11);
    printTargetAddress();
}

// The pre-Thumb-2 BL/BLX pair: the prefix keeps the high part of the offset in
// targetAddress, the suffix adds the low part.
void ARMInstructionSetDisassembler::branchLinkPrefix(uint32_t imm11)
{
    targetAddress = address + 4 + signExtend(imm11 << 12, 23);
}

void ARMInstructionSetDisassembler::branchLinkSuffix(uint32_t imm11)
{
    emitMnemonic("bl");
    emitChar(' ');
    targetAddress += 2 * imm11;
    printTargetAddress();
}

void ARMInstructionSetDisassembler::branchLinkExchangeSuffix(uint32_t imm11)
{
    emitMnemonic("blx");
    emitChar(' ');
    targetAddress = (targetAddress + 2 * imm11) & ~3u;
    printTargetAddress();
}

void ARMInstructionSetDisassembler::undefinedInstruction16()
{
    emitText("undefined opcode");
}
