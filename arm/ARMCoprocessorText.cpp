// Coprocessor handlers 15-18.
//
// Each coprocessor handler is the dispatch point by coprocessor number: VFP
// (coprocessors 10 and 11, arm/VfpText.cpp and arm/VfpTransferText.cpp, never generic
// text), the XScale accumulator forms (coprocessor 0) and the generic syntax for the rest.
#include "arm/ARMInstructionSetDisassembler.h"

namespace {

bool isVfp(int coprocessor)
{
    return coprocessor == 10 || coprocessor == 11;
}

// The XScale processor model whose coprocessor 0 has the MIA multiply-accumulates.
constexpr int32_t xscaleModel = 28;

} // namespace

void ARMInstructionSetDisassembler::coprocessorLoadStore(bool unconditional, bool p, bool u,
                                                         bool d, bool w, bool l, int rn, int crd,
                                                         int coprocessor, uint32_t imm8)
{
    if (!isVfp(coprocessor))
        emitGenericCoprocessorLoadStore(unconditional, p, u, d, w, l, rn, crd, coprocessor,
                                        imm8);
    else if (unconditional)
        undefinedInstruction();
    else
        vfpLoadStore(p, u, d, w, l, rn, crd, coprocessor == 11, imm8);
}

void ARMInstructionSetDisassembler::coprocessorTwoRegisters(bool unconditional, bool l, int rt2,
                                                            int rt, int coprocessor, int opc1,
                                                            int crm)
{
    if (isVfp(coprocessor)) {
        if (unconditional)
            undefinedInstruction();
        else
            vfpTwoRegisters(l, rt2, rt, coprocessor == 11, opc1, crm);
    } else if (coprocessor == 0) {
        // Every two-register transfer on coprocessor 0 is MAR/MRA, whatever its opcode.
        xscaleAccumulatorTransfer(l, rt2, rt, crm);
    } else {
        emitGenericCoprocessorTwoRegisters(unconditional, l, rt2, rt, coprocessor, opc1, crm);
    }
}

void ARMInstructionSetDisassembler::coprocessorDataOperation(bool unconditional, int opc1,
                                                             int crn, int crd, int coprocessor,
                                                             int opc2, int crm)
{
    if (isVfp(coprocessor))
        vfpDataOperation(unconditional, opc1,
                         VfpFields{coprocessor == 11, crn, crd, crm, opc2, bool(opc1 & 4)});
    else
        emitGenericCoprocessorDataOperation(unconditional, opc1, crn, crd, coprocessor, opc2,
                                            crm);
}

void ARMInstructionSetDisassembler::coprocessorRegisterTransfer(bool unconditional, int opc1,
                                                                bool l, int crn, int rt,
                                                                int coprocessor, int opc2,
                                                                int crm)
{
    if (isVfp(coprocessor)) {
        if (unconditional)
            undefinedInstruction();
        else
            vfpRegisterTransfer(opc1, l, crn, rt, coprocessor == 11, opc2);
    } else if (coprocessor == 0 && !unconditional && processorModel == xscaleModel) {
        xscaleMultiplyAccumulate(crn, opc2, crm, rt);
    } else {
        emitGenericCoprocessorRegisterTransfer(unconditional, opc1, l, crn, rt, coprocessor,
                                               opc2, crm);
    }
}

// ---- XScale accumulator (coprocessor 0) ----

// MAR/MRA: MCRR/MRRC p0 with opc1 0; CRm numbers the accumulator.
void ARMInstructionSetDisassembler::xscaleAccumulatorTransfer(bool l, int rdHi, int rdLo,
                                                              int accumulator)
{
    emitMnemonic(l ? "mra" : "mar");
    emitCoreTransfer(l, rdLo, rdHi, [&] {
        emitText("acc");
        emitDecimal(uint32_t(accumulator));
    });
}

// MIA, MIAPH, MIAxy: MCR p0 with the opcode in CRn and the accumulator in opc2.
void ARMInstructionSetDisassembler::xscaleMultiplyAccumulate(int opcode, int accumulator,
                                                             int rm, int rs)
{
    static const char* const names[16] = {"mia", nullptr, nullptr, nullptr, nullptr, nullptr,
                                          nullptr, nullptr, "miaph", nullptr, nullptr, nullptr,
                                          "miabb", "miabt", "miatb", "miatt"};
    if (!names[opcode]) {
        undefinedInstruction();
        return;
    }
    emitMnemonic(names[opcode]);
    emitText(" acc");
    emitDecimal(uint32_t(accumulator));
    emitSeparator();
    emitRegister(rm);
    emitSeparator();
    emitRegister(rs);
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
    emitCoprocessorAddress(p, u, w, rn, imm8);
}

void ARMInstructionSetDisassembler::emitCoprocessorAddress(bool p, bool u, bool w, int rn,
                                                           uint32_t imm8)
{
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
