#include "dwarf/GlobalEntryLookup.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfDebugInfo.h"
#include <algorithm>
#include <cstring>

namespace {

bool hasAttribute(const DwarfDebuggingInformationEntry* entry, uint32_t attribute)
{
    return entry->lookupAttribute(attribute, false).has_value();
}

// A definition, not a declaration: variables with a location, functions with code.
bool isExternalDefinition(const DwarfDebuggingInformationEntry* entry)
{
    bool defined = (entry->tag == DW_TAG_variable && hasAttribute(entry, DW_AT_location))
                   || (entry->tag == DW_TAG_subprogram && hasAttribute(entry, DW_AT_low_pc));
    if (!defined)
        return false;
    std::optional<DwarfAttributeValue> external = entry->lookupAttribute(DW_AT_external, false);
    return external && external->value != 0;
}

DwarfDebuggingInformationEntry* findInNamedEntries(DwarfCompilationUnit& unit, const char* name)
{
    unit.readEntries();
    const std::vector<DwarfDebuggingInformationEntry*>& named = unit.namedEntries;
    auto entry = std::lower_bound(named.begin(), named.end(), name,
                                  [](const DwarfDebuggingInformationEntry* e, const char* text) {
                                      return strcmp(e->name(), text) < 0;
                                  });
    for (; entry != named.end() && strcmp((*entry)->name(), name) == 0; ++entry) {
        if (isExternalDefinition(*entry))
            return *entry;
    }
    return nullptr;
}

} // namespace

DwarfDebuggingInformationEntry* findGlobalEntry(DwarfDebugInfo& reader, const char* name)
{
    for (const auto& unit : reader.units) {
        if (DwarfDebuggingInformationEntry* entry = findInNamedEntries(*unit, name))
            return entry;
    }
    return findGlobalThroughPubnames(reader, name);
}

DwarfDebuggingInformationEntry* findGlobalThroughPubnames(DwarfDebugInfo& reader, const char* name)
{
    auto range = findNames(reader.pubnames, name);
    for (const DwarfNameEntry* named = range.first; named != range.second; ++named) {
        DwarfCompilationUnit* unit = reader.findUnit(named->unitOffset);
        DwarfDebuggingInformationEntry* entry = unit ? unit->findEntry(named->entryOffset) : nullptr;
        if (entry && !entry->findAttribute(DW_AT_declaration))
            return entry;
    }
    return nullptr;
}
