#include "dump/DumpImage.h"

#include "arm/DisassemblyListing.h"
#include "common/HException.h"
#include "common/OutputStream.h"
#include "common/Text.h"
#include "dump/Fatal.h"
#include "dwarf/DwarfListing.h"
#include "dwarf/RegisterGroupWriter.h"
#include "elf/ARMAttributes.h"
#include "elf/ElfFile.h"
#include "elf/ElfListings.h"
#include "elf/ElfPatches.h"
#include "elf/SectionComparison.h"

#include <cstdlib>

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

// -cmp: ends the run at the first code section that differs from its namesake in
// options.cmpFile; returns when all agree.
void compareWithSecondFile(const DwarfDumpArgParse& options, const ElfFile& image)
{
    try {
        if (!compareSections(image, textFromBytes(options.cmpFile), stderr))
            exit(1);
    } catch (const HException& exception) {
        fatal("open error %s\n", exception.what());
    }
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
        image.save(options.inputFile);
    } catch (const HException& exception) {
        fatal("write error %s\n", exception.what());
    }
}

// -ARMAttributes: the attributes listing, always on standard output.
void printAttributes(const ElfFile& image)
{
    if (!printARMAttributes(image, stdout))
        fprintf(stderr, "warning: section .ARM.attributes: an attribute runs past the end of "
                        "its subsection; the listing stops before it\n");
}

} // namespace

void dumpImage(const DwarfDumpArgParse& options, uint8_t* image, uint32_t length,
               const char* memberName)
{
    FILE* out = outputStream();
    // Releases the image however the sequence ends, also when a fatal handler unwinds.
    struct ImageRelease {
        ~ImageRelease()
        {
            delete theImage;
            theImage = nullptr;
        }
    } release;
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
        compareWithSecondFile(options, elf);
    if (options.setVFPflags)
        runPatch("-setVFPflags", setVFPFlags, options, elf, memberName);
    if (options.deTISection)
        runPatch("-deTISection", retypeTISections, options, elf, memberName);
    if (options.thumbSymbols)
        runPatch("-ThumbSymbols", markThumbSymbols, options, elf, memberName);
    if (options.armAttributes)
        printAttributes(elf);
    if (options.relocations)
        printRelocations(elf, out);
    if (options.mm)
        writeRegisterGroups(elf, out, options.ignoreDebugAranges);
}
