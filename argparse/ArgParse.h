#pragma once
// A small command-line parser: options registered by name with a kind and a target,
// positional arguments handed to a virtual operation, and "@file" arguments that read
// further arguments from a text file (nested up to 100 files deep).
//
// Errors are printed through the process-wide ErrorReporter as
// "<program>: error: <message>" and counted; the parser never ends the process.
#include "common/ErrorReporter.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>

class ArgParse {
public:
    enum Kind : uint32_t {
        Flag = 0,           // no value
        NextArgument = 1,   // the value is the following argument
        Joined = 2          // the value is the rest of the same argument
    };
    typedef void (ArgParse::*Handler)(const char* name, const char* value);

    struct Option {
        const char* name = nullptr;         // includes the leading '-'; static lifetime
        uint32_t kind = Flag;
        bool hasHandler = false;
        Handler handler = nullptr;
        const char** stringTarget = nullptr;
        bool* flagTarget = nullptr;
        uint32_t pass = 1;                  // takes effect only in parse() calls of this pass
    };

    // Byte-wise comparison, greatest name first: a longer Joined name is tried before
    // a shorter one that is its prefix.
    struct DescendingNames {
        bool operator()(const char* a, const char* b) const { return strcmp(a, b) > 0; }
    };

    static const uint32_t maxIndirectDepth = 100;
    static const int maxTokensPerLine = 256;
    static const int lineBufferSize = 1024;

    ArgParse();
    virtual ~ArgParse();
    // Called in pass 1 for every argument that is not an option.
    virtual void positionalArgument(const char* argument);
    // Counts one error and returns the diagnostics stream with "<program>: error: " written.
    virtual FILE* error();

    // Processes `count` arguments in order. Values stored into targets point into
    // `arguments` (or into token storage that lives until the process ends).
    void parse(int count, const char* const* arguments, uint32_t pass);
    // Reads arguments line by line from `name`; lines beginning with '#' are comments.
    void readIndirectFile(const char* name, uint32_t pass);
    // Splits one line into at most maxTokensPerLine tokens; returns the number stored,
    // or 0 when the line is rejected (unterminated quote, too many tokens).
    int splitLine(const char* fileName, uint32_t lineNumber, const char* line, const char** tokens);

protected:
    void addOption(const char* name, Kind kind, bool* flagTarget, const char** stringTarget,
                   uint32_t pass = 1);
    void addOption(const char* name, Kind kind, Handler handler, uint32_t pass = 1);

    std::map<const char*, Option, DescendingNames> options;
    uint32_t indirectDepth = 0;
    ErrorReporter* reporter;

private:
    Option& optionEntry(const char* name);
    const Option* findJoined(const char* argument) const;
    void apply(const Option& option, const char* value, uint32_t pass);
    void report(const char* message, const char* detail = "");
};

// Frees the token texts read from indirect files. Only for a process that parses many
// command lines (the fuzz targets), once no option value points into them any more.
void releaseIndirectTokens();
