#include "main/ArchiveReader.h"

#include "common/OutputStream.h"
#include "common/Text.h"
#include "dump/DumpImage.h"
#include "dump/Fatal.h"
#include "main/InputFile.h"

#include <cstdlib>
#include <cstring>

namespace {

const char archiveMagic[] = "!<arch>\n";
const char symbolIndexName[] = "/               ";
const char longNamesName[] = "//              ";
const uint32_t headerSize = 60;

// A decimal number from a fixed-width header field: leading spaces skipped, ended by the
// first non-digit or the end of the field (never read past it).
long fieldNumber(const uint8_t* field, size_t width)
{
    char text[17] = {};
    memcpy(text, field, width < 16 ? width : 16);
    return strtol(text, nullptr, 10);
}

uint32_t bigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

} // namespace

ArchiveReader::ArchiveReader(const DwarfDumpArgParse& options, uint8_t* buffer, uint32_t length)
    : options(options), buffer(buffer), length(length)
{
}

bool ArchiveReader::isArchive(const uint8_t* buffer, uint32_t length)
{
    return length >= 8 && memcmp(buffer, archiveMagic, 8) == 0;
}

// The member whose header starts at `position`; header and data must lie inside the file.
ArchiveReader::Member ArchiveReader::memberAt(uint32_t position) const
{
    if (length - position < headerSize)
        fatal("truncated archive member header at offset %u\n", position);
    uint8_t* header = buffer + position;
    long size = fieldNumber(header + 48, 10);
    uint32_t dataStart = position + headerSize;
    if (size < 0 || uint64_t(size) > length - dataStart)
        fatal("archive member at offset %u runs past the end of the file\n", position);
    return Member{header, header + headerSize, uint32_t(size)};
}

bool ArchiveReader::hasName(const Member& member, const char* nameField)
{
    return memcmp(member.header, nameField, 16) == 0;
}

// The next header position: after the data and its padding byte when the size is odd.
uint32_t ArchiveReader::next(const Member& member, uint32_t position)
{
    return position + headerSize + member.size + (member.size & 1);
}

// The member's name, its terminating '/' replaced by a NUL in the buffer.
const char* ArchiveReader::memberName(const Member& member) const
{
    uint8_t* field = member.header;
    uint8_t* start = field;
    uint8_t* end = field + 16;
    if (field[0] == '/') {
        long offset = fieldNumber(field + 1, 15);
        if (offset < 0 || uint64_t(offset) >= longNamesSize)
            fatal("invalid long names table offset %d\n", int(offset));
        start = const_cast<uint8_t*>(longNames) + offset;
        end = const_cast<uint8_t*>(longNames) + longNamesSize;
    }
    uint8_t* slash = static_cast<uint8_t*>(memchr(start, '/', size_t(end - start)));
    if (!slash)
        fatal("invalid archive file name\n");
    *slash = 0;
    return reinterpret_cast<const char*>(start);
}

// "Archive Symbols:" and one line per index entry. The whole index is checked against
// its member's size before anything is printed.
void ArchiveReader::printSymbolIndex(const Member& index) const
{
    const uint8_t* end = index.data + index.size;
    uint32_t count = index.size >= 4 ? bigEndian32(index.data) : 0;
    if (index.size < 4 || uint64_t(count) * 4 > index.size - 4)
        fatal("archive symbol index runs past the end of its member\n");
    const uint8_t* offsets = index.data + 4;
    const uint8_t* names = offsets + count * 4;
    const uint8_t* name = names;
    for (uint32_t i = 0; i < count; ++i) {
        const void* nul = memchr(name, 0, size_t(end - name));
        if (!nul)
            fatal("archive symbol index runs past the end of its member\n");
        name = static_cast<const uint8_t*>(nul) + 1;
    }
    FILE* out = outputStream();
    fputs("Archive Symbols:\n", out);
    name = names;
    for (uint32_t i = 0; i < count; ++i) {
        fprintf(out, "%s 0x%08x\n", reinterpret_cast<const char*>(name), bigEndian32(offsets + i * 4));
        name += strlen(reinterpret_cast<const char*>(name)) + 1;
    }
}

void ArchiveReader::run()
{
    uint32_t position = 8;
    bool hasIndex = false;
    Member index{};
    if (position < length) {
        Member first = memberAt(position);
        if (hasName(first, symbolIndexName)) {
            index = first;
            hasIndex = true;
            position = next(first, position);
        }
    }
    if (position < length) {
        Member names = memberAt(position);
        if (hasName(names, longNamesName)) {
            longNames = names.data;
            longNamesSize = names.size;
            position = next(names, position);
        }
    }
    // Without a "/" member there is no index to list; the members' own symbol
    // listings still follow.
    if (options.symbols && hasIndex)
        printSymbolIndex(index);

    QByteArray archiveName = bytesFromText(options.inputFile);
    while (position < length) {
        Member member = memberAt(position);
        const char* name = memberName(member);
        fprintf(outputStream(), "File: %s(%s)\n", archiveName.constData(), name);
        // Each member is dumped in place, from its slice of the input. The model changes
        // its slice (fields to host byte order), never the bytes of another member, and a
        // patch, which could write the image out, is refused for archive members.
        dumpImage(options, member.data, member.size, name);
        position = next(member, position);
        // Done with everything before the next header (the long names are read again from
        // the file when needed): the run holds the pages of about one member at a time.
        releaseInputPages(buffer, position);
    }
}
