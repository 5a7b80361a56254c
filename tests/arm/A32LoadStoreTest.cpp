#include "A32TestSupport.h"
#include <gtest/gtest.h>

// Words assembled by the GNU assembler from the source in the comment; texts in
// unified and legacy syntax.
namespace {

const A32Case loadStore[] = {
    {0xE5910000, "ldr r0, [r1]", "ldr r0, [r1]"}, // ldr r0, [r1]
    {0xE5910004, "ldr r0, [r1, #4]", "ldr r0, [r1, #4]"}, // ldr r0, [r1, #4]
    {0xE5110004, "ldr r0, [r1, #-4]", "ldr r0, [r1, #-4]"}, // ldr r0, [r1, #-4]
    {0xE5B10100, "ldr r0, [r1, #0x100]!", "ldr r0, [r1, #0x100]!"}, // ldr r0, [r1, #0x100]!
    {0xE4910004, "ldr r0, [r1], #4", "ldr r0, [r1], #4"}, // ldr r0, [r1], #4
    {0xE4110FFF, "ldr r0, [r1], #-0xFFF", "ldr r0, [r1], #-0xFFF"}, // ldr r0, [r1], #-0xFFF
    {0x17910002, "ldrne r0, [r1, +r2]", "ldrne r0, [r1, +r2]"}, // ldrne r0, [r1, r2]
    {0xE7110102, "ldr r0, [r1, -r2, lsl #2]", "ldr r0, [r1, -r2, lsl #2]"}, // ldr r0, [r1, -r2, lsl #2]
    {0xE7B10022, "ldr r0, [r1, +r2, lsr #32]!", "ldr r0, [r1, +r2, lsr #32]!"}, // ldr r0, [r1, r2, lsr #32]!
    {0xE6110062, "ldr r0, [r1], -r2, rrx", "ldr r0, [r1], -r2, rrx"}, // ldr r0, [r1], -r2, rrx
    {0xE5D10001, "ldrb r0, [r1, #1]", "ldrb r0, [r1, #1]"}, // ldrb r0, [r1, #1]
    {0x15D10000, "ldrbne r0, [r1]", "ldrneb r0, [r1]"}, // ldrbne r0, [r1]
    {0xE6C10002, "strb r0, [r1], +r2", "strb r0, [r1], +r2"}, // strb r0, [r1], r2
    {0xE4B10004, "ldrt r0, [r1], #4", "ldrt r0, [r1], #4"}, // ldrt r0, [r1], #4
    {0xE6710002, "ldrbt r0, [r1], -r2", "ldrbt r0, [r1], -r2"}, // ldrbt r0, [r1], -r2
    {0xE4A10000, "strt r0, [r1]", "strt r0, [r1]"}, // strt r0, [r1]
    {0xE4E10001, "strbt r0, [r1], #1", "strbt r0, [r1], #1"}, // strbt r0, [r1], #1
    {0xE59F0008, "ldr r0, [pc, #8]", "ldr r0, [pc, #8]"}, // ldr r0, [pc, #8]
    {0xE51F0008, "ldr r0, [pc, #-8]", "ldr r0, [pc, #-8]"}, // ldr r0, [pc, #-8]
    {0xE51F0000, "ldr r0, [pc, #-0]", "ldr r0, [pc, #-0]"}, // ldr r0, [pc, #-0]
    {0xE59F0000, "ldr r0, [pc]", "ldr r0, [pc]"}, // ldr r0, [pc]
    {0xE52D0004, "push {r0}", "push {r0}"}, // push {r0}
    {0x152D0004, "pushne {r0}", "pushne {r0}"}, // pushne {r0}
    {0xE49D0004, "pop {r0}", "pop {r0}"}, // pop {r0}
    {0xE1D100B2, "ldrh r0, [r1, #2]", "ldrh r0, [r1, #2]"}, // ldrh r0, [r1, #2]
    {0xE17100B2, "ldrh r0, [r1, #-2]!", "ldrh r0, [r1, #-2]!"}, // ldrh r0, [r1, #-2]!
    {0xE0C10FBF, "strh r0, [r1], #0xFF", "strh r0, [r1], #0xFF"}, // strh r0, [r1], #255
    {0xE19100D2, "ldrsb r0, [r1, +r2]", "ldrsb r0, [r1, +r2]"}, // ldrsb r0, [r1, r2]
    {0xE01100F2, "ldrsh r0, [r1], -r2", "ldrsh r0, [r1], -r2"}, // ldrsh r0, [r1], -r2
    {0x11D100F0, "ldrshne r0, [r1]", "ldrnesh r0, [r1]"}, // ldrshne r0, [r1]
    {0xE1C140D8, "ldrd r4, r5, [r1, #8]", "ldrd r4, [r1, #8]"}, // ldrd r4, r5, [r1, #8]
    {0xE00140F3, "strd r4, r5, [r1], -r3", "strd r4, [r1], -r3"}, // strd r4, r5, [r1], -r3
    {0x01C020D0, "ldrdeq r2, r3, [r0]", "ldreqd r2, [r0]"}, // ldrdeq r2, r3, [r0]
    {0xE0F100B2, "ldrht r0, [r1], #2", "ldrht r0, [r1], #2"}, // ldrht r0, [r1], #2
    {0xE02100B2, "strht r0, [r1], -r2", "strht r0, [r1], -r2"}, // strht r0, [r1], -r2
    {0xE0F100D1, "ldrsbt r0, [r1], #1", "ldrsbt r0, [r1], #1"}, // ldrsbt r0, [r1], #1
    {0xE0F100F0, "ldrsht r0, [r1]", "ldrsht r0, [r1]"}, // ldrsht r0, [r1]
    {0xE1020091, "swp r0, r1, [r2]", "swp r0, r1, [r2]"}, // swp r0, r1, [r2]
    {0xE1420091, "swpb r0, r1, [r2]", "swpb r0, r1, [r2]"}, // swpb r0, r1, [r2]
    {0x11420091, "swpbne r0, r1, [r2]", "swpneb r0, r1, [r2]"}, // swpbne r0, r1, [r2]
    {0xE1910F9F, "ldrex r0, [r1]", "ldrex r0, [r1]"}, // ldrex r0, [r1]
    {0xE1D10F9F, "ldrexb r0, [r1]", "ldrexb r0, [r1]"}, // ldrexb r0, [r1]
    {0xE1F10F9F, "ldrexh r0, [r1]", "ldrexh r0, [r1]"}, // ldrexh r0, [r1]
    {0xE1B12F9F, "ldrexd r2, r3, [r1]", "ldrexd r2, r3, [r1]"}, // ldrexd r2, r3, [r1]
    {0xE1810F92, "strex r0, r2, [r1]", "strex r0, r2, [r1]"}, // strex r0, r2, [r1]
    {0xE1C10F92, "strexb r0, r2, [r1]", "strexb r0, r2, [r1]"}, // strexb r0, r2, [r1]
    {0xE1E10F92, "strexh r0, r2, [r1]", "strexh r0, r2, [r1]"}, // strexh r0, r2, [r1]
    {0xE1A10F92, "strexd r0, r2, r3, [r1]", "strexd r0, r2, r3, [r1]"}, // strexd r0, r2, r3, [r1]
    {0x11810F92, "strexne r0, r2, [r1]", "strexne r0, r2, [r1]"}, // strexne r0, r2, [r1]
    {0xF5D0F004, "pld [r0, #4]", "pld [r0, #4]"}, // pld [r0, #4]
    {0xF550F004, "pld [r0, #-4]", "pld [r0, #-4]"}, // pld [r0, #-4]
    {0xF7D0F001, "pld [r0, +r1]", "pld [r0, +r1]"}, // pld [r0, r1]
    {0xF750F101, "pld [r0, -r1, lsl #2]", "pld [r0, -r1, lsl #2]"}, // pld [r0, -r1, lsl #2]
    {0xF4D0F008, "pli [r0, #8]", "pli [r0, #8]"}, // pli [r0, #8]
    {0xF6D0F0E1, "pli [r0, +r1, ror #1]", "pli [r0, +r1, ror #1]"}, // pli [r0, r1, ror #1]
    {0xF5DFF010, "pld [pc, #16]", "pld [pc, #16]"}, // pld [pc, #16]
};

// Load and store multiple: unified drops "ia" and prints the stack forms as push/pop;
// legacy prints the two-letter mode, with the stack letters for base sp.
const A32Case multiple[] = {
    {0xE89000F6, "ldm r0, {r1-r2, r4-r7}", "ldmia r0, {r1-r2, r4-r7}"}, // ldm r0, {r1, r2, r4-r7}
    {0xE8B04002, "ldm r0!, {r1, lr}", "ldmia r0!, {r1, lr}"}, // ldmia r0!, {r1, lr}
    {0xE9900002, "ldmib r0, {r1}", "ldmib r0, {r1}"}, // ldmib r0, {r1}
    {0xE8100002, "ldmda r0, {r1}", "ldmda r0, {r1}"}, // ldmda r0, {r1}
    {0xE930000E, "ldmdb r0!, {r1-r3}", "ldmdb r0!, {r1-r3}"}, // ldmdb r0!, {r1-r3}
    {0xE880000A, "stm r0, {r1, r3}", "stmia r0, {r1, r3}"}, // stm r0, {r1, r3}
    {0xE9000002, "stmdb r0, {r1}", "stmdb r0, {r1}"}, // stmdb r0, {r1}
    {0xE9A0FFFF, "stmib r0!, {r0-pc}", "stmib r0!, {r0-pc}"}, // stmib r0!, {r0-r15}
    {0x18900002, "ldmne r0, {r1}", "ldmneia r0, {r1}"}, // ldmne r0, {r1}
    {0xE92D4010, "push {r4, lr}", "stmfd sp!, {r4, lr}"}, // push {r4, lr}
    {0xE8BD8010, "pop {r4, pc}", "ldmfd sp!, {r4, pc}"}, // pop {r4, pc}
    {0xE89D0010, "ldm sp, {r4}", "ldmfd sp, {r4}"}, // ldm sp, {r4}
    {0xE9AD0003, "stmib sp!, {r0-r1}", "stmfa sp!, {r0-r1}"}, // stmib sp!, {r0-r1}
    {0xE93D0003, "ldmdb sp!, {r0-r1}", "ldmea sp!, {r0-r1}"}, // ldmdb sp!, {r0-r1}
    {0xE83D000F, "ldmda sp!, {r0-r3}", "ldmfa sp!, {r0-r3}"}, // ldmda sp!, {r0-r3}
    {0xE82D000F, "stmda sp!, {r0-r3}", "stmed sp!, {r0-r3}"}, // stmda sp!, {r0-r3}
    {0xE8AD000F, "stm sp!, {r0-r3}", "stmea sp!, {r0-r3}"}, // stmia sp!, {r0-r3}
    {0xE9BD000F, "ldmib sp!, {r0-r3}", "ldmed sp!, {r0-r3}"}, // ldmib sp!, {r0-r3}
    {0xE8D08002, "ldmia r0, {r1, pc}^", "ldmia r0, {r1, pc}^"}, // ldm r0, {r1, pc}^
    {0xE8C00006, "stmia r0, {r1-r2}^", "stmia r0, {r1-r2}^"}, // stmia r0, {r1-r2}^
    {0x192D000F, "pushne {r0-r3}", "stmnefd sp!, {r0-r3}"}, // pushne {r0-r3}
};


} // namespace

TEST(A32LoadStore, SingleExtraSwapExclusiveAndPreload)
{
    EXPECT_A32_TABLE(loadStore);
}

TEST(A32LoadStore, MultipleModesInBothSyntaxes)
{
    EXPECT_A32_TABLE(multiple);
}

TEST(A32LoadStore, DesignExamples)
{
    EXPECT_EQ(a32Text(0xE52D0004), "push {r0}");
    EXPECT_EQ(a32Text(0xE52D0004, false), "push {r0}");
    EXPECT_EQ(a32Text(0x152D0004), "pushne {r0}");
    EXPECT_EQ(a32Text(0xE51F0008), "ldr r0, [pc, #-8]");
}

TEST(A32LoadStore, LiteralLoadsRecordTheirTargets)
{
    TestDisassembler disassembler;
    disassembler.arm(0xE59F0008);              // ldr r0, [pc, #8]
    disassembler.arm(0xE51F0010, true, 0x9000); // ldr r0, [pc, #-16]
    disassembler.arm(0xE5D10001);              // ldrb: not a word load
    disassembler.arm(0xE1A00000);
    EXPECT_EQ(disassembler.literalAddresses, (std::set<uint32_t>{0x8010, 0x8FF8}));
}

TEST(A32LoadStore, ExtraLoadPcRelativePrintsTarget)
{
    EXPECT_EQ(a32Text(0xE1DF00B8), "ldrh r0, 0x00008010");      // ldrh r0, [pc, #8]
    EXPECT_EQ(a32Text(0xE15F00B0), "ldrh r0, [pc, #-0]");
    EXPECT_EQ(a32Text(0xE1CF40D8), "ldrd r4, r5, 0x00008010");
    EXPECT_EQ(a32Text(0xE1DF00B0), "ldrh r0, [pc]");
}

TEST(A32LoadStore, DualWithOddOrLrFirstRegisterIsUndefined)
{
    EXPECT_EQ(a32Text(0xE1C150D8), "undefined opcode");   // ldrd r5, r6, [r1, #8]
    EXPECT_EQ(a32Text(0xE1C1E0F8), "undefined opcode");   // strd lr, pc, [r1, #8]
    EXPECT_EQ(a32Text(0xE1C140D8), "ldrd r4, r5, [r1, #8]");
}

TEST(A32LoadStore, ZeroOffsetsDropTheSign)
{
    EXPECT_EQ(a32Text(0xE5110000), "ldr r0, [r1]");        // [r1, #-0]
    EXPECT_EQ(a32Text(0xE5310000), "ldr r0, [r1]!");
}
