// Handler 149, continued: two registers and a shift amount, one register and a modified
// immediate, two registers miscellaneous, and VEXT, VTBL/VTBX and VDUP (scalar).
#include "arm/ARMInstructionSetDisassembler.h"
#include "arm/AdvancedSimdFields.h"

using simd::bit;
using simd::field;

// Shift amounts are L:imm6 (bit 7, bits 21:16); the highest set bit gives the element
// size, the bits below it the amount (a left shift) or element size minus it (right).
void ARMInstructionSetDisassembler::emitSimdShiftForm(bool u, uint32_t bits)
{
    static const char* const rightNames[4] = {"vshr", "vsra", "vrshr", "vrsra"};
    const int imm6 = field(bits, 21, 16);
    const bool l = bit(bits, 7);
    const int size = l ? 3 : imm6 >= 32 ? 2 : imm6 >= 16 ? 1 : 0;
    const int esize = 8 << size;
    const int left = imm6 & (esize - 1);
    const int right = esize - left;
    const int opcode = field(bits, 11, 8);
    const bool q = bit(bits, 6);
    const int d = simd::vd(bits), m = simd::vm(bits);
    const int sign = u ? SimdUnsigned : SimdSigned;
    const char* const regs = q ? "qq" : "dd";
    if (opcode < 8) {
        const char* name = nullptr;
        int kind = sign;
        int amount = left;
        if (opcode < 4) {
            name = rightNames[opcode];
            amount = right;
        } else if (opcode == 4) {
            name = u ? "vsri." : nullptr;
            amount = right;
        } else if (opcode == 5) {
            name = u ? "vsli." : "vshl";
            kind = SimdInteger;
        } else {
            name = opcode == 7 ? "vqshl" : u ? "vqshlu" : nullptr;
            kind = opcode == 7 ? sign : SimdSigned;
        }
        if (!name) {
            simdUndefined = true;
            return;
        }
        emitSimdMnemonic(name, kind, size);
        emitSimdRegisters(regs, d, m);
        emitSimdShift(amount);
        return;
    }
    // Above opcode 7 there are no 64-bit elements; 11 to 13 hold no ARMv7 form (12 and
    // 13 are half-precision fixed point).
    if (l || opcode == 11 || opcode == 12 || opcode == 13 || (opcode == 10 && q)
        || (opcode >= 14 && imm6 < 32)) {
        simdUndefined = true;
        return;
    }
    if (opcode == 10) {
        // VSHLL by an amount below the element size; by zero it is VMOVL.
        emitSimdMnemonic(left == 0 ? "vmovl" : "vshll", sign, size);
        emitSimdRegisters("qd", d, m);
        if (left != 0)
            emitSimdShift(left);
        return;
    }
    if (opcode >= 14) {
        // Fixed-point conversions: 64 - imm6 fraction bits.
        emitMnemonic("vcvt");
        emitText(opcode == 14 ? (u ? ".f32.u32" : ".f32.s32") : (u ? ".u32.f32" : ".s32.f32"));
        emitSimdRegisters(regs, d, m);
        emitSimdShift(64 - imm6);
        return;
    }
    // Narrowing right shifts (8, 9): bit 6 selects rounding; the type names the source.
    static const char* const narrowNames[2][2][2] = {   // [opcode 9][U][rounding]
        {{"vshrn", "vrshrn"}, {"vqshrun", "vqrshrun"}},
        {{"vqshrn", "vqrshrn"}, {"vqshrn", "vqrshrn"}}};
    const int kind = opcode == 8 ? (u ? SimdSigned : SimdInteger) : sign;
    emitSimdMnemonic(narrowNames[opcode == 9][u][q], kind, size + 1);
    emitSimdRegisters("dq", d, m);
    emitSimdShift(right);
}

// One register and a modified immediate: imm8 = U:bits 18:16:bits 3:0, expanded by
// cmode (bits 11:8) and op (bit 5) as the architecture's AdvSIMDExpandImm does.
void ARMInstructionSetDisassembler::emitSimdModifiedImmediate(bool u, uint32_t bits)
{
    const uint32_t imm8 = uint32_t(u) << 7 | uint32_t(field(bits, 18, 16)) << 4
                          | uint32_t(field(bits, 3, 0));
    const int cmode = field(bits, 11, 8);
    const bool op = bit(bits, 5);
    const char* const reg = bit(bits, 6) ? "q" : "d";
    const int d = simd::vd(bits);
    if (cmode == 15) {
        simdUndefined |= op;
        emitSimdMnemonic("vmov", SimdFloat, 2);
        emitSimdRegisters(reg, d);
        emitSimdFloatImmediate(imm8);
        return;
    }
    if (cmode == 14) {
        uint64_t value = imm8;
        if (op) {   // each bit of imm8 stands for a byte of ones or zeros
            value = 0;
            for (int i = 0; i < 8; ++i)
                if (imm8 & (1u << i))
                    value |= uint64_t(0xFF) << (8 * i);
        }
        emitSimdMnemonic("vmov", SimdInteger, op ? 3 : 0);
        emitSimdRegisters(reg, d);
        emitSimdImmediate(value);
        return;
    }
    // Odd cmode below 12 is VORR/VBIC; otherwise VMOV/VMVN.
    const bool logical = (cmode & 1) && cmode < 12;
    const char* const name = logical ? (op ? "vbic" : "vorr") : (op ? "vmvn" : "vmov");
    const bool halfword = (cmode & 12) == 8;
    uint32_t value;
    if (cmode < 12)
        value = imm8 << (8 * ((cmode >> 1) & (halfword ? 1 : 3)));
    else   // shifted ones
        value = (imm8 << (8 * ((cmode & 1) + 1))) | ((cmode & 1) ? 0xFFFFu : 0xFFu);
    emitSimdMnemonic(name, SimdInteger, halfword ? 1 : 2);
    emitSimdRegisters(reg, d);
    emitSimdImmediate(value);
}

// Two registers miscellaneous (U set, bits 21:20 = 11, bit 11 clear): size bits 19:18,
// group bits 17:16, operation bits 10:6 (bit 6 is Q where the form has one).
void ARMInstructionSetDisassembler::emitSimdMisc(uint32_t bits)
{
    const int size = field(bits, 19, 18);
    const int group = field(bits, 17, 16);
    const int op = field(bits, 10, 7);
    const bool q = bit(bits, 6);
    const char* const regs = q ? "qq" : "dd";
    const int d = simd::vd(bits), m = simd::vm(bits);
    if (group == 3 || (group == 2 && op >= 8) || (group == 1 && bit(bits, 10))) {
        emitSimdMiscFloat(bits);
        return;
    }
    const char* name = nullptr;
    int kind = SimdSizeOnly;
    bool compareWithZero = false;
    if (group == 0) {
        // [bits 10:7]; 6 and 7 are the AES forms.
        static const char* const names[16] = {
            "vrev64.", "vrev32.", "vrev16.", nullptr, "vpaddl", "vpaddl", nullptr, nullptr,
            "vcls",    "vclz",    "vcnt.",   "vmvn",  "vpadal", "vpadal", "vqabs", "vqneg"};
        static const int kinds[16] = {SimdSizeOnly, SimdSizeOnly, SimdSizeOnly, 0,
                                      SimdSigned,   SimdUnsigned, 0,            0,
                                      SimdSigned,   SimdInteger,  SimdSizeOnly, 0,
                                      SimdSigned,   SimdUnsigned, SimdSigned,   SimdSigned};
        name = names[op];
        kind = kinds[op];
        // vrev<n> needs elements smaller than n; vcnt and vmvn work on bytes.
        simdUndefined |= size == 3 || (op < 3 && size > 2 - op) || (op == 10 && size != 0)
                         || (op == 11 && size != 0);
    } else if (group == 1) {
        // [bits 9:7] with bit 10 clear: integer compares with zero, vabs, vneg; 5 is SHA1H.
        static const char* const names[8] = {"vcgt", "vcge", "vceq", "vcle",
                                             "vclt", nullptr, "vabs", "vneg"};
        name = names[op];
        kind = op == 2 ? SimdInteger : SimdSigned;
        compareWithZero = op < 5;
        simdUndefined |= size == 3;
    } else {
        // [bits 10:6] of group 2 below 16; 14 and 15 are SHA1SU1 and SHA256SU0.
        const int op5 = field(bits, 10, 6);
        static const char* const permuteNames[4] = {"vswp", "vtrn.", "vuzp.", "vzip."};
        static const char* const narrowNames[4] = {"vmovn", "vqmovun", "vqmovn", "vqmovn"};
        static const int narrowKinds[4] = {SimdInteger, SimdSigned, SimdSigned, SimdUnsigned};
        if (op5 < 8) {
            // vuzp and vzip on doublewords of 32-bit elements are vtrn.
            simdUndefined |= size == 3 || (op == 0 && size != 0)
                             || ((op == 2 || op == 3) && !q && size == 2);
            if (simdUndefined)
                return;
            if (op == 0)
                emitMnemonic("vswp");
            else
                emitSimdMnemonic(permuteNames[op], SimdSizeOnly, size);
            emitSimdRegisters(regs, d, m);
            return;
        }
        simdUndefined |= size == 3 || op5 == 13 || op5 >= 14;
        if (simdUndefined)
            return;
        if (op5 == 12) {   // vshll by the element size
            emitSimdMnemonic("vshll", SimdInteger, size);
            emitSimdRegisters("qd", d, m);
            emitSimdShift(8 << size);
            return;
        }
        emitSimdMnemonic(narrowNames[op5 & 3], narrowKinds[op5 & 3], size + 1);
        emitSimdRegisters("dq", d, m);
        return;
    }
    if (!name || simdUndefined) {
        simdUndefined = true;
        return;
    }
    if (group == 0 && op == 11)
        emitMnemonic(name);
    else
        emitSimdMnemonic(name, kind, size);
    emitSimdRegisters(regs, d, m);
    if (compareWithZero)
        emitText(", #0");
}

// The floating-point forms of the miscellaneous space: compares with zero, vabs, vneg,
// the half-precision conversions, vrint*, vrecpe/vrsqrte and the vcvt families.
void ARMInstructionSetDisassembler::emitSimdMiscFloat(uint32_t bits)
{
    const int size = field(bits, 19, 18);
    const int group = field(bits, 17, 16);
    const int op = field(bits, 9, 7);
    const bool q = bit(bits, 6);
    const int d = simd::vd(bits), m = simd::vm(bits);
    const char* const regs = q ? "qq" : "dd";
    if (group == 2 && (op == 4 || op == 6)) {
        // Single <-> half precision: op 4 narrows (d, q), op 6 widens (q, d).
        simdUndefined |= size != 1 || q;
        emitMnemonic("vcvt");
        emitText(op == 4 ? ".f16.f32" : ".f32.f16");
        emitSimdRegisters(op == 4 ? "dq" : "qd", d, m);
        return;
    }
    simdUndefined |= size != 2;
    if (group == 1) {
        static const char* const names[8] = {"vcgt", "vcge", "vceq", "vcle",
                                             "vclt", nullptr, "vabs", "vneg"};
        simdUndefined |= op == 5;
        if (simdUndefined)
            return;
        emitSimdMnemonic(names[op], SimdFloat, 2);
        emitSimdRegisters(regs, d, m);
        if (op < 5)
            emitText(", #0");
        return;
    }
    if (group == 2) {
        static const char* const roundNames[8] = {"vrintn", "vrintx", "vrinta", "vrintz",
                                                  nullptr,  "vrintm", nullptr,  "vrintp"};
        emitSimdMnemonic(roundNames[op], SimdFloat, 2);
        emitSimdRegisters(regs, d, m);
        return;
    }
    // Group 3: bits 10:9 = 10 reciprocal estimates (bit 8 float, bit 7 square root),
    // 11 conversions to and from integers (bits 8:7), 0x rounding conversions (RM 9:8).
    static const char* const conversions[4] = {".f32.s32", ".f32.u32", ".s32.f32", ".u32.f32"};
    const int kind = field(bits, 10, 9);
    if (kind == 2) {
        emitSimdMnemonic(bit(bits, 7) ? "vrsqrte" : "vrecpe",
                         bit(bits, 8) ? SimdFloat : SimdUnsigned, 2);
    } else if (kind == 3) {
        emitMnemonic("vcvt");
        emitText(conversions[field(bits, 8, 7)]);
    } else {
        static const char* const roundingNames[4] = {"vcvta", "vcvtn", "vcvtp", "vcvtm"};
        emitMnemonic(roundingNames[field(bits, 9, 8)]);
        emitText(conversions[2 + bit(bits, 7)]);
    }
    emitSimdRegisters(regs, d, m);
}

// Bits 21:20 = 11 with bit 4 clear: VEXT (U clear); with U set the miscellaneous forms
// (bit 11 clear), VTBL/VTBX (bits 11:10 = 10) and VDUP (scalar) (bits 11:7 = 11000).
void ARMInstructionSetDisassembler::emitSimdExtractTableDuplicate(bool u, uint32_t bits)
{
    const bool q = bit(bits, 6);
    const int d = simd::vd(bits), n = simd::vn(bits), m = simd::vm(bits);
    const int imm4 = field(bits, 11, 8);
    if (!u) {
        simdUndefined |= !q && imm4 >= 8;
        emitSimdSizedMnemonic("vext", 0);
        emitSimdRegisters(q ? "qqq" : "ddd", d, n, m);
        emitSimdShift(imm4);
    } else if (!bit(bits, 11)) {
        emitSimdMisc(bits);
    } else if (field(bits, 11, 10) == 2) {
        emitSimdSizedMnemonic(q ? "vtbx" : "vtbl", 0);
        emitSimdRegisters("d", d);
        emitChar(',');
        emitSimdList(n, field(bits, 9, 8) + 1, 1, kNoLane);
        emitText(", d");
        emitDecimal(uint32_t(m));
    } else if (field(bits, 11, 7) == 0x18 && (field(bits, 19, 16) & 7) != 0) {
        // imm4 (bits 19:16): xxx1 bytes, xx10 halfwords, x100 words; the index above.
        const int index = field(bits, 19, 16);
        const int size = (index & 1) ? 0 : (index & 2) ? 1 : 2;
        emitSimdSizedMnemonic("vdup", size);
        emitSimdRegisters(q ? "q" : "d", d);
        emitText(", d");
        emitDecimal(uint32_t(m));
        emitChar('[');
        emitDecimal(uint32_t(index >> (size + 1)));
        emitChar(']');
    } else {
        simdUndefined = true;
    }
}
