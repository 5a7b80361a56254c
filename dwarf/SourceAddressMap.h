#pragma once
// The map between code addresses and source lines, filled from the line programs.
// The line-program decoder is not part of the reader yet, so the map stays empty.
#include <cstdio>

class SourceAddressMap {
public:
    virtual ~SourceAddressMap() = default;
};

// The "Line" body of the DWARF listing: the addresses, then the source files.
void printLineMap(const SourceAddressMap& map, FILE* stream);
