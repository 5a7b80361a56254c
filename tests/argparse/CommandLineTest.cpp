// The command line as the user meets it: messages, usage text and exit statuses of the
// built binary, including @file argument files.
#include "support/RunMorvane.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string usage =
    "usage: morvane [options] elffile [outputfile]\n"
    "\n"
    "  -arch=v4t|v5te|v6|v6m|v7m|v7em|v7a|v7r specify architecture for disassembly\n"
    "  -cmp elffile2  compare text sections of <elffile> with <elffile2>\n"
    "  -dwarf         show dwarf debugging information\n"
    "  -disassemble   disassemble\n"
    "  -header        show header\n"
    "  -mm            create register groups from globals\n"
    "  -programs      show programs\n"
    "  -sections      show sections\n"
    "  -symbols       show symbols\n"
    "  -setVFPflags   set Elf header to indicate VFP float format\n"
    "  -deTISection   change TI section to ARM\n"
    "  -relocations   show relocation sections\n"
    "  -ual           disassemble UAL\n"
    "  -ThumbSymbols  set bottom address of STT_FUNC symbols in .text section\n"
    "  -ARMAttributes display ARM attributes section\n"
    "  -ignoreDebugAranges do not .debug_aranges section\n";

std::string error(const std::string& message)
{
    return "morvane: error: " + message + "\n";
}

// Runs in a fresh directory holding `files`. An input that does not exist shows, through
// "cannot open", which name reached the input position.
struct Row {
    std::vector<std::string> args;
    std::vector<std::pair<std::string, std::string>> files;
    std::string err;
    int status;
    std::string created = "";      // an output file that must exist afterwards
    std::string notCreated = "";   // one that must not
    std::string program = "morvane";
};

TEST(CommandLine, MessagesUsageAndStatus)
{
    std::string tooMany;
    for (int i = 0; i < 257; ++i)
        tooMany += "a ";
    const Row rows[] = {
        {{}, {}, usage, 0},
        {{"-header"}, {}, usage, 1},
        {{"-cmp", "x.elf"}, {}, usage, 1},
        {{"-Header", "--header", "-", "-arch=v7m", "-header", "-header", "in.elf"}, {},
         error("unrecognised option -Header") + error("unrecognised option --header") +
             error("unrecognised option -") + error("unrecognised option -arch=v7m") + usage, 1},
        {{"-bad", "x"}, {}, "/some/dir/tool: error: unrecognised option -bad\n" + usage, 1, "", "", "/some/dir/tool"},
        {{"in.elf", "-cmp"}, {}, error("expected argument for option -cmp") + usage, 1},
        {{"in.elf", "-arch"}, {}, error("expected argument for option -arch") + usage, 1},
        // Option errors are judged before any file is touched.
        {{"-nope", "missing.elf", "out.txt"}, {}, error("unrecognised option -nope") + usage, 1, "", "out.txt"},
        {{"-arch", "v7m", "missing.elf", "out1.txt", "out2.txt"}, {}, "cannot open missing.elf\n", 1, "out2.txt", "out1.txt"},
        {{"@nothere.txt", "in.elf"}, {},
         error(std::string("can't open indirect file nothere.txt: ") + strerror(ENOENT)) + usage, 1},
        {{"@args.txt", "in.elf"}, {{"args.txt", "-header\n# comment\n-cmp \"unfinished name\n"}},
         error("unterminated string in indirect file args.txt(3)") + usage, 1},
        {{"@self.txt", "in.elf"}, {{"self.txt", "@self.txt\n"}}, error("too many indirect files") + usage, 1},
        {{"@outer.txt", "in.elf"}, {{"outer.txt", "-header @inner.txt\n"}, {"inner.txt", "-bogus\n-cmp\n"}},
         error("unrecognised option -bogus") + error("expected argument for option -cmp") + usage, 1},
        {{"@args.txt", "in.elf"}, {{"args.txt", tooMany + "\n"}},
         error("too many arguments in indirect file args.txt(1)") + usage, 1},
        // A line of 1023 characters fills the read buffer: the rest is line 2, the next line 3.
        {{"@args.txt", "in.elf"}, {{"args.txt", std::string(1019, ' ') + "-nop\"e\n\"x\n"}},
         error("unrecognised option -nop") + error("unterminated string in indirect file args.txt(2)") +
             error("unterminated string in indirect file args.txt(3)") + usage, 1},
        // The @file supplies the input and output names.
        {{"@args.txt"}, {{"args.txt", "  \"my input.elf\"   \"my out.txt\"  \n"}}, "cannot open my input.elf\n", 1, "my out.txt"},
        {{"@args.txt"}, {{"args.txt", "in.elf\r\n"}}, "cannot open in.elf\r\n", 1},
        {{"@args.txt"}, {{"args.txt", "# a comment\n  # x\n"}}, "cannot open #\n", 1, "x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.args));
        TempDir dir;
        for (const auto& file : row.files)
            dir.write(file.first, file.second);
        RunResult r = runMorvane(row.args, dir.path(), row.program);
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.err, row.err);
        EXPECT_EQ(r.out, "");
        if (!row.created.empty()) {
            EXPECT_TRUE(fileExists(dir.file(row.created)));
        }
        if (!row.notCreated.empty()) {
            EXPECT_FALSE(fileExists(dir.file(row.notCreated)));
        }
    }
}

} // namespace
