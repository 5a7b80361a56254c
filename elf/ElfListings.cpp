#include "elf/ElfListings.h"

#include "common/ByteOrder.h"
#include "common/Text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char* identClassText(uint8_t value)
{
    switch (value) {
    case ELFCLASSNONE: return "ELFCLASSNONE\n";
    case ELFCLASS32: return "ELFCLASS32\n";
    case ELFCLASS64: return "ELFCLASS64\n";
    default: return "";
    }
}

const char* identDataText(uint8_t value)
{
    switch (value) {
    case ELFDATANONE: return "ELFDATANONE\n";
    case ELFDATA2LSB: return "ELFDATA2LSB\n";
    case ELFDATA2MSB: return "ELFDATA2MSB\n";
    default: return "";
    }
}

// The name the listings print for a symbol's st_shndx: its section's name, or "*ABS*"
// for an index with no section. Computed once per listing for all sections.
// Print the names with "%.*s": a name cut by the end of its string table has no NUL.
class SectionNameCache {
public:
    explicit SectionNameCache(const ElfFile& image)
    {
        names.reserve(image.sections.size());
        for (const ElfSection* section : image.sections)
            names.push_back(image.sectionNameView(section));
    }
    QLatin1String operator()(uint32_t index) const
    {
        return index < names.size() ? names[index] : QLatin1String("*ABS*");
    }

private:
    std::vector<QLatin1String> names;
};

const uint32_t relocationEntrySize = 8;

// Appends `value` as "%0*x" (or "%0*X" in upper case): hexadecimal digits, at least
// `width` of them.
void appendHex(std::string& text, uint32_t value, int width = 1, bool upperCase = false)
{
    const char* hexDigits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    char digits[8];
    int count = 0;
    do {
        digits[count++] = hexDigits[value & 15];
        value >>= 4;
    } while (value || count < width);
    while (count)
        text += digits[--count];
}

// relocationTypeName of each 8-bit type as bytes, made once per listing.
class RelocationTypeNames {
public:
    const char* operator()(uint8_t type)
    {
        if (names[type].isNull())
            names[type] = bytesFromText(relocationTypeName(type));
        return names[type].constData();
    }

private:
    QByteArray names[256];
};

void printRelocationSection(const ElfFile& image, const ElfSection& relocations, const ElfSection& target,
                            const ElfSection* strings, const SectionNameCache& sectionNames,
                            RelocationTypeNames& typeNames, FILE* stream)
{
    fprintf(stream, "relocations for %s\n", bytesFromText(image.sectionName(&target)).constData());
    uint32_t count = relocations.availableSize() / relocationEntrySize;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = relocations.data + i * relocationEntrySize;
        uint32_t offset = readU32(entry, image.bigEndian);
        uint32_t info = readU32(entry + 4, image.bigEndian);
        QLatin1String section("???");
        QLatin1String name("???");
        // A symbol index outside .symtab (or no .symtab at all) names nothing.
        if (const ElfSymbolEntry* symbol = image.symbolEntry(info >> 8)) {
            section = sectionNames(symbol->st_shndx);
            if (strings && strings->availableSize() && strings->header->sh_type == SHT_STRTAB)
                name = image.stringView(strings, symbol->st_name);
        }
        fprintf(stream, "address 0x%08x type %s value %.*s %.*s\n", offset, typeNames(uint8_t(info)),
                int(section.size()), section.data(), int(name.size()), name.data());
    }
}

} // namespace

void printElfHeader(const ElfFile& image, FILE* stream)
{
    const ElfHeader* h = image.header;
    const unsigned char* ident = h->e_ident;
    fprintf(stream, "\nelf header\n");
    fprintf(stream, "e_ident    : ");
    for (int i = 0; i < EI_NIDENT; ++i)
        fprintf(stream, "%02X ", ident[i]);
    fprintf(stream, "\n");
    fprintf(stream, "             EI_MAG0   : 0x%02X\n", ident[EI_MAG0]);
    fprintf(stream, "             EI_MAG1   : %c\n", ident[EI_MAG1]);
    fprintf(stream, "             EI_MAG2   : %c\n", ident[EI_MAG2]);
    fprintf(stream, "             EI_MAG3   : %c\n", ident[EI_MAG3]);
    fprintf(stream, "             EI_CLASS  : %s", identClassText(ident[EI_CLASS]));
    fprintf(stream, "             EI_DATA   : %s", identDataText(ident[EI_DATA]));
    fprintf(stream, "             EI_VERSION: 0x%02X\n", ident[EI_VERSION]);
    fprintf(stream, "e_type      : 0x%X\n", h->e_type);
    fprintf(stream, "e_machine   : 0x%X\n", h->e_machine);
    fprintf(stream, "e_version   : 0x%X\n", h->e_version);
    fprintf(stream, "e_entry     : 0x%X\n", h->e_entry);
    fprintf(stream, "e_phoff     : 0x%x\n", h->e_phoff);
    fprintf(stream, "e_shoff     : 0x%x\n", h->e_shoff);
    fprintf(stream, "e_flags     : 0x%x\n", h->e_flags);
    fprintf(stream, "e_ehsize    : 0x%x\n", h->e_ehsize);
    fprintf(stream, "e_phentsize : 0x%x\n", h->e_phentsize);
    fprintf(stream, "e_phnum     : 0x%x\n", h->e_phnum);
    fprintf(stream, "e_shentsize : 0x%x\n", h->e_shentsize);
    fprintf(stream, "e_shnum     : 0x%x\n", h->e_shnum);
    fprintf(stream, "e_shstrndx  : 0x%x\n", h->e_shstrndx);
    bool magicOk = ident[EI_MAG0] == ELFMAG0 && ident[EI_MAG1] == ELFMAG1 && ident[EI_MAG2] == ELFMAG2
        && ident[EI_MAG3] == ELFMAG3;
    fprintf(stream, "\nHeader %s.\n", magicOk ? "ok" : "invalid");
}

void printProgramHeader(const ElfProgram& program, FILE* stream)
{
    const ElfProgramHeader* p = program.header;
    fprintf(stream, "\nprogram header\n");
    fprintf(stream, "p_type      : %s\n", bytesFromText(programTypeName(p->p_type)).constData());
    fprintf(stream, "p_offset    : 0x%X\n", p->p_offset);
    fprintf(stream, "p_vaddr     : 0x%X\n", p->p_vaddr);
    fprintf(stream, "p_paddr     : 0x%X\n", p->p_paddr);
    fprintf(stream, "p_filesz    : 0x%X\n", p->p_filesz);
    fprintf(stream, "p_memsz     : 0x%X\n", p->p_memsz);
    fprintf(stream, "p_flags     : 0x%X\n", p->p_flags);
    fprintf(stream, "p_align     : 0x%X\n", p->p_align);
}

void ElfSection::print(FILE* stream) const
{
    // Put together by hand like the symbol lines: an archive of C++ objects lists tens
    // of thousands of sections, ten fields each.
    const ElfSectionHeader* s = header;
    std::string text = "\nsection header\nsh_name     : 0x";
    appendHex(text, s->sh_name, 1, true);
    text += ' ';
    QLatin1String name = file->sectionNameView(this);
    text.append(name.data(), size_t(name.size()));
    text += "\nsh_type     : 0x";
    appendHex(text, s->sh_type, 1, true);
    text += ' ';
    text += sectionTypeName(s->sh_type);
    text += "\nsh_flags    : 0x";
    appendHex(text, s->sh_flags, 1, true);
    text += ' ';
    text += bytesFromText(sectionFlagsText(s->sh_flags)).constData();
    // The header is packed and may sit anywhere in a damaged image: the pair's constructor
    // takes its arguments by reference, so each field is copied first.
    const std::pair<const char*, uint32_t> fields[] = {
        {"\nsh_addr     : 0x", uint32_t(s->sh_addr)}, {"\nsh_offset   : 0x", uint32_t(s->sh_offset)},
        {"\nsh_size     : 0x", uint32_t(s->sh_size)}, {"\nsh_link     : 0x", uint32_t(s->sh_link)},
        {"\nsh_info     : 0x", uint32_t(s->sh_info)}, {"\nsh_addralign: 0x", uint32_t(s->sh_addralign)},
        {"\nsh_entsize  : 0x", uint32_t(s->sh_entsize)}};
    for (const auto& [label, value] : fields) {
        text += label;
        appendHex(text, value, 1, true);
    }
    text += '\n';
    fwrite(text.data(), 1, text.size(), stream);
}

void printSymbols(const ElfFile& image, FILE* stream)
{
    // Each line is "0x%08x %s %s (0x%x,0x%x,0x%x) %s\n", put together by hand in one
    // reused buffer: formatted output of 100,000 lines with long demangled names costs
    // more than all of the loading.
    SectionNameCache sectionNames(image);
    std::string line;
    for (const ElfSymbol* symbol : image.symbolsByName) {
        const ElfSymbolEntry* e = symbol->entry;
        auto* arm = image.useARMSymbols ? static_cast<const ARMElfSymbol*>(symbol) : nullptr;
        bool thumb = arm && arm->kind == ARMElfSymbol::Thumb;
        QLatin1String section = sectionNames(e->st_shndx);
        line.assign("0x");
        appendHex(line, symbol->value(), 8);
        line += ' ';
        line.append(section.data(), size_t(section.size()));
        line += ' ';
        for (QChar c : symbol->name)
            line += char(c.unicode());   // one byte per character, as read
        line += " (0x";
        appendHex(line, e->st_info);
        line += ",0x";
        appendHex(line, e->st_other);
        line += ",0x";
        appendHex(line, e->st_shndx);
        line += thumb ? ") Thumb\n" : ") Not Thumb\n";
        fwrite(line.data(), 1, line.size(), stream);
    }
}

void printRelocations(const ElfFile& image, FILE* stream)
{
    const ElfSection* strings = image.getSection(QStringLiteral(".strtab"));
    SectionNameCache sectionNames(image);
    RelocationTypeNames typeNames;
    for (const ElfSection* section : image.sections) {
        if (section->header->sh_type != SHT_REL || !section->data)
            continue;
        const ElfSection* target = image.sectionByIndex(int(section->header->sh_info));
        if (!target || !(target->header->sh_flags & SHF_ALLOC))
            continue;
        printRelocationSection(image, *section, *target, strings, sectionNames, typeNames, stream);
    }
}

const char* sectionTypeName(uint32_t type)
{
    switch (type) {
    case 0: return "SHT_NULL";
    case 1: return "SHT_PROGBITS";
    case 2: return "SHT_SYMTAB";
    case 3: return "SHT_STRTAB";
    case 4: return "SHT_RELA";
    case 5: return "SHT_HASH";
    case 6: return "SHT_DYNAMIC";
    case 7: return "SHT_NOTE";
    case 8: return "SHT_NOBITS";
    case 9: return "SHT_REL";
    case 10: return "SHT_SHLIB";
    case 11: return "SHT_DYNSYM";
    case 14: return "SHT_INIT_ARRAY";
    case 15: return "SHT_FINI_ARRAY";
    case 16: return "SHT_PREINIT_ARRAY";
    case 17: return "SHT_GROUP";
    case 18: return "SHT_SYMTAB_SHNDX";
    case 0x70000000: return "SHT_LOPROC";
    case 0x70000001: return "SHT_ARM_EXIDX";
    case 0x70000002: return "SHT_ARM_PREEMPTMAP";
    case 0x70000003: return "SHT_ARM_ATTRIBUTES";
    case 0x70000004: return "SHT_ARM_DEBUGOVERLAY";
    case 0x70000005: return "SHT_ARM_OVERLAYSECTION";
    case 0x7FFFFFFF: return "SHT_HIPROC";
    case 0x80000000: return "SHT_LOUSER";
    case 0xFFFFFFFF: return "SHT_HIUSER";
    default: return "UNKNOWN section type";
    }
}

QString programTypeName(uint32_t type)
{
    switch (type) {
    case 0: return QStringLiteral("PT_NULL");
    case 1: return QStringLiteral("PT_LOAD");
    case 2: return QStringLiteral("PT_DYNAMIC");
    case 3: return QStringLiteral("PT_INTERP");
    case 4: return QStringLiteral("PT_NOTE");
    case 5: return QStringLiteral("PT_SHLIB");
    case 6: return QStringLiteral("PT_PHDR");
    case 7: return QStringLiteral("PT_TLS");
    case 0x60000000: return QStringLiteral("PT_LOOS");
    case 0x6FFFFFFF: return QStringLiteral("PT_HIOS");
    default: return QString::asprintf("0x%X", type);
    }
}

QString sectionFlagsText(uint32_t flags)
{
    static const struct { uint32_t bit; const char* name; } names[] = {
        {SHF_WRITE, "SHF_WRITE"}, {SHF_ALLOC, "SHF_ALLOC"}, {SHF_EXECINSTR, "SHF_EXECINSTR"}};
    QString text;
    for (const auto& flag : names) {
        if (!(flags & flag.bit))
            continue;
        if (!text.isEmpty())
            text += QLatin1Char('+');
        text += QLatin1String(flag.name);
    }
    return text;
}

QString relocationTypeName(uint32_t type)
{
    const char* name = "";
    switch (type) {
    case 2: name = "R_ARM_ABS32"; break;
    case 3: name = "R_ARM_REL32"; break;
    case 10: name = "R_ARM_THM_CALL"; break;
    case 28: name = "R_ARM_CALL"; break;
    case 29: name = "R_ARM_JUMP24"; break;
    case 30: name = "R_ARM_THM_JUMP24"; break;
    case 38: name = "R_ARM_TARGET1"; break;
    case 40: name = "R_ARM_V4BX"; break;
    case 42: name = "R_ARM_PREL31"; break;
    case 43: name = "R_ARM_MOVW_ABS_NC"; break;
    case 44: name = "R_ARM_MOVT_ABS"; break;
    case 47: name = "R_ARM_THM_MOVW_ABS_NC"; break;
    case 48: name = "R_ARM_THM_MOVT_ABS"; break;
    }
    return QString::asprintf("0x%02x %s", type, name);
}
