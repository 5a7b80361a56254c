// Image load and every ELF listing: header, programs, sections, symbols, attributes,
// relocations.
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    initialiseFuzzing();
    DwarfDumpArgParse& options = fuzzOptions();
    options.header = options.programs = options.sections = options.symbols = true;
    options.relocations = options.armAttributes = true;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    dumpCopy(data, size);
    return 0;
}
