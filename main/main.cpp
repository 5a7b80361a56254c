// morvane: lists 32-bit ARM ELF files and ar archives of them.
#include "argparse/DwarfDumpArgParse.h"
#include "common/ErrorReporter.h"
#include "common/OutputStream.h"
#include "common/Text.h"
#include "dump/DumpImage.h"
#include "dump/Fatal.h"
#include "main/ArchiveReader.h"
#include "main/InputFile.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Objects that live until the process exits; globals keep them reachable.
DwarfDumpArgParse* theOptions = nullptr;

void openOutput(const DwarfDumpArgParse& options)
{
    if (options.outputFile.isEmpty())
        return;
    QByteArray path = bytesFromText(options.outputFile);
    FILE* stream = fopen(path.constData(), "w");
    if (!stream)
        fatal("cannot create %s\n", path.constData());
    setOutputStream(stream);
}

} // namespace

int main(int argc, char** argv)
{
    theErrorReporter = new ErrorReporter(textFromBytes(argc > 0 ? argv[0] : ""), stderr);
    theOptions = new DwarfDumpArgParse;
    DwarfDumpArgParse& options = *theOptions;
    if (argc < 2) {
        options.usage();
        exit(0);
    }
    options.parse(argc - 1, argv + 1, 1);
    if (theErrorReporter->errorCount != 0 || options.inputFile.isEmpty()) {
        options.usage();
        exit(1);
    }
    openOutput(options);

    InputFile input = openInputFile(bytesFromText(options.inputFile).constData());
    if (!ArchiveReader::isArchive(input.bytes, input.length)) {
        dumpImage(options, input.bytes, input.length);
        exit(0);
    }
    ArchiveReader(options, input.bytes, input.length).run();
    exit(0);
}
