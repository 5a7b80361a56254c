#pragma once
// Decodes a unit's line-number program in .debug_line: the header's include directories
// and file names go into the unit's tables, the rows into the reader's source-address map,
// and, for unfiltered rows, the unit's address ranges into the address-range table.
class DwarfCompilationUnit;
class DwarfDebugInfo;

// filterByRanges: keep only rows inside this unit's entries of the address-range table
// (is_stmt and a missing DW_LNE_set_address then do not matter), and derive no ranges.
void decodeLineProgram(DwarfDebugInfo& reader, bool filterByRanges, DwarfCompilationUnit& unit);
