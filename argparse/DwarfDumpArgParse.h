#pragma once
// The tool's options: sixteen single-dash options and two positional arguments
// (input file, then output file; a third positional argument replaces the second).
#include "argparse/ArgParse.h"

#include <QString>

class DwarfDumpArgParse : public ArgParse {
public:
    DwarfDumpArgParse();
    void positionalArgument(const char* argument) override;
    // Writes the usage text to standard error.
    void usage() const;

    bool header = false;
    bool programs = false;
    bool sections = false;
    bool symbols = false;
    bool dwarf = false;
    bool setVFPflags = false;
    bool deTISection = false;
    bool relocations = false;
    bool mm = false;
    bool disassemble = false;
    bool ual = false;
    bool thumbSymbols = false;
    bool armAttributes = false;
    bool ignoreDebugAranges = false;

    QString inputFile;
    QString outputFile;
    const char* cmpFile = nullptr;
    const char* arch = nullptr;
};
