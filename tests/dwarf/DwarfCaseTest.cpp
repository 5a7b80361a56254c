// The binary run on hand-made and damaged DWARF sections, one case after another from
// tests/data/dwarf/cases.txt. A case is
//   == its name [(big-endian)]
//   # comments
//   .section hex bytes ("ab*300" repeats a byte; .data is allocated and writable)
//   symbol name value .section (a global data object of 4 bytes)
//   args the arguments (IN is the image, OUT an output file)
//   status the exit status
// then the exact texts "--- stdout", "--- stderr" and "--- file" (the output file), each
// up to the next "--- " or "== " line; a text that is not given is empty. The reader's
// unknown-code diagnostic shows two memory addresses; they read "ADDR" here.
// GCC 12 warns of uninitialised members inside <regex> when it optimises with the
// sanitizers; the warning is false.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "DwarfTestSupport.h"
#include "dwarf/DwarfFilePath.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <tuple>

namespace {

struct Case {
    std::string name;
    bool bigEndian = false;
    Sections sections;
    std::vector<std::tuple<std::string, uint32_t, std::string>> symbols;
    std::vector<std::string> args;
    int status = 0;
    std::map<std::string, std::string> texts;
};

std::vector<Case> readCases(const std::string& path)
{
    std::vector<Case> cases;
    std::ifstream file(path);
    std::string* text = nullptr;
    for (std::string line; std::getline(file, line);) {
        bool heading = line.compare(0, 4, "--- ") == 0 || line.compare(0, 3, "== ") == 0;
        if (text && !heading) {
            *text += line + "\n";
            continue;
        }
        std::istringstream words(line);
        std::string key;
        words >> key;
        text = key == "---" ? &cases.back().texts[line.substr(4)] : nullptr;
        if (key == "==") {
            cases.emplace_back();
            cases.back().name = line.substr(3);
            cases.back().bigEndian = line.find(" (big-endian)") != std::string::npos;
        } else if (key == "args") {
            for (std::string word; words >> word;)
                cases.back().args.push_back(word);
        } else if (key == "symbol") {
            std::string name, section;
            uint32_t value = 0;
            words >> name >> value >> section;
            cases.back().symbols.emplace_back(name, value, section);
        } else if (key == "status") {
            words >> cases.back().status;
        } else if (!key.empty() && key[0] == '.') {
            std::vector<uint8_t>& bytes = cases.back().sections[key];
            for (std::string word; words >> word;) {
                size_t star = word.find('*');
                bytes.insert(bytes.end(), star == std::string::npos ? 1 : std::stoul(word.substr(star + 1)),
                             uint8_t(std::stoul(word.substr(0, star), nullptr, 16)));
            }
        }
    }
    return cases;
}

std::vector<uint8_t> image(const Case& c)
{
    ElfWriter writer(c.bigEndian);
    writer.type = ET_REL;
    std::map<std::string, uint16_t> index;
    for (const auto& [name, bytes] : c.sections)
        index[name] = uint16_t(writer.addSection(name, SHT_PROGBITS, name == ".data" ? SHF_ALLOC | SHF_WRITE : 0, 0, bytes));
    for (const auto& [name, value, section] : c.symbols)
        writer.addSymbol(name, value, 4, ELF32_ST_INFO(STB_GLOBAL, STT_OBJECT), 0, index.at(section));
    return writer.build();
}

} // namespace

TEST(DwarfCases, ListingsAndDiagnosticsAreExact)
{
    static const std::regex addresses("(couldn't find abbrev 0x[0-9a-f]+ offset 0x[0-9a-f]+), 0x[0-9a-f]+, 0x[0-9a-f]+(?=\n)");
    std::vector<Case> cases = readCases(MORVANE_TEST_DATA "/dwarf/cases.txt");
    ASSERT_GT(cases.size(), 60u);
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        for (std::string& arg : c.args)
            arg = arg == "IN" ? dir.write("in.elf", image(c)) : arg == "OUT" ? dir.file("out") : arg;
        RunResult r = runMorvane(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(std::regex_replace(r.out, addresses, "$1, ADDR"), c.texts["stdout"]);
        EXPECT_EQ(r.err, c.texts["stderr"]);
        EXPECT_EQ(readFileText(dir.file("out")), c.texts["file"]);
    }
}

// The cases of the path rule that no listing above reaches.
TEST(DwarfCases, PathNormalisationRule)
{
    const std::pair<const char*, const char*> cases[] = {
        {"src/main.c", "src/main.c"}, {"a/../../b.c", "../b.c"}, {"/a/b/../../c", "/c"}, {"/../x", "/../x"},
        {"dir/", "dir"},              {"./a.c", "a.c"},          {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(normalisePath(c.first), c.second) << c.first;
}
