#pragma once
// Test helpers that build small 32-bit ELF images and `ar` archives in memory, so tests
// can make exactly the (possibly broken) input they need.
//
// ElfWriter usage:
//   ElfWriter w(false);                               // little-endian; true = big-endian
//   int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
//                           w.words32({0xe12fff1e}));
//   w.addSymbol("main", 0x8000, 4, ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, text);
//   w.addRelocationSection(".rel.text", text, {{0x0, R_ARM_ABS32, 1}});
//   w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R | PF_X, 4}, text);
//   w.overrideHeader(ELF_FIELD(Elf32_Ehdr, e_shoff), 0xFFFF0000);   // break something
//   std::vector<uint8_t> image = w.build();
//
// Section indexes: 0 is the null section, sections added by the test get 1, 2, ... in
// the order added (relocation sections included). When any symbol or relocation section
// exists, ".symtab" and ".strtab" follow them; ".shstrtab" is always the last section
// and e_shstrndx names it. Symbol 0 is the null symbol; added symbols get 1, 2, ...
//
// File layout: ELF header, program headers, section contents (each aligned to its
// addralign, SHT_NOBITS take no space), section header table (4-aligned). The layout is
// readable after build() through headerOffset-style accessors, and every raw field can be
// replaced by an override, applied last, so tests can make truncated or inconsistent files.
#include <elf.h>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// A raw field of one of the <elf.h> structures: byte offset and size (1, 2 or 4).
struct ElfField {
    size_t offset;
    size_t size;
};
#define ELF_FIELD(type, member) ElfField{offsetof(type, member), sizeof(((type*)nullptr)->member)}

class ElfWriter {
public:
    struct Section {
        std::string name;
        uint32_t type = SHT_PROGBITS, flags = 0, addr = 0;
        std::vector<uint8_t> contents;  // for SHT_NOBITS only its size is used (sh_size)
        uint32_t link = 0, info = 0, entsize = 0, addralign = 1;
    };
    struct Symbol {
        std::string name;
        uint32_t value = 0, size = 0;
        uint8_t info = 0;      // ELF32_ST_INFO(bind, type)
        uint8_t other = 0;
        uint16_t shndx = 0;
    };
    struct Relocation {
        uint32_t offset;
        uint32_t type;         // R_ARM_*
        uint32_t symbol;       // index into the symbol table (0 = null symbol)
    };
    struct Program {
        uint32_t type = PT_LOAD;
        uint32_t offset = 0;   // replaced by the section's file offset when one is given
        uint32_t vaddr = 0, paddr = 0;
        uint32_t filesz = 0;   // replaced by the section's size when one is given
        uint32_t memsz = 0;    // replaced by the section's size when one is given and 0
        uint32_t flags = PF_R, align = 4;
    };

    explicit ElfWriter(bool bigEndian = false);

    // ELF header values used by build(); e_ident, sizes, offsets and counts are computed.
    bool bigEndian;
    uint16_t type = ET_EXEC;
    uint16_t machine = EM_ARM;
    uint32_t entry = 0;
    uint32_t flags = 0x05000000;   // EABI version 5

    // Returns the new section's index.
    int addSection(const Section& section)
    {
        sections.push_back(section);
        return int(sections.size());
    }
    int addSection(const std::string& name, uint32_t type, uint32_t flags, uint32_t addr,
                   const std::vector<uint8_t>& contents, uint32_t link = 0, uint32_t info = 0,
                   uint32_t entsize = 0, uint32_t addralign = 1)
    {
        return addSection(Section{name, type, flags, addr, contents, link, info, entsize, addralign});
    }
    // Returns the new symbol's index in .symtab.
    int addSymbol(const std::string& name, uint32_t value, uint32_t size, uint8_t info,
                  uint8_t other, uint16_t shndx)
    {
        symbols.push_back(Symbol{name, value, size, info, other, shndx});
        return int(symbols.size());
    }
    // An SHT_REL section for `targetSection`, linked to .symtab. Returns its index.
    int addRelocationSection(const std::string& name, int targetSection,
                             const std::vector<Relocation>& relocations);
    // A program header; with `section` >= 0 its offset and sizes follow that section.
    int addProgram(const Program& program, int section = -1)
    {
        programs.emplace_back(program, section);
        return int(programs.size()) - 1;
    }

    // Overrides, applied after layout. `index` is a section index.
    void overrideHeader(ElfField field, uint32_t value) { headerOverrides.push_back({field.offset, field.size, value}); }
    void overrideSectionHeader(int index, ElfField field, uint32_t value)
    {
        sectionOverrides.push_back({index, {field.offset, field.size, value}});
    }

    std::vector<uint8_t> build();

    // Layout of the last build().
    uint32_t sectionOffset(int index) const { return sectionOffsets.at(index); }
    uint32_t sectionHeaderTableOffset() const { return shoff; }
    // -1 when no symbol table is written.
    int symtabIndex() const { return hasSymbolTable() ? int(sections.size()) + 1 : -1; }
    int strtabIndex() const { return hasSymbolTable() ? int(sections.size()) + 2 : -1; }
    int shstrtabIndex() const { return int(sections.size()) + (hasSymbolTable() ? 3 : 1); }
    int sectionCount() const { return shstrtabIndex() + 1; }   // including the null section

    // Encoders in this writer's byte order, for section contents.
    std::vector<uint8_t> words32(const std::vector<uint32_t>& values) const;
    std::vector<uint8_t> words16(const std::vector<uint16_t>& values) const;

private:
    bool hasSymbolTable() const { return !symbols.empty() || !relocationSections.empty(); }
    std::vector<Section> allSections() const;
    std::vector<uint8_t> symbolTableContents(std::vector<uint8_t>& strtab) const;
    void applyOverrides(std::vector<uint8_t>& file) const;
    void writeField(std::vector<uint8_t>& file, size_t offset, size_t size, uint32_t value) const;

    std::vector<Section> sections;              // user sections, index 1...
    std::vector<int> relocationSections;        // indexes whose link is .symtab
    std::vector<Symbol> symbols;                // index 1...
    std::vector<std::pair<Program, int>> programs;
    struct Override { size_t offset; size_t size; uint32_t value; };
    std::vector<Override> headerOverrides;
    std::vector<std::pair<int, Override>> sectionOverrides;
    std::vector<uint32_t> sectionOffsets;
    uint32_t shoff = 0;
};

// Builds a System V / GNU `ar` archive:
//   ArWriter ar;
//   ar.addMember("a.o", imageA);
//   ar.addMember("a_very_long_member_name.o", imageB);   // goes to "//" when longNames
//   ar.addSymbol("main", 1);                              // symbol in member 1
//   std::vector<uint8_t> bytes = ar.build();
// Member data of odd size is followed by one '\n' padding byte.
class ArWriter {
public:
    struct Member {
        std::string name;
        std::vector<uint8_t> data;
        std::string rawNameField;   // when not empty: written as the 16-byte name field as is
        std::string rawSizeField;   // when not empty: written as the 10-byte size field as is
    };

    // Write a "/" symbol-index member (also when it has no symbols).
    bool symbolIndex = false;
    // Put names of 16 characters or more into a "//" member ("name/\n" entries) and refer
    // to them as "/offset". alwaysLongNames puts every name there.
    bool longNames = true;
    bool alwaysLongNames = false;
    // When not empty, used as the symbol-index member's data instead of the computed one.
    std::vector<uint8_t> rawSymbolIndex;
    // When not empty, written as the "//" member's data instead of the computed table.
    std::vector<uint8_t> rawLongNames;

    int addMember(const std::string& name, const std::vector<uint8_t>& data) { return addMember(Member{name, data, "", ""}); }
    int addMember(const Member& member)
    {
        members.push_back(member);
        return int(members.size()) - 1;
    }
    // A symbol-index entry naming `member` (its header offset is computed); sets symbolIndex.
    void addSymbol(const std::string& name, int member)
    {
        symbols.emplace_back(name, member);
        symbolIndex = true;
    }

    std::vector<uint8_t> build() const;
    // File offset of member `index`'s header in the last build().
    uint32_t memberOffset(int index) const { return memberOffsets.at(index); }

private:
    static void appendMember(std::vector<uint8_t>& out, const std::string& nameField,
                             const std::string& sizeField, const std::vector<uint8_t>& data);
    std::vector<uint8_t> symbolIndexData(const std::vector<uint32_t>& offsets) const;

    std::vector<Member> members;
    std::vector<std::pair<std::string, int>> symbols;
    mutable std::vector<uint32_t> memberOffsets;
};
