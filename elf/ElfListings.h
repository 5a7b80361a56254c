#pragma once
// Plain-text listings of the ELF structures: header, program headers, symbols, relocations.
// (Section headers print through ElfSection::print.)
#include "elf/ElfFile.h"
#include <cstdio>

void printElfHeader(const ElfFile& image, FILE* stream);
void printProgramHeader(const ElfProgram& program, FILE* stream);
void printSymbols(const ElfFile& image, FILE* stream);
void printRelocations(const ElfFile& image, FILE* stream);

const char* sectionTypeName(uint32_t type);
QString programTypeName(uint32_t type);
QString sectionFlagsText(uint32_t flags);
QString relocationTypeName(uint32_t type);
