#include "support/ElfWriter.h"

#include "common/ByteOrder.h"

#include <cstdio>
#include <cstring>

ElfWriter::ElfWriter(bool bigEndian) : bigEndian(bigEndian) {}

int ElfWriter::addRelocationSection(const std::string& name, int targetSection,
                                    const std::vector<Relocation>& relocations)
{
    std::vector<uint8_t> contents;
    for (const Relocation& r : relocations) {
        std::vector<uint8_t> entry = words32({r.offset, ELF32_R_INFO(r.symbol, r.type)});
        contents.insert(contents.end(), entry.begin(), entry.end());
    }
    int index = addSection(name, SHT_REL, 0, 0, contents, 0, uint32_t(targetSection), 8, 4);
    relocationSections.push_back(index);
    return index;
}

std::vector<uint8_t> ElfWriter::words32(const std::vector<uint32_t>& values) const
{
    std::vector<uint8_t> out;
    for (uint32_t value : values)
        writeField(out, out.size(), 4, value);
    return out;
}

std::vector<uint8_t> ElfWriter::words16(const std::vector<uint16_t>& values) const
{
    std::vector<uint8_t> out;
    for (uint16_t value : values)
        writeField(out, out.size(), 2, value);
    return out;
}

// Appends a NUL-terminated name to a string table and returns its offset.
static uint32_t addString(std::vector<uint8_t>& table, const std::string& name)
{
    uint32_t offset = uint32_t(table.size());
    table.insert(table.end(), name.begin(), name.end());
    table.push_back(0);
    return offset;
}

std::vector<uint8_t> ElfWriter::symbolTableContents(std::vector<uint8_t>& strtab) const
{
    std::vector<uint8_t> symtab(16, 0);   // the null symbol
    for (const Symbol& s : symbols) {
        uint8_t entry[16] = {};
        writeU32(entry, s.name.empty() ? 0 : addString(strtab, s.name), bigEndian);
        writeU32(entry + 4, s.value, bigEndian);
        writeU32(entry + 8, s.size, bigEndian);
        entry[12] = s.info;
        entry[13] = s.other;
        writeU16(entry + 14, s.shndx, bigEndian);
        symtab.insert(symtab.end(), entry, entry + 16);
    }
    return symtab;
}

// Null section, user sections, then .symtab/.strtab when needed, then .shstrtab.
std::vector<ElfWriter::Section> ElfWriter::allSections() const
{
    std::vector<Section> all;
    all.push_back(Section{"", SHT_NULL, 0, 0, {}, 0, 0, 0, 0});
    all.insert(all.end(), sections.begin(), sections.end());
    for (int index : relocationSections)
        all[index].link = uint32_t(symtabIndex());
    if (hasSymbolTable()) {
        std::vector<uint8_t> strtab(1, 0);
        std::vector<uint8_t> symtab = symbolTableContents(strtab);
        uint32_t firstGlobal = 1;
        while (firstGlobal <= symbols.size() && ELF32_ST_BIND(symbols[firstGlobal - 1].info) == STB_LOCAL)
            ++firstGlobal;
        all.push_back(Section{".symtab", SHT_SYMTAB, 0, 0, symtab, uint32_t(strtabIndex()),
                              firstGlobal, 16, 4});
        all.push_back(Section{".strtab", SHT_STRTAB, 0, 0, strtab, 0, 0, 0, 1});
    }
    all.push_back(Section{".shstrtab", SHT_STRTAB, 0, 0, {}, 0, 0, 0, 1});
    return all;
}

void ElfWriter::writeField(std::vector<uint8_t>& file, size_t offset, size_t size,
                           uint32_t value) const
{
    if (file.size() < offset + size)
        file.resize(offset + size, 0);
    if (size == 1)
        file[offset] = uint8_t(value);
    else if (size == 2)
        writeU16(&file[offset], uint16_t(value), bigEndian);
    else
        writeU32(&file[offset], value, bigEndian);
}

std::vector<uint8_t> ElfWriter::build()
{
    std::vector<Section> all = allSections();
    std::vector<uint8_t> shstrtab(1, 0);
    std::vector<uint32_t> nameOffsets(all.size(), 0);
    for (size_t i = 1; i < all.size(); ++i)
        nameOffsets[i] = addString(shstrtab, all[i].name);
    all.back().contents = shstrtab;

    std::vector<uint8_t> file(52 + programs.size() * 32, 0);
    sectionOffsets.assign(all.size(), 0);
    for (size_t i = 1; i < all.size(); ++i) {
        uint32_t align = all[i].addralign ? all[i].addralign : 1;
        while (file.size() % align)
            file.push_back(0);
        sectionOffsets[i] = uint32_t(file.size());
        if (all[i].type != SHT_NOBITS)
            file.insert(file.end(), all[i].contents.begin(), all[i].contents.end());
    }
    while (file.size() % 4)
        file.push_back(0);
    shoff = uint32_t(file.size());
    file.resize(file.size() + all.size() * 40, 0);

    static const uint8_t ident[4] = {ELFMAG0, ELFMAG1, ELFMAG2, ELFMAG3};
    memcpy(&file[0], ident, 4);
    file[EI_CLASS] = ELFCLASS32;
    file[EI_DATA] = bigEndian ? ELFDATA2MSB : ELFDATA2LSB;
    file[EI_VERSION] = EV_CURRENT;
    // e_type to e_shstrndx: two 16-bit fields, five 32-bit ones, six 16-bit ones.
    const uint32_t header[] = {type, machine, EV_CURRENT, entry, programs.empty() ? 0u : 52u, shoff, flags,
                               52, 32, uint32_t(programs.size()), 40, uint32_t(all.size()), uint32_t(all.size() - 1)};
    for (size_t f = 0, offset = 16; f < 13; offset += f >= 2 && f < 7 ? 4 : 2, ++f)
        writeField(file, offset, f >= 2 && f < 7 ? 4 : 2, header[f]);

    for (size_t i = 0; i < programs.size(); ++i) {
        Program p = programs[i].first;
        int section = programs[i].second;
        if (section >= 0 && size_t(section) < all.size()) {
            p.offset = sectionOffsets[section];
            p.filesz = all[section].type == SHT_NOBITS ? 0 : uint32_t(all[section].contents.size());
            if (p.memsz == 0)
                p.memsz = uint32_t(all[section].contents.size());
        }
        uint32_t fields[8] = {p.type, p.offset, p.vaddr, p.paddr, p.filesz, p.memsz, p.flags, p.align};
        for (int f = 0; f < 8; ++f)
            writeField(file, 52 + i * 32 + f * 4, 4, fields[f]);
    }
    for (size_t i = 1; i < all.size(); ++i) {
        const Section& s = all[i];
        uint32_t fields[10] = {nameOffsets[i], s.type, s.flags, s.addr, sectionOffsets[i],
                               uint32_t(s.contents.size()), s.link, s.info, s.addralign, s.entsize};
        for (int f = 0; f < 10; ++f)
            writeField(file, shoff + i * 40 + f * 4, 4, fields[f]);
    }
    applyOverrides(file);
    return file;
}

void ElfWriter::applyOverrides(std::vector<uint8_t>& file) const
{
    for (const Override& o : headerOverrides)
        writeField(file, o.offset, o.size, o.value);
    for (const auto& [index, o] : sectionOverrides)
        writeField(file, shoff + size_t(index) * 40 + o.offset, o.size, o.value);
}

// ---------------------------------------------------------------------------------------

// A field padded with spaces to `width` (longer texts are cut).
static std::string padded(const std::string& text, size_t width)
{
    std::string field = text.substr(0, width);
    field.resize(width, ' ');
    return field;
}

void ArWriter::appendMember(std::vector<uint8_t>& out, const std::string& nameField,
                            const std::string& sizeField, const std::vector<uint8_t>& data)
{
    std::string size = sizeField.empty() ? std::to_string(data.size()) : sizeField;
    std::string header = padded(nameField, 16) + padded("0", 12) + padded("0", 6) +
                         padded("0", 6) + padded("644", 8) + padded(size, 10) + "`\n";
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2)
        out.push_back('\n');
}

std::vector<uint8_t> ArWriter::symbolIndexData(const std::vector<uint32_t>& offsets) const
{
    if (!rawSymbolIndex.empty())
        return rawSymbolIndex;
    std::vector<uint8_t> data;
    auto appendBigEndian = [&data](uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            data.push_back(uint8_t(value >> shift));
    };
    appendBigEndian(uint32_t(symbols.size()));
    for (const auto& symbol : symbols)
        appendBigEndian(size_t(symbol.second) < offsets.size() ? offsets[symbol.second] : 0);
    for (const auto& symbol : symbols) {
        data.insert(data.end(), symbol.first.begin(), symbol.first.end());
        data.push_back(0);
    }
    return data;
}

std::vector<uint8_t> ArWriter::build() const
{
    // Name fields and the long-names table first: they fix every member's size.
    std::vector<uint8_t> longNameTable;
    std::vector<std::string> nameFields;
    for (const Member& m : members) {
        if (!m.rawNameField.empty()) {
            nameFields.push_back(m.rawNameField);
        } else if (longNames && (alwaysLongNames || m.name.size() >= 16)) {
            nameFields.push_back("/" + std::to_string(longNameTable.size()));
            longNameTable.insert(longNameTable.end(), m.name.begin(), m.name.end());
            longNameTable.push_back('/');
            longNameTable.push_back('\n');
        } else {
            nameFields.push_back(m.name + "/");
        }
    }

    if (!rawLongNames.empty())
        longNameTable = rawLongNames;

    // The symbol index's size does not depend on the offsets, so lay out with zeros first.
    std::vector<uint8_t> out = {'!', '<', 'a', 'r', 'c', 'h', '>', '\n'};
    size_t indexSize = symbolIndex ? symbolIndexData(std::vector<uint32_t>(members.size(), 0)).size() : 0;
    uint32_t offset = 8;
    if (symbolIndex)
        offset += 60 + uint32_t(indexSize + indexSize % 2);
    if (!longNameTable.empty())
        offset += 60 + uint32_t(longNameTable.size() + longNameTable.size() % 2);
    memberOffsets.clear();
    for (const Member& m : members) {
        memberOffsets.push_back(offset);
        offset += 60 + uint32_t(m.data.size() + m.data.size() % 2);
    }

    if (symbolIndex)
        appendMember(out, "/", "", symbolIndexData(memberOffsets));
    if (!longNameTable.empty())
        appendMember(out, "//", "", longNameTable);
    for (size_t i = 0; i < members.size(); ++i)
        appendMember(out, nameFields[i], members[i].rawSizeField, members[i].data);
    return out;
}
