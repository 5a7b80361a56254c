// The Thumb entry (16- or 32-bit per halfword, IT conditions, the pre-Thumb-2 BL/BLX
// halfword pairs) and the T16 decision tree.
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

bool isBranchLinkSuffix(uint16_t hw)
{
    return (hw >> 11) == 0x1D || (hw >> 11) == 0x1F;
}

} // namespace

void ARMInstructionSetDecoder::decodeThumb(uint32_t address, uint16_t halfword)
{
    if (!admits().thumb2) {
        // No 32-bit Thumb: BL/BLX are two T16 halfwords. A prefix not followed by its
        // suffix is dropped: the halfword decodes on its own.
        if (pendingSecondHalf && !isBranchLinkSuffix(halfword))
            pendingSecondHalf = false;
        condition = 14;
        conditionPasses(condition, address);
        decodeThumb16(address, halfword);
        return;
    }
    if (pendingSecondHalf) {
        condition = nextThumbCondition();
        conditionPasses(condition, address);
        decodeThumb32(address, firstHalf, halfword);
        pendingSecondHalf = false;
        return;
    }
    if ((halfword >> 11) >= 0x1D) {
        // First half of a 32-bit instruction; the IT state advances with the second.
        firstHalf = halfword;
        pendingSecondHalf = true;
        return;
    }
    condition = nextThumbCondition();
    conditionPasses(condition, address);
    decodeThumb16(address, halfword);
}

void ARMInstructionSetDecoder::decodeThumb16(uint32_t, uint16_t hw)
{
    const int low3 = field(hw, 2, 0);
    const int mid3 = field(hw, 5, 3);
    const int high3 = field(hw, 10, 8);
    switch (hw >> 12) {
    case 0x0:
    case 0x1:
        if (field(hw, 12, 11) != 3)
            shiftImmediate16(field(hw, 12, 11), field(hw, 10, 6), mid3, low3);
        else if (isBit(hw, 10))
            addSubtractImmediate3(isBit(hw, 9), field(hw, 8, 6), mid3, low3);
        else
            addSubtractRegister16(isBit(hw, 9), field(hw, 8, 6), mid3, low3);
        return;
    case 0x2:
    case 0x3:
        moveCompareAddSubtractImmediate8(field(hw, 12, 11), high3, field(hw, 7, 0));
        return;
    case 0x4:
        if (isBit(hw, 11))
            loadLiteral16(high3, field(hw, 7, 0));
        else if (!isBit(hw, 10))
            dataProcessingRegister16(field(hw, 9, 6), mid3, low3);
        else if (field(hw, 9, 8) != 3)
            highRegisterOperation(field(hw, 9, 8), isBit(hw, 7) << 3 | low3, field(hw, 6, 3));
        else if (isBit(hw, 7) && !admits().thumbV5)
            undefinedInstruction16();
        else
            branchExchange16(isBit(hw, 7), field(hw, 6, 3), isBit(hw, 2));
        return;
    case 0x5:
        loadStoreRegister16(field(hw, 11, 9), field(hw, 8, 6), mid3, low3);
        return;
    case 0x6:
    case 0x7:
        loadStoreWordByteImmediate16(isBit(hw, 12), isBit(hw, 11), field(hw, 10, 6), mid3, low3);
        return;
    case 0x8:
        loadStoreHalfwordImmediate16(isBit(hw, 11), field(hw, 10, 6), mid3, low3);
        return;
    case 0x9:
        loadStoreStackRelative16(isBit(hw, 11), high3, field(hw, 7, 0));
        return;
    case 0xA:
        addressToRegister16(isBit(hw, 11), high3, field(hw, 7, 0));
        return;
    case 0xB:
        decodeThumb16Miscellaneous(hw);
        return;
    case 0xC:
        loadStoreMultiple16(isBit(hw, 11), high3, field(hw, 7, 0));
        return;
    case 0xD:
        if (field(hw, 11, 8) == 0xE)
            undefinedInstruction16();
        else if (field(hw, 11, 8) == 0xF)
            supervisorCall16(field(hw, 7, 0));
        else
            conditionalBranch16(field(hw, 11, 8), field(hw, 7, 0));
        return;
    case 0xE:
        if (!isBit(hw, 11)) {
            branch16(field(hw, 10, 0));
            return;
        }
        if (!admits().thumbV5)
            undefinedInstruction16();
        else
            branchLinkExchangeSuffix(field(hw, 10, 0));
        pendingSecondHalf = false;
        return;
    default: // 0xF
        if (isBit(hw, 11)) {
            branchLinkSuffix(field(hw, 10, 0));
            pendingSecondHalf = false;
        } else {
            branchLinkPrefix(field(hw, 10, 0));
            pendingSecondHalf = true;
        }
        return;
    }
}

// 1011 xxxx: stack adjustment, CBZ/CBNZ, extends, push/pop, SETEND/CPS, REV, BKPT,
// IT and the hints.
void ARMInstructionSetDecoder::decodeThumb16Miscellaneous(uint16_t hw)
{
    const ArchitectureFeatures& features = admits();
    const int op = field(hw, 11, 8);
    if ((op & 5) == 1) { // x0x1
        if (!features.compareBranchZero)
            undefinedInstruction16();
        else
            compareBranchZero(isBit(hw, 11), isBit(hw, 9), field(hw, 7, 3), field(hw, 2, 0));
        return;
    }
    if ((op & 6) == 4) { // x10x
        pushPop16(isBit(hw, 11), isBit(hw, 8), field(hw, 7, 0));
        return;
    }
    switch (op) {
    case 0x0:
        adjustStackPointer16(isBit(hw, 7), field(hw, 6, 0));
        return;
    case 0x2:
        if (!features.thumbV6)
            undefinedInstruction16();
        else
            extend16(field(hw, 7, 6), field(hw, 5, 3), field(hw, 2, 0));
        return;
    case 0x6:
        if (!features.thumbV6)
            undefinedInstruction16();
        else if (field(hw, 7, 4) == 5) // bits 2:0 should be zero; they do not select
            setEndianness16(isBit(hw, 3));
        else if (field(hw, 7, 5) == 3 && !isBit(hw, 3))
            changeProcessorState16(isBit(hw, 4), isBit(hw, 2), isBit(hw, 1), isBit(hw, 0));
        else
            undefinedInstruction16();
        return;
    case 0xA:
        if (!features.thumbV6)
            undefinedInstruction16();
        else
            reverseBytes(field(hw, 7, 6), field(hw, 5, 3), field(hw, 2, 0));
        return;
    case 0xE:
        if (!features.thumbV5)
            undefinedInstruction16();
        else
            breakpoint16(field(hw, 7, 0));
        return;
    case 0xF:
        if (field(hw, 3, 0) != 0) {
            if (!features.ifThen)
                undefinedInstruction16();
            else
                ifThen(field(hw, 7, 4), field(hw, 3, 0));
        } else if (!features.thumbHints) {
            undefinedInstruction16();
        } else {
            switch (field(hw, 7, 4)) {
            case 0: noOperation16(); break;
            case 1: yield16(); break;
            case 2: waitForEvent16(); break;
            case 3: waitForInterrupt16(); break;
            case 4: sendEvent16(); break;
            default: undefinedInstruction16(); break;
            }
        }
        return;
    default:
        undefinedInstruction16();
        return;
    }
}
