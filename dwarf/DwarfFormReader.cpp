#include "dwarf/DwarfFormReader.h"
#include "common/ByteOrder.h"
#include "common/Leb128.h"
#include "dwarf/DwarfAbbreviation.h"
#include "dwarf/DwarfConstants.h"
#include <cstring>

namespace {

typedef DwarfValueClass C;

bool available(const uint8_t* cursor, const DwarfFormContext& context, uint32_t count)
{
    return uint32_t(context.end - cursor) >= count;
}

// LEB128 that must end (a byte with bit 7 clear) before the context's end.
bool readUleb(const uint8_t*& cursor, const DwarfFormContext& context, uint32_t& result)
{
    if (cursor >= context.end)
        return false;
    result = readUleb128(cursor, context.end);
    return !(cursor[-1] & 0x80);
}

bool readSleb(const uint8_t*& cursor, const DwarfFormContext& context, uint32_t& result)
{
    if (cursor >= context.end)
        return false;
    result = uint32_t(readSleb128(cursor, context.end));
    return !(cursor[-1] & 0x80);
}

void set(DwarfAttributeValue& value, DwarfValueClass valueClass, uint32_t number, const void* data)
{
    value.valueClass = valueClass;
    value.value = number;
    value.data = data;
}

DwarfFormStatus fixed(const uint8_t*& cursor, const DwarfFormContext& context, uint32_t size,
                      DwarfValueClass valueClass, DwarfAttributeValue& value, const void* data = nullptr)
{
    if (!available(cursor, context, size))
        return DwarfFormStatus::Truncated;
    uint32_t number = size == 1 ? cursor[0]
                    : size == 2 ? readU16(cursor, context.byteOrder)
                                : readU32(cursor, context.byteOrder);
    set(value, valueClass, number, data);
    cursor += size;
    return DwarfFormStatus::Decoded;
}

// Eight bytes kept as they are: data8 as a block, ref8 and ref_sig8 as references.
DwarfFormStatus eightBytes(const uint8_t*& cursor, const DwarfFormContext& context,
                           DwarfValueClass valueClass, DwarfAttributeValue& value)
{
    if (!available(cursor, context, 8))
        return DwarfFormStatus::Truncated;
    set(value, valueClass, 8, cursor);
    cursor += 8;
    return DwarfFormStatus::Decoded;
}

DwarfFormStatus block(const uint8_t*& cursor, const DwarfFormContext& context, uint32_t length,
                      DwarfAttributeValue& value)
{
    if (!available(cursor, context, length))
        return DwarfFormStatus::Truncated;
    set(value, C::Block, length, cursor);
    cursor += length;
    return DwarfFormStatus::Decoded;
}

DwarfFormStatus blockWithFixedLength(const uint8_t*& cursor, const DwarfFormContext& context,
                                     uint32_t lengthSize, DwarfAttributeValue& value)
{
    if (fixed(cursor, context, lengthSize, C::Block, value) != DwarfFormStatus::Decoded)
        return DwarfFormStatus::Truncated;
    return block(cursor, context, value.value, value);
}

DwarfFormStatus blockWithLebLength(const uint8_t*& cursor, const DwarfFormContext& context,
                                   DwarfAttributeValue& value)
{
    uint32_t length;
    if (!readUleb(cursor, context, length))
        return DwarfFormStatus::Truncated;
    return block(cursor, context, length, value);
}

DwarfFormStatus inlineString(const uint8_t*& cursor, const DwarfFormContext& context,
                             DwarfAttributeValue& value)
{
    const void* terminator = memchr(cursor, 0, size_t(context.end - cursor));
    if (!terminator)
        return DwarfFormStatus::Truncated;
    uint32_t length = uint32_t(static_cast<const uint8_t*>(terminator) - cursor);
    set(value, C::String, length + 1, cursor);
    cursor += length + 1;
    return DwarfFormStatus::Decoded;
}

DwarfFormStatus stringPointer(const uint8_t*& cursor, const DwarfFormContext& context,
                              DwarfAttributeValue& value)
{
    if (!available(cursor, context, 4))
        return DwarfFormStatus::Truncated;
    uint32_t length = 0;
    const char* text = debugString(context.strings, context.stringsSize,
                                   readU32(cursor, context.byteOrder), length);
    set(value, C::String, length, text);
    cursor += 4;
    return DwarfFormStatus::Decoded;
}

DwarfFormStatus leb(const uint8_t*& cursor, const DwarfFormContext& context, bool isSigned,
                    DwarfValueClass valueClass, DwarfAttributeValue& value, const void* data = nullptr)
{
    uint32_t number;
    if (!(isSigned ? readSleb(cursor, context, number) : readUleb(cursor, context, number)))
        return DwarfFormStatus::Truncated;
    set(value, valueClass, number, data);
    return DwarfFormStatus::Decoded;
}

// The text at `offset` of a string section, as DW_FORM_strp: no text when it is not there.
void sectionString(const DwarfSectionBytes& section, uint32_t offset, DwarfAttributeValue& value)
{
    uint32_t length = 0;
    const char* text = debugString(section.bytes, section.size, offset, length);
    set(value, C::String, length, text);
}

// The index operand of strx, addrx, loclistx and rnglistx forms: 1 to 4 bytes, or ULEB128.
DwarfFormStatus readIndex(uint32_t form, const uint8_t*& cursor, const DwarfFormContext& context,
                          uint32_t& index)
{
    uint32_t size = form >= DW_FORM_addrx1 ? form - DW_FORM_addrx1 + 1
                  : form >= DW_FORM_strx1 ? form - DW_FORM_strx1 + 1 : 0;
    if (size == 0)
        return readUleb(cursor, context, index) ? DwarfFormStatus::Decoded : DwarfFormStatus::Truncated;
    if (!available(cursor, context, size))
        return DwarfFormStatus::Truncated;
    index = 0;
    for (uint32_t i = 0; i < size; ++i)
        index = context.byteOrder ? index << 8 | cursor[i] : index | uint32_t(cursor[i]) << (8 * i);
    cursor += size;
    return DwarfFormStatus::Decoded;
}

// A string by index: .debug_str_offsets entry, then the text in .debug_str.
void indexedString(uint32_t index, const DwarfFormContext& context, DwarfAttributeValue& value)
{
    uint32_t offset = 0;
    if (offsetTableEntry(context.sections5->strOffsets, context.bases.strOffsets, index, context.byteOrder, offset))
        sectionString(DwarfSectionBytes{context.strings, context.stringsSize}, offset, value);
    else
        set(value, C::String, 0, nullptr);
}

// A range or location list by index, as the .debug_rnglists or .debug_loclists offset
// that DW_FORM_sec_offset would give (0 when the index is outside the offsets table).
void indexedList(const DwarfSectionBytes& section, uint32_t base, uint32_t index, const DwarfFormContext& context,
                 DwarfAttributeValue& value)
{
    uint32_t offset = 0;
    bool found = offsetTableEntry(section, base, index, context.byteOrder, offset);
    set(value, C::Reference, found ? base + offset : 0, nullptr);
}

// Forms that version 5 added, read like their older counterparts: indexed strings as
// DW_FORM_strp, indexed addresses as DW_FORM_addr, list indexes as DW_FORM_sec_offset.
DwarfFormStatus readVersion5Form(uint32_t form, const uint8_t*& cursor, const DwarfFormContext& context,
                                 DwarfAttributeValue& value)
{
    const Dwarf5Sections& sections = *context.sections5;
    uint32_t index = 0;
    switch (form) {
    case DW_FORM_line_strp:
        if (!available(cursor, context, 4))
            return DwarfFormStatus::Truncated;
        sectionString(sections.lineStr, readU32(cursor, context.byteOrder), value);
        cursor += 4;
        return DwarfFormStatus::Decoded;
    case DW_FORM_data16: return block(cursor, context, 16, value);
    case DW_FORM_ref_sup4:
    case DW_FORM_strp_sup: return fixed(cursor, context, 4, C::Reference, value);
    case DW_FORM_ref_sup8: return eightBytes(cursor, context, C::Reference, value);
    case DW_FORM_strx: case DW_FORM_strx1: case DW_FORM_strx2: case DW_FORM_strx3: case DW_FORM_strx4:
    case DW_FORM_addrx: case DW_FORM_addrx1: case DW_FORM_addrx2: case DW_FORM_addrx3: case DW_FORM_addrx4:
    case DW_FORM_loclistx:
    case DW_FORM_rnglistx:
        break;
    default:
        set(value, C::Constant, 0, nullptr);
        return DwarfFormStatus::UnknownForm;
    }
    if (readIndex(form, cursor, context, index) != DwarfFormStatus::Decoded)
        return DwarfFormStatus::Truncated;
    if (form == DW_FORM_loclistx) {
        indexedList(sections.loclists, context.bases.loclists, index, context, value);
    } else if (form == DW_FORM_rnglistx) {
        indexedList(sections.rnglists, context.bases.rnglists, index, context, value);
    } else if (form == DW_FORM_strx || (form >= DW_FORM_strx1 && form <= DW_FORM_strx4)) {
        indexedString(index, context, value);
    } else {
        uint32_t address = 0;
        addressTableEntry(sections.addr, context.bases.addr, index, context.addressSize, context.byteOrder, address);
        set(value, C::Constant, address, nullptr);
    }
    return DwarfFormStatus::Decoded;
}

DwarfFormStatus readDirectForm(uint32_t form, const uint8_t*& cursor, const DwarfFormContext& context,
                               DwarfAttributeValue& value)
{
    switch (form) {
    case DW_FORM_addr:
    case DW_FORM_data4: return fixed(cursor, context, 4, C::Constant, value);
    case DW_FORM_block2: return blockWithFixedLength(cursor, context, 2, value);
    case DW_FORM_block4: return blockWithFixedLength(cursor, context, 4, value);
    case DW_FORM_data2: return fixed(cursor, context, 2, C::Constant, value);
    case DW_FORM_data8: return eightBytes(cursor, context, C::Block, value);
    case DW_FORM_string: return inlineString(cursor, context, value);
    case DW_FORM_block:
    case DW_FORM_exprloc: return blockWithLebLength(cursor, context, value);
    case DW_FORM_block1: return blockWithFixedLength(cursor, context, 1, value);
    case DW_FORM_data1:
    case DW_FORM_flag: return fixed(cursor, context, 1, C::Constant, value);
    case DW_FORM_sdata: return leb(cursor, context, true, C::SignedConstant, value);
    case DW_FORM_strp: return stringPointer(cursor, context, value);
    case DW_FORM_udata: return leb(cursor, context, false, C::Constant, value);
    case DW_FORM_ref_addr:
    case DW_FORM_sec_offset: return fixed(cursor, context, 4, C::Reference, value);
    case DW_FORM_ref1: return fixed(cursor, context, 1, C::Reference, value, context.unit);
    case DW_FORM_ref2: return fixed(cursor, context, 2, C::Reference, value, context.unit);
    case DW_FORM_ref4: return fixed(cursor, context, 4, C::Reference, value, context.unit);
    case DW_FORM_ref8:
    case DW_FORM_ref_sig8: return eightBytes(cursor, context, C::Reference, value);
    case DW_FORM_ref_udata: return leb(cursor, context, false, C::Reference, value, context.unit);
    case DW_FORM_flag_present: set(value, C::Constant, 1, nullptr); return DwarfFormStatus::Decoded;
    default:
        if (context.sections5)
            return readVersion5Form(form, cursor, context, value);
        set(value, C::Constant, 0, nullptr);
        return DwarfFormStatus::UnknownForm;
    }
}

}

const char* debugString(const uint8_t* strings, uint32_t size, uint32_t offset, uint32_t& length)
{
    length = 0;
    if (!strings || offset >= size)
        return nullptr;
    const void* terminator = memchr(strings + offset, 0, size - offset);
    if (!terminator)
        return nullptr;
    length = uint32_t(static_cast<const uint8_t*>(terminator) - (strings + offset));
    return reinterpret_cast<const char*>(strings + offset);
}

DwarfFormStatus readFormValue(uint32_t form, const uint8_t*& cursor, const DwarfFormContext& context,
                              DwarfAttributeValue& value)
{
    // Each indirection consumes at least one byte, so this loop ends at the context's end.
    while (form == DW_FORM_indirect) {
        if (!readUleb(cursor, context, form))
            return DwarfFormStatus::Truncated;
    }
    value.form = form;
    return readDirectForm(form, cursor, context, value);
}

DwarfFormStatus readAttributeValue(const DwarfAbbreviation& abbreviation, uint32_t index, const uint8_t*& cursor,
                                   const DwarfFormContext& context, DwarfAttributeValue& value)
{
    uint32_t form = abbreviation.attributeForms[index].second;
    if (form == DW_FORM_implicit_const && !abbreviation.implicitConstants.empty()) {
        value.form = form;
        set(value, C::SignedConstant, uint32_t(abbreviation.implicitConstants[index]), nullptr);
        return DwarfFormStatus::Decoded;
    }
    return readFormValue(form, cursor, context, value);
}
