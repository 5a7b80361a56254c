#include "dwarf/DwarfHexDump.h"

void printHexDump(FILE* stream, const uint8_t* section, uint32_t sectionSize, int64_t start, uint32_t count)
{
    for (uint32_t row = 0; row <= count / 16; ++row) {
        char characters[17];
        for (uint32_t column = 0; column < 16; ++column) {
            uint32_t index = row * 16 + column;
            int64_t offset = start + index;
            bool present = index < count && offset >= 0 && offset < sectionSize;
            uint8_t byte = present ? section[offset] : 0;
            if (present)
                fprintf(stream, " %02X", byte);
            else
                fputs("   ", stream);
            characters[column] = !present ? ' ' : (byte >= 0x20 && byte < 0x7F) ? char(byte) : '.';
        }
        characters[16] = 0;
        fprintf(stream, "  %s\n", characters);
    }
}
