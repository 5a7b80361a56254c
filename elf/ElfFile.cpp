#include "elf/ElfFile.h"

#include "common/HException.h"
#include "common/Text.h"
#include "elf/HostOrder.h"

#include <QFile>
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

const uint32_t programEntrySize = 32;
const uint32_t sectionEntrySize = 40;

} // namespace

uint32_t ElfSection::availableSize() const
{
    if (!data)
        return 0;
    // Measured from the contents pointer fixed at load time: header fields may have been
    // rewritten since by the conversion of an overlapping table in a damaged image.
    uint32_t left = uint32_t(file->image + file->imageLength - data);
    return std::min(uint32_t(header->sh_size), left);
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
    programs.clear();
    sections.clear();
    sectionsByName.clear();
    symbolsByName.clear();
    symbolsByAddress.clear();
    otherSymbols.clear();
    elfSymbolPool.clear();
    armSymbolPool.clear();
    symbolNames.clear();
    stringTable = nullptr;
    symbolEntries = nullptr;
    symbolEntryCount = 0;
    linkedByADS = false;
    header = nullptr;
    if (ownsImage)
        delete[] image;
    ownsImage = false;
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
    ownsImage = true;   // released by clear() even when the build fails
    build(bytes, length);
}

void ElfFile::loadImageInPlace(uint8_t* bytes, uint32_t length)
{
    ownsImage = false;
    build(bytes, length);
}

void ElfFile::build(uint8_t* bytes, uint32_t length)
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
        wordsToHost(entry, programEntrySize, bigEndian);
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
        wordsToHost(entry, sectionEntrySize, bigEndian);
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
        sectionsByName[stringView(names, section->header->sh_name)] = section;
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
    return QString(stringView(section, offset));
}

QLatin1String ElfFile::stringView(const ElfSection* section, uint32_t offset) const
{
    size_t length = 0;
    const char* bytes = stringBytes(section, offset, length);
    return QLatin1String(bytes, qsizetype(length));
}

ElfSection* ElfFile::sectionByIndex(int index) const
{
    if (index < 0 || size_t(index) >= sections.size())
        return nullptr;
    return sections[index];
}

ElfSection* ElfFile::getSection(const QString& name) const
{
    QByteArray bytes = bytesFromText(name);
    auto found = sectionsByName.find(QLatin1String(bytes));
    return found == sectionsByName.end() ? nullptr : found->second;
}

QString ElfFile::sectionName(const ElfSection* section) const
{
    return QString(sectionNameView(section));
}

QLatin1String ElfFile::sectionNameView(const ElfSection* section) const
{
    ElfSection* names = header ? sectionByIndex(header->e_shstrndx) : nullptr;
    if (!names || names->header->sh_type != SHT_STRTAB)
        return QLatin1String("");
    return stringView(names, section->header->sh_name);
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

void ElfFile::load(const QString& fileName)
{
    clear();
    path.clear();
    // Opened by its bytes, which need not be a name QFile can spell (they may not be UTF-8).
    FILE* handle = fopen(bytesFromText(fileName).constData(), "rb");
    QFile file;
    if (!handle || !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (handle)
            fclose(handle);
        throw HException(QStringLiteral("cannot open ") + fileName);
    }
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

namespace {

// `pointer` into the bytes at `from`, moved to the same offset of the copy at `to`.
template <class T>
T* rebased(T* pointer, const uint8_t* from, uint8_t* to)
{
    if (!pointer)
        return nullptr;
    return reinterpret_cast<T*>(to + (reinterpret_cast<const uint8_t*>(pointer) - from));
}

} // namespace

void ElfFile::detachFromMapping()
{
    if (ownsImage || !image)
        return;
    uint8_t* copy = new uint8_t[imageLength];
    memcpy(copy, image, imageLength);
    auto moved = [this, copy](auto* pointer) { return rebased(pointer, image, copy); };
    header = moved(header);
    for (ElfProgram* program : programs) {
        program->header = moved(program->header);
        program->data = moved(program->data);
    }
    for (ElfSection* section : sections) {
        section->header = moved(section->header);
        section->data = moved(section->data);
    }
    for (ElfSymbol& symbol : elfSymbolPool)
        symbol.entry = moved(symbol.entry);
    for (ARMElfSymbol& symbol : armSymbolPool)
        symbol.entry = moved(symbol.entry);
    symbolEntries = moved(symbolEntries);
    // The map's keys are views of names in the old bytes, or of a constant empty text.
    std::map<QLatin1String, ElfSection*> names;
    for (const auto& [name, section] : sectionsByName) {
        auto* bytes = reinterpret_cast<const uint8_t*>(name.data());
        bool inImage = bytes >= image && bytes < image + imageLength;
        names.emplace(inImage ? QLatin1String(moved(name.data()), name.size()) : name, section);
    }
    sectionsByName.swap(names);
    image = copy;
    ownsImage = true;
}
