#pragma once
// Helpers for the DWARF tests: byte builders for hand-made .debug_abbrev/.debug_info/
// .debug_str/.debug_line contents, ELF images wrapping them, and the reader and listing
// run in-process or through the binary.
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfListing.h"
#include "elf/ElfFile.h"
#include "support/ElfWriter.h"
#include "support/RunMorvane.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Section contents in one byte order.
class Bytes {
public:
    explicit Bytes(bool bigEndian = false) : bigEndian(bigEndian) {}

    Bytes& u8(uint32_t v) { data.push_back(uint8_t(v)); return *this; }
    Bytes& u16(uint32_t v) { return bigEndian ? u8(v >> 8).u8(v) : u8(v).u8(v >> 8); }
    Bytes& u32(uint32_t v) { return bigEndian ? u16(v >> 16).u16(v) : u16(v).u16(v >> 16); }
    Bytes& uleb(uint32_t v)
    {
        do {
            uint8_t byte = v & 0x7F;
            v >>= 7;
            u8(v ? byte | 0x80 : byte);
        } while (v);
        return *this;
    }
    Bytes& sleb(int32_t v)
    {
        for (;;) {
            uint8_t byte = v & 0x7F;
            v >>= 7;
            bool done = (v == 0 && !(byte & 0x40)) || (v == -1 && (byte & 0x40));
            u8(done ? byte : byte | 0x80);
            if (done)
                return *this;
        }
    }
    Bytes& str(const std::string& text) { data.insert(data.end(), text.begin(), text.end()); return u8(0); }
    Bytes& raw(const std::vector<uint8_t>& bytes) { data.insert(data.end(), bytes.begin(), bytes.end()); return *this; }
    uint32_t size() const { return uint32_t(data.size()); }

    bool bigEndian;
    std::vector<uint8_t> data;
};

typedef std::vector<std::pair<uint32_t, uint32_t>> AttributeForms;   // (attribute, form)

// One abbreviation: code, tag, children flag, pairs, the (0, 0) end.
inline void addAbbreviation(Bytes& table, uint32_t code, uint32_t tag, bool children, const AttributeForms& forms)
{
    table.uleb(code).uleb(tag).u8(children ? 1 : 0);
    for (const auto& pair : forms)
        table.uleb(pair.first).uleb(pair.second);
    table.uleb(0).uleb(0);
}

// A unit of .debug_info: its 11-byte header, then `entries`; the length is computed.
inline Bytes unitBytes(bool bigEndian, uint32_t abbreviationOffset, const Bytes& entries,
                       uint32_t version = 4, uint8_t addressSize = 4)
{
    Bytes unit(bigEndian);
    unit.u32(7 + entries.size()).u16(version).u32(abbreviationOffset).u8(addressSize);
    return unit.raw(entries.data);
}

// An ELF image with these sections (in map order), no symbols.
inline std::vector<uint8_t> dwarfImage(bool bigEndian, const std::map<std::string, std::vector<uint8_t>>& sections)
{
    ElfWriter writer(bigEndian);
    writer.type = ET_REL;
    for (const auto& section : sections)
        writer.addSection(section.first, SHT_PROGBITS, 0, 0, section.second);
    return writer.build();
}

// The image model and a loaded reader over it (the reader points into the model's bytes).
struct LoadedDwarf {
    std::unique_ptr<ElfFile> image;
    std::unique_ptr<DwarfDebugInfo> reader;
};

inline LoadedDwarf loadDwarf(const std::vector<uint8_t>& bytes)
{
    LoadedDwarf loaded;
    loaded.image = std::make_unique<ElfFile>(true, true);
    auto* copy = new uint8_t[bytes.size()];
    memcpy(copy, bytes.data(), bytes.size());
    loaded.image->loadImage(copy, uint32_t(bytes.size()));
    loaded.reader = std::make_unique<DwarfDebugInfo>(loaded.image->bigEndian ? 1 : 0);
    loaded.reader->load(*loaded.image, 0, false, false);
    return loaded;
}

// The whole -dwarf listing of an image, printed in-process.
inline std::string dwarfListing(const std::vector<uint8_t>& bytes)
{
    LoadedDwarf loaded;
    loaded.image = std::make_unique<ElfFile>(true, true);
    auto* copy = new uint8_t[bytes.size()];
    memcpy(copy, bytes.data(), bytes.size());
    loaded.image->loadImage(copy, uint32_t(bytes.size()));
    char* buffer = nullptr;
    size_t length = 0;
    FILE* stream = open_memstream(&buffer, &length);
    printDwarf(*loaded.image, false, stream);
    fclose(stream);
    std::string text(buffer, length);
    free(buffer);
    return text;
}

// The body of the "Debugging Information" section of a listing.
inline std::string debuggingInformation(const std::string& listing)
{
    const std::string heading = "Debugging Information\n---------------------\n";
    size_t start = listing.find(heading);
    if (start == std::string::npos)
        return "<no Debugging Information heading>";
    start += heading.size();
    size_t end = listing.find("\nPubnames\n", start);
    return listing.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

inline std::string dwarfFixture(const std::string& name)
{
    return std::string(MORVANE_TEST_DATA) + "/dwarf/" + name;
}
