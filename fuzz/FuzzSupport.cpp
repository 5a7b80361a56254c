#include "fuzz/FuzzSupport.h"

#include "common/ErrorReporter.h"
#include "common/OutputStream.h"
#include "dump/DumpImage.h"
#include "dump/Fatal.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

[[noreturn]] void stopInput()
{
    throw FuzzStop();
}

} // namespace

void initialiseFuzzing()
{
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    setOutputStream(stdout);
    FILE* nullStream = fopen("/dev/null", "w");
    theErrorReporter = new ErrorReporter(QStringLiteral("morvane"), nullStream ? nullStream : stderr);
    setFatalHandler(stopInput);
}

DwarfDumpArgParse& fuzzOptions()
{
    static DwarfDumpArgParse* options = new DwarfDumpArgParse;
    return *options;
}

uint8_t* copyInput(const uint8_t* data, size_t size)
{
    uint8_t* copy = new uint8_t[size ? size : 1];
    if (size)
        memcpy(copy, data, size);
    return copy;
}

void dumpCopy(const uint8_t* data, size_t size)
{
    // The model changes the bytes in place, and the fuzzer's own input must stay as it is.
    uint8_t* copy = copyInput(data, size);
    try {
        dumpImage(fuzzOptions(), copy, uint32_t(size));
    } catch (const FuzzStop&) {
    }
    delete[] copy;
    fflush(stdout);
}
