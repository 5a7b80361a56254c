// Texts of the A32 loads and stores: word/byte, extra (halfword, signed, dual),
// multiple, swap, exclusive, and the preloads that share their address operands.
#include "arm/ARMInstructionSetDisassembler.h"

namespace {

// A PC-relative operand that subtracts nothing prints as "[pc, #-0]", not as a target.
bool isSubtractedZero(bool u, uint32_t offset)
{
    return !u && offset == 0;
}

// The single-register stack forms print as "push {rt}" and "pop {rt}".
bool isStackForm(bool p, bool u, bool b, bool w, bool l, int rn, uint32_t offset)
{
    if (rn != 13 || b || offset != 4)
        return false;
    return l ? (!p && u && !w) : (p && !u && w);
}

} // namespace

void ARMInstructionSetDisassembler::emitImmediateAddress(bool p, bool u, bool w,
                                                         bool unprivileged, int rn,
                                                         uint32_t offset, bool literalWordLoad)
{
    if (rn == 15 && p && !(u && offset == 0)) {
        if (isSubtractedZero(u, offset)) {
            emitText("[pc, #-0]");
            return;
        }
        const uint32_t target = u ? address + 8 + offset : address + 8 - offset;
        if (literalWordLoad) {
            literalAddresses.insert(target);
            uint32_t value;
            if (literalValue(target, value)) {
                emitChar('=');
                emitImmediate(value);
                return;
            }
        }
        emitText("[pc, #");
        if (!u)
            emitChar('-');
        emitImmediate(offset);
        emitChar(']');
        return;
    }
    emitChar('[');
    emitRegister(rn);
    if (offset != 0) {
        emitText(p ? ", #" : "], #");
        if (!u)
            emitChar('-');
        emitImmediate(offset);
        if (p)
            emitChar(']');
    } else {
        emitChar(']');
    }
    if (w && !unprivileged)
        emitChar('!');
}

void ARMInstructionSetDisassembler::emitRegisterAddress(bool p, bool u, bool w,
                                                        bool unprivileged, int rn,
                                                        int shiftAmount, int shiftType, int rm)
{
    emitChar('[');
    emitRegister(rn);
    emitText(p ? ", " : "], ");
    emitChar(u ? '+' : '-');
    emitRegister(rm);
    emitImmediateShift(shiftType, shiftAmount);
    if (p)
        emitChar(']');
    if (w && !unprivileged)
        emitChar('!');
}

void ARMInstructionSetDisassembler::emitWordByteMnemonic(bool l, bool b, bool unprivileged,
                                                         int rt)
{
    emitSuffixedMnemonic(l ? "ldr" : "str", b ? (unprivileged ? "bt" : "b")
                                              : (unprivileged ? "t" : ""));
    emitChar(' ');
    emitRegister(rt);
    emitSeparator();
}

void ARMInstructionSetDisassembler::loadStoreImmediate(bool p, bool u, bool b, bool w, bool l,
                                                       int rn, int rt, uint32_t imm12)
{
    if (isStackForm(p, u, b, w, l, rn, imm12)) {
        emitPushPop(l, 1u << rt);
        return;
    }
    const bool unprivileged = !p && w;
    emitWordByteMnemonic(l, b, unprivileged, rt);
    emitImmediateAddress(p, u, w, unprivileged, rn, imm12, l && !b);
}

void ARMInstructionSetDisassembler::loadStoreRegister(bool p, bool u, bool b, bool w, bool l,
                                                      int rn, int rt, int shiftAmount,
                                                      int shiftType, int rm)
{
    const bool unprivileged = !p && w;
    emitWordByteMnemonic(l, b, unprivileged, rt);
    emitRegisterAddress(p, u, w, unprivileged, rn, shiftAmount, shiftType, rm);
}

void ARMInstructionSetDisassembler::loadStoreExtra(bool p, bool u, bool i, bool w, bool l,
                                                   int rn, int rt, int imm4H, int op, int imm4L)
{
    const bool dual = !l && op >= 2;
    const bool unprivileged = !p && w;
    const char* suffix;
    if (op == 1)
        suffix = unprivileged ? "ht" : "h";
    else if (dual)
        suffix = "d";
    else if (op == 2)
        suffix = unprivileged ? "sbt" : "sb";
    else
        suffix = unprivileged ? "sht" : "sh";
    emitSuffixedMnemonic(l || op == 2 ? "ldr" : "str", suffix);
    emitChar(' ');
    emitRegister(rt);
    if (dual && unifiedSyntax) {
        // Legacy syntax names only the first register of the pair.
        emitSeparator();
        emitRegister(rt + 1);
    }
    emitSeparator();
    if (!i) {
        emitRegisterAddress(p, u, w, unprivileged, rn, 0, 0, imm4L);
        return;
    }
    const uint32_t offset = uint32_t(imm4H << 4 | imm4L);
    if (rn == 15 && p && !(u && offset == 0)) {
        if (isSubtractedZero(u, offset)) {
            emitText("[pc, #-0]");
        } else {
            targetAddress = u ? address + 8 + offset : address + 8 - offset;
            printTargetAddress();
        }
        if (w)
            emitChar('!');
        return;
    }
    emitImmediateAddress(p, u, w, unprivileged, rn, offset, false);
}

void ARMInstructionSetDisassembler::loadStoreMultiple(bool p, bool u, bool s, bool w, bool l,
                                                      int rn, uint32_t registerList)
{
    if (unifiedSyntax && rn == 13 && w && !s && (l ? (!p && u) : (p && !u))) {
        emitPushPop(l, registerList);
        return;
    }
    char mode[3] = {0, 0, 0};
    if (unifiedSyntax) {
        if (p || !u || s) {
            mode[0] = u ? 'i' : 'd';
            mode[1] = p ? 'b' : 'a';
        }
    } else if (rn == 13) {
        mode[0] = l == p ? 'e' : 'f';
        mode[1] = l == u ? 'd' : 'a';
    } else {
        mode[0] = u ? 'i' : 'd';
        mode[1] = p ? 'b' : 'a';
    }
    emitSuffixedMnemonic(l ? "ldm" : "stm", mode);
    emitBaseAndRegisterList(rn, w, registerList);
    if (s)
        emitChar('^');
}

void ARMInstructionSetDisassembler::swap(bool b, int rn, int rt, int rt2)
{
    emitSuffixedMnemonic("swp", b ? "b" : "");
    emitChar(' ');
    emitRegister(rt);
    emitSeparator();
    emitRegister(rt2);
    emitText(", [");
    emitRegister(rn);
    emitChar(']');
}

void ARMInstructionSetDisassembler::exclusive(int op, int rn, int rd, int rt)
{
    static const char* const names[8] = {"strex", "ldrex", "strexd", "ldrexd",
                                         "strexb", "ldrexb", "strexh", "ldrexh"};
    const bool load = op & 1, dual = op == 2 || op == 3;
    emitMnemonic(names[op & 7]);
    emitChar(' ');
    emitRegister(rd);
    if (!load) {
        emitSeparator();
        emitRegister(rt);
    }
    if (dual) {
        emitSeparator();
        emitRegister((load ? rd : rt) + 1);
    }
    emitText(", [");
    emitRegister(rn);
    emitChar(']');
}

void ARMInstructionSetDisassembler::preload(bool instruction, bool registerForm, bool u, int rn,
                                            uint32_t imm12, int shiftAmount, int shiftType,
                                            int rm)
{
    emitMnemonic(instruction ? "pli" : "pld");
    emitChar(' ');
    if (registerForm)
        emitRegisterAddress(true, u, false, false, rn, shiftAmount, shiftType, rm);
    else
        emitImmediateAddress(true, u, false, false, rn, imm12, false);
}
