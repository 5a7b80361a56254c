// The tool's option set, run in-process: every option reaches its field, values and
// positional arguments land where they should.
#include "argparse/DwarfDumpArgParse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ToolOptions : public ::testing::Test {
protected:
    void SetUp() override
    {
        stream = tmpfile();
        reporter = new ErrorReporter("morvane", stream);
        theErrorReporter = reporter;
        options = new DwarfDumpArgParse;
    }
    void TearDown() override
    {
        delete options;
        theErrorReporter = nullptr;
        delete reporter;
        fclose(stream);
    }
    void parse(std::vector<const char*> args) { options->parse(int(args.size()), args.data(), 1); }

    FILE* stream = nullptr;
    ErrorReporter* reporter = nullptr;
    DwarfDumpArgParse* options = nullptr;
};

TEST_F(ToolOptions, EverythingOffAtStart)
{
    const DwarfDumpArgParse& o = *options;
    for (bool flag : {o.header, o.programs, o.sections, o.symbols, o.dwarf, o.setVFPflags,
                      o.deTISection, o.relocations, o.mm, o.disassemble, o.ual, o.thumbSymbols,
                      o.armAttributes, o.ignoreDebugAranges})
        EXPECT_FALSE(flag);
    EXPECT_TRUE(o.inputFile.isEmpty());
    EXPECT_TRUE(o.outputFile.isEmpty());
    EXPECT_EQ(o.cmpFile, nullptr);
    EXPECT_EQ(o.arch, nullptr);
}

TEST_F(ToolOptions, EachFlagSetsItsOwnField)
{
    struct Case { const char* option; bool DwarfDumpArgParse::*field; };
    const Case cases[] = {
        {"-header", &DwarfDumpArgParse::header},
        {"-programs", &DwarfDumpArgParse::programs},
        {"-sections", &DwarfDumpArgParse::sections},
        {"-symbols", &DwarfDumpArgParse::symbols},
        {"-dwarf", &DwarfDumpArgParse::dwarf},
        {"-setVFPflags", &DwarfDumpArgParse::setVFPflags},
        {"-deTISection", &DwarfDumpArgParse::deTISection},
        {"-relocations", &DwarfDumpArgParse::relocations},
        {"-mm", &DwarfDumpArgParse::mm},
        {"-disassemble", &DwarfDumpArgParse::disassemble},
        {"-ual", &DwarfDumpArgParse::ual},
        {"-ThumbSymbols", &DwarfDumpArgParse::thumbSymbols},
        {"-ARMAttributes", &DwarfDumpArgParse::armAttributes},
        {"-ignoreDebugAranges", &DwarfDumpArgParse::ignoreDebugAranges},
    };
    for (const Case& c : cases) {
        DwarfDumpArgParse fresh;
        const char* args[] = {c.option};
        fresh.parse(1, args, 1);
        int set = 0;
        for (const Case& other : cases)
            set += fresh.*other.field;
        EXPECT_TRUE(fresh.*c.field) << c.option;
        EXPECT_EQ(set, 1) << c.option;
    }
    EXPECT_EQ(reporter->errorCount, 0u);
}

TEST_F(ToolOptions, ValuesOfCmpAndArch)
{
    parse({"-arch", "v7m", "-cmp", "other.elf", "in.elf"});
    EXPECT_STREQ(options->arch, "v7m");
    EXPECT_STREQ(options->cmpFile, "other.elf");
    EXPECT_EQ(options->inputFile, "in.elf");
}

TEST_F(ToolOptions, CmpTakesAnOptionAsItsValue)
{
    parse({"-cmp", "-header"});
    EXPECT_STREQ(options->cmpFile, "-header");
    EXPECT_FALSE(options->header);
    EXPECT_EQ(reporter->errorCount, 0u);
}

TEST_F(ToolOptions, ArchJoinedWithEqualsIsUnrecognised)
{
    parse({"-arch=v7m"});
    EXPECT_EQ(options->arch, nullptr);
    EXPECT_EQ(reporter->errorCount, 1u);
}

TEST_F(ToolOptions, ThirdPositionalReplacesTheSecond)
{
    parse({"a.elf", "out1.txt", "out2.txt"});
    EXPECT_EQ(options->inputFile, "a.elf");
    EXPECT_EQ(options->outputFile, "out2.txt");
}

TEST_F(ToolOptions, PathsKeepEveryByte)
{
    parse({"caf\xe9.elf"});
    EXPECT_EQ(options->inputFile.toLatin1(), QByteArray("caf\xe9.elf"));
}

TEST_F(ToolOptions, RepeatedFlagIsHarmless)
{
    parse({"-header", "-header"});
    EXPECT_TRUE(options->header);
    EXPECT_EQ(reporter->errorCount, 0u);
}

} // namespace
