// The -dwarf listing of toolchain-made images against llvm-dwarfdump and readelf, run at
// test time on the same files. Each part of the listing is compared with the lines the
// tool's output leads to: every entry with its unit offset, tag, attributes, forms and the
// values llvm-dwarfdump shows comparably (numbers, texts, reference targets, raw blocks,
// DW_OP_addr locations, decl_file paths, version-5 range lists); every CIE, FDE and
// call-frame instruction; the line map from llvm-dwarfdump's rows; address ranges, public
// names and types from readelf. An expected line "prefix*suffix" matches any line with
// that prefix and suffix (values the tool shows differently, such as enumerations).
// GCC 12 warns of uninitialised members inside <regex> when it optimises with the
// sanitizers; the warning is false.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "DwarfTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <tuple>

namespace {

typedef std::vector<std::string> Lines;

Lines lines(const std::string& text)
{
    Lines result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

std::string format(const char* pattern, uint64_t a, uint64_t b = 0, uint64_t c = 0, uint64_t d = 0)
{
    char text[160];
    snprintf(text, sizeof text, pattern, a, b, c, d);
    return text;
}

uint64_t hexNumber(const std::string& text)
{
    return std::stoull(text, nullptr, 16);
}

// What the tool prints; the test fails when it cannot run.
Lines tool(const std::string& command, const std::string& path)
{
    RunResult r = runTool(command + " '" + path + "'");
    EXPECT_EQ(r.status, 0) << command << ": " << r.err;
    return lines(r.out);
}

// Tag and attribute names where the listing keeps older spellings or has no name.
std::string listingName(const std::string& name)
{
    static const std::map<std::string, std::string> renamed = {
        {"DW_TAG_template_type_parameter", "DW_TAG_template_type_param"},
        {"DW_TAG_template_value_parameter", "DW_TAG_template_value_param"},
        {"DW_AT_data_bit_offset", "DW_AT_main_data_bit_offset"},
        {"DW_AT_GNU_locviews", "unexpected DW_AT 0x2137"}, {"DW_AT_GNU_entry_view", "unexpected DW_AT 0x2138"}};
    auto found = renamed.find(name);
    return found == renamed.end() ? name : found->second;
}

typedef std::pair<uint64_t, int> Unit;   // offset, version

// The value llvm-dwarfdump shows, as the listing prints it after "name form ".
std::string expectedValue(const std::string& name, const std::string& form, const std::string& value,
                          const std::string& ranges, const Unit& unit, std::map<uint64_t, std::string>& tags,
                          bool big)
{
    static const std::regex quoted("^[^\"]*\"(.*)\"$"), target(".*\\{0x([0-9a-f]+)\\}.*"),
        rawBlock("^<0x[0-9a-f]+> ((?:[0-9a-f]{2} )*)$"), opAddr("^DW_OP_addr 0x([0-9a-f]+)$"),
        stringForm("DW_FORM_(strp|string|line_strp|strx[1-4]?)"), indexed("^indexed \\([0-9a-fx]+\\) \\w+ = (0x[0-9a-f]+).*"),
        number("^(?:0x([0-9a-fA-F]+)\\b.*|(-?[0-9]+)|(true|false))$");
    std::smatch m;
    if (std::regex_match(form, stringForm))
        return std::regex_match(value, m, quoted) ? m[1].str() : "<not quoted>";
    if (std::regex_match(value, m, target)) {
        uint64_t offset = hexNumber(m[1]);
        uint64_t base = form == "DW_FORM_ref_addr" ? 0 : unit.first;
        if (name != "DW_AT_specification" && name != "DW_AT_abstract_origin")
            return format("0x%llx *", offset - base);
        uint64_t targetUnit = offset;   // entries of other units are named by their own offset
        for (const auto& tag : tags)
            if (tag.first <= offset && tag.second.compare(0, 5, "unit ") == 0)
                targetUnit = tag.first;
        return format("0x%llx ", offset - base) + listingName(tags[offset]) + format(" (0x%llX)", offset - targetUnit);
    }
    std::string bytes;
    if (std::regex_match(value, m, opAddr)) {
        uint64_t address = hexNumber(m[1]);
        for (int i = -1; i < 4; ++i)
            bytes += format("0x%02llx ", i < 0 ? 3 : big ? (address >> (24 - 8 * i)) & 0xFF : (address >> (8 * i)) & 0xFF);
        return bytes;
    }
    if (std::regex_match(value, m, rawBlock)) {
        std::istringstream words(m[1]);
        for (std::string word; words >> word;)
            bytes += "0x" + word + " ";
        return bytes;
    }
    if (name == "DW_AT_decl_file" && std::regex_match(value, m, quoted))
        return "* " + m[1].str();
    std::string first = value.substr(0, value.find('\n'));
    if (std::regex_match(first, m, indexed))
        first = m[1];
    if (!std::regex_match(first, m, number))
        return "*";   // enumerations and decoded expressions
    int64_t n = m[1].matched ? int64_t(hexNumber(m[1])) : m[2].matched ? std::stoll(m[2]) : m[3] == "true";
    if (form == "DW_FORM_sdata" || form == "DW_FORM_implicit_const")
        return format("%lld *", uint64_t(n));
    if (name == "DW_AT_ranges" && unit.second == 5)
        return format("0x%llx ", uint32_t(n)) + ranges;
    return format("0x%llx *", uint32_t(n));
}

// llvm-dwarfdump --debug-info -v as the "Debugging Information" lines, indentation and
// blank lines left out.
Lines expectedEntries(const std::string& path, bool big)
{
    static const std::regex unitLine("^0x([0-9a-f]+): (?:Compile|Type|Partial|Skeleton) Unit:.* version = 0x0*(\\d).*"),
        entryLine("^0x([0-9a-f]+):\\s+(\\S+).*"), attributeLine("^\\s+(DW_AT_\\w+) \\[(DW_FORM_\\w+)\\]\\s+\\((.*)$"),
        rangeLine("^\\s+\\[0x([0-9a-f]+), 0x([0-9a-f]+)\\)\\)?$");
    Lines output = tool("llvm-dwarfdump --debug-info -v", path);
    std::map<uint64_t, std::string> tags;   // by section offset; units as "unit"
    std::vector<std::tuple<size_t, Unit, std::string, std::string, std::string, std::string>> attributes;
    Lines result;
    Unit unit(0, 0);
    std::smatch m;
    for (const std::string& line : output) {
        if (std::regex_match(line, m, unitLine)) {
            unit = Unit(hexNumber(m[1]), std::stoi(m[2]));
            tags[unit.first] = "unit ";
        } else if (std::regex_match(line, m, entryLine) && m[2] != "NULL") {
            tags[hexNumber(m[1])] = m[2];
            result.push_back(listingName(m[2]) + format(" (0x%llX)", hexNumber(m[1]) - unit.first));
        } else if (std::regex_match(line, m, attributeLine)) {
            std::string value = m[3];
            if (!value.empty() && value.back() == ')')
                value.pop_back();
            result.emplace_back();
            attributes.emplace_back(result.size() - 1, unit, m[1], m[2], value, "");
        } else if (std::regex_match(line, m, rangeLine) && !attributes.empty()) {
            std::get<5>(attributes.back()) += format("0x%llX-0x%llX ", hexNumber(m[1]), hexNumber(m[2]));
        }
    }
    for (auto& [at, attributeUnit, name, form, value, ranges] : attributes)
        result[at] = listingName(name) + " " + form + " " +
                     expectedValue(name, form, value, ranges, attributeUnit, tags, big);
    return result;
}

Lines listedEntries(const std::string& listing)
{
    Lines result;
    for (const std::string& line : lines(listingPart(listing, "Debugging Information\n---------------------\n", "\nPubnames\n")))
        if (line.find_first_not_of(' ') != std::string::npos)
            result.push_back(line.substr(line.find_first_not_of(' ')));
    return result;
}

// llvm-dwarfdump --debug-frame in the frame listing's formats, ARM core registers as
// numbers; DW_CFA_offset also shows the unscaled offset, recovered from the data alignment.
Lines expectedFrames(const std::string& path)
{
    static const std::regex header(
        "^[0-9a-f]{8} ([0-9a-f]{8}) ([0-9a-f]{8}) (CIE|FDE)(?: cie=\\S+ pc=([0-9a-f]+)\\.\\.\\.([0-9a-f]+))?$"),
        field("^  ([A-Z][a-z ]+): +\"?([^\"]*)\"?$"), instruction("^  (DW_CFA_\\w+):(.*)$");
    static const std::map<std::string, std::string> fields = {
        {"Version", "version: %s"}, {"Augmentation", "augmentation : %s"}, {"Address size", "address size: %s"},
        {"Segment desc size", "pointer size: %s"}, {"Code alignment factor", "code_alignment_factor: 0x%X"},
        {"Data alignment factor", "data_alignment_factor: 0x%X"}, {"Return address column", "return_address_register: %s\n"}};
    static const std::map<std::string, std::string> registers = {{"SP", "13"}, {"LR", "14"}, {"PC", "15"}};
    std::string listing;
    long dataAlignment = 1;
    char text[160];
    std::smatch m;
    for (const std::string& line : tool("llvm-dwarfdump --debug-frame", path)) {
        if (line == ".eh_frame contents:")
            break;
        if (std::regex_match(line, m, header)) {
            uint64_t start = m[4].matched ? hexNumber(m[4]) : 0;
            listing += "\n" + format(m[4].matched ? "length: %lld cie_id: 0x%llX FDE initial_location: 0x%llX address_range: 0x%llX\n"
                                                  : "length: %lld cie_id: 0x%llX CIE\n",
                                     uint64_t(int64_t(int32_t(hexNumber(m[1])))), hexNumber(m[2]), start, m[5].matched ? hexNumber(m[5]) - start : 0);
        } else if (std::regex_match(line, m, field) && fields.count(m[1])) {
            if (m[1].str().find("factor") != std::string::npos)
                snprintf(text, sizeof text, fields.at(m[1]).c_str(), unsigned(std::stol(m[2])));
            else
                snprintf(text, sizeof text, fields.at(m[1]).c_str(), m[2].str().c_str());
            dataAlignment = m[1] == "Data alignment factor" ? std::stol(m[2]) : dataAlignment;
            listing += text + std::string("\n");
        } else if (std::regex_match(line, m, instruction)) {
            Lines operands;
            std::istringstream words(m[2]);
            for (std::string word; words >> word;)
                operands.push_back(word[0] == '+' || word[0] == 'R' ? word.substr(1)
                                   : registers.count(word)            ? registers.at(word) : word);
            if (m[1] == "DW_CFA_offset" && operands.size() == 2)
                operands.insert(operands.begin() + 1, std::to_string(std::stol(operands[1]) / dataAlignment));
            listing += m[1].str();
            for (size_t i = 0; i < operands.size(); ++i)
                listing += (i ? ", " : "(") + operands[i];
            listing += operands.empty() ? "\n" : ")\n";
        }
    }
    return lines(listing);
}

typedef std::tuple<uint32_t, uint32_t, uint32_t> Range;   // address, unit offset, length

// readelf's .debug_aranges tuples without the (0, 0) ones, sorted.
std::vector<Range> readelfRanges(const std::string& path)
{
    static const std::regex unitLine("^\\s+Offset into .debug_info:\\s+(0x)?([0-9a-f]+)$"),
        tupleLine("^\\s+([0-9a-f]{8}) ([0-9a-f]{8})\\s*$");
    std::vector<Range> ranges;
    uint32_t unit = 0;
    std::smatch m;
    for (const std::string& line : tool("arm-none-eabi-readelf --debug-dump=aranges", path)) {
        if (std::regex_match(line, m, unitLine))
            unit = uint32_t(hexNumber(m[2]));
        else if (std::regex_match(line, m, tupleLine) && (hexNumber(m[1]) || hexNumber(m[2])))
            ranges.emplace_back(hexNumber(m[1]), unit, hexNumber(m[2]));
    }
    std::sort(ranges.begin(), ranges.end());
    return ranges;
}

// The listing's "Aranges" lines for these ranges, each `extra` bytes longer.
Lines rangeLines(const std::vector<Range>& ranges, uint32_t extra)
{
    Lines result;
    for (const auto& [address, unit, length] : ranges)
        result.push_back(format("cuoffset 0x%llx address 0x%llx length %llu", unit, address, length + extra));
    return result;
}

// readelf's public names or types as the listing prints them, sorted.
Lines expectedNames(const std::string& path, const std::string& section)
{
    static const std::regex setLine("^\\s+Offset into .debug_info section:\\s+(0x)?([0-9a-f]+)$"),
        sizeLine("^\\s+Size of area in .debug_info section:\\s+(\\d+)$"), nameLine("^    ([0-9a-f]+)\\s+\\t(.*)$");
    Lines names;
    std::string unit, size;
    std::smatch m;
    for (const std::string& line : tool("arm-none-eabi-readelf --debug-dump=" + section, path)) {
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

// The "Addresses:" lines (file names without directories) llvm-dwarfdump's rows make:
// rows inside their unit's ranges (or, unfiltered, is_stmt rows); the first file at an
// address keeps it, with its greatest line. None for a version 4 header, which the
// listing reads with the older layout.
Lines expectedAddresses(const std::string& path, const std::vector<uint64_t>& units, const std::vector<Range>* filter)
{
    static const std::regex rowLine("^0x([0-9a-f]{16})\\s+(\\d+)\\s+\\d+\\s+(\\d+)\\s+\\d+\\s+\\d+\\s*(.*)$"),
        nameLine("^\\s+name: \"(.*)\"$");
    std::map<uint32_t, std::pair<int, std::string>> map;
    Lines files;
    uint32_t firstFile = 1;
    size_t table = 0;
    std::smatch m;
    for (const std::string& line : tool("llvm-dwarfdump --debug-line", path)) {
        if (line.compare(0, 11, "debug_line[") == 0) {
            files.clear();
            firstFile = 1;
            ++table;
        } else if (line.find("version: 4") != std::string::npos) {
            return {};
        } else if (line.find("version: 5") != std::string::npos) {
            firstFile = 0;
        } else if (std::regex_match(line, m, nameLine)) {
            files.push_back(m[1]);
        } else if (std::regex_match(line, m, rowLine) && m[4].str().find("end_sequence") == std::string::npos) {
            uint32_t address = uint32_t(hexNumber(m[1])), file = uint32_t(std::stoul(m[3])) - firstFile;
            int row = std::stoi(m[2]);
            bool inUnit = filter && std::any_of(filter->begin(), filter->end(), [&](const Range& r) {
                return std::get<1>(r) == units.at(table - 1) && address - std::get<0>(r) < std::get<2>(r);
            });
            if ((filter ? !inUnit : m[4].str().find("is_stmt") == std::string::npos) || file >= files.size())
                continue;
            auto found = map.emplace(address, std::make_pair(row, files[file])).first;
            if (found->second.second == files[file])
                found->second.first = std::max(found->second.first, row);
        }
    }
    Lines rows;
    for (const auto& [address, row] : map)
        rows.push_back(format("0x%llx %lld ", address, row.first) + row.second);
    return rows;
}

Lines listedAddresses(const std::string& listing)
{
    static const std::regex directories(" \\S*/");
    Lines rows;
    for (const std::string& line : lines(listingPart(listing, "Addresses:\n", "Sources:\n")))
        rows.push_back(std::regex_replace(line, directories, " "));
    return rows;
}

bool matches(const std::string& expected, const std::string& actual)
{
    size_t star = expected.find('*');
    if (star == std::string::npos)
        return expected == actual;
    size_t tail = expected.size() - star - 1;
    return actual.size() >= expected.size() - 1 && actual.compare(0, star, expected, 0, star) == 0 &&
           actual.compare(actual.size() - tail, tail, expected, star + 1, tail) == 0;
}

} // namespace

class LlvmDwarfdumpCrossCheck : public ::testing::TestWithParam<std::string> {};

TEST_P(LlvmDwarfdumpCrossCheck, EveryPartOfTheListing)
{
    std::string path = MORVANE_TEST_DATA "/dwarf/" + GetParam() + ".elf";
    RunResult filtered = runMorvane({"-dwarf", path});
    RunResult unfiltered = runMorvane({"-dwarf", "-ignoreDebugAranges", path});
    std::vector<uint64_t> units;
    for (const std::string& line : tool("llvm-dwarfdump --debug-info", path))
        if (line.find(" Unit: ") != std::string::npos)
            units.push_back(hexNumber(line.substr(2)));
    std::vector<Range> ranges = readelfRanges(path);
    const std::pair<Lines, Lines> parts[] = {
        {expectedEntries(path, GetParam().find("-be") != std::string::npos), listedEntries(filtered.out)},
        {expectedFrames(path), lines(listingPart(filtered.out, "Frame\n-----\n", "Debugging Information\n"))},
        {expectedAddresses(path, units, ranges.empty() ? nullptr : &ranges), listedAddresses(filtered.out)},
        {expectedAddresses(path, units, nullptr), listedAddresses(unfiltered.out)},
        {rangeLines(ranges, 0), lines(listingPart(filtered.out, "\nAranges\n-------\n", "\nMacros\n"))},
        {rangeLines(ranges, 1), lines(listingPart(unfiltered.out, "\nAranges\n-------\n", "\nMacros\n"))},
        {expectedNames(path, "pubnames"), lines(listingPart(filtered.out, "\nPubnames\n--------\n", "\nPubtypes\n"))},
        {expectedNames(path, "pubtypes"), lines(listingPart(filtered.out, "\nPubtypes\n--------\n", "\nAranges\n"))},
    };
    EXPECT_EQ(filtered.status + unfiltered.status, 0);
    EXPECT_EQ(filtered.err + unfiltered.err, "");
    ASSERT_GT(parts[0].first.size(), 50u);
    ASSERT_GT(parts[1].first.size(), 5u);
    for (size_t part = 0; part < std::size(parts); ++part) {
        SCOPED_TRACE("part " + std::to_string(part));
        Lines actual = parts[part].second;
        if (part >= 2 && parts[part].first.empty())
            continue;   // no rows to compare (version 4 header), no ranges or names from the toolchain
        if (part >= 6)
            std::sort(actual.begin(), actual.end());
        EXPECT_EQ(actual.size(), parts[part].first.size());
        for (size_t i = 0; i < std::min(actual.size(), parts[part].first.size()); ++i)
            EXPECT_PRED2(matches, parts[part].first[i], actual[i]) << "line " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, LlvmDwarfdumpCrossCheck,
                         ::testing::Values("basic-dwarf2", "basic-dwarf3", "basic-dwarf4", "basic-dwarf4-be",
                                           "features-dwarf4", "basic-clang", "tables-dwarf3", "basic-dwarf5",
                                           "basic-dwarf5-be", "features-default", "basic-clang-dwarf5"),
                         [](const auto& info) { return std::regex_replace(info.param, std::regex("-"), "_"); });
