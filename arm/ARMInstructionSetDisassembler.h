#pragma once
// The ARM disassembler: implements every handler of ARMInstructionSetDecoder by
// appending the instruction's assembler text at `out`, in unified or legacy syntax.
//
// Where the handler texts live:
//   arm/ARMDisassemblerText.cpp          object, entry, text primitives, hooks
//   arm/ARMDataProcessingText.cpp        A32 data processing, multiplies, divide
//   arm/ARMLoadStoreText.cpp             A32 loads, stores, swaps, exclusives, preloads
//   arm/ARMMediaText.cpp                 A32 media, saturating and parallel arithmetic
//   arm/ARMSystemText.cpp                branches, status, exceptions, hints, barriers
//   arm/ARMCoprocessorText.cpp           coprocessor handlers 15-18 (dispatch by
//                                        coprocessor), generic and XScale texts
//   arm/VfpText.cpp                      VFP data processing and conversions
//   arm/VfpTransferText.cpp              VFP loads/stores, core-register transfers,
//                                        SIMD scalar moves and VDUP
//   arm/AdvancedSimdText.cpp             Advanced SIMD data types, registers, lists, immediates
//   arm/AdvancedSimdDataProcessing.cpp   handler 149: three-register and scalar forms
//   arm/AdvancedSimdShiftMisc.cpp        handler 149: shifts, misc, immediates, vext/vtbl/vdup
//   arm/AdvancedSimdLoadStore.cpp        handler 150: element and structure loads/stores
//   arm/ThumbDisassembler*.cpp           T16 and T32 handler texts (63-135)
// and the decoder side: arm/ARMDecoderA32.cpp, arm/ThumbDecoder*.cpp (decision trees),
// arm/ArchitectureGating.cpp (what each -arch level admits, in one table).
#include "arm/ARMInstructionSetDecoder.h"
#include <cstdint>
#include <initializer_list>
#include <set>

class ARMInstructionSetDisassembler : public ARMInstructionSetDecoder {
public:
    // Room the caller gives disassembleInstruction for one instruction's text; longer
    // texts (long symbol names) are cut to fit.
    static constexpr int kTextSize = 4096;

    ARMInstructionSetDisassembler(ArchitectureLevel level, int32_t processorModel);

    // Decodes one A32 word (isArm) or one Thumb halfword and writes the NUL-terminated
    // text to `text` (kTextSize bytes). For Thumb, secondHalfPending comes back true when
    // the halfword is the first half of a 32-bit instruction: call again with the next
    // halfword at address + 2 and the same buffer; the first call's text is empty.
    void disassembleInstruction(bool isArm, uint32_t address, uint32_t bits, char* text,
                                bool& secondHalfPending);

    // ---- state, continuing the decoder's fields ----
    bool unifiedSyntax = true;
    char* out = nullptr;                 // write position in the caller's buffer
    uint32_t address = 0;                // of the instruction being decoded
    uint32_t itState = 0;                // IT block: first condition 7:4, mask 3:0
    std::set<uint32_t> literalAddresses; // targets of PC-relative word loads

private:
    char* outEnd = nullptr;              // last byte of the buffer, kept for the NUL

protected:
    // ---- text primitives shared by A32, Thumb, VFP and SIMD texts ----
    static const char* const conditionNames[16];   // "eq" .. "le", "", "" (14, 15)
    static const char* const shiftNames[4];        // "lsl", "lsr", "asr", "ror"
    static const char* const flagShiftNames[4];    // "lsls", "lsrs", "asrs", "rors"
    static const char* const separator;            // ", " between operands

    void emitText(const char* text);
    void emitChar(char c)
    {
        if (out < outEnd)
            *out++ = c;
    }
    void emitSeparator() { emitText(separator); }
    // name, then the condition suffix (none for 14 and 15), then ".w" when wide.
    void emitMnemonic(const char* name, bool wide = false);
    // r0-r12, sp, lr, pc.
    void emitRegister(int n);
    // Decimal up to 32, otherwise "0x" and upper-case hex without leading zeros.
    void emitImmediate(uint32_t value);
    void emitDecimal(uint32_t value);
    // Upper-case hex padded with zeros to `digits`, "0x" first when `prefix`.
    void emitHex(uint32_t value, int digits, bool prefix);
    // Runs of registers as "r0-r3, lr"; the caller prints the braces.
    void emitRegisterList(uint32_t mask);
    // "push {list}" / "pop {list}" (".w" when wide): the stack forms of every instruction set.
    void emitPushPop(bool pop, uint32_t registerList, bool wide = false);
    // " Rn{!}, {list}": the operands of the LDM/STM forms.
    void emitBaseAndRegisterList(int rn, bool writeBack, uint32_t registerList);
    // "[Rn, Rm]" or "[Rn, Rm, lsl #n]": the Thumb register-offset address.
    void emitRegisterOffsetAddress(int rn, int rm, int shiftAmount);

    // ---- A32 operand helpers ----
    // ", <shift> #<amount>" or ", rrx" for an immediate shift; nothing for LSL #0.
    void emitImmediateShift(int shiftType, int shiftAmount);
    // The address operand of a word/byte load or store or preload with an immediate
    // offset (including the PC-relative forms).
    void emitImmediateAddress(bool p, bool u, bool w, bool unprivileged, int rn,
                              uint32_t offset, bool literalWordLoad);
    // The address operand with a shifted register offset.
    void emitRegisterAddress(bool p, bool u, bool w, bool unprivileged, int rn,
                             int shiftAmount, int shiftType, int rm);
    // Mnemonic with a suffix placed by syntax: unified "name"+"suffix"+cond,
    // legacy "name"+cond+"suffix".
    void emitSuffixedMnemonic(const char* name, const char* suffix);
    // The mnemonic of a data-processing opcode with S placed by syntax.
    void emitDataProcessingMnemonic(int opcode, bool s);
    void emitDataProcessingPrefix(int opcode, bool s, int rd, int rn);
    // A banked register name for MRS/MSR (banked forms).
    void emitBankedRegister(bool r, int sysm);
    // MRS/MSR status register operand "cpsr_fsxc" style.
    void emitStatusRegister(bool r, int mask);
    // Rd, Rn, Rm (the common three-register operand list, blank first).
    void emitThreeRegisters(int rd, int rn, int rm);
    void emitFourRegisters(int rd, int rn, int rm, int ra);
    // "name Rd, #position, Rn" of SSAT/USAT(16); signed forms encode the position - 1.
    void emitSaturate(const char* name, bool isUnsigned, int rd, int saturateTo, int rn);
    // "ldr"/"str" with "b" and "t" placed by syntax, then " Rt, ".
    void emitWordByteMnemonic(bool l, bool b, bool unprivileged, int rt);
    // " pN, opc1" of the coprocessor transfers.
    void emitCoprocessorAndOpcode(int coprocessor, int opc1);
    // Hints print ".w" only in Thumb code.
    void emitHint(const char* name);

    // ---- generic coprocessor syntax ----
    void emitGenericCoprocessorLoadStore(bool unconditional, bool p, bool u, bool d, bool w,
                                         bool l, int rn, int crd, int coprocessor,
                                         uint32_t imm8);
    void emitGenericCoprocessorTwoRegisters(bool unconditional, bool l, int rt2, int rt,
                                            int coprocessor, int opc1, int crm);
    void emitGenericCoprocessorDataOperation(bool unconditional, int opc1, int crn, int crd,
                                             int coprocessor, int opc2, int crm);
    void emitGenericCoprocessorRegisterTransfer(bool unconditional, int opc1, bool l,
                                                int crn, int rt, int coprocessor, int opc2,
                                                int crm);
    // The address of LDC/STC and VLDR/VSTR: "[Rn, #+-off]{!}", "[Rn], #+-off",
    // "[Rn], {0xNN}" or the PC-relative target.
    void emitCoprocessorAddress(bool p, bool u, bool w, int rn, uint32_t imm8);
    // " Rt{, Rt2}, <other>" for a move to core registers, " <other>, Rt{, Rt2}" for a move
    // from them (rt2 < 0: a single core register).
    template <typename EmitOther>
    void emitCoreTransfer(bool toCore, int rt, int rt2, EmitOther emitOther)
    {
        emitChar(' ');
        if (!toCore) {
            emitOther();
            emitSeparator();
        }
        emitRegister(rt);
        if (rt2 >= 0) {
            emitSeparator();
            emitRegister(rt2);
        }
        if (toCore) {
            emitSeparator();
            emitOther();
        }
    }
    void xscaleAccumulatorTransfer(bool l, int rdHi, int rdLo, int accumulator);
    void xscaleMultiplyAccumulate(int opcode, int accumulator, int rm, int rs);

    // ---- VFP (arm/VfpText.cpp, arm/VfpTransferText.cpp) ----
    struct VfpRegister {
        bool dbl;       // "d" (else "s")
        int number;
    };
    // A register from its 4-bit field and extra bit: field:bit for singles, bit:field for
    // doubles.
    static VfpRegister vfpRegister(bool dbl, int field, bool extra);
    // The fields of a data-processing word; dbl for coprocessor 11, dBit is bit 22 and
    // opc2 bits 7:5 (N, op, M).
    struct VfpFields {
        bool dbl;
        int crn, crd, crm, opc2;
        bool dBit;
        VfpRegister d(bool asDouble) const { return vfpRegister(asDouble, crd, dBit); }
        VfpRegister n(bool asDouble) const { return vfpRegister(asDouble, crn, opc2 >> 2 & 1); }
        VfpRegister m(bool asDouble) const { return vfpRegister(asDouble, crm, opc2 & 1); }
    };
    void emitVfpRegister(VfpRegister r);
    // " r1, r2, ...": a blank, then the registers separated by ", ".
    void emitVfpRegisters(std::initializer_list<VfpRegister> list);
    // Legacy: legacy name, precision letter ('s', 'd', 'x'), cond. Unified (and forms
    // without a legacy name): unified name, cond, `type` (".f32"/".f64" by precision when
    // null) and `sourceType`.
    void emitVfpMnemonic(const char* legacy, const char* unified, char precision,
                         const char* type = nullptr, const char* sourceType = nullptr);
    void vfpDataOperation(bool unconditional, int opc1, const VfpFields& fields);
    void vfpOtherDataOperation(const VfpFields& fields);
    void vfpFixedPointConversion(const VfpFields& fields);
    void vfpArmV8DataOperation(int form, const VfpFields& fields);
    void vfpLoadStore(bool p, bool u, bool dBit, bool w, bool l, int rn, int crd, bool dbl,
                      uint32_t imm8);
    void vfpLoadStoreMultiple(bool p, bool u, bool dBit, bool w, bool l, int rn, int crd,
                              bool dbl, uint32_t imm8);
    void vfpTwoRegisters(bool l, int rt2, int rt, bool dbl, int opc1, int crm);
    void vfpRegisterTransfer(int opc1, bool l, int crn, int rt, bool dbl, int opc2);
    void vfpSystemRegisterTransfer(bool l, int crn, int rt);
    void vfpScalarTransfer(int opc1, bool l, int crn, int rt, int opc2);
    void emitScalar(VfpRegister d, int index);
    void simdDuplicate(int be, bool q, VfpRegister d, int rt, int opc2);

    // ---- A32 handlers ----
    void loadStoreImmediate(bool p, bool u, bool b, bool w, bool l, int rn, int rt,
                            uint32_t imm12) override;
    void loadStoreRegister(bool p, bool u, bool b, bool w, bool l, int rn, int rt,
                           int shiftAmount, int shiftType, int rm) override;
    void branch(bool link, uint32_t imm24) override;
    void loadStoreMultiple(bool p, bool u, bool s, bool w, bool l, int rn,
                           uint32_t registerList) override;
    void dataProcessingImmediate(int opcode, bool s, int rn, int rd, int rotate,
                                 uint32_t imm8) override;
    void dataProcessingShiftImmediate(int opcode, bool s, int rn, int rd, int shiftAmount,
                                      int shiftType, int rm) override;
    void dataProcessingShiftRegister(int opcode, bool s, int rn, int rd, int rs,
                                     int shiftType, int rm) override;
    void swap(bool b, int rn, int rt, int rt2) override;
    void exclusive(int op, int rn, int rd, int rt) override;
    void loadStoreExtra(bool p, bool u, bool i, bool w, bool l, int rn, int rt, int imm4H,
                        int op, int imm4L) override;
    void moveFromStatus(bool r, bool banked, int sysm, int rd) override;
    void moveToStatusImmediate(bool r, int mask, int rotate, uint32_t imm8) override;
    void moveToStatusRegister(bool r, bool banked, int mask, int sysm, int rm) override;
    void branchExchange(int op, int rm) override;
    void branchLinkExchangeImmediate(bool h, uint32_t imm24) override;
    void coprocessorLoadStore(bool unconditional, bool p, bool u, bool d, bool w, bool l,
                              int rn, int crd, int coprocessor, uint32_t imm8) override;
    void coprocessorTwoRegisters(bool unconditional, bool l, int rt2, int rt, int coprocessor,
                                 int opc1, int crm) override;
    void coprocessorDataOperation(bool unconditional, int opc1, int crn, int crd,
                                  int coprocessor, int opc2, int crm) override;
    void coprocessorRegisterTransfer(bool unconditional, int opc1, bool l, int crn, int rt,
                                     int coprocessor, int opc2, int crm) override;
    void countLeadingZeros(int rd, int rm) override;
    void breakpoint(uint32_t imm16) override;
    void secureMonitorCall(uint32_t imm4) override;
    void multiplyAccumulate(bool s, int rd, int rn, int rm, int ra) override;
    void multiplySubtract(int rd, int rn, int rm, int ra) override;
    void multiply(bool s, int rd, int rn, int rm) override;
    void signedMultiplyLong(bool s, int rdLo, int rdHi, int rn, int rm) override;
    void signedMultiplyAccumulateLong(bool s, int rdLo, int rdHi, int rn, int rm) override;
    void unsignedMultiplyAccumulateAccumulateLong(int rdLo, int rdHi, int rn, int rm) override;
    void unsignedMultiplyLong(bool s, int rdLo, int rdHi, int rn, int rm) override;
    void unsignedMultiplyAccumulateLong(bool s, int rdLo, int rdHi, int rn, int rm) override;
    void signedMultiplyAccumulateHalfwords(int rd, int rn, int rm, int ra, bool n,
                                           bool m) override;
    void signedMultiplyAccumulateWordHalfword(int rd, int rn, int rm, int ra, bool m) override;
    void signedMultiplyWordHalfword(int rd, int rn, int rm, bool m) override;
    void signedMultiplyAccumulateLongHalfwords(int rdLo, int rdHi, int rn, int rm, bool n,
                                               bool m) override;
    void signedMultiplyHalfwords(int rd, int rn, int rm, bool n, bool m) override;
    void signedMultiplyAccumulateDual(int rd, int rn, int rm, int ra, bool x) override;
    void signedMultiplyAccumulateLongDual(int rdLo, int rdHi, int rn, int rm, bool x) override;
    void signedDualMultiplyAdd(int rd, int rn, int rm, bool x) override;
    void signedMultiplySubtractDual(int rd, int rn, int rm, int ra, bool x) override;
    void signedMultiplySubtractLongDual(int rdLo, int rdHi, int rn, int rm, bool x) override;
    void signedDualMultiplySubtract(int rd, int rn, int rm, bool x) override;
    void signedMostSignificantWordMultiply(int rd, int rn, int rm, bool r) override;
    void signedMostSignificantWordMultiplyAccumulate(int rd, int rn, int rm, int ra,
                                                     bool r) override;
    void signedMostSignificantWordMultiplySubtract(int rd, int rn, int rm, int ra,
                                                   bool r) override;
    void unsignedSumAbsoluteDifferences(int rd, int rn, int rm) override;
    void unsignedSumAbsoluteDifferencesAccumulate(int rd, int rn, int rm, int ra) override;
    void divide(bool isUnsigned, int rd, int rn, int rm) override;
    void undefinedInstruction() override;
    void supervisorCall(uint32_t imm24) override;
    void changeProcessorState(int imod, bool m, bool a, bool i, bool f, int mode) override;
    void setEndianness(bool bigEndian) override;
    void preload(bool instruction, bool registerForm, bool u, int rn, uint32_t imm12,
                 int shiftAmount, int shiftType, int rm) override;
    void storeReturnState(bool p, bool u, bool w, int mode) override;
    void returnFromException(bool p, bool u, bool w, int rn) override;
    void packHalfword(bool tb, int rd, int rn, int rm, int shiftAmount) override;
    void saturate(bool isUnsigned, int rd, int saturateTo, int rn, bool sh,
                  int shiftAmount) override;
    void saturate16(bool isUnsigned, int rd, int saturateTo, int rn) override;
    void selectBytes(int rd, int rn, int rm) override;
    void byteReverse(int op, int rd, int rm) override;
    void bitFieldClearInsert(int rd, int rn, int lsb, int msb) override;
    void bitFieldExtract(bool isUnsigned, int rd, int rn, int lsb, int widthMinus1) override;
    void moveWide(bool top, int rd, uint32_t imm16) override;
    void reverseBits(int rd, int rm) override;

    // ---- Thumb operand helpers (arm/ThumbDisassembler*.cpp) ----
    void emitT16Offset(int rt, int rn, uint32_t offset);
    void emitT32DataProcessingPrefix(int op, bool s, int rn, int rd, bool immediate);
    void emitT32LoadStoreMnemonic(int size, bool isSigned, bool l, bool unprivileged, bool wide);
    void emitT32LoadStoreOperands(int rt, int rn, const char* between, uint32_t offset,
                                  const char* after);
    void emitT32Preload(bool instruction, int rn, const char* between, uint32_t offset);
    bool isMProfileStatusAccess(bool r, bool banked, int mask) const;
    void emitSpecialRegister(int sysm);

    // ---- T16 handlers (arm/ThumbDisassembler.cpp) ----
    void shiftImmediate16(int op, int imm5, int rm, int rd) override;
    void addSubtractRegister16(bool sub, int rm, int rn, int rd) override;
    void addSubtractImmediate3(bool sub, int imm3, int rn, int rd) override;
    void moveCompareAddSubtractImmediate8(int op, int rdn, uint32_t imm8) override;
    void dataProcessingRegister16(int op, int rm, int rdn) override;
    void highRegisterOperation(int op, int rdn, int rm) override;
    void branchExchange16(bool link, int rm, bool nonSecure) override;
    void loadLiteral16(int rt, uint32_t imm8) override;
    void loadStoreRegister16(int op, int rm, int rn, int rt) override;
    void loadStoreWordByteImmediate16(bool b, bool l, int imm5, int rn, int rt) override;
    void loadStoreHalfwordImmediate16(bool l, int imm5, int rn, int rt) override;
    void loadStoreStackRelative16(bool l, int rt, uint32_t imm8) override;
    void addressToRegister16(bool sp, int rd, uint32_t imm8) override;
    void adjustStackPointer16(bool sub, uint32_t imm7) override;
    void extend16(int op, int rm, int rd) override;
    void reverseBytes(int op, int rm, int rd) override;
    void pushPop16(bool pop, bool r, uint32_t registerList) override;
    void breakpoint16(uint32_t imm8) override;
    void setEndianness16(bool bigEndian) override;
    void changeProcessorState16(bool disable, bool a, bool i, bool f) override;
    void compareBranchZero(bool nonZero, int i, int imm5, int rn) override;
    void ifThen(int firstCondition, int mask) override;
    void noOperation16() override;
    void sendEvent16() override;
    void waitForEvent16() override;
    void waitForInterrupt16() override;
    void yield16() override;
    void loadStoreMultiple16(bool l, int rn, uint32_t registerList) override;
    void conditionalBranch16(int cond, uint32_t imm8) override;
    void supervisorCall16(uint32_t imm8) override;
    void branch16(uint32_t imm11) override;
    void branchLinkExchangeSuffix(uint32_t imm11) override;
    void branchLinkPrefix(uint32_t imm11) override;
    void branchLinkSuffix(uint32_t imm11) override;
    void undefinedInstruction16() override;

    // ---- T32 handlers (arm/ThumbDisassembler.cpp) ----
    void dataProcessingModifiedImmediate(int op, bool s, int rn, int rd,
                                         uint32_t imm12) override;
    void addSubtractWideImmediate(bool sub, int rn, int rd, uint32_t imm12) override;
    void moveWide32(bool top, int rd, uint32_t imm16) override;
    void saturateBitField32(int op, int rn, int rd, int imm5, int low5) override;
    void dataProcessingShiftedRegister32(int op, bool s, int rn, int rd, int shiftAmount,
                                         int shiftType, int rm) override;
    void shiftRegister32(int shiftType, bool s, int rn, int rd, int rm) override;
    void divide32(bool isUnsigned, int rn, int rd, int rm) override;
    void loadLiteral32(int size, bool isSigned, bool u, int rt, uint32_t imm12) override;
    void loadStorePositiveImmediate32(int size, bool isSigned, bool l, int rn, int rt,
                                      uint32_t imm12) override;
    void loadStoreNegativeImmediate32(int size, bool isSigned, bool l, int rn, int rt,
                                      uint32_t imm8) override;
    void loadStoreUnprivileged32(int size, bool isSigned, bool l, int rn, int rt,
                                 uint32_t imm8) override;
    void loadStorePostIndexed32(int size, bool isSigned, bool l, bool u, int rn, int rt,
                                uint32_t imm8) override;
    void loadStorePreIndexed32(int size, bool isSigned, bool l, bool u, int rn, int rt,
                               uint32_t imm8) override;
    void loadStoreRegister32(int size, bool isSigned, bool l, int rn, int rt, int shiftAmount,
                             int rm) override;
    void preloadLiteral32(bool instruction, bool u, uint32_t imm12) override;
    void preloadPositive32(bool instruction, int rn, uint32_t imm12) override;
    void preloadNegative32(bool instruction, int rn, uint32_t imm8) override;
    void preloadRegister32(bool instruction, int rn, int shiftAmount, int rm) override;
    void loadStoreDual32(bool p, bool u, bool w, bool l, int rn, int rt, int rt2,
                         uint32_t imm8) override;
    void exclusiveWord32(bool l, int rn, int rt, int rd, uint32_t imm8) override;
    void tableBranchExclusive32(int op, bool l, int rn, int rt, int rt2, int rdOrRm) override;
    void loadStoreMultiple32(int op, bool w, bool l, int rn, uint32_t registerList) override;
    void returnFromException32(bool decrementBefore, bool w, int rn) override;
    void storeReturnState32(bool decrementBefore, bool w, int mode) override;
    void branch32(int32_t offset) override;
    void branchLink32(int32_t offset) override;
    void branchLinkExchange32(int32_t offset) override;
    void conditionalBranch32(int cond, int32_t offset) override;
    void moveToStatus32(bool r, int mask, int rn, int sysm, bool banked) override;
    void changeProcessorState32(int imod, bool m, bool a, bool i, bool f, int mode) override;
    void branchExchangeJazelle32(int rm) override;
    void exceptionReturnSubtract32(int rn, uint32_t imm8) override;
    void moveFromStatus32(bool r, int rn, int rd, int sysm, bool banked) override;
    void undefinedInstruction32() override;
    void secureGateway() override;
    void testTarget(bool a, bool t, int rn, int rd) override;
    void loadAcquireStoreRelease(bool l, int op, int rn, int rt, int rd) override;

    // ---- shared handlers ----
    void saturatingAddSubtract(int op, int rd, int rn, int rm) override;
    void parallelAddSubtract(int prefix, int op, int rd, int rn, int rm) override;
    void extend(int op, int rd, int rn, int rm, int rotation) override;
    void noOperation() override;
    void sendEvent() override;
    void waitForEvent() override;
    void waitForInterrupt() override;
    void yield() override;
    void debugHint(int option) override;
    void clearExclusive() override;
    void dataSynchronizationBarrier(int option) override;
    void dataMemoryBarrier(int option) override;
    void instructionSynchronizationBarrier(int option) override;
    void advancedSimdDataProcessing(bool u, uint32_t bits) override;
    void advancedSimdLoadStore(uint32_t bits) override;
    void exceptionReturn() override;
    void hypervisorCall(uint32_t imm16) override;

    // ---- hooks ----
    bool conditionPasses(uint32_t condition, uint32_t address) override;
    uint32_t nextThumbCondition() override;
    // Base: "0x" and eight upper-case hex digits of targetAddress.
    void printTargetAddress() override;
    // Base: no.
    bool literalValue(uint32_t literalAddress, uint32_t& value) override;

    // ---- Advanced SIMD (arm/AdvancedSimd*.cpp) ----
    // Handler 149 decodes the A32 layout (T32 words arrive converted): U and bits 23:0.
    // A form that turns out undefined part-way through sets simdUndefined; the handler
    // then replaces its text with "undefined opcode".
    bool simdUndefined = false;
    // Data-type kinds of the suffix printer.
    enum SimdKind { SimdSigned, SimdUnsigned, SimdInteger, SimdFloat, SimdPolynomial,
                    SimdSizeOnly };
    // Lane operand of a list register: none, all lanes "[]", or an index "[n]".
    static constexpr int kNoLane = -1;
    static constexpr int kAllLanes = -2;
    // name, cond, then ".s"/".u"/".i"/".f"/".p" and 8/16/32/64 by size (0-3); names that
    // end in "." take only the size.
    void emitSimdMnemonic(const char* name, int kind, int size);
    // name, cond, "." and the element size: the forms typed by size alone (vext, vtbl,
    // vdup, vld1-vld4, vst1-vst4).
    void emitSimdSizedMnemonic(const char* name, int size);
    // " d0, q1, ..." from a kind string ('d' or 'q' per operand); a q operand prints the
    // register number halved and marks the form undefined when the number is odd.
    void emitSimdRegisters(const char* kinds, int r0, int r1 = 0, int r2 = 0);
    // ", d<m>[x]": the scalar operand of the by-scalar forms for element size 16 or 32.
    void emitSimdScalar(int size, int m);
    // " { d<first>, d<first+spacing>, ... }", each register followed by its lane.
    void emitSimdList(int first, int count, int spacing, int lane);
    // ", #" and a decimal number (shift amounts, fraction bits, vext index).
    void emitSimdShift(int amount);
    // ", #" and the value of a modified immediate (decimal up to 32, else hex).
    void emitSimdImmediate(uint64_t value);
    // ", #" and the floating-point value of an 8-bit VFP-style immediate, exactly.
    void emitSimdFloatImmediate(uint32_t imm8);
    void emitSimdThreeSame(bool u, uint32_t bits);
    void emitSimdThreeSameFloat(bool u, uint32_t bits);
    void emitSimdThreeDifferent(bool u, uint32_t bits);
    void emitSimdScalarForm(bool u, uint32_t bits);
    void emitSimdShiftForm(bool u, uint32_t bits);
    void emitSimdModifiedImmediate(bool u, uint32_t bits);
    void emitSimdMisc(uint32_t bits);
    void emitSimdMiscFloat(uint32_t bits);
    void emitSimdExtractTableDuplicate(bool u, uint32_t bits);
};
