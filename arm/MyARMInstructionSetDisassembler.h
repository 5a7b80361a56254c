#pragma once
// The listing's disassembler: branch and address targets print as the name of the first
// symbol on the target, and PC-relative word loads always print their offset form.
#include "arm/ARMInstructionSetDisassembler.h"
#include "arm/ListingSymbols.h"

class MyARMInstructionSetDisassembler : public ARMInstructionSetDisassembler {
public:
    MyARMInstructionSetDisassembler(ArchitectureLevel level, const ElfFile* image,
                                    const ElfSection* section, const ListingSymbols* symbols);

    const ElfFile* image;
    const ElfSection* section;

protected:
    void printTargetAddress() override;
    bool literalValue(uint32_t literalAddress, uint32_t& value) override;

private:
    const ListingSymbols* symbols;
};
