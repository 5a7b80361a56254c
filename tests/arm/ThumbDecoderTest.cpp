// Table tests of the Thumb decoder and its texts: the T16 and T32 forms, the IT state,
// the BL/BLX halfword pairs of the pre-Thumb-2 levels and the level restrictions.
// Encodings were produced with arm-none-eabi-as; the texts are the expected output.
#include "arm/ARMInstructionSetDisassembler.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kAddress = 0x8000;

// Feeds halfwords the way the listing does and collects one text per instruction.
class ThumbTester : public ARMInstructionSetDisassembler {
public:
    explicit ThumbTester(ArchitectureLevel level = ArchUnrestricted, bool unified = true)
        : ARMInstructionSetDisassembler(level, 0)
    {
        unifiedSyntax = unified;
    }

    std::vector<std::string> run(const std::vector<uint16_t>& halfwords,
                                 uint32_t at = kAddress)
    {
        std::vector<std::string> texts;
        char text[kTextSize];
        for (size_t i = 0; i < halfwords.size(); ++i) {
            bool pending = false;
            disassembleInstruction(false, at, halfwords[i], text, pending);
            if (pending && i + 1 < halfwords.size()) {
                disassembleInstruction(false, at + 2, halfwords[++i], text, pending);
                at += 4;
            } else {
                at += 2;
            }
            if (!pending)
                texts.push_back(text);
        }
        return texts;
    }

    std::string one(const std::vector<uint16_t>& halfwords)
    {
        std::vector<std::string> texts = run(halfwords);
        return texts.size() == 1 ? texts[0] : "<" + std::to_string(texts.size()) + " texts>";
    }
};

std::string thumb(const std::vector<uint16_t>& halfwords, ArchitectureLevel level = ArchUnrestricted,
                  bool unified = true)
{
    ThumbTester tester(level, unified);
    return tester.one(halfwords);
}

std::vector<std::string> thumbAll(const std::vector<uint16_t>& halfwords,
                                  ArchitectureLevel level = ArchUnrestricted, bool unified = true)
{
    ThumbTester tester(level, unified);
    return tester.run(halfwords);
}

struct ThumbCase {
    std::vector<uint16_t> halfwords;
    const char* text;
};

void expectTable(const std::vector<ThumbCase>& table, ArchitectureLevel level = ArchUnrestricted)
{
    for (const ThumbCase& c : table) {
        std::string hex;
        for (uint16_t hw : c.halfwords)
            hex += " " + std::to_string(hw);
        EXPECT_EQ(thumb(c.halfwords, level), c.text) << "halfwords" << hex;
    }
}

} // namespace

// ---- edge cases stated for the Thumb decoder ----

TEST(ThumbEdgeCases, PushAndPop)
{
    EXPECT_EQ(thumb({0xB510}), "push {r4, lr}");
    EXPECT_EQ(thumb({0xBD10}), "pop {r4, pc}");
}

TEST(ThumbEdgeCases, MovsOutsideBlockMovInLegacyAndInsideBlock)
{
    EXPECT_EQ(thumb({0x2000}), "movs r0, #0");
    EXPECT_EQ(thumb({0x2000}, ArchUnrestricted, false), "mov r0, #0");
    EXPECT_EQ(thumbAll({0xBF08, 0x2000}), (std::vector<std::string>{"it eq", "moveq r0, #0"}));
}

TEST(ThumbEdgeCases, ItEqThenMoveq)
{
    EXPECT_EQ(thumbAll({0xBF08, 0x2001}), (std::vector<std::string>{"it eq", "moveq r0, #1"}));
}

TEST(ThumbEdgeCases, BranchWithLinkOnEveryLevel)
{
    for (int level = 0; level <= 11; ++level)
        EXPECT_EQ(thumb({0xF000, 0xF800}, ArchitectureLevel(level)), "bl 0x00008004")
            << "level " << level;
}

TEST(ThumbEdgeCases, NegIsRsbsInUnifiedSyntax)
{
    EXPECT_EQ(thumb({0x4240}), "rsbs r0, r0 ,#0");
    EXPECT_EQ(thumb({0x4240}, ArchUnrestricted, false), "neg r0, r0");
    EXPECT_EQ(thumbAll({0xBF18, 0x4248}), (std::vector<std::string>{"it ne", "rsbne r0, r1 ,#0"}));
}

TEST(ThumbEdgeCases, CompareBranchZeroGatedOnV6M)
{
    EXPECT_EQ(thumb({0xB100}, ArchV6M), "undefined opcode");
    EXPECT_EQ(thumb({0xB100}), "cbz r0, 0x00008004");
    EXPECT_EQ(thumb({0xBBFF}), "cbnz r7, 0x00008082");
    EXPECT_EQ(thumb({0xB9FF}), "cbnz r7, 0x00008042");
    EXPECT_EQ(thumb({0xB100}, ArchV4T), "undefined opcode");
    EXPECT_EQ(thumb({0xB100}, ArchV5TE), "undefined opcode");
    EXPECT_EQ(thumb({0xB100}, ArchV8MBaseline), "cbz r0, 0x00008004");
}

TEST(ThumbEdgeCases, BreakpointGatedOnV4T)
{
    EXPECT_EQ(thumb({0xBE01}), "bkpt #1");
    EXPECT_EQ(thumb({0xBE01}, ArchV4T), "undefined opcode");
}

// ---- T16 forms, one or more per handler ----

TEST(ThumbT16, EveryHandlerInUnifiedSyntax)
{
    expectTable({
    {{0x00C8}, "lsls r0, r1, #3"},
    {{0x081A}, "lsrs r2, r3, #32"},
    {{0x106C}, "asrs r4, r5, #1"},
    {{0x0008}, "movs r0, r1"},
    {{0x1888}, "adds r0, r1, r2"},
    {{0x1BF5}, "subs r5, r6, r7"},
    {{0x1DC8}, "adds r0, r1, #7"},
    {{0x1E48}, "subs r0, r1, #1"},
    {{0x23FF}, "movs r3, #0xFF"},
    {{0x2B20}, "cmp r3, #32"},
    {{0x3721}, "adds r7, #0x21"},
    {{0x3904}, "subs r1, #4"},
    {{0x4008}, "ands r0, r1"},
    {{0x43F8}, "mvns r0, r7"},
    {{0x421A}, "tst r2, r3"},
    {{0x4348}, "muls r0, r1"},
    {{0x4440}, "add r0, r8"},
    {{0x4589}, "cmp r9, r1"},
    {{0x46E8}, "mov r8, sp"},
    {{0x4770}, "bx lr"},
    {{0x4798}, "blx r3"},
    {{0x4802}, "ldr r0, [pc, #8]"},
    {{0x5E88}, "ldrsh r0, [r1, r2]"},
    {{0x5488}, "strb r0, [r1, r2]"},
    {{0x6FC8}, "ldr r0, [r1, #0x7C]"},
    {{0x77C8}, "strb r0, [r1, #31]"},
    {{0x6808}, "ldr r0, [r1]"},
    {{0x8FC8}, "ldrh r0, [r1, #0x3E]"},
    {{0x9000}, "str r0, [sp]"},
    {{0x98FF}, "ldr r0, [sp, #0x3FC]"},
    {{0xA804}, "add r0, sp, #16"},
    {{0xB002}, "add sp, sp, #8"},
    {{0xB0FF}, "sub sp, sp, #0x1FC"},
    {{0xB208}, "sxth r0, r1"},
    {{0xB2F7}, "uxtb r7, r6"},
    {{0xBA08}, "rev r0, r1"},
    {{0xBA48}, "rev16 r0, r1"},
    {{0xBAC8}, "revsh r0, r1"},
    {{0xB50F}, "push {r0-r3, lr}"},
    {{0xBD50}, "pop {r4, r6, pc}"},
    {{0xBEAB}, "bkpt #0xAB"},
    {{0xB658}, "setend be"},
    {{0xB673}, "cpsid if"},
    {{0xB661}, "cpsie f"},
    {{0xBF00}, "nop"},
    {{0xBF40}, "sev"},
    {{0xBF20}, "wfe"},
    {{0xBF30}, "wfi"},
    {{0xBF10}, "yield"},
    {{0xC806}, "ldm r0!, {r1-r2}"},
    {{0xC903}, "ldm r1, {r0-r1}"},
    {{0xC229}, "stm r2!, {r0, r3, r5}"},
    {{0xDF0A}, "svc #10"},
        {{0x4770}, "bx lr"},
        {{0x4780}, "blx r0"},
        {{0x4774}, "bxns lr"},
        {{0x479C}, "blxns r3"},
        {{0xA001}, "adr r0, 0x00008008"},
        {{0xB088}, "sub sp, sp, #32"},
        {{0xB650}, "setend le"},
        {{0xB65F}, "setend be"},
        {{0xBAB0}, "??? r0, r6"},
        {{0xBF10}, "yield"},
        {{0xD0FE}, "beq 0x00008000"},
        {{0xDD01}, "ble 0x00008006"},
        {{0xE7FE}, "b 0x00008000"},
        {{0xE400}, "b 0x00007804"},
        {{0xDE00}, "undefined opcode"},
        {{0xB800}, "undefined opcode"},
        {{0xBF50}, "undefined opcode"},
        {{0xB640}, "undefined opcode"},
        {{0xB670}, "cpsid "},
    });
}

TEST(ThumbT16, ShiftByImmediateZeroPrintsThirtyTwo)
{
    EXPECT_EQ(thumb({0x0808}), "lsrs r0, r1, #32");
    EXPECT_EQ(thumb({0x1008}), "asrs r0, r1, #32");
    EXPECT_EQ(thumb({0x0008}), "movs r0, r1");
}

TEST(ThumbT16, LegacySyntaxNames)
{
    const std::vector<ThumbCase> table = {
        {{0x00C8}, "lsl r0, r1, #3"},
        {{0x1888}, "add r0, r1, r2"},
        {{0x1E48}, "sub r0, r1, #1"},
        {{0x4008}, "and r0, r1"},
        {{0x4148}, "adc r0, r1"},
        {{0x4348}, "mul r0, r1"},
        {{0x43C8}, "mvn r0, r1"},
        {{0x4288}, "cmp r0, r1"},
        {{0xB002}, "add sp, #8"},
        {{0xB082}, "sub sp, #8"},
        {{0xC806}, "ldmia r0!, {r1-r2}"},
        {{0xC903}, "ldmia r1, {r0-r1}"},
        {{0xC029}, "stmia r0!, {r0, r3, r5}"},
        {{0xDF0A}, "swi #10"},
        {{0x4770}, "bx lr"},
    };
    for (const ThumbCase& c : table)
        EXPECT_EQ(thumb(c.halfwords, ArchUnrestricted, false), c.text);
}

TEST(ThumbT16, LiteralLoadRecordsItsTarget)
{
    ThumbTester tester;
    EXPECT_EQ(tester.run({0xBF00, 0x4802}, kAddress)[1], "ldr r0, [pc, #8]");
    // Word-aligned (0x8002 + 4) & ~3 = 0x8004, plus 8.
    EXPECT_EQ(tester.literalAddresses.count(0x800C), 1u);
}

// ---- IT blocks ----

TEST(ThumbItBlocks, LettersFollowTheMaskRelativeToTheFirstCondition)
{
    // firstcond eq (bit 0 clear) and ne (bit 0 set) with the same masks.
    EXPECT_EQ(thumbAll({0xBF04})[0], "itt eq");
    EXPECT_EQ(thumbAll({0xBF0C})[0], "ite eq");
    EXPECT_EQ(thumbAll({0xBF1C})[0], "itt ne");
    EXPECT_EQ(thumbAll({0xBF14})[0], "ite ne");
    EXPECT_EQ(thumbAll({0xBF0A})[0], "itet eq");
    EXPECT_EQ(thumbAll({0xBF06})[0], "itte eq");
    EXPECT_EQ(thumbAll({0xBF1A})[0], "itte ne");
    EXPECT_EQ(thumbAll({0xBF16})[0], "itet ne");
    EXPECT_EQ(thumbAll({0xBF01})[0], "itttt eq");
    EXPECT_EQ(thumbAll({0xBF0F})[0], "iteee eq");
    EXPECT_EQ(thumbAll({0xBF1F})[0], "itttt ne");
    EXPECT_EQ(thumbAll({0xBF11})[0], "iteee ne");
    EXPECT_EQ(thumbAll({0xBFC8})[0], "it gt");
    EXPECT_EQ(thumbAll({0xBFF8})[0], "it nv");
}

TEST(ThumbItBlocks, EveryInstructionTakesTheNextCondition)
{
    // itet eq: eq, ne, eq, then no block.
    EXPECT_EQ(thumbAll({0xBF0A, 0x2001, 0x2002, 0x2003, 0x2004}),
              (std::vector<std::string>{"itet eq", "moveq r0, #1", "movne r0, #2",
                                        "moveq r0, #3", "movs r0, #4"}));
    // itte ne: ne, ne, eq; wide and narrow instructions alike.
    EXPECT_EQ(thumbAll({0xBF1A, 0xF04F, 0x0001, 0x1888, 0xF8D1, 0x0004, 0x1888}),
              (std::vector<std::string>{"itte ne", "movne.w r0, #1", "addne r0, r1, r2",
                                        "ldreq.w r0, [r1, #4]", "adds r0, r1, r2"}));
}

TEST(ThumbItBlocks, UndecodableInstructionStillConsumesItsCondition)
{
    EXPECT_EQ(thumbAll({0xBF04, 0xDE00, 0x2001, 0x2001}),
              (std::vector<std::string>{"itt eq", "undefined opcode", "moveq r0, #1",
                                        "movs r0, #1"}));
}

TEST(ThumbItBlocks, StateLivesInTheObjectAcrossCalls)
{
    ThumbTester tester;
    tester.run({0xBF04});
    EXPECT_EQ(tester.itState, 0x04u);
    EXPECT_EQ(tester.run({0x2001})[0], "moveq r0, #1");
    EXPECT_EQ(tester.itState, 0x08u);
    EXPECT_EQ(tester.run({0x2001})[0], "moveq r0, #1");
    EXPECT_EQ(tester.itState, 0u);
    // A fresh object starts with no block.
    EXPECT_EQ(thumb({0x2001}), "movs r0, #1");
}

TEST(ThumbItBlocks, RejectedWhereThereIsNoIt)
{
    for (ArchitectureLevel level : {ArchV4T, ArchV5TE, ArchV6, ArchV6M})
        EXPECT_EQ(thumb({0xBF08}, level), "undefined opcode") << level;
    EXPECT_EQ(thumb({0xBF08}, ArchV6T2), "it eq");
    EXPECT_EQ(thumb({0xBF08}, ArchV8MBaseline), "it eq");
}

// ---- levels without Thumb-2: BL/BLX pairs and the T16 restrictions ----

TEST(ThumbLevels, BranchLinkPairsBeforeThumb2)
{
    for (ArchitectureLevel level : {ArchV4T, ArchV5TE, ArchV6}) {
        ThumbTester tester(level);
        EXPECT_EQ(tester.run({0xF7FF, 0xFFFE}), std::vector<std::string>{"bl 0x00008000"});
        EXPECT_FALSE(tester.pendingSecondHalf);
    }
    // BLX suffix: target with the two low bits cleared; not on v4T.
    EXPECT_EQ(thumb({0xF000, 0xE801}, ArchV5TE), "blx 0x00008004");
    EXPECT_EQ(thumb({0xF000, 0xE801}, ArchV4T), "undefined opcode");
    EXPECT_EQ(thumb({0xF000, 0xE801}), "blx 0x00008004");
}

TEST(ThumbLevels, PrefixWithoutSuffixIsDropped)
{
    ThumbTester tester(ArchV5TE);
    EXPECT_EQ(tester.run({0xF000, 0x2001}), std::vector<std::string>{"movs r0, #1"});
    EXPECT_FALSE(tester.pendingSecondHalf);
}

TEST(ThumbLevels, SixteenBitRestrictions)
{
    // BLX register, extends, REV, SETEND, CPS and the hints by level.
    EXPECT_EQ(thumb({0x4780}, ArchV4T), "undefined opcode");
    EXPECT_EQ(thumb({0x4780}, ArchV5TE), "blx r0");
    for (uint16_t hw : {0xB208, 0xBA08, 0xB658, 0xB662}) {
        EXPECT_EQ(thumb({hw}, ArchV4T), "undefined opcode") << hw;
        EXPECT_EQ(thumb({hw}, ArchV5TE), "undefined opcode") << hw;
        EXPECT_NE(thumb({hw}, ArchV6), "undefined opcode") << hw;
    }
    EXPECT_EQ(thumb({0xBF00}, ArchV6), "undefined opcode");
    EXPECT_EQ(thumb({0xBF00}, ArchV6M), "nop");
    EXPECT_EQ(thumb({0xBF30}, ArchV6T2), "wfi");
    EXPECT_EQ(thumb({0xBE01}, ArchV5TE), "bkpt #1");
}

TEST(ThumbLevels, ThirtyTwoBitOnEveryThumb2Level)
{
    for (ArchitectureLevel level : {ArchUnrestricted, ArchV6T2, ArchV6M, ArchV7M, ArchV7EM,
                                    ArchV7R, ArchV7A, ArchV8MBaseline, ArchV8MMainline})
        EXPECT_EQ(thumb({0xFB91, 0xF0F2}, level), "sdiv r0, r1, r2") << level;
    // Before Thumb-2 the halves are two T16 instructions.
    EXPECT_EQ(thumbAll({0xE8BD, 0x8FF0}, ArchV6).size(), 2u);
}

// ---- T32 forms ----

TEST(ThumbT32, DataProcessing)
{
    expectTable({
    {{0xF04F, 0x0001}, "mov.w r0, #1"},
    {{0xF05F, 0x2055}, "movs.w r0, #0x55005500"},
    {{0xF46F, 0x427F}, "mvn r2, #0xFF00"},
    {{0xF001, 0x30AB}, "and r0, r1, #0xABABABAB"},
    {{0xF411, 0x307F}, "ands r0, r1, #0x3FC00"},
    {{0xF061, 0x00F0}, "orn r0, r1, #0xF0"},
    {{0xF101, 0x10AB}, "add.w r0, r1, #0xAB00AB"},
    {{0xF1A1, 0x4000}, "sub.w r0, r1, #0x80000000"},
    {{0xF1D1, 0x0005}, "rsbs.w r0, r1, #5"},
    {{0xF010, 0x0F01}, "tst r0, #1"},
    {{0xF090, 0x0F02}, "teq r0, #2"},
    {{0xF510, 0x7F80}, "cmn r0, #0x100"},
    {{0xF5B0, 0x7F80}, "cmp.w r0, #0x100"},
    {{0xF141, 0x0002}, "adc r0, r1, #2"},
    {{0xF601, 0x70FF}, "addw r0, r1, #0xFFF"},
    {{0xF2A3, 0x0201}, "subw r2, r3, #1"},
    {{0xF64F, 0x70FF}, "movw r0, #0xFFFF"},
    {{0xF2C1, 0x2034}, "movt r0, #0x1234"},
    {{0xF301, 0x0007}, "ssat r0, #8, r1"},
    {{0xF301, 0x1000}, "ssat r0, #1, r1, lsl #4"},
    {{0xF3A1, 0x00DF}, "usat r0, #31, r1, asr #3"},
    {{0xF321, 0x000F}, "ssat16 r0, #16, r1"},
    {{0xF3A1, 0x000F}, "usat16 r0, #15, r1"},
    {{0xF341, 0x00C4}, "sbfx r0, r1, #3, #5"},
    {{0xF3C1, 0x001F}, "ubfx r0, r1, #0, #32"},
    {{0xF36F, 0x100B}, "bfc r0, #4, #8"},
    {{0xF361, 0x009F}, "bfi r0, r1, #2, #30"},
    {{0xEB01, 0x0002}, "add.w r0, r1, r2"},
    {{0xEB11, 0x0082}, "adds.w r0, r1, r2, lsl #2"},
    {{0xEA01, 0x0012}, "and.w r0, r1, r2, lsr #32"},
    {{0xEA21, 0x0032}, "bic.w r0, r1, r2, rrx"},
    {{0xEA4F, 0x0001}, "mov.w r0, r1"},
    {{0xEA4F, 0x00C1}, "lsl.w r0, r1, #3"},
    {{0xEA5F, 0x0011}, "lsrs.w r0, r1, #32"},
    {{0xEA4F, 0x2071}, "ror.w r0, r1, #9"},
    {{0xEA4F, 0x0031}, "rrx.w r0, r1"},
    {{0xEA5F, 0x0031}, "rrxs.w r0, r1"},
    {{0xEA6F, 0x00C1}, "mvn.w r0, r1, lsl #3"},
    {{0xEA10, 0x0FE1}, "tst.w r0, r1, asr #3"},
    {{0xEA90, 0x1F31}, "teq.w r0, r1, ror #4"},
    {{0xEBB0, 0x0F01}, "cmp.w r0, r1"},
    {{0xEB10, 0x0F81}, "cmn.w r0, r1, lsl #2"},
    {{0xEA61, 0x0002}, "orn.w r0, r1, r2"},
    {{0xEAC1, 0x10C2}, "pkhbt r0, r1, r2, lsl #7"},
    {{0xEAC1, 0x10E2}, "pkhtb r0, r1, r2, asr #7"},
    {{0xFA00, 0xF001}, "lsl.w r0, r0, r1"},
    {{0xFA51, 0xF002}, "asrs.w r0, r1, r2"},
    {{0xFA61, 0xF002}, "ror.w r0, r1, r2"},
    {{0xFB91, 0xF0F2}, "sdiv r0, r1, r2"},
    {{0xFBB4, 0xF3F5}, "udiv r3, r4, r5"},
        {{0xF20F, 0x0004}, "adr.w r0, 0x00008008"},
        {{0xF2AF, 0x0004}, "adr.w r0, 0x00008000"},
        {{0xF2AF, 0x0000}, "sub r0, pc, #0"},
        {{0xF1B0, 0x0F00}, "cmp.w r0, #0"},
        {{0xF0A1, 0x0001}, "????.w r0, r1, #1"},
        {{0xF3AF, 0x8000}, "nop.w"},
    });
}

TEST(ThumbT32, LoadsAndStores)
{
    expectTable({
    {{0xF8DF, 0x0008}, "ldr.w r0, [pc, #8]"},
    {{0xF85F, 0x0008}, "ldr.w r0, [pc, #-8]"},
    {{0xF89F, 0x0FFF}, "ldrb r0, [pc, #0xFFF]"},
    {{0xF93F, 0x0006}, "ldrsh r0, [pc, #-6]"},
    {{0xF8D1, 0x007C}, "ldr.w r0, [r1, #0x7C]"},
    {{0xF991, 0x0004}, "ldrsb.w r0, [r1, #4]"},
    {{0xF8A1, 0x03E8}, "strh.w r0, [r1, #0x3E8]"},
    {{0xF851, 0x0CFF}, "ldr r0, [r1, #-0xFF]"},
    {{0xF801, 0x0C01}, "strb r0, [r1, #-1]"},
    {{0xF851, 0x0E04}, "ldrt r0, [r1, #4]"},
    {{0xF911, 0x0E01}, "ldrsbt r0, [r1, #1]"},
    {{0xF821, 0x0E04}, "strht r0, [r1, #4]"},
    {{0xF851, 0x0B04}, "ldr r0, [r1], #4"},
    {{0xF831, 0x0902}, "ldrh r0, [r1], #-2"},
    {{0xF851, 0x0F04}, "ldr r0, [r1, #4]!"},
    {{0xF931, 0x0D06}, "ldrsh r0, [r1, #-6]!"},
    {{0xF85D, 0x4B04}, "pop.w {r4}"},
    {{0xF84D, 0x4D04}, "push.w {r4}"},
    {{0xF851, 0x0002}, "ldr.w r0, [r1, r2]"},
    {{0xF931, 0x0012}, "ldrsh.w r0, [r1, r2, lsl #1]"},
    {{0xF841, 0x0032}, "str.w r0, [r1, r2, lsl #3]"},
    {{0xF89F, 0xF010}, "pld [pc, #16]"},
    {{0xF91F, 0xF010}, "pli [pc, #-16]"},
    {{0xF890, 0xFFFF}, "pld [r0, #+0xFFF]"},
    {{0xF910, 0xFC04}, "pli [r0, #-4]"},
    {{0xF810, 0xF031}, "pld [r0, r1, lsl #3]"},
    {{0xF810, 0xF001}, "pld [r0, r1]"},
    {{0xE9D2, 0x0102}, "ldrd r0, r1, [r2, #8]"},
    {{0xE952, 0x0102}, "ldrd r0, r1, [r2, #-8]"},
    {{0xE9F2, 0x0104}, "ldrd r0, r1, [r2, #16]!"},
    {{0xE862, 0x0104}, "strd r0, r1, [r2], #-16"},
    {{0xE851, 0x0F00}, "ldrex r0, [r1]"},
    {{0xE851, 0x0FFF}, "ldrex r0, [r1, #0x3FC]"},
    {{0xE841, 0x0202}, "strex r2, r0, [r1, #8]"},
    {{0xE8D0, 0xF001}, "tbb [r0, r1]"},
    {{0xE8D0, 0xF011}, "tbh [r0, r1, lsl #1]"},
    {{0xE8D1, 0x0F4F}, "ldrexb r0, [r1]"},
    {{0xE8D1, 0x0F5F}, "ldrexh r0, [r1]"},
    {{0xE8C1, 0x0F42}, "strexb r2, r0, [r1]"},
    {{0xE8C1, 0x0F52}, "strexh r2, r0, [r1]"},
    {{0xE92D, 0x4FF0}, "push.w {r4-r11, lr}"},
    {{0xE8BD, 0x8FF0}, "pop.w {r4-r11, pc}"},
    {{0xE890, 0x0006}, "ldm r0, {r1-r2}"},
    {{0xE930, 0x400E}, "ldmdb r0!, {r1-r3, lr}"},
    {{0xE8A0, 0x0202}, "stm r0!, {r1, r9}"},
    {{0xE900, 0x0006}, "stmdb r0, {r1-r2}"},
        {{0xF85F, 0x0000}, "ldr.w r0, [pc, #-0]"},
        {{0xE9DF, 0x0102}, "ldrd r0, r1, 0x0000800C"},
        {{0xE95F, 0x0100}, "ldrd r0, r1, [pc, #-0]"},
        {{0xE8D1, 0x017F}, "ldrexd r0, r1, [r1]"},
        {{0xE8C2, 0x0173}, "strexd r3, r0, r1, [r2]"},
        {{0xF8B0, 0xF004}, "undefined opcode"},
        {{0xF8FF, 0x0000}, "undefined opcode"},
    });
}

TEST(ThumbT32, LiteralLoadsRecordTheirTargets)
{
    ThumbTester tester;
    tester.run({0xF8DF, 0x0008});
    EXPECT_EQ(tester.literalAddresses.count(0x800C), 1u);
    tester.run({0xF85F, 0x0008}, 0x8002);
    EXPECT_EQ(tester.literalAddresses.count(0x7FFC), 1u);
}

TEST(ThumbT32, BranchesAndSystem)
{
    expectTable({
    {{0xF000, 0xBFFE}, "b.w 0x00009000"},
    {{0xF6FF, 0xFFFE}, "bl 0xFFF08000"},
    {{0xF040, 0x80FE}, "bne.w 0x00008200"},
    {{0xF73D, 0xAFFE}, "bgt.w 0x00006000"},
    {{0xF3EF, 0x8010}, "mrs r0, primask"},
    {{0xF3EF, 0x8012}, "mrs r0, basepri_max"},
    {{0xF380, 0x8800}, "msr apsr_nzcvq, r0"},
    {{0xF381, 0x8814}, "msr control, r1"},
    {{0xF3AF, 0x8000}, "nop.w"},
    {{0xF3AF, 0x8004}, "sev.w"},
    {{0xF3AF, 0x8002}, "wfe.w"},
    {{0xF3AF, 0x8003}, "wfi.w"},
    {{0xF3AF, 0x8001}, "yield.w"},
    {{0xF3AF, 0x80F5}, "dbg #5"},
    {{0xF3BF, 0x8F5B}, "dmb ish"},
    {{0xF3BF, 0x8F4F}, "dsb sy"},
    {{0xF3BF, 0x8F6F}, "isb"},
    {{0xF3BF, 0x8F2F}, "clrex"},
        {{0xF000, 0xE800}, "blx 0x00008004"},
        {{0xF7FF, 0xEFFE}, "blx 0x00008000"},
        {{0xF3EF, 0x8009}, "mrs r0, psp"},
        {{0xF3EF, 0x8088}, "mrs r0, msp_ns"},
        {{0xF3EF, 0x8005}, "mrs r0, ipsr"},
        {{0xF3EF, 0x800B}, "mrs r0, 11"},
        {{0xF380, 0x8C00}, "msr apsr_nzcvqg, r0"},
        {{0xF380, 0x8400}, "msr apsr_g, r0"},
        {{0xF380, 0x8814}, "msr control, r0"},
        {{0xF381, 0x8889}, "msr psp_ns, r1"},
        {{0xF3AF, 0x8460}, "cpsie.w if"},
        {{0xF3AF, 0x8771}, "cpsid.w if, #17"},
        {{0xF3AF, 0x8113}, "cps #19"},
        {{0xF3C0, 0x8F00}, "bxj r0"},
        {{0xF3DE, 0x8F04}, "subs pc, lr, #4"},
        {{0xE80D, 0xC013}, "srsdb sp, #19"},
        {{0xE9AD, 0xC010}, "srsia sp!, #16"},
        {{0xE810, 0xC000}, "rfedb r0"},
        {{0xE9B1, 0xC000}, "rfeia r1!"},
        {{0xF7E0, 0x8000}, "hvc #0"},
        {{0xF7F1, 0x8000}, "smc #1"},
        {{0xF7F0, 0xA000}, "undefined opcode"},
        {{0xE97F, 0xE97F}, "sg"},
        {{0xE841, 0xF000}, "tt r0, r1"},
        {{0xE843, 0xF240}, "ttt r2, r3"},
        {{0xE845, 0xF480}, "tta r4, r5"},
        {{0xE847, 0xF6C0}, "ttat r6, r7"},
        {{0xE8D1, 0x0FAF}, "lda r0, [r1]"},
        {{0xE8D1, 0x0F8F}, "ldab r0, [r1]"},
        {{0xE8D1, 0x0F9F}, "ldah r0, [r1]"},
        {{0xE8C1, 0x0FAF}, "stl r0, [r1]"},
        {{0xE8C1, 0x0F8F}, "stlb r0, [r1]"},
        {{0xE8C1, 0x0F9F}, "stlh r0, [r1]"},
        {{0xE8D1, 0x0FEF}, "ldaex r0, [r1]"},
        {{0xE8D1, 0x0FCF}, "ldaexb r0, [r1]"},
        {{0xE8D1, 0x0FDF}, "ldaexh r0, [r1]"},
        {{0xE8C1, 0x0FE2}, "stlex r2, r0, [r1]"},
        {{0xE8C1, 0x0FC2}, "stlexb r2, r0, [r1]"},
        {{0xE8C1, 0x0FD2}, "stlexh r2, r0, [r1]"},
        {{0xE8D1, 0x01FF}, "???"},
    });
}

TEST(ThumbT32, AProfileStatusRegisters)
{
    const std::vector<ThumbCase> table = {
        {{0xF3EF, 0x8000}, "mrs r0, cpsr"},
        {{0xF3FF, 0x8000}, "mrs r0, spsr"},
        {{0xF380, 0x8900}, "msr cpsr_cf, r0"},
        {{0xF381, 0x8800}, "msr cpsr_f, r1"},
        // Banked forms: bit 4 of the second half and Rn (MRS) or the mask (MSR).
        {{0xF3E0, 0x8030}, "mrs r0, lr_irq"},
        {{0xF381, 0x8330}, "msr sp_svc, r1"},
        {{0xF3E1, 0x8220}, "mrs r2, r9_usr"},
        {{0xF393, 0x8E20}, "msr spsr_fiq, r3"},
    };
    expectTable(table, ArchV7A);
}

// M profiles have no banked form: SYSm is the whole low byte, even with bit 5 set.
TEST(ThumbT32, MProfileSysmIsTheLowByte)
{
    expectTable({
        {{0xF386, 0x8830}, "msr 48, r6"},
        {{0xF3EF, 0x8134}, "mrs r1, 52"},
    }, ArchV7M);
}

TEST(ThumbT32, MultipliesAndMedia)
{
    expectTable({
    {{0xFB01, 0xF002}, "mul r0, r1, r2"},
    {{0xFB01, 0x3002}, "mla r0, r1, r2, r3"},
    {{0xFB01, 0x3012}, "mls r0, r1, r2, r3"},
    {{0xFB82, 0x0103}, "smull r0, r1, r2, r3"},
    {{0xFBE2, 0x0103}, "umlal r0, r1, r2, r3"},
    {{0xFAB1, 0xF081}, "clz r0, r1"},
    {{0xFA91, 0xF0A1}, "rbit r0 ,r1"},
    {{0xFA91, 0xF081}, "rev.w r0, r1"},
    {{0xFA91, 0xF8B1}, "revsh.w r8, r1"},
    {{0xFAA1, 0xF082}, "sel r0, r1, r2"},
    {{0xFA82, 0xF081}, "qadd r0, r1, r2"},
    {{0xFA82, 0xF0B1}, "qdsub r0, r1, r2"},
    {{0xFAC1, 0xF052}, "uqsub8 r0, r1, r2"},
    {{0xFAA1, 0xF022}, "shasx r0, r1, r2"},
    {{0xFA41, 0xF092}, "sxtab r0, r1, r2, ror #8"},
    {{0xFA3F, 0xF081}, "uxtb16 r0, r1"},
    {{0xFB11, 0x3012}, "smlabt r0, r1, r2, r3"},
    {{0xFB31, 0xF012}, "smulwt r0, r1, r2"},
    {{0xFBC2, 0x01D3}, "smlaldx r0, r1, r2, r3"},
    {{0xFB51, 0xF012}, "smmulr r0, r1, r2"},
    {{0xFB71, 0x3002}, "usada8 r0, r1, r2, r3"},
    {{0xFBE2, 0x0163}, "umaal r0, r1, r2, r3"},
    });
}

TEST(ThumbT32, CoprocessorAndSimdReachTheirHandlers)
{
    EXPECT_EQ(thumb({0xEE01, 0x0F10}), "mcr p15, 0, r0, c1, c0");
    EXPECT_EQ(thumb({0xEE11, 0x0FB0}), "mrc p15, 0, r0, c1, c0, 5");
    EXPECT_EQ(thumb({0xEC41, 0x0F12}), "mcrr p15, 1, r0, r1, c2");
    EXPECT_EQ(thumb({0xEE13, 0x27A4}), "cdp p7, 1, c2, c3, c4, 5");
    EXPECT_EQ(thumb({0xED90, 0x1502}), "ldc p5, c1, [r0, #8]");
    // PC-relative: the word-aligned instruction address + 4, as in every Thumb literal.
    EXPECT_EQ(thumbAll({0xBF00, 0xED9F, 0x1502, 0xED1F, 0x1502})[1], "ldc p5, c1, 0x0000800C");
    EXPECT_EQ(thumbAll({0xBF00, 0xED9F, 0x1502, 0xED1F, 0x1502})[2], "ldc p5, c1, 0x00008000");
    EXPECT_EQ(thumb({0xEC10, 0x0000}), "undefined opcode");
}

TEST(ThumbT32, FirstHalfAloneLeavesThePendingFlag)
{
    ThumbTester tester;
    char text[ARMInstructionSetDisassembler::kTextSize];
    bool pending = false;
    tester.disassembleInstruction(false, kAddress, 0xF000, text, pending);
    EXPECT_TRUE(pending);
    EXPECT_STREQ(text, "");
}
