#include "A32TestSupport.h"
#include <gtest/gtest.h>

// Words assembled by the GNU assembler from the source in the comment; texts in
// unified and legacy syntax.
namespace {

const A32Case dataProcessing[] = {
    {0xE1A00000, "mov r0, r0", "mov r0, r0"}, // mov r0, r0
    {0xE2810FFF, "add r0, r1, #0x3FC", "add r0, r1, #0x3FC"}, // add r0, r1, #0x3FC
    {0xE0910102, "adds r0, r1, r2, lsl #2", "adds r0, r1, r2, lsl #2"}, // adds r0, r1, r2, lsl #2
    {0x00910102, "addseq r0, r1, r2, lsl #2", "addeqs r0, r1, r2, lsl #2"}, // addseq r0, r1, r2, lsl #2
    {0x10910002, "addsne r0, r1, r2", "addnes r0, r1, r2"}, // addsne r0, r1, r2
    {0xE1A00181, "lsl r0, r1, #3", "mov r0, r1, lsl #3"}, // lsl r0, r1, #3
    {0xE3530000, "cmp r3, #0", "cmp r3, #0"}, // cmp r3, #0
    {0xE3A00020, "mov r0, #32", "mov r0, #32"}, // mov r0, #32
    {0xE3A00021, "mov r0, #0x21", "mov r0, #0x21"}, // mov r0, #33
    {0xE1A00061, "rrx r0, r1", "mov r0, r1, rrx"}, // rrx r0, r1
    {0xE1B00021, "lsrs r0, r1, #32", "movs r0, r1, lsr #32"}, // lsrs r0, r1, #32
    {0xE1A00041, "asr r0, r1, #32", "mov r0, r1, asr #32"}, // asr r0, r1, #32
    {0xE1A002E1, "ror r0, r1, #5", "mov r0, r1, ror #5"}, // ror r0, r1, #5
    {0xE1A00211, "lsl r0, r1, r2", "mov r0, r1, lsl r2"}, // lsl r0, r1, r2
    {0xE1B00271, "rors r0, r1, r2", "movs r0, r1, ror r2"}, // rors r0, r1, r2
    {0xE0054776, "and r4, r5, r6, ror r7", "and r4, r5, r6, ror r7"}, // and r4, r5, r6, ror r7
    {0xE02100A2, "eor r0, r1, r2, lsr #1", "eor r0, r1, r2, lsr #1"}, // eor r0, r1, r2, lsr #1
    {0xE24104FF, "sub r0, r1, #0xFF000000", "sub r0, r1, #0xFF000000"}, // sub r0, r1, #0xFF000000
    {0xE2600000, "rsb r0, r0, #0", "rsb r0, r0, #0"}, // rsb r0, r0, #0
    {0xE0A21063, "adc r1, r2, r3, rrx", "adc r1, r2, r3, rrx"}, // adc r1, r2, r3, rrx
    {0xE0D21003, "sbcs r1, r2, r3", "sbcs r1, r2, r3"}, // sbcs r1, r2, r3
    {0xE0E21003, "rsc r1, r2, r3", "rsc r1, r2, r3"}, // rsc r1, r2, r3
    {0xE1130004, "tst r3, r4", "tst r3, r4"}, // tst r3, r4
    {0xE3330001, "teq r3, #1", "teq r3, #1"}, // teq r3, #1
    {0xE1730044, "cmn r3, r4, asr #32", "cmn r3, r4, asr #32"}, // cmn r3, r4, asr #32
    {0xE3810A01, "orr r0, r1, #0x1000", "orr r0, r1, #0x1000"}, // orr r0, r1, #4096
    {0xE1C10002, "bic r0, r1, r2", "bic r0, r1, r2"}, // bic r0, r1, r2
    {0xE3E00000, "mvn r0, #0", "mvn r0, #0"}, // mvn r0, #0
    {0xC1F01002, "mvnsgt r1, r2", "mvngts r1, r2"}, // mvnsgt r1, r2
    {0xE1B0F00E, "movs pc, lr", "movs pc, lr"}, // movs pc, lr
};

} // namespace

TEST(A32DataProcessing, OperandFormsInBothSyntaxes)
{
    EXPECT_A32_TABLE(dataProcessing);
}

TEST(A32DataProcessing, AdrFromPcRelativeAddAndSub)
{
    // add r0, pc, #8 / sub r0, pc, #4: target = address + 8 +/- immediate.
    EXPECT_EQ(a32Text(0xE28F0008), "adr r0, 0x00008010");
    EXPECT_EQ(a32Text(0xE24F0004, false), "adr r0, 0x00008004");
    EXPECT_EQ(a32Text(0x028F0008), "adreq r0, 0x00008010");
    // sub r0, pc, #0 stays a subtraction; adds is not an adr.
    EXPECT_EQ(a32Text(0xE24F0000), "sub r0, pc, #0");
    EXPECT_EQ(a32Text(0xE29F0008), "adds r0, pc, #8");
}

TEST(A32DataProcessing, ImmediatesPrintDecimalUpTo32)
{
    EXPECT_EQ(a32Text(0xE3A00020), "mov r0, #32");
    EXPECT_EQ(a32Text(0xE3A00021), "mov r0, #0x21");
    EXPECT_EQ(a32Text(0xE3E00000), "mvn r0, #0");
    EXPECT_EQ(a32Text(0xE3A004FF), "mov r0, #0xFF000000");
}

TEST(A32DataProcessing, UndefinedWordsPrintOnlyTheFallback)
{
    EXPECT_EQ(a32Text(0xE7F000F0), "undefined opcode");   // permanently undefined
    EXPECT_EQ(a32Text(0xE320F005), "undefined opcode");   // unallocated hint
    EXPECT_EQ(a32Text(0xE1000070), "undefined opcode");   // misc 0111 with op 00
    EXPECT_EQ(a32Text(0xE0500091), "undefined opcode");   // UMAAL with S
    EXPECT_EQ(a32Text(0xFF000000), "undefined opcode");   // unconditional 1111
}
