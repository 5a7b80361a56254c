#include "dwarf/DwarfListing.h"

void printDwarf(const ElfFile&, bool, FILE*)
{
}
