// -mm over gcc's output for vendor-style peripheral declarations (tests/data/mm, see
// make-fixtures.sh; the expected documents were written from the writer's rules and the
// DWARF that llvm-dwarfdump shows). Hand-made types that lead back to themselves or nest
// too deep are cases of tests/data/dwarf/cases.txt.
#include "DwarfTestSupport.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

const std::string mmData = std::string(MORVANE_TEST_DATA) + "/mm/";

void expectWellFormed(const std::string& document)
{
    QXmlStreamReader xml(QByteArray::fromStdString(document));
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
}

TEST(RegisterGroups, PeripheralDeclarationsOfGcc)
{
    // _edata marks the end of .data: its 4 bytes lie in no segment and no section.
    const std::string edata = "morvane: warning: register group _edata: the 4 bytes at 0x00009094 are not in "
                              "the image; its start is written as 0\n";
    struct Case {
        const char* image;
        const char* document;
        std::string err;
    } cases[] = {
        {"peripherals-dwarf2.elf", "peripherals.xml", edata},      // block member offsets
        {"peripherals-dwarf4.elf", "peripherals.xml", edata},      // constant member offsets
        // Big-endian units place the first bit field at the most significant bit.
        {"peripherals-dwarf2-be.elf", "peripherals-be.xml", edata},
        // Bit fields by DW_AT_data_bit_offset, in both byte orders.
        {"peripherals-dwarf5.elf", "peripherals.xml", edata},
        {"peripherals-dwarf5-be.elf", "peripherals-be.xml", edata},
        // No program headers: the values come from .data itself. USART2 is in .data.rel.
        {"peripherals-dwarf4.o", "peripherals-object.xml", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        RunResult run = runMorvane({"-mm", mmData + c.image});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, readFileText(mmData + c.document));
        EXPECT_EQ(run.err, c.err);
        expectWellFormed(run.out);
    }
}

} // namespace
