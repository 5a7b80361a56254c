// The parser run in-process, for what the binary cannot show: Joined options, handlers,
// passes, where values land, line splitting limits and the nesting limit of @files.
// Messages, usage text and exit statuses are checked on the binary in CommandLineTest.
#include "argparse/DwarfDumpArgParse.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// A parser with one option of every kind, two nested Joined names, a handler and an
// option of pass 2.
class TestParser : public ArgParse {
public:
    TestParser()
    {
        addOption("-f", Flag, &flag, nullptr);
        addOption("-n", NextArgument, nullptr, &next);
        addOption("-D", Joined, nullptr, &joinedShort);
        addOption("-Dx", Joined, nullptr, &joinedLong);
        addOption("-h", NextArgument, static_cast<Handler>(&TestParser::handle));
        addOption("-two", NextArgument, &second, &secondValue, 2);
    }
    void positionalArgument(const char* argument) override { positional.push_back(argument); }
    void handle(const char* name, const char* value) { handled.push_back(std::string(name) + "=" + value); }
    void run(std::vector<const char*> args, uint32_t pass = 1) { parse(int(args.size()), args.data(), pass); }
    int split(const char* line, const char** tokens) { return splitLine("f.txt", 7, line, tokens); }

    bool flag = false, second = false;
    const char *next = nullptr, *joinedShort = nullptr, *joinedLong = nullptr, *secondValue = nullptr;
    Strings positional, handled;
};

// Diagnostics go to a temporary file; errors() returns them and starts a fresh one.
class Parser : public ::testing::Test {
protected:
    Parser() : stream(tmpfile()), reporter("prog", stream) { theErrorReporter = &reporter; }
    ~Parser() override
    {
        theErrorReporter = nullptr;
        fclose(stream);
    }
    std::string errors()
    {
        fflush(stream);
        rewind(stream);
        std::string text;
        for (int c; (c = fgetc(stream)) != EOF;)
            text += char(c);
        fclose(stream);
        reporter.stream = stream = tmpfile();
        return text;
    }
    std::string at(const std::string& name, const std::string& contents) { return "@" + dir.write(name, contents); }

    FILE* stream;
    ErrorReporter reporter;
    TempDir dir;
};

TEST_F(Parser, OptionKindsHandlersPassesAndNulls)
{
    TestParser p;
    p.run({"a", nullptr, "-f", "-n", "-f", "-Dabc", "-Dxyz", "-h", "v1", "-h", "v2", "-two", "-x", "b"});
    EXPECT_TRUE(p.flag);
    EXPECT_STREQ(p.next, "-f");          // a value that looks like an option is still the value
    EXPECT_STREQ(p.joinedShort, "abc");
    EXPECT_STREQ(p.joinedLong, "yz");    // the longer of two nested names wins
    EXPECT_EQ(p.handled, (Strings{"-h=v1", "-h=v2"}));
    EXPECT_EQ(p.positional, (Strings{"a", "b"}));   // "-x", the value of a pass-2 option, consumed
    EXPECT_EQ(p.secondValue, nullptr);
    p.run({"-D"});
    EXPECT_STREQ(p.joinedShort, "");           // the bare name: empty value
    TestParser q;
    q.run({"-D", "x", "-two", "v", "-f", "-n"}, 2);
    EXPECT_EQ(q.joinedShort, nullptr);      // pass-1 options ignored in pass 2...
    EXPECT_FALSE(q.flag);
    EXPECT_TRUE(q.positional.empty());         // ...and so are positional arguments
    EXPECT_STREQ(q.secondValue, "v");
    EXPECT_EQ(q.next, nullptr);
    EXPECT_EQ(errors(), "prog: error: expected argument for option -n\n");
    EXPECT_EQ(reporter.errorCount, 1u);
}

TEST_F(Parser, SplitLine)
{
    struct Row { std::string line; Strings tokens; std::string errors; };
    const Row rows[] = {
        {"  a\tb  c   \n", {"a\tb", "c"}, ""},   // tabs are token characters, no empty tokens
        {"   \n", {}, ""},
        {"", {}, ""},
        {"-cmp \"my file.elf\" \"\" x\"y\n", {"-cmp", "my file.elf", "", "x\"y"}, ""},
        {"\"a b\"c\n", {"a b", "c"}, ""},       // scanning resumes after the closing quote
        {"a \"b c\n", {}, "prog: error: unterminated string in indirect file f.txt(7)\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line.substr(0, 40));
        TestParser p;
        const char* tokens[ArgParse::maxTokensPerLine];
        int count = p.split(row.line.c_str(), tokens);
        EXPECT_EQ(Strings(tokens, tokens + count), row.tokens);
        EXPECT_EQ(errors(), row.errors);
    }
    std::string full;   // exactly as many tokens as fit
    for (int i = 0; i < 256; ++i)
        full += "t" + std::to_string(i) + " ";
    TestParser p;
    const char* tokens[ArgParse::maxTokensPerLine];
    ASSERT_EQ(p.split(full.c_str(), tokens), 256);
    EXPECT_STREQ(tokens[255], "t255");
}

TEST_F(Parser, IndirectFilesAtThePlaceOfTheAtArgument)
{
    std::string inner = at("inner", "-n\n-D1 \"a value\"\n");   // a missing value ends only its line
    std::string outer = at("outer", "# comment -f\n  # b\n\n" + inner + " -f\n");
    TestParser p;
    p.run({"first", outer.c_str(), "last"});
    EXPECT_TRUE(p.flag);
    EXPECT_STREQ(p.joinedShort, "1");
    EXPECT_EQ(p.positional, (Strings{"first", "#", "b", "a value", "last"}));
    EXPECT_EQ(errors(), "prog: error: expected argument for option -n\n");
}

TEST_F(Parser, SelfReferenceStopsAtOneHundredOpenFiles)
{
    std::string self = "@" + dir.file("self");
    dir.write("self", "x\n" + self + "\n");
    TestParser p;
    p.run({self.c_str()});
    EXPECT_EQ(p.positional.size(), 100u);   // one "x" per open file
    EXPECT_EQ(errors(), "prog: error: too many indirect files\n");
}

// ---- the tool's option set --------------------------------------------------------------

TEST_F(Parser, EachToolFlagSetsOnlyItsOwnField)
{
    using D = DwarfDumpArgParse;
    const std::pair<const char*, bool D::*> flags[] = {
        {"-header", &D::header}, {"-programs", &D::programs}, {"-sections", &D::sections},
        {"-symbols", &D::symbols}, {"-dwarf", &D::dwarf}, {"-setVFPflags", &D::setVFPflags},
        {"-deTISection", &D::deTISection}, {"-relocations", &D::relocations}, {"-mm", &D::mm},
        {"-disassemble", &D::disassemble}, {"-ual", &D::ual}, {"-ThumbSymbols", &D::thumbSymbols},
        {"-ARMAttributes", &D::armAttributes}, {"-ignoreDebugAranges", &D::ignoreDebugAranges},
    };
    for (const auto& flag : flags) {
        SCOPED_TRACE(flag.first);
        D options;
        const char* args[] = {flag.first, flag.first};   // repeating is harmless
        options.parse(2, args, 1);
        int set = 0;
        for (const auto& other : flags)
            set += options.*other.second;
        EXPECT_TRUE(options.*flag.second);
        EXPECT_EQ(set, 1);
        EXPECT_EQ(options.cmpFile, nullptr);
        EXPECT_EQ(options.arch, nullptr);
    }
    EXPECT_EQ(reporter.errorCount, 0u);
}

TEST_F(Parser, ToolValuesAndPositionals)
{
    DwarfDumpArgParse options;
    const char* args[] = {"-arch", "v7m", "-cmp", "-header", "caf\xe9.elf", "out1", "out2"};
    options.parse(7, args, 1);
    EXPECT_STREQ(options.arch, "v7m");
    EXPECT_STREQ(options.cmpFile, "-header");
    EXPECT_FALSE(options.header);
    EXPECT_EQ(options.inputFile.toLatin1(), QByteArray("caf\xe9.elf"));   // every byte kept
    EXPECT_EQ(options.outputFile, "out2");
    EXPECT_EQ(reporter.errorCount, 0u);
}

} // namespace
