#pragma once
// One abbreviation of a .debug_abbrev table: the tag, the children flag and the
// (attribute, form) pairs that every entry using its code has.
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

class DwarfAbbreviation {
public:
    uint32_t code = 0;
    uint32_t tag = 0;
    bool hasChildren = false;
    std::vector<std::pair<uint32_t, uint32_t>> attributeForms;   // (attribute, form)
    // The byte size of an entry's attributes when every form has a fixed size, else -1;
    // lets the tree read step over such entries without decoding them.
    int32_t fixedSize = -1;
    // Version-5 tables: the value that follows each DW_FORM_implicit_const (attribute,
    // form) pair, one slot per pair; empty when the abbreviation has none.
    std::vector<int32_t> implicitConstants;

    // True when entries of this code have the attribute.
    bool hasAttribute(uint32_t attribute) const
    {
        if (!sortedAttributes.empty())
            return std::binary_search(sortedAttributes.begin(), sortedAttributes.end(), attribute);
        for (const auto& pair : attributeForms) {
            if (pair.first == attribute)
                return true;
        }
        return false;
    }
    // The attribute codes in order, kept only for abbreviations of more than
    // sortedAttributesFrom attributes: lookups follow DW_AT_specification chains of up to 16
    // entries, and a scan of a damaged abbreviation's thousands of pairs at each step made a
    // small file take minutes.
    static const size_t sortedAttributesFrom = 8;
    std::vector<uint32_t> sortedAttributes;
};

// Reads the table that starts at `cursor` (bounded by `end`) and appends its
// abbreviations, unsorted. A table cut short by `end` keeps what was read. A table read for
// version-5 units (`version5`) knows the forms that version added, and the value that
// follows each DW_FORM_implicit_const.
void readAbbreviationTable(const uint8_t* cursor, const uint8_t* end,
                           std::vector<DwarfAbbreviation>& abbreviations, bool version5 = false);
