#include "elf/SectionComparison.h"

#include "common/Text.h"

#include <algorithm>
#include <cstring>

namespace {

bool isCodeSection(const ElfSection& section)
{
    return section.header->sh_type == SHT_PROGBITS && (section.header->sh_flags & SHF_EXECINSTR);
}

// Lists every halfword (at even offsets from the section start) that differs; whatever
// the byte order, two halfwords are equal exactly when their bytes are. The last unit of
// an odd-sized section is its lone last byte: nothing past it is read. Bytes that one
// side does not hold (a namesake of type SHT_NOBITS has none) differ.
void listDifferentContents(const char* name, const ElfSection& first, const ElfSection& second,
                           uint32_t size, FILE* messages)
{
    uint32_t held = std::min(first.availableSize(), second.availableSize());
    for (uint32_t offset = 0; offset < size; offset += 2) {
        uint32_t unit = std::min<uint32_t>(2, size - offset);
        if (offset + unit > held || memcmp(first.data + offset, second.data + offset, unit) != 0)
            fprintf(messages, "section %s different contents at address 0x%x\n", name, offset);
    }
}

// Checks one code section against its namesake in `second`; false after reporting a
// difference.
bool sameSection(const ElfFile& image, const ElfSection& section, const ElfFile& second, FILE* messages)
{
    QString name = image.sectionName(&section);
    QByteArray printed = bytesFromText(name);
    const ElfSection* other = second.getSection(name);
    if (!other) {
        fprintf(messages, "section %s not found\n", printed.constData());
        return false;
    }
    const ElfSectionHeader* a = section.header;
    const ElfSectionHeader* b = other->header;
    if (a->sh_addr != b->sh_addr) {
        fprintf(messages, "section %s different start addresses\n", printed.constData());
        return false;
    }
    if (a->sh_size != b->sh_size) {
        fprintf(messages, "section %s different lengths %d vs %d\n", printed.constData(),
                int(a->sh_size), int(b->sh_size));
        return false;
    }
    uint32_t size = std::max(section.availableSize(), other->availableSize());
    if (size == 0 || (section.availableSize() == other->availableSize()
                      && memcmp(section.data, other->data, size) == 0))
        return true;
    listDifferentContents(printed.constData(), section, *other, size, messages);
    return false;
}

} // namespace

bool compareSections(const ElfFile& image, const QString& secondPath, FILE* messages)
{
    ElfFile second(image.useARMSymbols, image.demangleNames);
    second.load(secondPath);
    for (const ElfSection* section : image.sections)
        if (isCodeSection(*section) && !sameSection(image, *section, second, messages))
            return false;
    return true;
}
