#pragma once
// The DWARF model of one ELF image: the DWARF section bytes (pointers into the image, never
// copied or changed), the compilation units of .debug_info, the line map the units' line
// programs fill, and the name, address-range and macro tables. The image must outlive it.
#include "dwarf/Dwarf5Sections.h"
#include "dwarf/DwarfAddressRangeTable.h"
#include "dwarf/DwarfAttributeValue.h"
#include "dwarf/DwarfCompilationUnit.h"
#include "dwarf/DwarfDebuggingInformationEntry.h"
#include "dwarf/DwarfMacroTable.h"
#include "dwarf/DwarfNameTable.h"
#include "dwarf/FrameSection.h"
#include "dwarf/SourceAddressMap.h"
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class ElfFile;

class DwarfDebugInfo : public SourceAddressMap {
public:
    // byteOrder: 0 little-endian, anything else big-endian.
    explicit DwarfDebugInfo(uint32_t byteOrder);
    ~DwarfDebugInfo() override;
    DwarfDebugInfo(const DwarfDebugInfo&) = delete;
    DwarfDebugInfo& operator=(const DwarfDebugInfo&) = delete;

    // Binds the DWARF sections of `image`, reads the name and range tables, opens every
    // unit and decodes its line program. Called once.
    void load(const ElfFile& image, uint32_t bias, bool ignoreAranges, bool skipFrame);

    DwarfCompilationUnit* findUnit(uint32_t unitOffset) const;
    // The unit whose bytes contain this .debug_info offset.
    DwarfCompilationUnit* findUnitContaining(uint32_t sectionOffset) const;
    // The entry a Reference value names; null when it names no entry's first byte, or for
    // DW_FORM_ref8, DW_FORM_ref_sig8 and DW_FORM_sec_offset, which name no entry here.
    DwarfDebuggingInformationEntry* resolveReference(const DwarfAttributeValue& value) const;
    // The abbreviation table at this offset of .debug_abbrev, sorted by code; read on first
    // use and shared by every unit that names the offset (version-5 units read their own
    // copy, which knows the forms of that version).
    const std::vector<DwarfAbbreviation>& abbreviationTable(uint32_t abbreviationOffset, bool version5 = false);

    uint32_t addressBias = 0;
    const uint8_t* debugStr = nullptr;
    uint32_t debugStrSize = 0;
    const uint8_t* debugAbbrev = nullptr;
    uint32_t debugAbbrevSize = 0;
    const uint8_t* debugInfo = nullptr;
    uint32_t debugInfoSize = 0;
    const uint8_t* debugLine = nullptr;
    uint32_t debugLineSize = 0;
    // Before the units, which point into them. Damaged headers can make many small units
    // name one large table: it is read once.
    std::map<uint64_t, std::vector<DwarfAbbreviation>> abbreviationTables;   // by offset, version 5 above 2^32
    std::vector<std::unique_ptr<DwarfCompilationUnit>> units;   // by offset after load
    FrameSection frames;
    const uint8_t* debugLoc = nullptr;
    uint32_t debugLocSize = 0;
    DwarfNameTable pubnames;
    DwarfNameTable pubtypes;
    DwarfAddressRangeTable addressRanges;
    const uint8_t* debugRanges = nullptr;
    uint32_t debugRangesSize = 0;
    DwarfMacroTable macros;
    Dwarf5Sections dwarf5;
    uint32_t byteOrder;
    bool rangesLoaded = false;         // addressRanges came from .debug_aranges
    bool pubnamesLoaded = false;       // pubnames came from .debug_pubnames
    // Unit trees being read at this moment: reading one resolves names through references,
    // which may read further units from inside it.
    uint32_t treeReadsInProgress = 0;
    // Line programs decoded so far: .debug_line offset, and the unit that named it.
    std::map<uint32_t, uint32_t> decodedLinePrograms;
    // Bytes of programs decoded again for further units naming them.
    uint64_t repeatedLineProgramBytes = 0;

private:
    void bindSections(const ElfFile& image, bool ignoreAranges);
    void openUnits();
    void readUnitTables(DwarfCompilationUnit& unit);
};
