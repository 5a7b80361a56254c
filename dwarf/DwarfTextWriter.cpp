#include "dwarf/DwarfTextWriter.h"

namespace {
const char lowerDigits[] = "0123456789abcdef";
const char upperDigits[] = "0123456789ABCDEF";
}

void DwarfTextWriter::hex(uint32_t value, bool upperCase)
{
    const char* digits = upperCase ? upperDigits : lowerDigits;
    char text[8];
    int start = 8;
    do {
        text[--start] = digits[value & 0xF];
        value >>= 4;
    } while (value);
    bytes(text + start, size_t(8 - start));
}

void DwarfTextWriter::hexByte(uint8_t value)
{
    char text[2] = {lowerDigits[value >> 4], lowerDigits[value & 0xF]};
    bytes(text, 2);
}

void DwarfTextWriter::decimal(int32_t value)
{
    char text[12];
    int start = 12;
    uint32_t magnitude = value < 0 ? 0u - uint32_t(value) : uint32_t(value);
    do {
        text[--start] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        text[--start] = '-';
    bytes(text + start, size_t(12 - start));
}
