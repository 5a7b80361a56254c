// The generic parser, run in-process: option kinds, passes, handlers, the option table
// order, and indirect files.
#include "argparse/ArgParse.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Captures the reporter's output in a temporary file.
class ReporterFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        stream = tmpfile();
        reporter = new ErrorReporter("prog", stream);
        theErrorReporter = reporter;
    }
    void TearDown() override
    {
        theErrorReporter = nullptr;
        delete reporter;
        fclose(stream);
    }
    std::string errors()
    {
        fflush(stream);
        std::string text;
        rewind(stream);
        int c;
        while ((c = fgetc(stream)) != EOF)
            text += char(c);
        return text;
    }

    FILE* stream = nullptr;
    ErrorReporter* reporter = nullptr;
    TempDir dir;
};

// A parser with one option of every kind, two nested Joined names, a handler and an
// option of another pass.
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
    void parseStrings(std::vector<const char*> args, uint32_t pass = 1)
    {
        parse(int(args.size()), args.data(), pass);
    }
    std::vector<std::string> optionOrder() const
    {
        std::vector<std::string> names;
        for (const auto& entry : options)
            names.push_back(entry.first);
        return names;
    }

    bool flag = false;
    bool second = false;
    const char* next = nullptr;
    const char* joinedShort = nullptr;
    const char* joinedLong = nullptr;
    const char* secondValue = nullptr;
    std::vector<std::string> positional;
    std::vector<std::string> handled;
};

using ArgParseKinds = ReporterFixture;

TEST_F(ArgParseKinds, TableIteratesGreatestNameFirst)
{
    TestParser p;
    EXPECT_EQ(p.optionOrder(), (std::vector<std::string>{"-two", "-n", "-h", "-f", "-Dx", "-D"}));
}

TEST_F(ArgParseKinds, FlagNextArgumentAndPositional)
{
    TestParser p;
    p.parseStrings({"a", "-f", "-n", "value", "b"});
    EXPECT_TRUE(p.flag);
    EXPECT_STREQ(p.next, "value");
    EXPECT_EQ(p.positional, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(reporter->errorCount, 0u);
    EXPECT_EQ(errors(), "");
}

TEST_F(ArgParseKinds, NextArgumentTakesAnOptionLookingValue)
{
    TestParser p;
    p.parseStrings({"-n", "-f"});
    EXPECT_STREQ(p.next, "-f");
    EXPECT_FALSE(p.flag);
}

TEST_F(ArgParseKinds, MissingValueEndsTheParseCall)
{
    TestParser p;
    p.parseStrings({"x", "-n"});
    EXPECT_EQ(errors(), "prog: error: expected argument for option -n\n");
    EXPECT_EQ(reporter->errorCount, 1u);
    EXPECT_EQ(p.next, nullptr);
}

TEST_F(ArgParseKinds, JoinedTakesTheRestLongerPrefixFirst)
{
    TestParser p;
    p.parseStrings({"-Dabc", "-Dxyz", "-D"});
    EXPECT_STREQ(p.joinedLong, "yz");
    EXPECT_STREQ(p.joinedShort, "");   // exact match of the name: empty value
    TestParser q;
    q.parseStrings({"-Dabc"});
    EXPECT_STREQ(q.joinedShort, "abc");
    EXPECT_EQ(q.joinedLong, nullptr);
}

TEST_F(ArgParseKinds, HandlerGetsNameAndValue)
{
    TestParser p;
    p.parseStrings({"-h", "v1", "-h", "v2"});
    EXPECT_EQ(p.handled, (std::vector<std::string>{"-h=v1", "-h=v2"}));
}

TEST_F(ArgParseKinds, OtherPassIgnoredButValueConsumed)
{
    TestParser p;
    p.parseStrings({"-two", "pos", "-n", "x"}, 1);
    EXPECT_FALSE(p.second);
    EXPECT_EQ(p.secondValue, nullptr);
    EXPECT_TRUE(p.positional.empty());
    EXPECT_STREQ(p.next, "x");         // -n belongs to pass 1
    EXPECT_EQ(reporter->errorCount, 0u);

    TestParser q;
    q.parseStrings({"-two", "v", "pos", "-f"}, 2);
    EXPECT_TRUE(q.second);
    EXPECT_STREQ(q.secondValue, "v");
    EXPECT_TRUE(q.positional.empty());   // positional arguments only in pass 1
    EXPECT_FALSE(q.flag);
}

TEST_F(ArgParseKinds, NullEntriesSkippedUnknownOptionsCounted)
{
    TestParser p;
    p.parseStrings({nullptr, "-F", "--f", "-", "-f"});
    EXPECT_TRUE(p.flag);
    EXPECT_EQ(errors(), "prog: error: unrecognised option -F\n"
                        "prog: error: unrecognised option --f\n"
                        "prog: error: unrecognised option -\n");
    EXPECT_EQ(reporter->errorCount, 3u);
}

// ---- splitLine ---------------------------------------------------------------------

class SplitLine : public ReporterFixture {
protected:
    std::vector<std::string> split(const char* line, int expectedCount = -1)
    {
        TestParser p;
        const char* tokens[ArgParse::maxTokensPerLine];
        int count = p.splitLine("f.txt", 7, line, tokens);
        if (expectedCount >= 0) {
            EXPECT_EQ(count, expectedCount);
        }
        return std::vector<std::string>(tokens, tokens + count);
    }
};

TEST_F(SplitLine, SpacesSeparateTabsDoNot)
{
    EXPECT_EQ(split("  a\tb  c   \n"), (std::vector<std::string>{"a\tb", "c"}));
    EXPECT_EQ(split("   \n", 0), std::vector<std::string>{});
    EXPECT_EQ(split("", 0), std::vector<std::string>{});
}

TEST_F(SplitLine, QuotesKeepSpacesAndMayBeEmpty)
{
    EXPECT_EQ(split("-cmp \"my file.elf\" \"\" x\"y\n"),
              (std::vector<std::string>{"-cmp", "my file.elf", "", "x\"y"}));
    // Scanning resumes right after the closing quote.
    EXPECT_EQ(split("\"a b\"c\n"), (std::vector<std::string>{"a b", "c"}));
}

TEST_F(SplitLine, CarriageReturnIsATokenCharacter)
{
    EXPECT_EQ(split("a b\r\n"), (std::vector<std::string>{"a", "b\r"}));
}

TEST_F(SplitLine, UnterminatedQuoteDropsTheLine)
{
    EXPECT_EQ(split("a \"b c\n", 0), std::vector<std::string>{});
    EXPECT_EQ(errors(), "prog: error: unterminated string in indirect file f.txt(7)\n");
}

TEST_F(SplitLine, At256TokensTheLineIsFullBeyondItIsRejected)
{
    std::string line;
    for (int i = 0; i < 256; ++i)
        line += "t" + std::to_string(i) + " ";
    std::vector<std::string> tokens = split(line.c_str(), 256);
    EXPECT_EQ(tokens.back(), "t255");
    EXPECT_EQ(reporter->errorCount, 0u);
    line += "one-more";
    split(line.c_str(), 0);
    EXPECT_EQ(errors(), "prog: error: too many arguments in indirect file f.txt(7)\n");
}

// ---- readIndirectFile ----------------------------------------------------------------

using IndirectFile = ReporterFixture;

TEST_F(IndirectFile, OptionsAndPositionalsAtThePlaceOfTheAtArgument)
{
    std::string path = dir.write("args", "# a comment -f\n-n \"a value\"\n  # b\n\n");
    TestParser p;
    std::string at = "@" + path;
    p.parseStrings({"first", at.c_str(), "last"});
    EXPECT_STREQ(p.next, "a value");
    EXPECT_FALSE(p.flag);
    EXPECT_EQ(p.positional, (std::vector<std::string>{"first", "#", "b", "last"}));
    EXPECT_EQ(reporter->errorCount, 0u);
}

TEST_F(IndirectFile, MissingFileReportsTheSystemError)
{
    TestParser p;
    std::string missing = dir.file("missing");
    std::string at = "@" + missing;
    p.parseStrings({at.c_str()});
    EXPECT_EQ(errors(), "prog: error: can't open indirect file " + missing + ": " + strerror(ENOENT) + "\n");
    EXPECT_EQ(reporter->errorCount, 1u);
}

TEST_F(IndirectFile, SelfReferenceStopsAfterOneHundredFiles)
{
    std::string path = dir.file("self");
    dir.write("self", "x\n@" + path + "\n");
    TestParser p;
    std::string at = "@" + path;
    p.parseStrings({at.c_str()});
    EXPECT_EQ(errors(), "prog: error: too many indirect files\n");
    EXPECT_EQ(reporter->errorCount, 1u);
    EXPECT_EQ(p.positional.size(), 100u);   // one "x" per open file
}

TEST_F(IndirectFile, LongLinesArriveInPiecesCountedAsLines)
{
    // 1023 characters fill the buffer; the rest of the line is a second piece, line 2,
    // and the next real line is line 3.
    std::string first = "-n " + std::string(1020, 'a');
    std::string path = dir.write("long", first + "tail \"open\n\"unterminated\n");
    TestParser p;
    std::string at = "@" + path;
    p.parseStrings({at.c_str()});
    EXPECT_EQ(std::string(p.next), std::string(1020, 'a'));
    EXPECT_EQ(p.positional, (std::vector<std::string>{}));
    EXPECT_EQ(errors(), "prog: error: unterminated string in indirect file " + path + "(2)\n"
                        "prog: error: unterminated string in indirect file " + path + "(3)\n");
}

TEST_F(IndirectFile, MissingValueEndsOnlyThatLine)
{
    std::string path = dir.write("lines", "-n\n-f\n");
    TestParser p;
    std::string at = "@" + path;
    p.parseStrings({at.c_str(), "after"});
    EXPECT_TRUE(p.flag);
    EXPECT_EQ(p.positional, (std::vector<std::string>{"after"}));
    EXPECT_EQ(errors(), "prog: error: expected argument for option -n\n");
}

TEST_F(IndirectFile, NestedFilesAndAValueSpanningNoLines)
{
    std::string inner = dir.write("inner", "-f inner-pos\n");
    std::string outer = dir.write("outer", "@" + inner + " outer-pos\n");
    TestParser p;
    std::string at = "@" + outer;
    p.parseStrings({at.c_str()});
    EXPECT_TRUE(p.flag);
    EXPECT_EQ(p.positional, (std::vector<std::string>{"inner-pos", "outer-pos"}));
}

} // namespace
