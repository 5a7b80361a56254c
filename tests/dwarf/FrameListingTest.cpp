// The call-frame listing of a hand-made .debug_frame (tests/data/dwarf/frame-listing.s,
// assembled little- and big-endian) compared with text written from the listing formats.
#include "DwarfTestSupport.h"

#include <gtest/gtest.h>

TEST(FrameListing, EveryOpcodeAndEntryKindInBothByteOrders)
{
    std::string expected = readFileText(MORVANE_TEST_DATA "/dwarf/frame-listing.txt");
    ASSERT_FALSE(expected.empty());
    for (std::string order : {"-EL", "-EB"}) {
        SCOPED_TRACE(order);
        TempDir dir;
        std::string object = dir.file("frames.o");
        RunResult as = runTool("arm-none-eabi-as " + order + " -o " + object + " " MORVANE_TEST_DATA "/dwarf/frame-listing.s");
        ASSERT_EQ(as.status, 0) << as.err;
        EXPECT_EQ(listingPart(runMorvane({"-dwarf", object}).out, "Frame\n-----\n", "Debugging Information\n"), expected);
    }
}
