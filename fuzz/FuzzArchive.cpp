// The ar walk: symbol index, long names and every member through the ELF listings.
#include "fuzz/FuzzSupport.h"
#include "main/ArchiveReader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    initialiseFuzzing();
    DwarfDumpArgParse& options = fuzzOptions();
    options.header = options.sections = options.symbols = true;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    uint8_t* buffer = copyInput(data, size);
    try {
        if (ArchiveReader::isArchive(buffer, uint32_t(size)))
            ArchiveReader(fuzzOptions(), buffer, uint32_t(size)).run();
    } catch (const FuzzStop&) {
    }
    delete[] buffer;
    return 0;
}
