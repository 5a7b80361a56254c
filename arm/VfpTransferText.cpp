// VFP loads and stores and the transfers between core and VFP registers (coprocessors
// 10 and 11 in the LDC/STC, MCRR/MRRC and MCR/MRC spaces), with the Advanced SIMD
// scalar moves and duplications that share the MCR/MRC space of coprocessor 11.
#include "arm/ARMInstructionSetDisassembler.h"

namespace {

bool isBit(int value, int n)
{
    return (value >> n) & 1;
}

} // namespace

void ARMInstructionSetDisassembler::vfpLoadStore(bool p, bool u, bool dBit, bool w, bool l,
                                                int rn, int crd, bool dbl, uint32_t imm8)
{
    if (!p || w) {
        vfpLoadStoreMultiple(p, u, dBit, w, l, rn, crd, dbl, imm8);
        return;
    }
    emitVfpMnemonic(l ? "fld" : "fst", l ? "vldr" : "vstr", dbl ? 'd' : 's', "");
    emitVfpRegisters({vfpRegister(dbl, crd, dBit)});
    emitSeparator();
    emitCoprocessorAddress(true, u, false, rn, imm8);
}

// VLDM/VSTM: increment after (P clear, U set) or decrement before with writeback;
// imm8 counts words, so an odd count on doubles is the FLDMX/FSTMX format ("x").
void ARMInstructionSetDisassembler::vfpLoadStoreMultiple(bool p, bool u, bool dBit, bool w,
                                                        bool l, int rn, int crd, bool dbl,
                                                        uint32_t imm8)
{
    if (p == u || (p && !w)) {
        undefinedInstruction();
        return;
    }
    const VfpRegister first = vfpRegister(dbl, crd, dBit);
    const int count = int(dbl ? imm8 / 2 : imm8);
    if (count == 0 || first.number + count > 32) {
        emitText("invalid register list");
        return;
    }
    const bool stack = rn == 13;
    if (unifiedSyntax && stack && w && p != l) {
        emitMnemonic(l ? "vpop" : "vpush");
    } else {
        static const char* const names[2][2][2] = {
            {{"fstmia", "fstmdb"}, {"fstmea", "fstmfd"}},
            {{"fldmia", "fldmdb"}, {"fldmfd", "fldmea"}}};
        static const char* const unifiedNames[2][2] = {{"vstmia", "vstmdb"},
                                                       {"vldmia", "vldmdb"}};
        const char precision = !dbl ? 's' : (imm8 & 1) ? 'x' : 'd';
        emitVfpMnemonic(names[l][stack][p], unifiedNames[l][p], precision, "");
        emitChar(' ');
        emitRegister(rn);
        if (w)
            emitChar('!');
        emitChar(',');
    }
    emitText(" {");
    emitVfpRegister(first);
    if (count > 1) {
        emitChar('-');
        emitVfpRegister({dbl, first.number + count - 1});
    }
    emitChar('}');
}

// VMOV between two core registers and two singles or one double; opc1 is bits 7:4
// (0, 0, M, 1).
void ARMInstructionSetDisassembler::vfpTwoRegisters(bool l, int rt2, int rt, bool dbl,
                                                   int opc1, int crm)
{
    const VfpRegister m = vfpRegister(dbl, crm, isBit(opc1, 1));
    if ((opc1 & 0xD) != 1 || (!dbl && m.number == 31)) {
        undefinedInstruction();
        return;
    }
    if (unifiedSyntax)
        emitMnemonic("vmov");
    else
        emitMnemonic(dbl ? (l ? "fmrrd" : "fmdrr") : (l ? "fmrrs" : "fmsrr"));
    const bool braces = !unifiedSyntax && !dbl;
    emitCoreTransfer(l, rt, rt2, [&] {
        emitText(braces ? "{" : "");
        emitVfpRegister(m);
        if (!dbl) {
            emitSeparator();
            emitVfpRegister({false, m.number + 1});
        }
        emitText(braces ? "}" : "");
    });
}

// The MCR/MRC space: opc1 is bits 23:21, opc2 bits 7:5 (N and the scalar index bits).
void ARMInstructionSetDisassembler::vfpRegisterTransfer(int opc1, bool l, int crn, int rt,
                                                       bool dbl, int opc2)
{
    if (dbl) {
        vfpScalarTransfer(opc1, l, crn, rt, opc2);
    } else if (opc1 == 7) {
        vfpSystemRegisterTransfer(l, crn, rt);
    } else if (opc1 == 0) {
        emitMnemonic(unifiedSyntax ? "vmov" : l ? "fmrs" : "fmsr");
        const VfpRegister s = vfpRegister(false, crn, isBit(opc2, 2));
        emitCoreTransfer(l, rt, -1, [&] { emitVfpRegister(s); });
    } else {
        undefinedInstruction();
    }
}

void ARMInstructionSetDisassembler::vfpSystemRegisterTransfer(bool l, int crn, int rt)
{
    if (l && rt == 15) {
        emitMnemonic("fmstat");
        return;
    }
    const char* name = crn == 0 ? "fpsid" : crn == 1 ? "fpscr" : crn == 8 ? "fpexc" : "?????";
    emitMnemonic(unifiedSyntax ? (l ? "vmrs" : "vmsr") : (l ? "fmrx" : "fmxr"));
    emitCoreTransfer(l, rt, -1, [&] { emitText(name); });
}

// Coprocessor 11: a 32-bit half of a double (VFP), or the Advanced SIMD 8- and 16-bit
// scalar moves and VDUP. Scalar selector opc1<1:0>:opc2<1:0>: 1xxx bytes, 0xx1
// halfwords, 0x00 words.
void ARMInstructionSetDisassembler::vfpScalarTransfer(int opc1, bool l, int crn, int rt,
                                                     int opc2)
{
    const VfpRegister d = vfpRegister(true, crn, isBit(opc2, 2));
    const int selector = (opc1 & 3) << 2 | (opc2 & 3);
    const bool high = isBit(opc1, 2);   // U for reads, VDUP for writes
    if (!l && high) {
        simdDuplicate(isBit(opc1, 1) << 1 | isBit(opc2, 0), isBit(opc1, 0), d, rt, opc2);
        return;
    }
    const bool bytes = isBit(selector, 3), word = (selector & 0xB) == 0;
    if (word && !high) {
        const int half = selector >> 2;
        if (unifiedSyntax)
            emitMnemonic("vmov");
        else
            emitMnemonic(l ? (half ? "fmrdh" : "fmrdl") : (half ? "fmdhr" : "fmdlr"));
        emitCoreTransfer(l, rt, -1, [&] { emitScalar(d, unifiedSyntax ? half : -1); });
        return;
    }
    if ((!bytes && !isBit(selector, 0)) || !admits().advancedSimd) {
        undefinedInstruction();
        return;
    }
    // 8-bit: index selector<2:0>; 16-bit: index selector<2:1>.
    const int index = bytes ? selector & 7 : selector >> 1 & 3;
    emitMnemonic("vmov");
    emitText(l ? (high ? ".u" : ".s") : ".");
    emitText(bytes ? "8" : "16");
    // The Advanced SIMD forms name the core register by number: r13, r14, not sp, lr.
    emitChar(' ');
    if (!l) {
        emitScalar(d, index);
        emitSeparator();
    }
    emitChar('r');
    emitDecimal(uint32_t(rt));
    if (l) {
        emitSeparator();
        emitScalar(d, index);
    }
}

// "dN[index]", or "dN" alone for a negative index.
void ARMInstructionSetDisassembler::emitScalar(VfpRegister d, int index)
{
    emitVfpRegister(d);
    if (index >= 0) {
        emitChar('[');
        emitDecimal(uint32_t(index));
        emitChar(']');
    }
}

// VDUP from a core register: size from B:E (0 words, 1 halfwords, 2 bytes), Q for a
// quadword destination.
void ARMInstructionSetDisassembler::simdDuplicate(int be, bool q, VfpRegister d, int rt,
                                                 int opc2)
{
    if (be == 3 || isBit(opc2, 1) || (q && (d.number & 1)) || !admits().advancedSimd) {
        undefinedInstruction();
        return;
    }
    static const char* const sizes[3] = {".32 ", ".16 ", ".8 "};
    emitMnemonic("vdup");
    emitText(sizes[be]);
    emitChar(q ? 'q' : 'd');
    emitDecimal(uint32_t(q ? d.number / 2 : d.number));
    emitText(", r");
    emitDecimal(uint32_t(rt));
}
