// The symbol side of the image model: reading ".symtab", names and demangling, the
// ARM code kinds, the sorted lists and the lookups by address.
#include "elf/ElfFile.h"

#include "common/Text.h"
#include "elf/HostOrder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#define HAVE_DECL_BASENAME 1
#include <libiberty/demangle.h>

namespace {

const uint32_t symbolEntrySize = 16;

// A name as bytes: into the string table, or into a demangled copy.
struct NameBytes {
    const char* bytes;
    size_t length;
};


bool isMangled(NameBytes name)
{
    const char* n = name.bytes;
    return (name.length >= 2 && n[0] == '_' && n[1] == 'Z')
        || (name.length >= 3 && n[0] == '_' && n[1] == '_' && n[2] == 'Z');
}

struct FreeDeleter {
    void operator()(char* text) const { free(text); }
};
using DemangledText = std::unique_ptr<char, FreeDeleter>;

// libiberty offers GNU v3 demangling only (its ARM/cfront scheme is gone), so images
// linked by ADS are demangled the same way. Null when the name does not demangle.
// `terminated`: the name's NUL lies inside its section, so it can be used in place.
DemangledText demangled(NameBytes name, bool terminated)
{
    const int options = DMGL_PARAMS | DMGL_TYPES | DMGL_GNU_V3;
    if (terminated)
        return DemangledText(cplus_demangle(name.bytes, options));
    // Cut by the end of its section: demangle a terminated copy.
    std::string copy(name.bytes, name.length);
    return DemangledText(cplus_demangle(copy.c_str(), options));
}

// Unnamed symbols, mapping symbols ($a, $t, $d...) and local labels (.L...).
bool isOtherSymbolName(NameBytes name)
{
    const char* n = name.bytes;
    return name.length == 0 || n[0] == '$' || (name.length >= 2 && n[0] == '.' && n[1] == 'L');
}

// Mapping symbols make up much of an ARM symbol table; their names share one text each.
QString nameText(NameBytes name, NameStorage& storage)
{
    static const QString mappingNames[] = {QStringLiteral("$a"), QStringLiteral("$t"), QStringLiteral("$d")};
    if (name.length == 2 && name.bytes[0] == '$')
        for (const QString& mapping : mappingNames)
            if (mapping[1] == QLatin1Char(name.bytes[1]))
                return mapping;
    return storage.add(name.bytes, name.length);
}

bool byValue(const ElfSymbol* a, const ElfSymbol* b)
{
    return a->value() < b->value();
}

} // namespace

ARMElfSymbol::ARMElfSymbol(ElfFile* file, ElfSymbolEntry* entry, const QString& name)
    : ElfSymbol(entry, name)
{
    uint32_t type = entry->st_info & 15;
    uint32_t value = entry->st_value;
    if (type == STT_FUNC && (value & 1)) {
        kind = Thumb;
        value &= ~1u;
    } else if (type == STT_FUNC) {
        kind = Arm;
    } else if (type == 13 || type == 15) {
        kind = Thumb;
    } else {
        kind = Other;
    }
    address = file->translateAddress(value);
}

void ElfFile::loadSymbols()
{
    ElfSection* table = getSection(QStringLiteral(".symtab"));
    if (!table || !table->data)
        return;
    // Entries are 16 bytes apart whatever sh_entsize says; it only sets the count.
    // A zero sh_entsize counts 16-byte entries, and no count reaches past the contents.
    uint32_t entrySize = table->header->sh_entsize ? uint32_t(table->header->sh_entsize) : symbolEntrySize;
    uint32_t count = std::min(table->header->sh_size / entrySize, table->availableSize() / symbolEntrySize);
    symbolEntries = table->data;
    symbolEntryCount = count;
    if (!buildSymbolLists) {
        for (uint32_t i = 0; i < count; ++i) {
            symbolToHost(reinterpret_cast<ElfSymbolEntry*>(table->data + i * symbolEntrySize), bigEndian);
            // The names are not read, but a ".strtab" that is no string table (perhaps
            // only since an overlapping entry was converted) fails the load all the same.
            size_t length = 0;
            rawSymbolName(0, length);
        }
        return;
    }
    if (useARMSymbols)
        armSymbolPool.reserve(count);
    else
        elfSymbolPool.reserve(count);

    std::vector<SymbolKey> named;
    std::vector<DemangledText> demangledNames;   // owns the bytes `named` points to
    const char* stringsEnd = stringTable ? reinterpret_cast<const char*>(stringTable->data)
            + stringTable->availableSize() : nullptr;
    named.reserve(count);
    otherSymbols.reserve(count);
    // Names mostly come straight from .strtab: its size is a good first guess.
    symbolNames.expect(stringTable ? stringTable->availableSize() : 0);
    for (uint32_t i = 0; i < count; ++i) {
        auto* entry = reinterpret_cast<ElfSymbolEntry*>(table->data + i * symbolEntrySize);
        symbolToHost(entry, bigEndian);
        NameBytes name;
        name.bytes = rawSymbolName(entry->st_name, name.length);
        if (demangleNames && isMangled(name)) {
            if (DemangledText text = demangled(name, name.bytes + name.length < stringsEnd)) {
                name = {text.get(), strlen(text.get())};
                demangledNames.push_back(std::move(text));
            }
        }
        ElfSymbol* symbol = createSymbol(entry, nameText(name, symbolNames));
        if (isOtherSymbolName(name))
            otherSymbols.push_back(symbol);
        else
            named.push_back({name.bytes, uint32_t(name.length), i});
    }
    sortSymbols(named);
}

void ElfFile::sortSymbols(std::vector<SymbolKey>& named)
{
    // Sorting on plain keys: no virtual calls and no text objects in the comparisons.
    // Unsigned byte order is, for Latin-1 texts, the order of their character codes.
    std::sort(named.begin(), named.end(), [](const SymbolKey& a, const SymbolKey& b) {
        int order = memcmp(a.bytes, b.bytes, std::min(a.length, b.length));
        return order != 0 ? order < 0 : a.length < b.length;
    });
    std::vector<std::pair<uint32_t, uint32_t>> addressed;   // value, index in table order
    symbolsByName.reserve(named.size());
    for (const SymbolKey& n : named) {
        ElfSymbol* symbol = pooledSymbol(n.index);
        symbolsByName.push_back(symbol);
        if (sectionByIndex(symbol->entry->st_shndx))
            addressed.emplace_back(symbol->value(), n.index);
    }
    std::sort(addressed.begin(), addressed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    symbolsByAddress.reserve(addressed.size());
    for (const auto& a : addressed)
        symbolsByAddress.push_back(pooledSymbol(a.second));
}

ElfSymbol* ElfFile::createSymbol(ElfSymbolEntry* entry, const QString& name)
{
    if (useARMSymbols) {
        armSymbolPool.emplace_back(this, entry, name);
        return &armSymbolPool.back();
    }
    elfSymbolPool.emplace_back(entry, name);
    return &elfSymbolPool.back();
}

ElfSymbol* ElfFile::pooledSymbol(uint32_t index)
{
    if (useARMSymbols)
        return &armSymbolPool[index];
    return &elfSymbolPool[index];
}

const char* ElfFile::rawSymbolName(uint32_t offset, size_t& length) const
{
    // Without a .strtab the symbols have no names (and so are not listed).
    if (!stringTable) {
        length = 0;
        return "";
    }
    return stringBytes(stringTable, offset, length);
}

const ElfSymbolEntry* ElfFile::symbolEntry(uint32_t index) const
{
    if (index >= symbolEntryCount)
        return nullptr;
    return reinterpret_cast<const ElfSymbolEntry*>(symbolEntries + index * symbolEntrySize);
}

ElfSymbol* ElfFile::symbolAtOrBefore(uint32_t address) const
{
    auto first = std::lower_bound(symbolsByAddress.begin(), symbolsByAddress.end(), address,
                                  [](const ElfSymbol* s, uint32_t a) { return s->value() < a; });
    if (first != symbolsByAddress.end() && (*first)->value() == address)
        return *first;
    if (first == symbolsByAddress.begin())
        return nullptr;
    return *(first - 1);
}

bool ElfFile::symbolsAt(uint32_t address, std::vector<ElfSymbol*>& list) const
{
    ElfSymbol* found = symbolAtOrBefore(address);
    if (!found)
        return false;
    auto range = std::equal_range(symbolsByAddress.begin(), symbolsByAddress.end(), found, byValue);
    list.insert(list.end(), range.first, range.second);
    return true;
}
