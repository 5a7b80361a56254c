#include "A32TestSupport.h"
#include <gtest/gtest.h>

// What each architecture level admits of the A32 encodings.
namespace {

const char* const undefinedText = "undefined opcode";

struct GatedForm {
    const char* name;
    uint32_t word;
    const char* text;         // when admitted
    int firstLevel;           // levels below this (and above 0) reject it
};

// Forms rejected on v4T (level 1) or on v4T and v5TE (levels 1 and 2).
const GatedForm gatedForms[] = {
    {"clz", 0xE16F0F11, "clz r0, r1", 2},
    {"blx register", 0xE12FFF32, "blx r2", 2},
    {"qadd", 0xE1020051, "qadd r0, r1, r2", 2},
    {"bkpt", 0xE1212374, "bkpt #0x1234", 2},
    {"smlabt", 0xE10032C1, "smlabt r0, r1, r2, r3", 2},
    {"smulwt", 0xE12002E1, "smulwt r0, r1, r2", 2},
    {"ldrd", 0xE1C140D8, "ldrd r4, r5, [r1, #8]", 2},
    {"strd", 0xE00140F3, "strd r4, r5, [r1], -r3", 2},
    {"mcrr", 0xEC410532, "mcrr p5, 3, r0, r1, c2", 2},
    {"mrrc", 0xEC510532, "mrrc p5, 3, r0, r1, c2", 2},
    {"pld", 0xF5D0F004, "pld [r0, #4]", 2},
    {"blx immediate", 0xFA000002, "blx 0x00008010", 2},
    {"cps", 0xF1080080, "cpsie i", 3},
    {"setend", 0xF1010200, "setend be", 3},
    {"srs", 0xF96D0513, "srsdb sp!, #19", 3},
    {"rfe", 0xF8900A00, "rfeia r0", 3},
    {"mcrr2", 0xFC410532, "mcrr2 p5, 3, r0, r1, c2", 3},
    {"sadd16", 0xE6110F12, "sadd16 r0, r1, r2", 3},
    {"pkhbt", 0xE6810012, "pkhbt r0, r1, r2", 3},
    {"rev", 0xE6BF0F31, "rev r0, r1", 3},
    {"smlad", 0xE7003211, "smlad r0, r1, r2, r3", 3},
    {"bfi", 0xE7DF0011, "bfi r0, r1, #0, #32", 3},
    {"sdiv", 0xE710F211, "sdiv r0, r1, r2", 3},
};

} // namespace

TEST(A32Gating, LevelZeroAdmitsEverything)
{
    for (const GatedForm& form : gatedForms)
        EXPECT_EQ(a32Text(form.word, true, ArchUnrestricted), form.text) << form.name;
}

TEST(A32Gating, EachLevelAdmitsItsForms)
{
    for (int level = 1; level <= 11; ++level)
        for (const GatedForm& form : gatedForms) {
            const bool admitted = level >= form.firstLevel;
            const std::string text = a32Text(form.word, true, ArchitectureLevel(level));
            if (admitted)
                EXPECT_EQ(text, form.text) << form.name << " level " << level;
            else if (form.word >> 28 != 15)
                EXPECT_EQ(text, undefinedText) << form.name << " level " << level;
            else
                EXPECT_NE(text, form.text) << form.name << " level " << level;
        }
}

TEST(A32Gating, BarriersOnlyOnV7AAndV7R)
{
    const uint32_t words[] = {0xF57FF01F, 0xF57FF04F, 0xF57FF05B, 0xF57FF06F};
    const char* const texts[] = {"clrex", "dsb sy", "dmb ish", "isb"};
    for (int level = 0; level <= 11; ++level)
        for (int n = 0; n < 4; ++n) {
            const bool admitted = level == 0 || level == ArchV7R || level == ArchV7A;
            const std::string text = a32Text(words[n], true, ArchitectureLevel(level));
            if (level == ArchV4T)
                continue;   // no unconditional space at all: see below
            EXPECT_EQ(text, admitted ? texts[n] : undefinedText) << texts[n] << " level " << level;
        }
}

TEST(A32Gating, ConditionFifteenOnV4TDecodesAsOrdinaryWithoutSuffix)
{
    EXPECT_EQ(a32Text(0xF0810002, true, ArchV4T), "add r0, r1, r2");
    EXPECT_EQ(a32Text(0xF0810002, true, ArchUnrestricted), "undefined opcode");
    EXPECT_EQ(a32Text(0xFAFFFFFE, true, ArchV4T), "b 0x00008000");
    EXPECT_EQ(a32Text(0xFAFFFFFE, true, ArchV5TE), "blx 0x00008000");
    // The barrier and preload words are ordinary loads there.
    EXPECT_EQ(a32Text(0xF57FF04F, true, ArchV4T), "ldrb pc, [pc, #-0x4F]");
    EXPECT_EQ(a32Text(0xF5D0F004, true, ArchV4T), "ldrb pc, [r0, #4]");
}

TEST(A32Gating, LevelsWithoutA32StillDecodeA32)
{
    for (ArchitectureLevel level : {ArchV6M, ArchV7M, ArchV7EM, ArchV8MBaseline, ArchV8MMainline}) {
        EXPECT_EQ(a32Text(0xE6110F12, true, level), "sadd16 r0, r1, r2");
        EXPECT_EQ(a32Text(0xF1080080, true, level), "cpsie i");
    }
}

TEST(A32Gating, DesignExampleCpsOnV5TE)
{
    EXPECT_EQ(a32Text(0xF1080080, true, ArchV5TE), "undefined opcode");
    EXPECT_EQ(a32Text(0xF1080080, true, ArchUnrestricted), "cpsie i");
}
