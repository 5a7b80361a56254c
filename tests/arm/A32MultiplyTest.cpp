#include "A32TestSupport.h"
#include <gtest/gtest.h>

// Words assembled by the GNU assembler from the source in each comment, with their
// texts in unified and legacy syntax.
namespace {

const A32Case multiplies[] = {
    {0xE0000291, "mul r0, r1, r2", "mul r0, r1, r2"}, // mul r0, r1, r2
    {0xE0100291, "muls r0, r1, r2", "muls r0, r1, r2"}, // muls r0, r1, r2
    {0x00100291, "mulseq r0, r1, r2", "muleqs r0, r1, r2"}, // mulseq r0, r1, r2
    {0xE0203291, "mla r0, r1, r2, r3", "mla r0, r1, r2, r3"}, // mla r0, r1, r2, r3
    {0x10303291, "mlasne r0, r1, r2, r3", "mlanes r0, r1, r2, r3"}, // mlasne r0, r1, r2, r3
    {0xE0603291, "mls r0, r1, r2, r3", "mls r0, r1, r2, r3"}, // mls r0, r1, r2, r3
    {0xE0810392, "umull r0, r1, r2, r3", "umull r0, r1, r2, r3"}, // umull r0, r1, r2, r3
    {0xE0910392, "umulls r0, r1, r2, r3", "umulls r0, r1, r2, r3"}, // umulls r0, r1, r2, r3
    {0xE0C10392, "smull r0, r1, r2, r3", "smull r0, r1, r2, r3"}, // smull r0, r1, r2, r3
    {0xE0E10392, "smlal r0, r1, r2, r3", "smlal r0, r1, r2, r3"}, // smlal r0, r1, r2, r3
    {0xC0B10392, "umlalsgt r0, r1, r2, r3", "umlalgts r0, r1, r2, r3"}, // umlalsgt r0, r1, r2, r3
    {0xE0410392, "umaal r0, r1, r2, r3", "umaal r0, r1, r2, r3"}, // umaal r0, r1, r2, r3
    {0xE10032C1, "smlabt r0, r1, r2, r3", "smlabt r0, r1, r2, r3"}, // smlabt r0, r1, r2, r3
    {0xE10032A1, "smlatb r0, r1, r2, r3", "smlatb r0, r1, r2, r3"}, // smlatb r0, r1, r2, r3
    {0xE1203281, "smlawb r0, r1, r2, r3", "smlawb r0, r1, r2, r3"}, // smlawb r0, r1, r2, r3
    {0xE12002E1, "smulwt r0, r1, r2", "smulwt r0, r1, r2"}, // smulwt r0, r1, r2
    {0xE1410382, "smlalbb r0, r1, r2, r3", "smlalbb r0, r1, r2, r3"}, // smlalbb r0, r1, r2, r3
    {0xE14103E2, "smlaltt r0, r1, r2, r3", "smlaltt r0, r1, r2, r3"}, // smlaltt r0, r1, r2, r3
    {0xE1600281, "smulbb r0, r1, r2", "smulbb r0, r1, r2"}, // smulbb r0, r1, r2
    {0x116002A1, "smultbne r0, r1, r2", "smultbne r0, r1, r2"}, // smultbne r0, r1, r2
    {0xE7003211, "smlad r0, r1, r2, r3", "smlad r0, r1, r2, r3"}, // smlad r0, r1, r2, r3
    {0xE7003231, "smladx r0, r1, r2, r3", "smladx r0, r1, r2, r3"}, // smladx r0, r1, r2, r3
    {0xE7003251, "smlsd r0, r1, r2, r3", "smlsd r0, r1, r2, r3"}, // smlsd r0, r1, r2, r3
    {0xE700F211, "smuad r0, r1, r2", "smuad r0, r1, r2"}, // smuad r0, r1, r2
    {0xE700F271, "smusdx r0, r1, r2", "smusdx r0, r1, r2"}, // smusdx r0, r1, r2
    {0xE7410312, "smlald r0, r1, r2, r3", "smlald r0, r1, r2, r3"}, // smlald r0, r1, r2, r3
    {0xE7410372, "smlsldx r0, r1, r2, r3", "smlsldx r0, r1, r2, r3"}, // smlsldx r0, r1, r2, r3
    {0xE750F211, "smmul r0, r1, r2", "smmul r0, r1, r2"}, // smmul r0, r1, r2
    {0xE750F231, "smmulr r0, r1, r2", "smmulr r0, r1, r2"}, // smmulr r0, r1, r2
    {0xE7503211, "smmla r0, r1, r2, r3", "smmla r0, r1, r2, r3"}, // smmla r0, r1, r2, r3
    {0xE75032F1, "smmlsr r0, r1, r2, r3", "smmlsr r0, r1, r2, r3"}, // smmlsr r0, r1, r2, r3
    {0xE780F211, "usad8 r0, r1, r2", "usad8 r0, r1, r2"}, // usad8 r0, r1, r2
    {0xE7803211, "usada8 r0, r1, r2, r3", "usada8 r0, r1, r2, r3"}, // usada8 r0, r1, r2, r3
    {0xE710F211, "sdiv r0, r1, r2", "sdiv r0, r1, r2"}, // sdiv r0, r1, r2
    {0xE730F211, "udiv r0, r1, r2", "udiv r0, r1, r2"}, // udiv r0, r1, r2
    {0xE1020051, "qadd r0, r1, r2", "qadd r0, r1, r2"}, // qadd r0, r1, r2
    {0xE1220051, "qsub r0, r1, r2", "qsub r0, r1, r2"}, // qsub r0, r1, r2
    {0xE1420051, "qdadd r0, r1, r2", "qdadd r0, r1, r2"}, // qdadd r0, r1, r2
    {0x11620051, "qdsubne r0, r1, r2", "qdsubne r0, r1, r2"}, // qdsubne r0, r1, r2
};

} // namespace

TEST(A32Multiply, AllFormsInBothSyntaxes)
{
    EXPECT_A32_TABLE(multiplies);
}
