// Exact listing formats on hand-built images: header, program headers, section headers,
// symbols and relocations, with the corner cases of each layout.
#include "ElfTestSupport.h"

namespace {

const uint8_t globalFunc = ELF32_ST_INFO(STB_GLOBAL, STT_FUNC);
const uint8_t globalObject = ELF32_ST_INFO(STB_GLOBAL, STT_OBJECT);

std::string listing(const std::vector<uint8_t>& image, const std::string& option)
{
    return listingOf(writeTempFile(image, ".elf"), {option});
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

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

// Class and data bytes 0 to 2 are named; any other value prints nothing, not even the
// line end, so the next label follows on the same line.
TEST(ElfHeaderListing, ClassAndDataBytes)
{
    const char* classes[] = {"ELFCLASSNONE\n", "ELFCLASS32\n", "ELFCLASS64\n", ""};
    const char* datas[] = {"ELFDATANONE\n", "ELFDATA2LSB\n", "ELFDATA2MSB\n", ""};
    for (uint32_t value = 0; value < 4; ++value) {
        SCOPED_TRACE(value);
        ElfWriter w(value != 1);
        w.overrideHeader(ElfField{EI_CLASS, 1}, value);
        w.overrideHeader(ElfField{EI_DATA, 1}, value == 3 ? 7 : value);
        EXPECT_TRUE(contains(listing(w.build(), "-header"), std::string("\n             EI_CLASS  : ") +
                                                               classes[value] + "             EI_DATA   : " +
                                                               datas[value] + "             EI_VERSION: 0x01\n"));
    }
}

TEST(ElfHeaderListing, NonElfBufferIsListedAsInvalid)
{
    std::vector<uint8_t> junk(64, 0);
    memcpy(junk.data(), "JUNK", 4);
    std::string out = listing(junk, "-header");
    EXPECT_TRUE(contains(out, "e_ident    : 4A 55 4E 4B 00 "));
    EXPECT_TRUE(contains(out, "             EI_MAG0   : 0x4A\n             EI_MAG1   : U\n"));
    EXPECT_EQ(splitLines(out).back(), "Header invalid.");
}

TEST(ElfProgramListing, FullLayoutAndTypeNames)
{
    ElfWriter w;
    w.addProgram({PT_LOAD, 0x10, 0x8000, 0x9000, 0x1C, 0xDEF, PF_R | PF_X, 0x1000});
    const std::pair<uint32_t, std::string> types[] = {
        {0, "PT_NULL"}, {2, "PT_DYNAMIC"}, {3, "PT_INTERP"}, {4, "PT_NOTE"}, {5, "PT_SHLIB"},
        {6, "PT_PHDR"}, {7, "PT_TLS"}, {0x60000000, "PT_LOOS"}, {0x6FFFFFFF, "PT_HIOS"},
        {0x70000001, "0x70000001"}, {8, "0x8"}, {0xABCDEF12, "0xABCDEF12"}};
    std::string expected = "\nprogram header\np_type      : PT_LOAD\np_offset    : 0x10\np_vaddr     : 0x8000\n"
                           "p_paddr     : 0x9000\np_filesz    : 0x1C\np_memsz     : 0xDEF\np_flags     : 0x5\n"
                           "p_align     : 0x1000\n";
    for (const auto& [type, name] : types) {
        w.addProgram({type, 0, 0, 0, 0, 0, 0, 0});
        expected += "\nprogram header\np_type      : " + name +
                    "\np_offset    : 0x0\np_vaddr     : 0x0\np_paddr     : 0x0\np_filesz    : 0x0\n"
                    "p_memsz     : 0x0\np_flags     : 0x0\np_align     : 0x0\n";
    }
    EXPECT_EQ(listing(w.build(), "-programs"), expected);
}

TEST(ElfSectionListing, FullLayoutOfOneSection)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, {1, 2, 3, 4}, 0, 0, 0, 4);
    std::vector<uint8_t> image = w.build();
    char offset[32];
    snprintf(offset, sizeof offset, "0x%X", w.sectionOffset(1));
    std::string expected =
        "\nsection header\nsh_name     : 0x0 \nsh_type     : 0x0 SHT_NULL\nsh_flags    : 0x0 \n"
        "sh_addr     : 0x0\nsh_offset   : 0x0\nsh_size     : 0x0\nsh_link     : 0x0\nsh_info     : 0x0\n"
        "sh_addralign: 0x0\nsh_entsize  : 0x0\n"
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
        "sh_entsize  : 0x0\n"
        "\nsection header\nsh_name     : 0x7 .shstrtab\nsh_type     : 0x3 SHT_STRTAB\nsh_flags    : 0x0 \n";
    EXPECT_EQ(listing(image, "-sections").substr(0, expected.size()), expected);
}

// Every type name, unknown types, every flag text, and two sections of one name.
TEST(ElfSectionListing, TypeAndFlagTexts)
{
    const std::pair<uint32_t, std::string> types[] = {
        {1, "SHT_PROGBITS"}, {2, "SHT_SYMTAB"}, {4, "SHT_RELA"}, {5, "SHT_HASH"}, {6, "SHT_DYNAMIC"},
        {7, "SHT_NOTE"}, {8, "SHT_NOBITS"}, {9, "SHT_REL"}, {10, "SHT_SHLIB"}, {11, "SHT_DYNSYM"},
        {14, "SHT_INIT_ARRAY"}, {15, "SHT_FINI_ARRAY"}, {16, "SHT_PREINIT_ARRAY"}, {17, "SHT_GROUP"},
        {18, "SHT_SYMTAB_SHNDX"}, {0x70000000, "SHT_LOPROC"}, {0x70000001, "SHT_ARM_EXIDX"},
        {0x70000002, "SHT_ARM_PREEMPTMAP"}, {0x70000003, "SHT_ARM_ATTRIBUTES"},
        {0x70000004, "SHT_ARM_DEBUGOVERLAY"}, {0x70000005, "SHT_ARM_OVERLAYSECTION"},
        {0x7FFFFFFF, "SHT_HIPROC"}, {0x80000000, "SHT_LOUSER"}, {0xFFFFFFFF, "SHT_HIUSER"},
        {12, "UNKNOWN section type"}, {13, "UNKNOWN section type"}, {19, "UNKNOWN section type"},
        {0x6FFFFFF6, "UNKNOWN section type"}, {0x70000006, "UNKNOWN section type"}};
    const std::pair<uint32_t, std::string> flags[] = {
        {0x1, "0x1 SHF_WRITE"}, {0x2, "0x2 SHF_ALLOC"}, {0x4, "0x4 SHF_EXECINSTR"},
        {0x3, "0x3 SHF_WRITE+SHF_ALLOC"}, {0x5, "0x5 SHF_WRITE+SHF_EXECINSTR"},
        {0x6, "0x6 SHF_ALLOC+SHF_EXECINSTR"}, {0x7, "0x7 SHF_WRITE+SHF_ALLOC+SHF_EXECINSTR"},
        {0x10, "0x10 "}, {0xF0000032, "0xF0000032 SHF_ALLOC"}};
    ElfWriter w;
    for (const auto& type : types)
        w.addSection(".text", type.first, 0, 0, {});
    for (const auto& flag : flags)
        w.addSection(".text", SHT_PROGBITS, flag.first, 0, {});
    std::string out = listing(w.build(), "-sections");
    for (const auto& [type, name] : types) {
        char line[120];
        snprintf(line, sizeof line, "sh_type     : 0x%X %s\n", type, name.c_str());
        EXPECT_TRUE(contains(out, line)) << line;
    }
    for (const auto& flag : flags)
        EXPECT_TRUE(contains(out, "sh_type     : 0x1 SHT_PROGBITS\nsh_flags    : " + flag.second + "\n")) << flag.second;
    EXPECT_TRUE(contains(out, "sh_name     : 0x1 .text\n") && contains(out, "sh_name     : 0x7 .text\n"));

    // Without a section-name table every name is empty.
    w.overrideHeader(ELF_FIELD(Elf32_Ehdr, e_shstrndx), SHN_XINDEX);
    EXPECT_TRUE(contains(listing(w.build(), "-sections"), "sh_name     : 0x1 \nsh_type     : 0x1 SHT_PROGBITS\n"));
}

TEST(ElfSymbolListing, LineLayoutKindsAndSectionNames)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, std::vector<uint8_t>(16));
    for (const char* hidden : {"$a", "$t", "$d", ".Lskip"})
        w.addSymbol(hidden, 0x8004, 0, ELF32_ST_INFO(STB_LOCAL, STT_NOTYPE), 0, uint16_t(text));
    w.addSymbol("main", 0x8001, 0x10, globalFunc, 0, uint16_t(text));
    w.addSymbol("armfn", 0x8008, 4, globalFunc, STV_HIDDEN, uint16_t(text));
    w.addSymbol("limit", 0x1234abcd, 0, globalObject, 0, SHN_ABS);
    w.addSymbol("extern_fn", 0, 0, ELF32_ST_INFO(STB_GLOBAL, STT_NOTYPE), 0, SHN_UNDEF);
    w.addSymbol("common", 4, 4, globalObject, 0, SHN_COMMON);
    w.addSymbol("_ZN5PointC1Eii", 0x800b, 2, ELF32_ST_INFO(STB_WEAK, STT_FUNC), 0, uint16_t(text));
    w.addSymbol("t13", 0x11, 0, ELF32_ST_INFO(STB_LOCAL, 13), 0, uint16_t(text));
    w.addSymbol("t15", 0x20, 0, ELF32_ST_INFO(STB_LOCAL, 15), 0, uint16_t(text));
    w.addSymbol("object", 0x31, 0, ELF32_ST_INFO(STB_LOCAL, STT_OBJECT), 3, uint16_t(text));
    EXPECT_EQ(listing(w.build(), "-symbols"),
              "0x0000800a .text Point::Point(int, int) (0x22,0x0,0x1) Thumb\n"
              "0x00008008 .text armfn (0x12,0x2,0x1) Not Thumb\n"
              "0x00000004 *ABS* common (0x11,0x0,0xfff2) Not Thumb\n"
              "0x00000000  extern_fn (0x10,0x0,0x0) Not Thumb\n"
              "0x1234abcd *ABS* limit (0x11,0x0,0xfff1) Not Thumb\n"
              "0x00008000 .text main (0x12,0x0,0x1) Thumb\n"
              "0x00000031 .text object (0x1,0x3,0x1) Not Thumb\n"
              "0x00000011 .text t13 (0xd,0x0,0x1) Thumb\n"
              "0x00000020 .text t15 (0xf,0x0,0x1) Thumb\n");
}

TEST(ElfRelocationListing, EntriesAndEveryTypeName)
{
    const std::pair<uint32_t, std::string> types[] = {
        {2, "R_ARM_ABS32"}, {3, "R_ARM_REL32"}, {10, "R_ARM_THM_CALL"}, {28, "R_ARM_CALL"},
        {29, "R_ARM_JUMP24"}, {30, "R_ARM_THM_JUMP24"}, {38, "R_ARM_TARGET1"}, {40, "R_ARM_V4BX"},
        {42, "R_ARM_PREL31"}, {43, "R_ARM_MOVW_ABS_NC"}, {44, "R_ARM_MOVT_ABS"},
        {47, "R_ARM_THM_MOVW_ABS_NC"}, {48, "R_ARM_THM_MOVT_ABS"}, {0, ""}, {1, ""}, {0x66, ""}, {0xff, ""}};
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0, std::vector<uint8_t>(16));
    int data = w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0, std::vector<uint8_t>(4));
    int target = w.addSymbol("_Z6targetv", 0, 4, globalFunc, 0, uint16_t(text));
    int value = w.addSymbol("value", 0, 4, globalObject, 0, uint16_t(data));
    int absolute = w.addSymbol("limit", 0, 0, globalObject, 0, SHN_ABS);
    std::vector<ElfWriter::Relocation> relocations = {{0x4, R_ARM_CALL, uint32_t(target)},
                                                      {0x8, R_ARM_ABS32, uint32_t(value)},
                                                      {0xc, 0x66, uint32_t(absolute)}};
    std::string expected = "relocations for .text\n"
                           "address 0x00000004 type 0x1c R_ARM_CALL value .text _Z6targetv\n"
                           "address 0x00000008 type 0x02 R_ARM_ABS32 value .data value\n"
                           "address 0x0000000c type 0x66  value *ABS* limit\n";
    for (const auto& [type, name] : types) {
        relocations.push_back({0x10, type, 0});
        char line[120];
        snprintf(line, sizeof line, "address 0x00000010 type 0x%02x %s value  \n", type, name.c_str());
        expected += line;
    }
    w.addRelocationSection(".rel.text", text, relocations);
    EXPECT_EQ(listing(w.build(), "-relocations"), expected);
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

// Symbols the listing cannot name: an index past ".symtab", an empty ".strtab", no
// ".symtab" at all; a trailing partial entry is not read.
TEST(ElfRelocationListing, UnnamedSymbolsAndPartialEntries)
{
    const std::string absLine = "address 0x00000004 type 0x02 R_ARM_ABS32 value ";
    struct Case {
        const char* label;
        bool symbols;
        uint32_t symbol, strtabSize, extraBytes;
        std::string value;
    };
    const Case cases[] = {{"named", true, 1, 0xFFFFFFFF, 0, ".text f"},
                          {"index past .symtab", true, 2, 0xFFFFFFFF, 0, "??? ???"},
                          {"huge index", true, 0xFFFFFF, 0xFFFFFFFF, 0, "??? ???"},
                          {"empty .strtab", true, 0, 0, 0, " ???"},
                          {"no .symtab", false, 0, 0xFFFFFFFF, 0, "??? ???"},
                          {"partial entry", false, 0, 0xFFFFFFFF, 4, "??? ???"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ElfWriter w;
        int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0, std::vector<uint8_t>(8));
        std::vector<uint32_t> words = {0x4, ELF32_R_INFO(c.symbol, R_ARM_ABS32)};
        if (c.symbols) {
            w.addSymbol("f", 0, 0, globalFunc, 0, uint16_t(text));
            w.addRelocationSection(".rel.text", text, {{0x4, R_ARM_ABS32, c.symbol}});
        } else {
            std::vector<uint8_t> contents = w.words32(words);
            contents.resize(contents.size() + c.extraBytes);
            w.addSection(".rel.text", SHT_REL, 0, 0, contents, 0, uint32_t(text), 8);
        }
        w.build();
        if (c.strtabSize != 0xFFFFFFFF)
            w.overrideSectionHeader(w.strtabIndex(), ELF_FIELD(Elf32_Shdr, sh_size), c.strtabSize);
        EXPECT_EQ(listing(w.build(), "-relocations"), "relocations for .text\n" + absLine + c.value + "\n");
    }
}

// Fields are converted from the image's byte order: both twins list the same lines.
TEST(ElfByteOrderListing, BigEndianTwinListsTheSameLines)
{
    std::string outputs[2];
    for (bool big : {false, true}) {
        ElfWriter w(big);
        int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x8000, std::vector<uint8_t>(8));
        w.addSymbol("main", 0x8001, 0x10, globalFunc, 0, uint16_t(text));
        int data = w.addSymbol("data", 0x12345678, 4, globalObject, 3, uint16_t(text));
        w.addRelocationSection(".rel.text", text, {{0x12345678, R_ARM_THM_PC22, uint32_t(data)}});
        outputs[big] = listing(w.build(), "-symbols") + listing(w.build(), "-relocations");
    }
    EXPECT_EQ(outputs[0], outputs[1]);
    EXPECT_EQ(outputs[0], "0x12345678 .text data (0x11,0x3,0x1) Not Thumb\n"
                          "0x00008000 .text main (0x12,0x0,0x1) Thumb\n"
                          "relocations for .text\n"
                          "address 0x12345678 type 0x0a R_ARM_THM_CALL value .text data\n");
}
