#pragma once
#include "dwarf/DwarfDebuggingInformationEntry.h"

// Entries of DW_TAG_subprogram are made as this type. It adds no members: every entry of a
// unit has the same size, which the unit's entry pool relies on.
class DwarfDebuggingInformationSubprogram : public DwarfDebuggingInformationEntry {
public:
    using DwarfDebuggingInformationEntry::DwarfDebuggingInformationEntry;
};
