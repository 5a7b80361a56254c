#include "dwarf/RegisterTypeWriter.h"
#include "dwarf/DwarfBitField.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfLocationExpressionEvaluator.h"
#include "dwarf/DwarfTypeConstants.h"
#include "dwarf/DwarfWarning.h"
#include <algorithm>
#include <cstring>
#include <optional>

namespace {

const char* const readOnly = "ReadOnly";

std::optional<uint32_t> attributeValue(const DwarfDebuggingInformationEntry* entry, uint32_t attribute)
{
    std::optional<DwarfAttributeValue> value = entry->lookupAttribute(attribute, false);
    return value ? std::optional<uint32_t>(value->value) : std::nullopt;
}

bool startsWith(const char* text, const char* prefix)
{
    return strncmp(text, prefix, strlen(prefix)) == 0;
}

// Version-5 units place bit fields with DW_AT_data_bit_offset; they are read in the
// version-4 numbering (DwarfBitField.h). Older units keep only DW_AT_bit_offset.
bool isBitFieldMember(const DwarfDebuggingInformationEntry* child)
{
    return (attributeValue(child, DW_AT_bit_size) && attributeValue(child, DW_AT_bit_offset))
        || version4BitField(child);
}

uint32_t bitOffset(const DwarfDebuggingInformationEntry* member)
{
    if (auto value = attributeValue(member, DW_AT_bit_offset))
        return *value;
    auto placed = version4BitField(member);
    return placed ? placed->bitOffset : 0;
}

// A block-form member location is evaluated from a base address of 0.
uint32_t evaluateMemberOffset(const DwarfDebuggingInformationEntry* member)
{
    std::optional<DwarfAttributeValue> location = member->lookupAttribute(DW_AT_data_member_location, false);
    if (!location) {
        auto placed = version4BitField(member);
        return placed ? placed->memberOffset : 0;
    }
    if (location->valueClass != DwarfValueClass::Block)
        return location->value;
    theEvaluator.push(0, EntryKind::Address, nullptr);
    theEvaluator.setCurrentEntry(member);
    theEvaluator.evaluate(location->bytes(), location->value);
    bool isRegister;
    bool isValue;
    return uint32_t(theEvaluator.result(isRegister, isValue));
}

template <typename Value, typename Compute>
Value remembered(std::unordered_map<const DwarfDebuggingInformationEntry*, Value>& known,
                 const DwarfDebuggingInformationEntry* entry, Compute compute)
{
    auto found = known.find(entry);
    if (found != known.end())
        return found->second;
    Value value = compute(entry);
    known.emplace(entry, value);
    return value;
}

} // namespace

uint32_t RegisterTypeWriter::memberOffset(const DwarfDebuggingInformationEntry* member)
{
    return remembered(memberOffsets, member, evaluateMemberOffset);
}

bool RegisterTypeWriter::isBitField(const DwarfDebuggingInformationEntry* member)
{
    return remembered(bitFields, member, isBitFieldMember);
}

bool RegisterTypeWriter::hasBitField(const DwarfDebuggingInformationEntry* structure)
{
    return remembered(bitFieldStructures, structure, [this](const DwarfDebuggingInformationEntry* entry) {
        for (const DwarfDebuggingInformationEntry* child = entry->firstChild; child; child = child->nextSibling) {
            if (isBitField(child))
                return true;
        }
        return false;
    });
}

void RegisterTypeWriter::startGroup(const char* name)
{
    typesLeft = maxTypesPerGroup;
    budgetReported = false;
    groupName = name;
}

const DwarfDebuggingInformationEntry* RegisterTypeWriter::typeOf(const DwarfDebuggingInformationEntry* entry) const
{
    return remembered(types, entry, [this](const DwarfDebuggingInformationEntry* typed) {
        std::optional<DwarfAttributeValue> type = typed->lookupAttribute(DW_AT_type, false);
        return type ? reader.resolveReference(*type) : nullptr;
    });
}

uint32_t RegisterTypeWriter::writeRegisterType(const DwarfDebuggingInformationEntry* type, const std::string& name,
                                               uint32_t offset, const char* access)
{
    if (!mayEnter(type))
        return offset;
    // A type known to write nothing is skipped, charged the visits its walk took. When the
    // budget would run out inside it, the walk would write nothing and leave nothing to
    // write after it in this group: the budget is spent at once (the offset no longer
    // matters). A walk that was cut short is known only to need more than it had.
    auto silent = silentTypes.find(type);
    if (silent != silentTypes.end()) {
        if (silent->second.visits > typesLeft) {
            typesLeft = 0;
            typesAllowed();
            return offset;
        }
        if (!silent->second.cutShort) {
            typesLeft -= silent->second.visits;
            return offset + silent->second.advance;
        }
    }
    uint32_t typesLeftBefore = typesLeft;
    uint64_t linesBefore = linesWritten;
    uint64_t refusalsBefore = refusals;
    typesInProgress.push_back(type);
    uint32_t next = writeType(type, name, offset, access);
    typesInProgress.pop_back();
    // Without a refusal (which depends on the path), a walk that wrote nothing writes
    // nothing wherever the type is reached again: structures of many members that each
    // lead to the same empty structure, or many groups of one huge array of such a type,
    // would otherwise cost the product of their sizes.
    if (linesWritten == linesBefore && refusals == refusalsBefore) {
        uint32_t visits = budgetReported ? typesLeftBefore + 1 : typesLeftBefore - typesLeft;
        silentTypes.insert_or_assign(type, SilentType{visits, next - offset, budgetReported});
    }
    return next;
}

bool RegisterTypeWriter::isRefused(const DwarfDebuggingInformationEntry* type)
{
    bool refused = !type || typesInProgress.size() >= maxTypeDepth
           || std::find(typesInProgress.begin(), typesInProgress.end(), type) != typesInProgress.end();
    refusals += refused;
    return refused;
}

// A refused type counts too, so that a structure of many members that lead back to it
// stays within the budget.
bool RegisterTypeWriter::mayEnter(const DwarfDebuggingInformationEntry* type)
{
    if (!type || !typesAllowed())
        return false;
    --typesLeft;
    return !isRefused(type);
}

bool RegisterTypeWriter::typesAllowed()
{
    if (typesLeft > 0)
        return true;
    if (!budgetReported)
        dwarfWarning("register group %s: more than %u types; the rest is not written", groupName.c_str(),
                     maxTypesPerGroup);
    budgetReported = true;
    return false;
}

uint32_t RegisterTypeWriter::writeType(const DwarfDebuggingInformationEntry* type, const std::string& name,
                                       uint32_t offset, const char* access)
{
    switch (type->tag) {
    case DW_TAG_base_type: {
        std::optional<uint32_t> size = attributeValue(type, DW_AT_byte_size);
        if (!size)
            return offset;
        ++linesWritten;
        fprintf(stream, "  <Register name=\"%s\" start=\"+0x%04x\" size=\"%d\" access=\"%s\"/>\n", name.c_str(),
                offset, int(*size), access);
        return offset + *size;
    }
    case DW_TAG_pointer_type:   // the group start is the pointer's value: its target sits there
    case DW_TAG_reference_type:
    case DW_TAG_typedef:
    case DW_TAG_volatile_type:
        return writeRegisterType(typeOf(type), name, offset, access);
    case DW_TAG_const_type:
        return writeRegisterType(typeOf(type), name, offset, readOnly);
    case DW_TAG_array_type:
        return writeArray(type, name, offset, access);
    case DW_TAG_structure_type:
    case DW_TAG_class_type:
        return writeStructure(type, name, offset, access);
    case DW_TAG_union_type:
        writeUnion(type, offset, access);
        return offset;
    default:
        return offset;
    }
}

// Elements 0 to the first subrange's upper bound, named by their index.
uint32_t RegisterTypeWriter::writeArray(const DwarfDebuggingInformationEntry* array, const std::string& name,
                                        uint32_t offset, const char* access)
{
    const DwarfDebuggingInformationEntry* element = typeOf(array);
    const DwarfDebuggingInformationEntry* subrange = array->firstChild;
    // A refused element type writes nothing for any index, however many there are.
    if (isRefused(element) || !subrange || subrange->tag != DW_TAG_subrange_type)
        return offset;
    std::optional<uint32_t> upperBound = attributeValue(subrange, DW_AT_upper_bound);
    if (!upperBound || *upperBound == 0xFFFFFFFF)
        return offset;
    for (uint64_t i = 0; i <= *upperBound && typesAllowed(); ++i)
        offset = writeRegisterType(element, name + std::to_string(i), offset, access);
    return offset;
}

// A named structure with bit fields is one register; otherwise each member is written
// at its own member offset.
uint32_t RegisterTypeWriter::writeStructure(const DwarfDebuggingInformationEntry* structure,
                                            const std::string& name, uint32_t offset, const char* access)
{
    std::optional<uint32_t> byteSize = attributeValue(structure, DW_AT_byte_size);
    if (!name.empty() && hasBitField(structure))
        writeBitFieldRegister(structure, name, offset, byteSize.value_or(4), access);
    else
        writeMembers(structure, name, offset, access);
    return byteSize ? offset + *byteSize : offset;
}

// Only the last member of a union is written, under its own name.
void RegisterTypeWriter::writeUnion(const DwarfDebuggingInformationEntry* unionType, uint32_t offset,
                                    const char* access)
{
    const DwarfDebuggingInformationEntry* last = unionType->firstChild;
    if (!last)
        return;
    while (last->nextSibling)
        last = last->nextSibling;
    if (const DwarfDebuggingInformationEntry* type = typeOf(last))
        writeRegisterType(type, last->name(), offset, access);
}

void RegisterTypeWriter::writeBitFieldRegister(const DwarfDebuggingInformationEntry* structure,
                                               const std::string& name, uint32_t offset, uint32_t size,
                                               const char* access)
{
    ++linesWritten;
    fprintf(stream, "  <Register name=\"%s\" start=\"+0x%04x\" size=\"%d\" access=\"%s\">\n", name.c_str(), offset,
            int(size), access);
    for (const DwarfDebuggingInformationEntry* child = structure->firstChild; child; child = child->nextSibling) {
        if (!isBitField(child) || startsWith(child->name(), "res"))
            continue;
        uint32_t bitSize = *attributeValue(child, DW_AT_bit_size);
        writeBitFieldField(child->name(), size * 8 - (bitOffset(child) + bitSize), bitSize);
    }
    fputs("  </Register>\n", stream);
}

void RegisterTypeWriter::writeMembers(const DwarfDebuggingInformationEntry* structure, const std::string& name,
                                      uint32_t offset, const char* access)
{
    for (const DwarfDebuggingInformationEntry* child = structure->firstChild; child; child = child->nextSibling) {
        const char* memberName = child->name();
        if (child->tag != DW_TAG_member || startsWith(memberName, "RES") || startsWith(memberName, "Reserved"))
            continue;
        uint32_t at = offset + memberOffset(child);
        if (!isBitField(child)) {
            writeRegisterType(typeOf(child), name + memberName, at, access);
            continue;
        }
        // A bit field outside a named register: a register of its own, without a size.
        ++linesWritten;
        fprintf(stream, "  <Register name=\"%s\" start=\"+0x%04x\" access=\"%s\">\n", memberName, at, access);
        uint32_t bitSize = *attributeValue(child, DW_AT_bit_size);
        writeBitFieldField(memberName, 32 - (bitOffset(child) + bitSize), bitSize);
        fputs("  </Register>\n", stream);
    }
}

void RegisterTypeWriter::writeBitFieldField(const char* name, uint32_t start, uint32_t size)
{
    fprintf(stream, "    <BitField name=\"%s\" start=\"%d\" size=\"%d\"/>\n", name, int(start), int(size));
}
