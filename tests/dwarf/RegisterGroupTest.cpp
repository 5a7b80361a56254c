// -mm over gcc's output for vendor-style peripheral declarations (tests/data/mm, see
// make-fixtures.sh; the expected documents were written from the writer's rules and the
// DWARF that llvm-dwarfdump shows), and over hand-made types that lead back to themselves
// or nest too deep.
#include "DwarfTestSupport.h"
#include "common/ByteOrder.h"
#include "dwarf/DwarfOperations.h"
#include "dwarf/DwarfTypeConstants.h"

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

TEST(RegisterGroups, ImageWithoutGlobalsInData)
{
    ElfWriter writer;
    int text = writer.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, writer.words32({0xe12fff1e}));
    writer.addSymbol("main", 0x8000, 4, ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    RunResult run = runMorvane({"-mm", writeTempFile(writer.build())});
    EXPECT_EQ(run.out, "<Root>\n</Root>\n");
    EXPECT_EQ(run.err, "");
}

// Entries placed by name, with DW_FORM_ref4 references patched once every name is placed.
class EntryBuilder {
public:
    explicit EntryBuilder(bool bigEndian) : entries(bigEndian) {}
    EntryBuilder& at(const std::string& name) { offsets[name] = 11 + entries.size(); return *this; }
    EntryBuilder& ref(const std::string& name) { references.push_back({entries.size(), name}); entries.u32(0); return *this; }
    Bytes finish()
    {
        for (const auto& reference : references)
            writeU32(&entries.data[reference.first], offsets.at(reference.second), entries.bigEndian);
        return entries;
    }
    Bytes entries;

private:
    std::map<std::string, uint32_t> offsets;
    std::vector<std::pair<size_t, std::string>> references;
};

// In both byte orders: fixed-size operands of member locations are always little-endian.
class RegisterGroupsHandMade : public testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(ByteOrders, RegisterGroupsHandMade, testing::Bool());

TEST_P(RegisterGroupsHandMade, SelfReferencingAndDeepTypesEnd)
{
    enum { CompileUnit = 1, Variable, Typedef, Array, Subrange, Enumeration, Pointer, Structure, Member, Base, Placed };
    Bytes abbrev = abbreviations({
        {CompileUnit, DW_TAG_compile_unit, true, {}},
        {Variable, DW_TAG_variable, false,
         {{DW_AT_name, DW_FORM_string}, {DW_AT_location, DW_FORM_block1}, {DW_AT_external, DW_FORM_flag},
          {DW_AT_type, DW_FORM_ref4}}},
        {Typedef, DW_TAG_typedef, false, {{DW_AT_type, DW_FORM_ref4}}},
        {Array, DW_TAG_array_type, true, {{DW_AT_type, DW_FORM_ref4}}},
        {Subrange, DW_TAG_subrange_type, false, {{DW_AT_upper_bound, DW_FORM_data4}}},
        {Enumeration, 0x04, false, {{DW_AT_byte_size, DW_FORM_data1}}},
        {Pointer, DW_TAG_pointer_type, false, {{DW_AT_type, DW_FORM_ref4}}},
        {Structure, DW_TAG_structure_type, true, {{DW_AT_byte_size, DW_FORM_data1}}},
        {Member, DW_TAG_member, false, {{DW_AT_name, DW_FORM_string}, {DW_AT_type, DW_FORM_ref4}}},
        {Base, DW_TAG_base_type, false, {{DW_AT_byte_size, DW_FORM_data1}}},
        {Placed, DW_TAG_member, false,
         {{DW_AT_name, DW_FORM_string}, {DW_AT_data_member_location, DW_FORM_block1}, {DW_AT_type, DW_FORM_ref4}}},
    });
    EntryBuilder b(GetParam());
    b.entries.u8(CompileUnit);
    auto variable = [&](const char* name, uint32_t address, const char* type) {
        b.entries.u8(Variable).str(name).u8(5).u8(DW_OP_addr).u32(address).u8(1);
        b.ref(type);
    };
    variable("loop", 0, "T1");
    variable("huge", 4, "HUGE");
    variable("self", 8, "SELF");
    variable("node", 12, "NODE");
    variable("deep", 16, "D0");      // 65 types deep: nothing
    variable("shallow", 20, "D1");   // 64 deep: the base type at the end is written
    variable("fixed", 24, "FIXED");  // its member AT is at DW_OP_const2u 00 04, DW_OP_plus
    b.at("FIXED").entries.u8(Structure).u8(8).u8(Placed).str("AT").u8(4).u8(DW_OP_const2u).u8(0).u8(4).u8(DW_OP_plus);
    b.ref("D64").entries.u8(0);
    b.at("T1").entries.u8(Typedef), b.ref("T2");    // T1 -> T2 -> T1
    b.at("T2").entries.u8(Typedef), b.ref("T1");
    b.at("ENUM").entries.u8(Enumeration).u8(4);
    b.at("HUGE").entries.u8(Array), b.ref("ENUM");  // 0xFFFFFFFF enumerations write nothing
    b.entries.u8(Subrange).u32(0xFFFFFFFE).u8(0);
    b.at("SELF").entries.u8(Array), b.ref("SELF");  // an array of itself, 2^32 - 1 of them
    b.entries.u8(Subrange).u32(0xFFFFFFFE).u8(0);
    b.at("NODE").entries.u8(Pointer), b.ref("STRUCT");
    b.at("STRUCT").entries.u8(Structure).u8(4).u8(Member).str("next"), b.ref("NODE");
    for (int i = 0; i < 64; ++i)
        b.at("D" + std::to_string(i)).entries.u8(Typedef), b.ref("D" + std::to_string(i + 1));
    b.at("D64").entries.u8(Base).u8(4);
    b.entries.u8(0).u8(0);

    ElfWriter writer(GetParam());
    writer.type = ET_REL;
    int data = writer.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0, writer.words32({1, 2, 3, 4, 5, 6, 7}));
    // "outside" lies just past the end of .data; without program headers nothing holds it.
    const char* names[] = {"loop", "huge", "self", "node", "deep", "shallow", "fixed", "outside"};
    for (uint32_t i = 0; i < 8; ++i)
        writer.addSymbol(names[i], 4 * i, 4, ELF32_ST_INFO(STB_GLOBAL, STT_OBJECT), 0, uint16_t(data));
    Bytes info = unitBytes(b.finish());
    writer.addSection(".debug_abbrev", SHT_PROGBITS, 0, 0, abbrev.data);
    writer.addSection(".debug_info", SHT_PROGBITS, 0, 0, info.data);
    RunResult run = runMorvane({"-mm", writeTempFile(writer.build())});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "morvane: warning: register group huge: more than 1048576 types; the rest is not written\n"
                       "morvane: warning: register group outside: the 4 bytes at 0x0000001c are not in the image; "
                       "its start is written as 0\n");
    EXPECT_EQ(run.out, "<Root>\n"
                       "<RegisterGroup name=\"deep\" start=\"0x00000005\">\n</RegisterGroup>\n"
                       "<RegisterGroup name=\"fixed\" start=\"0x00000007\">\n"
                       "  <Register name=\"AT\" start=\"+0x0400\" size=\"4\" access=\"Read/Write\"/>\n</RegisterGroup>\n"
                       "<RegisterGroup name=\"huge\" start=\"0x00000002\">\n</RegisterGroup>\n"
                       "<RegisterGroup name=\"loop\" start=\"0x00000001\">\n</RegisterGroup>\n"
                       "<RegisterGroup name=\"node\" start=\"0x00000004\">\n</RegisterGroup>\n"
                       "<RegisterGroup name=\"outside\" start=\"0x00000000\">\nddie for outside not found\n</RegisterGroup>\n"
                       "<RegisterGroup name=\"self\" start=\"0x00000003\">\n</RegisterGroup>\n"
                       "<RegisterGroup name=\"shallow\" start=\"0x00000006\">\n"
                       "  <Register name=\"\" start=\"+0x0000\" size=\"4\" access=\"Read/Write\"/>\n</RegisterGroup>\n"
                       "</Root>\n");
}

} // namespace
