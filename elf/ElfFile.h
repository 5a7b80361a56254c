#pragma once
// The in-memory model of one 32-bit ELF image, built in place over the image bytes.
// Header, program-header, section-header and symbol fields are converted to host byte
// order inside the buffer; all other section contents stay in the image's byte order and
// are read with readU16/readU32 (common/ByteOrder.h) and `bigEndian`.
#include "elf/HugePageAllocator.h"
#include "elf/NameStorage.h"

#include <QString>
#include <cstdint>
#include <cstdio>
#include <elf.h>
#include <map>
#include <vector>

// Tables of a damaged image may sit at any file offset, so the in-place views are packed
// copies of the <elf.h> records (same field names and layout): the compiler then never
// assumes an aligned address. A packed field cannot bind to a reference: pass a copy,
// e.g. std::min(uint32_t(header->sh_size), limit).
struct __attribute__((packed)) ElfHeader {
    unsigned char e_ident[EI_NIDENT];
    Elf32_Half e_type;
    Elf32_Half e_machine;
    Elf32_Word e_version;
    Elf32_Addr e_entry;
    Elf32_Off e_phoff;
    Elf32_Off e_shoff;
    Elf32_Word e_flags;
    Elf32_Half e_ehsize;
    Elf32_Half e_phentsize;
    Elf32_Half e_phnum;
    Elf32_Half e_shentsize;
    Elf32_Half e_shnum;
    Elf32_Half e_shstrndx;
};

struct __attribute__((packed)) ElfProgramHeader {
    Elf32_Word p_type;
    Elf32_Off p_offset;
    Elf32_Addr p_vaddr;
    Elf32_Addr p_paddr;
    Elf32_Word p_filesz;
    Elf32_Word p_memsz;
    Elf32_Word p_flags;
    Elf32_Word p_align;
};

struct __attribute__((packed)) ElfSectionHeader {
    Elf32_Word sh_name;
    Elf32_Word sh_type;
    Elf32_Word sh_flags;
    Elf32_Addr sh_addr;
    Elf32_Off sh_offset;
    Elf32_Word sh_size;
    Elf32_Word sh_link;
    Elf32_Word sh_info;
    Elf32_Word sh_addralign;
    Elf32_Word sh_entsize;
};

struct __attribute__((packed)) ElfSymbolEntry {
    Elf32_Word st_name;
    Elf32_Addr st_value;
    Elf32_Word st_size;
    unsigned char st_info;
    unsigned char st_other;
    Elf32_Section st_shndx;
};

static_assert(sizeof(ElfHeader) == sizeof(Elf32_Ehdr), "ELF header layout");
static_assert(sizeof(ElfProgramHeader) == sizeof(Elf32_Phdr), "program header layout");
static_assert(sizeof(ElfSectionHeader) == sizeof(Elf32_Shdr), "section header layout");
static_assert(sizeof(ElfSymbolEntry) == sizeof(Elf32_Sym), "symbol entry layout");

class ElfFile;

class ElfProgram {
public:
    ElfProgram(ElfProgramHeader* header, uint8_t* data) : header(header), data(data) {}
    ElfProgramHeader* header;   // in place, host order
    uint8_t* data;              // file data at p_offset; null when p_filesz is 0
};

class ElfSection {
public:
    ElfSection(ElfFile* file, ElfSectionHeader* header, uint8_t* data)
        : header(header), data(data), file(file) {}
    virtual ~ElfSection() = default;
    // Writes the section header listing.
    virtual void print(FILE* stream) const;

    // The number of content bytes that lie inside the image (sh_size clipped to the
    // image end; 0 for SHT_NOBITS). Every reader of `data` stays below this bound.
    uint32_t availableSize() const;

    ElfSectionHeader* header;   // in place, host order
    uint8_t* data;              // contents at sh_offset; null for SHT_NOBITS
    ElfFile* file;
};

class ElfSymbol {
public:
    ElfSymbol(ElfSymbolEntry* entry, const QString& name) : entry(entry), name(name) {}
    virtual ~ElfSymbol() = default;
    virtual uint32_t value() const { return entry->st_value; }

    ElfSymbolEntry* entry;      // in place, host order
    QString name;               // demangled when the file demangles names
};

class ARMElfSymbol : public ElfSymbol {
public:
    enum Kind { Arm = 0, Thumb = 1, Other = 2 };
    ARMElfSymbol(ElfFile* file, ElfSymbolEntry* entry, const QString& name);
    uint32_t value() const override { return address; }

    Kind kind;
    uint32_t address;           // st_value, bit 0 cleared for Thumb functions
};

class ElfFile {
public:
    ElfFile(bool useARMSymbols, bool demangleNames);
    virtual ~ElfFile();
    ElfFile(const ElfFile&) = delete;
    ElfFile& operator=(const ElfFile&) = delete;

    // Takes ownership of `image` (allocated with new[]) and builds the model.
    // Throws HException on failure.
    void loadImage(uint8_t* image, uint32_t length);
    // Builds the model in place over bytes the caller keeps for the model's whole life,
    // such as a private mapping of the input file; never releases them. Throws as above.
    void loadImageInPlace(uint8_t* image, uint32_t length);
    // Copies the image into memory the model owns and moves every pointer of the model
    // there, so that nothing refers to the caller's bytes any more: needed before the
    // file under a mapping is truncated or rewritten in place. Works whatever byte order
    // the tables are in at the time; readers built over the old bytes (DWARF,
    // disassembly) must be gone. Does nothing when the model owns its bytes.
    void detachFromMapping();
    // Reads a file through QFile and builds the model. Throws HException on failure.
    void load(const QString& path);
    // Releases everything, including the image bytes.
    void clear();
    // Writes the image bytes, tables back in the image's byte order, over the file at
    // `path` (replaced through a temporary file where its directory allows one). The model
    // stays usable. Throws HException "cannot open PATH" or "write read PATH".
    void save(const QString& path);

    // Hook for image classes that relocate addresses; the tool's images do not.
    virtual uint32_t translateAddress(uint32_t address) const { return address; }

    ElfSection* sectionByIndex(int index) const;
    ElfSection* getSection(const QString& name) const;
    QString sectionName(const ElfSection* section) const;
    // The same name as bytes in place in the image, without a copy.
    QLatin1String sectionNameView(const ElfSection* section) const;
    // The NUL-terminated string at `offset` of a string-table section (a string that
    // runs past the section or image end is cut there). Throws "not a string section".
    QString stringAt(const ElfSection* section, uint32_t offset) const;
    // The same string as bytes in place in the image, without a copy.
    QLatin1String stringView(const ElfSection* section, uint32_t offset) const;

    // Symbol at `address`, else the last one below it, in symbolsByAddress; null if none.
    ElfSymbol* symbolAtOrBefore(uint32_t address) const;
    // Appends every symbol with the value of symbolAtOrBefore(address); false if none.
    bool symbolsAt(uint32_t address, std::vector<ElfSymbol*>& list) const;
    // `length` bytes of file data at a memory address through the PT_LOAD programs.
    uint8_t* peekBytes(uint32_t address, uint32_t length, bool virtualNotPhysical) const;
    // Entry `index` of ".symtab" in table order (host order), or null when the table
    // has no such entry.
    const ElfSymbolEntry* symbolEntry(uint32_t index) const;

    bool useARMSymbols;
    bool demangleNames;
    // Whether loading builds the three symbol lists (names, demangling, sorting). A caller
    // that needs none of them clears it before loading to save that time and memory; the
    // ".symtab" entries are converted to host order either way (symbolEntry).
    bool buildSymbolLists = true;
    QString path;
    uint8_t* image = nullptr;
    uint32_t imageLength = 0;
    bool bigEndian = false;
    ElfHeader* header = nullptr;
    std::vector<ElfProgram*> programs;
    std::vector<ElfSection*> sections;                // indexed by section index
    // Higher index wins. The keys are views of the names in the image: building the map
    // copies no text, which matters for objects with thousands of sections.
    std::map<QLatin1String, ElfSection*> sectionsByName;
    ElfSection* stringTable = nullptr;                // ".strtab"
    bool linkedByADS = false;
    std::vector<ElfSymbol*> symbolsByName;
    std::vector<ElfSymbol*> symbolsByAddress;
    std::vector<ElfSymbol*> otherSymbols;

private:
    // Converts every table field loadImage converted, in the reverse order of the load:
    // tables of a damaged image may overlap.
    void tablesToImageOrder();
    // The same conversions in load order.
    void tablesToHostOrder();
    // Converts the ".symtab" entries read by loadSymbols either way.
    void symbolEntriesToHost();

    // A symbol's sort key: its (demangled) name bytes and its index in table order. Kept
    // small, since tables of 100,000 symbols are common.
    struct SymbolKey {
        const char* bytes;
        uint32_t length;
        uint32_t index;
    };

    bool ownsImage = false;   // loadImage's bytes, released by clear()
    const uint8_t* symbolEntries = nullptr;   // the converted entries of ".symtab"
    uint32_t symbolEntryCount = 0;
    // Storage of the symbols, reserved for the whole table at once: one allocation for
    // all of them instead of one each (tables of 100,000 entries are common).
    std::vector<ElfSymbol, HugePageAllocator<ElfSymbol>> elfSymbolPool;
    std::vector<ARMElfSymbol, HugePageAllocator<ARMElfSymbol>> armSymbolPool;
    NameStorage symbolNames;   // the texts of the symbols' names
    // Start of `size` bytes at a file offset; throws "truncated ELF file: " unless the
    // whole range lies inside the image.
    uint8_t* locate(uint32_t offset, uint64_t size) const;
    void build(uint8_t* bytes, uint32_t length);
    void loadPrograms();
    void loadSections();
    void loadSectionNames();
    void loadSymbols();
    // Fills symbolsByName and symbolsByAddress from the keys of the named symbols.
    void sortSymbols(std::vector<SymbolKey>& named);
    // The raw bytes of the symbol name at `offset` of ".strtab" (empty without one).
    const char* rawSymbolName(uint32_t offset, size_t& length) const;
    ElfSymbol* createSymbol(ElfSymbolEntry* entry, const QString& name);
    // The symbol made for entry `index` of ".symtab".
    ElfSymbol* pooledSymbol(uint32_t index);
    // The bytes of the string at `offset`, not past the section contents; `length`
    // excludes the terminator, which may be missing when the section end cuts the string.
    const char* stringBytes(const ElfSection* section, uint32_t offset, size_t& length) const;
};
