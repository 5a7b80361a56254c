#include "dwarf/DwarfAbbreviation.h"
#include "common/Leb128.h"

namespace {

void readSpecifications(const uint8_t*& cursor, const uint8_t* end, DwarfAbbreviation& abbreviation)
{
    while (cursor < end) {
        uint32_t attribute = readUleb128(cursor, end);
        uint32_t form = readUleb128(cursor, end);
        if (attribute == 0 && form == 0)
            return;
        // A pair with one zero is malformed; producers never write it, so pass over it.
        if (attribute != 0 && form != 0)
            abbreviation.specifications.emplace_back(attribute, form);
    }
}

}

void readAbbreviationTable(const uint8_t* cursor, const uint8_t* end,
                           std::vector<DwarfAbbreviation>& abbreviations)
{
    while (cursor < end) {
        uint32_t code = readUleb128(cursor, end);
        if (code == 0) {
            // A stray zero code: the table only ends at a second zero.
            if (cursor >= end || *cursor == 0)
                return;
            continue;
        }
        if (cursor >= end)
            return;
        abbreviations.emplace_back();
        DwarfAbbreviation& abbreviation = abbreviations.back();
        abbreviation.code = code;
        abbreviation.tag = readUleb128(cursor, end);
        abbreviation.hasChildren = cursor < end && *cursor++ != 0;
        readSpecifications(cursor, end, abbreviation);
        if (cursor >= end || *cursor == 0)
            return;
    }
}
