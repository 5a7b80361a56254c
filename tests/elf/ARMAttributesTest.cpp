// ARM attributes listings from the case table tests/data/elf/attributes.txt (its first
// lines describe the format): hand-made sections in both byte orders and the listings of
// toolchain-made objects.
#include "ElfTestSupport.h"

#include "elf/ARMAttributes.h"

#include <fstream>

namespace {

struct AttributeCase {
    int line = 0;
    std::string section;    // section tokens, or "@fixture"
    std::string expected;
    bool cut = false;
};

std::vector<uint8_t> sectionBytes(const std::string& tokens, bool bigEndian)
{
    std::vector<uint8_t> bytes;
    std::vector<size_t> lengthAt;
    std::istringstream in(tokens);
    for (std::string token; in >> token;) {
        if (token.front() == '\'') {
            bytes.insert(bytes.end(), token.begin() + 1, token.end() - 1);
            continue;
        }
        uint32_t word = token == "L" ? 0 : uint32_t(std::stoul(token.substr(token[0] == 'w'), nullptr, 16));
        if (token == "L")
            lengthAt.push_back(bytes.size());
        if (token.size() == 2) {
            bytes.push_back(uint8_t(word));
            continue;
        }
        std::vector<uint8_t> encoded = ElfWriter(bigEndian).words32({word});
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    for (size_t at : lengthAt) {
        std::vector<uint8_t> length = ElfWriter(bigEndian).words32({uint32_t(bytes.size() - 1)});
        std::copy(length.begin(), length.end(), bytes.begin() + long(at));
    }
    return bytes;
}

// The text of a quoted C-escaped string starting at `text[0]`; `rest` gets what follows.
std::string unquote(const std::string& text, std::string& rest)
{
    std::string out;
    size_t i = 1;
    for (; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        char c = text[++i];
        out += c == 'n' ? '\n' : c;
    }
    rest = text.substr(std::min(i + 1, text.size()));
    return out;
}

std::vector<AttributeCase> loadCases()
{
    std::ifstream in(std::string(MORVANE_TEST_DATA) + "/elf/attributes.txt");
    std::vector<AttributeCase> cases;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.rfind("| ", 0) == 0 && !cases.empty()) {
            cases.back().expected += line.substr(2) + "\n";
            continue;
        }
        size_t arrow = line.find("=>");
        if (line.empty() || line[0] == '#' || arrow == std::string::npos)
            continue;
        AttributeCase c;
        c.line = number;
        c.section = line.substr(0, arrow);
        std::string rest = line.substr(arrow + 2);
        rest.erase(0, rest.find_first_not_of(' '));
        if (!rest.empty())
            c.expected = unquote(rest, rest);
        c.cut = rest.find("cut") != std::string::npos;
        cases.push_back(c);
    }
    return cases;
}

// The listing of `image` and whether it went through to the end.
std::pair<std::string, bool> listing(const ElfFile& image)
{
    char* buffer = nullptr;
    size_t length = 0;
    FILE* stream = open_memstream(&buffer, &length);
    bool whole = printARMAttributes(image, stream);
    fclose(stream);
    std::string text(buffer, length);
    free(buffer);
    return {text, whole};
}

std::unique_ptr<ElfFile> imageWithAttributes(const std::vector<uint8_t>& section, bool bigEndian)
{
    ElfWriter w(bigEndian);
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, w.words32({0xe12fff1e}));
    w.addSection(".ARM.attributes", SHT_ARM_ATTRIBUTES, 0, 0, section);
    return loadModel(w.build());
}

} // namespace

TEST(ARMAttributes, CaseTable)
{
    std::vector<AttributeCase> cases = loadCases();
    ASSERT_GT(cases.size(), 40u);
    for (const AttributeCase& c : cases) {
        SCOPED_TRACE("attributes.txt:" + std::to_string(c.line));
        if (c.section[0] == '@') {
            ElfFile image(true, true);
            image.load(QString::fromStdString(elfFixture(c.section.substr(1, c.section.find(' ') - 1))));
            EXPECT_EQ(listing(image), std::make_pair(c.expected, true));
            continue;
        }
        for (bool bigEndian : {false, true}) {
            SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
            auto image = imageWithAttributes(sectionBytes(c.section, bigEndian), bigEndian);
            EXPECT_EQ(listing(*image), std::make_pair(c.expected, !c.cut));
        }
    }
}

TEST(ARMAttributes, NoSectionListsNothing)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, w.words32({0xe12fff1e}));
    EXPECT_EQ(listing(*loadModel(w.build())), std::make_pair(std::string(), true));
}

TEST(ARMAttributes, CutListingWarnsAndSucceeds)
{
    auto bytes = sectionBytes("41 L 'aeabi' 00 06 0a 05 'abc'", false);
    ElfWriter w;
    w.addSection(".ARM.attributes", SHT_ARM_ATTRIBUTES, 0, 0, bytes);
    RunResult r = runOnImage(w.build(), {"-ARMAttributes"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Tag_CPU_arch ARM v7\n");
    EXPECT_EQ(r.err, "warning: section .ARM.attributes: an attribute runs past the end of its "
                     "subsection; the listing stops before it\n");
}
