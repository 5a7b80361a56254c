// The command line as the user meets it: messages, usage text and exit statuses of the
// built binary, including @file argument files.
#include "support/RunMorvane.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

const std::string usageText =
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

// Runs with the arguments and expects the given error lines, the usage text, status 1.
void expectOptionErrors(const std::vector<std::string>& args, const std::string& errors,
                        const std::string& directory = "")
{
    RunResult r = runMorvane(args, directory);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, errors + usageText);
    EXPECT_EQ(r.out, "");
}

TEST(CommandLine, NoArgumentsPrintsUsageAndSucceeds)
{
    RunResult r = runMorvane({});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, usageText);
    EXPECT_EQ(r.out, "");
}

TEST(CommandLine, NoInputFileIsAnError)
{
    expectOptionErrors({"-header"}, "");
    expectOptionErrors({"-cmp", "x.elf"}, "");
}

TEST(CommandLine, UnrecognisedOptionsAreEachReported)
{
    expectOptionErrors({"-Header", "--header", "-arch=v7m", "in.elf"},
                       "morvane: error: unrecognised option -Header\n"
                       "morvane: error: unrecognised option --header\n"
                       "morvane: error: unrecognised option -arch=v7m\n");
}

TEST(CommandLine, ProgramNameAsInvoked)
{
    RunResult r = runMorvane({"-bad", "x"}, "", "/some/dir/tool");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "/some/dir/tool: error: unrecognised option -bad\n" + usageText);
}

TEST(CommandLine, MissingOptionValue)
{
    expectOptionErrors({"in.elf", "-cmp"}, "morvane: error: expected argument for option -cmp\n");
    expectOptionErrors({"in.elf", "-arch"}, "morvane: error: expected argument for option -arch\n");
}

TEST(CommandLine, ErrorsAreJudgedBeforeTheInputIsOpened)
{
    TempDir dir;
    RunResult r = runMorvane({"-nope", "missing.elf", "out.txt"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "morvane: error: unrecognised option -nope\n" + usageText);
    EXPECT_FALSE(fileExists(dir.file("out.txt")));
}

TEST(CommandLine, IndirectFileMissing)
{
    TempDir dir;
    expectOptionErrors({"@nothere.txt", "in.elf"},
                       std::string("morvane: error: can't open indirect file nothere.txt: ") +
                           strerror(ENOENT) + "\n",
                       dir.path());
}

TEST(CommandLine, IndirectFileUnterminatedStringNamesFileAndLine)
{
    TempDir dir;
    dir.write("args.txt", "-header\n# comment\n-cmp \"unfinished name\n");
    expectOptionErrors({"@args.txt", "in.elf"},
                       "morvane: error: unterminated string in indirect file args.txt(3)\n",
                       dir.path());
}

TEST(CommandLine, IndirectFileNamingItselfFailsOnce)
{
    TempDir dir;
    dir.write("self.txt", "@self.txt\n");
    expectOptionErrors({"@self.txt", "in.elf"}, "morvane: error: too many indirect files\n",
                       dir.path());
}

TEST(CommandLine, IndirectFileErrorsInsideNestedFiles)
{
    TempDir dir;
    dir.write("outer.txt", "-header @inner.txt\n");
    dir.write("inner.txt", "-bogus\n-cmp\n");
    expectOptionErrors({"@outer.txt", "in.elf"},
                       "morvane: error: unrecognised option -bogus\n"
                       "morvane: error: expected argument for option -cmp\n",
                       dir.path());
}

// The argument file is the whole command line and names an input that does not exist, so
// the "cannot open" message shows the input name exactly as the file gave it.
void expectInputNameFromFile(const std::string& contents, const std::string& inputName,
                             const std::string& outputName = "")
{
    TempDir dir;
    dir.write("args.txt", contents);
    RunResult r = runMorvane({"@args.txt"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "cannot open " + inputName + "\n");
    if (!outputName.empty()) {
        EXPECT_TRUE(fileExists(dir.file(outputName))) << outputName;
    }
}

TEST(CommandLine, IndirectFileSuppliesTheInputAndOutputNames)
{
    expectInputNameFromFile("  \"my input.elf\"   \"my out.txt\"  \n", "my input.elf", "my out.txt");
}

TEST(CommandLine, IndirectFileCarriageReturnStaysInTheLastToken)
{
    expectInputNameFromFile("in.elf\r\n", "in.elf\r");
}

TEST(CommandLine, IndirectFileIndentedHashIsAnArgument)
{
    // "  # x" yields the positional arguments "#" and "x": input "#", output "x".
    expectInputNameFromFile("# a real comment\n  # x\n", "#", "x");
}

TEST(CommandLine, IndirectFileWithTooManyTokensOnALine)
{
    TempDir dir;
    std::string line;
    for (int i = 0; i < 257; ++i)
        line += "a ";
    dir.write("args.txt", line + "\n");
    expectOptionErrors({"@args.txt", "in.elf"},
                       "morvane: error: too many arguments in indirect file args.txt(1)\n",
                       dir.path());
}

} // namespace
