#include "dwarf/DwarfCompilationUnit.h"
#include "common/ByteOrder.h"
#include "common/Leb128.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfDebuggingInformationSubprogram.h"
#include "dwarf/DwarfDebuggingInformationVariable.h"
#include "dwarf/DwarfHexDump.h"
#include "dwarf/DwarfWarning.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
// The demangler's header declares basename() unless told that <cstring> did.
#define HAVE_DECL_BASENAME 1
#include <libiberty/demangle.h>

namespace {

// Versions 2 to 4: length (4), version (2), abbreviation offset (4), address size (1).
const uint32_t unitHeaderSize = 11;

// Version 5: length (4), version (2), unit type (1), address size (1), abbreviation offset
// (4), then by unit type a unit id (8), or a type signature (8) and type offset (4).
uint32_t version5HeaderSize(uint32_t unitType)
{
    switch (unitType) {
    case DW_UT_compile:
    case DW_UT_partial: return 12;
    case DW_UT_skeleton:
    case DW_UT_split_compile: return 20;
    case DW_UT_type:
    case DW_UT_split_type: return 24;
    default: return 0;
    }
}

// Reading a tree resolves names through references that may read another unit's tree, and
// so on: damaged data can chain thousands of units, each level deeper on the stack. Beyond
// this many trees in progress a further one is left unread for now (references into it
// find nothing there); it is read when next needed from outside.
const uint32_t maximumNestedTreeReads = 16;

// Tags whose defining entries go into the named-entries index.
bool isNamedTag(uint32_t tag)
{
    switch (tag) {
    case DW_TAG_class_type:
    case DW_TAG_structure_type:
    case DW_TAG_typedef:
    case DW_TAG_union_type:
    case DW_TAG_base_type:
    case DW_TAG_subprogram:
    case DW_TAG_variable:
        return true;
    default:
        return false;
    }
}

// The worst outcome of decoding every attribute of an entry, moving the cursor past them.
DwarfFormStatus skipAttributes(const DwarfAbbreviation& abbreviation, const uint8_t*& cursor,
                               const DwarfFormContext& context)
{
    if (abbreviation.fixedSize >= 0) {
        if (context.end - cursor < abbreviation.fixedSize)
            return DwarfFormStatus::Truncated;
        cursor += abbreviation.fixedSize;
        return DwarfFormStatus::Decoded;
    }
    DwarfFormStatus result = DwarfFormStatus::Decoded;
    DwarfAttributeValue value;
    for (uint32_t i = 0; i < abbreviation.attributeForms.size(); ++i) {
        DwarfFormStatus status = readAttributeValue(abbreviation, i, cursor, context, value);
        if (status == DwarfFormStatus::Truncated)
            return status;
        if (status == DwarfFormStatus::UnknownForm)
            result = status;
    }
    return result;
}

uint32_t lowAddress(const DwarfDebuggingInformationEntry* entry)
{
    auto value = entry->lookupAttribute(DW_AT_low_pc, false);
    return value ? value->value : 0;
}

// DW_AT_location as exactly DW_OP_addr and a 4-byte address; otherwise 0.
uint32_t staticAddress(const DwarfDebuggingInformationEntry* entry)
{
    auto value = entry->lookupAttribute(DW_AT_location, false);
    if (!value || value->valueClass != DwarfValueClass::Block || value->value != 5 || value->bytes()[0] != DW_OP_addr)
        return 0;
    return readU32(value->bytes() + 1, entry->byteOrder());
}

template <class Key>
void sortByKey(std::vector<DwarfDebuggingInformationEntry*>& entries, Key key)
{
    std::vector<std::pair<uint32_t, DwarfDebuggingInformationEntry*>> keyed;
    keyed.reserve(entries.size());
    for (auto* entry : entries)
        keyed.emplace_back(key(entry), entry);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i)
        entries[i] = keyed[i].second;
}

bool isMangled(const char* name)
{
    return (name[0] == '_' && name[1] == 'Z') || (name[0] == '_' && name[1] == '_' && name[2] == 'Z');
}

}

DwarfCompilationUnit::DwarfCompilationUnit()
{
    static const std::vector<DwarfAbbreviation> none;
    abbreviations = &none;
}

DwarfCompilationUnit::~DwarfCompilationUnit()
{
    destroyEntries();
    freeDemangledNames();
}

void DwarfCompilationUnit::freeDemangledNames()
{
    for (char* name : demangledNames)
        free(name);
    std::vector<char*>().swap(demangledNames);
}

void DwarfCompilationUnit::destroyEntries()
{
    // The entries' memory belongs to the arena.
    for (DwarfDebuggingInformationEntry* entry : allEntries)
        entry->~DwarfDebuggingInformationEntry();
    entryArena.release();
}

void DwarfCompilationUnit::releaseEntries()
{
    if (!entriesRead)
        return;
    destroyEntries();
    // Swapped with empty vectors, so that their memory is freed too.
    std::vector<DwarfDebuggingInformationEntry*>().swap(allEntries);
    std::vector<DwarfDebuggingInformationEntry*>().swap(subprograms);
    std::vector<DwarfDebuggingInformationEntry*>().swap(variables);
    std::vector<DwarfDebuggingInformationEntry*>().swap(namedEntries);
    std::vector<DwarfDebuggingInformationEntry*>().swap(pendingNames);
    std::vector<const char*>().swap(entryNames);
    pendingCount = 0;
    entryTree = nullptr;
    // The header entry's cached name lived in entryNames.
    if (headerEntry)
        headerEntry->nameIndex = 0;
    if (!namesLent)
        freeDemangledNames();
    cursor = unitStart + headerSize;
    entriesRead = false;
    readBefore = true;
}

DwarfFormContext DwarfCompilationUnit::formContext() const
{
    DwarfFormContext context;
    context.unit = const_cast<DwarfCompilationUnit*>(this);
    context.strings = owner->debugStr;
    context.stringsSize = owner->debugStrSize;
    context.byteOrder = byteOrder;
    context.end = unitEnd;
    if (isVersion5()) {
        context.sections5 = &owner->dwarf5;
        context.bases = bases;
        context.addressSize = addressSize;
    }
    return context;
}

void DwarfCompilationUnit::open(uint32_t unitByteOrder, DwarfDebugInfo* reader, uint32_t unitOffset)
{
    owner = reader;
    byteOrder = unitByteOrder;
    offset = unitOffset;
    unitStart = reader->debugInfo + unitOffset;
    uint64_t end = uint64_t(unitOffset) + 4 + readU32(unitStart, byteOrder);
    truncated = end > reader->debugInfoSize;
    unitEnd = reader->debugInfo + (truncated ? reader->debugInfoSize : end);
    version = readU16(unitStart + 4, byteOrder);
    if (!readHeader())
        return;
    uint32_t abbreviationOffset = readU32(unitStart + (isVersion5() ? 8 : 6), byteOrder);
    cursor = unitStart + headerSize;

    abbreviationsMissing = abbreviationOffset >= reader->debugAbbrevSize;
    if (abbreviationsMissing) {
        dwarfWarning("unit at 0x%x: abbreviation offset 0x%x lies outside .debug_abbrev; its entries are not read",
                     offset, abbreviationOffset);
        return;
    }
    abbreviations = &reader->abbreviationTable(abbreviationOffset, isVersion5());
    if (isVersion5())
        readBases();
    readHeaderEntry();
}

// The fields between the version and the first entry; false when the entries cannot be read.
bool DwarfCompilationUnit::readHeader()
{
    if (!isVersion5()) {
        addressSize = unitStart[10];
        headerSize = unitHeaderSize;
        return true;
    }
    unitType = unitStart[6];
    addressSize = unitStart[7];
    headerSize = version5HeaderSize(unitType);
    if (headerSize == 0) {
        headerUnreadable = true;
        dwarfWarning("unit at 0x%x: unknown unit type 0x%x; its entries are not read", offset, unitType);
        return false;
    }
    if (headerSize > owner->debugInfoSize - offset) {
        headerUnreadable = true;
        dwarfWarning("unit at 0x%x: the unit header is cut short by the end of .debug_info", offset);
        return false;
    }
    return true;
}

// The bases into the indexed sections, from the first entry's own attributes. They are
// needed before any value of the unit (the first entry's included) is decoded.
void DwarfCompilationUnit::readBases()
{
    const uint8_t* position = cursor;
    if (position >= unitEnd)
        return;
    const DwarfAbbreviation* abbreviation = findAbbreviation(readUleb128(position, unitEnd));
    if (!abbreviation)
        return;
    DwarfFormContext context = formContext();
    DwarfAttributeValue value;
    for (uint32_t i = 0; i < abbreviation->attributeForms.size(); ++i) {
        if (readAttributeValue(*abbreviation, i, position, context, value) != DwarfFormStatus::Decoded)
            return;
        if (value.valueClass != DwarfValueClass::Reference && value.valueClass != DwarfValueClass::Constant)
            continue;
        switch (abbreviation->attributeForms[i].first) {
        case DW_AT_str_offsets_base: bases.strOffsets = value.value; break;
        case DW_AT_addr_base: bases.addr = value.value; break;
        case DW_AT_rnglists_base: bases.rnglists = value.value; break;
        case DW_AT_loclists_base: bases.loclists = value.value; break;
        default: break;
        }
    }
}

void DwarfCompilationUnit::readHeaderEntry()
{
    const uint8_t* position = cursor;
    if (position >= unitEnd)
        return;
    const DwarfAbbreviation* abbreviation = findAbbreviation(readUleb128(position, unitEnd));
    if (!abbreviation || abbreviation->tag != DW_TAG_compile_unit)
        return;
    if (skipAttributes(*abbreviation, position, formContext()) == DwarfFormStatus::Truncated)
        return;
    header = std::make_unique<DwarfDebuggingInformationEntry>(this, abbreviation, uint32_t(cursor - unitStart));
    headerEntry = header.get();
}

const DwarfAbbreviation* DwarfCompilationUnit::findAbbreviation(uint32_t code) const
{
    // Producers number abbreviations 1, 2, 3...: try the direct slot first.
    const std::vector<DwarfAbbreviation>& table = *abbreviations;
    if (code - 1 < table.size() && table[code - 1].code == code)
        return &table[code - 1];
    auto found = std::lower_bound(table.begin(), table.end(), int32_t(code),
                                  [](const DwarfAbbreviation& a, int32_t c) { return int32_t(a.code) < c; });
    return found != table.end() && found->code == code ? &*found : nullptr;
}

DwarfDebuggingInformationEntry* DwarfCompilationUnit::findEntry(uint32_t entryOffset)
{
    readEntries();
    auto found = std::lower_bound(allEntries.begin(), allEntries.end(), entryOffset,
                                  [](const DwarfDebuggingInformationEntry* e, uint32_t o) { return e->offset < o; });
    return found != allEntries.end() && (*found)->offset == entryOffset ? *found : nullptr;
}

DwarfDebuggingInformationEntry* DwarfCompilationUnit::readEntries()
{
    if (entriesRead || owner->treeReadsInProgress >= maximumNestedTreeReads)
        return entryTree;
    // Set first: resolving names below may come back here through references.
    entriesRead = true;
    if (abbreviationsMissing || headerUnreadable)
        return nullptr;
    ++owner->treeReadsInProgress;
    // Every entry takes at least one byte, so the index never grows while reading. (Only
    // the pages used are touched; the cap keeps a damaged giant unit from asking too much.)
    size_t unitSize = size_t(unitEnd - unitStart);
    allEntries.reserve(std::min<size_t>(unitSize, size_t(1) << 24));
    // Entries average about ten bytes of .debug_info: the first block then holds most trees.
    entryArena.setFirstBlockSize(unitSize / 10 * sizeof(DwarfDebuggingInformationEntry));
    readEntryTree();
    // allEntries is already in offset order: entries are appended as they are read.
    sortIndexes();
    resolvePendingNames();
    std::stable_sort(namedEntries.begin(), namedEntries.end(),
                     [](const DwarfDebuggingInformationEntry* a, const DwarfDebuggingInformationEntry* b) {
                         return strcmp(a->name(), b->name()) < 0;
                     });
    --owner->treeReadsInProgress;
    return entryTree;
}

void DwarfCompilationUnit::readEntryTree()
{
    // Chains being read: the enclosing entry and the last entry of its children so far.
    struct Chain {
        DwarfDebuggingInformationEntry* parent;
        DwarfDebuggingInformationEntry* last;
    };
    std::vector<Chain> chains{{nullptr, nullptr}};
    while (cursor < unitEnd) {
        const uint8_t* position = cursor;
        uint32_t code = readUleb128(cursor, unitEnd);
        if (code == 0) {
            if (chains.size() == 1)
                return;   // the top-level chain ends: so does the unit
            chains.pop_back();
            continue;
        }
        const DwarfAbbreviation* abbreviation = findAbbreviation(code);
        if (!abbreviation) {
            reportUnknownCode(code, position);
            continue;
        }
        bool stopAfter = false;
        DwarfDebuggingInformationEntry* entry = buildEntry(abbreviation, position, stopAfter);
        if (!entry) {
            warn("unit at 0x%x: entry at offset 0x%x runs past the end of the unit; the rest of the unit is not read",
                 uint32_t(position - unitStart));
            return;
        }
        Chain& chain = chains.back();
        entry->parent = chain.parent;
        if (chain.last)
            chain.last->nextSibling = entry;
        else if (chain.parent)
            chain.parent->firstChild = entry;
        else
            entryTree = entry;
        chain.last = entry;
        allEntries.push_back(entry);
        addToIndexes(entry);
        if (stopAfter) {
            warn("unit at 0x%x: entry at offset 0x%x has an attribute of an unknown form; the rest of the unit is not read",
                 entry->offset);
            return;
        }
        if (abbreviation->hasChildren)
            chains.push_back({entry, nullptr});
    }
}

DwarfDebuggingInformationEntry* DwarfCompilationUnit::buildEntry(const DwarfAbbreviation* abbreviation,
                                                                 const uint8_t* position, bool& stopAfter)
{
    DwarfFormStatus status = skipAttributes(*abbreviation, cursor, formContext());
    if (status == DwarfFormStatus::Truncated)
        return nullptr;
    // An unknown form leaves the cursor where it was, so what follows cannot be trusted.
    stopAfter = status == DwarfFormStatus::UnknownForm;
    uint32_t entryOffset = uint32_t(position - unitStart);
    switch (abbreviation->tag) {
    case DW_TAG_subprogram:
        return createEntry<DwarfDebuggingInformationSubprogram>(abbreviation, entryOffset);
    case DW_TAG_variable:
        return createEntry<DwarfDebuggingInformationVariable>(abbreviation, entryOffset);
    default:
        return createEntry<DwarfDebuggingInformationEntry>(abbreviation, entryOffset);
    }
}

template <class T>
DwarfDebuggingInformationEntry* DwarfCompilationUnit::createEntry(const DwarfAbbreviation* abbreviation,
                                                                  uint32_t entryOffset)
{
    return new (entryArena.allocate(sizeof(T))) T(this, abbreviation, entryOffset);
}

void DwarfCompilationUnit::addToIndexes(DwarfDebuggingInformationEntry* entry)
{
    if (entry->tag == DW_TAG_subprogram)
        subprograms.push_back(entry);
    else if (entry->tag == DW_TAG_variable)
        variables.push_back(entry);
    if (!isNamedTag(entry->tag) || entry->abbreviation().hasAttribute(DW_AT_declaration))
        return;
    if (entry->abbreviation().hasAttribute(DW_AT_name)) {
        namedEntries.push_back(entry);
    } else {
        pendingNames.push_back(entry);
        ++pendingCount;
    }
}

void DwarfCompilationUnit::sortIndexes()
{
    sortByKey(subprograms, lowAddress);
    sortByKey(variables, staticAddress);
}

const char* DwarfCompilationUnit::keepDemangledName(char* name)
{
    demangledNames.push_back(name);
    return name;
}

// Entries without a name of their own are named by their linkage name (demangled), or
// else by their specification's name.
void DwarfCompilationUnit::resolvePendingNames()
{
    for (DwarfDebuggingInformationEntry* entry : pendingNames) {
        auto linkage = entry->lookupAttribute(DW_AT_MIPS_linkage_name, false);
        if (!linkage)
            linkage = entry->lookupAttribute(DW_AT_linkage_name, false);
        const char* name = nullptr;
        if (linkage) {
            name = linkage->valueClass == DwarfValueClass::String && linkage->data ? linkage->text() : "";
            // As the symbol names of the image: a name the GNU v3 demangler does not take
            // (such as one with a doubled leading underscore) stays as it is.
            if (isMangled(name)) {
                if (char* demangled = cplus_demangle(name, DMGL_PARAMS | DMGL_TYPES | DMGL_GNU_V3))
                    name = keepDemangledName(demangled);
            }
        } else if (DwarfDebuggingInformationEntry* specification = entry->specification()) {
            name = specification->name();
            // The name may be one the other unit demangled: it must keep it.
            if (specification->unit != this)
                specification->unit->namesLent = true;
        }
        if (!name)
            continue;
        entry->setName(name);
        if (*name)
            namedEntries.push_back(entry);
    }
}

void DwarfCompilationUnit::warn(const char* format, uint32_t entryOffset) const
{
    if (!readBefore)
        dwarfWarning(format, offset, entryOffset);
}

// On standard output, where the listing usually goes, so that it shows in place.
void DwarfCompilationUnit::reportUnknownCode(uint32_t code, const uint8_t* position)
{
    if (readBefore)
        return;
    printf("what is happening couldn't find abbrev 0x%x offset 0x%x, %p, %p\n", code,
           uint32_t(position - unitStart), static_cast<const void*>(cursor), static_cast<const void*>(unitEnd));
    printHexDump(stdout, owner->debugInfo, owner->debugInfoSize, int64_t(cursor - owner->debugInfo) - 10, 16);
}
