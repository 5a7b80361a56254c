// Listings of the toolchain-made fixtures, written out by hand from the listing formats
// and the values arm-none-eabi-readelf shows for the same files.
#include "ElfTestSupport.h"

namespace {

std::string fixtureListing(const std::string& fixture, const std::vector<std::string>& options)
{
    return listingOf(elfFixture(fixture), options);
}

const char* const armObjectSymbols =
    "0x00000000 *ABS* arm.c (0x4,0x0,0xfff1) Not Thumb\n"
    "0x00000000 .text arm_entry (0x12,0x0,0x1) Not Thumb\n"
    "0x00000000 .data counter (0x11,0x0,0x3) Not Thumb\n"
    "0x00000000 .rodata greeting (0x11,0x0,0x5) Not Thumb\n"
    "0x00000000 .bss hidden (0x1,0x0,0x4) Not Thumb\n"
    "0x00000000  scale (0x10,0x0,0x0) Not Thumb\n";

const char* const thumbObjectSymbols =
    "0x00000000 .text geometry::Point::Point(int, int) (0x12,0x0,0x1) Thumb\n"
    "0x00000000 .text geometry::Point::Point(int, int) (0x12,0x0,0x1) Thumb\n"
    "0x00000006 .text geometry::Point::sum() const (0x12,0x0,0x1) Thumb\n"
    "0x0000000e .text scale (0x12,0x0,0x1) Thumb\n"
    "0x00000000 *ABS* thumb.cpp (0x4,0x0,0xfff1) Not Thumb\n"
    "0x0000002c .text twice(long) (0x12,0x0,0x1) Thumb\n";

} // namespace

// Listings of the fixtures in full; the relocation lists leave out the sections for
// unallocated targets (.rel.debug_info and the like).
TEST(ElfFixtureListings, ExpectedListings)
{
    const struct { const char* fixture; const char* option; const char* expected; } listings[] = {
    {"arm-le.o", "-header",
     "\nelf header\n"
     "e_ident    : 7F 45 4C 46 01 01 01 00 00 00 00 00 00 00 00 00 \n"
     "             EI_MAG0   : 0x7F\n"
     "             EI_MAG1   : E\n"
     "             EI_MAG2   : L\n"
     "             EI_MAG3   : F\n"
     "             EI_CLASS  : ELFCLASS32\n"
     "             EI_DATA   : ELFDATA2LSB\n"
     "             EI_VERSION: 0x01\n"
     "e_type      : 0x1\n"
     "e_machine   : 0x28\n"
     "e_version   : 0x1\n"
     "e_entry     : 0x0\n"
     "e_phoff     : 0x0\n"
     "e_shoff     : 0x298\n"
     "e_flags     : 0x5000000\n"
     "e_ehsize    : 0x34\n"
     "e_phentsize : 0x0\n"
     "e_phnum     : 0x0\n"
     "e_shentsize : 0x28\n"
     "e_shnum     : 0xb\n"
     "e_shstrndx  : 0xa\n"
     "\nHeader ok.\n"},
    {"arm-le.o", "-symbols",
     armObjectSymbols},
    {"arm-le.o", "-relocations",
     "relocations for .text\n"
     "address 0x00000024 type 0x1c R_ARM_CALL value  scale\n"
     "address 0x00000030 type 0x28 R_ARM_V4BX value  \n"
     "address 0x00000034 type 0x02 R_ARM_ABS32 value .bss \n"
     "address 0x00000038 type 0x02 R_ARM_ABS32 value .data \n"},
    {"thumb-le.o", "-symbols",
     thumbObjectSymbols},
    // The object also has .rel.debug_info, .rel.debug_aranges, .rel.debug_line and
    // .rel.debug_frame, whose targets are not allocated.
    {"thumb-le.o", "-relocations",
     "relocations for .text\n"
     "address 0x00000018 type 0x0a R_ARM_THM_CALL value .text _ZN8geometry5PointC1Eii\n"},
    {"app-le.elf", "-programs",
     "\nprogram header\n"
     "p_type      : PT_LOAD\n"
     "p_offset    : 0x78\n"
     "p_vaddr     : 0x8000\n"
     "p_paddr     : 0x8000\n"
     "p_filesz    : 0x96\n"
     "p_memsz     : 0x96\n"
     "p_flags     : 0x5\n"
     "p_align     : 0x8\n"
     "\nprogram header\n"
     "p_type      : PT_LOAD\n"
     "p_offset    : 0x110\n"
     "p_vaddr     : 0x20000000\n"
     "p_paddr     : 0x8096\n"
     "p_filesz    : 0x4\n"
     "p_memsz     : 0x8\n"
     "p_flags     : 0x6\n"
     "p_align     : 0x4\n"},
    {"app-le.elf", "-symbols",
     "0x00008080 .text __scale_from_arm (0x2,0x0,0x1) Not Thumb\n"
     "0x00008000 .text _start (0x12,0x0,0x1) Not Thumb\n"
     "0x00000000 *ABS* arm.c (0x4,0x0,0xfff1) Not Thumb\n"
     "0x00008014 .text arm_entry (0x12,0x0,0x1) Not Thumb\n"
     "0x20000000 .data counter (0x11,0x0,0x3) Not Thumb\n"
     "0x00008050 .text geometry::Point::Point(int, int) (0x12,0x0,0x1) Thumb\n"
     "0x00008050 .text geometry::Point::Point(int, int) (0x12,0x0,0x1) Thumb\n"
     "0x00008056 .text geometry::Point::sum() const (0x12,0x0,0x1) Thumb\n"
     "0x00008090 .text greeting (0x11,0x0,0x1) Not Thumb\n"
     "0x20000004 .bss hidden (0x1,0x0,0x4) Not Thumb\n"
     "0x0000805e .text scale (0x12,0x0,0x1) Thumb\n"
     "0x00000000 *ABS* start.o (0x4,0x0,0xfff1) Not Thumb\n"
     "0x00000000 *ABS* thumb.cpp (0x4,0x0,0xfff1) Not Thumb\n"
     "0x0000807c .text twice(long) (0x12,0x0,0x1) Thumb\n"},
    {"app-le.elf", "-relocations",
     "relocations for .text\n"
     "address 0x00008008 type 0x1c R_ARM_CALL value .text arm_entry\n"
     "address 0x00008038 type 0x1c R_ARM_CALL value .text scale\n"
     "address 0x00008044 type 0x28 R_ARM_V4BX value  \n"
     "address 0x00008048 type 0x02 R_ARM_ABS32 value .bss \n"
     "address 0x0000804c type 0x02 R_ARM_ABS32 value .data \n"
     "address 0x00008068 type 0x0a R_ARM_THM_CALL value .text _ZN8geometry5PointC1Eii\n"},
    };
    for (const auto& l : listings) {
        SCOPED_TRACE(std::string(l.fixture) + " " + l.option);
        EXPECT_EQ(fixtureListing(l.fixture, {l.option}), l.expected);
    }
}

TEST(ElfFixtureListings, ArchiveMembersListLikeTheirObjects)
{
    std::string out = fixtureListing("lib-le.a", {"-symbols"});
    size_t arm = out.find("(arm-le.o)\n");
    size_t thumb = out.find("(thumb-le.o)\n");
    ASSERT_NE(arm, std::string::npos) << out;
    ASSERT_NE(thumb, std::string::npos) << out;
    EXPECT_EQ(out.substr(arm + 11, strlen(armObjectSymbols)), armObjectSymbols);
    EXPECT_EQ(out.substr(thumb + 13, strlen(thumbObjectSymbols)), thumbObjectSymbols);
}

// Big-endian fixtures are built from the same sources: every listing but the byte-order
// fields of the header must match the little-endian twin.
class ElfByteOrderTwins : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(ElfByteOrderTwins, ListSameValues)
{
    std::vector<std::string> options = {"-programs", "-sections", "-symbols", "-relocations"};
    std::string little = fixtureListing(GetParam().first, options);
    std::string big = fixtureListing(GetParam().second, options);
    EXPECT_FALSE(little.empty());
    EXPECT_EQ(little, big);

    // The header differs in the data byte and its name only.
    std::string littleHeader = fixtureListing(GetParam().first, {"-header"});
    std::string bigHeader = fixtureListing(GetParam().second, {"-header"});
    ASSERT_EQ(littleHeader.substr(0, 28), "\nelf header\ne_ident    : 7F ");
    littleHeader.replace(littleHeader.find("46 01 01 "), 9, "46 01 02 ");
    littleHeader.replace(littleHeader.find("ELFDATA2LSB"), 11, "ELFDATA2MSB");
    EXPECT_EQ(littleHeader, bigHeader);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ElfByteOrderTwins,
                         testing::Values(std::make_pair("arm-le.o", "arm-be.o"),
                                         std::make_pair("thumb-le.o", "thumb-be.o"),
                                         std::make_pair("app-le.elf", "app-be.elf")));
