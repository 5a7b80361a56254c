// The shared text primitives, seen through the forms that use them, and the printed
// examples of the A32 syntax.
#include "A32TestSupport.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

// Exposes the primitives on an empty buffer.
class PrimitiveText : public ARMInstructionSetDisassembler {
public:
    PrimitiveText() : ARMInstructionSetDisassembler(ArchUnrestricted, 0) {}

    template <typename Emit>
    std::string text(Emit emit)
    {
        // Runs `emit` as the text of a hint, so the entry sets up and terminates the buffer.
        pendingEmit = [&]() { emit(*this); };
        char buffer[kTextSize];
        bool pending;
        disassembleInstruction(true, 0, 0xE320F000, buffer, pending);
        return buffer;
    }

    using ARMInstructionSetDisassembler::emitDecimal;
    using ARMInstructionSetDisassembler::emitHex;
    using ARMInstructionSetDisassembler::emitImmediate;
    using ARMInstructionSetDisassembler::emitMnemonic;
    using ARMInstructionSetDisassembler::emitRegister;
    using ARMInstructionSetDisassembler::emitRegisterList;

protected:
    void noOperation() override { pendingEmit(); }

private:
    std::function<void()> pendingEmit;
};

} // namespace

TEST(A32Primitives, ImmediatesDecimalUpTo32ThenHex)
{
    PrimitiveText p;
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitImmediate(0); }), "0");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitImmediate(32); }), "32");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitImmediate(33); }), "0x21");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitImmediate(4095); }), "0xFFF");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitImmediate(0xFFFFFFFF); }), "0xFFFFFFFF");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitDecimal(4294967295u); }), "4294967295");
}

TEST(A32Primitives, HexPaddingAndPrefix)
{
    PrimitiveText p;
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitHex(0x80A4, 8, true); }), "0x000080A4");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitHex(5, 2, true); }), "0x05");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitHex(0xABC, 2, false); }), "ABC");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitHex(0, 1, false); }), "0");
}

TEST(A32Primitives, RegistersAndLists)
{
    PrimitiveText p;
    EXPECT_EQ(p.text([](PrimitiveText& t) {
        for (int n = 0; n < 16; ++n)
            t.emitRegister(n);
    }), "r0r1r2r3r4r5r6r7r8r9r10r11r12splrpc");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitRegisterList(0x0030); }), "r4-r5");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitRegisterList(0x000F); }), "r0-r3");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitRegisterList(0xC000); }), "lr-pc");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitRegisterList(0x4010); }), "r4, lr");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitRegisterList(0x8155); }),
              "r0, r2, r4, r6, r8, pc");
    EXPECT_EQ(p.text([](PrimitiveText& t) { t.emitRegisterList(0); }), "");
}

TEST(A32Primitives, MnemonicConditionSuffixes)
{
    static const char* const suffixes[16] = {"eq", "ne", "cs", "cc", "mi", "pl", "vs", "vc",
                                             "hi", "ls", "ge", "lt", "gt", "le", "", ""};
    PrimitiveText p;
    for (uint32_t cond = 0; cond < 16; ++cond) {
        EXPECT_EQ(p.text([cond](PrimitiveText& t) {
            t.condition = cond;
            t.emitMnemonic("add", cond == 3);
        }), std::string("add") + suffixes[cond] + (cond == 3 ? ".w" : ""));
    }
}

TEST(A32Primitives, PrintedExamplesOfTheSyntax)
{
    EXPECT_EQ(a32Text(0x15810000), "strne r0, [r1]");
    EXPECT_EQ(a32Text(0xE7910002), "ldr r0, [r1, +r2]");
    EXPECT_EQ(a32Text(0x15D10000, false), "ldrneb r0, [r1]");
    EXPECT_EQ(a32Text(0xE4F10000), "ldrbt r0, [r1]");
    EXPECT_EQ(a32Text(0xE6510F92), "uadd8 r0, r1, r2");
    EXPECT_EQ(a32Text(0xE6210F72), "qsub16 r0, r1, r2");
    EXPECT_EQ(a32Text(0xE6310F32), "shasx r0, r1, r2");
    EXPECT_EQ(a32Text(0xE6110F32, false), "saddsubx r0, r1, r2");
    EXPECT_EQ(a32Text(0xE6110F52, false), "ssubaddx r0, r1, r2");
    EXPECT_EQ(a32Text(0xE6FF0F31), "rbit r0 ,r1");
    EXPECT_EQ(a32Text(0xE12FFF1E), "bx lr");
}
