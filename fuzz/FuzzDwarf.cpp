// The DWARF reader with the whole -dwarf listing and the register-group XML. The last
// byte chooses whether .debug_aranges is ignored, so fixtures seed the image unchanged.
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    initialiseFuzzing();
    DwarfDumpArgParse& options = fuzzOptions();
    options.dwarf = options.mm = true;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    fuzzOptions().ignoreDebugAranges = data[size - 1] & 1;
    dumpCopy(data, size);
    return 0;
}
