#include "A32TestSupport.h"
#include <gtest/gtest.h>

// Words assembled by the GNU assembler from the source in each comment, with their
// texts in unified and legacy syntax.
namespace {

const A32Case systemForms[] = {
    {0xE10F0000, "mrs r0, cpsr", "mrs r0, cpsr"}, // mrs r0, apsr
    {0xE14F0000, "mrs r0, spsr", "mrs r0, spsr"}, // mrs r0, spsr
    {0xE129F000, "msr cpsr_cf, r0", "msr cpsr_cf, r0"}, // msr cpsr_fc, r0
    {0xE16FF001, "msr spsr_cxsf, r1", "msr spsr_cxsf, r1"}, // msr spsr_fsxc, r1
    {0xE328F20F, "msr cpsr_f, #0xF0000000", "msr cpsr_f, #0xF0000000"}, // msr cpsr_f, #0xF0000000
    {0xE321F01F, "msr cpsr_c, #31", "msr cpsr_c, #31"}, // msr cpsr_c, #0x1F
    {0xE1000200, "mrs r0, r8_usr", "mrs r0, r8_usr"}, // mrs r0, r8_usr
    {0xE12DF201, "msr sp_fiq, r1", "msr sp_fiq, r1"}, // msr sp_fiq, r1
    {0xE1422300, "mrs r2, spsr_svc", "mrs r2, spsr_svc"}, // mrs r2, spsr_svc
    {0xE12EF303, "msr elr_hyp, r3", "msr elr_hyp, r3"}, // msr elr_hyp, r3
    {0xE12FFF1E, "bx lr", "bx lr"}, // bx lr
    {0x112FFF13, "bxne r3", "bxne r3"}, // bxne r3
    {0xE12FFF32, "blx r2", "blx r2"}, // blx r2
    {0xE12FFF21, "bxj r1", "bxj r1"}, // bxj r1
    {0xE16F0F11, "clz r0, r1", "clz r0, r1"}, // clz r0, r1
    {0xEF000000, "svc #0", "swi #0"}, // svc #0
    {0xEF123456, "svc #0x123456", "swi #0x123456"}, // svc #0x123456
    {0x1F000001, "svcne #1", "swine #1"}, // svcne #1
    {0xE1212374, "bkpt #0x1234", "bkpt #0x1234"}, // bkpt #0x1234
    {0xE1600073, "smc #3", "smc #3"}, // smc #3
    {0xE1412374, "hvc #0x1234", "hvc #0x1234"}, // hvc #0x1234
    {0xE160006E, "eret", "eret"}, // eret
    {0xF1080080, "cpsie i", "cpsie i"}, // cpsie i
    {0xF10C01C0, "cpsid aif", "cpsid aif"}, // cpsid aif
    {0xF10A0150, "cpsie af, #16", "cpsie af, #16"}, // cpsie af, #16
    {0xF1020013, "cps #19", "cps #19"}, // cps #19
    {0xF1010200, "setend be", "setend be"}, // setend be
    {0xF1010000, "setend le", "setend le"}, // setend le
    {0xF96D0513, "srsdb sp!, #19", "srsdb sp!, #19"}, // srsdb sp!, #19
    {0xF8CD0511, "srsia sp, #17", "srsia sp, #17"}, // srsia sp, #17
    {0xF8900A00, "rfeia r0", "rfeia r0"}, // rfeia r0
    {0xF9310A00, "rfedb r1!", "rfedb r1!"}, // rfedb r1!
    {0xF9920A00, "rfeib r2", "rfeib r2"}, // rfeib r2
    {0xF8330A00, "rfeda r3!", "rfeda r3!"}, // rfeda r3!
    {0xF57FF01F, "clrex", "clrex"}, // clrex
    {0xF57FF04F, "dsb sy", "dsb sy"}, // dsb sy
    {0xF57FF04B, "dsb ish", "dsb ish"}, // dsb ish
    {0xF57FF05A, "dmb ishst", "dmb ishst"}, // dmb ishst
    {0xF57FF052, "dmb oshst", "dmb oshst"}, // dmb oshst
    {0xF57FF047, "dsb nsh", "dsb nsh"}, // dsb nsh
    {0xF57FF06F, "isb", "isb"}, // isb sy
    {0xE320F000, "nop", "nop"}, // nop
    {0xE320F001, "yield", "yield"}, // yield
    {0xE320F002, "wfe", "wfe"}, // wfe
    {0xE320F003, "wfi", "wfi"}, // wfi
    {0xE320F004, "sev", "sev"}, // sev
    {0xE320F0F5, "dbg #5", "dbg #5"}, // dbg #5
    {0x1320F000, "nopne", "nopne"}, // nopne
    {0xEC510532, "mrrc p5, 3, r0, r1, c2", "mrrc p5, 3, r0, r1, c2"}, // mrrc p5, 3, r0, r1, c2
};

const A32Case coprocessor[] = {
    {0xEE010F10, "mcr p15, 0, r0, c1, c0", "mcr p15, 0, r0, c1, c0"}, // mcr p15, 0, r0, c1, c0, 0
    {0xEE070FBA, "mcr p15, 0, r0, c7, c10, 5", "mcr p15, 0, r0, c7, c10, 5"}, // mcr p15, 0, r0, c7, c10, 5
    {0xEE332EF4, "mrc p14, 1, r2, c3, c4, 7", "mrc p14, 1, r2, c3, c4, 7"}, // mrc p14, 1, r2, c3, c4, 7
    {0xFE220793, "mcr2 p7, 1, r0, c2, c3, 4", "mcr2 p7, 1, r0, c2, c3, 4"}, // mcr2 p7, 1, r0, c2, c3, 4
    {0xFE320713, "mrc2 p7, 1, r0, c2, c3", "mrc2 p7, 1, r0, c2, c3"}, // mrc2 p7, 1, r0, c2, c3
    {0xEE221583, "cdp p5, 2, c1, c2, c3, 4", "cdp p5, 2, c1, c2, c3, 4"}, // cdp p5, 2, c1, c2, c3, 4
    {0xFEF21503, "cdp2 p5, 15, c1, c2, c3, 0", "cdp2 p5, 15, c1, c2, c3, 0"}, // cdp2 p5, 15, c1, c2, c3, 0
    {0xEC410532, "mcrr p5, 3, r0, r1, c2", "mcrr p5, 3, r0, r1, c2"}, // mcrr p5, 3, r0, r1, c2
    {0xFC410532, "mcrr2 p5, 3, r0, r1, c2", "mcrr2 p5, 3, r0, r1, c2"}, // mcrr2 p5, 3, r0, r1, c2
    {0xED901502, "ldc p5, c1, [r0, #8]", "ldc p5, c1, [r0, #8]"}, // ldc p5, c1, [r0, #8]
    {0xED301502, "ldc p5, c1, [r0, #-8]!", "ldc p5, c1, [r0, #-8]!"}, // ldc p5, c1, [r0, #-8]!
    {0xECF01504, "ldcl p5, c1, [r0], #16", "ldcl p5, c1, [r0], #16"}, // ldcl p5, c1, [r0], #16
    {0xEC801505, "stc p5, c1, [r0], {0x05}", "stc p5, c1, [r0], {0x05}"}, // stc p5, c1, [r0], {5}
    {0xEDC01500, "stcl p5, c1, [r0, #0]", "stcl p5, c1, [r0, #0]"}, // stcl p5, c1, [r0, #0]
    {0xFD901501, "ldc2 p5, c1, [r0, #4]", "ldc2 p5, c1, [r0, #4]"}, // ldc2 p5, c1, [r0, #4]
    {0xFC601501, "stc2l p5, c1, [r0], #-4", "stc2l p5, c1, [r0], #-4"}, // stc2l p5, c1, [r0], #-4
    {0x1D901501, "ldcne p5, c1, [r0, #4]", "ldcne p5, c1, [r0, #4]"}, // ldcne p5, c1, [r0, #4]
    {0xED1F1500, "ldc p5, c1, [pc, #-0]", "ldc p5, c1, [pc, #-0]"}, // ldc p5, c1, [pc, #-0]
};

} // namespace

TEST(A32System, StatusExceptionHintAndBarrierForms)
{
    EXPECT_A32_TABLE(systemForms);
}

TEST(A32System, GenericCoprocessorSyntax)
{
    EXPECT_A32_TABLE(coprocessor);
}

TEST(A32System, BranchTargets)
{
    EXPECT_EQ(a32Text(0xEAFFFFFE), "b 0x00008000");
    EXPECT_EQ(a32Text(0xEB000002), "bl 0x00008010");
    EXPECT_EQ(a32Text(0x0AFFFFFC, true, ArchUnrestricted, 0x10), "beq 0x00000008");
    EXPECT_EQ(a32Text(0xFB000002), "blx 0x00008012");
    EXPECT_EQ(a32Text(0xFA000002), "blx 0x00008010");
    // The target wraps around the address space.
    EXPECT_EQ(a32Text(0xEAFFFFFD, true, ArchUnrestricted, 0), "b 0xFFFFFFFC");
}

TEST(A32System, CoprocessorPcRelativeAndUnindexedForms)
{
    EXPECT_EQ(a32Text(0xED9F1502), "ldc p5, c1, 0x00008010");
    EXPECT_EQ(a32Text(0xED1F1502), "ldc p5, c1, 0x00008000");
    EXPECT_EQ(a32Text(0xED1F1500), "ldc p5, c1, [pc, #-0]");
    EXPECT_EQ(a32Text(0xEC8015FF), "stc p5, c1, [r0], {0xFF}");
    EXPECT_EQ(a32Text(0x1DD01501), "ldclne p5, c1, [r0, #4]");
    EXPECT_EQ(a32Text(0x1DD01501, false), "ldcnel p5, c1, [r0, #4]");
}

TEST(A32System, BankedRegisterNamesWithoutName)
{
    EXPECT_EQ(a32Text(0xE1070200), "mrs r0, ???");        // R clear, register 7
    EXPECT_EQ(a32Text(0xE14E0200), "mrs r0, spsr_fiq");
    EXPECT_EQ(a32Text(0xE1400200), "mrs r0, ???");        // R set, register 0
    EXPECT_EQ(a32Text(0xE12FF300), "msr sp_hyp, r0");
}

TEST(A32System, BarrierOptionsWithoutName)
{
    EXPECT_EQ(a32Text(0xF57FF040), "dsb ?");
    EXPECT_EQ(a32Text(0xF57FF05E), "dmb st");
}
