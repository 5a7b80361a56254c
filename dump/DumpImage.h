#pragma once
// The image dump sequence: builds the image model over one ELF image and runs every
// requested listing, comparison and patch in a fixed order, whatever the order of the
// options on the command line.
#include "argparse/DwarfDumpArgParse.h"

#include <cstdint>

// Builds the model in place over `image`, which the caller keeps until the process exits
// (the input file's mapping or buffer); the model changes those bytes. `memberName` is
// the archive member's name, or null for a plain ELF input file; patches refuse to write
// an archive member back over the archive. Errors end the run (status 1).
void dumpImage(const DwarfDumpArgParse& options, uint8_t* image, uint32_t length,
               const char* memberName = nullptr);
