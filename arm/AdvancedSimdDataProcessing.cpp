// Handler 149, Advanced SIMD data processing: the top-level split of the space and the
// three-register forms (same length, different lengths) and the by-scalar forms.
// Field names follow the ARM Architecture Reference Manual's Advanced SIMD tables.
#include "arm/ARMInstructionSetDisassembler.h"
#include "arm/AdvancedSimdFields.h"

using simd::bit;
using simd::field;

void ARMInstructionSetDisassembler::advancedSimdDataProcessing(bool u, uint32_t bits)
{
    char* const start = out;
    simdUndefined = false;
    if (!bit(bits, 23)) {
        emitSimdThreeSame(u, bits);
    } else if (bit(bits, 4)) {
        // L:imm6 = 0:000xxx is the immediate space; every other value a shift amount.
        if (field(bits, 21, 19) == 0 && !bit(bits, 7))
            emitSimdModifiedImmediate(u, bits);
        else
            emitSimdShiftForm(u, bits);
    } else if (field(bits, 21, 20) != 3) {
        if (bit(bits, 6))
            emitSimdScalarForm(u, bits);
        else
            emitSimdThreeDifferent(u, bits);
    } else {
        emitSimdExtractTableDuplicate(u, bits);
    }
    if (simdUndefined) {
        out = start;
        undefinedInstruction();
    }
}

// Three registers of the same length: opcode bits 11:8, bit 4, U and size bits 21:20.
void ARMInstructionSetDisassembler::emitSimdThreeSame(bool u, uint32_t bits)
{
    // Signed/unsigned integer operations, by opcode and bit 4.
    static const char* const integerNames[8][2] = {
        {"vhadd", "vqadd"}, {"vrhadd", nullptr}, {"vhsub", "vqsub"}, {"vcgt", "vcge"},
        {"vshl", "vqshl"},  {"vrshl", "vqrshl"}, {"vmax", "vmin"},   {"vabd", "vaba"}};
    static const char* const logicalNames[2][4] = {{"vand", "vbic", "vorr", "vorn"},
                                                   {"veor", "vbsl", "vbit", "vbif"}};
    const int opcode = field(bits, 11, 8);
    const bool b = bit(bits, 4);
    const int size = field(bits, 21, 20);
    const bool q = bit(bits, 6);
    const char* const regs = q ? "qqq" : "ddd";
    const int d = simd::vd(bits), n = simd::vn(bits), m = simd::vm(bits);
    const int sign = u ? SimdUnsigned : SimdSigned;
    if (opcode >= 13 || (opcode == 12 && b && !u)) {
        emitSimdThreeSameFloat(u, bits);
        return;
    }
    if (opcode == 1 && b) {
        const bool move = !u && size == 2 && n == m;   // VORR Vd, Vm, Vm is VMOV
        emitMnemonic(move ? "vmov" : logicalNames[u][size]);
        if (move)
            emitSimdRegisters(regs + 1, d, m);
        else
            emitSimdRegisters(regs, d, n, m);
        return;
    }
    if (opcode < 8) {
        // Saturating add/subtract and the shifts by register also take 64-bit elements;
        // the shifts name the shifted register (Vm) before the shift amounts (Vn).
        const bool shift = opcode == 4 || opcode == 5;
        simdUndefined |= size == 3 && !shift && !((opcode == 0 || opcode == 2) && b);
        emitSimdMnemonic(integerNames[opcode][b], sign, size);
        if (shift)
            emitSimdRegisters(regs, d, m, n);
        else
            emitSimdRegisters(regs, d, n, m);
        return;
    }
    const char* name = nullptr;
    int kind = SimdInteger;
    switch (opcode) {
    case 8:
        name = b ? (u ? "vceq" : "vtst.") : (u ? "vsub" : "vadd");
        simdUndefined |= size == 3 && b;
        break;
    case 9:
        name = b ? "vmul" : (u ? "vmls" : "vmla");
        kind = b && u ? SimdPolynomial : SimdInteger;
        simdUndefined |= size == 3 || (kind == SimdPolynomial && size != 0);
        break;
    case 10:
        name = b ? "vpmin" : "vpmax";
        kind = sign;
        simdUndefined |= size == 3 || q;
        break;
    case 11:
        name = b ? "vpadd" : (u ? "vqrdmulh" : "vqdmulh");
        kind = b ? SimdInteger : SimdSigned;
        simdUndefined |= (b && (u || q || size == 3)) || (!b && (size == 0 || size == 3));
        break;
    default:
        // Opcode 12 without bit 4 holds the SHA-1/SHA-256 hash forms.
        simdUndefined = true;
        return;
    }
    emitSimdMnemonic(name, kind, size);
    emitSimdRegisters(regs, d, n, m);
}

// The floating-point three-register forms (opcodes 12 to 15); bit 21 picks the second
// operation of a pair, bit 20 (sz) must be clear for 32-bit elements.
void ARMInstructionSetDisassembler::emitSimdThreeSameFloat(bool u, uint32_t bits)
{
    // [opcode - 12][bit 4][U][bit 21]
    static const char* const names[4][2][2][2] = {
        {{{nullptr, nullptr}, {nullptr, nullptr}}, {{"vfma", "vfms"}, {nullptr, nullptr}}},
        {{{"vadd", "vsub"}, {"vpadd", "vabd"}}, {{"vmla", "vmls"}, {"vmul", nullptr}}},
        {{{"vceq", nullptr}, {"vcge", "vcgt"}}, {{nullptr, nullptr}, {"vacge", "vacgt"}}},
        {{{"vmax", "vmin"}, {"vpmax", "vpmin"}}, {{"vrecps", "vrsqrts"}, {"vmaxnm", "vminnm"}}}};
    const char* const name =
        names[field(bits, 11, 8) - 12][bit(bits, 4)][u][bit(bits, 21)];
    const bool q = bit(bits, 6);
    // The pairwise forms ("vp...") exist for doubleword registers only.
    if (!name || bit(bits, 20) || (name[1] == 'p' && q)) {
        simdUndefined = true;
        return;
    }
    emitSimdMnemonic(name, SimdFloat, 2);
    emitSimdRegisters(q ? "qqq" : "ddd", simd::vd(bits), simd::vn(bits), simd::vm(bits));
}

// Three registers of different lengths: long (q, d, d), wide (q, q, d) and narrowing
// high-half (d, q, q) forms, by opcode bits 11:8.
void ARMInstructionSetDisassembler::emitSimdThreeDifferent(bool u, uint32_t bits)
{
    static const char* const names[16] = {
        "vaddl", "vaddw", "vsubl", "vsubw", "vaddhn", "vabal",   "vsubhn", "vabdl",
        "vmlal", "vqdmlal", "vmlsl", "vqdmlsl", "vmull", "vqdmull", "vmull", nullptr};
    const int opcode = field(bits, 11, 8);
    const int size = field(bits, 21, 20);
    const int d = simd::vd(bits), n = simd::vn(bits), m = simd::vm(bits);
    const bool doubling = opcode == 9 || opcode == 11 || opcode == 13;
    if (opcode == 15 || (doubling && (u || size == 0)) || (opcode == 14 && (u || size != 0))) {
        // Opcode 14 with 64-bit polynomials is the cryptographic vmull.p64.
        simdUndefined = true;
        return;
    }
    if (opcode == 4 || opcode == 6) {
        // Narrowing: the type names the wide source elements; U selects rounding.
        static const char* const rounding[2] = {"vraddhn", "vrsubhn"};
        emitSimdMnemonic(u ? rounding[opcode == 6] : names[opcode], SimdInteger, size + 1);
        emitSimdRegisters("dqq", d, n, m);
        return;
    }
    const int kind = opcode == 14 ? SimdPolynomial
                     : doubling   ? SimdSigned
                     : u          ? SimdUnsigned
                                  : SimdSigned;
    emitSimdMnemonic(names[opcode], kind, size);
    emitSimdRegisters(opcode == 1 || opcode == 3 ? "qqd" : "qdd", d, n, m);
}

// Two registers and a scalar: U is the Q bit of the same-length forms; bit 8 selects the
// floating-point variant of vmla, vmls and vmul.
void ARMInstructionSetDisassembler::emitSimdScalarForm(bool u, uint32_t bits)
{
    static const char* const names[16] = {
        "vmla", "vmla", "vmlal", "vqdmlal", "vmls", "vmls", "vmlsl", "vqdmlsl",
        "vmul", "vmul", "vmull", "vqdmull", "vqdmulh", "vqrdmulh", nullptr, nullptr};
    const int opcode = field(bits, 11, 8);
    const int size = field(bits, 21, 20);
    const bool isLong = (opcode & 2) && opcode < 12;
    const bool doubling = (opcode & 3) == 3 || opcode >= 12;
    const bool isFloat = !isLong && opcode < 12 && (opcode & 1);
    if (!names[opcode] || size == 0 || (isLong && doubling && u) || (isFloat && size != 2)) {
        simdUndefined = true;
        return;
    }
    const int kind = isFloat ? SimdFloat
                     : doubling ? SimdSigned
                     : isLong   ? (u ? SimdUnsigned : SimdSigned)
                                : SimdInteger;
    emitSimdMnemonic(names[opcode], kind, size);
    const char* const regs = isLong ? "qd" : (u ? "qq" : "dd");
    emitSimdRegisters(regs, simd::vd(bits), simd::vn(bits));
    emitSimdScalar(size, simd::vm(bits));
}
