#include "dwarf/SourceAddressMap.h"
#include "dwarf/DwarfTextWriter.h"

SourceFile* SourceAddressMap::sourceFile(const std::string& path)
{
    if (path.empty())
        return nullptr;
    auto found = sourceFiles.lower_bound(path);
    if (found == sourceFiles.end() || found->first != path) {
        found = sourceFiles.emplace_hint(found, path, SourceFile());
        found->second.path = path;
    }
    return &found->second;
}

const LineRecord* SourceAddressMap::addRow(SourceFile* file, int32_t line, uint32_t address)
{
    if (!file)
        return nullptr;
    auto found = lineRecords.lower_bound(address);
    if (found != lineRecords.end() && found->first == address) {
        LineRecord& old = found->second;
        if (old.file != file || old.line >= line)
            return nullptr;
        file->records.erase(&old);
        lineRecords.erase(found++);
    }
    auto inserted = lineRecords.emplace_hint(found, address, LineRecord{address, line, file, nextSerial++});
    file->records.insert(&inserted->second);
    return &inserted->second;
}

const LineRecord* addRow(SourceAddressMap& map, const std::string& path, int32_t line, uint32_t address)
{
    return map.addRow(map.sourceFile(path), line, address);
}

void printLineMap(const SourceAddressMap& map, FILE* stream)
{
    DwarfTextWriter out(stream);
    out.text("Addresses:\n");
    for (const auto& entry : map.lineRecords) {
        const LineRecord& record = entry.second;
        out.bytes("0x", 2);
        out.hex(record.address);
        out.character(' ');
        out.decimal(record.line);
        out.character(' ');
        out.bytes(record.file->path.data(), record.file->path.size());
        out.character('\n');
    }
    out.text("Sources:\n");
    for (const auto& entry : map.sourceFiles) {
        const SourceFile& file = entry.second;
        out.text("File: ");
        out.bytes(file.path.data(), file.path.size());
        out.character('\n');
        for (const LineRecord* record : file.records) {
            out.text("Line: ");
            out.decimal(record->line);
            out.bytes(" 0x", 3);
            out.hex(record->address);
            out.character('\n');
        }
    }
}
