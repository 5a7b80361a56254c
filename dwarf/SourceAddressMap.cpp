#include "dwarf/SourceAddressMap.h"
#include "dwarf/DwarfTextWriter.h"
#include <algorithm>

namespace {

// Rows gathered before the first fold; later folds come when the rows since the last one
// are as many as the records it left, so every row takes part in a bounded number of sorts
// per doubling of the map.
const size_t smallestFold = 1 << 16;

bool byAddress(const LineRecord& a, const LineRecord& b)
{
    return a.address < b.address;
}

}

uint32_t SourceAddressMap::sourceFile(const std::string& path)
{
    if (path.empty())
        return noFile;
    auto found = fileNumbers.emplace(path, uint32_t(sourceFiles.size()));
    if (found.second)
        sourceFiles.push_back(SourceFile{path});
    return found.first->second;
}

void SourceAddressMap::addRow(uint32_t file, int32_t line, uint32_t address)
{
    if (file == noFile)
        return;
    lineRecords.push_back(LineRecord{address, line, file, nextSerial++});
    if (lineRecords.size() - foldedCount >= std::max<size_t>(foldedCount, smallestFold))
        foldRows();
}

// Sorts the new rows by address, keeping their order at equal addresses, merges them after
// the folded records of the same addresses, and replays each address's rows in that order.
void SourceAddressMap::foldRows()
{
    auto folded = lineRecords.begin() + foldedCount;
    std::stable_sort(folded, lineRecords.end(), byAddress);
    std::inplace_merge(lineRecords.begin(), folded, lineRecords.end(), byAddress);
    size_t kept = 0;
    for (size_t i = 0; i < lineRecords.size();) {
        LineRecord record = lineRecords[i];
        for (++i; i < lineRecords.size() && lineRecords[i].address == record.address; ++i) {
            const LineRecord& row = lineRecords[i];
            if (row.file == record.file && row.line > record.line) {
                record.line = row.line;
                record.serial = row.serial;
            }
        }
        lineRecords[kept++] = record;
    }
    lineRecords.resize(kept);
    foldedCount = uint32_t(kept);
}

void SourceAddressMap::finishRows()
{
    foldRows();
    lineRecords.shrink_to_fit();
    std::unordered_map<std::string, uint32_t>().swap(fileNumbers);

    // Files by path; the records follow their files' new places.
    std::vector<uint32_t> byPath(sourceFiles.size());
    for (uint32_t i = 0; i < byPath.size(); ++i)
        byPath[i] = i;
    std::sort(byPath.begin(), byPath.end(),
              [this](uint32_t a, uint32_t b) { return sourceFiles[a].path < sourceFiles[b].path; });
    std::vector<uint32_t> place(sourceFiles.size());
    std::vector<SourceFile> sorted(sourceFiles.size());
    for (uint32_t i = 0; i < byPath.size(); ++i) {
        place[byPath[i]] = i;
        sorted[i].path.swap(sourceFiles[byPath[i]].path);
    }
    sourceFiles.swap(sorted);
    for (LineRecord& record : lineRecords)
        record.file = place[record.file];

    recordsByFile.resize(lineRecords.size());
    for (uint32_t i = 0; i < recordsByFile.size(); ++i)
        recordsByFile[i] = i;
    std::sort(recordsByFile.begin(), recordsByFile.end(), [this](uint32_t a, uint32_t b) {
        const LineRecord& x = lineRecords[a];
        const LineRecord& y = lineRecords[b];
        if (x.file != y.file)
            return x.file < y.file;
        return x.line != y.line ? x.line < y.line : x.serial > y.serial;
    });
    for (uint32_t i = 0; i < recordsByFile.size(); ++i) {
        SourceFile& file = sourceFiles[lineRecords[recordsByFile[i]].file];
        if (file.recordCount++ == 0)
            file.firstRecord = i;
    }
}

void addRow(SourceAddressMap& map, const std::string& path, int32_t line, uint32_t address)
{
    map.addRow(map.sourceFile(path), line, address);
}

void printLineMap(const SourceAddressMap& map, FILE* stream)
{
    DwarfTextWriter out(stream);
    out.text("Addresses:\n");
    for (const LineRecord& record : map.lineRecords) {
        const std::string& path = map.sourceFiles[record.file].path;
        out.bytes("0x", 2);
        out.hex(record.address);
        out.character(' ');
        out.decimal(record.line);
        out.character(' ');
        out.bytes(path.data(), path.size());
        out.character('\n');
    }
    out.text("Sources:\n");
    for (const SourceFile& file : map.sourceFiles) {
        out.text("File: ");
        out.bytes(file.path.data(), file.path.size());
        out.character('\n');
        for (uint32_t i = file.firstRecord; i < file.firstRecord + file.recordCount; ++i) {
            const LineRecord& record = map.lineRecords[map.recordsByFile[i]];
            out.text("Line: ");
            out.decimal(record.line);
            out.bytes(" 0x", 3);
            out.hex(record.address);
            out.character('\n');
        }
    }
}
