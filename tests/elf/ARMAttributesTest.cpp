// ARM attributes listings from the case table tests/data/elf/attributes.txt (its first
// lines describe the format): hand-made sections in both byte orders and the listings of
// toolchain-made objects.
#include "ElfTestSupport.h"

#include "elf/ARMAttributes.h"

#include <fstream>

namespace {

struct AttributeCase {
    int line;
    std::string section;    // section tokens, or "@fixture"
    std::string expected;
    bool cut;               // the listing stops at an attribute that does not fit
};

std::vector<uint8_t> sectionBytes(const std::string& tokens, bool bigEndian)
{
    std::vector<uint8_t> bytes;
    std::istringstream in(tokens);
    for (std::string token; in >> token;) {
        if (token[0] == '\'') {
            bytes.insert(bytes.end(), token.begin() + 1, token.end() - 1);
        } else if (token[0] == 'w') {
            std::vector<uint8_t> word = ElfWriter(bigEndian).words32({uint32_t(std::stoul(token.substr(1), nullptr, 16))});
            bytes.insert(bytes.end(), word.begin(), word.end());
        } else {
            bytes.push_back(uint8_t(std::stoul(token, nullptr, 16)));
        }
    }
    return bytes;
}

std::vector<AttributeCase> loadCases()
{
    std::ifstream in(std::string(MORVANE_TEST_DATA) + "/elf/attributes.txt");
    std::vector<AttributeCase> cases;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        size_t arrow = line.find("=>");
        if (line.rfind("| ", 0) == 0)
            cases.back().expected += line.substr(2) + "\n";
        else if (line[0] != '#' && arrow != std::string::npos) {
            // The expected text: between the quotes, with \n for newlines.
            std::string text = line.substr(arrow + 2);
            size_t open = text.find('"'), close = text.rfind('"');
            std::string expected = open < close ? text.substr(open + 1, close - open - 1) : "";
            for (size_t at; (at = expected.find("\\n")) != std::string::npos;)
                expected.replace(at, 2, "\n");
            cases.push_back({number + 1, line.substr(0, arrow), expected, text.find(" cut") != std::string::npos});
        }
        ++number;
    }
    return cases;
}

// The listing of `image`, and whether it went through to the end.
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

std::vector<uint8_t> imageWithAttributes(const std::vector<uint8_t>& section, bool bigEndian)
{
    ElfWriter w(bigEndian);
    w.addSection(".ARM.attributes", SHT_ARM_ATTRIBUTES, 0, 0, section);
    return w.build();
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
            auto image = loadModel(imageWithAttributes(sectionBytes(c.section, bigEndian), bigEndian));
            EXPECT_EQ(listing(*image), std::make_pair(c.expected, !c.cut));
        }
    }
}
