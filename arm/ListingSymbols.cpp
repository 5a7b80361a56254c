#include "arm/ListingSymbols.h"
#include "common/Text.h"
#include <algorithm>

ListingSymbols::ListingSymbols(const ElfFile& image)
{
    std::vector<const ElfSymbol*> sorted(image.symbolsByAddress.begin(),
                                         image.symbolsByAddress.end());
    // Entries sit in the symbol table in table order, so their addresses order ties.
    std::sort(sorted.begin(), sorted.end(), [](const ElfSymbol* a, const ElfSymbol* b) {
        return a->value() != b->value() ? a->value() < b->value() : a->entry < b->entry;
    });
    names.reserve(sorted.size());
    symbols.reserve(sorted.size());
    for (const ElfSymbol* symbol : sorted) {
        names.push_back(bytesFromText(symbol->name));
        const auto* arm = dynamic_cast<const ARMElfSymbol*>(symbol);
        symbols.push_back({symbol->value(), names.back().constData(),
                           arm ? arm->kind : ARMElfSymbol::Other,
                           (symbol->entry->st_info >> 4) == STB_GLOBAL});
    }
}

void ListingSymbols::at(uint32_t address, const ListingSymbol*& first,
                        const ListingSymbol*& last) const
{
    auto begin = std::lower_bound(symbols.begin(), symbols.end(), address,
                                  [](const ListingSymbol& s, uint32_t a) { return s.address < a; });
    auto end = begin;
    while (end != symbols.end() && end->address == address)
        ++end;
    first = symbols.data() + (begin - symbols.begin());
    last = symbols.data() + (end - symbols.begin());
}
