#pragma once
// Compares the code sections (SHT_PROGBITS with SHF_EXECINSTR) of an image with the
// sections of the same names in a second ELF file.
#include "elf/ElfFile.h"

#include <QString>
#include <cstdio>

// Loads `secondPath` (throws HException when that fails) and checks, in section-index
// order, that every code section of `image` has a namesake there with the same address,
// size and contents. At the first section that differs it writes what differs to
// `messages` (every differing halfword for contents) and returns false.
bool compareSections(const ElfFile& image, const QString& secondPath, FILE* messages);
