#pragma once
// The ARM build-attributes listing: the attributes of the first vendor subsection of
// ".ARM.attributes", one "name value" line each, when that vendor is "aeabi".
#include "elf/ElfFile.h"

#include <cstdio>

// Prints the attributes to `stream`. Returns false when an attribute runs past the end of
// its subsection or of the section contents: the listing stops before that attribute.
bool printARMAttributes(const ElfFile& image, FILE* stream);
