// The lookups of the address-range and name tables, and the source-address map's folding
// rules over many rows (the listings of hand-made tables are cases of cases.txt).
#include "DwarfTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

// One below a start finds nothing, the last byte of a range finds it.
TEST(DwarfTables, FindRangeBounds)
{
    DwarfAddressRangeTable table;
    table.entries = {{0, 0x100, 0x10}, {1, 0x200, 0x100}};
    const std::pair<uint32_t, int> lookups[] = {{0xFF, -1},  {0x100, 0}, {0x10F, 0}, {0x110, -1},
                                                {0x1FF, -1}, {0x200, 1}, {0x2FF, 1}, {0x300, -1}};
    for (const auto& lookup : lookups) {
        const DwarfAddressRange* found = findRange(table, lookup.first);
        EXPECT_EQ(found ? int(found->unitOffset) : -1, lookup.second) << std::hex << lookup.first;
    }
}

// Names sorted, equal ones in section order; no prefix matches.
TEST(DwarfTables, FindNames)
{
    DwarfNameTable table;
    table.entries = {{"alpha", 0, 0x30, 0x10}, {"alpha", 0x30, 0x40, 0x11}, {"zeta", 0, 0x30, 0x20}};
    auto found = findNames(table, "alpha");
    ASSERT_EQ(found.second - found.first, 2);
    EXPECT_EQ(found.first[1].unitOffset, 0x30u);
    EXPECT_EQ(findNames(table, "alph").second, found.first);
}

// Many rows on few addresses, folded several times on the way: each address keeps the first
// file's greatest line, and each file lists its records by line, the newest first among
// equal lines. Checked against the rows replayed one at a time.
TEST(DwarfTables, LineMapKeepsTheRowRulesAcrossFolds)
{
    SourceAddressMap map;
    const std::string paths[] = {"b.c", "a.c", "c.c"};
    std::map<uint32_t, LineRecord> expected;   // by address, file as the index in paths
    uint32_t seed = 1;
    for (uint32_t row = 0; row < 300000; ++row) {
        seed = seed * 1103515245 + 12345;
        LineRecord record{(seed >> 8) % 5000 * 2, int32_t((seed >> 20) % 64), (seed >> 4) % 3, row};
        addRow(map, paths[record.file], record.line, record.address);
        auto found = expected.emplace(record.address, record);
        if (found.first->second.file == record.file && found.first->second.line < record.line)
            found.first->second = record;
    }
    map.finishRows();
    std::vector<LineRecord> byFile;
    std::string text = "Addresses:\n", sources;
    char line[64];
    for (const auto& entry : expected) {
        snprintf(line, sizeof line, "0x%x %d %s\n", entry.first, entry.second.line, paths[entry.second.file].c_str());
        text += line;
        byFile.push_back(entry.second);
    }
    std::sort(byFile.begin(), byFile.end(), [&](const LineRecord& a, const LineRecord& b) {
        return std::make_tuple(paths[a.file], a.line, ~a.serial) < std::make_tuple(paths[b.file], b.line, ~b.serial);
    });
    text += "Sources:\n";
    for (size_t i = 0; i < byFile.size(); ++i) {
        if (i == 0 || byFile[i].file != byFile[i - 1].file)
            text += "File: " + paths[byFile[i].file] + "\n";
        snprintf(line, sizeof line, "Line: %d 0x%x\n", byFile[i].line, byFile[i].address);
        text += line;
    }
    char* buffer = nullptr;
    size_t length = 0;
    FILE* stream = open_memstream(&buffer, &length);
    printLineMap(map, stream);
    fclose(stream);
    EXPECT_EQ(std::string(buffer, length), text);
    free(buffer);
}
