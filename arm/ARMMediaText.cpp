// Texts of the media forms (packing, saturation, reversal, extends, bit fields, wide
// moves) and of the saturating and parallel arithmetic shared with Thumb.
#include "arm/ARMInstructionSetDisassembler.h"

void ARMInstructionSetDisassembler::saturatingAddSubtract(int op, int rd, int rn, int rm)
{
    static const char* const names[4] = {"qadd", "qsub", "qdadd", "qdsub"};
    emitMnemonic(names[op & 3]);
    emitThreeRegisters(rd, rm, rn);
}

void ARMInstructionSetDisassembler::parallelAddSubtract(int prefix, int op, int rd, int rn,
                                                        int rm)
{
    static const char* const prefixes[8] = {nullptr, "s", "q", "sh", nullptr, "u", "uq", "uh"};
    static const char* const unifiedOps[8] = {"add16", "asx", "sax", "sub16",
                                              "add8", nullptr, nullptr, "sub8"};
    static const char* const legacyOps[8] = {"add16", "addsubx", "subaddx", "sub16",
                                             "add8", nullptr, nullptr, "sub8"};
    const char* first = prefixes[prefix & 7];
    const char* second = (unifiedSyntax ? unifiedOps : legacyOps)[op & 7];
    if (first && second) {
        emitText(first);
        emitMnemonic(second);
    } else {
        emitMnemonic("????");
    }
    emitThreeRegisters(rd, rn, rm);
}

void ARMInstructionSetDisassembler::extend(int op, int rd, int rn, int rm, int rotation)
{
    static const char* const accumulating[8] = {"sxtab16", "????", "sxtab", "sxtah",
                                                "uxtab16", "????", "uxtab", "uxtah"};
    static const char* const plain[8] = {"sxtb16", "????", "sxtb", "sxth",
                                         "uxtb16", "????", "uxtb", "uxth"};
    if (rn == 15) {
        emitMnemonic(plain[op & 7]);
        emitChar(' ');
        emitRegister(rd);
        emitSeparator();
        emitRegister(rm);
    } else {
        emitMnemonic(accumulating[op & 7]);
        emitThreeRegisters(rd, rn, rm);
    }
    if (rotation != 0) {
        emitText(", ror #");
        emitDecimal(uint32_t(rotation) * 8);
    }
}

void ARMInstructionSetDisassembler::packHalfword(bool tb, int rd, int rn, int rm,
                                                 int shiftAmount)
{
    emitMnemonic(tb ? "pkhtb" : "pkhbt");
    emitThreeRegisters(rd, rn, rm);
    if (tb) {
        // An encoded ASR amount of 0 shifts by 32; without it the text would assemble as PKHBT.
        emitText(", asr #");
        emitDecimal(shiftAmount ? uint32_t(shiftAmount) : 32);
    } else if (shiftAmount != 0) {
        emitText(", lsl #");
        emitDecimal(uint32_t(shiftAmount));
    }
}

void ARMInstructionSetDisassembler::emitSaturate(const char* name, bool isUnsigned, int rd,
                                                 int saturateTo, int rn)
{
    emitMnemonic(name);
    emitChar(' ');
    emitRegister(rd);
    emitText(", #");
    emitDecimal(uint32_t(saturateTo + (isUnsigned ? 0 : 1)));
    emitSeparator();
    emitRegister(rn);
}

void ARMInstructionSetDisassembler::saturate(bool isUnsigned, int rd, int saturateTo, int rn,
                                             bool sh, int shiftAmount)
{
    emitSaturate(isUnsigned ? "usat" : "ssat", isUnsigned, rd, saturateTo, rn);
    if (sh) {
        // As for PKHTB, an ASR amount of 0 is a shift by 32 ("asr #0" would assemble as no shift).
        emitText(", asr #");
        emitDecimal(shiftAmount ? uint32_t(shiftAmount) : 32);
    } else if (shiftAmount != 0) {
        emitText(", lsl #");
        emitDecimal(uint32_t(shiftAmount));
    }
}

void ARMInstructionSetDisassembler::saturate16(bool isUnsigned, int rd, int saturateTo, int rn)
{
    emitSaturate(isUnsigned ? "usat16" : "ssat16", isUnsigned, rd, saturateTo, rn);
}

void ARMInstructionSetDisassembler::selectBytes(int rd, int rn, int rm)
{
    emitMnemonic("sel");
    emitThreeRegisters(rd, rn, rm);
}

void ARMInstructionSetDisassembler::byteReverse(int op, int rd, int rm)
{
    static const char* const names[4] = {"rev", "rev16", "???", "revsh"};
    emitMnemonic(names[op & 3]);
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    emitRegister(rm);
}

void ARMInstructionSetDisassembler::reverseBits(int rd, int rm)
{
    emitMnemonic("rbit");
    emitChar(' ');
    emitRegister(rd);
    emitText(" ,");
    emitRegister(rm);
}

// Positions and widths are always decimal; a width below 1 (msb under lsb) keeps its sign.
void ARMInstructionSetDisassembler::bitFieldClearInsert(int rd, int rn, int lsb, int msb)
{
    emitMnemonic(rn == 15 ? "bfc" : "bfi");
    emitChar(' ');
    emitRegister(rd);
    if (rn != 15) {
        emitSeparator();
        emitRegister(rn);
    }
    emitText(", #");
    emitDecimal(uint32_t(lsb));
    emitText(", #");
    const int width = msb + 1 - lsb;
    if (width < 0)
        emitChar('-');
    emitDecimal(uint32_t(width < 0 ? -width : width));
}

void ARMInstructionSetDisassembler::bitFieldExtract(bool isUnsigned, int rd, int rn, int lsb,
                                                    int widthMinus1)
{
    emitMnemonic(isUnsigned ? "ubfx" : "sbfx");
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    emitRegister(rn);
    emitText(", #");
    emitDecimal(uint32_t(lsb));
    emitText(", #");
    emitDecimal(uint32_t(widthMinus1 + 1));
}

void ARMInstructionSetDisassembler::moveWide(bool top, int rd, uint32_t imm16)
{
    emitMnemonic(top ? "movt" : "movw");
    emitChar(' ');
    emitRegister(rd);
    emitText(", #");
    emitImmediate(imm16);
}
