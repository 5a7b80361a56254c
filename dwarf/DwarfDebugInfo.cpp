#include "dwarf/DwarfDebugInfo.h"
#include "common/ByteOrder.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfWarning.h"
#include "dwarf/LineProgramHeader.h"
#include "elf/ElfFile.h"
#include <algorithm>

namespace {

// The unit header: length (4), version (2), abbreviation offset (4), address size (1).
const uint32_t unitHeaderSize = 11;

void bind(const ElfFile& image, const char* name, const uint8_t*& bytes, uint32_t& size)
{
    ElfSection* section = image.getSection(QString::fromLatin1(name));
    bytes = section ? section->data : nullptr;
    size = bytes ? section->availableSize() : 0;
}

}

DwarfDebugInfo::DwarfDebugInfo(uint32_t byteOrder) : byteOrder(byteOrder)
{
}

DwarfDebugInfo::~DwarfDebugInfo() = default;

void DwarfDebugInfo::load(const ElfFile& image, uint32_t bias, bool ignoreAranges, bool skipFrame)
{
    // The address-range and call-frame tables are not read yet, so their switches have
    // nothing to act on.
    (void)ignoreAranges;
    (void)skipFrame;
    addressBias = bias;
    bindSections(image);
    if (!debugInfo)
        return;
    if (!debugAbbrev) {
        dwarfWarning(".debug_info without .debug_abbrev; its units are not read");
        return;
    }
    openUnits();
    std::stable_sort(units.begin(), units.end(),
                     [](const auto& a, const auto& b) { return a->offset < b->offset; });
}

void DwarfDebugInfo::bindSections(const ElfFile& image)
{
    bind(image, ".debug_abbrev", debugAbbrev, debugAbbrevSize);
    bind(image, ".debug_info", debugInfo, debugInfoSize);
    bind(image, ".debug_loc", debugLoc, debugLocSize);
    bind(image, ".debug_str", debugStr, debugStrSize);
    bind(image, ".debug_ranges", debugRanges, debugRangesSize);
    bind(image, ".debug_line", debugLine, debugLineSize);
    dwarf5.bind(image);
}

void DwarfDebugInfo::openUnits()
{
    uint32_t offset = 0;
    while (offset < debugInfoSize) {
        if (debugInfoSize - offset < unitHeaderSize) {
            dwarfWarning("unit at 0x%x: the unit header is cut short by the end of .debug_info", offset);
            return;
        }
        units.push_back(std::make_unique<DwarfCompilationUnit>());
        DwarfCompilationUnit& unit = *units.back();
        unit.open(byteOrder, this, offset);
        if (unit.headerEntry)
            readFileTable(*this, unit);
        if (unit.truncated) {
            dwarfWarning("unit at 0x%x: its length runs past the end of .debug_info; it is read up to there", offset);
            return;
        }
        offset += unit.length();
    }
}

const std::vector<DwarfAbbreviation>& DwarfDebugInfo::abbreviationTable(uint32_t abbreviationOffset, bool version5)
{
    uint64_t key = uint64_t(version5) << 32 | abbreviationOffset;
    auto found = abbreviationTables.find(key);
    if (found != abbreviationTables.end())
        return found->second;
    std::vector<DwarfAbbreviation>& table = abbreviationTables[key];
    readAbbreviationTable(debugAbbrev + abbreviationOffset, debugAbbrev + debugAbbrevSize, table, version5);
    table.shrink_to_fit();
    std::stable_sort(table.begin(), table.end(), [](const DwarfAbbreviation& a, const DwarfAbbreviation& b) {
        return int32_t(a.code) < int32_t(b.code);
    });
    return table;
}

DwarfCompilationUnit* DwarfDebugInfo::findUnit(uint32_t unitOffset) const
{
    auto found = std::lower_bound(units.begin(), units.end(), unitOffset,
                                  [](const auto& unit, uint32_t o) { return unit->offset < o; });
    return found != units.end() && (*found)->offset == unitOffset ? found->get() : nullptr;
}

DwarfCompilationUnit* DwarfDebugInfo::findUnitContaining(uint32_t sectionOffset) const
{
    auto after = std::upper_bound(units.begin(), units.end(), sectionOffset,
                                  [](uint32_t o, const auto& unit) { return o < unit->offset; });
    if (after == units.begin())
        return nullptr;
    DwarfCompilationUnit* unit = std::prev(after)->get();
    return sectionOffset - unit->offset < unit->length() ? unit : nullptr;
}

DwarfDebuggingInformationEntry* DwarfDebugInfo::resolveReference(const DwarfAttributeValue& value) const
{
    if (value.valueClass != DwarfValueClass::Reference)
        return nullptr;
    switch (value.form) {
    case DW_FORM_ref_addr: {
        DwarfCompilationUnit* unit = findUnitContaining(value.value);
        return unit ? unit->findEntry(value.value - unit->offset) : nullptr;
    }
    case DW_FORM_ref1:
    case DW_FORM_ref2:
    case DW_FORM_ref4:
    case DW_FORM_ref_udata:
        return value.referencedUnit() ? value.referencedUnit()->findEntry(value.value) : nullptr;
    default:
        // DW_FORM_ref8 and DW_FORM_ref_sig8 name type units, which are not read, and
        // DW_FORM_sec_offset points into other sections.
        return nullptr;
    }
}
