#include "dwarf/DwarfDebugInfo.h"
#include "common/ByteOrder.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfWarning.h"
#include "dwarf/DwarfLineProgram.h"
#include "elf/ElfFile.h"
#include <algorithm>
#include <cstring>

namespace {

// The unit header: length (4), version (2), abbreviation offset (4), address size (1).
const uint32_t unitHeaderSize = 11;

// True when the image has the section.
bool bind(const ElfFile& image, const char* name, const uint8_t*& bytes, uint32_t& size)
{
    ElfSection* section = image.getSection(QString::fromLatin1(name));
    bytes = section ? section->data : nullptr;
    size = bytes ? section->availableSize() : 0;
    return bytes != nullptr;
}

}

DwarfDebugInfo::DwarfDebugInfo(uint32_t byteOrder) : frames(byteOrder), byteOrder(byteOrder)
{
    pubnames.byteOrder = pubtypes.byteOrder = addressRanges.byteOrder = macros.byteOrder = byteOrder;
    macros.owner = this;
}

DwarfDebugInfo::~DwarfDebugInfo() = default;

void DwarfDebugInfo::load(const ElfFile& image, uint32_t bias, bool ignoreAranges, bool skipFrame)
{
    addressBias = bias;
    bindSections(image, ignoreAranges);
    if (!skipFrame)
        bind(image, ".debug_frame", frames.data, frames.size);
    if (!debugInfo)
        return;
    if (!debugAbbrev) {
        dwarfWarning(".debug_info without .debug_abbrev; its units are not read");
        return;
    }
    openUnits();
    finishRows();
    std::stable_sort(units.begin(), units.end(),
                     [](const auto& a, const auto& b) { return a->offset < b->offset; });
    if (!rangesLoaded)
        sortRanges(addressRanges);
    if (!pubnamesLoaded)
        sortNames(pubnames);
}

// The tables are read as their sections are bound, before any unit.
void DwarfDebugInfo::bindSections(const ElfFile& image, bool ignoreAranges)
{
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
    bind(image, ".debug_abbrev", debugAbbrev, debugAbbrevSize);
    bind(image, ".debug_info", debugInfo, debugInfoSize);
    bind(image, ".debug_loc", debugLoc, debugLocSize);
    bind(image, ".debug_str", debugStr, debugStrSize);
    if (bind(image, ".debug_pubnames", bytes, size)) {
        parseNames(pubnames, bytes, size, ".debug_pubnames");
        pubnamesLoaded = true;
    }
    if (bind(image, ".debug_pubtypes", bytes, size))
        parseNames(pubtypes, bytes, size, ".debug_pubtypes");
    if (!ignoreAranges && bind(image, ".debug_aranges", bytes, size)) {
        parseRanges(addressRanges, bytes, size);
        rangesLoaded = true;
    }
    bind(image, ".debug_ranges", debugRanges, debugRangesSize);
    bind(image, ".debug_line", debugLine, debugLineSize);
    bind(image, ".debug_macro", macros.bytes, macros.size);
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
        readUnitTables(unit);
        if (unit.truncated) {
            dwarfWarning("unit at 0x%x: its length runs past the end of .debug_info; it is read up to there", offset);
            return;
        }
        offset += unit.length();
    }
}

// The unit's line program and, without .debug_pubnames, its public names. Units made by
// clang keep all their rows, and their ranges join the range table at once, since later
// units' rows are filtered through it.
void DwarfDebugInfo::readUnitTables(DwarfCompilationUnit& unit)
{
    if (unit.headerEntry) {
        auto producer = unit.headerEntry->lookupAttribute(DW_AT_producer, false);
        if (producer && producer->valueClass == DwarfValueClass::String && producer->data
            && strstr(producer->text(), "clang")) {
            decodeLineProgram(*this, false, unit);
            sortRanges(addressRanges);
        } else {
            decodeLineProgram(*this, rangesLoaded, unit);
        }
    }
    if (!pubnamesLoaded) {
        collectNames(pubnames, unit);
        // The tree is freed at once (the table keeps what it needs), also when naming an
        // earlier unit's entries read it, and read again on need: the listing reads one tree
        // at a time, so that a large image never holds all its trees.
        unit.releaseEntries();
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
