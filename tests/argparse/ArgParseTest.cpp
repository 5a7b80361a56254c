// The parser run in-process, for what the binary cannot show: Joined options, handlers,
// passes, where values land, line splitting limits and the nesting limit of @files.
// Messages, usage text and exit statuses are checked on the binary in tests/main.
#include "argparse/ArgParse.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>

namespace {

// A parser with one option of every kind, two nested Joined names, a handler and an
// option of pass 2; state() shows every field it sets.
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
    void positionalArgument(const char* argument) override { positional += std::string(argument) + ","; }
    void handle(const char* name, const char* value) { handled += std::string(name) + "=" + value + ","; }
    std::string state() const
    {
        auto text = [](const char* value) { return value ? "'" + std::string(value) + "'" : std::string("-"); };
        return "f" + std::to_string(flag) + " n" + text(next) + " D" + text(joinedShort) + " Dx" + text(joinedLong) +
               " two" + std::to_string(second) + text(secondValue) + " h:" + handled + " p:" + positional;
    }

    bool flag = false, second = false;
    const char *next = nullptr, *joinedShort = nullptr, *joinedLong = nullptr, *secondValue = nullptr;
    std::string positional, handled;
};

// Diagnostics go to a memory stream; errors() returns what came since the last call.
class Parser : public ::testing::Test {
protected:
    Parser() : stream(open_memstream(&buffer, &size)), reporter("prog", stream) { theErrorReporter = &reporter; }
    ~Parser() override
    {
        theErrorReporter = nullptr;
        fclose(stream);
        free(buffer);
    }
    std::string errors()
    {
        fflush(stream);
        std::string fresh(buffer + seen, size - seen);
        seen = size;
        return fresh;
    }
    std::string at(const std::string& name, const std::string& contents) { return "@" + dir.write(name, contents); }

    char* buffer = nullptr;
    size_t size = 0, seen = 0;
    FILE* stream;
    ErrorReporter reporter;
    TempDir dir;
};

TEST_F(Parser, OptionKindsHandlersPassesAndIndirectFiles)
{
    const std::string missingValue = "prog: error: expected argument for option -n\n";
    std::string inner = at("inner", "-n\n-D1 \"a value\"\n");   // a missing value ends only its line
    std::string outer = at("outer", "# comment -f\n  # b\n\n" + inner + " -f\n");
    std::string self = at("self", "x\n@" + dir.file("self") + "\n");
    std::string hundred;   // one "x" per open file
    for (int i = 0; i < 100; ++i)
        hundred += "x,";
    const struct { std::vector<const char*> args; uint32_t pass; std::string state, errors; } rows[] = {
        // A value that looks like an option is still the value; the longer of two nested
        // Joined names wins; "-x", the value of a pass-2 option, is consumed.
        {{"a", nullptr, "-f", "-n", "-f", "-Dabc", "-Dxyz", "-h", "v1", "-h", "v2", "-two", "-x", "b"}, 1,
         "f1 n'-f' D'abc' Dx'yz' two0- h:-h=v1,-h=v2, p:a,b,", ""},
        {{"-D"}, 1, "f0 n- D'' Dx- two0- h: p:", ""},
        // Pass-1 options and positional arguments are ignored in pass 2.
        {{"-D", "x", "-two", "v", "-f", "-n"}, 2, "f0 n- D- Dx- two1'v' h: p:", missingValue},
        {{"first", outer.c_str(), "last"}, 1, "f1 n- D'1' Dx- two0- h: p:first,#,b,a value,last,", missingValue},
        {{self.c_str()}, 1, "f0 n- D- Dx- two0- h: p:" + hundred, "prog: error: too many indirect files\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.state);
        TestParser p;
        p.parse(int(row.args.size()), row.args.data(), row.pass);
        EXPECT_EQ(p.state(), row.state);
        EXPECT_EQ(errors(), row.errors);
    }
    EXPECT_EQ(reporter.errorCount, 3u);
    releaseIndirectTokens();
    releaseIndirectTokens();   // the tokens are gone: nothing is freed twice
}

TEST_F(Parser, SplitLine)
{
    std::string full;   // exactly as many tokens as fit
    std::vector<std::string> fullTokens;
    for (int i = 0; i < 256; ++i) {
        fullTokens.push_back("t" + std::to_string(i));
        full += fullTokens.back() + " ";
    }
    struct Row { std::string line; std::vector<std::string> tokens; std::string errors; };
    const Row rows[] = {
        {"  a\tb  c   \n", {"a\tb", "c"}, ""},   // tabs are token characters, no empty tokens
        {"   \n", {}, ""},
        {"", {}, ""},
        {"-cmp \"my file.elf\" \"\" x\"y\n", {"-cmp", "my file.elf", "", "x\"y"}, ""},
        {"\"a b\"c\n", {"a b", "c"}, ""},       // scanning resumes after the closing quote
        {"a \"b c\n", {}, "prog: error: unterminated string in indirect file f.txt(7)\n"},
        {full + "\n", fullTokens, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line.substr(0, 40));
        TestParser p;
        const char* tokens[ArgParse::maxTokensPerLine];
        int count = p.splitLine("f.txt", 7, row.line.c_str(), tokens);
        EXPECT_EQ(std::vector<std::string>(tokens, tokens + count), row.tokens);
        EXPECT_EQ(errors(), row.errors);
    }
}

} // namespace
