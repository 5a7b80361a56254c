// The option parser with an argument file: the input is the file's contents, read through
// an in-memory file, named by "@" on a command line that also has a few plain options.
#include "fuzz/FuzzSupport.h"

#include <cstdio>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {
int theArgumentFile = -1;
std::string theArgumentFileName;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    initialiseFuzzing();
    theArgumentFile = memfd_create("arguments", 0);
    theArgumentFileName = "@/proc/self/fd/" + std::to_string(theArgumentFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (theArgumentFile < 0 || ftruncate(theArgumentFile, 0) != 0 ||
        pwrite(theArgumentFile, data, size, 0) != ssize_t(size))
        return 0;
    const char* arguments[] = {"-header", theArgumentFileName.c_str(), "-arch", "v7M", "in.elf"};
    {
        DwarfDumpArgParse options;
        options.parse(5, arguments, 1);
    }
    releaseIndirectTokens();
    return 0;
}
