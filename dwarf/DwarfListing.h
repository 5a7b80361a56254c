#pragma once
// The -dwarf listing: reads the image's DWARF sections and prints every table.
#include "elf/ElfFile.h"
#include <cstdio>

class DwarfDebugInfo;

void printDwarf(const ElfFile& image, bool ignoreDebugAranges, FILE* stream);
// The listing of a loaded reader: "Line", "Frame", "Debugging Information", "Pubnames",
// "Pubtypes", "Aranges" and "Macros", each under its underlined heading.
void dump(DwarfDebugInfo& reader, FILE* stream);
