// Assemble -> list -> re-assemble round trips, one per row of tests/data/arm/roundtrips.txt
// (the row format is described there): each source is assembled by arm-none-eabi-as (and
// linked at 0x8000 for images), listed by morvane -disassemble, and the listing is
// assembled (and linked) again with the same options; the .text bytes must be identical.
//
// The listing is re-assembled as printed, with three kinds of line rewritten first:
// - units that the assembler's $d mapping symbols mark as data (literal pools, tables)
//   become .byte lines of the original bytes: their instruction text is not meant to
//   assemble back;
// - the texts in `exceptions` below, which do not come back byte for byte by design, and
//   "undefined opcode" right after a label whose name starts with "undefined" (a source
//   that holds an undecodable encoding on purpose says so), become .inst lines of the
//   original encoding (.inst keeps counting as an instruction of an IT block, where
//   .byte would end it); any other "undefined opcode" outside data fails;
// - an ARM function that follows Thumb code gets ".arm" before its label: the listing
//   switches back to ARM at such a label without printing a directive.
// Further encodings that cannot come back are kept out of the sources; the A32 ones:
// - a zero offset with U clear ([r1, #-0] with a base other than pc) and a post-indexed
//   zero offset print as "[r1]", which assembles with U set and pre-indexing;
// - LDM/STM of a single register on sp with writeback print as "pop {r4}"/"push {r4}",
//   which the assembler encodes as LDR/STR;
// - ISB with an option other than sy prints "isb" alone;
// - ADR whose target has no symbol prints an address the assembler cannot reach from
//   another section offset in an object file;
// - in legacy syntax the Thumb "nop" becomes "mov r8, r8".
#include "support/RunMorvane.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <elf.h>
#include <fstream>
#include <map>
#include <sstream>

namespace {

// Instruction texts that start with the first part and contain the second.
const char* const exceptions[][2] = {
    // The VFP immediate move prints its encoded 8-bit value, unified syntax reads a
    // floating-point value there.
    {"vmov", ", #"},
    // The legacy compare-with-zero names take no second operand.
    {"fcmp", ", #0"},
};

struct Row {
    std::string source, mode, march, fpu, arch, syntaxes, forms, golden;
    bool has(const std::string& form) const { return ("," + forms + ",").find("," + form + ",") != std::string::npos; }
};

void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.source << " " << row.mode << " -march=" << row.march << " -arch " << row.arch;
}

std::vector<Row> readRows()
{
    std::ifstream file(std::string(MORVANE_TEST_DATA) + "/arm/roundtrips.txt");
    std::vector<Row> rows;
    std::string line;
    Row row;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        if (fields >> row.source >> row.mode >> row.march >> row.fpu >> row.arch >> row.syntaxes >> row.forms
            && row.source[0] != '#')
            rows.push_back(row), fields >> rows.back().golden;
    }
    return rows;
}

// One .text as assembled: its bytes and address, the function symbols' values (bit 0 set
// for Thumb) and the [start, end) ranges that $d mapping symbols mark as data.
struct Original {
    std::string text;
    uint32_t base;
    std::map<std::string, uint32_t> functions;
    std::vector<std::pair<uint32_t, uint32_t>> data;
};


// One row's round trips in a temporary directory.
struct RoundTrip {
    const Row& row;
    TempDir dir;

    // Assembles `source` into `name`.o and, unless `ld` is null, links it into `name`.elf
    // with the options `ld` (big-endian when they hold -EB).
    void build(const std::string& source, const std::string& name, const char* ld)
    {
        std::string command = "arm-none-eabi-as -march=" + row.march + (row.fpu == "-" ? "" : " -mfpu=" + row.fpu)
                              + (row.mode == "thumb" ? " -mthumb" : "") + (ld && strstr(ld, "-EB") ? " -EB " : " ")
                              + source + " -o " + name + ".o";
        if (ld)
            command += std::string(" && arm-none-eabi-ld ") + ld + " -Ttext=0x8000 -e 0x8000 " + name + ".o -o "
                       + name + ".elf";
        RunResult r = runTool(command, dir.path());
        ASSERT_EQ(r.status, 0) << command << "\n" << r.err;
    }

    std::string textOf(const std::string& file)
    {
        RunResult r = runTool("arm-none-eabi-objcopy -O binary -j .text " + file + " text.bin", dir.path());
        EXPECT_EQ(r.status, 0) << r.err;
        return readFileText(dir.file("text.bin"));
    }

    Original original(const std::string& file, uint32_t base)
    {
        RunResult r = runTool("arm-none-eabi-readelf -sW " + file, dir.path());
        EXPECT_EQ(r.status, 0) << r.err;
        Original result{textOf(file), base, {}, {}};
        std::istringstream lines(r.out);
        std::string line, number, value, size, type, bind, visibility, index, name;
        std::vector<std::pair<uint32_t, char>> marks;
        while (std::getline(lines, line)) {
            std::istringstream fields(line);
            if (!(fields >> number >> value >> size >> type >> bind >> visibility >> index >> name)
                || !isdigit(uint8_t(number[0])))
                continue;
            const uint32_t address = uint32_t(std::stoul(value, nullptr, 16));
            if (type == "FUNC")
                result.functions[name] = address;
            else if (name == "$a" || name == "$t" || name == "$d")
                marks.push_back({address, name[1]});
        }
        std::sort(marks.begin(), marks.end());
        marks.push_back({base + uint32_t(result.text.size()), 'e'});   // the end
        for (size_t i = 0; i + 1 < marks.size(); ++i)
            if (marks[i].second == 'd')
                result.data.push_back({marks[i].first, marks[i + 1].first});
        return result;
    }

    std::string listing(const std::string& file, bool unified)
    {
        std::vector<std::string> args = {"-disassemble", dir.file(file)};
        if (unified)
            args.insert(args.begin() + 1, "-ual");
        if (row.arch != "-")
            args.insert(args.begin() + 1, {"-arch", row.arch});
        RunResult r = runMorvane(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.rfind("\t.syntax unified\n", 0), unified ? 0 : std::string::npos) << file;
        return r.out;
    }

    std::string rewrite(const std::string& listed, const Original& before)
    {
        const std::string& text = before.text;
        // On v4T, v5TE and v6 only BL/BLX prefixes start a 32-bit Thumb unit.
        const bool pairsOnly = row.arch == "v4T" || row.arch == "v5TE" || row.arch == "v6";
        auto half = [&](size_t at) { return unsigned(uint8_t(text[at]) | uint8_t(text[at + 1]) << 8); };
        std::istringstream lines(listed);
        std::string line, result;
        size_t offset = 0;
        bool thumb = false, undefinedHere = false;
        char directive[80];
        while (std::getline(lines, line)) {
            EXPECT_NE(line, "\t") << "an instruction line without text after 0x" << std::hex << offset;
            auto function = before.functions.find(line.substr(0, line.size() - 1));
            if (!line.empty() && line.back() == ':' && function != before.functions.end()) {
                if (thumb && !(function->second & 1))
                    result += "\t.arm\n";
                thumb = function->second & 1;
            }
            if (line.rfind("undefined", 0) == 0)
                undefinedHere = true;
            if (line.size() < 2 || line[0] != '\t' || line[1] == '.' || offset >= text.size()) {
                result += line + "\n";
                continue;
            }
            const unsigned first = offset + 2 <= text.size() ? half(offset) : 0;
            size_t size = !thumb ? 4 : (pairsOnly ? first >> 11 == 0x1E : first >> 11 >= 0x1D) ? 4 : 2;
            size = std::min(size, text.size() - offset);
            const uint32_t address = before.base + uint32_t(offset);
            bool data = false, exception = line == "\tundefined opcode" && undefinedHere;
            undefinedHere = false;
            for (const auto& range : before.data)
                data |= range.first < address + size && address < range.second;
            for (const auto& e : exceptions)
                exception |= line.compare(1, strlen(e[0]), e[0]) == 0 && line.find(e[1]) != std::string::npos;
            EXPECT_TRUE(data || exception || line != "\tundefined opcode") << "at 0x" << std::hex << address;
            if (data) {
                result += "\t.byte ";
                for (size_t i = 0; i < size; ++i)
                    result += (i ? ", " : "") + std::to_string(uint8_t(text[offset + i]));
            } else if (exception) {
                snprintf(directive, sizeof directive,
                         !thumb ? "\t.inst 0x%08X" : size == 4 ? "\t.inst.w 0x%04X%04X" : "\t.inst.n 0x%04X",
                         !thumb ? half(offset) | half(offset + 2) << 16 : half(offset), half(offset + 2));
                result += directive;
            } else {
                result += line;
            }
            result += "\n";
            offset += size;
        }
        return result;
    }

    // Lists `file` in the row's syntaxes, re-assembles each listing and compares the code.
    void check(const std::string& file, const char* ld)
    {
        const Original before = original(file, ld ? 0x8000 : 0);
        ASSERT_GT(before.text.size(), 16u) << file;
        for (bool unified : {true, false}) {
            if (row.syntaxes == (unified ? "legacy" : "ual"))
                continue;
            SCOPED_TRACE(file + (unified ? " unified" : " legacy"));
            const std::string name = file + (unified ? ".ual" : ".legacy");
            dir.write(name + ".s", rewrite(listing(file, unified), before));
            build(name + ".s", name, ld);
            const std::string after = textOf(name + (ld ? ".elf" : ".o"));
            const auto difference = std::mismatch(after.begin(), after.end(), before.text.begin(), before.text.end());
            EXPECT_TRUE(before.text == after) << "first difference at offset 0x" << std::hex
                                              << difference.first - after.begin();
        }
    }

    void run()
    {
        const std::string source = std::string(MORVANE_TEST_DATA) + "/" + row.source;
        if (row.has("o") || row.has("e"))
            build(source, "orig", "");
        if (row.has("o"))
            check("orig.o", nullptr);
        if (row.has("e"))
            check("orig.elf", "");
        if (!row.golden.empty()) {
            EXPECT_EQ(listing("orig.elf", true), readFileText(std::string(MORVANE_TEST_DATA) + "/" + row.golden));
        }
        if (!row.has("be8"))
            return;
        // BE8 stores instructions little-endian and data big-endian; the same object linked as
        // BE32 lists the same, and a relocatable object is BE32 whatever its flags say.
        build(source, "be32", "-EB");
        build(source, "be8", "-EB --be8");
        EXPECT_NE(readFileText(dir.file("be32.elf")), readFileText(dir.file("be8.elf")));
        for (bool unified : {true, false})
            EXPECT_EQ(listing("be8.elf", unified), listing("be32.elf", unified));
        std::vector<uint8_t> flagged = readFileBytes(dir.file("be8.o"));
        flagged.at(offsetof(Elf32_Ehdr, e_flags) + 1) |= EF_ARM_BE8 >> 16;   // big-endian field
        dir.write("flagged.o", flagged);
        EXPECT_EQ(listing("flagged.o", true), listing("be8.o", true));
        check("be8.elf", "-EB --be8");
    }
};

class RoundTripRow : public ::testing::TestWithParam<Row> {};

} // namespace

TEST_P(RoundTripRow, ListingAssemblesBackToTheSameCode)
{
    RoundTrip{GetParam(), {}}.run();
}

INSTANTIATE_TEST_SUITE_P(Sources, RoundTripRow, ::testing::ValuesIn(readRows()));
