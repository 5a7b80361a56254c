#include "elf/ElfPatches.h"

#include <vector>

namespace {

const uint32_t vfpFlags = 0x600;
const uint32_t tiAttributesType = 0x7F000006;

// Per section index: whether the section's name begins with ".text".
std::vector<bool> textSections(const ElfFile& image)
{
    std::vector<bool> text;
    text.reserve(image.sections.size());
    for (const ElfSection* section : image.sections)
        text.push_back(image.sectionName(section).startsWith(QLatin1String(".text")));
    return text;
}

} // namespace

void setVFPFlags(ElfFile& image)
{
    image.header->e_flags = vfpFlags;
}

void retypeTISections(ElfFile& image)
{
    for (ElfSection* section : image.sections)
        if (section->header->sh_type == tiAttributesType)
            section->header->sh_type = SHT_ARM_ATTRIBUTES;
}

void markThumbSymbols(ElfFile& image)
{
    std::vector<bool> text = textSections(image);
    for (ElfSymbol* symbol : image.symbolsByName) {
        ElfSymbolEntry* entry = symbol->entry;
        uint16_t index = entry->st_shndx;
        if (index < text.size() && text[index] && ELF32_ST_TYPE(entry->st_info) == STT_FUNC
            && (entry->st_value & 1) == 0)
            entry->st_value |= 1;
    }
}
