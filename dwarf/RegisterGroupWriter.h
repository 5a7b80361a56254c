#pragma once
// -mm: the register-group XML of one image. Every global in .data (names beginning "__"
// aside) becomes a register group that starts at the 32-bit value the global holds, with
// the registers of the global's DWARF type.
#include <cstdio>

class ElfFile;

void writeRegisterGroups(const ElfFile& image, FILE* stream, bool ignoreDebugAranges);
