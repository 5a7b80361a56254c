// Texts of the A32 data-processing, multiply and divide forms.
#include "arm/ARMInstructionSetDisassembler.h"

namespace {

const char* const plainNames[16] = {"and", "eor", "sub", "rsb", "add", "adc", "sbc", "rsc",
                                    "tst", "teq", "cmp", "cmn", "orr", "mov", "bic", "mvn"};

// TST, TEQ, CMP and CMN write no register.
bool hasDestination(int opcode)
{
    return opcode < 8 || opcode > 11;
}

// MOV and MVN read no first operand.
bool hasFirstOperand(int opcode)
{
    return opcode != 13 && opcode != 15;
}

uint32_t rotateRight(uint32_t value, int amount)
{
    amount &= 31;
    return amount ? (value >> amount) | (value << (32 - amount)) : value;
}

// An encoded amount of 0 with LSR or ASR means 32.
uint32_t shiftAmountValue(int shiftType, int shiftAmount)
{
    return (shiftAmount == 0 && (shiftType == 1 || shiftType == 2)) ? 32 : uint32_t(shiftAmount);
}

} // namespace

void ARMInstructionSetDisassembler::emitDataProcessingMnemonic(int opcode, bool s)
{
    emitSuffixedMnemonic(plainNames[opcode], s && hasDestination(opcode) ? "s" : "");
}

void ARMInstructionSetDisassembler::emitDataProcessingPrefix(int opcode, bool s, int rd, int rn)
{
    emitDataProcessingMnemonic(opcode, s);
    emitChar(' ');
    if (hasDestination(opcode)) {
        emitRegister(rd);
        emitSeparator();
    }
    if (hasFirstOperand(opcode)) {
        emitRegister(rn);
        emitSeparator();
    }
}

void ARMInstructionSetDisassembler::emitImmediateShift(int shiftType, int shiftAmount)
{
    if (shiftType == 3 && shiftAmount == 0) {
        emitText(", rrx");
    } else if (shiftType != 0 || shiftAmount != 0) {
        emitSeparator();
        emitText(shiftNames[shiftType]);
        emitText(" #");
        emitDecimal(shiftAmountValue(shiftType, shiftAmount));
    }
}

void ARMInstructionSetDisassembler::dataProcessingImmediate(int opcode, bool s, int rn, int rd,
                                                            int rotate, uint32_t imm8)
{
    const uint32_t value = rotateRight(imm8, 2 * rotate);
    const bool adr = !s && rn == 15 && (opcode == 4 || (opcode == 2 && value != 0));
    if (adr) {
        emitMnemonic("adr");
        emitChar(' ');
        emitRegister(rd);
        emitSeparator();
        targetAddress = opcode == 4 ? address + 8 + value : address + 8 - value;
        printTargetAddress();
        return;
    }
    emitDataProcessingPrefix(opcode, s, rd, rn);
    emitChar('#');
    emitImmediate(value);
}

void ARMInstructionSetDisassembler::dataProcessingShiftImmediate(int opcode, bool s, int rn,
                                                                 int rd, int shiftAmount,
                                                                 int shiftType, int rm)
{
    if (unifiedSyntax && opcode == 13 && (shiftAmount != 0 || shiftType != 0)) {
        // A shifted move is the shift instruction itself in unified syntax.
        const bool rrx = shiftType == 3 && shiftAmount == 0;
        emitSuffixedMnemonic(rrx ? "rrx" : shiftNames[shiftType], s ? "s" : "");
        emitChar(' ');
        emitRegister(rd);
        emitSeparator();
        emitRegister(rm);
        if (!rrx) {
            emitText(", #");
            emitDecimal(shiftAmountValue(shiftType, shiftAmount));
        }
        return;
    }
    emitDataProcessingPrefix(opcode, s, rd, rn);
    emitRegister(rm);
    emitImmediateShift(shiftType, shiftAmount);
}

void ARMInstructionSetDisassembler::dataProcessingShiftRegister(int opcode, bool s, int rn,
                                                                int rd, int rs, int shiftType,
                                                                int rm)
{
    if (unifiedSyntax && opcode == 13) {
        emitSuffixedMnemonic(shiftNames[shiftType], s ? "s" : "");
        emitThreeRegisters(rd, rm, rs);
        return;
    }
    emitDataProcessingPrefix(opcode, s, rd, rn);
    emitRegister(rm);
    emitSeparator();
    emitText(shiftNames[shiftType]);
    emitChar(' ');
    emitRegister(rs);
}

// ---- multiplies ----

void ARMInstructionSetDisassembler::multiply(bool s, int rd, int rn, int rm)
{
    emitSuffixedMnemonic("mul", s ? "s" : "");
    emitThreeRegisters(rd, rn, rm);
}

void ARMInstructionSetDisassembler::multiplyAccumulate(bool s, int rd, int rn, int rm, int ra)
{
    emitSuffixedMnemonic("mla", s ? "s" : "");
    emitFourRegisters(rd, rn, rm, ra);
}

void ARMInstructionSetDisassembler::multiplySubtract(int rd, int rn, int rm, int ra)
{
    emitMnemonic("mls");
    emitFourRegisters(rd, rn, rm, ra);
}

void ARMInstructionSetDisassembler::signedMultiplyLong(bool s, int rdLo, int rdHi, int rn, int rm)
{
    emitSuffixedMnemonic("smull", s ? "s" : "");
    emitFourRegisters(rdLo, rdHi, rn, rm);
}

void ARMInstructionSetDisassembler::signedMultiplyAccumulateLong(bool s, int rdLo, int rdHi,
                                                                 int rn, int rm)
{
    emitSuffixedMnemonic("smlal", s ? "s" : "");
    emitFourRegisters(rdLo, rdHi, rn, rm);
}

void ARMInstructionSetDisassembler::unsignedMultiplyAccumulateAccumulateLong(int rdLo, int rdHi,
                                                                             int rn, int rm)
{
    emitMnemonic("umaal");
    emitFourRegisters(rdLo, rdHi, rn, rm);
}

void ARMInstructionSetDisassembler::unsignedMultiplyLong(bool s, int rdLo, int rdHi, int rn,
                                                         int rm)
{
    emitSuffixedMnemonic("umull", s ? "s" : "");
    emitFourRegisters(rdLo, rdHi, rn, rm);
}

void ARMInstructionSetDisassembler::unsignedMultiplyAccumulateLong(bool s, int rdLo, int rdHi,
                                                                   int rn, int rm)
{
    emitSuffixedMnemonic("umlal", s ? "s" : "");
    emitFourRegisters(rdLo, rdHi, rn, rm);
}

// ---- halfword multiplies: "t"/"b" picks the top or bottom half of each operand ----

namespace {

// Writes base plus one "t"/"b" letter per half into buffer.
const char* halfwordName(char* buffer, const char* base, int halves, bool first, bool second)
{
    char* p = buffer;
    while (*base)
        *p++ = *base++;
    if (halves == 2)
        *p++ = first ? 't' : 'b';
    *p++ = second ? 't' : 'b';
    *p = '\0';
    return buffer;
}

} // namespace

void ARMInstructionSetDisassembler::signedMultiplyAccumulateHalfwords(int rd, int rn, int rm,
                                                                      int ra, bool n, bool m)
{
    char name[12];
    emitMnemonic(halfwordName(name, "smla", 2, n, m));
    emitFourRegisters(rd, rn, rm, ra);
}

void ARMInstructionSetDisassembler::signedMultiplyAccumulateWordHalfword(int rd, int rn, int rm,
                                                                         int ra, bool m)
{
    char name[12];
    emitMnemonic(halfwordName(name, "smlaw", 1, false, m));
    emitFourRegisters(rd, rn, rm, ra);
}

void ARMInstructionSetDisassembler::signedMultiplyWordHalfword(int rd, int rn, int rm, bool m)
{
    char name[12];
    emitMnemonic(halfwordName(name, "smulw", 1, false, m));
    emitThreeRegisters(rd, rn, rm);
}

void ARMInstructionSetDisassembler::signedMultiplyAccumulateLongHalfwords(int rdLo, int rdHi,
                                                                          int rn, int rm, bool n,
                                                                          bool m)
{
    char name[12];
    emitMnemonic(halfwordName(name, "smlal", 2, n, m));
    emitFourRegisters(rdLo, rdHi, rn, rm);
}

void ARMInstructionSetDisassembler::signedMultiplyHalfwords(int rd, int rn, int rm, bool n,
                                                            bool m)
{
    char name[12];
    emitMnemonic(halfwordName(name, "smul", 2, n, m));
    emitThreeRegisters(rd, rn, rm);
}

// ---- dual and most-significant-word multiplies ----

void ARMInstructionSetDisassembler::signedMultiplyAccumulateDual(int rd, int rn, int rm, int ra,
                                                                 bool x)
{
    emitMnemonic(x ? "smladx" : "smlad");
    emitFourRegisters(rd, rn, rm, ra);
}

void ARMInstructionSetDisassembler::signedMultiplyAccumulateLongDual(int rdLo, int rdHi, int rn,
                                                                     int rm, bool x)
{
    emitMnemonic(x ? "smlaldx" : "smlald");
    emitFourRegisters(rdLo, rdHi, rn, rm);
}

void ARMInstructionSetDisassembler::signedDualMultiplyAdd(int rd, int rn, int rm, bool x)
{
    emitMnemonic(x ? "smuadx" : "smuad");
    emitThreeRegisters(rd, rn, rm);
}

void ARMInstructionSetDisassembler::signedMultiplySubtractDual(int rd, int rn, int rm, int ra,
                                                               bool x)
{
    emitMnemonic(x ? "smlsdx" : "smlsd");
    emitFourRegisters(rd, rn, rm, ra);
}

void ARMInstructionSetDisassembler::signedMultiplySubtractLongDual(int rdLo, int rdHi, int rn,
                                                                   int rm, bool x)
{
    emitMnemonic(x ? "smlsldx" : "smlsld");
    emitFourRegisters(rdLo, rdHi, rn, rm);
}

void ARMInstructionSetDisassembler::signedDualMultiplySubtract(int rd, int rn, int rm, bool x)
{
    emitMnemonic(x ? "smusdx" : "smusd");
    emitThreeRegisters(rd, rn, rm);
}

void ARMInstructionSetDisassembler::signedMostSignificantWordMultiply(int rd, int rn, int rm,
                                                                      bool r)
{
    emitMnemonic(r ? "smmulr" : "smmul");
    emitThreeRegisters(rd, rn, rm);
}

void ARMInstructionSetDisassembler::signedMostSignificantWordMultiplyAccumulate(int rd, int rn,
                                                                                int rm, int ra,
                                                                                bool r)
{
    emitMnemonic(r ? "smmlar" : "smmla");
    emitFourRegisters(rd, rn, rm, ra);
}

void ARMInstructionSetDisassembler::signedMostSignificantWordMultiplySubtract(int rd, int rn,
                                                                              int rm, int ra,
                                                                              bool r)
{
    emitMnemonic(r ? "smmlsr" : "smmls");
    emitFourRegisters(rd, rn, rm, ra);
}

void ARMInstructionSetDisassembler::unsignedSumAbsoluteDifferences(int rd, int rn, int rm)
{
    emitMnemonic("usad8");
    emitThreeRegisters(rd, rn, rm);
}

void ARMInstructionSetDisassembler::unsignedSumAbsoluteDifferencesAccumulate(int rd, int rn,
                                                                             int rm, int ra)
{
    emitMnemonic("usada8");
    emitFourRegisters(rd, rn, rm, ra);
}

void ARMInstructionSetDisassembler::divide(bool isUnsigned, int rd, int rn, int rm)
{
    emitMnemonic(isUnsigned ? "udiv" : "sdiv");
    emitThreeRegisters(rd, rn, rm);
}
