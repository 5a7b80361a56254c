// DWARF that no hand-made case of cases.txt covers: nesting and chains of units too deep
// for recursion, and random byte flips in toolchain images, each run ending with status 0
// or 1 and without a sanitizer report (the CI runs these under ASan and UBSan).
#include "DwarfTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Runs -dwarf on the image: status 0 or 1, no sanitizer report.
void expectSurvived(const std::vector<uint8_t>& image)
{
    RunResult r = runMorvane({"-dwarf", writeTempFile(image, ".elf")});
    EXPECT_TRUE(r.status == 0 || r.status == 1) << "status " << r.status << "\n" << r.err;
    EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << r.err;
}

} // namespace

// Read and printed without recursion. (In-process: the listing of n levels holds n * n
// spaces of indentation.)
TEST(BrokenDwarf, VeryDeepNesting)
{
    Bytes abbrev = abbreviations({{1, 0x0B, true, {}}});
    for (int depth : {200000, 20000}) {
        Bytes entries;
        for (int i = 0; i < depth; ++i)
            entries.uleb(1);
        auto loaded = loadDwarf(unitsImage(abbrev, {unitBytes(entries)}));
        DwarfDebuggingInformationEntry* entry = loaded.reader->units.at(0)->readEntries();
        int levels = 0;
        for (; entry; entry = entry->firstChild)
            ++levels;
        EXPECT_EQ(levels, depth);
        if (depth > 20000)
            continue;
        FILE* sink = fopen("/dev/null", "w");
        ASSERT_NE(sink, nullptr);
        dump(*loaded.reader, sink);
        fclose(sink);
    }
}

// Each unit's only entry is named through a DW_AT_specification in the next unit, so reading
// one tree reads the next from inside it: tens of thousands of units must not nest that deep
// on the stack, and every reference still resolves when printed.
TEST(BrokenDwarf, LongChainOfUnitsReadingEachOther)
{
    const uint32_t count = 40000;
    const uint32_t unitSize = 16;   // header, code, 4-byte DW_FORM_ref_addr
    std::vector<Bytes> units;
    for (uint32_t i = 0; i < count; ++i)
        units.push_back(unitBytes(Bytes().uleb(1).u32((i + 1) % count * unitSize + 0xB)));
    std::string listing = runMorvane({"-dwarf", writeTempFile(unitsImage(abbreviations({{1, DW_TAG_subprogram, false,
                                           {{DW_AT_specification, DW_FORM_ref_addr}}}}), units), ".elf")}).out;
    size_t resolved = 0;
    for (size_t at = 0; (at = listing.find(" DW_TAG_subprogram (0xB)\n\n", at)) != std::string::npos; ++at)
        ++resolved;
    EXPECT_EQ(resolved, count);
    EXPECT_EQ(listing.find("failed"), std::string::npos);
}

TEST(BrokenDwarf, RandomByteFlipsInToolchainImages)
{
    std::mt19937 random(20261205);
    for (const char* fixture : {"features-dwarf4.elf", "basic-dwarf2.elf", "basic-dwarf4-be.elf", "basic-clang.elf",
                                "tables-dwarf3.elf", "features-default.elf", "basic-dwarf5-be.elf",
                                "basic-clang-dwarf5.elf"}) {
        std::vector<uint8_t> original = readFileBytes(MORVANE_TEST_DATA "/dwarf/" + std::string(fixture));
        ASSERT_FALSE(original.empty()) << fixture;
        std::unique_ptr<ElfFile> model = loadDwarf(original).image;
        // Flip bytes inside the DWARF sections, where the reader looks.
        std::vector<std::pair<uint32_t, uint32_t>> ranges;
        for (ElfSection* section : model->sections)
            if (section && model->sectionName(section).startsWith(".debug_") && section->availableSize())
                ranges.emplace_back(uint32_t(section->data - model->image), section->availableSize());
        ASSERT_FALSE(ranges.empty());
        for (int round = 0; round < 40; ++round) {
            SCOPED_TRACE(std::string(fixture) + " round " + std::to_string(round));
            std::vector<uint8_t> damaged = original;
            int flips = 1 + int(random() % 8);
            for (int i = 0; i < flips; ++i) {
                const auto& range = ranges[random() % ranges.size()];
                damaged[range.first + random() % range.second] ^= uint8_t(1 + random() % 255);
            }
            expectSurvived(damaged);
        }
    }
}
