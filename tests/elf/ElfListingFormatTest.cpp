// Exact listing formats on hand-built images: header, program headers, section headers,
// symbols and relocations, including the corner cases of each layout.
#include "ElfTestSupport.h"

#include <gtest/gtest.h>

namespace {

const uint8_t globalFunc = ELF32_ST_INFO(STB_GLOBAL, STT_FUNC);
const uint8_t globalObject = ELF32_ST_INFO(STB_GLOBAL, STT_OBJECT);

std::string listing(const std::vector<uint8_t>& image, const std::string& option)
{
    return listingOf(writeTempFile(image, ".elf"), {option});
}

std::string sectionBlock(const std::string& name, const std::string& type, const std::string& flags)
{
    return "sh_name     : " + name + "\nsh_type     : " + type + "\nsh_flags    : " + flags + "\n";
}

} // namespace

// --- header ---------------------------------------------------------------------------

TEST(ElfHeaderListing, FullLayout)
{
    ElfWriter w;
    w.entry = 0x8ABC;
    w.flags = 0x5000200;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, {0, 0, 0, 0});
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R | PF_X, 4}, 1);
    std::vector<uint8_t> image = w.build();
    char shoff[32];
    snprintf(shoff, sizeof shoff, "0x%x", w.sectionHeaderTableOffset());
    EXPECT_EQ(listing(image, "-header"),
              "\nelf header\n"
              "e_ident    : 7F 45 4C 46 01 01 01 00 00 00 00 00 00 00 00 00 \n"
              "             EI_MAG0   : 0x7F\n"
              "             EI_MAG1   : E\n"
              "             EI_MAG2   : L\n"
              "             EI_MAG3   : F\n"
              "             EI_CLASS  : ELFCLASS32\n"
              "             EI_DATA   : ELFDATA2LSB\n"
              "             EI_VERSION: 0x01\n"
              "e_type      : 0x2\n"
              "e_machine   : 0x28\n"
              "e_version   : 0x1\n"
              "e_entry     : 0x8ABC\n"
              "e_phoff     : 0x34\n"
              "e_shoff     : " + std::string(shoff) + "\n"
              "e_flags     : 0x5000200\n"
              "e_ehsize    : 0x34\n"
              "e_phentsize : 0x20\n"
              "e_phnum     : 0x1\n"
              "e_shentsize : 0x28\n"
              "e_shnum     : 0x3\n"
              "e_shstrndx  : 0x2\n"
              "\nHeader ok.\n");
}

TEST(ElfHeaderListing, BigEndianShowsMsbAndSameValues)
{
    ElfWriter w(true);
    w.entry = 0x8ABC;
    std::vector<std::string> lines = splitLines(listing(w.build(), "-header"));
    ASSERT_GE(lines.size(), 24u);
    EXPECT_EQ(lines[2], "e_ident    : 7F 45 4C 46 01 02 01 00 00 00 00 00 00 00 00 00 ");
    EXPECT_EQ(lines[8], "             EI_DATA   : ELFDATA2MSB");
    EXPECT_EQ(lines[13], "e_entry     : 0x8ABC");
    EXPECT_EQ(lines[17], "e_ehsize    : 0x34");
}

TEST(ElfHeaderListing, ClassAndDataNamesForEveryValue)
{
    const char* classes[] = {"ELFCLASSNONE\n", "ELFCLASS32\n", "ELFCLASS64\n"};
    const char* datas[] = {"ELFDATANONE\n", "ELFDATA2LSB\n", "ELFDATA2MSB\n"};
    for (int value = 0; value < 3; ++value) {
        ElfWriter w(value != 1);
        w.overrideHeader(ElfField{EI_CLASS, 1}, uint32_t(value));
        w.overrideHeader(ElfField{EI_DATA, 1}, uint32_t(value));
        std::string out = listing(w.build(), "-header");
        EXPECT_NE(out.find(std::string("             EI_CLASS  : ") + classes[value]), std::string::npos) << out;
        EXPECT_NE(out.find(std::string("             EI_DATA   : ") + datas[value]), std::string::npos) << out;
    }
}

TEST(ElfHeaderListing, UnknownClassAndDataRunIntoTheNextLabel)
{
    ElfWriter w(true);
    w.overrideHeader(ElfField{EI_CLASS, 1}, 3);
    w.overrideHeader(ElfField{EI_DATA, 1}, 7);
    std::string out = listing(w.build(), "-header");
    EXPECT_NE(out.find("\n             EI_CLASS  :              EI_DATA   :              EI_VERSION: 0x01\n"),
              std::string::npos)
        << out;
}

TEST(ElfHeaderListing, NonElfBufferIsListedAsInvalid)
{
    std::vector<uint8_t> junk(64, 0);
    memcpy(junk.data(), "JUNK", 4);
    std::string out = listing(junk, "-header");
    std::vector<std::string> lines = splitLines(out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Header invalid.");
    EXPECT_NE(out.find("e_ident    : 4A 55 4E 4B 00 "), std::string::npos);
    EXPECT_NE(out.find("             EI_MAG0   : 0x4A\n             EI_MAG1   : U\n"), std::string::npos);
    EXPECT_NE(out.find("             EI_CLASS  : ELFCLASSNONE\n"), std::string::npos);
}

// --- program headers ------------------------------------------------------------------

TEST(ElfProgramListing, FullLayoutAndTypeNames)
{
    ElfWriter w;
    w.addProgram({PT_LOAD, 0x10, 0x8000, 0x9000, 0x1C, 0xDEF, PF_R | PF_X, 0x1000});
    std::vector<std::pair<uint32_t, std::string>> types = {
        {0, "PT_NULL"}, {2, "PT_DYNAMIC"}, {3, "PT_INTERP"}, {4, "PT_NOTE"}, {5, "PT_SHLIB"},
        {6, "PT_PHDR"}, {7, "PT_TLS"}, {0x60000000, "PT_LOOS"}, {0x6FFFFFFF, "PT_HIOS"},
        {0x70000001, "0x70000001"}, {8, "0x8"}, {0xABCDEF12, "0xABCDEF12"}};
    for (const auto& type : types)
        w.addProgram({type.first, 0, 0, 0, 0, 0, 0, 0});
    std::string out = listing(w.build(), "-programs");
    std::string expected =
        "\nprogram header\n"
        "p_type      : PT_LOAD\n"
        "p_offset    : 0x10\n"
        "p_vaddr     : 0x8000\n"
        "p_paddr     : 0x9000\n"
        "p_filesz    : 0x1C\n"
        "p_memsz     : 0xDEF\n"
        "p_flags     : 0x5\n"
        "p_align     : 0x1000\n";
    for (const auto& type : types)
        expected += "\nprogram header\np_type      : " + type.second +
                    "\np_offset    : 0x0\np_vaddr     : 0x0\np_paddr     : 0x0\np_filesz    : 0x0\n"
                    "p_memsz     : 0x0\np_flags     : 0x0\np_align     : 0x0\n";
    EXPECT_EQ(out, expected);
}

TEST(ElfProgramListing, NoProgramsNoOutput)
{
    ElfWriter w;
    EXPECT_EQ(listing(w.build(), "-programs"), "");
}

// --- section headers ------------------------------------------------------------------

TEST(ElfSectionListing, FullLayoutOfOneSection)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, {1, 2, 3, 4}, 0, 0, 0, 4);
    std::vector<uint8_t> image = w.build();
    char offset[32];
    snprintf(offset, sizeof offset, "0x%X", w.sectionOffset(1));
    std::string out = listing(image, "-sections");
    std::string nullSection =
        "\nsection header\n"
        "sh_name     : 0x0 \n"
        "sh_type     : 0x0 SHT_NULL\n"
        "sh_flags    : 0x0 \n"
        "sh_addr     : 0x0\n"
        "sh_offset   : 0x0\n"
        "sh_size     : 0x0\n"
        "sh_link     : 0x0\n"
        "sh_info     : 0x0\n"
        "sh_addralign: 0x0\n"
        "sh_entsize  : 0x0\n";
    std::string text =
        "\nsection header\n"
        "sh_name     : 0x1 .text\n"
        "sh_type     : 0x1 SHT_PROGBITS\n"
        "sh_flags    : 0x6 SHF_ALLOC+SHF_EXECINSTR\n"
        "sh_addr     : 0x8000\n"
        "sh_offset   : " + std::string(offset) + "\n"
        "sh_size     : 0x4\n"
        "sh_link     : 0x0\n"
        "sh_info     : 0x0\n"
        "sh_addralign: 0x4\n"
        "sh_entsize  : 0x0\n";
    EXPECT_EQ(out.substr(0, nullSection.size() + text.size()), nullSection + text);
    EXPECT_NE(out.find("sh_name     : 0x7 .shstrtab\nsh_type     : 0x3 SHT_STRTAB\nsh_flags    : 0x0 \n"),
              std::string::npos);
}

TEST(ElfSectionListing, FlagTexts)
{
    std::vector<std::pair<uint32_t, std::string>> flags = {
        {0x1, "0x1 SHF_WRITE"}, {0x2, "0x2 SHF_ALLOC"}, {0x4, "0x4 SHF_EXECINSTR"},
        {0x3, "0x3 SHF_WRITE+SHF_ALLOC"}, {0x5, "0x5 SHF_WRITE+SHF_EXECINSTR"},
        {0x6, "0x6 SHF_ALLOC+SHF_EXECINSTR"}, {0x7, "0x7 SHF_WRITE+SHF_ALLOC+SHF_EXECINSTR"},
        {0x10, "0x10 "}, {0xF0000032, "0xF0000032 SHF_ALLOC"}};
    ElfWriter w;
    for (const auto& flag : flags)
        w.addSection(".s", SHT_PROGBITS, flag.first, 0, {});
    std::string out = listing(w.build(), "-sections");
    for (const auto& flag : flags)
        EXPECT_NE(out.find("sh_flags    : " + flag.second + "\n"), std::string::npos) << flag.second;
}

TEST(ElfSectionListing, TypeNamesAndUnknownTypes)
{
    std::vector<std::pair<uint32_t, std::string>> types = {
        {1, "SHT_PROGBITS"}, {2, "SHT_SYMTAB"}, {4, "SHT_RELA"}, {5, "SHT_HASH"}, {6, "SHT_DYNAMIC"},
        {7, "SHT_NOTE"}, {8, "SHT_NOBITS"}, {9, "SHT_REL"}, {10, "SHT_SHLIB"}, {11, "SHT_DYNSYM"},
        {14, "SHT_INIT_ARRAY"}, {15, "SHT_FINI_ARRAY"}, {16, "SHT_PREINIT_ARRAY"}, {17, "SHT_GROUP"},
        {18, "SHT_SYMTAB_SHNDX"}, {0x70000000, "SHT_LOPROC"}, {0x70000001, "SHT_ARM_EXIDX"},
        {0x70000002, "SHT_ARM_PREEMPTMAP"}, {0x70000003, "SHT_ARM_ATTRIBUTES"},
        {0x70000004, "SHT_ARM_DEBUGOVERLAY"}, {0x70000005, "SHT_ARM_OVERLAYSECTION"},
        {0x7FFFFFFF, "SHT_HIPROC"}, {0x80000000, "SHT_LOUSER"}, {0xFFFFFFFF, "SHT_HIUSER"},
        {12, "UNKNOWN section type"}, {13, "UNKNOWN section type"}, {19, "UNKNOWN section type"},
        {0x6FFFFFF6, "UNKNOWN section type"}, {0x70000006, "UNKNOWN section type"}};
    ElfWriter w;
    for (const auto& type : types)
        w.addSection(".s", type.first, 0, 0, {});
    std::string out = listing(w.build(), "-sections");
    for (const auto& type : types) {
        char line[80];
        snprintf(line, sizeof line, "sh_type     : 0x%X %s\n", type.first, type.second.c_str());
        EXPECT_NE(out.find(line), std::string::npos) << line;
    }
    EXPECT_NE(out.find("sh_type     : 0x3 SHT_STRTAB\n"), std::string::npos);
}

TEST(ElfSectionListing, TwoSectionsOfOneNameBothShowTheName)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x100, {});
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x200, {});
    std::string out = listing(w.build(), "-sections");
    // Each has its own name string.
    EXPECT_NE(out.find(sectionBlock("0x1 .text", "0x1 SHT_PROGBITS", "0x2 SHF_ALLOC")), std::string::npos);
    EXPECT_NE(out.find(sectionBlock("0x7 .text", "0x1 SHT_PROGBITS", "0x2 SHF_ALLOC")), std::string::npos);
}

TEST(ElfSectionListing, NameTableMissingGivesEmptyNames)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x100, {});
    w.overrideHeader(ELF_FIELD(Elf32_Ehdr, e_shstrndx), SHN_XINDEX);
    std::string out = listing(w.build(), "-sections");
    EXPECT_NE(out.find(sectionBlock("0x1 ", "0x1 SHT_PROGBITS", "0x2 SHF_ALLOC")), std::string::npos);
}

// --- symbols --------------------------------------------------------------------------

TEST(ElfSymbolListing, LineLayoutKindsAndSectionNames)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, std::vector<uint8_t>(16));
    w.addSymbol("$t", 0x8000, 0, ELF32_ST_INFO(STB_LOCAL, STT_NOTYPE), 0, uint16_t(text));
    w.addSymbol(".Lskip", 0x8004, 0, ELF32_ST_INFO(STB_LOCAL, STT_NOTYPE), 0, uint16_t(text));
    w.addSymbol("main", 0x8001, 0x10, globalFunc, 0, uint16_t(text));
    w.addSymbol("armfn", 0x8008, 4, globalFunc, STV_HIDDEN, uint16_t(text));
    w.addSymbol("limit", 0x1234abcd, 0, globalObject, 0, SHN_ABS);
    w.addSymbol("extern_fn", 0, 0, ELF32_ST_INFO(STB_GLOBAL, STT_NOTYPE), 0, SHN_UNDEF);
    w.addSymbol("common", 4, 4, globalObject, 0, SHN_COMMON);
    w.addSymbol("_ZN5PointC1Eii", 0x800b, 2, ELF32_ST_INFO(STB_WEAK, STT_FUNC), 0, uint16_t(text));
    EXPECT_EQ(listing(w.build(), "-symbols"),
              "0x0000800a .text Point::Point(int, int) (0x22,0x0,0x1) Thumb\n"
              "0x00008008 .text armfn (0x12,0x2,0x1) Not Thumb\n"
              "0x00000004 *ABS* common (0x11,0x0,0xfff2) Not Thumb\n"
              "0x00000000  extern_fn (0x10,0x0,0x0) Not Thumb\n"
              "0x1234abcd *ABS* limit (0x11,0x0,0xfff1) Not Thumb\n"
              "0x00008000 .text main (0x12,0x0,0x1) Thumb\n");
}

TEST(ElfSymbolListing, ThumbKindsOfTypesThirteenAndFifteen)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0, {});
    w.addSymbol("a", 0x11, 0, ELF32_ST_INFO(STB_LOCAL, 13), 0, 1);
    w.addSymbol("b", 0x20, 0, ELF32_ST_INFO(STB_LOCAL, 15), 0, 1);
    w.addSymbol("c", 0x31, 0, ELF32_ST_INFO(STB_LOCAL, STT_OBJECT), 0, 1);
    EXPECT_EQ(listing(w.build(), "-symbols"),
              "0x00000011 .text a (0xd,0x0,0x1) Thumb\n"
              "0x00000020 .text b (0xf,0x0,0x1) Thumb\n"
              "0x00000031 .text c (0x1,0x0,0x1) Not Thumb\n");
}

TEST(ElfSymbolListing, BigEndianListsTheSameLines)
{
    std::string outputs[2];
    for (bool big : {false, true}) {
        ElfWriter w(big);
        w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x8000, std::vector<uint8_t>(8));
        w.addSymbol("main", 0x8001, 0x10, globalFunc, 0, 1);
        w.addSymbol("data", 0x12345678, 4, globalObject, 3, 1);
        outputs[big] = listing(w.build(), "-symbols");
    }
    EXPECT_EQ(outputs[0], outputs[1]);
    EXPECT_EQ(outputs[0], "0x12345678 .text data (0x11,0x3,0x1) Not Thumb\n"
                          "0x00008000 .text main (0x12,0x0,0x1) Thumb\n");
}

TEST(ElfSymbolListing, NoSymbolTableNoOutput)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0, {});
    EXPECT_EQ(listing(w.build(), "-symbols"), "");
}

// --- relocations ----------------------------------------------------------------------

TEST(ElfRelocationListing, EntriesTypesAndUnknownType)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0, std::vector<uint8_t>(16));
    int data = w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0, std::vector<uint8_t>(4));
    int target = w.addSymbol("_Z6targetv", 0, 4, globalFunc, 0, uint16_t(text));
    int value = w.addSymbol("value", 0, 4, globalObject, 0, uint16_t(data));
    int absolute = w.addSymbol("limit", 0, 0, globalObject, 0, SHN_ABS);
    w.addRelocationSection(".rel.text", text,
                           {{0x4, R_ARM_CALL, uint32_t(target)}, {0x8, R_ARM_ABS32, uint32_t(value)},
                            {0xc, 0x66, uint32_t(absolute)}, {0x10, R_ARM_V4BX, 0}});
    EXPECT_EQ(listing(w.build(), "-relocations"),
              "relocations for .text\n"
              "address 0x00000004 type 0x1c R_ARM_CALL value .text _Z6targetv\n"
              "address 0x00000008 type 0x02 R_ARM_ABS32 value .data value\n"
              "address 0x0000000c type 0x66  value *ABS* limit\n"
              "address 0x00000010 type 0x28 R_ARM_V4BX value  \n");
}

TEST(ElfRelocationListing, EveryNamedType)
{
    std::vector<std::pair<uint32_t, std::string>> types = {
        {2, "R_ARM_ABS32"}, {3, "R_ARM_REL32"}, {10, "R_ARM_THM_CALL"}, {28, "R_ARM_CALL"},
        {29, "R_ARM_JUMP24"}, {30, "R_ARM_THM_JUMP24"}, {38, "R_ARM_TARGET1"}, {40, "R_ARM_V4BX"},
        {42, "R_ARM_PREL31"}, {43, "R_ARM_MOVW_ABS_NC"}, {44, "R_ARM_MOVT_ABS"},
        {47, "R_ARM_THM_MOVW_ABS_NC"}, {48, "R_ARM_THM_MOVT_ABS"}, {0, ""}, {1, ""}, {0xff, ""}};
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0, std::vector<uint8_t>(4));
    std::vector<ElfWriter::Relocation> relocations;
    for (const auto& type : types)
        relocations.push_back({0, type.first, 0});
    w.addRelocationSection(".rel.text", text, relocations);
    std::vector<std::string> lines = splitLines(listing(w.build(), "-relocations"));
    ASSERT_EQ(lines.size(), types.size() + 1);
    for (size_t i = 0; i < types.size(); ++i) {
        char expected[120];
        snprintf(expected, sizeof expected, "address 0x00000000 type 0x%02x %s value  ", types[i].first,
                 types[i].second.c_str());
        EXPECT_EQ(lines[i + 1], expected);
    }
}

TEST(ElfRelocationListing, BigEndianEntriesReadInImageOrder)
{
    std::string outputs[2];
    for (bool big : {false, true}) {
        ElfWriter w(big);
        int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0, std::vector<uint8_t>(8));
        int symbol = w.addSymbol("f", 0, 0, globalFunc, 0, uint16_t(text));
        w.addRelocationSection(".rel.text", text, {{0x12345678, R_ARM_THM_PC22, uint32_t(symbol)}});
        outputs[big] = listing(w.build(), "-relocations");
    }
    EXPECT_EQ(outputs[0], outputs[1]);
    EXPECT_EQ(outputs[0], "relocations for .text\naddress 0x12345678 type 0x0a R_ARM_THM_CALL value .text f\n");
}

TEST(ElfRelocationListing, NonAllocatedTargetsRelaAndMissingTargetsProduceNothing)
{
    ElfWriter w;
    int debug = w.addSection(".debug_info", SHT_PROGBITS, 0, 0, std::vector<uint8_t>(8));
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0, std::vector<uint8_t>(8));
    w.addRelocationSection(".rel.debug_info", debug, {{0, R_ARM_ABS32, 0}});
    w.addRelocationSection(".rel.nowhere", 99, {{0, R_ARM_ABS32, 0}});
    w.addSection(".rela.text", SHT_RELA, 0, 0, std::vector<uint8_t>(12), 0, uint32_t(text), 12);
    EXPECT_EQ(listing(w.build(), "-relocations"), "");
}

TEST(ElfRelocationListing, TrailingPartialEntryIsIgnored)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0, std::vector<uint8_t>(8));
    std::vector<uint8_t> contents = w.words32({0x4, ELF32_R_INFO(0, R_ARM_ABS32), 0x8});
    w.addSection(".rel.text", SHT_REL, 0, 0, contents, 0, uint32_t(text), 8);
    EXPECT_EQ(listing(w.build(), "-relocations"),
              "relocations for .text\naddress 0x00000004 type 0x02 R_ARM_ABS32 value ??? ???\n");
}

TEST(ElfRelocationListing, SymbolIndexOutsideSymtabNamesNothing)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0, std::vector<uint8_t>(8));
    int symbol = w.addSymbol("f", 0, 0, globalFunc, 0, uint16_t(text));
    w.addRelocationSection(".rel.text", text,
                           {{0x0, R_ARM_ABS32, uint32_t(symbol)}, {0x4, R_ARM_ABS32, uint32_t(symbol + 1)},
                            {0x8, R_ARM_ABS32, 0xFFFFFF}});
    EXPECT_EQ(listing(w.build(), "-relocations"),
              "relocations for .text\n"
              "address 0x00000000 type 0x02 R_ARM_ABS32 value .text f\n"
              "address 0x00000004 type 0x02 R_ARM_ABS32 value ??? ???\n"
              "address 0x00000008 type 0x02 R_ARM_ABS32 value ??? ???\n");
}

TEST(ElfRelocationListing, EmptyStrtabGivesQuestionMarks)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0, std::vector<uint8_t>(8));
    w.addRelocationSection(".rel.text", text, {{0x0, R_ARM_ABS32, 0}});
    // Only the relocation section: .strtab holds its one NUL byte; make it empty.
    w.build();
    w.overrideSectionHeader(w.strtabIndex(), ELF_FIELD(Elf32_Shdr, sh_size), 0);
    EXPECT_EQ(listing(w.build(), "-relocations"),
              "relocations for .text\naddress 0x00000000 type 0x02 R_ARM_ABS32 value  ???\n");
}

TEST(ElfRelocationListing, NoSymtabGivesQuestionMarks)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0, std::vector<uint8_t>(8));
    std::vector<uint8_t> contents = w.words32({0x4, ELF32_R_INFO(0, R_ARM_ABS32)});
    w.addSection(".rel.text", SHT_REL, 0, 0, contents, 0, uint32_t(text), 8);
    EXPECT_EQ(listing(w.build(), "-relocations"),
              "relocations for .text\naddress 0x00000004 type 0x02 R_ARM_ABS32 value ??? ???\n");
}
