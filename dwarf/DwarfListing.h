#pragma once
// The -dwarf listing: reads the image's DWARF sections and prints every table.
#include "elf/ElfFile.h"
#include <cstdio>

void printDwarf(const ElfFile& image, bool ignoreDebugAranges, FILE* stream);
