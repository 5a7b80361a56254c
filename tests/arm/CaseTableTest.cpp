// Bytes -> text tables: every file in tests/data/arm/cases holds one case a line,
//   isa level syntax address units => text
// isa "a32" (one word) or "thumb" (halfwords, fed in order the way the listing feeds them;
// a 32-bit instruction is two halfwords, and several instructions on one line, such as an
// IT block, give their texts joined by " ; "; a first half left waiting for its second
// gives "<pending>" followed by its text, which must be empty); level as -arch spells it,
// "all" (unrestricted), "xscale" (unrestricted, processor model 28), or several of these
// joined by "," for a case that holds on each; syntax "ual", "legacy" or "both"; address
// and units in hex. Blank lines and lines starting with "#" are ignored.
#include "arm/ARMInstructionSetDisassembler.h"
#include "arm/DisassemblyListing.h"
#include "support/RunMorvane.h"
#include <gtest/gtest.h>
#include <dirent.h>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <set>
#include <string>
#include <vector>

namespace {

class CaseDisassembler : public ARMInstructionSetDisassembler {
public:
    CaseDisassembler(ArchitectureLevel level, int32_t model, bool unified)
        : ARMInstructionSetDisassembler(level, model)
    {
        unifiedSyntax = unified;
    }

    std::string targetName;   // printed for every target when not empty

    std::string run(bool arm, uint32_t at, const std::vector<uint32_t>& units)
    {
        std::string joined;
        char text[kTextSize];
        bool pending = false;
        for (uint32_t unit : units) {
            disassembleInstruction(arm, at, unit, text, pending);
            at += arm ? 4 : 2;
            if (pending)
                continue;
            joined += (joined.empty() ? "" : " ; ") + std::string(text);
        }
        if (pending)
            joined += (joined.empty() ? "<pending>" : " ; <pending>") + std::string(text);
        return joined;
    }

protected:
    void printTargetAddress() override
    {
        if (targetName.empty())
            ARMInstructionSetDisassembler::printTargetAddress();
        else
            emitText(targetName.c_str());
    }
};

struct Case {
    std::string where;   // file:line
    bool arm = true;
    std::vector<std::pair<ArchitectureLevel, int32_t>> levels;   // with the processor model
    std::string syntax;
    uint32_t address = 0;
    std::vector<uint32_t> units;
    std::string text;
};

bool parseCase(const std::string& line, Case& c)
{
    size_t arrow = line.find(" => ");
    if (arrow == std::string::npos)
        return false;
    c.text = line.substr(arrow + 4);
    std::istringstream fields(line.substr(0, arrow));
    std::string isa, levels;
    fields >> isa >> levels >> c.syntax >> std::hex >> c.address;
    c.arm = isa == "a32";
    std::istringstream names(levels);
    for (std::string name; std::getline(names, name, ',');) {
        const ArchitectureLevel level = architectureLevelFromName(name.c_str());
        if (level == ArchUnrestricted && name != "all" && name != "xscale")
            return false;
        c.levels.push_back({level, name == "xscale" ? 28 : 0});
    }
    for (uint32_t unit; fields >> unit;)
        c.units.push_back(unit);
    return (c.arm || isa == "thumb") && !c.units.empty() && !c.levels.empty() &&
           (c.syntax == "ual" || c.syntax == "legacy" || c.syntax == "both");
}

std::vector<Case> loadCases()
{
    std::string dir = std::string(MORVANE_TEST_DATA) + "/arm/cases";
    std::vector<std::string> files;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (std::string name = e->d_name; name.size() > 4 && name.substr(name.size() - 4) == ".txt")
                files.push_back(name);
        closedir(d);
    }
    std::sort(files.begin(), files.end());
    std::vector<Case> cases;
    for (const std::string& name : files) {
        std::ifstream in(dir + "/" + name);
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            if (line.empty() || line[0] == '#')
                continue;
            Case c;
            c.where = name + ":" + std::to_string(number);
            if (!parseCase(line, c))
                ADD_FAILURE() << c.where << ": cannot read case: " << line;
            else
                cases.push_back(c);
        }
    }
    return cases;
}

TEST(CaseTable, EveryCaseGivesItsText)
{
    std::vector<Case> cases = loadCases();
    EXPECT_FALSE(cases.empty());
    for (const Case& c : cases)
        for (auto [level, model] : c.levels)
            for (bool unified : {true, false}) {
                if ((unified && c.syntax == "legacy") || (!unified && c.syntax == "ual"))
                    continue;
                CaseDisassembler disassembler(level, model, unified);
                EXPECT_EQ(disassembler.run(c.arm, c.address, c.units), c.text)
                    << c.where << " level " << level << (unified ? " (unified)" : " (legacy)");
            }
}

TEST(CaseTable, LongTargetNamesAreCutToTheBuffer)
{
    CaseDisassembler disassembler(ArchUnrestricted, 0, true);
    const int size = ARMInstructionSetDisassembler::kTextSize;
    disassembler.targetName = std::string(3 * size, 'x');
    EXPECT_EQ(disassembler.run(true, 0x8000, {0xEA000000}), "b " + std::string(size - 3, 'x'));
    disassembler.targetName = "start";
    EXPECT_EQ(disassembler.run(false, 0x8000, {0xF000, 0xF800}), "bl start");
}

// The listing has no use for them yet, but every PC-relative word load records its target.
TEST(CaseTable, LiteralLoadsRecordTheirTargets)
{
    CaseDisassembler disassembler(ArchUnrestricted, 0, true);
    disassembler.run(true, 0x8000, {0xE59F0008, 0xE5D10001});   // ldr r0, [pc, #8]; ldrb is no word load
    disassembler.run(true, 0x9000, {0xE51F0010});               // ldr r0, [pc, #-16]
    disassembler.run(false, 0x8002, {0x4802, 0xF85F, 0x0008});  // ldr r0, [pc, #8]; ldr.w r0, [pc, #-8]
    EXPECT_EQ(disassembler.literalAddresses, (std::set<uint32_t>{0x8000, 0x800C, 0x8010, 0x8FF8}));
}

}  // namespace
