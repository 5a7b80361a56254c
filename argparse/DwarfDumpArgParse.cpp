#include "argparse/DwarfDumpArgParse.h"

#include "common/Text.h"

DwarfDumpArgParse::DwarfDumpArgParse()
{
    addOption("-header", Flag, &header, nullptr);
    addOption("-programs", Flag, &programs, nullptr);
    addOption("-sections", Flag, &sections, nullptr);
    addOption("-symbols", Flag, &symbols, nullptr);
    addOption("-dwarf", Flag, &dwarf, nullptr);
    addOption("-setVFPflags", Flag, &setVFPflags, nullptr);
    addOption("-deTISection", Flag, &deTISection, nullptr);
    addOption("-relocations", Flag, &relocations, nullptr);
    addOption("-mm", Flag, &mm, nullptr);
    addOption("-disassemble", Flag, &disassemble, nullptr);
    addOption("-cmp", NextArgument, nullptr, &cmpFile);
    addOption("-arch", NextArgument, nullptr, &arch);
    addOption("-ual", Flag, &ual, nullptr);
    addOption("-ThumbSymbols", Flag, &thumbSymbols, nullptr);
    addOption("-ARMAttributes", Flag, &armAttributes, nullptr);
    addOption("-ignoreDebugAranges", Flag, &ignoreDebugAranges, nullptr);
}

void DwarfDumpArgParse::positionalArgument(const char* argument)
{
    if (inputFile.isEmpty())
        inputFile = textFromBytes(argument);
    else
        outputFile = textFromBytes(argument);
}

void DwarfDumpArgParse::usage() const
{
    fputs("usage: morvane [options] elffile [outputfile]\n"
          "\n"
          "  -arch=v4t|v5te|v6|v6m|v7m|v7em|v7a|v7r specify architecture for disassembly\n"
          "  -cmp elffile2  compare text sections of <elffile> with <elffile2>\n"
          "  -dwarf         show dwarf debugging information\n"
          "  -disassemble   disassemble\n"
          "  -header        show header\n"
          "  -mm            create register groups from globals\n"
          "  -programs      show programs\n"
          "  -sections      show sections\n"
          "  -symbols       show symbols\n"
          "  -setVFPflags   set Elf header to indicate VFP float format\n"
          "  -deTISection   change TI section to ARM\n"
          "  -relocations   show relocation sections\n"
          "  -ual           disassemble UAL\n"
          "  -ThumbSymbols  set bottom address of STT_FUNC symbols in .text section\n"
          "  -ARMAttributes display ARM attributes section\n"
          "  -ignoreDebugAranges do not .debug_aranges section\n",
          stderr);
}
