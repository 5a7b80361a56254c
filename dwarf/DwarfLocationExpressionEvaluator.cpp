#include "dwarf/DwarfLocationExpressionEvaluator.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfOperations.h"
#include "dwarf/DwarfTypeConstants.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

MyDwarfLocationExpressionEvaluator theEvaluator;

namespace {

uint64_t low32(uint64_t value)
{
    return uint32_t(value);
}

uint64_t sx32(uint64_t value)
{
    return uint64_t(int64_t(int32_t(uint32_t(value))));
}

template <class To, class From>
To bitCast(From from)
{
    static_assert(sizeof(To) == sizeof(From), "same size");
    To to;
    memcpy(&to, &from, sizeof to);
    return to;
}

// The unit's base address for location lists: DW_AT_low_pc of its compile-unit entry.
uint32_t unitBaseAddress(DwarfCompilationUnit& unit)
{
    const DwarfDebuggingInformationEntry* first = unit.readEntries();
    if (!first || first->tag != DW_TAG_compile_unit)
        return 0;
    std::optional<DwarfAttributeValue> lowPc = first->lookupAttribute(DW_AT_low_pc, false);
    return lowPc ? lowPc->value : 0;
}

struct UnsupportedOperation {
    uint8_t opcode;
    const char* name;
};

// Operations known by name that this machine does not execute. They consume only their
// opcode byte.
const UnsupportedOperation unsupportedOperations[] = {
    {DW_OP_xderef, "DW_OP_xderef"},
    {DW_OP_xderef_size, "DW_OP_xderef_size"},
    {DW_OP_push_object_address, "DW_OP_push_object_address"},
    {DW_OP_call2, "DW_OP_call2"},
    {DW_OP_call4, "DW_OP_call4"},
    {DW_OP_call_ref, "DW_OP_call_ref"},
    {DW_OP_form_tls_address, "DW_OP_form_tls_address"},
    {DW_OP_GNU_uninit, "DW_OP_GNU_uninit"},
    {DW_OP_GNU_encoded_addr, "DW_OP_GNU_encoded_addr"},
    {DW_OP_GNU_implicit_pointer, "DW_OP_GNU_implicit_pointer"},
    {DW_OP_GNU_deref_type, "DW_OP_GNU_deref_type"},
    {DW_OP_GNU_reinterpret, "DW_OP_GNU_reinterpret"},
    {DW_OP_GNU_parameter_ref, "DW_OP_GNU_parameter_ref"},
    {DW_OP_GNU_addr_index, "DW_OP_GNU_addr_index"},
    {DW_OP_GNU_const_index, "DW_OP_GNU_const_index"},
};

} // namespace

void DwarfLocationExpressionEvaluator::push(uint64_t value, EntryKind kind,
                                            const DwarfDebuggingInformationEntry* type)
{
    stack.push_back(ExpressionStackEntry{value, kind, type});
}

uint64_t DwarfLocationExpressionEvaluator::pop()
{
    if (stack.empty()) {
        reportError("stack underflow\n");
        return 0;
    }
    uint64_t value = stack.back().value;
    stack.pop_back();
    return value;
}

uint64_t DwarfLocationExpressionEvaluator::top()
{
    if (stack.empty()) {
        reportError("stack empty\n");
        return 0;
    }
    return stack.back().value;
}

uint64_t DwarfLocationExpressionEvaluator::pick(uint32_t n)
{
    if (stack.size() <= n) {
        reportError("index bigger than number of stack entries\n");
        return 0;
    }
    return std::next(stack.rbegin(), n)->value;
}

void DwarfLocationExpressionEvaluator::evaluate(const uint8_t* block, uint32_t length)
{
    if (nesting == maxNesting)
        return;
    // A sound block runs each operation once; only a branch back runs more. The limit
    // grows with the block so that many short looping blocks cost no more than their bytes.
    if (nesting == 0)
        operationsLeft = uint32_t(std::min<uint64_t>(maxOperations, uint64_t(operationsPerByte) * (length + 1)));
    ByteCursor saved = cursor;
    cursor = ByteCursor(block, length, int(byteOrder));
    ++nesting;
    // A failed cursor means an operand was cut off or a branch left the block.
    while (!cursor.atEnd() && !cursor.failed() && operationsLeft > 0) {
        --operationsLeft;
        step();
    }
    --nesting;
    cursor = saved;
}

void DwarfLocationExpressionEvaluator::step()
{
    if (cursor.atEnd())
        return;
    uint8_t opcode = cursor.readU8();
    if (constant(opcode) || stackOperation(opcode) || arithmetic(opcode) || comparison(opcode)
        || controlFlow(opcode) || location(opcode) || composite(opcode) || typedOperation(opcode)
        || unsupported(opcode))
        return;
    reportErrorValue("unsupported opcode 0x%02x\n", opcode);
}

// Each operation reads its operands first and does nothing when one is cut off by the end
// of the block (the cursor has then failed, which ends the block).
bool DwarfLocationExpressionEvaluator::constant(uint8_t opcode)
{
    uint64_t value;
    switch (opcode) {
    case DW_OP_addr: {
        uint32_t address = uint32_t(operand(4));
        if (!cursor.failed())
            push(low32(relocateAddress(address)));
        return true;
    }
    case DW_OP_const1u: value = operand(1); break;
    case DW_OP_const1s: value = signedOperand(1); break;
    case DW_OP_const2u: value = operand(2); break;
    case DW_OP_const2s: value = signedOperand(2); break;
    case DW_OP_const4u: value = operand(4); break;
    case DW_OP_const4s: value = signedOperand(4); break;
    case DW_OP_const8u: value = operand(8); break;
    case DW_OP_const8s: value = signedOperand(8); break;
    case DW_OP_constu: value = cursor.readUleb128(); break;
    case DW_OP_consts: value = uint64_t(int64_t(cursor.readSleb128())); break;
    default:
        if (opcode < DW_OP_lit0 || opcode > DW_OP_lit31)
            return false;
        value = opcode - DW_OP_lit0;
    }
    if (!cursor.failed())
        push(value);
    return true;
}

bool DwarfLocationExpressionEvaluator::stackOperation(uint8_t opcode)
{
    switch (opcode) {
    case DW_OP_dup:
        push(top());
        return true;
    case DW_OP_drop:
        pop();
        return true;
    case DW_OP_over:
        push(pick(1));
        return true;
    case DW_OP_pick: {
        uint32_t index = uint32_t(operand(1));
        if (!cursor.failed())
            push(pick(index));
        return true;
    }
    case DW_OP_swap: {
        uint64_t b = pop();
        uint64_t a = pop();
        push(low32(b));
        push(low32(a));
        return true;
    }
    case DW_OP_rot: {
        uint64_t c = pop();
        uint64_t b = pop();
        uint64_t a = pop();
        push(low32(c));
        push(low32(a));
        push(low32(b));
        return true;
    }
    default:
        return false;
    }
}

bool DwarfLocationExpressionEvaluator::arithmetic(uint8_t opcode)
{
    switch (opcode) {
    case DW_OP_abs: {
        int64_t value = int32_t(uint32_t(pop()));
        push(sx32(uint64_t(value < 0 ? -value : value)));
        return true;
    }
    case DW_OP_and: binary([](uint64_t a, uint64_t b) { return a & b; }); return true;
    case DW_OP_div: divide(); return true;
    case DW_OP_minus: binary([](uint64_t a, uint64_t b) { return low32(a - b); }); return true;
    case DW_OP_mod: modulo(); return true;
    case DW_OP_mul: binary([](uint64_t a, uint64_t b) { return a * b; }); return true;
    case DW_OP_neg: push(0 - pop()); return true;
    case DW_OP_not: push(~pop()); return true;
    case DW_OP_or: binary([](uint64_t a, uint64_t b) { return a | b; }); return true;
    case DW_OP_plus: typedPlus(); return true;
    case DW_OP_plus_uconst: {
        uint32_t addend = cursor.readUleb128();
        if (!cursor.failed())
            push(pop() + addend);
        return true;
    }
    case DW_OP_shl: binary([](uint64_t a, uint64_t b) { return low32(low32(a) << (b & 31)); }); return true;
    case DW_OP_shr: binary([](uint64_t a, uint64_t b) { return low32(a) >> (b & 31); }); return true;
    case DW_OP_shra:
        binary([](uint64_t a, uint64_t b) { return sx32(uint64_t(int64_t(int32_t(uint32_t(a)) >> (b & 31)))); });
        return true;
    case DW_OP_xor: binary([](uint64_t a, uint64_t b) { return a ^ b; }); return true;
    default:
        return false;
    }
}

bool DwarfLocationExpressionEvaluator::comparison(uint8_t opcode)
{
    switch (opcode) {
    case DW_OP_eq: binary([](uint64_t a, uint64_t b) { return uint64_t(a == b); }); return true;
    case DW_OP_ge: binary([](uint64_t a, uint64_t b) { return uint64_t(a >= b); }); return true;
    case DW_OP_gt: binary([](uint64_t a, uint64_t b) { return uint64_t(a > b); }); return true;
    case DW_OP_le: binary([](uint64_t a, uint64_t b) { return uint64_t(a <= b); }); return true;
    case DW_OP_lt: binary([](uint64_t a, uint64_t b) { return uint64_t(a < b); }); return true;
    case DW_OP_ne: binary([](uint64_t a, uint64_t b) { return uint64_t(a != b); }); return true;
    default:
        return false;
    }
}

bool DwarfLocationExpressionEvaluator::controlFlow(uint8_t opcode)
{
    switch (opcode) {
    case DW_OP_bra: {
        int64_t offset = signedOperand(2);
        if (!cursor.failed() && pop() != 0)
            branch(offset);
        return true;
    }
    case DW_OP_skip: {
        int64_t offset = signedOperand(2);
        if (!cursor.failed())
            branch(offset);
        return true;
    }
    case DW_OP_nop:
        return true;
    default:
        return false;
    }
}

bool DwarfLocationExpressionEvaluator::location(uint8_t opcode)
{
    if (opcode >= DW_OP_reg0 && opcode <= DW_OP_reg31) {
        push(opcode - DW_OP_reg0, EntryKind::Register);
        return true;
    }
    if (opcode >= DW_OP_breg0 && opcode <= DW_OP_breg31) {
        int32_t offset = cursor.readSleb128();
        if (!cursor.failed())
            push(low32(readRegister(opcode - DW_OP_breg0) + int64_t(offset)));
        return true;
    }
    switch (opcode) {
    case DW_OP_regx: {
        uint32_t reg = cursor.readUleb128();
        if (!cursor.failed())
            push(reg, EntryKind::Register);
        return true;
    }
    case DW_OP_fbreg:
        frameBaseRegister();
        return true;
    case DW_OP_bregx: {
        uint32_t reg = cursor.readUleb128();
        int32_t offset = cursor.readSleb128();
        if (!cursor.failed())
            push(low32(readRegister(reg) + int64_t(offset)));
        return true;
    }
    case DW_OP_deref:
        push(low32(readMemory(uint32_t(pop()))));
        return true;
    case DW_OP_deref_size: {
        uint8_t size = uint8_t(operand(1));
        if (!cursor.failed())
            push(low32(readMemorySized(uint32_t(pop()), size)));
        return true;
    }
    case DW_OP_call_frame_cfa:
        push(low32(callFrameCfa()));
        return true;
    case DW_OP_GNU_push_tls_address:
        push(pop() + low32(tlsBase()));
        return true;
    default:
        return false;
    }
}

bool DwarfLocationExpressionEvaluator::composite(uint8_t opcode)
{
    switch (opcode) {
    case DW_OP_piece: {
        uint32_t size = cursor.readUleb128();
        if (!cursor.failed())
            push(size, EntryKind::Piece);
        return true;
    }
    case DW_OP_bit_piece: {
        uint32_t size = cursor.readUleb128();
        uint32_t offset = cursor.readUleb128();
        if (!cursor.failed())
            push(low32(uint64_t(size) << 8 | offset), EntryKind::BitPiece);
        return true;
    }
    case DW_OP_implicit_value: {
        uint32_t length = cursor.readUleb128();
        if (!cursor.failed())
            pushSizedValue(length, nullptr, "unsupported DW_OP_implicit_value length %d\n");
        return true;
    }
    case DW_OP_stack_value:
        push(pop(), EntryKind::Value);
        return true;
    default:
        return false;
    }
}

bool DwarfLocationExpressionEvaluator::typedOperation(uint8_t opcode)
{
    switch (opcode) {
    case DW_OP_GNU_entry_value: {
        uint32_t length = cursor.readUleb128();
        if (cursor.failed() || length == 0)
            return true;
        // A sub-block that runs past the block is not run; the skip then ends the block.
        if (length <= cursor.remaining())
            evaluate(cursor.position(), length);
        cursor.skip(length);
        return true;
    }
    case DW_OP_GNU_const_type: {
        uint32_t typeOffset = cursor.readUleb128();
        uint8_t size = uint8_t(operand(1));
        if (!cursor.failed())
            pushSizedValue(size, typeAt(typeOffset), "unsupported DW_OP_GNU_const_type size");
        return true;
    }
    case DW_OP_GNU_regval_type: {
        uint32_t reg = cursor.readUleb128();
        uint32_t typeOffset = cursor.readUleb128();
        if (!cursor.failed()) {
            const DwarfDebuggingInformationEntry* type = typeAt(typeOffset);
            push(readTypedRegister(reg, type), EntryKind::Value, type);
        }
        return true;
    }
    case DW_OP_GNU_convert: {
        uint32_t typeOffset = cursor.readUleb128();
        if (!cursor.failed())
            typeAt(typeOffset);   // looked up, but the stack keeps its types
        return true;
    }
    default:
        return false;
    }
}

bool DwarfLocationExpressionEvaluator::unsupported(uint8_t opcode)
{
    for (const UnsupportedOperation& operation : unsupportedOperations) {
        if (operation.opcode == opcode) {
            char message[64];
            snprintf(message, sizeof message, "unsupported opcode %s\n", operation.name);
            reportError(message);
            return true;
        }
    }
    return false;
}

// Pops b, then a, and pushes operation(a, b).
void DwarfLocationExpressionEvaluator::binary(uint64_t (*operation)(uint64_t a, uint64_t b))
{
    uint64_t b = pop();
    uint64_t a = pop();
    push(operation(a, b));
}

void DwarfLocationExpressionEvaluator::divide()
{
    uint64_t b = pop();
    if (uint32_t(b) == 0) {
        reportError("DW_OP_div division by zero");
        return;
    }
    int32_t dividend = int32_t(uint32_t(pop()));
    int32_t divisor = int32_t(uint32_t(b));
    // The most negative number divided by -1 wraps to itself, as negation does.
    uint32_t quotient = divisor == -1 ? 0u - uint32_t(dividend) : uint32_t(dividend / divisor);
    push(sx32(quotient));
}

// A zero divisor is reported and leaves the dividend on the stack, as DW_OP_div does.
void DwarfLocationExpressionEvaluator::modulo()
{
    uint64_t b = pop();
    if (uint32_t(b) == 0) {
        reportError("DW_OP_mod division by zero");
        return;
    }
    uint64_t a = pop();
    push(uint32_t(a) % uint32_t(b));
}

// DW_OP_plus adds as the type of the top entry says: floats, narrow signed numbers and
// 64-bit signed numbers have their own sums; everything else adds as 64-bit numbers.
void DwarfLocationExpressionEvaluator::typedPlus()
{
    const DwarfDebuggingInformationEntry* type = stack.empty() ? nullptr : stack.back().type;
    std::optional<DwarfAttributeValue> size, encoding;
    if (type) {
        size = type->lookupAttribute(DW_AT_byte_size, false);
        encoding = type->lookupAttribute(DW_AT_encoding, false);
    }
    uint32_t encodingValue = size && encoding ? encoding->value : 0;
    bool isSigned = encodingValue == DW_ATE_signed || encodingValue == DW_ATE_signed_char
                    || encodingValue == DW_ATE_signed_fixed;
    if (encodingValue == DW_ATE_float) {
        uint64_t b = pop();
        uint64_t a = pop();
        if (size->value == 4) {
            float sum = bitCast<float>(uint32_t(a)) + bitCast<float>(uint32_t(b));
            push(bitCast<uint32_t>(sum), EntryKind::Value, type);
        } else {
            double sum = bitCast<double>(a) + bitCast<double>(b);
            push(bitCast<uint64_t>(sum), EntryKind::Value, type);
        }
    } else if (isSigned) {
        uint32_t bytes = size->value;
        if (bytes != 1 && bytes != 2 && bytes != 4 && bytes != 8)
            return;
        uint64_t b = pop();
        uint64_t a = pop();
        if (bytes == 1)
            push(sx32(uint32_t(int32_t(int8_t(a)) + int32_t(int8_t(b)))));
        else if (bytes == 2)
            push(sx32(uint32_t(int32_t(int16_t(a)) + int32_t(int16_t(b)))));
        else if (bytes == 4)
            push(sx32(a + b));
        else
            push(a + b, EntryKind::Value, type);
    } else {
        binary([](uint64_t a, uint64_t b) { return a + b; });
    }
}

// Before the block's start the cursor fails, which ends the block; at or past its end the
// block ends normally.
void DwarfLocationExpressionEvaluator::branch(int64_t offset)
{
    cursor.skip(offset);
}

void DwarfLocationExpressionEvaluator::pushSizedValue(uint32_t size, const DwarfDebuggingInformationEntry* type,
                                                      const char* error)
{
    if (size == 1 || size == 2 || size == 4 || size == 8) {
        uint64_t value = operand(size);
        if (!cursor.failed())
            push(value, EntryKind::Value, type);
        return;
    }
    reportErrorValue(error, int(size));
    cursor.skip(size);
}

const DwarfDebuggingInformationEntry* DwarfLocationExpressionEvaluator::typeAt(uint32_t unitOffset) const
{
    return currentEntry && currentEntry->unit ? currentEntry->unit->findEntry(unitOffset) : nullptr;
}

// DW_OP_fbreg: the frame base plus the operand. Without a frame base the operation ends
// before its operand, which is then read as the next operation.
void DwarfLocationExpressionEvaluator::frameBaseRegister()
{
    std::optional<LocationExpression> frameBase = frameBaseExpression();
    if (!frameBase)
        return;
    evaluate(frameBase->bytes, frameBase->length);
    bool isRegister;
    bool isValue;
    uint64_t base = result(isRegister, isValue);
    if (isRegister)
        base = low32(readRegister(uint32_t(base)));
    int32_t offset = cursor.readSleb128();
    if (!cursor.failed())
        push(base + int64_t(offset));
}

std::optional<LocationExpression> DwarfLocationExpressionEvaluator::frameBaseExpression()
{
    if (!currentEntry || !currentEntry->unit)
        return std::nullopt;
    std::optional<DwarfAttributeValue> frameBase = currentEntry->lookupAttribute(DW_AT_frame_base, true);
    if (!frameBase)
        return std::nullopt;
    switch (frameBase->valueClass) {
    case DwarfValueClass::Block:
        return LocationExpression{frameBase->bytes(), frameBase->value};
    case DwarfValueClass::Constant:
    case DwarfValueClass::Reference: {
        DwarfCompilationUnit& unit = *currentEntry->unit;
        // Version-5 units keep their lists in .debug_loclists, whose entries give image
        // addresses (base entries applied) and may end with a default location.
        if (unit.isVersion5()) {
            LocationExpression expression{nullptr, 0};
            if (findLoclistExpression(unit, frameBase->value, currentPc() - unit.owner->addressBias, expression.bytes,
                                      expression.length))
                return expression;
            return std::nullopt;
        }
        uint32_t address = currentPc() - unit.owner->addressBias - unitBaseAddress(unit);
        return findLocationListEntry(frameBase->value, address);
    }
    default:
        return std::nullopt;
    }
}

// Each list entry: begin and end address (4 bytes each), then, unless both are 0 (the end
// of the list), a signed 2-byte expression length and the expression; the next entry
// starts 10 bytes plus that length after this one. A matching entry with a negative
// length is an empty expression; a length of -10 or less, which would not move forward,
// ends the search. An expression that runs past the end of .debug_loc is never returned.
std::optional<LocationExpression> DwarfLocationExpressionEvaluator::findLocationListEntry(uint32_t listOffset,
                                                                                         uint32_t address) const
{
    if (!currentEntry || !currentEntry->unit)
        return std::nullopt;
    const DwarfDebugInfo& reader = *currentEntry->unit->owner;
    if (!reader.debugLoc || listOffset >= reader.debugLocSize)
        return std::nullopt;
    ByteCursor list(reader.debugLoc, reader.debugLocSize, int(reader.byteOrder));
    list.seek(listOffset);
    for (;;) {
        uint32_t begin = list.readU32();
        uint32_t end = list.readU32();
        if (list.failed() || (begin == 0 && end == 0))
            return std::nullopt;
        int16_t length = int16_t(list.readU16());
        if (list.failed())
            return std::nullopt;
        bool matches = begin <= address && address < end;
        uint32_t expressionLength = length < 0 ? 0 : uint32_t(length);
        if (expressionLength > list.remaining() || (!matches && length <= -10))
            return std::nullopt;
        if (matches)
            return LocationExpression{list.position(), expressionLength};
        list.skip(length);
    }
}

// Visits the entries from the top down. A piece also takes the entry below it: a value
// is placed at the piece's byte position, register numbers are shifted in one byte each,
// addresses 32 bits each.
uint64_t DwarfLocationExpressionEvaluator::result(bool& isRegister, bool& isValue)
{
    isRegister = false;
    isValue = false;
    uint64_t value = 0;
    uint32_t pieces = 0;
    uint64_t bytePosition = 0;
    for (auto entry = stack.rbegin(); entry != stack.rend(); ++entry) {
        switch (entry->kind) {
        case EntryKind::Address:
            value = entry->value;
            break;
        case EntryKind::Value:
            value = entry->value;
            isValue = true;
            break;
        case EntryKind::Register:
            value = entry->value;
            isRegister = true;
            break;
        case EntryKind::BitPiece:
            break;
        case EntryKind::Piece: {
            ++pieces;
            uint64_t pieceSize = entry->value;
            if (std::next(entry) == stack.rend())
                break;
            ++entry;
            if (entry->kind == EntryKind::Value) {
                // Bytes beyond the 64-bit result are dropped.
                if (bytePosition < 8)
                    value |= entry->value << (8 * bytePosition);
                bytePosition += pieceSize;
                isValue = true;
            } else if (entry->kind == EntryKind::Register) {
                value = value << 8 | entry->value;
                isRegister = true;
            } else if (entry->kind == EntryKind::Address) {
                value = value << 32 | entry->value;
            }
            break;
        }
        }
    }
    if (isRegister && pieces > 0)
        value |= 0xFFFFFFFF80000000ull;
    stack.clear();
    return value;
}
