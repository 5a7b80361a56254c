#pragma once
// The ARM instruction decoder: takes A32 words, T16 halfwords and T32 halfword pairs
// apart into their fields and calls one virtual handler per instruction form. It knows
// nothing about text; ARMInstructionSetDisassembler implements the handlers.
//
// Handler table order (entry numbers in the comments) is fixed: 0-62 and 136-156 are
// reached from the A32 tree, 63-97 from the T16 tree, 98-135 and 139-144 from the T32
// tree (which also calls many A32 handlers). Register arguments are register numbers
// 0-15; other arguments are the raw encoding fields unless stated otherwise.
#include "arm/ArchitectureGating.h"
#include <cstdint>


class ARMInstructionSetDecoder {
public:
    ARMInstructionSetDecoder(ArchitectureLevel level, int32_t processorModel);
    virtual ~ARMInstructionSetDecoder() = default;

    // Runs the A32 tree on one word at `address`.
    void decodeArm(uint32_t address, uint32_t word);

    // Thumb entry (arm/ThumbDecoder.cpp): one halfword at `address`. Keeps a first half
    // of a 32-bit instruction in firstHalf/pendingSecondHalf and runs the T32 tree when
    // the second half arrives; otherwise runs the T16 tree.
    void decodeThumb(uint32_t address, uint16_t halfword);
    // The T16 tree on one halfword and the T32 tree on a pair (arm/ThumbDecoder.cpp).
    void decodeThumb16(uint32_t address, uint16_t halfword);
    void decodeThumb32(uint32_t address, uint16_t first, uint16_t second);

protected:
    // A32 sub-trees (arm/ARMDecoderA32.cpp).
    void decodeArmUnconditional(uint32_t word);
    void decodeArmDataProcessingAndMisc(uint32_t word);
    void decodeArmMiscellaneous(uint32_t word);
    void decodeArmExtraLoadStore(uint32_t word);
    void decodeArmMultiply(uint32_t word);
    void decodeArmHalfwordMultiply(uint32_t word);
    void decodeArmLoadStoreWordByte(uint32_t word);
    void decodeArmMedia(uint32_t word);
    void decodeArmMediaPackSaturateReverse(uint32_t word);
    void decodeArmMediaSignedMultiply(uint32_t word);
    void decodeArmCoprocessor(uint32_t word, bool unconditional);
    // The gating row of `level` (arm/ArchitectureGating.cpp).
    const ArchitectureFeatures& admits() const { return architectureFeatures(level); }
    // Thumb sub-trees (arm/ThumbDecoder.cpp, arm/ThumbDecoder32.cpp).
    void decodeThumb16Miscellaneous(uint16_t hw);
    void decodeThumb32LoadStoreMultipleDual(uint16_t hw1, uint16_t hw2);
    void decodeThumb32DataProcessing(uint16_t hw1, uint16_t hw2);
    void decodeThumb32BranchesAndControl(uint16_t hw1, uint16_t hw2);
    void decodeThumb32MiscellaneousControl(uint16_t hw1, uint16_t hw2);
    void decodeThumb32LoadStoreSingle(uint16_t hw1, uint16_t hw2);
    void decodeThumb32Load(uint16_t hw1, uint16_t hw2);
    void decodeThumb32DataProcessingRegister(uint16_t hw1, uint16_t hw2);
    void decodeThumb32Multiply(uint16_t hw1, uint16_t hw2);
    void decodeThumb32LongMultiply(uint16_t hw1, uint16_t hw2);
    void decodeThumb32Coprocessor(uint16_t hw1, uint16_t hw2);

    // ---- A32 handlers (entries 0-62) ----
    // 0: LDR/STR/LDRB/STRB(T) with a 12-bit immediate offset; single-register PUSH/POP.
    virtual void loadStoreImmediate(bool p, bool u, bool b, bool w, bool l, int rn, int rt,
                                    uint32_t imm12) = 0;
    // 1: the same with a register offset shifted by an immediate.
    virtual void loadStoreRegister(bool p, bool u, bool b, bool w, bool l, int rn, int rt,
                                   int shiftAmount, int shiftType, int rm) = 0;
    // 2: B, BL.
    virtual void branch(bool link, uint32_t imm24) = 0;
    // 3: LDM/STM and their PUSH/POP forms.
    virtual void loadStoreMultiple(bool p, bool u, bool s, bool w, bool l, int rn,
                                   uint32_t registerList) = 0;
    // 4-6: data processing (opcode 0-15) with a rotated immediate, a register shifted by
    // an immediate, or a register shifted by a register.
    virtual void dataProcessingImmediate(int opcode, bool s, int rn, int rd, int rotate,
                                         uint32_t imm8) = 0;
    virtual void dataProcessingShiftImmediate(int opcode, bool s, int rn, int rd,
                                              int shiftAmount, int shiftType, int rm) = 0;
    virtual void dataProcessingShiftRegister(int opcode, bool s, int rn, int rd, int rs,
                                             int shiftType, int rm) = 0;
    // 7: SWP, SWPB.
    virtual void swap(bool b, int rn, int rt, int rt2) = 0;
    // 8: LDREX/STREX and B/H/D forms; op is bits 22:20 (0 STREX, 1 LDREX, 2 STREXD,
    // 3 LDREXD, 4 STREXB, 5 LDREXB, 6 STREXH, 7 LDREXH). rd is the status register.
    virtual void exclusive(int op, int rn, int rd, int rt) = 0;
    // 9: LDRH/STRH/LDRSB/LDRSH/LDRD/STRD (and T forms); op is bits 6:5; with i clear,
    // imm4L is Rm.
    virtual void loadStoreExtra(bool p, bool u, bool i, bool w, bool l, int rn, int rt,
                                int imm4H, int op, int imm4L) = 0;
    // 10: MRS; banked selects the banked form with register number sysm (0-31).
    virtual void moveFromStatus(bool r, bool banked, int sysm, int rd) = 0;
    // 11: MSR with an immediate.
    virtual void moveToStatusImmediate(bool r, int mask, int rotate, uint32_t imm8) = 0;
    // 12: MSR with a register; banked selects the banked form (sysm 0-31).
    virtual void moveToStatusRegister(bool r, bool banked, int mask, int sysm, int rm) = 0;
    // 13: op 1 BX, 2 BXJ, 3 BLX (register).
    virtual void branchExchange(int op, int rm) = 0;
    // 14: BLX (immediate).
    virtual void branchLinkExchangeImmediate(bool h, uint32_t imm24) = 0;
    // 15-18: coprocessor forms; `unconditional` selects the "2" forms.
    virtual void coprocessorLoadStore(bool unconditional, bool p, bool u, bool d, bool w,
                                      bool l, int rn, int crd, int coprocessor,
                                      uint32_t imm8) = 0;
    virtual void coprocessorTwoRegisters(bool unconditional, bool l, int rt2, int rt,
                                         int coprocessor, int opc1, int crm) = 0;
    virtual void coprocessorDataOperation(bool unconditional, int opc1, int crn, int crd,
                                          int coprocessor, int opc2, int crm) = 0;
    virtual void coprocessorRegisterTransfer(bool unconditional, int opc1, bool l, int crn,
                                             int rt, int coprocessor, int opc2, int crm) = 0;
    // 19: CLZ.
    virtual void countLeadingZeros(int rd, int rm) = 0;
    // 20: BKPT (imm16 = imm12:imm4).
    virtual void breakpoint(uint32_t imm16) = 0;
    // 21 (also T32 126): SMC.
    virtual void secureMonitorCall(uint32_t imm4) = 0;
    // 22-29: multiplies. The operands are given in printed order: rn is the first
    // source, rm the second, ra the accumulator (A32 MUL/MLA: rn = bits 3:0,
    // rm = bits 11:8).
    virtual void multiplyAccumulate(bool s, int rd, int rn, int rm, int ra) = 0;      // 22 MLA
    virtual void multiplySubtract(int rd, int rn, int rm, int ra) = 0;                // 23 MLS
    virtual void multiply(bool s, int rd, int rn, int rm) = 0;                        // 24 MUL
    virtual void signedMultiplyLong(bool s, int rdLo, int rdHi, int rn, int rm) = 0;  // 25
    virtual void signedMultiplyAccumulateLong(bool s, int rdLo, int rdHi, int rn,
                                              int rm) = 0;                            // 26
    virtual void unsignedMultiplyAccumulateAccumulateLong(int rdLo, int rdHi, int rn,
                                                          int rm) = 0;                // 27 UMAAL
    virtual void unsignedMultiplyLong(bool s, int rdLo, int rdHi, int rn, int rm) = 0; // 28
    virtual void unsignedMultiplyAccumulateLong(bool s, int rdLo, int rdHi, int rn,
                                                int rm) = 0;                          // 29
    // 30-34: halfword multiplies; n and m pick the top (true) or bottom halves.
    virtual void signedMultiplyAccumulateHalfwords(int rd, int rn, int rm, int ra, bool n,
                                                   bool m) = 0;                       // 30
    virtual void signedMultiplyAccumulateWordHalfword(int rd, int rn, int rm, int ra,
                                                      bool m) = 0;                    // 31
    virtual void signedMultiplyWordHalfword(int rd, int rn, int rm, bool m) = 0;      // 32
    virtual void signedMultiplyAccumulateLongHalfwords(int rdLo, int rdHi, int rn, int rm,
                                                       bool n, bool m) = 0;           // 33
    virtual void signedMultiplyHalfwords(int rd, int rn, int rm, bool n, bool m) = 0; // 34
    // 35-45: dual and most-significant-word multiplies; x selects the exchanged (X) or
    // rounding (R) form.
    virtual void signedMultiplyAccumulateDual(int rd, int rn, int rm, int ra, bool x) = 0;
    virtual void signedMultiplyAccumulateLongDual(int rdLo, int rdHi, int rn, int rm,
                                                  bool x) = 0;
    virtual void signedDualMultiplyAdd(int rd, int rn, int rm, bool x) = 0;
    virtual void signedMultiplySubtractDual(int rd, int rn, int rm, int ra, bool x) = 0;
    virtual void signedMultiplySubtractLongDual(int rdLo, int rdHi, int rn, int rm,
                                                bool x) = 0;
    virtual void signedDualMultiplySubtract(int rd, int rn, int rm, bool x) = 0;
    virtual void signedMostSignificantWordMultiply(int rd, int rn, int rm, bool r) = 0;
    virtual void signedMostSignificantWordMultiplyAccumulate(int rd, int rn, int rm, int ra,
                                                             bool r) = 0;
    virtual void signedMostSignificantWordMultiplySubtract(int rd, int rn, int rm, int ra,
                                                           bool r) = 0;
    virtual void unsignedSumAbsoluteDifferences(int rd, int rn, int rm) = 0;
    virtual void unsignedSumAbsoluteDifferencesAccumulate(int rd, int rn, int rm, int ra) = 0;
    // 46: SDIV, UDIV.
    virtual void divide(bool isUnsigned, int rd, int rn, int rm) = 0;
    // 47: anything the A32 tree rejects.
    virtual void undefinedInstruction() = 0;
    // 48: SVC.
    virtual void supervisorCall(uint32_t imm24) = 0;
    // 49: CPS (A32); imod bits 19:18, m bit 17.
    virtual void changeProcessorState(int imod, bool m, bool a, bool i, bool f, int mode) = 0;
    // 50: SETEND.
    virtual void setEndianness(bool bigEndian) = 0;
    // 51: PLD/PLI (A32); registerForm selects the shifted-register offset.
    virtual void preload(bool instruction, bool registerForm, bool u, int rn, uint32_t imm12,
                         int shiftAmount, int shiftType, int rm) = 0;
    // 52, 53: SRS, RFE.
    virtual void storeReturnState(bool p, bool u, bool w, int mode) = 0;
    virtual void returnFromException(bool p, bool u, bool w, int rn) = 0;
    // 54-62: media.
    virtual void packHalfword(bool tb, int rd, int rn, int rm, int shiftAmount) = 0;    // 54
    virtual void saturate(bool isUnsigned, int rd, int saturateTo, int rn, bool sh,
                          int shiftAmount) = 0;                                         // 55
    virtual void saturate16(bool isUnsigned, int rd, int saturateTo, int rn) = 0;        // 56
    virtual void selectBytes(int rd, int rn, int rm) = 0;                               // 57
    // 58: op 0 REV, 1 REV16, 3 REVSH.
    virtual void byteReverse(int op, int rd, int rm) = 0;
    virtual void bitFieldClearInsert(int rd, int rn, int lsb, int msb) = 0;             // 59
    virtual void bitFieldExtract(bool isUnsigned, int rd, int rn, int lsb,
                                 int widthMinus1) = 0;                                  // 60
    virtual void moveWide(bool top, int rd, uint32_t imm16) = 0;                        // 61
    virtual void reverseBits(int rd, int rm) = 0;                                       // 62

    // ---- T16 handlers (entries 63-97) ----
    virtual void shiftImmediate16(int op, int imm5, int rm, int rd) = 0;                 // 63
    virtual void addSubtractRegister16(bool sub, int rm, int rn, int rd) = 0;            // 64
    virtual void addSubtractImmediate3(bool sub, int imm3, int rn, int rd) = 0;          // 65
    virtual void moveCompareAddSubtractImmediate8(int op, int rdn, uint32_t imm8) = 0;   // 66
    virtual void dataProcessingRegister16(int op, int rm, int rdn) = 0;                  // 67
    virtual void highRegisterOperation(int op, int rdn, int rm) = 0;                     // 68
    virtual void branchExchange16(bool link, int rm, bool nonSecure) = 0;                // 69
    virtual void loadLiteral16(int rt, uint32_t imm8) = 0;                               // 70
    virtual void loadStoreRegister16(int op, int rm, int rn, int rt) = 0;                // 71
    virtual void loadStoreWordByteImmediate16(bool b, bool l, int imm5, int rn,
                                              int rt) = 0;                               // 72
    virtual void loadStoreHalfwordImmediate16(bool l, int imm5, int rn, int rt) = 0;     // 73
    virtual void loadStoreStackRelative16(bool l, int rt, uint32_t imm8) = 0;            // 74
    virtual void addressToRegister16(bool sp, int rd, uint32_t imm8) = 0;               // 75
    virtual void adjustStackPointer16(bool sub, uint32_t imm7) = 0;                      // 76
    virtual void extend16(int op, int rm, int rd) = 0;                                   // 77
    // 78 (also T32): op 0 REV, 1 REV16, 2 (no name), 3 REVSH.
    virtual void reverseBytes(int op, int rm, int rd) = 0;
    virtual void pushPop16(bool pop, bool r, uint32_t registerList) = 0;                 // 79
    virtual void breakpoint16(uint32_t imm8) = 0;                                        // 80
    virtual void setEndianness16(bool bigEndian) = 0;                                    // 81
    virtual void changeProcessorState16(bool disable, bool a, bool i, bool f) = 0;       // 82
    virtual void compareBranchZero(bool nonZero, int i, int imm5, int rn) = 0;           // 83
    virtual void ifThen(int firstCondition, int mask) = 0;                               // 84
    virtual void noOperation16() = 0;                                                    // 85
    virtual void sendEvent16() = 0;                                                      // 86
    virtual void waitForEvent16() = 0;                                                   // 87
    virtual void waitForInterrupt16() = 0;                                               // 88
    virtual void yield16() = 0;                                                          // 89
    virtual void loadStoreMultiple16(bool l, int rn, uint32_t registerList) = 0;         // 90
    virtual void conditionalBranch16(int cond, uint32_t imm8) = 0;                       // 91
    virtual void supervisorCall16(uint32_t imm8) = 0;                                    // 92
    virtual void branch16(uint32_t imm11) = 0;                                           // 93
    virtual void branchLinkExchangeSuffix(uint32_t imm11) = 0;                           // 94
    virtual void branchLinkPrefix(uint32_t imm11) = 0;                                   // 95
    virtual void branchLinkSuffix(uint32_t imm11) = 0;                                   // 96
    // 97: the T16 tree's `undefinedInstruction`.
    virtual void undefinedInstruction16() = 0;

    // ---- T32 handlers (entries 98-135) ----
    virtual void dataProcessingModifiedImmediate(int op, bool s, int rn, int rd,
                                                 uint32_t imm12) = 0;                    // 98
    virtual void addSubtractWideImmediate(bool sub, int rn, int rd, uint32_t imm12) = 0;  // 99
    virtual void moveWide32(bool top, int rd, uint32_t imm16) = 0;                       // 100
    // 101: op is bits 24:21 of the first halfword (bits 8:5); imm5 = imm3:imm2;
    // low5 = bits 4:0 of the second halfword (sat_imm or msb or widthm1).
    virtual void saturateBitField32(int op, int rn, int rd, int imm5, int low5) = 0;
    virtual void dataProcessingShiftedRegister32(int op, bool s, int rn, int rd,
                                                 int shiftAmount, int shiftType,
                                                 int rm) = 0;                            // 102
    virtual void shiftRegister32(int shiftType, bool s, int rn, int rd, int rm) = 0;     // 103
    virtual void divide32(bool isUnsigned, int rn, int rd, int rm) = 0;                  // 104
    // 105-111: size 0 byte, 1 halfword, 2 word; isSigned selects the sign-extending form.
    virtual void loadLiteral32(int size, bool isSigned, bool u, int rt, uint32_t imm12) = 0;
    virtual void loadStorePositiveImmediate32(int size, bool isSigned, bool l, int rn,
                                              int rt, uint32_t imm12) = 0;               // 106
    virtual void loadStoreNegativeImmediate32(int size, bool isSigned, bool l, int rn,
                                              int rt, uint32_t imm8) = 0;                // 107
    virtual void loadStoreUnprivileged32(int size, bool isSigned, bool l, int rn, int rt,
                                         uint32_t imm8) = 0;                             // 108
    virtual void loadStorePostIndexed32(int size, bool isSigned, bool l, bool u, int rn,
                                        int rt, uint32_t imm8) = 0;                      // 109
    virtual void loadStorePreIndexed32(int size, bool isSigned, bool l, bool u, int rn,
                                       int rt, uint32_t imm8) = 0;                       // 110
    virtual void loadStoreRegister32(int size, bool isSigned, bool l, int rn, int rt,
                                     int shiftAmount, int rm) = 0;                       // 111
    // 112-115: PLD/PLI; `instruction` selects PLI.
    virtual void preloadLiteral32(bool instruction, bool u, uint32_t imm12) = 0;
    virtual void preloadPositive32(bool instruction, int rn, uint32_t imm12) = 0;
    virtual void preloadNegative32(bool instruction, int rn, uint32_t imm8) = 0;
    virtual void preloadRegister32(bool instruction, int rn, int shiftAmount, int rm) = 0;
    virtual void loadStoreDual32(bool p, bool u, bool w, bool l, int rn, int rt, int rt2,
                                 uint32_t imm8) = 0;                                     // 116
    virtual void exclusiveWord32(bool l, int rn, int rt, int rd, uint32_t imm8) = 0;     // 117
    // 118: op is bits 7:4 of the second halfword (0 TBB, 1 TBH, 4 B, 5 H, 7 D
    // exclusives); rt2 is bits 11:8, rdOrRm bits 3:0 of the second halfword.
    virtual void tableBranchExclusive32(int op, bool l, int rn, int rt, int rt2,
                                        int rdOrRm) = 0;
    // 119: op 1 increment after, 2 decrement before.
    virtual void loadStoreMultiple32(int op, bool w, bool l, int rn, uint32_t registerList) = 0;
    virtual void returnFromException32(bool decrementBefore, bool w, int rn) = 0;        // 120
    virtual void storeReturnState32(bool decrementBefore, bool w, int mode) = 0;         // 121
    // 122-125: offsets are the signed byte offsets the architecture defines.
    virtual void branch32(int32_t offset) = 0;                                           // 122
    virtual void branchLink32(int32_t offset) = 0;                                       // 123
    virtual void branchLinkExchange32(int32_t offset) = 0;                               // 124
    virtual void conditionalBranch32(int cond, int32_t offset) = 0;                      // 125
    // 126 is secureMonitorCall (entry 21).
    // 127: MSR; sysm is bits 7:0 of the second half (the M-profile SYSm). With banked
    // (bit 5), the A/R-profile banked register number is sysm bit 4 and mask.
    virtual void moveToStatus32(bool r, int mask, int rn, int sysm, bool banked) = 0;
    virtual void changeProcessorState32(int imod, bool m, bool a, bool i, bool f,
                                        int mode) = 0;                                   // 128
    virtual void branchExchangeJazelle32(int rm) = 0;                                    // 129
    virtual void exceptionReturnSubtract32(int rn, uint32_t imm8) = 0;                   // 130
    // 131: MRS; sysm as for 127, the banked register number is sysm bit 4 and rn.
    virtual void moveFromStatus32(bool r, int rn, int rd, int sysm, bool banked) = 0;
    // 132: the T32 tree's `undefinedInstruction`.
    virtual void undefinedInstruction32() = 0;
    virtual void secureGateway() = 0;                                                    // 133
    virtual void testTarget(bool a, bool t, int rn, int rd) = 0;                         // 134
    // 135: op is bits 7:4 of the second halfword; rd is bits 3:0.
    virtual void loadAcquireStoreRelease(bool l, int op, int rn, int rt, int rd) = 0;

    // ---- shared handlers (136-152) ----
    // 136: op 0 QADD, 1 QSUB, 2 QDADD, 3 QDSUB.
    virtual void saturatingAddSubtract(int op, int rd, int rn, int rm) = 0;
    // 137: prefix is A32 bits 22:20 (1 s, 2 q, 3 sh, 5 u, 6 uq, 7 uh), op bits 7:5
    // (0 add16, 1 asx, 2 sax, 3 sub16, 4 add8, 7 sub8).
    virtual void parallelAddSubtract(int prefix, int op, int rd, int rn, int rm) = 0;
    // 138: op is A32 bits 22:20 (0 SXTAB16, 2 SXTAB, 3 SXTAH, 4 UXTAB16, 6 UXTAB,
    // 7 UXTAH); rn 15 is the form without accumulator; rotation 0-3.
    virtual void extend(int op, int rd, int rn, int rm, int rotation) = 0;
    // 139-144: hints (".w" when decoding Thumb).
    virtual void noOperation() = 0;
    virtual void sendEvent() = 0;
    virtual void waitForEvent() = 0;
    virtual void waitForInterrupt() = 0;
    virtual void yield() = 0;
    virtual void debugHint(int option) = 0;
    // 145-148.
    virtual void clearExclusive() = 0;
    virtual void dataSynchronizationBarrier(int option) = 0;
    virtual void dataMemoryBarrier(int option) = 0;
    virtual void instructionSynchronizationBarrier(int option) = 0;
    // 149, 150: Advanced SIMD; `bits` are the low 24 bits of the A32 form.
    virtual void advancedSimdDataProcessing(bool u, uint32_t bits) = 0;
    virtual void advancedSimdLoadStore(uint32_t bits) = 0;
    virtual void exceptionReturn() = 0;                                                  // 151
    virtual void hypervisorCall(uint32_t imm16) = 0;                                     // 152

    // ---- hooks (153-156) ----
    // 153: asked before a conditional A32 instruction and before every Thumb instruction.
    virtual bool conditionPasses(uint32_t condition, uint32_t address) = 0;
    // 154: the condition of the next Thumb instruction; advances the IT state.
    virtual uint32_t nextThumbCondition() = 0;
    // 155: prints targetAddress.
    virtual void printTargetAddress() = 0;
    // 156: may a PC-relative word load at `literalAddress` be shown by its value?
    virtual bool literalValue(uint32_t literalAddress, uint32_t& value) = 0;

public:
    // ---- state, in this order ----
    bool pendingSecondHalf = false;     // a Thumb first half waits for its second half
    uint16_t firstHalf = 0;             // that first half
    ArchitectureLevel level;
    int32_t processorModel;             // 28 selects the XScale MIA forms
    uint32_t condition = 14;            // of the instruction being decoded
    uint32_t targetAddress = 0;         // last branch or address target
    bool isArm = false;                 // an A32 word is being decoded
};
