#pragma once
// A unit's include directories and file table, as the line program names them, and the
// printed path of a file number.
#include <cstdint>
#include <string>

class DwarfCompilationUnit;

// Appends one file-table entry. A relative name gets its include directory, or the
// compilation directory for directory number 0 or an unknown one; time and length are not kept.
void addFile(DwarfCompilationUnit& unit, uint32_t directoryNumber, uint32_t time, uint32_t length,
             const char* name, const char* compilationDirectory);
// Include directory `number` (1 is the first), or null for 0 or a number above the count.
const char* includeDirectory(const DwarfCompilationUnit& unit, uint32_t number);
// The file-table index of file `number`: the table's first entry is number 1, or number 0
// in a unit whose line program is of version 5. False when the table has no such entry.
bool fileIndex(const DwarfCompilationUnit& unit, uint32_t number, uint32_t& index);
// Directory "/" name, normalised; empty for a number the table does not have.
std::string filePath(const DwarfCompilationUnit& unit, uint32_t number);
