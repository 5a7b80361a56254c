#include "arm/DisassemblyListing.h"

void printDisassembly(const ElfFile&, const char*, bool unified, FILE* stream)
{
    if (unified)
        fputs("\t.syntax unified\n", stream);
}
