// Temporary Thumb side: every T16/T32 form prints "undefined opcode" until the
// Thumb decoder (arm/ThumbDecoder.cpp) and its texts (arm/ThumbDisassembler.cpp) exist.
// Whoever adds those two files deletes this one.
#include "arm/ARMInstructionSetDisassembler.h"

void ARMInstructionSetDecoder::decodeThumb(uint32_t address, uint16_t halfword)
{
    decodeThumb16(address, halfword);
}

void ARMInstructionSetDecoder::decodeThumb16(uint32_t, uint16_t)
{
    undefinedInstruction16();
}

void ARMInstructionSetDecoder::decodeThumb32(uint32_t, uint16_t, uint16_t)
{
    undefinedInstruction32();
}

void ARMInstructionSetDisassembler::shiftImmediate16(int, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::addSubtractRegister16(bool, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::addSubtractImmediate3(bool, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::moveCompareAddSubtractImmediate8(int, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::dataProcessingRegister16(int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::highRegisterOperation(int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::branchExchange16(bool, int, bool)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadLiteral16(int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStoreRegister16(int, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStoreWordByteImmediate16(bool, bool, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStoreHalfwordImmediate16(bool, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStoreStackRelative16(bool, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::addressToRegister16(bool, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::adjustStackPointer16(bool, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::extend16(int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::reverseBytes(int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::pushPop16(bool, bool, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::breakpoint16(uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::setEndianness16(bool)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::changeProcessorState16(bool, bool, bool, bool)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::compareBranchZero(bool, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::ifThen(int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::noOperation16()
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::sendEvent16()
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::waitForEvent16()
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::waitForInterrupt16()
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::yield16()
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStoreMultiple16(bool, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::conditionalBranch16(int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::supervisorCall16(uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::branch16(uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::branchLinkExchangeSuffix(uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::branchLinkPrefix(uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::branchLinkSuffix(uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::undefinedInstruction16()
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::dataProcessingModifiedImmediate(int, bool, int, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::addSubtractWideImmediate(bool, int, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::moveWide32(bool, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::saturateBitField32(int, int, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::dataProcessingShiftedRegister32(int, bool, int, int, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::shiftRegister32(int, bool, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::divide32(bool, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadLiteral32(int, bool, bool, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStorePositiveImmediate32(int, bool, bool, int, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStoreNegativeImmediate32(int, bool, bool, int, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStoreUnprivileged32(int, bool, bool, int, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStorePostIndexed32(int, bool, bool, bool, int, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStorePreIndexed32(int, bool, bool, bool, int, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStoreRegister32(int, bool, bool, int, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::preloadLiteral32(bool, bool, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::preloadPositive32(bool, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::preloadNegative32(bool, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::preloadRegister32(bool, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStoreDual32(bool, bool, bool, bool, int, int, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::exclusiveWord32(bool, int, int, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::tableBranchExclusive32(int, bool, int, int, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadStoreMultiple32(int, bool, bool, int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::returnFromException32(bool, bool, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::storeReturnState32(bool, bool, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::branch32(int32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::branchLink32(int32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::branchLinkExchange32(int32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::conditionalBranch32(int, int32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::moveToStatus32(bool, int, int, int, bool)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::changeProcessorState32(int, bool, bool, bool, bool, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::branchExchangeJazelle32(int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::exceptionReturnSubtract32(int, uint32_t)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::moveFromStatus32(bool, int, int, bool)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::undefinedInstruction32()
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::secureGateway()
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::testTarget(bool, bool, int, int)
{
    emitText("undefined opcode");
}

void ARMInstructionSetDisassembler::loadAcquireStoreRelease(bool, int, int, int, int)
{
    emitText("undefined opcode");
}
