#pragma once
#include "dwarf/DwarfDebuggingInformationEntry.h"

// Entries of DW_TAG_variable are made as this type; it adds nothing else.
class DwarfDebuggingInformationVariable : public DwarfDebuggingInformationEntry {
public:
    using DwarfDebuggingInformationEntry::DwarfDebuggingInformationEntry;
};
