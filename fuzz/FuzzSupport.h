#pragma once
// What every fuzz target shares: listings go to a null sink, the error reporter exists, and
// an error that would end the run unwinds back to the target instead.
#include "argparse/DwarfDumpArgParse.h"
#include <cstddef>
#include <cstdint>

struct FuzzStop {};

// Once per process: standard output to /dev/null (the listings and the diagnostics that the
// DWARF reader prints there), the listing stream to standard output, fatal errors throw
// FuzzStop. Standard error stays, for the sanitizer reports.
void initialiseFuzzing();

// The options the targets share, every listing switched off.
DwarfDumpArgParse& fuzzOptions();

// A copy of the input allocated with new[]: the model converts its tables in place.
uint8_t* copyInput(const uint8_t* data, size_t size);

// Runs the dump sequence over a copy of the input; a fatal error ends only this input.
void dumpCopy(const uint8_t* data, size_t size);
