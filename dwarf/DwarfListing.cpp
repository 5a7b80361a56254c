#include "dwarf/DwarfListing.h"
#include "dwarf/DwarfDebugInfo.h"
#include "dwarf/DwarfEntryPrinter.h"

namespace {

void printDebuggingInformation(DwarfDebugInfo& reader, FILE* stream)
{
    DwarfTextWriter writer(stream);
    DwarfEntryPrinter printer(writer);
    for (const auto& unit : reader.units) {
        // Reading a unit may print diagnostics to standard output.
        writer.flush();
        if (DwarfDebuggingInformationEntry* tree = unit->readEntries())
            printer.printEntryChain(tree, 1);
        // Nothing later in the listing needs the tree: freeing it keeps one unit's tree in
        // memory at a time instead of all of them.
        unit->releaseEntries();
    }
}

}

void dump(DwarfDebugInfo& reader, FILE* stream)
{
    fputs("Line\n----\n", stream);
    printLineMap(reader, stream);
    fputs("Frame\n-----\n", stream);
    dumpFrames(reader.frames, stream);
    fputs("Debugging Information\n---------------------\n", stream);
    printDebuggingInformation(reader, stream);
    fputs("\nPubnames\n--------\n", stream);
    printNames(reader.pubnames, stream);
    fputs("\nPubtypes\n--------\n", stream);
    printNames(reader.pubtypes, stream);
    fputs("\nAranges\n-------\n", stream);
    printRanges(reader.addressRanges, stream);
    fputs("\nMacros\n-------\n", stream);
    printMacros(reader.macros, stream);
}

void printDwarf(const ElfFile& image, bool ignoreDebugAranges, FILE* stream)
{
    DwarfDebugInfo reader(image.bigEndian ? 1 : 0);
    reader.load(image, 0, ignoreDebugAranges, false);
    dump(reader, stream);
}
