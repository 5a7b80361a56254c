#include "dwarf/RegisterGroupWriter.h"
#include "common/ByteOrder.h"
#include "common/Text.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfLocationExpressionEvaluator.h"
#include "dwarf/DwarfWarning.h"
#include "dwarf/GlobalEntryLookup.h"
#include "dwarf/RegisterTypeWriter.h"
#include "elf/ElfFile.h"
#include <vector>

namespace {

// Whether each section, by index, is named exactly ".data".
std::vector<bool> dataSections(const ElfFile& image)
{
    std::vector<bool> isData;
    for (const ElfSection* section : image.sections)
        isData.push_back(section && image.sectionName(section) == QLatin1String(".data"));
    return isData;
}

// The 32-bit value stored at the symbol: through the loadable segments, or, when none
// holds all 4 bytes (a relocatable object has none), from the symbol's section contents.
// Bytes in neither give 0 and a warning.
uint32_t groupStart(const ElfFile& image, const ElfSymbol& symbol, const ElfSection& section, const QByteArray& name)
{
    uint32_t address = symbol.value();
    if (const uint8_t* bytes = image.peekBytes(address, 4, true))
        return readU32(bytes, image.bigEndian);
    uint32_t sectionAddress = section.header->sh_addr;
    if (section.data && address >= sectionAddress && uint64_t(address - sectionAddress) + 4 <= section.availableSize())
        return readU32(section.data + (address - sectionAddress), image.bigEndian);
    dwarfWarning("register group %s: the 4 bytes at 0x%08x are not in the image; its start is written as 0",
                 name.constData(), address);
    return 0;
}

} // namespace

void writeRegisterGroups(const ElfFile& image, FILE* stream, bool ignoreDebugAranges)
{
    DwarfDebugInfo reader(image.bigEndian ? 1 : 0);
    reader.load(image, 0, ignoreDebugAranges, false);
    RegisterTypeWriter types(reader, stream);
    std::vector<bool> isData = dataSections(image);
    fputs("<Root>\n", stream);
    for (const ElfSymbol* symbol : image.symbolsByName) {
        uint32_t index = symbol->entry->st_shndx;
        if (index >= isData.size() || !isData[index] || symbol->name.startsWith(QLatin1String("__")))
            continue;
        QByteArray name = bytesFromText(symbol->name);
        fprintf(stream, "<RegisterGroup name=\"%s\" start=\"0x%08x\">\n", name.constData(),
                groupStart(image, *symbol, *image.sectionByIndex(int(index)), name));
        const DwarfDebuggingInformationEntry* variable = findGlobalEntry(reader, name.constData());
        if (!variable) {
            fprintf(stream, "ddie for %s not found\n", name.constData());
        } else if (const DwarfDebuggingInformationEntry* type = types.typeOf(variable)) {
            types.startGroup(name.constData());
            types.writeRegisterType(type, "", 0, "Read/Write");
        }
        fputs("</RegisterGroup>\n", stream);
    }
    fputs("</Root>\n", stream);
    // The entry belongs to the reader, which ends here.
    theEvaluator.setCurrentEntry(nullptr);
}
