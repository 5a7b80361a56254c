// The disassembly listing: walks each code section, prints labels where symbols sit on
// instruction starts (switching between ARM and Thumb state by the symbols' code kinds)
// and one line per instruction.
//
// Reads never pass the section's bytes that lie in the file: a section whose contents
// run past the end of the image is listed up to the image end (with a warning on
// standard error), and trailing bytes too few for the instruction in use print as one
// ".byte" directive, which assembles back to the same bytes.
//
// Code units are fetched in the code byte order (codeBigEndian below); everything else
// the listing reads keeps the image's byte order.
#include "arm/DisassemblyListing.h"
#include "arm/ListingSymbols.h"
#include "arm/MyARMInstructionSetDisassembler.h"
#include "common/ByteOrder.h"
#include "common/Text.h"
#include <cstring>
#include <memory>

ArchitectureLevel architectureLevelFromName(const char* arch)
{
    static const char* const names[] = {"v4T", "v5TE", "v6", "v6T2", "v6M", "v7M",
                                        "v7EM", "v7R", "v7A", "v8M_Baseline", "v8M_Mainline"};
    if (arch)
        for (int n = 0; n < int(sizeof names / sizeof names[0]); ++n)
            if (strcmp(arch, names[n]) == 0)
                return ArchitectureLevel(n + 1);
    return ArchUnrestricted;
}

namespace {

// Byte order of the instructions in the image's code sections. A big-endian ARM image
// linked in BE8 form (EF_ARM_BE8, the default for ARMv6 and later) stores instructions
// little-endian and only data big-endian; relocatable objects are always BE32, with
// instructions in the image's byte order like their data, whatever their flags say.
int codeBigEndian(const ElfFile& image)
{
    const ElfHeader& header = *image.header;
    const bool be8 = header.e_machine == EM_ARM && header.e_type != ET_REL
                     && (header.e_flags & EF_ARM_BE8);
    return image.bigEndian && !be8;
}

class SectionListing {
public:
    SectionListing(const ElfFile& image, const ElfSection& section, const ListingSymbols& symbols,
                   ArchitectureLevel level, bool unified, FILE* stream)
        : image(image), section(section), symbols(symbols),
          disassembler(level, &image, &section, &symbols), stream(stream),
          bigEndian(codeBigEndian(image))
    {
        disassembler.unifiedSyntax = unified;
    }

    void run();

private:
    void printLabels(uint32_t address);
    // Lists one instruction at `offset`; returns the bytes it used.
    uint32_t printInstruction(uint32_t address, uint32_t offset, uint32_t left);
    void printBytes(uint32_t offset, uint32_t count);

    const ElfFile& image;
    const ElfSection& section;
    const ListingSymbols& symbols;
    MyARMInstructionSetDisassembler disassembler;
    FILE* stream;
    const int bigEndian;   // byte order of A32 words and T16/T32 halfwords
    bool thumb = false;
    char text[ARMInstructionSetDisassembler::kTextSize];
};

void SectionListing::run()
{
    const uint32_t size = section.header->sh_size;
    const uint32_t available = section.availableSize();
    if (available < size)
        fprintf(stderr, "warning: section %s: %u bytes lie beyond the end of the file and are "
                        "not listed\n",
                bytesFromText(image.sectionName(&section)).constData(), size - available);
    uint32_t address = section.header->sh_addr;
    uint32_t offset = 0;
    while (offset < available) {
        printLabels(address);
        const uint32_t used = printInstruction(address, offset, available - offset);
        address += used;
        offset += used;
    }
}

void SectionListing::printLabels(uint32_t address)
{
    const ListingSymbol* symbol;
    const ListingSymbol* last;
    symbols.at(address, symbol, last);
    for (; symbol != last; ++symbol) {
        if (symbol->global)
            fprintf(stream, "\t.global %s\n", symbol->name);
        if (symbol->kind == ARMElfSymbol::Arm) {
            thumb = false;
        } else if (symbol->kind == ARMElfSymbol::Thumb) {
            fputs("\t.thumb_func\n", stream);
            thumb = true;
        }
        fprintf(stream, "%s:\n", symbol->name);
    }
}

uint32_t SectionListing::printInstruction(uint32_t address, uint32_t offset, uint32_t left)
{
    const uint8_t* bytes = section.data + offset;
    bool pending = false;
    if (!thumb) {
        if (left < 4) {
            printBytes(offset, left);
            return left;
        }
        disassembler.disassembleInstruction(true, address, readU32(bytes, bigEndian), text, pending);
        fprintf(stream, "\t%s\n", text);
        return 4;
    }
    if (left < 2) {
        printBytes(offset, left);
        return left;
    }
    disassembler.disassembleInstruction(false, address, readU16(bytes, bigEndian), text, pending);
    if (!pending) {
        fprintf(stream, "\t%s\n", text);
        return 2;
    }
    if (left < 4) {
        // A first half with no second half before the section end.
        printBytes(offset, left);
        return left;
    }
    disassembler.disassembleInstruction(false, address + 2, readU16(bytes + 2, bigEndian), text,
                                        pending);
    fprintf(stream, "\t%s\n", text);
    return 4;
}

void SectionListing::printBytes(uint32_t offset, uint32_t count)
{
    fputs("\t.byte ", stream);
    for (uint32_t n = 0; n < count; ++n)
        fprintf(stream, n ? ", 0x%02X" : "0x%02X", section.data[offset + n]);
    fputc('\n', stream);
}

bool isCodeSection(const ElfSection& section)
{
    return section.header->sh_type == SHT_PROGBITS && (section.header->sh_flags & SHF_EXECINSTR);
}

} // namespace

void printDisassembly(const ElfFile& image, const char* arch, bool unified, FILE* stream)
{
    if (unified)
        fputs("\t.syntax unified\n", stream);
    const ArchitectureLevel level = architectureLevelFromName(arch);
    std::unique_ptr<ListingSymbols> symbols;   // built at the first code section
    for (const ElfSection* section : image.sections) {
        if (!section || !isCodeSection(*section))
            continue;
        if (!symbols)
            symbols.reset(new ListingSymbols(image));
        fprintf(stream, "\t.section\t%s,\"ax\",%%progbits\n",
                bytesFromText(image.sectionName(section)).constData());
        SectionListing listing(image, *section, *symbols, level, unified, stream);
        listing.run();
    }
}
