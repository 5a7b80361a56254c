#pragma once
// The map between code addresses and source lines that the line programs fill: one record
// per address (address to file and line) and, per source file, its records by line (file
// and line to address).
//
// Rows are appended as the programs emit them and folded into the records when the map is
// finished, so that a large image with its units' addresses interleaved (a relocatable link
// starts every section at 0), or with many files, fills the map in n log n and holds a
// few plain words per record. Folding replays the rows of each address in the order they
// came: the first file to reach an address keeps it, and within that file the greatest
// line wins.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

struct LineRecord {
    uint32_t address;     // the bias already added
    int32_t line;
    uint32_t file;        // index in sourceFiles (a file number while the map is filled)
    uint32_t serial;      // when the record got its line: among equal lines of a file the newest comes first
};

struct SourceFile {
    std::string path;          // normalised
    uint32_t firstRecord = 0;  // its records are recordsByFile[firstRecord, firstRecord + recordCount)
    uint32_t recordCount = 0;
};

class SourceAddressMap {
public:
    static const uint32_t noFile = UINT32_MAX;

    virtual ~SourceAddressMap() = default;

    // The file number of this path, new files numbered in the order they come; noFile for
    // an empty path.
    uint32_t sourceFile(const std::string& path);
    // Enters a row of a file number; a row of noFile is dropped.
    void addRow(uint32_t file, int32_t line, uint32_t address);
    // Folds the rows into the records and orders the files by path. Called once, when every
    // row is in.
    void finishRows();

    std::vector<SourceFile> sourceFiles;      // by path once finished
    std::vector<LineRecord> lineRecords;      // by address once finished, at most one each
    std::vector<uint32_t> recordsByFile;      // lineRecords indexes, by file, then line

private:
    void foldRows();

    std::unordered_map<std::string, uint32_t> fileNumbers;   // while the map is filled
    uint32_t foldedCount = 0;   // lineRecords[0, foldedCount) are folded, by address
    uint32_t nextSerial = 0;
};

// Enters a row of a path (an empty path adds nothing); for maps filled by hand.
void addRow(SourceAddressMap& map, const std::string& path, int32_t line, uint32_t address);

// The "Line" body of the DWARF listing: the records by address, then the source files by
// path with their records by line.
void printLineMap(const SourceAddressMap& map, FILE* stream);
