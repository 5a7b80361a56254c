// Cross-checks listings of the toolchain-made fixtures against arm-none-eabi-readelf on the
// same files: section headers, symbols, relocations and ARM attributes.
// GCC 12 reports a false -Wmaybe-uninitialized inside <regex> in the sanitizer build.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "ElfTestSupport.h"

#include <algorithm>
#include <map>
#include <regex>

namespace {

// The tool's output; a missing tool fails the test (scripts/setup.sh installs binutils).
std::string readelf(const std::string& options, const std::string& path)
{
    RunResult r = runTool("arm-none-eabi-readelf -W " + options + " '" + path + "'");
    EXPECT_EQ(r.status, 0) << "arm-none-eabi-readelf " << options << ": " << r.err;
    return r.out;
}

uint32_t hex(const std::string& text)
{
    return uint32_t(std::stoul(text, nullptr, 16));
}

struct ReadelfSection {
    std::string name, type, flags;
    uint32_t addr, offset, size, entsize, link, info, align;
};

std::vector<ReadelfSection> readelfSections(const std::string& path)
{
    static const std::regex row(
        R"(^\s*\[\s*(\d+)\]\s(.*?)\s+(\S+)\s+([0-9a-f]{8})\s([0-9a-f]{6})\s([0-9a-f]{6})\s([0-9a-f]{2})\s+([A-Za-z]*)\s+(\d+)\s+(\d+)\s+(\d+)$)");
    std::vector<ReadelfSection> sections;
    for (const std::string& line : splitLines(readelf("-S", path))) {
        std::smatch m;
        if (!std::regex_match(line, m, row))
            continue;
        std::string name = m[2];
        name.erase(0, name.find_first_not_of(' '));
        sections.push_back({name, m[3], m[8], hex(m[4]), hex(m[5]), hex(m[6]), hex(m[7]),
                            uint32_t(std::stoul(m[9])), uint32_t(std::stoul(m[10])), uint32_t(std::stoul(m[11]))});
    }
    return sections;
}

const char* const fixtures[] = {"arm-le.o", "arm-be.o", "thumb-le.o", "thumb-be.o", "app-le.elf", "app-be.elf"};

class ElfReadelfCrossCheck : public testing::TestWithParam<const char*> {
protected:
    std::string path() const { return elfFixture(GetParam()); }
};

} // namespace

// The section listing rebuilt from readelf's table, all but the name offsets.
TEST_P(ElfReadelfCrossCheck, SectionHeaders)
{
    static const std::map<std::string, uint32_t> types = {{"NULL", 0}, {"PROGBITS", 1}, {"SYMTAB", 2}, {"STRTAB", 3},
                                                          {"NOBITS", 8}, {"REL", 9}, {"ARM_ATTRIBUTES", 0x70000003}};
    std::string expected;
    for (const ReadelfSection& s : readelfSections(path())) {
        uint32_t flags = 0;
        for (char letter : s.flags)
            flags |= 1u << std::string("WAX-MSILOGT").find(letter);
        std::string text;
        for (auto [bit, name] : {std::make_pair(1u, "SHF_WRITE"), {2u, "SHF_ALLOC"}, {4u, "SHF_EXECINSTR"}})
            text += flags & bit ? (text.empty() ? "" : "+") + std::string(name) : "";
        char block[800];
        snprintf(block, sizeof block,
                 "\nsection header\nsh_name     : %s\nsh_type     : 0x%X SHT_%s\nsh_flags    : 0x%X %s\n"
                 "sh_addr     : 0x%X\nsh_offset   : 0x%X\nsh_size     : 0x%X\nsh_link     : 0x%X\n"
                 "sh_info     : 0x%X\nsh_addralign: 0x%X\nsh_entsize  : 0x%X\n",
                 s.name.c_str(), types.at(s.type), s.type.c_str(), flags, text.c_str(), s.addr, s.offset, s.size,
                 s.link, s.info, s.align, s.entsize);
        expected += block;
    }
    std::regex nameOffset("sh_name     : 0x[0-9A-F]+ ");
    EXPECT_EQ(std::regex_replace(listingOf(path(), "-sections"), nameOffset, "sh_name     : "), expected);
}

TEST_P(ElfReadelfCrossCheck, Symbols)
{
    static const std::regex row(
        R"(^\s*(\d+):\s([0-9a-f]{8})\s+(\d+)\s(\S+)\s+(\S+)\s+(\S+)\s+(\S+)\s?(.*)$)");
    static const std::map<std::string, int> types = {{"NOTYPE", 0}, {"OBJECT", 1}, {"FUNC", 2}, {"SECTION", 3},
                                                     {"FILE", 4}};
    static const std::map<std::string, int> binds = {{"LOCAL", 0}, {"GLOBAL", 1}, {"WEAK", 2}};
    static const std::map<std::string, int> visibilities = {{"DEFAULT", 0}, {"INTERNAL", 1}, {"HIDDEN", 2},
                                                            {"PROTECTED", 3}};
    std::vector<ReadelfSection> sections = readelfSections(path());
    std::vector<std::pair<std::string, std::string>> expected;   // name, line
    for (const std::string& line : splitLines(readelf("-s -C", path()))) {
        std::smatch m;
        if (!std::regex_match(line, m, row))
            continue;
        std::string name = m[8];
        int type = types.at(m[4]);
        if (type == STT_SECTION || name.empty() || name[0] == '$' || name.rfind(".L", 0) == 0)
            continue;
        uint32_t value = hex(m[2]);
        bool thumb = type == STT_FUNC && (value & 1);
        std::string ndx = m[7];
        uint32_t shndx = ndx == "UND" ? 0 : ndx == "ABS" ? SHN_ABS : ndx == "COM" ? SHN_COMMON : std::stoul(ndx);
        std::string section = shndx < sections.size() ? sections[shndx].name : "*ABS*";
        char text[512];
        snprintf(text, sizeof text, "0x%08x %s %s (0x%x,0x%x,0x%x) %s", value & ~uint32_t(thumb), section.c_str(),
                 name.c_str(), binds.at(m[5]) << 4 | type, visibilities.at(m[6]), shndx,
                 thumb ? "Thumb" : "Not Thumb");
        expected.emplace_back(name, text);
    }
    ASSERT_FALSE(expected.empty());
    // By name in unsigned byte order; the fixtures' equal names have equal lines.
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> lines;
    for (const auto& e : expected)
        lines.push_back(e.second);
    EXPECT_EQ(splitLines(listingOf(path(), "-symbols")), lines);
}

TEST_P(ElfReadelfCrossCheck, Relocations)
{
    static const std::regex header(R"(^Relocation section '(\S+)' at offset 0x[0-9a-f]+ contains \d+ entr.*$)");
    static const std::regex entry(R"(^([0-9a-f]{8})\s+([0-9a-f]{8})\s+(\S+).*$)");
    static const std::regex symbolRow(R"(^\s*(\d+):\s[0-9a-f]{8}\s+\d+\s\S+\s+\S+\s+\S+\s+(\S+)\s?(.*)$)");
    std::vector<ReadelfSection> sections = readelfSections(path());
    std::map<std::string, size_t> sectionIndex;
    for (size_t i = 0; i < sections.size(); ++i)
        sectionIndex[sections[i].name] = i;
    // Symbol index -> (section name, raw name); section symbols have no name of their own.
    std::vector<std::pair<std::string, std::string>> symbols;
    for (const std::string& line : splitLines(readelf("-s", path()))) {
        std::smatch m;
        if (!std::regex_match(line, m, symbolRow))
            continue;
        std::string ndx = m[2];
        std::string section = ndx == "UND" ? sections[0].name : ndx == "ABS" ? "*ABS*" : sections[std::stoul(ndx)].name;
        bool sectionSymbol = line.find(" SECTION ") != std::string::npos;
        symbols.emplace_back(section, sectionSymbol ? "" : m[3].str());
    }

    std::vector<std::string> expected;
    bool listed = false;
    for (const std::string& line : splitLines(readelf("-r", path()))) {
        std::smatch m;
        if (std::regex_match(line, m, header)) {
            const ReadelfSection& target = sections[sections[sectionIndex.at(m[1])].info];
            listed = target.flags.find('A') != std::string::npos;
            if (listed)
                expected.push_back("relocations for " + target.name);
        } else if (listed && std::regex_match(line, m, entry)) {
            // The fixtures use only types whose names the two tools share.
            uint32_t info = hex(m[2]);
            const auto& symbol = symbols.at(info >> 8);
            char text[512];
            snprintf(text, sizeof text, "address 0x%08x type 0x%02x %s value %s %s", hex(m[1]), info & 0xFF,
                     m[3].str().c_str(), symbol.first.c_str(), symbol.second.c_str());
            expected.push_back(text);
        }
    }
    EXPECT_EQ(splitLines(listingOf(path(), "-relocations")), expected);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ElfReadelfCrossCheck, testing::ValuesIn(fixtures),
                         [](const testing::TestParamInfo<const char*>& info) { return testName(info.param); });

// Attribute by attribute, in section order: the tag names (but where the two name a tag
// differently), strings, architecture names, profile letters and the values readelf
// prints as plain numbers. Tag_File has no line in readelf's listing.
TEST(ElfReadelfCrossCheckAttributes, TagsAndValues)
{
    static const std::regex row(R"(^  (Tag_\w+): (.*)$)");
    static const std::map<std::string, std::string> otherNames = {
        {"Tag_ABI_align_preserved", "Tag_ABI_align8_preserved"}, {"Tag_DSP_extension", ""}};
    for (const char* fixture : {"attr-m4-hard.o", "attr-a9-neon.o", "attr-m33.o", "attr-m0-be.o",
                                "attr-r5-hard.o", "arm-be.o", "thumb-le.o"}) {
        SCOPED_TRACE(fixture);
        std::vector<std::string> ours = splitLines(listingOf(elfFixture(fixture), "-ARMAttributes"));
        size_t i = 1;   // past Tag_File
        for (const std::string& line : splitLines(readelf("-A", elfFixture(fixture)))) {
            std::smatch m;
            if (!std::regex_match(line, m, row))
                continue;
            std::string name = otherNames.count(m[1]) ? otherNames.at(m[1]) : m[1].str(), value = m[2];
            SCOPED_TRACE(line);
            ASSERT_LT(i, ours.size());
            std::string ourName = ours[i].substr(0, ours[i].find(' ')), ourValue = ours[i].substr(ourName.size() + 1);
            ++i;
            EXPECT_EQ(ourName, name);
            if (value[0] == '"')
                value = value.substr(1, value.size() - 2);
            else if (name == "Tag_CPU_arch" && ourValue.rfind("unknown", 0) != 0)
                value = "ARM " + value;
            else if (name == "Tag_CPU_arch_profile")
                value = value.substr(0, 1);
            else if (value.find_first_not_of("0123456789") != std::string::npos)
                continue;
            EXPECT_EQ(ourValue, value);
        }
        EXPECT_EQ(i, ours.size());
    }
}
