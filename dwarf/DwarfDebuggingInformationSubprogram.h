#pragma once
#include "dwarf/DwarfDebuggingInformationEntry.h"

// Entries of DW_TAG_subprogram are made as this type; it adds nothing else.
class DwarfDebuggingInformationSubprogram : public DwarfDebuggingInformationEntry {
public:
    using DwarfDebuggingInformationEntry::DwarfDebuggingInformationEntry;
};
