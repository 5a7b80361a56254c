#pragma once
// Helpers for the DWARF tests: byte builders for hand-made DWARF sections, ELF images
// wrapping them, the reader run in-process, and parts of a listing.
#include "dwarf/DwarfConstants.h"
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
        for (; v >= 0x80; v >>= 7)
            u8((v & 0x7F) | 0x80);
        return u8(v);
    }
    Bytes& str(const std::string& text) { data.insert(data.end(), text.begin(), text.end()); return u8(0); }
    Bytes& raw(const std::vector<uint8_t>& bytes) { data.insert(data.end(), bytes.begin(), bytes.end()); return *this; }
    uint32_t size() const { return uint32_t(data.size()); }

    bool bigEndian;
    std::vector<uint8_t> data;
};

struct Abbreviation {
    uint32_t code;
    uint32_t tag;
    bool children;
    std::vector<std::pair<uint32_t, uint32_t>> forms;   // (attribute, form)
};

// A .debug_abbrev table (all ULEB128, so byte-order free) closed by its 0.
inline Bytes abbreviations(const std::vector<Abbreviation>& list)
{
    Bytes table;
    for (const Abbreviation& a : list) {
        table.uleb(a.code).uleb(a.tag).u8(a.children ? 1 : 0);
        for (const auto& pair : a.forms)
            table.uleb(pair.first).uleb(pair.second);
        table.uleb(0).uleb(0);
    }
    return table.u8(0);
}

// A unit of .debug_info: its 11-byte header, then `entries`; the length is computed.
inline Bytes unitBytes(const Bytes& entries, uint32_t abbreviationOffset = 0, uint32_t version = 4,
                       uint8_t addressSize = 4)
{
    Bytes unit(entries.bigEndian);
    unit.u32(7 + entries.size()).u16(version).u32(abbreviationOffset).u8(addressSize);
    return unit.raw(entries.data);
}

// A version-5 unit: length, version, unit type, address size 4, abbreviation offset 0,
// `extra` zero bytes of unit id or type signature and offset, then `entries`.
inline Bytes version5Unit(const Bytes& entries, uint8_t unitType = 1, uint32_t extra = 0)
{
    Bytes unit(entries.bigEndian);
    unit.u32(8 + extra + entries.size()).u16(5).u8(unitType).u8(4).u32(0);
    unit.data.resize(unit.data.size() + extra);
    return unit.raw(entries.data);
}

typedef std::map<std::string, std::vector<uint8_t>> Sections;

// An ELF image with these sections, no symbols.
inline std::vector<uint8_t> dwarfImage(bool bigEndian, const Sections& sections)
{
    ElfWriter writer(bigEndian);
    writer.type = ET_REL;
    for (const auto& section : sections)
        writer.addSection(section.first, SHT_PROGBITS, 0, 0, section.second);
    return writer.build();
}

// .debug_abbrev and .debug_info holding these units (in the byte order of the first), plus `more`.
inline std::vector<uint8_t> unitsImage(const Bytes& abbrev, const std::vector<Bytes>& units, Sections more = {})
{
    Bytes info(units.at(0).bigEndian);
    for (const Bytes& unit : units)
        info.raw(unit.data);
    more[".debug_abbrev"] = abbrev.data;
    more[".debug_info"] = info.data;
    return dwarfImage(info.bigEndian, more);
}

// The image model and a loaded reader over it (the reader points into the model's bytes).
struct LoadedDwarf {
    std::unique_ptr<ElfFile> image;
    std::unique_ptr<DwarfDebugInfo> reader;
};

inline LoadedDwarf loadDwarf(const std::vector<uint8_t>& bytes)
{
    LoadedDwarf loaded{std::make_unique<ElfFile>(true, true), nullptr};
    auto* copy = new uint8_t[bytes.size()];   // the model owns it
    memcpy(copy, bytes.data(), bytes.size());
    loaded.image->loadImage(copy, uint32_t(bytes.size()));
    loaded.reader = std::make_unique<DwarfDebugInfo>(loaded.image->bigEndian ? 1 : 0);
    loaded.reader->load(*loaded.image, 0, false, false);
    return loaded;
}

// The text of a listing between `heading` and `next` (or the end when `next` is empty).
inline std::string listingPart(const std::string& listing, const std::string& heading, const std::string& next = "")
{
    size_t start = listing.find(heading);
    if (start == std::string::npos)
        return "<no " + heading + " heading>";
    start += heading.size();
    size_t end = next.empty() ? std::string::npos : listing.find(next, start);
    return listing.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
