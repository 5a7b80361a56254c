#pragma once
// The image's labelled symbols prepared once for the listing: address order (symbol-table
// order among equal addresses), names already as bytes, so that looking up the symbols at
// an instruction or branch target costs one binary search and no allocation.
#include "elf/ElfFile.h"
#include <QByteArray>
#include <cstdint>
#include <vector>

struct ListingSymbol {
    uint32_t address;
    const char* name;           // NUL-terminated, owned by ListingSymbols
    ARMElfSymbol::Kind kind;
    bool global;                // binding STB_GLOBAL
};

class ListingSymbols {
public:
    explicit ListingSymbols(const ElfFile& image);
    ListingSymbols(const ListingSymbols&) = delete;
    ListingSymbols& operator=(const ListingSymbols&) = delete;

    // The symbols whose address equals `address`: [first, last); empty when none.
    void at(uint32_t address, const ListingSymbol*& first, const ListingSymbol*& last) const;

private:
    std::vector<QByteArray> names;
    std::vector<ListingSymbol> symbols;
};
