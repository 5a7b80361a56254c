#pragma once
// One unit of .debug_info: its header, its abbreviation table (shared with the units that
// name the same one), and its entry tree, read on first need, with the indexes built from it.
#include "dwarf/DwarfAbbreviation.h"
#include "dwarf/DwarfEntryArena.h"
#include "dwarf/DwarfFormReader.h"
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class DwarfDebugInfo;
class DwarfDebuggingInformationEntry;

class DwarfCompilationUnit {
public:
    DwarfCompilationUnit();
    ~DwarfCompilationUnit();
    DwarfCompilationUnit(const DwarfCompilationUnit&) = delete;
    DwarfCompilationUnit& operator=(const DwarfCompilationUnit&) = delete;

    // Reads the header at `unitOffset` of the reader's .debug_info (at least 11 bytes must
    // be there), the abbreviation table and the header entry. Version 5 lays its header out
    // differently and adds unit types; every other version is read with the 11-byte layout.
    void open(uint32_t byteOrder, DwarfDebugInfo* reader, uint32_t unitOffset);
    // The first top-level entry; reads the tree and builds the indexes on the first call.
    DwarfDebuggingInformationEntry* readEntries();
    // Frees the tree and the indexes built from it, for a reader that is done with the unit
    // (the listing, once the unit is printed). Pointers to its entries and their names
    // become invalid; a later need reads the tree again, without repeating its diagnostics.
    // Names that other units' entries took over stay valid.
    void releaseEntries();
    const DwarfAbbreviation* findAbbreviation(uint32_t code) const;
    // The entry whose abbreviation code lies exactly at this unit-relative offset.
    DwarfDebuggingInformationEntry* findEntry(uint32_t entryOffset);

    // The unit's byte length (unit end - unit start).
    uint32_t length() const { return uint32_t(unitEnd - unitStart); }
    // How values of this unit's entries are decoded.
    DwarfFormContext formContext() const;
    bool isVersion5() const { return version == 5; }

    uint32_t offset = 0;
    uint32_t version = 0;
    uint32_t unitType = 0;          // version 5 only
    uint32_t headerSize = 11;       // the first entry's unit-relative offset
    uint32_t addressSize = 0;
    Dwarf5UnitBases bases;          // version 5 only
    const uint8_t* unitStart = nullptr;
    const uint8_t* unitEnd = nullptr;       // clipped to the section end
    const uint8_t* cursor = nullptr;
    DwarfDebuggingInformationEntry* entryTree = nullptr;
    DwarfDebuggingInformationEntry* headerEntry = nullptr;
    DwarfDebugInfo* owner = nullptr;
    uint32_t byteOrder = 0;
    std::vector<DwarfDebuggingInformationEntry*> allEntries;     // by offset
    const std::vector<DwarfAbbreviation>* abbreviations;         // by code; shared, owned by the reader
    std::vector<std::pair<const char*, const char*>> fileTable;  // (name, directory or null)
    std::vector<const char*> includeDirectories;
    uint32_t firstFileNumber = 1;       // of the file table's first entry: 0 for version-5 line programs
    std::vector<DwarfDebuggingInformationEntry*> subprograms;    // by DW_AT_low_pc
    std::vector<DwarfDebuggingInformationEntry*> variables;      // by static address
    std::vector<DwarfDebuggingInformationEntry*> namedEntries;   // by name
    std::vector<DwarfDebuggingInformationEntry*> pendingNames;   // named later through linkage names
    uint32_t pendingCount = 0;
    std::vector<const char*> entryNames;                         // the entries' cached names

    bool entriesRead = false;
    bool readBefore = false;            // the tree was read and released: stay quiet
    bool namesLent = false;             // other units' entries took over names of this one
    bool truncated = false;             // the unit's length runs past .debug_info
    bool abbreviationsMissing = false;  // its abbreviation offset lies outside .debug_abbrev
    bool headerUnreadable = false;      // unknown version-5 unit type, or header cut short

private:
    DwarfDebuggingInformationEntry* buildEntry(const DwarfAbbreviation* abbreviation,
                                               const uint8_t* position, bool& stopAfter);
    bool readHeader();
    void readHeaderEntry();
    void readBases();
    void readEntryTree();
    void addToIndexes(DwarfDebuggingInformationEntry* entry);
    void sortIndexes();
    void resolvePendingNames();
    void reportUnknownCode(uint32_t code, const uint8_t* position);
    void warn(const char* format, uint32_t entryOffset) const;
    void destroyEntries();
    void freeDemangledNames();
    template <class T>
    DwarfDebuggingInformationEntry* createEntry(const DwarfAbbreviation* abbreviation, uint32_t entryOffset);
    const char* keepDemangledName(char* name);

    std::unique_ptr<DwarfDebuggingInformationEntry> header;
    DwarfEntryArena entryArena;         // the tree's entries
    std::vector<char*> demangledNames;  // owned, from the demangler
};
