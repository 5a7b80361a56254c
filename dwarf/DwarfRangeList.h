#pragma once
// A range list of .debug_ranges: pairs of 4-byte words (begin, end) in the image byte order,
// up to a pair whose begin is 0, or the end of the section.
#include "common/ByteCursor.h"
#include "dwarf/DwarfDebugInfo.h"

template <class Visit>
void forEachRangePair(const DwarfDebugInfo& reader, uint32_t offset, uint32_t byteOrder, Visit visit)
{
    ByteCursor cursor(reader.debugRanges, reader.debugRangesSize, int(byteOrder));
    cursor.seek(offset);
    for (;;) {
        uint32_t begin = cursor.readU32();
        uint32_t end = cursor.readU32();
        if (cursor.failed() || begin == 0)
            return;
        visit(begin, end);
    }
}
