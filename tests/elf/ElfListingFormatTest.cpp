// Exact listing formats on hand-built images: header, program headers, section headers,
// symbols and relocations, with every name of their tables and the corner cases of each.
#include "ElfTestSupport.h"

namespace {

const uint8_t globalFunc = ELF32_ST_INFO(STB_GLOBAL, STT_FUNC);
const uint8_t globalObject = ELF32_ST_INFO(STB_GLOBAL, STT_OBJECT);
using Names = std::vector<std::pair<uint32_t, std::string>>;

// The listing's lines that begin with `prefix`.
std::vector<std::string> linesStarting(const std::string& listing, const std::string& prefix)
{
    std::vector<std::string> lines;
    for (const std::string& line : splitLines(listing))
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
    return lines;
}

// The rows of one name table in listing-names.txt: value and text.
Names namesOf(const std::string& table)
{
    Names names;
    std::istringstream in(readFileText(elfFixture("listing-names.txt")));
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string kind, value, text;
        fields >> kind >> value;
        std::getline(fields >> std::ws, text);
        if (kind == table)
            names.emplace_back(uint32_t(std::stoul(value, nullptr, 0)), text);
    }
    return names;
}

std::string format(const char* pattern, uint32_t value, const std::string& text)
{
    char line[160];
    snprintf(line, sizeof line, pattern, value, text.c_str());
    return line;
}

} // namespace

TEST(ElfHeaderListing, FullLayout)
{
    ElfWriter w;
    w.entry = 0x8ABC;
    w.flags = 0x5000200;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, {0, 0, 0, 0});
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R | PF_X, 4}, 1);
    EXPECT_EQ(listingOf(w.build(), "-header"), readFileText(elfFixture("header-listing.txt")));
}

// Class and data bytes 0 to 2 are named; any other value prints nothing, not even the
// line end. EI_DATA 1 is little-endian and any other value big-endian: the fields read the same.
TEST(ElfHeaderListing, ClassAndDataBytes)
{
    const char* names[][2] = {{"ELFCLASSNONE\n", "ELFDATANONE\n"}, {"ELFCLASS32\n", "ELFDATA2LSB\n"},
                              {"ELFCLASS64\n", "ELFDATA2MSB\n"}, {"", ""}};
    for (uint32_t value = 0; value < 4; ++value) {
        ElfWriter w(value != 1);
        w.entry = 0x8ABC;
        w.overrideHeader(ElfField{EI_CLASS, 1}, value);
        w.overrideHeader(ElfField{EI_DATA, 1}, value);
        std::string out = listingOf(w.build(), "-header");
        EXPECT_NE(out.find(std::string("\n             EI_CLASS  : ") + names[value][0] + "             EI_DATA   : " +
                           names[value][1] + "             EI_VERSION: 0x01\n"),
                  std::string::npos) << out;
        EXPECT_NE(out.find("e_type      : 0x2\ne_machine   : 0x28\ne_version   : 0x1\ne_entry     : 0x8ABC\n"
                           "e_phoff     : 0x0\ne_shoff     : 0x40\ne_flags     : 0x5000000\ne_ehsize    : 0x34\n"
                           "e_phentsize : 0x20\ne_phnum     : 0x0\ne_shentsize : 0x28\ne_shnum     : 0x2\n"
                           "e_shstrndx  : 0x1\n\nHeader ok.\n"),
                  std::string::npos) << out;
    }
    std::vector<uint8_t> junk(64, 0);
    memcpy(junk.data(), "\x7f" "EL?", 4);
    std::string out = listingOf(junk, "-header");
    const std::string start = "\nelf header\ne_ident    : 7F 45 4C 3F 00 00 00 00 00 00 00 00 00 00 00 00 \n"
                              "             EI_MAG0   : 0x7F\n             EI_MAG1   : E\n";
    EXPECT_EQ(out.substr(0, start.size()), start);
    EXPECT_EQ(out.substr(out.size() - 17), "\nHeader invalid.\n");
}

TEST(ElfProgramListing, FullLayoutAndTypeNames)
{
    for (bool big : {false, true}) {
        ElfWriter w(big);
        w.addProgram({PT_LOAD, 0x10, 0x8000, 0x9000, 0x1C, 0xDEF, PF_R | PF_X, 0x1000});
        const Names types = namesOf("p_type");
        std::string expected = "\nprogram header\np_type      : PT_LOAD\np_offset    : 0x10\np_vaddr     : 0x8000\n"
                               "p_paddr     : 0x9000\np_filesz    : 0x1C\np_memsz     : 0xDEF\np_flags     : 0x5\n"
                               "p_align     : 0x1000\n";
        for (const auto& [type, name] : types) {
            w.addProgram({type, 0, 0, 0, 0, 0, 0, 0});
            expected += "\nprogram header\np_type      : " + name +
                        "\np_offset    : 0x0\np_vaddr     : 0x0\np_paddr     : 0x0\np_filesz    : 0x0\n"
                        "p_memsz     : 0x0\np_flags     : 0x0\np_align     : 0x0\n";
        }
        EXPECT_EQ(listingOf(w.build(), "-programs"), expected);
    }
}

// One section in full, then every type name and flag text.
TEST(ElfSectionListing, LayoutTypesAndFlags)
{
    const Names types = namesOf("sh_type");
    const Names flags = namesOf("sh_flags");
    for (bool big : {false, true}) {
        ElfWriter w(big);
        w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, {1, 2, 3, 4}, 5, 6, 7, 4);
        for (const auto& type : types)
            w.addSection(".text", type.first, 0, 0, {});
        for (const auto& flag : flags)
            w.addSection(".x", SHT_PROGBITS, flag.first, 0, {});
        std::string out = listingOf(w.build(), "-sections");
        const std::string layout =
            "\nsection header\nsh_name     : 0x0 \nsh_type     : 0x0 SHT_NULL\nsh_flags    : 0x0 \n"
            "sh_addr     : 0x0\nsh_offset   : 0x0\nsh_size     : 0x0\nsh_link     : 0x0\nsh_info     : 0x0\n"
            "sh_addralign: 0x0\nsh_entsize  : 0x0\n\nsection header\nsh_name     : 0x1 .text\n"
            "sh_type     : 0x1 SHT_PROGBITS\nsh_flags    : 0x6 SHF_ALLOC+SHF_EXECINSTR\nsh_addr     : 0x8000\n"
            "sh_offset   : 0x34\nsh_size     : 0x4\nsh_link     : 0x5\nsh_info     : 0x6\nsh_addralign: 0x4\n"
            "sh_entsize  : 0x7\n";
        EXPECT_EQ(out.substr(0, layout.size()), layout);
        // Sections 2 on have one type each, then one set of flags each.
        std::vector<std::string> typeLines = linesStarting(out, "sh_type"), flagLines = linesStarting(out, "sh_flags");
        for (size_t i = 0; i < types.size(); ++i)
            EXPECT_EQ(typeLines.at(2 + i), format("sh_type     : 0x%X %s", types[i].first, types[i].second));
        for (size_t i = 0; i < flags.size(); ++i)
            EXPECT_EQ(flagLines.at(2 + types.size() + i),
                      format("sh_flags    : 0x%X %s", flags[i].first, flags[i].second));
    }
}

// Kinds, section names, hidden names; names in unsigned byte order, 8-bit bytes as read;
// only names beginning with _Z are demangled ("__Z" ones are not accepted).
TEST(ElfSymbolListing, LineLayoutKindsAndNames)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, std::vector<uint8_t>(16));
    int latin = w.addSection("\xb5" "data\xff", SHT_PROGBITS, SHF_ALLOC, 0x100, {});
    for (const char* hidden : {"$a", "$t", "$d", ".Lskip", ".L", ""})
        w.addSymbol(hidden, 0x8004, 0, ELF32_ST_INFO(STB_LOCAL, STT_NOTYPE), 0, uint16_t(text));
    w.addSymbol("main", 0x8001, 0x10, globalFunc, 0, uint16_t(text));
    w.addSymbol("armfn", 0x8008, 4, globalFunc, STV_HIDDEN, uint16_t(text));
    w.addSymbol("limit", 0x1234abcd, 0, globalObject, 0, SHN_ABS);
    w.addSymbol("extern_fn", 0, 0, ELF32_ST_INFO(STB_GLOBAL, STT_NOTYPE), 0, SHN_UNDEF);
    w.addSymbol("common", 4, 4, globalObject, 0, SHN_COMMON);
    w.addSymbol("t13", 0x11, 0, ELF32_ST_INFO(STB_LOCAL, 13), 0, uint16_t(text));
    w.addSymbol("t15", 0x20, 0, ELF32_ST_INFO(STB_LOCAL, 15), 0, uint16_t(text));
    w.addSymbol("object", 0x31, 0, ELF32_ST_INFO(STB_LOCAL, STT_OBJECT), 3, uint16_t(text));
    w.addSymbol("\xe9t\xe9\x80", 0x100, 0, globalObject, 0, uint16_t(latin));
    w.addSymbol("zeta", 0x104, 0, globalObject, 0, uint16_t(latin));
    for (const char* name : {"_ZN5PointC1Eii", "__Z5twicel", "_Z", "__Z", "_Znot-a-name", "plain_Z"})
        w.addSymbol(name, 0x800b, 2, ELF32_ST_INFO(STB_WEAK, STT_FUNC), 0, uint16_t(text));
    // The expected listing holds the 8-bit bytes as they are.
    EXPECT_EQ(listingOf(w.build(), "-symbols"), readFileText(elfFixture("symbol-listing.txt")));
}

TEST(ElfRelocationListing, EntriesAndEveryTypeName)
{
    const Names types = namesOf("r_type");
    for (bool big : {false, true}) {
        ElfWriter w(big);
        int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0, std::vector<uint8_t>(16));
        int data = w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0, std::vector<uint8_t>(4));
        int debug = w.addSection(".debug_info", SHT_PROGBITS, 0, 0, std::vector<uint8_t>(8));
        int target = w.addSymbol("_Z6targetv", 0, 4, globalFunc, 0, uint16_t(text));
        int value = w.addSymbol("value", 0, 4, globalObject, 0, uint16_t(data));
        int absolute = w.addSymbol("limit", 0, 0, globalObject, 0, SHN_ABS);
        std::vector<ElfWriter::Relocation> relocations = {{0x12345678, R_ARM_CALL, uint32_t(target)},
                                                          {0x8, R_ARM_ABS32, uint32_t(value)},
                                                          {0xc, 0x66, uint32_t(absolute)}};
        std::string expected = "relocations for .text\n"
                               "address 0x12345678 type 0x1c R_ARM_CALL value .text _Z6targetv\n"
                               "address 0x00000008 type 0x02 R_ARM_ABS32 value .data value\n"
                               "address 0x0000000c type 0x66  value *ABS* limit\n";
        for (const auto& [type, name] : types) {
            relocations.push_back({0x10, type, 0});
            expected += format("address 0x00000010 type 0x%02x %s value  \n", type, name);
        }
        w.addRelocationSection(".rel.text", text, relocations);
        // Not listed: a target that is not allocated, no target, and SHT_RELA.
        w.addRelocationSection(".rel.debug_info", debug, {{0, R_ARM_ABS32, 0}});
        w.addRelocationSection(".rel.nowhere", 99, {{0, R_ARM_ABS32, 0}});
        w.addSection(".rela.text", SHT_RELA, 0, 0, std::vector<uint8_t>(12), 0, uint32_t(text), 12);
        EXPECT_EQ(listingOf(w.build(), "-relocations"), expected);
    }
}
