// Coprocessor handlers 15-18.
//
// Each coprocessor handler is the dispatch point by coprocessor number: VFP
// (coprocessors 10 and 11) and the XScale accumulator forms (coprocessor 0) get their
// own printers beside the generic syntax below; until then every number prints in the
// generic syntax.
#include "arm/ARMInstructionSetDisassembler.h"

void ARMInstructionSetDisassembler::coprocessorLoadStore(bool unconditional, bool p, bool u,
                                                         bool d, bool w, bool l, int rn, int crd,
                                                         int coprocessor, uint32_t imm8)
{
    emitGenericCoprocessorLoadStore(unconditional, p, u, d, w, l, rn, crd, coprocessor, imm8);
}

void ARMInstructionSetDisassembler::coprocessorTwoRegisters(bool unconditional, bool l, int rt2,
                                                            int rt, int coprocessor, int opc1,
                                                            int crm)
{
    emitGenericCoprocessorTwoRegisters(unconditional, l, rt2, rt, coprocessor, opc1, crm);
}

void ARMInstructionSetDisassembler::coprocessorDataOperation(bool unconditional, int opc1,
                                                             int crn, int crd, int coprocessor,
                                                             int opc2, int crm)
{
    emitGenericCoprocessorDataOperation(unconditional, opc1, crn, crd, coprocessor, opc2, crm);
}

void ARMInstructionSetDisassembler::coprocessorRegisterTransfer(bool unconditional, int opc1,
                                                                bool l, int crn, int rt,
                                                                int coprocessor, int opc2,
                                                                int crm)
{
    emitGenericCoprocessorRegisterTransfer(unconditional, opc1, l, crn, rt, coprocessor, opc2,
                                           crm);
}

// ---- generic coprocessor syntax ----

void ARMInstructionSetDisassembler::emitCoprocessorAndOpcode(int coprocessor, int opc1)
{
    emitText(" p");
    emitDecimal(uint32_t(coprocessor));
    emitSeparator();
    emitDecimal(uint32_t(opc1));
}

void ARMInstructionSetDisassembler::emitGenericCoprocessorLoadStore(bool unconditional, bool p,
                                                                    bool u, bool d, bool w,
                                                                    bool l, int rn, int crd,
                                                                    int coprocessor,
                                                                    uint32_t imm8)
{
    static const char* const suffixes[4] = {"", "l", "2", "2l"};
    emitSuffixedMnemonic(l ? "ldc" : "stc", suffixes[(unconditional ? 2 : 0) + (d ? 1 : 0)]);
    emitText(" p");
    emitDecimal(uint32_t(coprocessor));
    emitText(", c");
    emitDecimal(uint32_t(crd));
    emitSeparator();
    const uint32_t offset = imm8 * 4;
    if (rn == 15 && p) {
        if (!u && offset == 0) {
            emitText("[pc, #-0]");
        } else {
            // The PC reads 8 ahead in ARM state; in Thumb state it is the word-aligned
            // first-halfword address + 4 (`address` is the second halfword there).
            const uint32_t base = isArm ? address + 8 : (address + 2) & ~3u;
            targetAddress = u ? base + offset : base - offset;
            printTargetAddress();
        }
        return;
    }
    emitChar('[');
    emitRegister(rn);
    if (p) {
        emitText(", #");
    } else if (w) {
        emitText("], #");
    } else {
        emitText("], {");
        emitHex(imm8, 2, true);
        emitChar('}');
        return;
    }
    if (!u)
        emitChar('-');
    emitImmediate(offset);
    if (p) {
        emitChar(']');
        if (w)
            emitChar('!');
    }
}

void ARMInstructionSetDisassembler::emitGenericCoprocessorTwoRegisters(bool unconditional,
                                                                       bool l, int rt2, int rt,
                                                                       int coprocessor,
                                                                       int opc1, int crm)
{
    emitMnemonic(l ? "mrrc" : "mcrr");
    if (unconditional)
        emitChar('2');
    emitCoprocessorAndOpcode(coprocessor, opc1);
    emitSeparator();
    emitRegister(rt);
    emitSeparator();
    emitRegister(rt2);
    emitText(", c");
    emitDecimal(uint32_t(crm));
}

void ARMInstructionSetDisassembler::emitGenericCoprocessorDataOperation(bool unconditional,
                                                                        int opc1, int crn,
                                                                        int crd, int coprocessor,
                                                                        int opc2, int crm)
{
    emitMnemonic(unconditional ? "cdp2" : "cdp");
    emitCoprocessorAndOpcode(coprocessor, opc1);
    emitText(", c");
    emitDecimal(uint32_t(crd));
    emitText(", c");
    emitDecimal(uint32_t(crn));
    emitText(", c");
    emitDecimal(uint32_t(crm));
    emitSeparator();
    emitDecimal(uint32_t(opc2));
}

void ARMInstructionSetDisassembler::emitGenericCoprocessorRegisterTransfer(
    bool unconditional, int opc1, bool l, int crn, int rt, int coprocessor, int opc2, int crm)
{
    static const char* const names[4] = {"mcr", "mrc", "mcr2", "mrc2"};
    emitMnemonic(names[(unconditional ? 2 : 0) + (l ? 1 : 0)]);
    emitCoprocessorAndOpcode(coprocessor, opc1);
    emitSeparator();
    emitRegister(rt);
    emitText(", c");
    emitDecimal(uint32_t(crn));
    emitText(", c");
    emitDecimal(uint32_t(crm));
    if (opc2 != 0) {
        emitSeparator();
        emitDecimal(uint32_t(opc2));
    }
}
