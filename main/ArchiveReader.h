#pragma once
// Walks an `ar` archive held in memory and dumps each member as an ELF image.
//
// Layout: "!<arch>\n", then members of a 60-byte header (name field bytes 0-15, decimal
// data size in bytes 48-57) followed by the data and one padding byte when the size is
// odd. An optional first member "/" holds the symbol index (big-endian count, offsets of
// member headers, NUL-terminated names); an optional "//" member after it holds long
// names, each ended by '/', that other members name as "/<offset>".
#include "argparse/DwarfDumpArgParse.h"

#include <cstdint>

class ArchiveReader {
public:
    ArchiveReader(const DwarfDumpArgParse& options, uint8_t* buffer, uint32_t length);

    static bool isArchive(const uint8_t* buffer, uint32_t length);
    // Prints the symbol index when -symbols is set and runs the dump of every member.
    // Errors end the run with status 1.
    void run();

private:
    struct Member {
        uint8_t* header;
        uint8_t* data;
        uint32_t size;
    };

    Member memberAt(uint32_t position) const;
    static bool hasName(const Member& member, const char* nameField);
    static uint32_t next(const Member& member, uint32_t position);
    const char* memberName(const Member& member) const;
    void printSymbolIndex(const Member& index) const;

    const DwarfDumpArgParse& options;
    uint8_t* buffer;
    uint32_t length;
    const uint8_t* longNames = nullptr;
    uint32_t longNamesSize = 0;
};
