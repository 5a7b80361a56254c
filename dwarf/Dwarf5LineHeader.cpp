#include "dwarf/Dwarf5LineHeader.h"
#include "dwarf/DwarfCompilationUnit.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfFileTable.h"
#include "dwarf/DwarfFormReader.h"
#include <vector>

namespace {

enum LineContentType : uint32_t {
    DW_LNCT_path = 1,
    DW_LNCT_directory_index = 2,
};

struct EntryFormat {
    uint32_t contentType;
    uint32_t form;
};

struct TableEntry {
    const char* path = nullptr;
    uint32_t directory = 0;
};

class FileTableReader {
public:
    FileTableReader(ByteCursor& cursor, DwarfCompilationUnit& unit) : cursor(cursor)
    {
        context = unit.formContext();
        context.end = cursor.end();
        // The line-program version decides, not the unit's: the indexed sections are known.
        context.sections5 = &unit.owner->dwarf5;
        context.bases = unit.bases;
        context.addressSize = unit.addressSize;
    }

    // The formats and the count of entries that follow them.
    bool readFormats(uint32_t& count)
    {
        formats.clear();
        uint8_t formatCount = cursor.readU8();
        for (uint8_t i = 0; i < formatCount; ++i)
            formats.push_back(EntryFormat{cursor.readUleb128(), cursor.readUleb128()});
        count = cursor.readUleb128();
        return !cursor.failed();
    }

    // One entry; false when a field cannot be read or the entry takes no bytes (a damaged
    // count would then loop for nothing).
    bool readEntry(TableEntry& entry)
    {
        const uint8_t* position = cursor.position();
        const uint8_t* start = position;
        for (const EntryFormat& format : formats) {
            DwarfAttributeValue value;
            if (readFormValue(format.form, position, context, value) != DwarfFormStatus::Decoded)
                return false;
            if (format.contentType == DW_LNCT_path && value.valueClass == DwarfValueClass::String)
                entry.path = value.text();
            else if (format.contentType == DW_LNCT_directory_index && value.valueClass == DwarfValueClass::Constant)
                entry.directory = value.value;
        }
        cursor.seekTo(position);
        return position > start;
    }

private:
    ByteCursor& cursor;
    DwarfFormContext context;
    std::vector<EntryFormat> formats;
};

// One table: its formats, then each entry handed to `add`.
template <class Add>
bool readTable(FileTableReader& reader, Add add)
{
    uint32_t count = 0;
    if (!reader.readFormats(count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        TableEntry entry;
        if (!reader.readEntry(entry))
            return false;
        add(entry);
    }
    return true;
}

}

bool readVersion5FileTables(ByteCursor& cursor, DwarfCompilationUnit& unit, const char* compilationDirectory)
{
    FileTableReader reader(cursor, unit);
    unit.firstFileNumber = 0;
    return readTable(reader, [&unit](const TableEntry& directory) { unit.includeDirectories.push_back(directory.path); })
        && readTable(reader, [&unit, compilationDirectory](const TableEntry& file) {
               // Include directory numbers count from 1: directory 0 is the table's first.
               addFile(unit, file.directory + 1, 0, 0, file.path ? file.path : "", compilationDirectory);
           });
}
