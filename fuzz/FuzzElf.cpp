// Image load and every ELF listing (header, programs, sections, symbols, attributes,
// relocations); then, on a second model of the same bytes, the three patches in memory,
// the listings of the patched model and the comparison of its code sections with the
// input, read back through an in-memory file.
#include "common/HException.h"
#include "elf/ElfFile.h"
#include "elf/ElfListings.h"
#include "elf/ElfPatches.h"
#include "elf/SectionComparison.h"
#include "fuzz/FuzzSupport.h"

#include <cstdio>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {
int theSecondImage = -1;
QString theSecondImagePath;
FILE* theNullStream = nullptr;

void patchAndCompare(const uint8_t* data, size_t size)
{
    ElfFile image(true, true);
    try {
        image.loadImage(copyInput(data, size), uint32_t(size));
    } catch (const HException&) {
        return;
    }
    setVFPFlags(image);
    retypeTISections(image);
    markThumbSymbols(image);
    printElfHeader(image, theNullStream);
    printSymbols(image, theNullStream);
    if (theSecondImage < 0 || ftruncate(theSecondImage, 0) != 0 ||
        pwrite(theSecondImage, data, size, 0) != ssize_t(size))
        return;
    try {
        compareSections(image, theSecondImagePath, theNullStream);
    } catch (const HException&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    initialiseFuzzing();
    DwarfDumpArgParse& options = fuzzOptions();
    options.header = options.programs = options.sections = options.symbols = true;
    options.relocations = options.armAttributes = true;
    theSecondImage = memfd_create("second-image", 0);
    theSecondImagePath = QString::fromStdString("/proc/self/fd/" + std::to_string(theSecondImage));
    theNullStream = fopen("/dev/null", "w");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    dumpCopy(data, size);
    patchAndCompare(data, size);
    return 0;
}
