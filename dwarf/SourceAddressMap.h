#pragma once
// The map between code addresses and source lines that the line programs fill: one record
// per address (address to file and line) and, per source file, its records by line (file
// and line to address). Files, records and each file's records are kept in order at every
// insertion in balanced trees, so that a large image with its units' addresses interleaved
// (a relocatable link starts every section at 0), or with many files, fills the map in
// n log n.
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>

struct SourceFile;

struct LineRecord {
    uint32_t address;     // the bias already added
    int32_t line;
    SourceFile* file;
    uint64_t serial;      // insertion order: among equal lines of a file the newest comes first
};

struct SourceFile {
    struct ByLine {
        bool operator()(const LineRecord* a, const LineRecord* b) const
        {
            return a->line != b->line ? a->line < b->line : a->serial > b->serial;
        }
    };

    std::string path;                        // normalised
    std::set<const LineRecord*, ByLine> records;
};

class SourceAddressMap {
public:
    virtual ~SourceAddressMap() = default;

    // The source file with this path, created in path order when new; null for an empty path.
    SourceFile* sourceFile(const std::string& path);
    // Enters a row: the first file to reach an address keeps it, and within that file the
    // greatest line wins. The record now at the address, or null when the row was dropped.
    const LineRecord* addRow(SourceFile* file, int32_t line, uint32_t address);

    std::map<std::string, SourceFile> sourceFiles;   // by path
    std::map<uint32_t, LineRecord> lineRecords;      // by address, at most one each

private:
    uint64_t nextSerial = 0;
};

const LineRecord* addRow(SourceAddressMap& map, const std::string& path, int32_t line, uint32_t address);

// The "Line" body of the DWARF listing: the records by address, then the source files by
// path with their records by line.
void printLineMap(const SourceAddressMap& map, FILE* stream);
