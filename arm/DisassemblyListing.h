#pragma once
// The -disassemble listing: every executable PROGBITS section as assembler source.
#include "arm/ARMInstructionSetDecoder.h"
#include "elf/ElfFile.h"
#include <cstdio>

// `arch` is the -arch text or null; `unified` is -ual.
void printDisassembly(const ElfFile& image, const char* arch, bool unified, FILE* stream);

// The level an -arch text selects; unknown texts (and null) select 0.
ArchitectureLevel architectureLevelFromName(const char* arch);
