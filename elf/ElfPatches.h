#pragma once
// The three in-memory patches of an image. They change the converted (host-order) fields
// of the model; the caller writes the image back with ElfFile::save.
#include "elf/ElfFile.h"

// e_flags becomes exactly 0x600: the VFP float format, every other bit cleared.
void setVFPFlags(ElfFile& image);
// Sections of type 0x7F000006 become SHT_ARM_ATTRIBUTES.
void retypeTISections(ElfFile& image);
// Sets bit 0 of the even values of STT_FUNC symbols defined in sections whose name
// begins with ".text". Only the symbol-table entries change, not the symbols' kinds or
// addresses in the model.
void markThumbSymbols(ElfFile& image);
