// VFP data processing (CDP space of coprocessors 10 and 11): every form is named by its
// legacy mnemonic and printed in legacy syntax (name, precision letter, condition:
// "faddseq") or unified syntax (name, condition, type suffix: "vaddeq.f32"). Forms that
// came after the legacy names (fused multiply-add, half precision, the ARMv8 additions)
// have only their unified name, which both syntaxes print.
#include "arm/ARMInstructionSetDisassembler.h"

namespace {

struct VfpName {
    const char* legacy;   // without the precision letter; null: no legacy name
    const char* unified;  // null: no such form
};

// The three-register forms by opc1 bits 23, 21:20 and op (bit 6).
const VfpName threeRegisterForms[7][2] = {
    {{"fmac", "vmla"}, {"fnmac", "vmls"}},
    {{"fmsc", "vnmls"}, {"fnmsc", "vnmla"}},
    {{"fmul", "vmul"}, {"fnmul", "vnmul"}},
    {{"fadd", "vadd"}, {"fsub", "vsub"}},
    {{"fdiv", "vdiv"}, {nullptr, nullptr}},
    {{nullptr, "vfnms"}, {nullptr, "vfnma"}},
    {{nullptr, "vfma"}, {nullptr, "vfms"}},
};

const char* const floatTypes[2] = {".f32", ".f64"};

bool isBit(int value, int n)
{
    return (value >> n) & 1;
}

} // namespace

ARMInstructionSetDisassembler::VfpRegister
ARMInstructionSetDisassembler::vfpRegister(bool dbl, int field, bool extra)
{
    return {dbl, dbl ? int(extra) << 4 | field : field << 1 | int(extra)};
}

void ARMInstructionSetDisassembler::emitVfpRegister(VfpRegister r)
{
    emitChar(r.dbl ? 'd' : 's');
    emitDecimal(uint32_t(r.number));
}

void ARMInstructionSetDisassembler::emitVfpRegisters(std::initializer_list<VfpRegister> list)
{
    const char* before = " ";
    for (VfpRegister r : list) {
        emitText(before);
        emitVfpRegister(r);
        before = separator;
    }
}

void ARMInstructionSetDisassembler::emitVfpMnemonic(const char* legacy, const char* unified,
                                                   char precision, const char* type,
                                                   const char* sourceType)
{
    if (unifiedSyntax || !legacy) {
        emitMnemonic(unified);
        emitText(type ? type : floatTypes[precision != 's']);
        if (sourceType)
            emitText(sourceType);
    } else {
        emitText(legacy);
        emitChar(precision);
        emitMnemonic("");
    }
}

void ARMInstructionSetDisassembler::vfpDataOperation(bool unconditional, int opc1,
                                                    const VfpFields& f)
{
    const bool op = isBit(f.opc2, 1);
    const int form = (opc1 & 3) | (opc1 >> 1 & 4);   // bits 23, 21:20
    if (unconditional) {
        vfpArmV8DataOperation(form, f);
        return;
    }
    if (form == 7) {
        vfpOtherDataOperation(f);
        return;
    }
    const VfpName& name = threeRegisterForms[form][op];
    if (!name.unified) {
        undefinedInstruction();
        return;
    }
    emitVfpMnemonic(name.legacy, name.unified, f.dbl ? 'd' : 's');
    emitVfpRegisters({f.d(f.dbl), f.n(f.dbl), f.m(f.dbl)});
}

// opc1 = 1x11: the immediate move, the two-register forms, compares and conversions,
// selected by the opc2 field (bits 19:16, CRn) and bit 7.
void ARMInstructionSetDisassembler::vfpOtherDataOperation(const VfpFields& f)
{
    const bool dbl = f.dbl, n = isBit(f.opc2, 2);
    const char precision = dbl ? 'd' : 's';
    if (!isBit(f.opc2, 1)) {
        emitVfpMnemonic("fconst", "vmov", precision);
        emitVfpRegisters({f.d(dbl)});
        emitText(", #");
        emitDecimal(uint32_t(f.crn << 4 | f.crm));   // the encoded imm4H:imm4L
        return;
    }
    switch (f.crn) {
    case 0:
    case 1: {
        static const VfpName names[2][2] = {{{"fcpy", "vmov"}, {"fabs", "vabs"}},
                                            {{"fneg", "vneg"}, {"fsqrt", "vsqrt"}}};
        emitVfpMnemonic(names[f.crn][n].legacy, names[f.crn][n].unified, precision);
        emitVfpRegisters({f.d(dbl), f.m(dbl)});
        return;
    }
    case 2:
    case 3: {
        // Half precision: bit 16 converts to f16, bit 7 selects the top half.
        const bool toHalf = isBit(f.crn, 0);
        emitVfpMnemonic(nullptr, n ? "vcvtt" : "vcvtb", precision,
                        toHalf ? ".f16" : floatTypes[dbl], toHalf ? floatTypes[dbl] : ".f16");
        emitVfpRegisters({f.d(dbl && !toHalf), f.m(dbl && toHalf)});
        return;
    }
    case 4:
        emitVfpMnemonic(n ? "fcmpe" : "fcmp", n ? "vcmpe" : "vcmp", precision);
        emitVfpRegisters({f.d(dbl), f.m(dbl)});
        return;
    case 5:
        emitVfpMnemonic(n ? "fcmpez" : "fcmpz", n ? "vcmpe" : "vcmp", precision);
        emitVfpRegisters({f.d(dbl)});
        emitText(", #0");
        return;
    case 6:
    case 7:
        if (f.crn == 7 && n) {
            // Between precisions: the destination has the other one.
            emitVfpMnemonic(dbl ? "fcvts" : "fcvtd", "vcvt", precision, floatTypes[!dbl],
                            floatTypes[dbl]);
            emitVfpRegisters({f.d(!dbl), f.m(dbl)});
        } else {
            static const char* const names[3] = {"vrintr", "vrintz", "vrintx"};
            emitVfpMnemonic(nullptr, names[(f.crn & 1) * 2 + n], precision, floatTypes[dbl],
                            floatTypes[dbl]);
            emitVfpRegisters({f.d(dbl), f.m(dbl)});
        }
        return;
    case 8:
        emitVfpMnemonic(n ? "fsito" : "fuito", "vcvt", precision, floatTypes[dbl],
                        n ? ".s32" : ".u32");
        emitVfpRegisters({f.d(dbl), f.m(false)});
        return;
    case 12:
    case 13: {
        // To integer: bit 16 signed, bit 7 rounds towards zero ("vcvt") rather than by
        // the FPSCR mode ("vcvtr").
        static const char* const legacy[2][2] = {{"ftoui", "ftouiz"}, {"ftosi", "ftosiz"}};
        const bool isSigned = f.crn == 13;
        emitVfpMnemonic(legacy[isSigned][n], n ? "vcvt" : "vcvtr", precision,
                        isSigned ? ".s32" : ".u32", floatTypes[dbl]);
        emitVfpRegisters({f.d(false), f.m(dbl)});
        return;
    }
    case 10:
    case 11:
    case 14:
    case 15:
        vfpFixedPointConversion(f);
        return;
    default:
        undefinedInstruction();
        return;
    }
}

// Fixed point: bit 18 converts to fixed, bit 16 unsigned, bit 7 (sx) 32-bit fixed
// values; imm4:i (bits 3:0, 5) is the fixed size minus the fraction bits.
void ARMInstructionSetDisassembler::vfpFixedPointConversion(const VfpFields& f)
{
    static const char* const legacy[2][2][2] = {{{"fshto", "fslto"}, {"fuhto", "fulto"}},
                                                {{"ftosh", "ftosl"}, {"ftouh", "ftoul"}}};
    static const char* const fixedTypes[2][2] = {{".s16", ".s32"}, {".u16", ".u32"}};
    const bool toFixed = isBit(f.crn, 2), isUnsigned = isBit(f.crn, 0);
    const bool sx = isBit(f.opc2, 2);
    const int fractionBits = (sx ? 32 : 16) - (f.crm << 1 | (f.opc2 & 1));
    if (fractionBits < 0) {
        undefinedInstruction();
        return;
    }
    const char* fixed = fixedTypes[isUnsigned][sx];
    const char* floating = floatTypes[f.dbl];
    emitVfpMnemonic(legacy[toFixed][isUnsigned][sx], "vcvt", f.dbl ? 'd' : 's',
                    toFixed ? fixed : floating, toFixed ? floating : fixed);
    // The register is source and destination; legacy syntax names it once.
    if (unifiedSyntax)
        emitVfpRegisters({f.d(f.dbl), f.d(f.dbl)});
    else
        emitVfpRegisters({f.d(f.dbl)});
    emitText(", #");
    emitDecimal(uint32_t(fractionBits));
}

// The unconditional (ARMv8) forms: VMAXNM, VMINNM, VRINTA/N/P/M and VCVTA/N/P/M. VSEL
// and anything else print the fallback.
void ARMInstructionSetDisassembler::vfpArmV8DataOperation(int form, const VfpFields& f)
{
    static const char* const rounding[2][4] = {{"vrinta", "vrintn", "vrintp", "vrintm"},
                                               {"vcvta", "vcvtn", "vcvtp", "vcvtm"}};
    const char precision = f.dbl ? 'd' : 's';
    const bool op = isBit(f.opc2, 1), n = isBit(f.opc2, 2);
    if (form == 4) {
        emitVfpMnemonic(nullptr, op ? "vminnm" : "vmaxnm", precision);
        emitVfpRegisters({f.d(f.dbl), f.n(f.dbl), f.m(f.dbl)});
    } else if (form == 7 && op && (f.crn >> 2) == 2 && !n) {
        emitVfpMnemonic(nullptr, rounding[0][f.crn & 3], precision);
        emitVfpRegisters({f.d(f.dbl), f.m(f.dbl)});
    } else if (form == 7 && op && (f.crn >> 2) == 3) {
        emitVfpMnemonic(nullptr, rounding[1][f.crn & 3], precision, n ? ".s32" : ".u32",
                        floatTypes[f.dbl]);
        emitVfpRegisters({f.d(false), f.m(f.dbl)});
    } else {
        undefinedInstruction();
    }
}
