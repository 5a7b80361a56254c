#include "A32TestSupport.h"
#include <gtest/gtest.h>

// Words assembled by the GNU assembler from the source in each comment, with their
// texts in unified and legacy syntax.
namespace {

const A32Case media[] = {
    {0xE6110F12, "sadd16 r0, r1, r2", "sadd16 r0, r1, r2"}, // sadd16 r0, r1, r2
    {0xE6210F32, "qasx r0, r1, r2", "qaddsubx r0, r1, r2"}, // qasx r0, r1, r2
    {0xE6310F52, "shsax r0, r1, r2", "shsubaddx r0, r1, r2"}, // shsax r0, r1, r2
    {0xE6510F72, "usub16 r0, r1, r2", "usub16 r0, r1, r2"}, // usub16 r0, r1, r2
    {0xE6610F92, "uqadd8 r0, r1, r2", "uqadd8 r0, r1, r2"}, // uqadd8 r0, r1, r2
    {0x16710FF2, "uhsub8ne r0, r1, r2", "uhsub8ne r0, r1, r2"}, // uhsub8ne r0, r1, r2
    {0xE6810012, "pkhbt r0, r1, r2", "pkhbt r0, r1, r2"}, // pkhbt r0, r1, r2
    {0xE6810212, "pkhbt r0, r1, r2, lsl #4", "pkhbt r0, r1, r2, lsl #4"}, // pkhbt r0, r1, r2, lsl #4
    {0xE6810252, "pkhtb r0, r1, r2, asr #4", "pkhtb r0, r1, r2, asr #4"}, // pkhtb r0, r1, r2, asr #4
    {0xE6A70011, "ssat r0, #8, r1", "ssat r0, #8, r1"}, // ssat r0, #8, r1
    {0xE6BF0211, "ssat r0, #32, r1, lsl #4", "ssat r0, #32, r1, lsl #4"}, // ssat r0, #32, r1, lsl #4
    {0xE6A001D1, "ssat r0, #1, r1, asr #3", "ssat r0, #1, r1, asr #3"}, // ssat r0, #1, r1, asr #3
    {0xE6FF0FD1, "usat r0, #31, r1, asr #31", "usat r0, #31, r1, asr #31"}, // usat r0, #31, r1, asr #31
    {0xE6A70F31, "ssat16 r0, #8, r1", "ssat16 r0, #8, r1"}, // ssat16 r0, #8, r1
    {0xE6EF0F31, "usat16 r0, #15, r1", "usat16 r0, #15, r1"}, // usat16 r0, #15, r1
    {0xE6810FB2, "sel r0, r1, r2", "sel r0, r1, r2"}, // sel r0, r1, r2
    {0xE6BF0F31, "rev r0, r1", "rev r0, r1"}, // rev r0, r1
    {0xE6BF0FB1, "rev16 r0, r1", "rev16 r0, r1"}, // rev16 r0, r1
    {0x16FF0FB1, "revshne r0, r1", "revshne r0, r1"}, // revshne r0, r1
    {0xE6FF0F31, "rbit r0 ,r1", "rbit r0 ,r1"}, // rbit r0, r1
    {0xE6AF0071, "sxtb r0, r1", "sxtb r0, r1"}, // sxtb r0, r1
    {0xE6BF0471, "sxth r0, r1, ror #8", "sxth r0, r1, ror #8"}, // sxth r0, r1, ror #8
    {0xE68F0871, "sxtb16 r0, r1, ror #16", "sxtb16 r0, r1, ror #16"}, // sxtb16 r0, r1, ror #16
    {0xE6EF0071, "uxtb r0, r1", "uxtb r0, r1"}, // uxtb r0, r1
    {0xE6FF0071, "uxth r0, r1", "uxth r0, r1"}, // uxth r0, r1
    {0xE6CF0C71, "uxtb16 r0, r1, ror #24", "uxtb16 r0, r1, ror #24"}, // uxtb16 r0, r1, ror #24
    {0xE6A10072, "sxtab r0, r1, r2", "sxtab r0, r1, r2"}, // sxtab r0, r1, r2
    {0xE6B10472, "sxtah r0, r1, r2, ror #8", "sxtah r0, r1, r2, ror #8"}, // sxtah r0, r1, r2, ror #8
    {0xE6810072, "sxtab16 r0, r1, r2", "sxtab16 r0, r1, r2"}, // sxtab16 r0, r1, r2
    {0xE6E10072, "uxtab r0, r1, r2", "uxtab r0, r1, r2"}, // uxtab r0, r1, r2
    {0xE6F10072, "uxtah r0, r1, r2", "uxtah r0, r1, r2"}, // uxtah r0, r1, r2
    {0xE6C10C72, "uxtab16 r0, r1, r2, ror #24", "uxtab16 r0, r1, r2, ror #24"}, // uxtab16 r0, r1, r2, ror #24
    {0xE7CB021F, "bfc r0, #4, #8", "bfc r0, #4, #8"}, // bfc r0, #4, #8
    {0xE7DF0011, "bfi r0, r1, #0, #32", "bfi r0, r1, #0, #32"}, // bfi r0, r1, #0, #32
    {0xE7A401D1, "sbfx r0, r1, #3, #5", "sbfx r0, r1, #3, #5"}, // sbfx r0, r1, #3, #5
    {0xE7E00051, "ubfx r0, r1, #0, #1", "ubfx r0, r1, #0, #1"}, // ubfx r0, r1, #0, #1
    {0xE30F0FFF, "movw r0, #0xFFFF", "movw r0, #0xFFFF"}, // movw r0, #0xFFFF
    {0xE3401012, "movt r1, #18", "movt r1, #18"}, // movt r1, #18
    {0x13012234, "movwne r2, #0x1234", "movwne r2, #0x1234"}, // movwne r2, #0x1234
};

} // namespace

TEST(A32Media, AllFormsInBothSyntaxes)
{
    EXPECT_A32_TABLE(media);
}

TEST(A32Media, ParallelCombinationsWithoutNameAndShiftEdgeCases)
{
    // Reserved operation codes of the parallel space are not decoded at all.
    EXPECT_EQ(a32Text(0xE6110FB2), "undefined opcode");   // op 101
    EXPECT_EQ(a32Text(0xE6010F12), "undefined opcode");   // prefix 000
    // An encoded ASR amount of 0 is a shift by 32 (the round trip assembles these back).
    EXPECT_EQ(a32Text(0xE6A70051), "ssat r0, #8, r1, asr #32");
    EXPECT_EQ(a32Text(0xE6810052), "pkhtb r0, r1, r2, asr #32");
    // Extends with unallocated op codes.
    EXPECT_EQ(a32Text(0xE69F0071), "undefined opcode");
}

TEST(A32Media, ReverseFamilyNeedsItsOwnOperationCodes)
{
    EXPECT_EQ(a32Text(0xE6BF0F31), "rev r0, r1");
    EXPECT_EQ(a32Text(0xE6CF0FB1), "undefined opcode");   // op 100 with 1011
    EXPECT_EQ(a32Text(0xE69F0F31), "undefined opcode");   // op 001 with 0011
}
