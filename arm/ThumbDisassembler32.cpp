// Texts of the T32 forms (handlers 98-135). They print unified names in both syntaxes;
// ".w" is added where a 16-bit encoding of the same text exists, so that an assembler
// chooses the original width again.
#include "arm/ARMInstructionSetDisassembler.h"
#include <cstdio>

namespace {

// T32 data-processing opcodes (bits 8:5 of the first half); null where unallocated.
const char* const names[16] = {
    "and", "bic", "orr", "orn", "eor", nullptr, nullptr, nullptr,
    "add", nullptr, "adc", "sbc", nullptr, "sub", "rsb", nullptr};
const char* const flagNames[16] = {
    "ands", "bics", "orrs", "orns", "eors", nullptr, nullptr, nullptr,
    "adds", nullptr, "adcs", "sbcs", nullptr, "subs", "rsbs", nullptr};
enum { opAnd = 0, opOrr = 2, opOrn = 3, opEor = 4, opPack = 6, opAdd = 8, opSub = 13,
       opRsb = 14 };

uint32_t rotateRight(uint32_t value, int amount)
{
    amount &= 31;
    return amount == 0 ? value : (value >> amount | value << (32 - amount));
}

// ThumbExpandImm of the 12-bit i:imm3:imm8 field.
uint32_t expandModifiedImmediate(uint32_t imm12)
{
    const uint32_t imm8 = imm12 & 0xFF;
    if ((imm12 >> 10) != 0)
        return rotateRight(0x80 | (imm12 & 0x7F), imm12 >> 7);
    switch ((imm12 >> 8) & 3) {
    case 0: return imm8;
    case 1: return imm8 << 16 | imm8;
    case 2: return imm8 << 24 | imm8 << 8;
    default: return imm8 * 0x01010101u;
    }
}

// Compare and test forms: AND, EOR, ADD, SUB with S set and no destination.
const char* comparisonName(int op)
{
    switch (op) {
    case opAnd: return "tst";
    case opEor: return "teq";
    case opAdd: return "cmn";
    case opSub: return "cmp";
    default: return nullptr;
    }
}

} // namespace

// The T32 data-processing name (compare, test and move forms included), then "Rd, " and
// "Rn, " where the form has them. `immediate`: ".w" only where a 16-bit immediate form
// with the same text exists; register forms always print it.
void ARMInstructionSetDisassembler::emitT32DataProcessingPrefix(int op, bool s, int rn, int rd,
                                                               bool immediate)
{
    const char* comparison = s && rd == 15 ? comparisonName(op) : nullptr;
    const bool noFirstOperand = (op == opOrr || op == opOrn) && rn == 15;
    const char* name = s ? flagNames[op] : names[op];
    if (comparison)
        name = comparison;
    else if (noFirstOperand)
        name = op == opOrr ? (s ? "movs" : "mov") : (s ? "mvns" : "mvn");
    bool wide = true;
    if (immediate && name) {
        wide = comparison ? op == opSub
                          : op == opAdd || op == opSub || op == opRsb || (op == opOrr && noFirstOperand);
    }
    emitMnemonic(name ? name : "????", wide);
    emitChar(' ');
    if (!comparison) {
        emitRegister(rd);
        emitSeparator();
    }
    if (!noFirstOperand) {
        emitRegister(rn);
        emitSeparator();
    }
}

void ARMInstructionSetDisassembler::dataProcessingModifiedImmediate(int op, bool s, int rn,
                                                                   int rd, uint32_t imm12)
{
    emitT32DataProcessingPrefix(op, s, rn, rd, true);
    emitChar('#');
    emitImmediate(expandModifiedImmediate(imm12));
}

void ARMInstructionSetDisassembler::addSubtractWideImmediate(bool sub, int rn, int rd,
                                                            uint32_t imm12)
{
    if (rn == 15 && sub && imm12 == 0) {
        emitMnemonic("sub");
        emitChar(' ');
        emitRegister(rd);
        emitText(", pc, #0");
        return;
    }
    if (rn == 15) {
        emitMnemonic("adr", true);
        emitChar(' ');
        emitRegister(rd);
        emitSeparator();
        const uint32_t base = (address + 2) & ~3u;
        targetAddress = sub ? base - imm12 : base + imm12;
        printTargetAddress();
        return;
    }
    emitMnemonic(sub ? "subw" : "addw");
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    emitRegister(rn);
    emitText(", #");
    emitImmediate(imm12);
}

void ARMInstructionSetDisassembler::moveWide32(bool top, int rd, uint32_t imm16)
{
    moveWide(top, rd, imm16);
}

void ARMInstructionSetDisassembler::saturateBitField32(int op, int rn, int rd, int imm5,
                                                      int low5)
{
    const bool isUnsigned = op >= 0xC;
    switch (op) {
    case 0x8: case 0xC:
        saturate(isUnsigned, rd, low5, rn, false, imm5);
        return;
    case 0x9: case 0xD:
        if (imm5 == 0)
            saturate16(isUnsigned, rd, low5 & 0xF, rn);
        else
            saturate(isUnsigned, rd, low5, rn, true, imm5);
        return;
    case 0xA: case 0xE:
        bitFieldExtract(isUnsigned, rd, rn, imm5, low5);
        return;
    case 0xB:
        bitFieldClearInsert(rd, rn, imm5, low5);
        return;
    default:
        emitText("????");
        return;
    }
}

void ARMInstructionSetDisassembler::dataProcessingShiftedRegister32(int op, bool s, int rn,
                                                                   int rd, int shiftAmount,
                                                                   int shiftType, int rm)
{
    if (op == opPack) {
        packHalfword(shiftType & 2, rd, rn, rm, shiftAmount);
        return;
    }
    if (op == opOrr && rn == 15) {
        // MOV with a shift is the shift instruction.
        if (shiftAmount == 0 && shiftType == 0) {
            emitMnemonic(s ? "movs" : "mov", true);
        } else if (shiftAmount == 0 && shiftType == 3) {
            emitMnemonic(s ? "rrxs" : "rrx", true);
        } else {
            emitMnemonic(s ? flagShiftNames[shiftType] : shiftNames[shiftType], true);
            emitChar(' ');
            emitRegister(rd);
            emitSeparator();
            emitRegister(rm);
            emitText(", #");
            emitImmediate(shiftAmount == 0 ? 32 : shiftAmount);
            return;
        }
        emitChar(' ');
        emitRegister(rd);
        emitSeparator();
        emitRegister(rm);
        return;
    }
    emitT32DataProcessingPrefix(op, s, rn, rd, false);
    emitRegister(rm);
    emitImmediateShift(shiftType, shiftAmount);
}

void ARMInstructionSetDisassembler::shiftRegister32(int shiftType, bool s, int rn, int rd,
                                                   int rm)
{
    emitMnemonic(s ? flagShiftNames[shiftType] : shiftNames[shiftType], true);
    emitThreeRegisters(rd, rn, rm);
}

void ARMInstructionSetDisassembler::divide32(bool isUnsigned, int rn, int rd, int rm)
{
    divide(isUnsigned, rd, rn, rm);
}

// ldr/str with size and sign ("strsb" and "strsh" for the sign bit on a store), "t" for
// the unprivileged forms, then the condition and ".w".
void ARMInstructionSetDisassembler::emitT32LoadStoreMnemonic(int size, bool isSigned, bool l,
                                                            bool unprivileged, bool wide)
{
    static const char* const sizes[3] = {"b", "h", ""};
    char name[12];
    if (size > 2 || (isSigned && size == 2)) {
        emitText("????");
        return;
    }
    snprintf(name, sizeof name, "%s%s%s%s", l ? "ldr" : "str", isSigned ? "s" : "",
             sizes[size], unprivileged ? "t" : "");
    emitMnemonic(name, wide);
}

// " Rt, [Rn", then `between`, the offset and `after`: the T32 immediate-offset operands.
void ARMInstructionSetDisassembler::emitT32LoadStoreOperands(int rt, int rn, const char* between,
                                                             uint32_t offset, const char* after)
{
    emitChar(' ');
    emitRegister(rt);
    emitText(", [");
    emitRegister(rn);
    emitText(between);
    emitImmediate(offset);
    emitText(after);
}

void ARMInstructionSetDisassembler::loadLiteral32(int size, bool isSigned, bool u, int rt,
                                                 uint32_t imm12)
{
    const uint32_t base = (address + 2) & ~3u;
    const uint32_t literalAddress = u ? base + imm12 : base - imm12;
    literalAddresses.insert(literalAddress);
    emitT32LoadStoreMnemonic(size, isSigned, true, false, size == 2 && !isSigned);
    emitChar(' ');
    emitRegister(rt);
    emitSeparator();
    uint32_t value = 0;
    if (size == 2 && literalValue(literalAddress, value)) {
        emitChar('=');
        emitHex(value, 8, true);
        return;
    }
    if (!u && imm12 == 0) {
        emitText("[pc, #-0]");
        return;
    }
    emitText(u ? "[pc, #" : "[pc, #-");
    emitImmediate(imm12);
    emitChar(']');
}

void ARMInstructionSetDisassembler::loadStorePositiveImmediate32(int size, bool isSigned,
                                                                bool l, int rn, int rt,
                                                                uint32_t imm12)
{
    emitT32LoadStoreMnemonic(size, isSigned, l, false, true);
    emitT32LoadStoreOperands(rt, rn, ", #", imm12, "]");
}

void ARMInstructionSetDisassembler::loadStoreNegativeImmediate32(int size, bool isSigned,
                                                                bool l, int rn, int rt,
                                                                uint32_t imm8)
{
    emitT32LoadStoreMnemonic(size, isSigned, l, false, false);
    emitT32LoadStoreOperands(rt, rn, ", #-", imm8, "]");
}

void ARMInstructionSetDisassembler::loadStoreUnprivileged32(int size, bool isSigned, bool l,
                                                           int rn, int rt, uint32_t imm8)
{
    emitT32LoadStoreMnemonic(size, isSigned, l, true, false);
    emitT32LoadStoreOperands(rt, rn, ", #", imm8, "]");
}

void ARMInstructionSetDisassembler::loadStorePostIndexed32(int size, bool isSigned, bool l,
                                                          bool u, int rn, int rt,
                                                          uint32_t imm8)
{
    if (size == 2 && !isSigned && l && u && rn == 13 && imm8 == 4) {
        emitPushPop(true, 1u << rt, true);
        return;
    }
    emitT32LoadStoreMnemonic(size, isSigned, l, false, false);
    emitT32LoadStoreOperands(rt, rn, u ? "], #" : "], #-", imm8, "");
}

void ARMInstructionSetDisassembler::loadStorePreIndexed32(int size, bool isSigned, bool l,
                                                         bool u, int rn, int rt, uint32_t imm8)
{
    if (size == 2 && !isSigned && !l && !u && rn == 13 && imm8 == 4) {
        emitPushPop(false, 1u << rt, true);
        return;
    }
    emitT32LoadStoreMnemonic(size, isSigned, l, false, false);
    emitT32LoadStoreOperands(rt, rn, u ? ", #" : ", #-", imm8, "]!");
}

void ARMInstructionSetDisassembler::loadStoreRegister32(int size, bool isSigned, bool l, int rn,
                                                       int rt, int shiftAmount, int rm)
{
    emitT32LoadStoreMnemonic(size, isSigned, l, false, true);
    emitChar(' ');
    emitRegister(rt);
    emitSeparator();
    emitRegisterOffsetAddress(rn, rm, shiftAmount);
}

// "pld [Rn" or "pli [Rn", then `between`, the offset and "]".
void ARMInstructionSetDisassembler::emitT32Preload(bool instruction, int rn, const char* between,
                                                   uint32_t offset)
{
    emitMnemonic(instruction ? "pli" : "pld");
    emitText(" [");
    emitRegister(rn);
    emitText(between);
    emitImmediate(offset);
    emitChar(']');
}

void ARMInstructionSetDisassembler::preloadLiteral32(bool instruction, bool u, uint32_t imm12)
{
    emitT32Preload(instruction, 15, u ? ", #" : ", #-", imm12);
}

void ARMInstructionSetDisassembler::preloadPositive32(bool instruction, int rn, uint32_t imm12)
{
    emitT32Preload(instruction, rn, ", #+", imm12);
}

void ARMInstructionSetDisassembler::preloadNegative32(bool instruction, int rn, uint32_t imm8)
{
    emitT32Preload(instruction, rn, ", #-", imm8);
}

void ARMInstructionSetDisassembler::preloadRegister32(bool instruction, int rn, int shiftAmount,
                                                     int rm)
{
    emitMnemonic(instruction ? "pli" : "pld");
    emitChar(' ');
    emitRegisterOffsetAddress(rn, rm, shiftAmount);
}

void ARMInstructionSetDisassembler::loadStoreDual32(bool p, bool u, bool w, bool l, int rn,
                                                   int rt, int rt2, uint32_t imm8)
{
    const uint32_t offset = imm8 * 4;
    emitMnemonic(l ? "ldrd" : "strd");
    emitChar(' ');
    emitRegister(rt);
    emitSeparator();
    emitRegister(rt2);
    emitSeparator();
    if (rn == 15 && p && !w) {
        if (!u && offset == 0) {
            emitText("[pc, #-0]");
            return;
        }
        const uint32_t base = (address + 2) & ~3u;
        targetAddress = u ? base + offset : base - offset;
        printTargetAddress();
        return;
    }
    emitChar('[');
    emitRegister(rn);
    emitText(p ? ", #" : "], #");
    if (!u)
        emitChar('-');
    emitImmediate(offset);
    if (p)
        emitText(w ? "]!" : "]");
}

void ARMInstructionSetDisassembler::exclusiveWord32(bool l, int rn, int rt, int rd,
                                                   uint32_t imm8)
{
    emitMnemonic(l ? "ldrex" : "strex");
    emitChar(' ');
    if (!l) {
        emitRegister(rd);
        emitSeparator();
    }
    emitRegister(rt);
    emitText(", [");
    emitRegister(rn);
    if (imm8 != 0) {
        emitText(", #");
        emitImmediate(imm8 * 4);
    }
    emitChar(']');
}

void ARMInstructionSetDisassembler::tableBranchExclusive32(int op, bool l, int rn, int rt,
                                                          int rt2, int rdOrRm)
{
    if (l && op <= 1) {
        emitMnemonic(op == 0 ? "tbb" : "tbh");
        emitText(" [");
        emitRegister(rn);
        emitSeparator();
        emitRegister(rdOrRm);
        emitText(op == 0 ? "]" : ", lsl #1]");
        return;
    }
    static const char* const loads[8] = {nullptr, nullptr, nullptr, nullptr,
                                         "ldrexb", "ldrexh", nullptr, "ldrexd"};
    static const char* const stores[8] = {nullptr, nullptr, nullptr, nullptr,
                                          "strexb", "strexh", nullptr, "strexd"};
    const char* name = (l ? loads : stores)[op & 7];
    if (!name || op > 7) {
        undefinedInstruction32();
        return;
    }
    emitMnemonic(name);
    emitChar(' ');
    if (!l) {
        emitRegister(rdOrRm);
        emitSeparator();
    }
    emitRegister(rt);
    if (op == 7) {
        emitSeparator();
        emitRegister(rt2);
    }
    emitText(", [");
    emitRegister(rn);
    emitChar(']');
}

void ARMInstructionSetDisassembler::loadStoreMultiple32(int op, bool w, bool l, int rn,
                                                       uint32_t registerList)
{
    const bool increment = op == 1;
    if (rn == 13 && w && l == increment) {
        emitPushPop(l, registerList, true);
        return;
    }
    emitMnemonic(l ? (increment ? "ldm" : "ldmdb") : (increment ? "stm" : "stmdb"));
    emitBaseAndRegisterList(rn, w, registerList);
}

void ARMInstructionSetDisassembler::returnFromException32(bool decrementBefore, bool w, int rn)
{
    emitMnemonic(decrementBefore ? "rfedb" : "rfeia");
    emitChar(' ');
    emitRegister(rn);
    if (w)
        emitChar('!');
}

void ARMInstructionSetDisassembler::storeReturnState32(bool decrementBefore, bool w, int mode)
{
    emitMnemonic(decrementBefore ? "srsdb" : "srsia");
    emitText(w ? " sp!, #" : " sp, #");
    emitImmediate(mode);
}

void ARMInstructionSetDisassembler::branch32(int32_t offset)
{
    emitMnemonic("b", true);
    emitChar(' ');
    targetAddress = address + 2 + offset;
    printTargetAddress();
}

void ARMInstructionSetDisassembler::branchLink32(int32_t offset)
{
    emitMnemonic("bl");
    emitChar(' ');
    targetAddress = address + 2 + offset;
    printTargetAddress();
}

void ARMInstructionSetDisassembler::branchLinkExchange32(int32_t offset)
{
    emitMnemonic("blx");
    emitChar(' ');
    // The offset's bit 1 (H) is not part of an ARM-state target.
    targetAddress = (((address + 2) & ~3u) + offset) & ~3u;
    printTargetAddress();
}

void ARMInstructionSetDisassembler::conditionalBranch32(int cond, int32_t offset)
{
    emitChar('b');
    emitText(conditionNames[cond]);
    emitText(".w ");
    targetAddress = address + 2 + offset;
    printTargetAddress();
}

// The M profiles name special registers by SYSm; the A/R profiles use CPSR/SPSR. An
// unrestricted level takes the M form unless the encoding only makes sense as A/R.
bool ARMInstructionSetDisassembler::isMProfileStatusAccess(bool r, bool banked, int mask) const
{
    switch (level) {
    case ArchV6M: case ArchV7M: case ArchV7EM: case ArchV8MBaseline: case ArchV8MMainline:
        return true;
    case ArchUnrestricted:
        return !r && !banked && (mask & 3) == 0;
    default:
        return false;
    }
}

void ARMInstructionSetDisassembler::emitSpecialRegister(int sysm)
{
    static const char* const low[21] = {
        "apsr", "iapsr", "eapsr", "xpsr", nullptr, "ipsr", "epsr", "iepsr", "msp", "psp",
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        "primask", "basepri", "basepri_max", "faultmask", "control"};
    if (sysm < 21 && low[sysm])
        emitText(low[sysm]);
    else if (sysm == 136)
        emitText("msp_ns");
    else if (sysm == 137)
        emitText("psp_ns");
    else
        emitDecimal(sysm);
}

void ARMInstructionSetDisassembler::moveToStatus32(bool r, int mask, int rn, int sysm,
                                                  bool banked)
{
    if (!isMProfileStatusAccess(r, banked, mask)) {
        moveToStatusRegister(r, banked, mask, (sysm >> 4 & 1) << 4 | mask, rn);
        return;
    }
    emitMnemonic("msr");
    emitChar(' ');
    emitSpecialRegister(sysm);
    if (sysm < 8 && sysm != 4) {
        static const char* const masks[4] = {"", "_g", "_nzcvq", "_nzcvqg"};
        emitText(masks[mask >> 2 & 3]);
    }
    emitSeparator();
    emitRegister(rn);
}

void ARMInstructionSetDisassembler::moveFromStatus32(bool r, int rn, int rd, int sysm,
                                                     bool banked)
{
    if (!isMProfileStatusAccess(r, banked, 0)) {
        moveFromStatus(r, banked, (sysm >> 4 & 1) << 4 | rn, rd);
        return;
    }
    emitMnemonic("mrs");
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    emitSpecialRegister(sysm);
}

void ARMInstructionSetDisassembler::changeProcessorState32(int imod, bool m, bool a, bool i,
                                                          bool f, int mode)
{
    emitText("cps");
    if (imod < 2) {
        emitText(" #");
        emitImmediate(mode);
        return;
    }
    emitText(imod == 2 ? "ie.w " : "id.w ");
    if (a)
        emitChar('a');
    if (i)
        emitChar('i');
    if (f)
        emitChar('f');
    if (m) {
        emitText(", #");
        emitImmediate(mode);
    }
}

void ARMInstructionSetDisassembler::branchExchangeJazelle32(int rm)
{
    emitMnemonic("bxj");
    emitChar(' ');
    emitRegister(rm);
}

void ARMInstructionSetDisassembler::exceptionReturnSubtract32(int rn, uint32_t imm8)
{
    emitMnemonic("subs");
    emitText(" pc, ");
    emitRegister(rn);
    emitText(", #");
    emitImmediate(imm8);
}

void ARMInstructionSetDisassembler::undefinedInstruction32()
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::secureGateway()
{
    emitText("sg");
}

void ARMInstructionSetDisassembler::testTarget(bool a, bool t, int rn, int rd)
{
    emitMnemonic(a ? (t ? "ttat" : "tta") : (t ? "ttt" : "tt"));
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    emitRegister(rn);
}

void ARMInstructionSetDisassembler::loadAcquireStoreRelease(bool l, int op, int rn, int rt,
                                                           int rd)
{
    // By bits 7:4 of the second half: 8 byte, 9 halfword, 10 word, 12-14 the exclusives.
    static const char* const loads[8] = {"ldab", "ldah", "lda", nullptr,
                                         "ldaexb", "ldaexh", "ldaex", nullptr};
    static const char* const stores[8] = {"stlb", "stlh", "stl", nullptr,
                                          "stlexb", "stlexh", "stlex", nullptr};
    const char* name = (l ? loads : stores)[op & 7];
    if (!name) {
        emitText("???");
        return;
    }
    emitMnemonic(name);
    emitChar(' ');
    if (!l && (op & 4)) {
        emitRegister(rd);
        emitSeparator();
    }
    emitRegister(rt);
    emitText(", [");
    emitRegister(rn);
    emitChar(']');
}
