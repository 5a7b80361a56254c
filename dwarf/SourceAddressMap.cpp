#include "dwarf/SourceAddressMap.h"

void printLineMap(const SourceAddressMap&, FILE* stream)
{
    fputs("Addresses:\n", stream);
    fputs("Sources:\n", stream);
}
