#include "argparse/ArgParse.h"

#include "common/Text.h"

#include <cerrno>
#include <string>
#include <vector>

namespace {

// Token texts from indirect files: option values keep pointers into them until the
// process ends, so they are never released and stay reachable from here.
std::vector<char*>* theTokenStorage = new std::vector<char*>;

const char* keepToken(const char* start, size_t length)
{
    char* token = new char[length + 1];
    memcpy(token, start, length);
    token[length] = 0;
    theTokenStorage->push_back(token);
    return token;
}

} // namespace

void releaseIndirectTokens()
{
    for (char* token : *theTokenStorage)
        delete[] token;
    theTokenStorage->clear();
}

namespace {

bool endsLine(char c)
{
    return c == 0 || c == '\n';
}

} // namespace

ArgParse::ArgParse() : reporter(theErrorReporter) {}

ArgParse::~ArgParse() = default;

void ArgParse::positionalArgument(const char*) {}

FILE* ArgParse::error()
{
    ++reporter->errorCount;
    fprintf(reporter->stream, "%s: error: ", bytesFromText(reporter->programName).constData());
    return reporter->stream;
}

void ArgParse::report(const char* message, const char* detail)
{
    FILE* stream = error();
    fprintf(stream, "%s%s\n", message, detail);
    fflush(stream);
}

ArgParse::Option& ArgParse::optionEntry(const char* name)
{
    Option& option = options[name];
    option.name = name;
    return option;
}

void ArgParse::addOption(const char* name, Kind kind, bool* flagTarget, const char** stringTarget,
                         uint32_t pass)
{
    Option& option = optionEntry(name);
    option.kind = kind;
    option.flagTarget = flagTarget;
    option.stringTarget = stringTarget;
    option.pass = pass;
}

void ArgParse::addOption(const char* name, Kind kind, Handler handler, uint32_t pass)
{
    Option& option = optionEntry(name);
    option.kind = kind;
    option.hasHandler = true;
    option.handler = handler;
    option.pass = pass;
}

const ArgParse::Option* ArgParse::findJoined(const char* argument) const
{
    for (const auto& entry : options) {
        const Option& option = entry.second;
        if (option.kind == Joined && strncmp(argument, option.name, strlen(option.name)) == 0)
            return &option;
    }
    return nullptr;
}

void ArgParse::apply(const Option& option, const char* value, uint32_t pass)
{
    if (option.pass != pass)
        return;
    if (option.hasHandler) {
        (this->*option.handler)(option.name, value);
        return;
    }
    if (option.flagTarget)
        *option.flagTarget = true;
    if (option.stringTarget)
        *option.stringTarget = value;
}

void ArgParse::parse(int count, const char* const* arguments, uint32_t pass)
{
    for (int i = 0; i < count; ++i) {
        const char* argument = arguments[i];
        if (!argument)
            continue;
        auto exact = options.find(argument);
        if (exact != options.end()) {
            const Option& option = exact->second;
            const char* value = nullptr;
            if (option.kind == NextArgument) {
                if (i + 1 == count) {
                    report("expected argument for option ", argument);
                    return;
                }
                value = arguments[++i];
            } else if (option.kind == Joined) {
                value = argument + strlen(option.name);
            }
            apply(option, value, pass);
        } else if (const Option* joined = findJoined(argument)) {
            apply(*joined, argument + strlen(joined->name), pass);
        } else if (argument[0] == '@') {
            readIndirectFile(argument + 1, pass);
        } else if (argument[0] == '-') {
            report("unrecognised option ", argument);
        } else if (pass == 1) {
            positionalArgument(argument);
        }
    }
}

void ArgParse::readIndirectFile(const char* name, uint32_t pass)
{
    if (indirectDepth == maxIndirectDepth) {
        report("too many indirect files");
        return;
    }
    FILE* file = fopen(name, "r");
    if (!file) {
        std::string detail = std::string(name) + ": " + strerror(errno);
        report("can't open indirect file ", detail.c_str());
        return;
    }
    ++indirectDepth;
    char line[lineBufferSize];
    uint32_t lineNumber = 0;
    // A line longer than the buffer arrives in pieces; each piece counts as a line.
    while (fgets(line, sizeof line, file)) {
        ++lineNumber;
        if (line[0] == '#')
            continue;
        const char* tokens[maxTokensPerLine];
        int count = splitLine(name, lineNumber, line, tokens);
        if (count > 0)
            parse(count, tokens, pass);
    }
    fclose(file);
    --indirectDepth;
}

int ArgParse::splitLine(const char* fileName, uint32_t lineNumber, const char* line,
                        const char** tokens)
{
    std::string where = std::string(fileName) + "(" + std::to_string(lineNumber) + ")";
    int count = 0;
    const char* p = line;
    for (;;) {
        while (*p == ' ')
            ++p;
        if (endsLine(*p))
            return count;
        if (count == maxTokensPerLine) {
            report("too many arguments in indirect file ", where.c_str());
            return 0;
        }
        const char* start = p;
        if (*p == '"') {
            start = ++p;
            while (*p != '"' && !endsLine(*p))
                ++p;
            if (*p != '"') {
                report("unterminated string in indirect file ", where.c_str());
                return 0;
            }
            tokens[count++] = keepToken(start, size_t(p - start));
            ++p;
        } else {
            while (*p != ' ' && !endsLine(*p))
                ++p;
            tokens[count++] = keepToken(start, size_t(p - start));
        }
    }
}
