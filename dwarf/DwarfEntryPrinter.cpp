#include "dwarf/DwarfEntryPrinter.h"
#include "dwarf/DwarfAttributeIterator.h"
#include "dwarf/DwarfCompilationUnit.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfFileTable.h"
#include "dwarf/DwarfNames.h"
#include "dwarf/DwarfRangeList.h"

#include <algorithm>

namespace {

// Compilers nest entries a few dozen deep at most; damaged units can nest thousands, and
// an indentation that kept growing would make the listing quadratic in their size.
const int maximumIndentLevel = 64;

}

void DwarfEntryPrinter::indent(int level)
{
    static const char spaces[2 * maximumIndentLevel + 1] =
        "                                                                "
        "                                                                ";
    out.bytes(spaces, 2 * size_t(std::min(level, maximumIndentLevel)));
}

void DwarfEntryPrinter::printEntryChain(const DwarfDebuggingInformationEntry* entry, int level)
{
    // Walked without recursion: damaged units can nest entries very deeply.
    const int chainLevel = level;
    while (entry) {
        printEntry(*entry, level);
        if (entry->firstChild) {
            entry = entry->firstChild;
            ++level;
            continue;
        }
        while (!entry->nextSibling && level > chainLevel) {
            entry = entry->parent;
            --level;
        }
        entry = entry->nextSibling;
    }
}

void DwarfEntryPrinter::printEntry(const DwarfDebuggingInformationEntry& entry, int level)
{
    indent(level);
    out.text(tagName(entry.tag, entry.unit->version).text());
    out.bytes(" (0x", 4);
    out.hex(entry.offset, true);
    out.bytes(")\n", 2);
    DwarfAttributeIterator iterator(entry);
    DwarfAttributeValue value;
    while (iterator.next(value)) {
        indent(level);
        printAttribute(value, entry.unit->version);
        printAddition(entry, value);
        out.character('\n');
    }
    out.character('\n');
}

void DwarfEntryPrinter::printAttribute(const DwarfAttributeValue& value, uint32_t version)
{
    out.text(attributeName(value.attribute, version).text());
    out.character(' ');
    out.text(formName(value.form, version).text());
    out.character(' ');
    switch (value.valueClass) {
    case DwarfValueClass::Constant:
    case DwarfValueClass::Reference:
        out.bytes("0x", 2);
        out.hex(value.value);
        out.character(' ');
        break;
    case DwarfValueClass::SignedConstant:
        out.decimal(int32_t(value.value));
        out.character(' ');
        break;
    case DwarfValueClass::Block:
        for (uint32_t i = 0; i < value.value; ++i) {
            out.bytes("0x", 2);
            out.hexByte(value.bytes()[i]);
            out.character(' ');
        }
        break;
    case DwarfValueClass::String:
        // The length is known: the text's length, plus its NUL for DW_FORM_string.
        if (value.data)
            out.bytes(value.text(), value.form == DW_FORM_string ? value.value - 1 : value.value);
        break;
    }
}

void DwarfEntryPrinter::printAddition(const DwarfDebuggingInformationEntry& entry, const DwarfAttributeValue& value)
{
    switch (value.attribute) {
    case DW_AT_abstract_origin:
    case DW_AT_specification:
        // A reference into a unit not read yet reads it, and its diagnostics go to
        // standard output: keep the order of what was written so far.
        if (value.form == DW_FORM_ref_addr)
            out.flush();
        if (value.attribute == DW_AT_abstract_origin)
            printReferencedEntry(entry.abstractOrigin(), "getAbstractOrigin() failed");
        else
            printReferencedEntry(entry.specification(), "getSpecification() failed");
        break;
    case DW_AT_decl_file:
        printFilePath(*entry.unit, value.value);
        break;
    case DW_AT_ranges:
        if (entry.unit->isVersion5())
            forEachRnglistRange(*entry.unit, value.value, [this](uint32_t begin, uint32_t end) { printRange(begin, end); });
        else
            printRanges(entry, value.value);
        break;
    default:
        break;
    }
}

void DwarfEntryPrinter::printReferencedEntry(const DwarfDebuggingInformationEntry* target, const char* failure)
{
    if (!target) {
        out.text(failure);
        return;
    }
    out.text(tagName(target->tag, target->unit->version).text());
    out.bytes(" (0x", 4);
    out.hex(target->offset, true);
    out.character(')');
}

void DwarfEntryPrinter::printFilePath(const DwarfCompilationUnit& unit, uint32_t number)
{
    uint32_t index = 0;
    if (!fileIndex(unit, number, index))
        return;
    if (pathsUnit != &unit || paths.size() != unit.fileTable.size()) {
        pathsUnit = &unit;
        paths.assign(unit.fileTable.size(), std::string());
        pathKnown.assign(unit.fileTable.size(), false);
    }
    if (!pathKnown[index]) {
        paths[index] = filePath(unit, number);
        pathKnown[index] = true;
    }
    out.bytes(paths[index].data(), paths[index].size());
}

void DwarfEntryPrinter::printRanges(const DwarfDebuggingInformationEntry& entry, uint32_t offset)
{
    forEachRangePair(*entry.unit->owner, offset, entry.byteOrder(),
                     [this](uint32_t begin, uint32_t end) { printRange(begin, end); });
}

// "0x%X-0x%X ", as a .debug_ranges pair prints.
void DwarfEntryPrinter::printRange(uint32_t begin, uint32_t end)
{
    out.bytes("0x", 2);
    out.hex(begin, true);
    out.bytes("-0x", 3);
    out.hex(end, true);
    out.character(' ');
}

void printEntryChain(const DwarfDebuggingInformationEntry* entry, FILE* stream, int level)
{
    DwarfTextWriter writer(stream);
    DwarfEntryPrinter(writer).printEntryChain(entry, level);
}

void printEntry(const DwarfDebuggingInformationEntry& entry, FILE* stream, int level)
{
    DwarfTextWriter writer(stream);
    DwarfEntryPrinter(writer).printEntry(entry, level);
}

void printAttribute(const DwarfAttributeValue& value, FILE* stream)
{
    DwarfTextWriter writer(stream);
    DwarfEntryPrinter(writer).printAttribute(value);
}
