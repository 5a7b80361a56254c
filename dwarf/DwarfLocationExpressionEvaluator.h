#pragma once
// The DWARF location-expression machine: a stack machine that runs the DW_OP_ operations
// of one expression block and folds what is left on its stack into one result (an address
// or offset, a register number or a value). Everything that would touch a running target
// (memory, registers, program counter, frame address, thread-local storage) is a virtual
// operation, so the machine itself is pure.
//
// Damaged blocks are bounded: operands are never read past the block (an operation whose
// operand is cut off is not executed and ends the block), a branch to before the block's
// start ends the block, one evaluation runs at most maxOperations operations counting
// every nested one, and no more than operationsPerByte per byte of the outermost block
// plus one, and evaluations nest at most maxNesting deep.
#include "common/ByteCursor.h"
#include <cstdint>
#include <list>
#include <optional>

class DwarfDebuggingInformationEntry;

enum class EntryKind : uint32_t {
    Address = 0,    // a memory address or a plain number
    Value = 1,      // the object's value itself
    Piece = 2,      // the size in bytes given to DW_OP_piece
    Register = 3,   // a DWARF register number
    BitPiece = 4,   // (bit size << 8) | bit offset, from DW_OP_bit_piece
};

struct ExpressionStackEntry {
    uint64_t value;
    EntryKind kind;
    const DwarfDebuggingInformationEntry* type;   // a base type, or null
};

// An expression found in a .debug_loc location list.
struct LocationExpression {
    const uint8_t* bytes;
    uint32_t length;
};

class DwarfLocationExpressionEvaluator {
public:
    static const uint32_t maxOperations = 100000;
    static const uint32_t operationsPerByte = 64;
    static const unsigned maxNesting = 8;

    // byteOrder: 0 reads fixed-size operands little-endian, anything else big-endian.
    explicit DwarfLocationExpressionEvaluator(uint32_t byteOrder = 0) : byteOrder(byteOrder) {}
    DwarfLocationExpressionEvaluator(const DwarfLocationExpressionEvaluator&) = delete;
    DwarfLocationExpressionEvaluator& operator=(const DwarfLocationExpressionEvaluator&) = delete;

    void push(uint64_t value, EntryKind kind = EntryKind::Address,
              const DwarfDebuggingInformationEntry* type = nullptr);
    uint64_t pop();
    uint64_t top();
    // The value n entries below the top (0: the top).
    uint64_t pick(uint32_t n);
    size_t stackSize() const { return stack.size(); }
    void setCurrentEntry(const DwarfDebuggingInformationEntry* entry) { currentEntry = entry; }

    // Runs the block on the current stack, which it neither clears nor reads first, so a
    // caller may push starting values and evaluations nest.
    void evaluate(const uint8_t* block, uint32_t length);
    // Decodes and executes the operation at the cursor.
    void step();
    // Folds the stack into one number and empties it.
    uint64_t result(bool& isRegister, bool& isValue);

    // The expression of the first entry of the .debug_loc list at `listOffset` (of the
    // current entry's reader) whose range holds `address`.
    std::optional<LocationExpression> findLocationListEntry(uint32_t listOffset, uint32_t address) const;

    // Target access.
    virtual uint32_t readMemory(uint32_t address) = 0;
    virtual uint64_t spareQuery() = 0;
    virtual uint32_t currentPc() = 0;
    virtual uint32_t readRegister(uint32_t reg) = 0;
    virtual uint64_t readTypedRegister(uint32_t reg, const DwarfDebuggingInformationEntry* type) = 0;
    virtual uint32_t readMemorySized(uint32_t address, uint8_t size) = 0;
    virtual uint32_t tlsBase() = 0;
    virtual uint32_t callFrameCfa() = 0;
    virtual uint32_t relocateAddress(uint32_t address) { return address; }
    virtual void reportError(const char* message) { (void)message; }
    virtual void reportErrorValue(const char* format, int value) { (void)format; (void)value; }

protected:
    // Not deleted through a base pointer: the tool's evaluator is one global object.
    ~DwarfLocationExpressionEvaluator() = default;

private:
    uint64_t operand(unsigned size) { return cursor.readUnsigned(size, byteOrder); }
    int64_t signedOperand(unsigned size) { return cursor.readSigned(size, byteOrder); }
    const DwarfDebuggingInformationEntry* typeAt(uint32_t unitOffset) const;

    bool constant(uint8_t opcode);
    bool stackOperation(uint8_t opcode);
    bool arithmetic(uint8_t opcode);
    bool comparison(uint8_t opcode);
    bool controlFlow(uint8_t opcode);
    bool location(uint8_t opcode);
    bool composite(uint8_t opcode);
    bool typedOperation(uint8_t opcode);
    bool unsupported(uint8_t opcode);

    void binary(uint64_t (*operation)(uint64_t a, uint64_t b));
    void divide();
    void modulo();
    void typedPlus();
    void branch(int64_t offset);
    void frameBaseRegister();
    std::optional<LocationExpression> frameBaseExpression();
    void pushSizedValue(uint32_t size, const DwarfDebuggingInformationEntry* type, const char* error);

    ByteCursor cursor;     // over the block being executed; its end is the block's end
    std::list<ExpressionStackEntry> stack;   // back() is the top
    const DwarfDebuggingInformationEntry* currentEntry = nullptr;
    uint32_t byteOrder;
    unsigned nesting = 0;
    uint32_t operationsLeft = 0;
};

// The tool's evaluator: it has no target, so every target query answers 0 and every
// report is discarded.
class MyDwarfLocationExpressionEvaluator final : public DwarfLocationExpressionEvaluator {
public:
    uint32_t readMemory(uint32_t) override { return 0; }
    uint64_t spareQuery() override { return 0; }
    uint32_t currentPc() override { return 0; }
    uint32_t readRegister(uint32_t) override { return 0; }
    uint64_t readTypedRegister(uint32_t, const DwarfDebuggingInformationEntry*) override { return 0; }
    uint32_t readMemorySized(uint32_t, uint8_t) override { return 0; }
    uint32_t tlsBase() override { return 0; }
    uint32_t callFrameCfa() override { return 0; }
};

extern MyDwarfLocationExpressionEvaluator theEvaluator;
