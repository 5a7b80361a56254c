// The decoder's hooks and the entries whose text lives elsewhere: what the A32 tree asks
// and hands over, seen through a disassembler that records the calls.
#include "A32TestSupport.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class RecordingDisassembler : public TestDisassembler {
public:
    using TestDisassembler::TestDisassembler;

    std::vector<std::pair<uint32_t, uint32_t>> conditionQuestions;
    bool passes = true;
    bool knowsLiterals = false;
    std::vector<uint32_t> simd;

protected:
    bool conditionPasses(uint32_t cond, uint32_t at) override
    {
        conditionQuestions.push_back({cond, at});
        return passes;
    }
    bool literalValue(uint32_t literalAddress, uint32_t& value) override
    {
        value = literalAddress ^ 0xFFFF;
        return knowsLiterals;
    }
    void advancedSimdDataProcessing(bool u, uint32_t bits) override
    {
        simd.push_back((u ? 0x80000000u : 0) | bits);
    }
    void advancedSimdLoadStore(uint32_t bits) override { simd.push_back(0x40000000u | bits); }
};

} // namespace

TEST(A32Hooks, ConditionIsAskedForConditionalWordsOnly)
{
    RecordingDisassembler d;
    d.arm(0x10810002, true, 0x1234);      // addne
    d.arm(0xE1A00000, true, 0x1238);      // always: asked with 14
    d.arm(0xF57FF04F, true, 0x123C);      // unconditional space: not asked
    ASSERT_EQ(d.conditionQuestions.size(), 2u);
    EXPECT_EQ(d.conditionQuestions[0], std::make_pair(1u, 0x1234u));
    EXPECT_EQ(d.conditionQuestions[1], std::make_pair(14u, 0x1238u));
}

TEST(A32Hooks, FailedConditionSkipsTheInstruction)
{
    RecordingDisassembler d;
    d.passes = false;
    EXPECT_EQ(d.arm(0x10810002), "");
    EXPECT_FALSE(d.lastPending);
}

TEST(A32Hooks, LiteralValueAnswerShowsTheValue)
{
    RecordingDisassembler d;
    d.knowsLiterals = true;
    EXPECT_EQ(d.arm(0xE59F0008), "ldr r0, =0x7FEF");   // target 0x8010
    EXPECT_EQ(d.arm(0xE5DF0008), "ldrb r0, [pc, #8]"); // byte loads are not literals
}

TEST(A32Hooks, AdvancedSimdSpaceIsHandedOverWithItsLowBits)
{
    RecordingDisassembler d;
    d.arm(0xF2012345);      // data processing, U clear
    d.arm(0xF3ABCDEF);      // data processing, U set
    d.arm(0xF4012345);      // element/structure load/store (bit 20 clear)
    d.arm(0xF4112345);      // bit 20 set: not SIMD, and not a preload or barrier
    ASSERT_EQ(d.simd.size(), 3u);
    EXPECT_EQ(d.simd[0], 0x00012345u);
    EXPECT_EQ(d.simd[1], 0x80ABCDEFu);
    EXPECT_EQ(d.simd[2], 0x40012345u);
    EXPECT_EQ(d.arm(0xF4112345), "undefined opcode");
    // v4T has no unconditional space: the same word is an ordinary one there.
    RecordingDisassembler v4t(ArchV4T);
    v4t.arm(0xF2012345);
    EXPECT_TRUE(v4t.simd.empty());
}

TEST(A32Hooks, TargetAddressIsKeptAfterTheBranch)
{
    RecordingDisassembler d;
    d.arm(0xEB000002);
    EXPECT_EQ(d.targetAddress, 0x8010u);
    EXPECT_EQ(d.condition, 14u);
    d.arm(0x1A000000, true, 0x100);
    EXPECT_EQ(d.targetAddress, 0x108u);
    EXPECT_EQ(d.condition, 1u);
    EXPECT_TRUE(d.isArm);
}

TEST(A32Hooks, LongSymbolTextIsCutToTheBuffer)
{
    class LongNames : public TestDisassembler {
    protected:
        void printTargetAddress() override
        {
            for (int n = 0; n < 3 * kTextSize; ++n)
                emitChar('x');
        }
    } d;
    const std::string text = d.arm(0xEA000000);
    EXPECT_EQ(text.size(), size_t(ARMInstructionSetDisassembler::kTextSize - 1));
    EXPECT_EQ(text.substr(0, 3), "b x");
}
