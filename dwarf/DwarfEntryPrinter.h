#pragma once
// The "Debugging Information" body: entries with their attributes, one line each,
// indented two spaces per level.
#include "dwarf/DwarfAttributeValue.h"
#include "dwarf/DwarfTextWriter.h"
#include <cstdio>
#include <string>
#include <vector>

class DwarfCompilationUnit;
class DwarfDebuggingInformationEntry;

class DwarfEntryPrinter {
public:
    explicit DwarfEntryPrinter(DwarfTextWriter& out) : out(out) {}

    // The entry, its children one level deeper, then its following siblings.
    void printEntryChain(const DwarfDebuggingInformationEntry* entry, int level);
    void printEntry(const DwarfDebuggingInformationEntry& entry, int level);
    // Attribute name, form name and value; the names as a unit of this version has them.
    void printAttribute(const DwarfAttributeValue& value, uint32_t version = 4);

private:
    void indent(int level);
    void printAddition(const DwarfDebuggingInformationEntry& entry, const DwarfAttributeValue& value);
    void printReferencedEntry(const DwarfDebuggingInformationEntry* target, const char* failure);
    void printFilePath(const DwarfCompilationUnit& unit, uint32_t number);
    void printRanges(const DwarfDebuggingInformationEntry& entry, uint32_t offset);
    void printRange(uint32_t begin, uint32_t end);

    DwarfTextWriter& out;
    const DwarfCompilationUnit* pathsUnit = nullptr;   // whose file paths `paths` caches
    std::vector<std::string> paths;
    std::vector<bool> pathKnown;
};

// The same on a plain stream.
void printEntryChain(const DwarfDebuggingInformationEntry* entry, FILE* stream, int level);
void printEntry(const DwarfDebuggingInformationEntry& entry, FILE* stream, int level);
void printAttribute(const DwarfAttributeValue& value, FILE* stream);
