#include "elf/ElfFile.h"

#include "common/ByteOrder.h"
#include "common/HException.h"
#include "common/Text.h"

#include <QFile>
#include <algorithm>
#include <cstddef>
#include <cstring>
#define HAVE_DECL_BASENAME 1
#include <libiberty/demangle.h>

namespace {

const uint32_t programEntrySize = 32;
const uint32_t sectionEntrySize = 40;
const uint32_t symbolEntrySize = 16;

// In-place conversion of one field from image order to host order. The field is
// addressed as bytes, since tables of a damaged image may sit at any offset.
void toHost16(uint8_t* field, bool bigEndian)
{
    uint16_t value = readU16(field, bigEndian);
    memcpy(field, &value, sizeof value);
}

void toHost32(uint8_t* field, bool bigEndian)
{
    uint32_t value = readU32(field, bigEndian);
    memcpy(field, &value, sizeof value);
}

#define FIELD(record, Type, member) (reinterpret_cast<uint8_t*>(record) + offsetof(Type, member))

void headerToHost(ElfHeader* h, bool be)
{
    toHost16(FIELD(h, ElfHeader, e_type), be);
    toHost16(FIELD(h, ElfHeader, e_machine), be);
    toHost32(FIELD(h, ElfHeader, e_version), be);
    toHost32(FIELD(h, ElfHeader, e_entry), be);
    toHost32(FIELD(h, ElfHeader, e_phoff), be);
    toHost32(FIELD(h, ElfHeader, e_shoff), be);
    toHost32(FIELD(h, ElfHeader, e_flags), be);
    toHost16(FIELD(h, ElfHeader, e_ehsize), be);
    toHost16(FIELD(h, ElfHeader, e_phentsize), be);
    toHost16(FIELD(h, ElfHeader, e_phnum), be);
    toHost16(FIELD(h, ElfHeader, e_shentsize), be);
    toHost16(FIELD(h, ElfHeader, e_shnum), be);
    toHost16(FIELD(h, ElfHeader, e_shstrndx), be);
}

void programHeaderToHost(ElfProgramHeader* p, bool be)
{
    // All eight fields are 32-bit words, laid out back to back.
    for (uint32_t offset = 0; offset < programEntrySize; offset += 4)
        toHost32(reinterpret_cast<uint8_t*>(p) + offset, be);
}

void sectionHeaderToHost(ElfSectionHeader* s, bool be)
{
    // All ten fields are 32-bit words, laid out back to back.
    for (uint32_t offset = 0; offset < sectionEntrySize; offset += 4)
        toHost32(reinterpret_cast<uint8_t*>(s) + offset, be);
}

void symbolToHost(ElfSymbolEntry* s, bool be)
{
    toHost32(FIELD(s, ElfSymbolEntry, st_name), be);
    toHost32(FIELD(s, ElfSymbolEntry, st_value), be);
    toHost32(FIELD(s, ElfSymbolEntry, st_size), be);
    toHost16(FIELD(s, ElfSymbolEntry, st_shndx), be);
}

bool isMangled(const char* name, size_t length)
{
    return (length >= 2 && name[0] == '_' && name[1] == 'Z')
        || (length >= 3 && name[0] == '_' && name[1] == '_' && name[2] == 'Z');
}

// libiberty offers GNU v3 demangling only (its ARM/cfront scheme is gone), so images
// linked by ADS are demangled the same way: their C++ names use the same prefixes.
QString demangledName(const char* name, size_t length)
{
    if (!isMangled(name, length))
        return textFromBytes(name, int(length));
    // A terminated copy: the name may have been cut by the end of its section.
    QByteArray copy(name, int(length));
    char* demangled = cplus_demangle(copy.constData(), DMGL_PARAMS | DMGL_TYPES | DMGL_GNU_V3);
    if (!demangled)
        return textFromBytes(name, int(length));
    QString result = textFromBytes(demangled);
    free(demangled);
    return result;
}

bool isOtherSymbolName(const QString& name)
{
    return name.isEmpty() || name.startsWith(QLatin1Char('$')) || name.startsWith(QLatin1String(".L"));
}

bool byName(const ElfSymbol* a, const ElfSymbol* b)
{
    return a->name < b->name;
}

bool byValue(const ElfSymbol* a, const ElfSymbol* b)
{
    return a->value() < b->value();
}

} // namespace

uint32_t ElfSection::availableSize() const
{
    if (!data)
        return 0;
    // Measured from the contents pointer fixed at load time: header fields may have been
    // rewritten since by the conversion of an overlapping table in a damaged image.
    uint32_t left = uint32_t(file->image + file->imageLength - data);
    return std::min(header->sh_size, left);
}

ARMElfSymbol::ARMElfSymbol(ElfFile* file, ElfSymbolEntry* entry, const QString& name)
    : ElfSymbol(entry, name)
{
    uint32_t type = entry->st_info & 15;
    uint32_t value = entry->st_value;
    if (type == STT_FUNC && (value & 1)) {
        kind = Thumb;
        value &= ~1u;
    } else if (type == STT_FUNC) {
        kind = Arm;
    } else if (type == 13 || type == 15) {
        kind = Thumb;
    } else {
        kind = Other;
    }
    address = file->translateAddress(value);
}

ElfFile::ElfFile(bool useARMSymbols, bool demangleNames)
    : useARMSymbols(useARMSymbols), demangleNames(demangleNames)
{
}

ElfFile::~ElfFile()
{
    clear();
}

void ElfFile::clear()
{
    for (ElfProgram* program : programs)
        delete program;
    for (ElfSection* section : sections)
        delete section;
    for (ElfSymbol* symbol : symbolsByName)
        delete symbol;
    for (ElfSymbol* symbol : otherSymbols)
        delete symbol;
    programs.clear();
    sections.clear();
    sectionsByName.clear();
    symbolsByName.clear();
    symbolsByAddress.clear();
    otherSymbols.clear();
    stringTable = nullptr;
    symbolEntries = nullptr;
    symbolEntryCount = 0;
    linkedByADS = false;
    header = nullptr;
    delete[] image;
    image = nullptr;
    imageLength = 0;
    bigEndian = false;
}

uint8_t* ElfFile::locate(uint32_t offset, uint64_t size) const
{
    // The start must lie inside the image, and so must the end.
    if (offset >= imageLength || uint64_t(offset) + size > imageLength)
        throw HException(QStringLiteral("truncated ELF file: ") + path);
    return image + offset;
}

void ElfFile::loadImage(uint8_t* bytes, uint32_t length)
{
    image = bytes;
    imageLength = length;
    if (imageLength < sizeof(ElfHeader))
        throw HException(QStringLiteral("truncated ELF file: ") + path);
    header = reinterpret_cast<ElfHeader*>(image);
    bigEndian = image[EI_DATA] != ELFDATA2LSB;
    headerToHost(header, bigEndian);
    loadPrograms();
    loadSections();
    loadSectionNames();
    stringTable = getSection(QStringLiteral(".strtab"));
    ElfSection* comment = getSection(QStringLiteral(".comment"));
    static const char adsLinker[] = "ARM Linker, ADS1.2";
    linkedByADS = comment && comment->availableSize() >= sizeof adsLinker - 1
        && memcmp(comment->data, adsLinker, sizeof adsLinker - 1) == 0;
    loadSymbols();
}

void ElfFile::loadPrograms()
{
    uint32_t count = header->e_phnum;
    uint8_t* table = locate(header->e_phoff, uint64_t(count) * programEntrySize);
    for (uint32_t i = 0; i < count; ++i) {
        auto* entry = reinterpret_cast<ElfProgramHeader*>(table + i * programEntrySize);
        programHeaderToHost(entry, bigEndian);
        uint8_t* data = entry->p_filesz ? locate(entry->p_offset, entry->p_filesz) : nullptr;
        programs.push_back(new ElfProgram(entry, data));
    }
}

void ElfFile::loadSections()
{
    uint32_t count = header->e_shnum;
    uint8_t* table = locate(header->e_shoff, uint64_t(count) * sectionEntrySize);
    sections.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        auto* entry = reinterpret_cast<ElfSectionHeader*>(table + i * sectionEntrySize);
        sectionHeaderToHost(entry, bigEndian);
        uint8_t* data = entry->sh_type == SHT_NOBITS ? nullptr : locate(entry->sh_offset, entry->sh_size);
        sections.push_back(new ElfSection(this, entry, data));
    }
}

void ElfFile::loadSectionNames()
{
    ElfSection* names = sectionByIndex(header->e_shstrndx);
    if (!names)
        return;
    // Index order, so that of two sections with one name the later one stays.
    for (ElfSection* section : sections)
        sectionsByName[stringAt(names, section->header->sh_name)] = section;
}

void ElfFile::loadSymbols()
{
    ElfSection* table = getSection(QStringLiteral(".symtab"));
    if (!table || !table->data)
        return;
    // Entries are 16 bytes apart whatever sh_entsize says; it only sets the count.
    // A zero sh_entsize counts 16-byte entries, and no count reaches past the contents.
    uint32_t entrySize = table->header->sh_entsize ? table->header->sh_entsize : symbolEntrySize;
    uint32_t count = std::min(table->header->sh_size / entrySize, table->availableSize() / symbolEntrySize);
    symbolEntries = table->data;
    symbolEntryCount = count;
    symbolsByName.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        auto* entry = reinterpret_cast<ElfSymbolEntry*>(table->data + i * symbolEntrySize);
        symbolToHost(entry, bigEndian);
        ElfSymbol* symbol = useARMSymbols ? new ARMElfSymbol(this, entry, symbolName(entry->st_name))
                                          : new ElfSymbol(entry, symbolName(entry->st_name));
        if (isOtherSymbolName(symbol->name)) {
            otherSymbols.push_back(symbol);
            continue;
        }
        symbolsByName.push_back(symbol);
        if (sectionByIndex(entry->st_shndx))
            symbolsByAddress.push_back(symbol);
    }
    std::sort(symbolsByName.begin(), symbolsByName.end(), byName);
    std::sort(symbolsByAddress.begin(), symbolsByAddress.end(), byValue);
}

QString ElfFile::symbolName(uint32_t offset) const
{
    // Without a .strtab the symbols have no names (and so are not listed).
    if (!stringTable)
        return QString();
    size_t length = 0;
    const char* bytes = stringBytes(stringTable, offset, length);
    return demangleNames ? demangledName(bytes, length) : textFromBytes(bytes, int(length));
}

const char* ElfFile::stringBytes(const ElfSection* section, uint32_t offset, size_t& length) const
{
    if (section->header->sh_type != SHT_STRTAB)
        throw HException(QStringLiteral("not a string section"));
    uint32_t size = section->availableSize();
    if (offset >= size) {
        length = 0;
        return "";
    }
    const char* start = reinterpret_cast<const char*>(section->data + offset);
    length = strnlen(start, size - offset);
    return start;
}

QString ElfFile::stringAt(const ElfSection* section, uint32_t offset) const
{
    size_t length = 0;
    const char* bytes = stringBytes(section, offset, length);
    return textFromBytes(bytes, int(length));
}

ElfSection* ElfFile::sectionByIndex(int index) const
{
    if (index < 0 || size_t(index) >= sections.size())
        return nullptr;
    return sections[index];
}

ElfSection* ElfFile::getSection(const QString& name) const
{
    auto found = sectionsByName.find(name);
    return found == sectionsByName.end() ? nullptr : found->second;
}

QString ElfFile::sectionName(const ElfSection* section) const
{
    ElfSection* names = header ? sectionByIndex(header->e_shstrndx) : nullptr;
    if (!names || names->header->sh_type != SHT_STRTAB)
        return QString();
    return stringAt(names, section->header->sh_name);
}

ElfSymbol* ElfFile::symbolAtOrBefore(uint32_t address) const
{
    auto first = std::lower_bound(symbolsByAddress.begin(), symbolsByAddress.end(), address,
                                  [](const ElfSymbol* s, uint32_t a) { return s->value() < a; });
    if (first != symbolsByAddress.end() && (*first)->value() == address)
        return *first;
    if (first == symbolsByAddress.begin())
        return nullptr;
    return *(first - 1);
}

bool ElfFile::symbolsAt(uint32_t address, std::vector<ElfSymbol*>& list) const
{
    ElfSymbol* found = symbolAtOrBefore(address);
    if (!found)
        return false;
    auto range = std::equal_range(symbolsByAddress.begin(), symbolsByAddress.end(), found, byValue);
    list.insert(list.end(), range.first, range.second);
    return true;
}

uint8_t* ElfFile::peekBytes(uint32_t address, uint32_t length, bool virtualNotPhysical) const
{
    uint64_t end = uint64_t(address) + length;
    if (end > (uint64_t(1) << 32))
        return nullptr;
    for (ElfProgram* program : programs) {
        const ElfProgramHeader* p = program->header;
        if (p->p_type != PT_LOAD || p->p_filesz == 0 || !program->data)
            continue;
        uint32_t base = virtualNotPhysical ? p->p_vaddr : p->p_paddr;
        if (address < base || end > uint64_t(base) + p->p_filesz)
            continue;
        uint8_t* bytes = program->data + (address - base);
        // p_filesz was checked at load time, but an overlapping table may have changed it.
        if (uint64_t(bytes - image) + length > imageLength)
            return nullptr;
        return bytes;
    }
    return nullptr;
}

const ElfSymbolEntry* ElfFile::symbolEntry(uint32_t index) const
{
    if (index >= symbolEntryCount)
        return nullptr;
    return reinterpret_cast<const ElfSymbolEntry*>(symbolEntries + index * symbolEntrySize);
}

void ElfFile::load(const QString& fileName)
{
    clear();
    path.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw HException(QStringLiteral("cannot open ") + fileName);
    qint64 size = file.size();
    if (size < 0 || size > qint64(UINT32_MAX))
        throw HException(QStringLiteral("cannot read ") + fileName);
    auto* bytes = new uint8_t[size_t(size)];
    if (file.read(reinterpret_cast<char*>(bytes), size) != size) {
        delete[] bytes;
        throw HException(QStringLiteral("cannot read ") + fileName);
    }
    if (size < 4 || memcmp(bytes, ELFMAG, SELFMAG) != 0) {
        delete[] bytes;
        throw HException(QStringLiteral("invalid ELF file: ") + fileName);
    }
    path = fileName;
    loadImage(bytes, uint32_t(size));
}
