#include "dwarf/DwarfFormReader.h"
#include "common/ByteOrder.h"
#include "common/Leb128.h"
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
