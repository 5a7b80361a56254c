#pragma once
// The input file's bytes, mapped copy-on-write where the file system allows it and read
// into one buffer where it does not. Either way the bytes stay until the process exits
// and may be changed in place: changes to a private mapping stay in this process's
// memory and never reach the file.
#include <cstdint>

struct InputFile {
    uint8_t* bytes;
    uint32_t length;    // below 2 GiB: the length is a signed 32-bit count
};

// Ends the run with status 1 and one line on standard error when the file cannot be
// opened ("cannot open %s"), is not a regular file, is 2 GiB or larger, or cannot be
// read completely.
InputFile openInputFile(const char* path);

// Gives back the memory of a part of the input the run is done with: the mapped pages
// that lie wholly inside it are dropped, to be read from the file again should they be
// touched again (without the changes made to them). An input read into memory keeps
// its pages.
void releaseInputPages(const uint8_t* start, uint32_t length);
