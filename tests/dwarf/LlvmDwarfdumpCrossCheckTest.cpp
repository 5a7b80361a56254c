// The listing of toolchain-made images checked against llvm-dwarfdump and readelf, run at
// test time on the same files: every entry's offset and tag, every attribute's name and
// form, and every value llvm-dwarfdump shows in a comparable way (numbers, texts, reference
// targets, raw blocks, DW_OP_addr locations and decl_file paths); every CIE, FDE and
// call-frame instruction; the line map against llvm-dwarfdump's rows; address ranges,
// public names and types against readelf.
#include "DwarfTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <regex>
#include <sstream>
#include <tuple>

namespace {

struct Attribute {
    std::string name;
    std::string form;
    std::string value;   // llvm-dwarfdump: the text in parentheses; morvane: the rest of the line
    std::string ranges;  // llvm-dwarfdump: the ranges listed under DW_AT_ranges, as "0x8000-0x8010 "
};

struct Entry {
    uint64_t offset;     // in .debug_info
    std::string tag;
    std::vector<Attribute> attributes;
};

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

// What a tool prints for the file at `path`; empty when it fails.
std::string toolOutput(const std::string& command, const std::string& path)
{
    TempDir dir;
    std::string output = dir.file("output.txt");
    if (system((command + " '" + path + "' > '" + output + "' 2>&1").c_str()) != 0)
        return "";
    return readFileText(output);
}

// The lines of a listing between a heading and the next one (or the end).
std::vector<std::string> listingSection(const std::string& listing, const std::string& heading,
                                        const std::string& next = "")
{
    return lines(listingPart(listing, heading, next));
}

// The lines llvm-dwarfdump prints with these options; none when it fails.
std::vector<std::string> llvmDwarfdump(const std::string& options, const std::string& path)
{
    return lines(toolOutput("llvm-dwarfdump " + options, path));
}

// llvm-dwarfdump --debug-info -v: entries with their section offsets; unit offsets and versions.
std::vector<Entry> llvmEntries(const std::string& path, std::vector<uint64_t>& unitOffsets,
                               std::vector<int>& unitVersions)
{
    static const std::regex unitLine("^0x([0-9a-f]+): (?:Compile|Type|Partial|Skeleton) Unit:.* version = 0x0*(\\d).*");
    static const std::regex rangeLine("^\\s+\\[0x([0-9a-f]+), 0x([0-9a-f]+)\\)\\)?$");
    static const std::regex entryLine("^0x([0-9a-f]+):\\s+(\\S+).*");
    static const std::regex attributeLine("^\\s+(DW_AT_\\w+) \\[(DW_FORM_\\w+)\\]\\s+\\((.*)$");
    std::vector<Entry> entries;
    std::smatch m;
    for (const std::string& line : llvmDwarfdump("--debug-info -v", path)) {
        if (std::regex_match(line, m, unitLine)) {
            unitOffsets.push_back(std::stoull(m[1], nullptr, 16));
            unitVersions.push_back(std::stoi(m[2]));
        } else if (std::regex_match(line, m, entryLine)) {
            if (m[2] != "NULL")
                entries.push_back(Entry{std::stoull(m[1], nullptr, 16), m[2], {}});
        } else if (std::regex_match(line, m, attributeLine) && !entries.empty()) {
            std::string value = m[3];
            if (!value.empty() && value.back() == ')')
                value.pop_back();
            entries.back().attributes.push_back(Attribute{m[1], m[2], value, ""});
        } else if (std::regex_match(line, m, rangeLine) && !entries.empty() && !entries.back().attributes.empty()) {
            char range[48];
            snprintf(range, sizeof range, "0x%llX-0x%llX ", std::stoull(m[1], nullptr, 16), std::stoull(m[2], nullptr, 16));
            entries.back().attributes.back().ranges += range;
        }
    }
    return entries;
}

// The "Debugging Information" section of morvane -dwarf, with unit-relative offsets made
// section offsets through the units' offsets (a unit starts at each top-level entry whose
// offset is not above the one before: 0xB in versions 2 to 4, the header size in version 5).
std::vector<Entry> morvaneEntries(const std::string& listing, const std::vector<uint64_t>& unitOffsets)
{
    static const std::regex entryLine("^ *(\\S+) \\(0x([0-9A-F]+)\\)$");
    std::vector<Entry> entries;
    int unit = -1;
    uint64_t previous = 0;
    std::smatch m;
    for (const std::string& line : lines(debuggingInformation(listing))) {
        size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos)
            continue;
        std::string text = line.substr(start);
        if (text.compare(0, 7, "DW_TAG_") == 0 && std::regex_match(line, m, entryLine)) {
            uint64_t offset = std::stoull(m[2], nullptr, 16);
            if (start == 2 && (unit < 0 || offset <= previous))
                ++unit;
            previous = offset;
            uint64_t base = unit >= 0 && size_t(unit) < unitOffsets.size() ? unitOffsets[size_t(unit)] : 0;
            entries.push_back(Entry{base + offset, m[1], {}});
        } else if (!entries.empty()) {
            // A name the listing does not know reads "unexpected DW_AT 0x2137": three words.
            size_t first = text.find(' ');
            if (text.compare(0, 11, "unexpected ") == 0)
                first = text.find(' ', text.find(' ', first + 1) + 1);
            size_t second = text.find(' ', first + 1);
            entries.back().attributes.push_back(
                Attribute{text.substr(0, first), text.substr(first + 1, second - first - 1),
                          second == std::string::npos ? "" : text.substr(second + 1), ""});
        }
    }
    return entries;
}

// Tag names where the listing keeps older spellings, and GNU attributes newer than its table.
std::string listingName(const std::string& llvmName)
{
    static const std::map<std::string, std::string> renamed = {
        {"DW_TAG_template_type_parameter", "DW_TAG_template_type_param"},
        {"DW_TAG_template_value_parameter", "DW_TAG_template_value_param"},
        {"DW_AT_data_bit_offset", "DW_AT_main_data_bit_offset"},
        {"DW_AT_GNU_locviews", "unexpected DW_AT 0x2137"},
        {"DW_AT_GNU_entry_view", "unexpected DW_AT 0x2138"}};
    auto found = renamed.find(llvmName);
    return found == renamed.end() ? llvmName : found->second;
}

// "0x1f...", "-3", "true": the number.
bool parseNumber(const std::string& text, int64_t& number)
{
    static const std::regex pattern("^(?:0x([0-9a-fA-F]+)\\b.*|(-?[0-9]+)|(true|false))$");
    std::smatch m;
    if (!std::regex_match(text, m, pattern))
        return false;
    number = m[1].matched ? int64_t(std::stoull(m[1], nullptr, 16)) : m[2].matched ? std::stoll(m[2]) : m[3] == "true";
    return true;
}

// "0xab 0x01 " -> bytes.
std::vector<unsigned> listedBytes(const std::string& text)
{
    std::vector<unsigned> bytes;
    std::istringstream stream(text);
    for (std::string word; stream >> word;)
        bytes.push_back(unsigned(std::stoul(word, nullptr, 16)));
    return bytes;
}

// llvm-dwarfdump --debug-frame written in the frame listing's formats, with ARM core
// registers as numbers ("R7", "SP"). Where the listing differs on purpose, DW_CFA_offset
// also showing the unscaled offset, that offset is recovered from the data alignment factor.
std::string llvmFrameListing(const std::string& path)
{
    static const std::regex header(
        "^[0-9a-f]{8} ([0-9a-f]{8}) ([0-9a-f]{8}) (CIE|FDE)(?: cie=\\S+ pc=([0-9a-f]+)\\.\\.\\.([0-9a-f]+))?$");
    static const std::regex field("^  ([A-Z][a-z ]+): +\"?([^\"]*)\"?$");
    static const std::regex instruction("^  (DW_CFA_\\w+):(.*)$");
    static const std::map<std::string, std::string> fieldFormats = {
        {"Version", "version: %s\n"}, {"Augmentation", "augmentation : %s\n"},
        {"Address size", "address size: %s\n"}, {"Segment desc size", "pointer size: %s\n"},
        {"Code alignment factor", "code_alignment_factor: 0x%X\n"},
        {"Data alignment factor", "data_alignment_factor: 0x%X\n"},
        {"Return address column", "return_address_register: %s\n\n"}};
    static const std::map<std::string, std::string> registers = {{"SP", "13"}, {"LR", "14"}, {"PC", "15"}};
    std::string listing;
    long dataAlignmentFactor = 1;
    char text[160];
    std::smatch m;
    for (const std::string& line : llvmDwarfdump("--debug-frame", path)) {
        if (line == ".eh_frame contents:")
            break;
        if (std::regex_match(line, m, header)) {
            unsigned long start = m[4].matched ? std::stoul(m[4], nullptr, 16) : 0;
            snprintf(text, sizeof text,
                     m[4].matched ? "\nlength: %d cie_id: 0x%X FDE initial_location: 0x%lX address_range: 0x%lX\n"
                                  : "\nlength: %d cie_id: 0x%X CIE\n",
                     int(std::stoul(m[1], nullptr, 16)), unsigned(std::stoul(m[2], nullptr, 16)), start,
                     m[5].matched ? std::stoul(m[5], nullptr, 16) - start : 0);
            listing += text;
        } else if (std::regex_match(line, m, field) && fieldFormats.count(m[1])) {
            bool factor = m[1].str().find("factor") != std::string::npos;
            if (factor)
                snprintf(text, sizeof text, fieldFormats.at(m[1]).c_str(), unsigned(std::stol(m[2])));
            else
                snprintf(text, sizeof text, fieldFormats.at(m[1]).c_str(), m[2].str().c_str());
            dataAlignmentFactor = m[1] == "Data alignment factor" ? std::stol(m[2]) : dataAlignmentFactor;
            listing += text;
        } else if (std::regex_match(line, m, instruction)) {
            std::vector<std::string> operands;
            std::istringstream words(m[2]);
            for (std::string word; words >> word;)
                operands.push_back(word[0] == '+' || word[0] == 'R' ? word.substr(1)
                                   : registers.count(word)            ? registers.at(word)
                                                                      : word);
            if (m[1] == "DW_CFA_offset" && operands.size() == 2)
                operands.insert(operands.begin() + 1, std::to_string(std::stol(operands[1]) / dataAlignmentFactor));
            listing += m[1].str();
            for (size_t i = 0; i < operands.size(); ++i)
                listing += (i ? ", " : "(") + operands[i];
            listing += operands.empty() ? "\n" : ")\n";
        }
    }
    return listing;
}

class CrossCheck {
public:
    explicit CrossCheck(bool bigEndian) : bigEndian(bigEndian) {}

    void run(const std::string& path)
    {
        std::vector<Entry> llvm = llvmEntries(path, unitOffsets, unitVersions);
        ASSERT_FALSE(llvm.empty()) << "llvm-dwarfdump printed no entries for " << path;
        RunResult r = runMorvane({"-dwarf", path});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        std::vector<Entry> ours = morvaneEntries(r.out, unitOffsets);
        for (const Entry& entry : llvm)
            tagAt[entry.offset] = entry.tag;
        ASSERT_EQ(ours.size(), llvm.size());
        for (size_t i = 0; i < llvm.size(); ++i)
            compareEntry(llvm[i], ours[i]);
        // Most values are comparable; a parser that silently compared nothing would fail here.
        EXPECT_GT(valuesCompared, 3 * valuesSkipped) << "compared " << valuesCompared << ", skipped " << valuesSkipped;
    }

private:
    size_t unitIndexOf(uint64_t sectionOffset) const
    {
        size_t index = 0;
        for (size_t i = 0; i < unitOffsets.size(); ++i)
            if (unitOffsets[i] <= sectionOffset)
                index = i;
        return index;
    }
    uint64_t unitOffsetOf(uint64_t sectionOffset) const
    {
        return unitOffsets.empty() ? 0 : unitOffsets[unitIndexOf(sectionOffset)];
    }

    void compareEntry(const Entry& expected, const Entry& actual)
    {
        std::ostringstream offset;
        offset << "entry at 0x" << std::hex << expected.offset;
        SCOPED_TRACE(offset.str());
        EXPECT_EQ(actual.offset, expected.offset);
        EXPECT_EQ(actual.tag, listingName(expected.tag));
        ASSERT_EQ(actual.attributes.size(), expected.attributes.size());
        for (size_t i = 0; i < expected.attributes.size(); ++i) {
            const Attribute& e = expected.attributes[i];
            const Attribute& a = actual.attributes[i];
            SCOPED_TRACE(e.name + " " + e.form + " (" + e.value + ") vs [" + a.value + "]");
            EXPECT_EQ(a.name, listingName(e.name));
            EXPECT_EQ(a.form, e.form);
            compareValue(expected, e, a);
        }
    }

    void compareValue(const Entry& entry, const Attribute& e, const Attribute& a)
    {
        static const std::regex quoted("^[^\"]*\"(.*)\"$");
        static const std::regex target(".*\\{0x([0-9a-f]+)\\}.*");
        static const std::regex rawBlock("^<0x[0-9a-f]+> ((?:[0-9a-f]{2} )*)$");
        static const std::regex opAddr("^DW_OP_addr 0x([0-9a-f]+)$");
        static const std::regex stringForm("DW_FORM_(strp|string|line_strp|strx[1-4]?)");
        // Indexed forms print what their index leads to: an address, a list offset.
        static const std::regex indexed("^indexed \\([0-9a-fx]+\\) \\w+ = (0x[0-9a-f]+).*");
        std::smatch m;
        // Version-5 range lists print resolved; older ones print their raw pairs.
        if (e.name == "DW_AT_ranges" && unitVersions.at(unitIndexOf(entry.offset)) == 5) {
            EXPECT_EQ(a.value.substr(a.value.find(' ') + 1), e.ranges);
        }
        if (std::regex_match(e.form, stringForm)) {
            ASSERT_TRUE(std::regex_match(e.value, m, quoted));
            EXPECT_EQ(a.value, m[1].str());
            ++valuesCompared;
        } else if (std::regex_match(e.value, m, target)) {
            uint64_t targetOffset = std::stoull(m[1], nullptr, 16);
            int64_t value = 0;
            ASSERT_TRUE(parseNumber(a.value, value));
            uint64_t base = e.form == "DW_FORM_ref_addr" ? 0 : unitOffsetOf(entry.offset);
            EXPECT_EQ(uint64_t(value) + base, targetOffset);
            if (e.name == "DW_AT_specification" || e.name == "DW_AT_abstract_origin") {
                char addition[64];
                snprintf(addition, sizeof addition, " (0x%" PRIX64 ")", targetOffset - unitOffsetOf(targetOffset));
                EXPECT_NE(a.value.find(listingName(tagAt[targetOffset]) + addition), std::string::npos);
            }
            ++valuesCompared;
        } else if (std::regex_match(e.value, m, rawBlock)) {
            EXPECT_EQ(listedBytes(a.value), listedBytes(m[1]));
            ++valuesCompared;
        } else if (std::regex_match(e.value, m, opAddr)) {
            uint32_t address = uint32_t(std::stoul(m[1], nullptr, 16));
            std::vector<unsigned> bytes = {3};
            for (int i = 0; i < 4; ++i)
                bytes.push_back(bigEndian ? (address >> (24 - 8 * i)) & 0xFF : (address >> (8 * i)) & 0xFF);
            EXPECT_EQ(listedBytes(a.value), bytes);
            ++valuesCompared;
        } else if (e.name == "DW_AT_decl_file" && std::regex_match(e.value, m, quoted)) {
            size_t space = a.value.find(' ');
            ASSERT_NE(space, std::string::npos);
            EXPECT_EQ(a.value.substr(space + 1), m[1].str());
            ++valuesCompared;
        } else {
            int64_t expectedNumber = 0;
            int64_t actualNumber = 0;
            std::string first = e.value.substr(0, e.value.find('\n'));
            if (std::regex_match(first, m, indexed))
                first = m[1];
            if (parseNumber(first, expectedNumber)) {
                ASSERT_TRUE(parseNumber(a.value.substr(0, a.value.find(' ')), actualNumber));
                if (e.form == "DW_FORM_sdata" || e.form == "DW_FORM_implicit_const")
                    EXPECT_EQ(actualNumber, expectedNumber);
                else
                    EXPECT_EQ(uint32_t(actualNumber), uint32_t(expectedNumber));
                ++valuesCompared;
            } else {
                ++valuesSkipped;   // enumerations and decoded expressions
            }
        }
    }

    bool bigEndian;
    std::vector<uint64_t> unitOffsets;
    std::vector<int> unitVersions;
    std::map<uint64_t, std::string> tagAt;
    int valuesCompared = 0;
    int valuesSkipped = 0;
};

typedef std::tuple<uint32_t, uint32_t, uint32_t> Range;   // address, unit offset, length

uint32_t hexNumber(const std::string& text)
{
    return uint32_t(std::stoul(text, nullptr, 16));
}

// readelf's .debug_aranges tuples without the (0, 0) ones, sorted.
std::vector<Range> readelfRanges(const std::string& path)
{
    static const std::regex unitLine("^\\s+Offset into .debug_info:\\s+(0x)?([0-9a-f]+)$");
    static const std::regex tupleLine("^\\s+([0-9a-f]{8}) ([0-9a-f]{8})\\s*$");
    std::vector<Range> ranges;
    uint32_t unit = 0;
    std::smatch m;
    for (const std::string& line : lines(toolOutput("arm-none-eabi-readelf --debug-dump=aranges", path))) {
        if (std::regex_match(line, m, unitLine))
            unit = hexNumber(m[2]);
        else if (std::regex_match(line, m, tupleLine) && (hexNumber(m[1]) || hexNumber(m[2])))
            ranges.emplace_back(hexNumber(m[1]), unit, hexNumber(m[2]));
    }
    std::sort(ranges.begin(), ranges.end());
    return ranges;
}

std::vector<Range> listedRanges(const std::string& listing)
{
    std::vector<Range> ranges;
    for (const std::string& line : listingSection(listing, "\nAranges\n-------\n", "\nMacros\n")) {
        uint32_t unit = 0, address = 0, length = 0;
        if (sscanf(line.c_str(), "cuoffset 0x%x address 0x%x length %u", &unit, &address, &length) == 3)
            ranges.emplace_back(address, unit, length);
    }
    return ranges;
}

// readelf's public names or types as the listing prints them, sorted.
std::vector<std::string> readelfNames(const std::string& path, const std::string& section)
{
    static const std::regex setLine("^\\s+Offset into .debug_info section:\\s+(0x)?([0-9a-f]+)$");
    static const std::regex sizeLine("^\\s+Size of area in .debug_info section:\\s+(\\d+)$");
    static const std::regex nameLine("^    ([0-9a-f]+)\\s+\\t(.*)$");
    std::vector<std::string> names;
    std::string unit, size;
    std::smatch m;
    for (const std::string& line : lines(toolOutput("arm-none-eabi-readelf --debug-dump=" + section, path))) {
        if (std::regex_match(line, m, setLine))
            unit = "0x" + m[2].str();
        else if (std::regex_match(line, m, sizeLine))
            size = m[1];
        else if (std::regex_match(line, m, nameLine))
            names.push_back(m[2].str() + " cuoffset " + unit + " cusize " + size + " offset " + std::to_string(hexNumber(m[1])));
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct LineTable {
    std::vector<std::string> files;   // file names by number - firstFile
    uint32_t firstFile = 1;           // 0 in version 5
    std::vector<std::tuple<uint32_t, int, uint32_t, bool>> rows;   // address, line, file, is_stmt
};

// llvm-dwarfdump's line tables in section order, without end_sequence rows; none when
// one has the version 4 header, which the listing reads with the older layout.
std::vector<LineTable> llvmLineTables(const std::string& path)
{
    static const std::regex rowLine("^0x([0-9a-f]{16})\\s+(\\d+)\\s+\\d+\\s+(\\d+)\\s+\\d+\\s+\\d+\\s*(.*)$");
    static const std::regex nameLine("^\\s+name: \"(.*)\"$");
    std::vector<LineTable> tables;
    std::smatch m;
    for (const std::string& line : lines(toolOutput("llvm-dwarfdump --debug-line", path))) {
        if (line.compare(0, 11, "debug_line[") == 0)
            tables.emplace_back();
        else if (line.find("version: 4") != std::string::npos)
            return {};
        else if (line.find("version: 5") != std::string::npos)
            tables.back().firstFile = 0;
        else if (std::regex_match(line, m, nameLine))
            tables.back().files.push_back(m[1]);
        else if (std::regex_match(line, m, rowLine) && m[4].str().find("end_sequence") == std::string::npos)
            tables.back().rows.emplace_back(hexNumber(m[1]), std::stoi(m[2]), uint32_t(std::stoul(m[3])),
                                            m[4].str().find("is_stmt") != std::string::npos);
    }
    return tables;
}

// The "Addresses:" lines (file names without directories) the rows make: rows inside their
// unit's ranges, or is_stmt rows; the first file at an address keeps it, with its greatest line.
std::vector<std::string> expectedAddresses(const std::vector<LineTable>& tables, const std::vector<uint64_t>& units,
                                           const std::vector<Range>* filter)
{
    std::map<uint32_t, std::pair<int, std::string>> map;
    for (size_t t = 0; t < tables.size(); ++t) {
        for (const auto& [address, line, file, isStmt] : tables[t].rows) {
            bool inUnit = filter && std::any_of(filter->begin(), filter->end(), [&, a = address](const Range& r) {
                return std::get<1>(r) == units.at(t) && a - std::get<0>(r) < std::get<2>(r);
            });
            uint32_t index = file - tables[t].firstFile;
            if ((filter ? !inUnit : !isStmt) || file < tables[t].firstFile || index >= tables[t].files.size())
                continue;
            auto found = map.emplace(address, std::make_pair(line, tables[t].files[index])).first;
            if (found->second.second == tables[t].files[index])
                found->second.first = std::max(found->second.first, line);
        }
    }
    std::vector<std::string> rows;
    char text[32];
    for (const auto& [address, row] : map) {
        snprintf(text, sizeof text, "0x%x %d ", address, row.first);
        rows.push_back(text + row.second);
    }
    return rows;
}

std::vector<std::string> listedAddresses(const std::string& listing)
{
    static const std::regex directories(" \\S*/");
    std::vector<std::string> rows;
    for (const std::string& line : listingSection(listing, "Addresses:\n", "Sources:\n"))
        rows.push_back(std::regex_replace(line, directories, " "));
    return rows;
}

} // namespace

class LlvmDwarfdumpCrossCheck : public ::testing::TestWithParam<std::pair<const char*, bool>> {
};

TEST_P(LlvmDwarfdumpCrossCheck, EveryEntryAndAttribute)
{
    CrossCheck(GetParam().second).run(MORVANE_TEST_DATA "/dwarf/" + std::string(GetParam().first) + ".elf");
}

TEST_P(LlvmDwarfdumpCrossCheck, EveryFrameEntryAndInstruction)
{
    std::string path = MORVANE_TEST_DATA "/dwarf/" + std::string(GetParam().first) + ".elf";
    std::string expected = llvmFrameListing(path);
    ASSERT_NE(expected.find("DW_CFA_offset("), std::string::npos) << "llvm-dwarfdump listed no offsets: " << path;
    RunResult r = runMorvane({"-dwarf", path});
    EXPECT_EQ(frameListing(r.out), expected);
}

// Filtered through .debug_aranges, then unfiltered with the ranges derived from the units
// (each one byte longer than the range it stands for).
TEST_P(LlvmDwarfdumpCrossCheck, LineMapAndTables)
{
    std::string path = MORVANE_TEST_DATA "/dwarf/" + std::string(GetParam().first) + ".elf";
    std::vector<uint64_t> units;
    std::vector<int> versions;
    llvmEntries(path, units, versions);
    std::vector<LineTable> tables = llvmLineTables(path);
    std::vector<Range> ranges = readelfRanges(path);
    for (bool ignoreAranges : {false, true}) {
        SCOPED_TRACE(ignoreAranges ? "-ignoreDebugAranges" : "with .debug_aranges");
        RunResult r = runMorvane({"-dwarf", ignoreAranges ? "-ignoreDebugAranges" : "-dwarf", path});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        if (!tables.empty()) {
            // Without .debug_aranges (clang's images) the rows are not filtered either.
            bool filtered = !ignoreAranges && !ranges.empty();
            EXPECT_EQ(listedAddresses(r.out), expectedAddresses(tables, units, filtered ? &ranges : nullptr));
        }
        std::vector<Range> derived = ranges;
        for (Range& range : derived)
            std::get<2>(range) += ignoreAranges;
        if (!ranges.empty()) {
            EXPECT_EQ(listedRanges(r.out), derived);
        }
        for (const char* section : {"pubnames", "pubtypes"}) {
            std::vector<std::string> names = readelfNames(path, section);
            std::vector<std::string> listed = listingSection(
                r.out, section[3] == 'n' ? "\nPubnames\n--------\n" : "\nPubtypes\n--------\n",
                section[3] == 'n' ? "\nPubtypes\n" : "\nAranges\n");
            std::sort(listed.begin(), listed.end());
            if (!names.empty()) {
                EXPECT_EQ(listed, names);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, LlvmDwarfdumpCrossCheck,
                         ::testing::Values(std::make_pair("basic-dwarf2", false), std::make_pair("basic-dwarf3", false),
                                           std::make_pair("basic-dwarf4", false),
                                           std::make_pair("basic-dwarf4-be", true),
                                           std::make_pair("features-dwarf4", false),
                                           std::make_pair("basic-clang", false),
                                           std::make_pair("tables-dwarf3", false), std::make_pair("basic-dwarf5", false),
                                           std::make_pair("basic-dwarf5-be", true),
                                           std::make_pair("features-default", false),
                                           std::make_pair("basic-clang-dwarf5", false)),
                         [](const auto& info) {
                             std::string name = info.param.first;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
