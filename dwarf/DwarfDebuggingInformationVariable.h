#pragma once
#include "dwarf/DwarfDebuggingInformationEntry.h"

// Entries of DW_TAG_variable are made as this type. It adds no members: every entry of a
// unit has the same size, which the unit's entry pool relies on.
class DwarfDebuggingInformationVariable : public DwarfDebuggingInformationEntry {
public:
    using DwarfDebuggingInformationEntry::DwarfDebuggingInformationEntry;
};
