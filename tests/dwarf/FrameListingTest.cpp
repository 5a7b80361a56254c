// The call-frame listing of a hand-made .debug_frame, in both byte orders, compared with
// text written from the listing formats (tests/data/dwarf/frame-listing.txt): every
// opcode, an FDE before any CIE, FDEs after two CIEs, a version-4 CIE with "z"
// augmentation data, and instructions that run past their entry's end.
#include "DwarfTestSupport.h"

#include <gtest/gtest.h>

namespace {

// One entry: length (id and body, less `shortBy` bytes left outside the entry), id, body.
void entry(Bytes& section, uint32_t id, const Bytes& body, uint32_t shortBy = 0)
{
    section.u32(4 + body.size() - shortBy).u32(id).raw(body.data);
}

std::vector<uint8_t> frameSection(bool bigEndian)
{
    Bytes section(bigEndian);
    Bytes orphan(bigEndian);   // before any CIE
    entry(section, 0, orphan.u32(0).u32(4).raw({0x43, 0x81, 0x02}));
    Bytes cie(bigEndian);
    entry(section, 0xFFFFFFFF, cie.u8(1).str("").uleb(2).sleb(-4).u8(14).raw({0x0C, 0x0D, 0x00}));
    Bytes fde(bigEndian);
    fde.u32(0x8000).u32(0x7C).raw({0x43, 0x8E, 0x01, 0xC4, 0x00}).u8(0x01).u32(0x80001234);
    fde.raw({0x02, 0xFF, 0x03}).u16(0x1234).u8(0x04).u32(0x10000).raw({0x05, 4, 3, 0x06}).uleb(200);
    fde.raw({0x07, 5, 0x08, 6, 0x09, 1, 2, 0x0A, 0x0B, 0x0C, 13}).uleb(300).raw({0x0D, 11, 0x0E, 16});
    fde.u8(0x11).uleb(4).sleb(-2).u8(0x12).uleb(13).sleb(3).u8(0x13).sleb(-1);
    entry(section, 0, fde);
    // Version 4 with "z": the augmentation length and data decode as instructions.
    Bytes zCie(bigEndian);
    entry(section, 0xFFFFFFFF, zCie.u8(4).str("z").u8(4).u8(0).uleb(4).sleb(8).u8(15).raw({0x02, 0x10, 0x0B}));
    // Its id names the first CIE; the factors are still the most recent CIE's. The operands
    // of the last opcode lie after the entry's end.
    Bytes eek(bigEndian);
    eek.u32(0x9000).u32(0x10).raw({0x41, 0x82, 0x03, 0x0F, 0x02, 0x70, 0x00, 0x10, 0x0A, 0x14, 0x0B});
    entry(section, 0, eek.raw({0x15, 0x16, 0x17, 0x3F, 0x0C, 0x0D, 0x04}), 2);
    Bytes last(bigEndian);
    entry(section, 0x12345678, last.u32(0xA000).u32(0x20).raw({0xC1, 0x13}).sleb(-2));
    return section.data;
}

} // namespace

TEST(FrameListing, EveryOpcodeAndEntryKindInBothByteOrders)
{
    std::string expected = readFileText(MORVANE_TEST_DATA "/dwarf/frame-listing.txt");
    ASSERT_FALSE(expected.empty());
    for (bool big : {false, true}) {
        SCOPED_TRACE(big ? "big-endian" : "little-endian");
        std::string listing = dwarfListing(dwarfImage(big, {{".debug_frame", frameSection(big)}}));
        EXPECT_EQ(frameListing(listing), expected);
    }
}
