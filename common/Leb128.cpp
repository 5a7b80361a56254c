#include "common/Leb128.h"

uint32_t readUleb128(const uint8_t*& cursor, const uint8_t* end)
{
    uint32_t result = 0;
    unsigned shift = 0;
    while (cursor < end) {
        uint8_t byte = *cursor++;
        if (shift < 32)
            result |= uint32_t(byte & 0x7F) << shift;
        shift += 7;
        if (!(byte & 0x80))
            break;
    }
    return result;
}

int32_t readSleb128(const uint8_t*& cursor, const uint8_t* end)
{
    uint32_t result = 0;
    unsigned shift = 0;
    uint8_t byte = 0;
    while (cursor < end) {
        byte = *cursor++;
        if (shift < 32)
            result |= uint32_t(byte & 0x7F) << shift;
        shift += 7;
        if (!(byte & 0x80))
            break;
    }
    if (shift < 32 && (byte & 0x40))
        result |= ~uint32_t(0) << shift;
    return int32_t(result);
}
