// The A32 decision tree. Each form's fields are taken out of the word at the one place
// where its handler is called; the tree itself only looks at the bits that select forms.
#include "arm/ARMInstructionSetDecoder.h"

namespace {

// Bits hi:lo of the word, right-aligned.
inline uint32_t field(uint32_t word, int hi, int lo)
{
    return (word >> lo) & ((2u << (hi - lo)) - 1);
}

inline bool bit(uint32_t word, int n)
{
    return (word >> n) & 1;
}

inline int rn(uint32_t word) { return int(field(word, 19, 16)); }
inline int rd(uint32_t word) { return int(field(word, 15, 12)); }
inline int rs(uint32_t word) { return int(field(word, 11, 8)); }
inline int rm(uint32_t word) { return int(field(word, 3, 0)); }

} // namespace

ARMInstructionSetDecoder::ARMInstructionSetDecoder(ArchitectureLevel level,
                                                   int32_t processorModel)
    : level(level), processorModel(processorModel)
{
}

void ARMInstructionSetDecoder::decodeArm(uint32_t address, uint32_t word)
{
    isArm = true;
    condition = field(word, 31, 28);
    // v4T has no unconditional space: condition 15 words decode as ordinary ones.
    if (condition == 15 && admits().unconditionalSpace) {
        condition = 14;
        decodeArmUnconditional(word);
        return;
    }
    if (!conditionPasses(condition, address))
        return;
    switch (field(word, 27, 26)) {
    case 0:
        decodeArmDataProcessingAndMisc(word);
        break;
    case 1:
        decodeArmLoadStoreWordByte(word);
        break;
    case 2:
        if (bit(word, 25))
            branch(bit(word, 24), field(word, 23, 0));
        else
            loadStoreMultiple(bit(word, 24), bit(word, 23), bit(word, 22), bit(word, 21),
                              bit(word, 20), rn(word), field(word, 15, 0));
        break;
    default:
        if (field(word, 25, 24) == 3)
            supervisorCall(field(word, 23, 0));
        else
            decodeArmCoprocessor(word, false);
        break;
    }
}

void ARMInstructionSetDecoder::decodeArmUnconditional(uint32_t word)
{
    const bool v6 = admits().armV6;
    switch (field(word, 27, 24)) {
    case 0x1:
        if (field(word, 23, 20) == 0 && !bit(word, 16) && !bit(word, 5) && v6)
            changeProcessorState(int(field(word, 19, 18)), bit(word, 17), bit(word, 8),
                                 bit(word, 7), bit(word, 6), int(field(word, 4, 0)));
        else if (field(word, 23, 16) == 0x01 && field(word, 7, 4) == 0 && v6)
            setEndianness(bit(word, 9));
        else
            undefinedInstruction();
        return;
    case 0x2:
    case 0x3:
        advancedSimdDataProcessing(bit(word, 24), field(word, 23, 0));
        return;
    case 0x4:
    case 0x5:
    case 0x6:
    case 0x7:
        if (field(word, 27, 24) == 0x4 && !bit(word, 20)) {
            advancedSimdLoadStore(field(word, 23, 0));
            return;
        }
        if (field(word, 22, 20) == 5) {
            preload(!bit(word, 24), bit(word, 25), bit(word, 23), rn(word),
                    field(word, 11, 0), int(field(word, 11, 7)), int(field(word, 6, 5)),
                    rm(word));
            return;
        }
        if (field(word, 22, 20) == 7 && admits().barriers) {
            switch (field(word, 7, 4)) {
            case 1: clearExclusive(); return;
            case 4: dataSynchronizationBarrier(int(field(word, 3, 0))); return;
            case 5: dataMemoryBarrier(int(field(word, 3, 0))); return;
            case 6: instructionSynchronizationBarrier(int(field(word, 3, 0))); return;
            }
        }
        undefinedInstruction();
        return;
    case 0x8:
    case 0x9:
        if (!v6) {
            undefinedInstruction();
        } else if (bit(word, 22) && !bit(word, 20) && rn(word) == 13 && rs(word) == 5) {
            storeReturnState(bit(word, 24), bit(word, 23), bit(word, 21),
                             int(field(word, 4, 0)));
        } else if (!bit(word, 22) && bit(word, 20) && rs(word) == 10) {
            returnFromException(bit(word, 24), bit(word, 23), bit(word, 21), rn(word));
        } else {
            undefinedInstruction();
        }
        return;
    case 0xA:
    case 0xB:
        branchLinkExchangeImmediate(bit(word, 24), field(word, 23, 0));
        return;
    case 0xC:
    case 0xD:
    case 0xE:
        decodeArmCoprocessor(word, true);
        return;
    default:
        undefinedInstruction();
        return;
    }
}

void ARMInstructionSetDecoder::decodeArmCoprocessor(uint32_t word, bool unconditional)
{
    const int coprocessor = int(field(word, 11, 8));
    if (bit(word, 25)) {
        if (bit(word, 4))
            coprocessorRegisterTransfer(unconditional, int(field(word, 23, 21)), bit(word, 20),
                                        rn(word), rd(word), coprocessor,
                                        int(field(word, 7, 5)), rm(word));
        else
            coprocessorDataOperation(unconditional, int(field(word, 23, 20)), rn(word),
                                     rd(word), coprocessor, int(field(word, 7, 5)), rm(word));
        return;
    }
    if (field(word, 25, 23) == 0 && !bit(word, 21)) {
        // MCRR/MRRC space: needs bit 22; the "2" forms came with v6.
        if (!bit(word, 22) || !admits().armV5 || (unconditional && !admits().armV6))
            undefinedInstruction();
        else
            coprocessorTwoRegisters(unconditional, bit(word, 20), rn(word), rd(word),
                                    coprocessor, int(field(word, 7, 4)), rm(word));
        return;
    }
    coprocessorLoadStore(unconditional, bit(word, 24), bit(word, 23), bit(word, 22),
                         bit(word, 21), bit(word, 20), rn(word), rd(word), coprocessor,
                         field(word, 7, 0));
}

void ARMInstructionSetDecoder::decodeArmDataProcessingAndMisc(uint32_t word)
{
    const bool immediate = bit(word, 25);
    if (!immediate && field(word, 7, 4) == 9 && field(word, 25, 24) == 0) {
        decodeArmMultiply(word);
        return;
    }
    if (!immediate && bit(word, 7) && bit(word, 4)) {
        decodeArmExtraLoadStore(word);
        return;
    }
    if (field(word, 24, 23) == 2 && !bit(word, 20)) {
        decodeArmMiscellaneous(word);
        return;
    }
    const int opcode = int(field(word, 24, 21));
    const bool s = bit(word, 20);
    if (immediate)
        dataProcessingImmediate(opcode, s, rn(word), rd(word), int(field(word, 11, 8)),
                                field(word, 7, 0));
    else if (!bit(word, 4))
        dataProcessingShiftImmediate(opcode, s, rn(word), rd(word), int(field(word, 11, 7)),
                                     int(field(word, 6, 5)), rm(word));
    else
        dataProcessingShiftRegister(opcode, s, rn(word), rd(word), rs(word),
                                    int(field(word, 6, 5)), rm(word));
}

void ARMInstructionSetDecoder::decodeArmMultiply(uint32_t word)
{
    const bool s = bit(word, 20);
    // MUL/MLA/MLS keep Rd in 19:16; the long forms RdHi there and RdLo in 15:12.
    const int hi = rn(word), lo = rd(word), first = rm(word), second = rs(word);
    switch (field(word, 23, 21)) {
    case 0: multiply(s, hi, first, second); break;
    case 1: multiplyAccumulate(s, hi, first, second, lo); break;
    case 2:
        if (s) undefinedInstruction();
        else unsignedMultiplyAccumulateAccumulateLong(lo, hi, first, second);
        break;
    case 3:
        if (s) undefinedInstruction();
        else multiplySubtract(hi, first, second, lo);
        break;
    case 4: unsignedMultiplyLong(s, lo, hi, first, second); break;
    case 5: unsignedMultiplyAccumulateLong(s, lo, hi, first, second); break;
    case 6: signedMultiplyLong(s, lo, hi, first, second); break;
    default: signedMultiplyAccumulateLong(s, lo, hi, first, second); break;
    }
}

void ARMInstructionSetDecoder::decodeArmExtraLoadStore(uint32_t word)
{
    const int op = int(field(word, 6, 5));
    if (op == 0) {
        if (!bit(word, 24))
            undefinedInstruction();
        else if (bit(word, 23))
            exclusive(int(field(word, 22, 20)), rn(word), rd(word), rm(word));
        else if (field(word, 21, 20) == 0)
            swap(bit(word, 22), rn(word), rd(word), rm(word));
        else
            undefinedInstruction();
        return;
    }
    const bool l = bit(word, 20);
    if (!l && op >= 2 && (!admits().armV5 || (rd(word) & 1) || rd(word) == 14)) {
        undefinedInstruction();     // LDRD/STRD: v5TE and an even pair below lr
        return;
    }
    loadStoreExtra(bit(word, 24), bit(word, 23), bit(word, 22), bit(word, 21), l, rn(word),
                   rd(word), int(field(word, 11, 8)), op, rm(word));
}

void ARMInstructionSetDecoder::decodeArmMiscellaneous(uint32_t word)
{
    const int op = int(field(word, 22, 21));
    const bool v5 = admits().armV5;
    if (bit(word, 25)) {
        if (!bit(word, 21))
            moveWide(bit(word, 22), rd(word), field(word, 19, 16) << 12 | field(word, 11, 0));
        else if (field(word, 19, 16) != 0)
            moveToStatusImmediate(bit(word, 22), int(field(word, 19, 16)),
                                  int(field(word, 11, 8)), field(word, 7, 0));
        else if (field(word, 7, 0) >= 0xF0)
            debugHint(int(field(word, 3, 0)));
        else {
            switch (field(word, 7, 0)) {
            case 0: noOperation(); break;
            case 1: yield(); break;
            case 2: waitForEvent(); break;
            case 3: waitForInterrupt(); break;
            case 4: sendEvent(); break;
            default: undefinedInstruction(); break;
            }
        }
        return;
    }
    const int sysm = int(field(word, 19, 16) | field(word, 8, 8) << 4);
    switch (field(word, 7, 4)) {
    case 0x0:
        if (!bit(word, 21))
            moveFromStatus(bit(word, 22), bit(word, 9), sysm, rd(word));
        else
            moveToStatusRegister(bit(word, 22), bit(word, 9), int(field(word, 19, 16)), sysm,
                                 rm(word));
        return;
    case 0x1:
        if (op == 1) branchExchange(1, rm(word));
        else if (op == 3 && v5) countLeadingZeros(rd(word), rm(word));
        else undefinedInstruction();
        return;
    case 0x2:
        if (op == 1) branchExchange(2, rm(word));
        else undefinedInstruction();
        return;
    case 0x3:
        if (op == 1 && v5) branchExchange(3, rm(word));
        else undefinedInstruction();
        return;
    case 0x5:
        if (!v5) undefinedInstruction();
        else saturatingAddSubtract(op, rd(word), rn(word), rm(word));
        return;
    case 0x6:
        exceptionReturn();
        return;
    case 0x7: {
        const uint32_t imm16 = field(word, 19, 8) << 4 | field(word, 3, 0);
        if (op == 1 && v5) breakpoint(imm16);
        else if (op == 3) secureMonitorCall(field(word, 3, 0));
        else if (op == 2) hypervisorCall(imm16);
        else undefinedInstruction();
        return;
    }
    default:
        if (bit(word, 7) && !bit(word, 4) && v5)
            decodeArmHalfwordMultiply(word);
        else
            undefinedInstruction();
        return;
    }
}

void ARMInstructionSetDecoder::decodeArmHalfwordMultiply(uint32_t word)
{
    const bool n = bit(word, 5), m = bit(word, 6);
    const int hi = rn(word), lo = rd(word), first = rm(word), second = rs(word);
    switch (field(word, 22, 21)) {
    case 0: signedMultiplyAccumulateHalfwords(hi, first, second, lo, n, m); break;
    case 1:
        if (!n) signedMultiplyAccumulateWordHalfword(hi, first, second, lo, m);
        else signedMultiplyWordHalfword(hi, first, second, m);
        break;
    case 2: signedMultiplyAccumulateLongHalfwords(lo, hi, first, second, n, m); break;
    default: signedMultiplyHalfwords(hi, first, second, n, m); break;
    }
}

void ARMInstructionSetDecoder::decodeArmLoadStoreWordByte(uint32_t word)
{
    const bool p = bit(word, 24), u = bit(word, 23), b = bit(word, 22), w = bit(word, 21),
               l = bit(word, 20);
    if (!bit(word, 25))
        loadStoreImmediate(p, u, b, w, l, rn(word), rd(word), field(word, 11, 0));
    else if (!bit(word, 4))
        loadStoreRegister(p, u, b, w, l, rn(word), rd(word), int(field(word, 11, 7)),
                          int(field(word, 6, 5)), rm(word));
    else if (!admits().armMedia)
        undefinedInstruction();
    else
        decodeArmMedia(word);
}

void ARMInstructionSetDecoder::decodeArmMedia(uint32_t word)
{
    switch (field(word, 24, 23)) {
    case 0: {
        const int prefix = int(field(word, 22, 20)), op = int(field(word, 7, 5));
        if ((prefix & 3) == 0 || op == 5 || op == 6)
            undefinedInstruction();
        else
            parallelAddSubtract(prefix, op, rd(word), rn(word), rm(word));
        return;
    }
    case 1:
        decodeArmMediaPackSaturateReverse(word);
        return;
    case 2:
        decodeArmMediaSignedMultiply(word);
        return;
    default:
        break;
    }
    const int op = int(field(word, 22, 20)), low = int(field(word, 7, 5));
    const int lsb = int(field(word, 11, 7)), high = int(field(word, 20, 16));
    if (op == 0 && low == 0) {
        if (rd(word) == 15)
            unsignedSumAbsoluteDifferences(rn(word), rm(word), rs(word));
        else
            unsignedSumAbsoluteDifferencesAccumulate(rn(word), rm(word), rs(word), rd(word));
    } else if ((op >> 1) == 2 && (low & 3) == 0) {
        bitFieldClearInsert(rd(word), rm(word), lsb, high);
    } else if ((op & 2) && (low & 3) == 2) {
        bitFieldExtract(bit(word, 22), rd(word), rm(word), lsb, high);
    } else {
        undefinedInstruction();
    }
}

void ARMInstructionSetDecoder::decodeArmMediaPackSaturateReverse(uint32_t word)
{
    const int op = int(field(word, 22, 20)), low = int(field(word, 7, 4));
    if (op == 0 && (low & 3) == 1)
        packHalfword(bit(word, 6), rd(word), rn(word), rm(word), int(field(word, 11, 7)));
    else if (op != 0 && bit(word, 21) && (low & 3) == 1)
        saturate(bit(word, 22), rd(word), int(field(word, 20, 16)), rm(word), bit(word, 6),
                 int(field(word, 11, 7)));
    else if (op != 0 && (op & 3) == 2 && low == 3)
        saturate16(bit(word, 22), rd(word), int(field(word, 19, 16)), rm(word));
    else if (op == 0 && low == 0xB)
        selectBytes(rd(word), rn(word), rm(word));
    else if (low == 7) {
        if (op == 1 || op == 5)
            undefinedInstruction();
        else
            extend(op, rd(word), rn(word), rm(word), int(field(word, 11, 10)));
    } else if ((low & 7) == 3 && (op == 3 || op == 7)) {
        // REV (011, 0011), REV16 (011, 1011), RBIT (111, 0011), REVSH (111, 1011).
        if (bit(word, 22) && !bit(word, 7))
            reverseBits(rd(word), rm(word));
        else
            byteReverse(bit(word, 22) ? 3 : bit(word, 7) ? 1 : 0, rd(word), rm(word));
    } else {
        undefinedInstruction();
    }
}

void ARMInstructionSetDecoder::decodeArmMediaSignedMultiply(uint32_t word)
{
    // Rd is bits 19:16, Ra bits 15:12 (15: no accumulator), Rm bits 11:8, Rn bits 3:0.
    const int d = rn(word), a = rd(word), m = rs(word), n = rm(word);
    const bool sub = bit(word, 6), x = bit(word, 5);
    switch (field(word, 22, 20)) {
    case 0:
        if (bit(word, 7)) undefinedInstruction();
        else if (a == 15 && sub) signedDualMultiplySubtract(d, n, m, x);
        else if (a == 15) signedDualMultiplyAdd(d, n, m, x);
        else if (sub) signedMultiplySubtractDual(d, n, m, a, x);
        else signedMultiplyAccumulateDual(d, n, m, a, x);
        return;
    case 1:
    case 3:
        if (a == 15 && field(word, 7, 5) == 0) divide(bit(word, 21), d, n, m);
        else undefinedInstruction();
        return;
    case 4:
        if (bit(word, 7)) undefinedInstruction();
        else if (sub) signedMultiplySubtractLongDual(a, d, n, m, x);
        else signedMultiplyAccumulateLongDual(a, d, n, m, x);
        return;
    case 5:
        if (bit(word, 7) != sub) undefinedInstruction();
        else if (sub) signedMostSignificantWordMultiplySubtract(d, n, m, a, x);
        else if (a == 15) signedMostSignificantWordMultiply(d, n, m, x);
        else signedMostSignificantWordMultiplyAccumulate(d, n, m, a, x);
        return;
    default:
        undefinedInstruction();
        return;
    }
}
