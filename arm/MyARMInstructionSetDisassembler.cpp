#include "arm/MyARMInstructionSetDisassembler.h"

MyARMInstructionSetDisassembler::MyARMInstructionSetDisassembler(ArchitectureLevel level,
                                                                 const ElfFile* image,
                                                                 const ElfSection* section,
                                                                 const ListingSymbols* symbols)
    : ARMInstructionSetDisassembler(level, 0), image(image), section(section), symbols(symbols)
{
}

void MyARMInstructionSetDisassembler::printTargetAddress()
{
    const ListingSymbol* first;
    const ListingSymbol* last;
    symbols->at(targetAddress, first, last);
    if (first != last)
        emitText(first->name);
    else
        ARMInstructionSetDisassembler::printTargetAddress();
}

bool MyARMInstructionSetDisassembler::literalValue(uint32_t, uint32_t&)
{
    return false;
}
