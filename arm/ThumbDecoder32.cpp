// The T32 decision tree: a pair of halfwords taken apart along the 32-bit Thumb
// encoding tables (ARMv7-A/R, ARMv7-M and the ARMv8-M security extension). It does not
// consult the level: every level that reaches it has Thumb-2.
#include "arm/ARMInstructionSetDecoder.h"

namespace {

uint32_t field(uint32_t value, int high, int low)
{
    return (value >> low) & ((1u << (high - low + 1)) - 1);
}

bool isBit(uint32_t value, int n)
{
    return (value >> n) & 1;
}

int32_t signExtend(uint32_t value, int bits)
{
    const uint32_t sign = 1u << (bits - 1);
    return static_cast<int32_t>((value ^ sign) - sign);
}

// S:I1:I2:imm10:imm11:0 with I1 = NOT(J1 XOR S), I2 = NOT(J2 XOR S).
int32_t branchOffset24(uint16_t hw1, uint16_t hw2)
{
    const uint32_t s = isBit(hw1, 10);
    const uint32_t i1 = !(isBit(hw2, 13) ^ s);
    const uint32_t i2 = !(isBit(hw2, 11) ^ s);
    const uint32_t value = s << 24 | i1 << 23 | i2 << 22 | field(hw1, 9, 0) << 12
        | field(hw2, 10, 0) << 1;
    return signExtend(value, 25);
}

// S:J2:J1:imm6:imm11:0 of the conditional branch.
int32_t branchOffset20(uint16_t hw1, uint16_t hw2)
{
    const uint32_t value = isBit(hw1, 10) << 20 | isBit(hw2, 11) << 19 | isBit(hw2, 13) << 18
        | field(hw1, 5, 0) << 12 | field(hw2, 10, 0) << 1;
    return signExtend(value, 21);
}

} // namespace

void ARMInstructionSetDecoder::decodeThumb32(uint32_t, uint16_t hw1, uint16_t hw2)
{
    switch (field(hw1, 12, 11)) {
    case 1: // 11101
        if (isBit(hw1, 10))
            decodeThumb32Coprocessor(hw1, hw2);
        else if (isBit(hw1, 9))
            dataProcessingShiftedRegister32(field(hw1, 8, 5), isBit(hw1, 4), field(hw1, 3, 0),
                                            field(hw2, 11, 8),
                                            field(hw2, 14, 12) << 2 | field(hw2, 7, 6),
                                            field(hw2, 5, 4), field(hw2, 3, 0));
        else
            decodeThumb32LoadStoreMultipleDual(hw1, hw2);
        return;
    case 2: // 11110
        if (isBit(hw2, 15))
            decodeThumb32BranchesAndControl(hw1, hw2);
        else
            decodeThumb32DataProcessing(hw1, hw2);
        return;
    case 3: // 11111
        if (isBit(hw1, 10))
            decodeThumb32Coprocessor(hw1, hw2);
        else if (!isBit(hw1, 9))
            decodeThumb32LoadStoreSingle(hw1, hw2);
        else if (!isBit(hw1, 8))
            decodeThumb32DataProcessingRegister(hw1, hw2);
        else if (!isBit(hw1, 7))
            decodeThumb32Multiply(hw1, hw2);
        else
            decodeThumb32LongMultiply(hw1, hw2);
        return;
    default:
        undefinedInstruction32();
        return;
    }
}

// 1110 100x: load/store multiple, RFE/SRS, load/store dual and exclusive, table branch,
// load-acquire/store-release, SG and TT.
void ARMInstructionSetDecoder::decodeThumb32LoadStoreMultipleDual(uint16_t hw1, uint16_t hw2)
{
    const int rn = field(hw1, 3, 0);
    const int rt = field(hw2, 15, 12);
    const int rt2 = field(hw2, 11, 8);
    const bool w = isBit(hw1, 5);
    const bool l = isBit(hw1, 4);
    if (!isBit(hw1, 6)) {
        const int op = field(hw1, 8, 7);
        if (op == 1 || op == 2)
            loadStoreMultiple32(op, w, l, rn, hw2);
        else if (l)
            returnFromException32(op == 0, w, rn);
        else
            storeReturnState32(op == 0, w, field(hw2, 4, 0));
        return;
    }
    const int op1 = field(hw1, 8, 7);
    const int op2 = field(hw1, 5, 4);
    if (hw1 == 0xE97F && hw2 == 0xE97F) {
        secureGateway();
    } else if (op1 == 0 && op2 == 0) {
        if (rt == 15 && field(hw2, 5, 0) == 0)
            testTarget(isBit(hw2, 7), isBit(hw2, 6), rn, rt2);
        else
            exclusiveWord32(false, rn, rt, rt2, field(hw2, 7, 0));
    } else if (op1 == 0 && op2 == 1) {
        exclusiveWord32(true, rn, rt, rt2, field(hw2, 7, 0));
    } else if (op1 == 1 && (op2 & 2) == 0) {
        const int op3 = field(hw2, 7, 4);
        if (op3 & 8)
            loadAcquireStoreRelease(l, op3, rn, rt, field(hw2, 3, 0));
        else
            tableBranchExclusive32(op3, l, rn, rt, rt2, field(hw2, 3, 0));
    } else {
        loadStoreDual32(isBit(hw1, 8), isBit(hw1, 7), w, l, rn, rt, rt2, field(hw2, 7, 0));
    }
}

// 11110 with bit 15 of the second half clear: modified immediate and plain binary
// immediate forms.
void ARMInstructionSetDecoder::decodeThumb32DataProcessing(uint16_t hw1, uint16_t hw2)
{
    const int rn = field(hw1, 3, 0);
    const int rd = field(hw2, 11, 8);
    const uint32_t imm12 = isBit(hw1, 10) << 11 | field(hw2, 14, 12) << 8 | field(hw2, 7, 0);
    if (!isBit(hw1, 9)) {
        dataProcessingModifiedImmediate(field(hw1, 8, 5), isBit(hw1, 4), rn, rd, imm12);
        return;
    }
    if (isBit(hw1, 4)) {
        undefinedInstruction32();
        return;
    }
    const int op = field(hw1, 8, 5);
    switch (op) {
    case 0x0:
    case 0x5:
        addSubtractWideImmediate(op == 5, rn, rd, imm12);
        return;
    case 0x2:
    case 0x6:
        moveWide32(op == 6, rd, rn << 12 | imm12);
        return;
    case 0x8: case 0x9: case 0xA: case 0xB: case 0xC: case 0xD: case 0xE:
        saturateBitField32(op, rn, rd, field(hw2, 14, 12) << 2 | field(hw2, 7, 6),
                           field(hw2, 4, 0));
        return;
    default:
        undefinedInstruction32();
        return;
    }
}

// 11110 with bit 15 of the second half set: branches and miscellaneous control.
void ARMInstructionSetDecoder::decodeThumb32BranchesAndControl(uint16_t hw1, uint16_t hw2)
{
    const int op1 = field(hw2, 14, 12);
    if (op1 & 4) { // BL, BLX
        if (op1 & 1)
            branchLink32(branchOffset24(hw1, hw2));
        else
            branchLinkExchange32(branchOffset24(hw1, hw2));
        return;
    }
    if (op1 & 1) {
        branch32(branchOffset24(hw1, hw2));
        return;
    }
    if (field(hw1, 9, 7) != 7) {
        conditionalBranch32(field(hw1, 9, 6), branchOffset20(hw1, hw2));
        return;
    }
    if (isBit(hw1, 10)) { // 1111 0111 111x: HVC, SMC, UDF
        if (field(hw1, 6, 5) != 3)
            undefinedInstruction32();
        else if (op1 == 0 && !isBit(hw1, 4))
            hypervisorCall(field(hw1, 3, 0) << 12 | field(hw2, 11, 0));
        else if (op1 == 0)
            secureMonitorCall(field(hw1, 3, 0));
        else
            undefinedInstruction32();
        return;
    }
    decodeThumb32MiscellaneousControl(hw1, hw2);
}

// 1111 0011 1xxx with a second half 10x0: MSR, CPS and hints, barriers, BXJ,
// SUBS PC, LR and MRS.
void ARMInstructionSetDecoder::decodeThumb32MiscellaneousControl(uint16_t hw1, uint16_t hw2)
{
    const int rn = field(hw1, 3, 0);
    const bool r = isBit(hw1, 4);
    const bool banked = isBit(hw2, 5);
    switch (field(hw1, 6, 4)) {
    case 0:
    case 1:
        moveToStatus32(r, field(hw2, 11, 8), rn, field(hw2, 7, 0), banked);
        return;
    case 2:
        if (field(hw2, 10, 8) != 0) {
            changeProcessorState32(field(hw2, 10, 9), isBit(hw2, 8), isBit(hw2, 7),
                                   isBit(hw2, 6), isBit(hw2, 5), field(hw2, 4, 0));
            return;
        }
        switch (field(hw2, 7, 0)) {
        case 0: noOperation(); return;
        case 1: yield(); return;
        case 2: waitForEvent(); return;
        case 3: waitForInterrupt(); return;
        case 4: sendEvent(); return;
        default:
            if (field(hw2, 7, 4) == 0xF)
                debugHint(field(hw2, 3, 0));
            else
                undefinedInstruction32();
            return;
        }
    case 3:
        switch (field(hw2, 7, 4)) {
        case 2: clearExclusive(); return;
        case 4: dataSynchronizationBarrier(field(hw2, 3, 0)); return;
        case 5: dataMemoryBarrier(field(hw2, 3, 0)); return;
        case 6: instructionSynchronizationBarrier(field(hw2, 3, 0)); return;
        default: undefinedInstruction32(); return;
        }
    case 4:
        branchExchangeJazelle32(rn);
        return;
    case 5:
        exceptionReturnSubtract32(rn, field(hw2, 7, 0));
        return;
    default:
        moveFromStatus32(r, rn, field(hw2, 11, 8), field(hw2, 7, 0), banked);
        return;
    }
}

// 1111 100x: single loads and stores, preloads and the Advanced SIMD element and
// structure loads and stores.
void ARMInstructionSetDecoder::decodeThumb32LoadStoreSingle(uint16_t hw1, uint16_t hw2)
{
    if (isBit(hw1, 4)) {
        decodeThumb32Load(hw1, hw2);
        return;
    }
    if (isBit(hw1, 8)) {
        advancedSimdLoadStore(field(hw1, 7, 0) << 16 | hw2);
        return;
    }
    const int size = field(hw1, 6, 5);
    const int rn = field(hw1, 3, 0);
    const int rt = field(hw2, 15, 12);
    if (size == 3 || rn == 15) {
        undefinedInstruction32();
        return;
    }
    if (isBit(hw1, 7)) {
        loadStorePositiveImmediate32(size, false, false, rn, rt, field(hw2, 11, 0));
        return;
    }
    const uint32_t imm8 = field(hw2, 7, 0);
    switch (field(hw2, 11, 8)) {
    case 0x0:
        if (field(hw2, 7, 6) == 0)
            loadStoreRegister32(size, false, false, rn, rt, field(hw2, 5, 4), field(hw2, 3, 0));
        else
            undefinedInstruction32();
        return;
    case 0xC: loadStoreNegativeImmediate32(size, false, false, rn, rt, imm8); return;
    case 0xE: loadStoreUnprivileged32(size, false, false, rn, rt, imm8); return;
    case 0x9: case 0xB: loadStorePostIndexed32(size, false, false, isBit(hw2, 9), rn, rt, imm8); return;
    case 0xD: case 0xF: loadStorePreIndexed32(size, false, false, isBit(hw2, 9), rn, rt, imm8); return;
    default: undefinedInstruction32(); return;
    }
}

void ARMInstructionSetDecoder::decodeThumb32Load(uint16_t hw1, uint16_t hw2)
{
    const int size = field(hw1, 6, 5);
    const bool isSigned = isBit(hw1, 8);
    const int rn = field(hw1, 3, 0);
    const int rt = field(hw2, 15, 12);
    // Rt = pc: byte sizes are preloads; the halfword ones are unallocated hints.
    const bool hint = rt == 15 && size != 2;
    if (size == 3 || (hint && size == 1) || (isSigned && size == 2)) {
        undefinedInstruction32();
        return;
    }
    if (rn == 15) {
        if (hint)
            preloadLiteral32(isSigned, isBit(hw1, 7), field(hw2, 11, 0));
        else
            loadLiteral32(size, isSigned, isBit(hw1, 7), rt, field(hw2, 11, 0));
        return;
    }
    if (isBit(hw1, 7)) {
        if (hint)
            preloadPositive32(isSigned, rn, field(hw2, 11, 0));
        else
            loadStorePositiveImmediate32(size, isSigned, true, rn, rt, field(hw2, 11, 0));
        return;
    }
    const uint32_t imm8 = field(hw2, 7, 0);
    switch (field(hw2, 11, 8)) {
    case 0x0:
        if (field(hw2, 7, 6) != 0)
            undefinedInstruction32();
        else if (hint)
            preloadRegister32(isSigned, rn, field(hw2, 5, 4), field(hw2, 3, 0));
        else
            loadStoreRegister32(size, isSigned, true, rn, rt, field(hw2, 5, 4), field(hw2, 3, 0));
        return;
    case 0xC:
        if (hint)
            preloadNegative32(isSigned, rn, imm8);
        else
            loadStoreNegativeImmediate32(size, isSigned, true, rn, rt, imm8);
        return;
    case 0xE: loadStoreUnprivileged32(size, isSigned, true, rn, rt, imm8); return;
    case 0x9: case 0xB: loadStorePostIndexed32(size, isSigned, true, isBit(hw2, 9), rn, rt, imm8); return;
    case 0xD: case 0xF: loadStorePreIndexed32(size, isSigned, true, isBit(hw2, 9), rn, rt, imm8); return;
    default: undefinedInstruction32(); return;
    }
}

// 1111 1010: register shifts, extends, parallel arithmetic and the miscellaneous
// operations (saturating arithmetic, REV family, RBIT, SEL, CLZ).
void ARMInstructionSetDecoder::decodeThumb32DataProcessingRegister(uint16_t hw1, uint16_t hw2)
{
    const int op1 = field(hw1, 7, 4);
    const int op2 = field(hw2, 7, 4);
    const int rn = field(hw1, 3, 0);
    const int rd = field(hw2, 11, 8);
    const int rm = field(hw2, 3, 0);
    if (field(hw2, 15, 12) != 0xF) {
        undefinedInstruction32();
        return;
    }
    if (op1 < 8 && op2 == 0) {
        shiftRegister32(field(hw1, 6, 5), isBit(hw1, 4), rn, rd, rm);
    } else if (op1 < 6 && (op2 & 0xC) == 8) {
        // SXTAH, UXTAH, SXTAB16, UXTAB16, SXTAB, UXTAB as their A32 op numbers.
        static const int extendOps[6] = {3, 7, 0, 4, 2, 6};
        extend(extendOps[op1], rd, rn, rm, field(hw2, 5, 4));
    } else if (op1 >= 8 && op2 < 8) {
        // A32 operation numbers for ADD8, ADD16, ASX, -, SUB8, SUB16, SAX.
        static const int operations[8] = {4, 0, 1, -1, 7, 3, 2, -1};
        const int kind = field(hw2, 5, 4);
        const int operation = operations[op1 & 7];
        if (kind == 3 || operation < 0)
            undefinedInstruction32();
        else
            parallelAddSubtract((isBit(hw2, 6) ? 5 : 1) + kind, operation, rd, rn, rm);
    } else if ((op1 & 0xC) == 8 && (op2 & 0xC) == 8) {
        const int kind = op2 & 3;
        switch (op1 & 3) {
        case 0: { // QADD, QDADD, QSUB, QDSUB as their A32 op numbers
            static const int saturatingOps[4] = {0, 2, 1, 3};
            saturatingAddSubtract(saturatingOps[kind], rd, rn, rm);
            break;
        }
        case 1:
            if (kind == 2)
                reverseBits(rd, rm);
            else
                reverseBytes(kind, rm, rd);
            break;
        case 2:
            if (kind == 0)
                selectBytes(rd, rn, rm);
            else
                undefinedInstruction32();
            break;
        default:
            if (kind == 0)
                countLeadingZeros(rd, rm);
            else
                undefinedInstruction32();
            break;
        }
    } else {
        undefinedInstruction32();
    }
}

// 1111 1011 0: 32-bit multiplies and multiply-accumulates, USAD8.
void ARMInstructionSetDecoder::decodeThumb32Multiply(uint16_t hw1, uint16_t hw2)
{
    const int rn = field(hw1, 3, 0);
    const int ra = field(hw2, 15, 12);
    const int rd = field(hw2, 11, 8);
    const int rm = field(hw2, 3, 0);
    const int op2 = field(hw2, 5, 4);
    const bool hasAccumulator = ra != 15;
    const bool x = isBit(hw2, 4);
    if (field(hw2, 7, 6) != 0) {
        undefinedInstruction32();
        return;
    }
    switch (field(hw1, 6, 4)) {
    case 0:
        if (op2 == 0 && hasAccumulator)
            multiplyAccumulate(false, rd, rn, rm, ra);
        else if (op2 == 0)
            multiply(false, rd, rn, rm);
        else if (op2 == 1)
            multiplySubtract(rd, rn, rm, ra);
        else
            undefinedInstruction32();
        return;
    case 1:
        if (hasAccumulator)
            signedMultiplyAccumulateHalfwords(rd, rn, rm, ra, isBit(hw2, 5), x);
        else
            signedMultiplyHalfwords(rd, rn, rm, isBit(hw2, 5), x);
        return;
    default:
        break;
    }
    if (op2 > 1) {
        undefinedInstruction32();
        return;
    }
    switch (field(hw1, 6, 4)) {
    case 2:
        if (hasAccumulator)
            signedMultiplyAccumulateDual(rd, rn, rm, ra, x);
        else
            signedDualMultiplyAdd(rd, rn, rm, x);
        return;
    case 3:
        if (hasAccumulator)
            signedMultiplyAccumulateWordHalfword(rd, rn, rm, ra, x);
        else
            signedMultiplyWordHalfword(rd, rn, rm, x);
        return;
    case 4:
        if (hasAccumulator)
            signedMultiplySubtractDual(rd, rn, rm, ra, x);
        else
            signedDualMultiplySubtract(rd, rn, rm, x);
        return;
    case 5:
        if (hasAccumulator)
            signedMostSignificantWordMultiplyAccumulate(rd, rn, rm, ra, x);
        else
            signedMostSignificantWordMultiply(rd, rn, rm, x);
        return;
    case 6:
        signedMostSignificantWordMultiplySubtract(rd, rn, rm, ra, x);
        return;
    default:
        if (op2 != 0)
            undefinedInstruction32();
        else if (hasAccumulator)
            unsignedSumAbsoluteDifferencesAccumulate(rd, rn, rm, ra);
        else
            unsignedSumAbsoluteDifferences(rd, rn, rm);
        return;
    }
}

// 1111 1011 1: long multiplies, long multiply-accumulates and the divides.
void ARMInstructionSetDecoder::decodeThumb32LongMultiply(uint16_t hw1, uint16_t hw2)
{
    const int rn = field(hw1, 3, 0);
    const int rdLo = field(hw2, 15, 12);
    const int rdHi = field(hw2, 11, 8);
    const int rm = field(hw2, 3, 0);
    const int op2 = field(hw2, 7, 4);
    switch (field(hw1, 6, 4) << 4 | op2) {
    case 0x00: signedMultiplyLong(false, rdLo, rdHi, rn, rm); return;
    case 0x1F: divide32(false, rn, rdHi, rm); return;
    case 0x20: unsignedMultiplyLong(false, rdLo, rdHi, rn, rm); return;
    case 0x3F: divide32(true, rn, rdHi, rm); return;
    case 0x40: signedMultiplyAccumulateLong(false, rdLo, rdHi, rn, rm); return;
    case 0x48: case 0x49: case 0x4A: case 0x4B:
        signedMultiplyAccumulateLongHalfwords(rdLo, rdHi, rn, rm, isBit(hw2, 5), isBit(hw2, 4));
        return;
    case 0x4C: case 0x4D:
        signedMultiplyAccumulateLongDual(rdLo, rdHi, rn, rm, isBit(hw2, 4));
        return;
    case 0x5C: case 0x5D:
        signedMultiplySubtractLongDual(rdLo, rdHi, rn, rm, isBit(hw2, 4));
        return;
    case 0x60: unsignedMultiplyAccumulateLong(false, rdLo, rdHi, rn, rm); return;
    case 0x66: unsignedMultiplyAccumulateAccumulateLong(rdLo, rdHi, rn, rm); return;
    default: undefinedInstruction32(); return;
    }
}

// 111x 11xx: coprocessor, VFP and Advanced SIMD data processing. Bit 12 of the first
// half plays the part of the A32 unconditional space ("2" forms, SIMD U bit).
void ARMInstructionSetDecoder::decodeThumb32Coprocessor(uint16_t hw1, uint16_t hw2)
{
    const bool t = isBit(hw1, 12);
    const int op1 = field(hw1, 9, 4);
    const int rn = field(hw1, 3, 0);
    const int rt = field(hw2, 15, 12);
    const int coprocessor = field(hw2, 11, 8);
    const int crm = field(hw2, 3, 0);
    if ((op1 & 0x30) == 0x30) {
        advancedSimdDataProcessing(t, field(hw1, 7, 0) << 16 | hw2);
    } else if ((op1 & 0x30) == 0x20) {
        if (isBit(hw2, 4))
            coprocessorRegisterTransfer(t, field(hw1, 7, 5), isBit(hw1, 4), rn, rt, coprocessor,
                                        field(hw2, 7, 5), crm);
        else
            coprocessorDataOperation(t, field(hw1, 7, 4), rn, rt, coprocessor,
                                     field(hw2, 7, 5), crm);
    } else if ((op1 & 0x3E) == 0) {
        undefinedInstruction32();
    } else if ((op1 & 0x3E) == 4) {
        coprocessorTwoRegisters(t, isBit(hw1, 4), rn, rt, coprocessor, field(hw2, 7, 4), crm);
    } else {
        coprocessorLoadStore(t, isBit(hw1, 8), isBit(hw1, 7), isBit(hw1, 6), isBit(hw1, 5),
                             isBit(hw1, 4), rn, rt, coprocessor, field(hw2, 7, 0));
    }
}
