#pragma once
// Reads the whole input file into one buffer allocated with new[].
#include <cstdint>

struct InputFile {
    uint8_t* bytes;
    uint32_t length;    // below 2 GiB: the length is a signed 32-bit count
};

// Ends the run with status 1 and one line on standard error when the file cannot be
// opened ("cannot open %s"), is not a regular file, is 2 GiB or larger, or cannot be
// read completely.
InputFile readInputFile(const char* path);
