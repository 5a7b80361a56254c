// Damaged images through the binary, one row each: what was broken, the options, and the
// exact status, standard error and standard output. Every bound is tried at the last byte
// of the file, one byte past it and one byte before it.
#include "ElfTestSupport.h"

#include <functional>

namespace {

// The base image: sections 1 .text, 2 .rel.text, 3 .symtab, 4 .strtab, 5 .shstrtab; the
// section table is the last thing in the file.
enum { text = 1, rel = 2, symtab = 3, strtab = 4, shstrtab = 5, sectionCount = 6 };

ElfWriter baseImage()
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, w.words32({0xe12fff1e, 0}));
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R | PF_X, 4}, text);
    w.addSymbol("main", 0x8001, 8, ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, text);
    w.addRelocationSection(".rel.text", text, {{4, R_ARM_ABS32, 1}});
    return w;
}

// Makes the damaged bytes from the base image, already built once so its layout is known.
using Damage = std::function<std::vector<uint8_t>(ElfWriter& w, uint32_t end)>;

const ElfField shSize = ELF_FIELD(Elf32_Shdr, sh_size), shOffset = ELF_FIELD(Elf32_Shdr, sh_offset);
const ElfField shType = ELF_FIELD(Elf32_Shdr, sh_type);
const ElfField pFilesz{sizeof(Elf32_Ehdr) + offsetof(Elf32_Phdr, p_filesz), 4}, ePhnum = ELF_FIELD(Elf32_Ehdr, e_phnum);

// A damage made of overrides: the base image rebuilt after `change`.
Damage overrides(std::function<void(ElfWriter& w, uint32_t end)> change)
{
    return [=](ElfWriter& w, uint32_t end) { change(w, end); return w.build(); };
}

Damage sh(int index, ElfField field, uint32_t value)
{
    return overrides([=](ElfWriter& w, uint32_t) { w.overrideSectionHeader(index, field, value); });
}

// Section `index` resized to end `past` bytes after the end of the file.
Damage endsAtFileEnd(int index, int past)
{
    return overrides(
        [=](ElfWriter& w, uint32_t end) { w.overrideSectionHeader(index, shSize, end - w.sectionOffset(index) + past); });
}

// A zero-size .text, or the program table without entries, `past` bytes after the file end.
Damage emptyTextAt(int past)
{
    return overrides([=](ElfWriter& w, uint32_t end) {
        w.overrideSectionHeader(text, shSize, 0);
        w.overrideSectionHeader(text, shOffset, end + past);
    });
}

Damage emptyProgramTableAt(int past)
{
    return overrides([=](ElfWriter& w, uint32_t end) {
        w.overrideHeader(ePhnum, 0);
        w.overrideHeader(ELF_FIELD(Elf32_Ehdr, e_phoff), end + past);
    });
}

// The first `count` bytes of the image after `change`; a negative count leaves that many
// off its end.
Damage firstBytes(long count, std::function<void(ElfWriter& w)> change = [](ElfWriter&) {})
{
    return [=](ElfWriter& w, uint32_t end) {
        change(w);
        std::vector<uint8_t> bytes = w.build();
        bytes.resize(size_t(count < 0 ? end + count : count));
        return bytes;
    };
}

// An attributes section whose last string has no NUL before the section end.
Damage cutAttributes()
{
    return [](ElfWriter&, uint32_t) {
        ElfWriter a;
        a.addSection(".ARM.attributes", SHT_ARM_ATTRIBUTES, 0, 0,
                     {'A', 15, 0, 0, 0, 'a', 'e', 'a', 'b', 'i', 0, 6, 10, 5, 'a', 'b', 'c'});
        return a.build();
    };
}

// A unit whose last byte is an unknown abbreviation code: the diagnostic's hex dump runs
// past the end of .debug_info, where it shows blanks.
Damage unknownCodeAtInfoEnd()
{
    return [](ElfWriter&, uint32_t) {
        ElfWriter d;   // abbreviation 1: DW_TAG_compile_unit, no children, DW_AT_name string
        d.addSection(".debug_abbrev", SHT_PROGBITS, 0, 0, {1, 0x11, 0, 0x03, 0x08, 0, 0, 0});
        d.addSection(".debug_info", SHT_PROGBITS, 0, 0, {12, 0, 0, 0, 2, 0, 0, 0, 0, 0, 4, 1, 'A', 'B', 0, 9});
        return d.build();
    };
}

const std::string truncated = "open error truncated ELF file: \n";
const std::string mainLine = "0x00008000 .text main (0x12,0x0,0x1) Thumb\n";
const std::string relocationLine = "address 0x00000004 type 0x02 R_ARM_ABS32 value ";
const std::string listed = mainLine + "relocations for .text\n" + relocationLine + ".text main\n";

struct Row {
    const char* label;
    Damage damage;
    const char* options;
    int status;
    std::string err, out;
};

const Row rows[] = {
    {"intact", overrides([](ElfWriter&, uint32_t) {}), "-symbols -relocations", 0, "", listed},
    {"empty file", firstBytes(0), "-header", 1, truncated, ""},
    {"51 bytes", firstBytes(51), "-header", 1, truncated, ""},
    {"header alone, its tables empty at offset 0", firstBytes(52, [](ElfWriter& w) {
         for (ElfField f : {ePhnum, ELF_FIELD(Elf32_Ehdr, e_shnum), ELF_FIELD(Elf32_Ehdr, e_phoff),
                            ELF_FIELD(Elf32_Ehdr, e_shoff)})
             w.overrideHeader(f, 0);
     }), "-symbols -relocations", 0, "", ""},
    {"file one byte short: the section table ends past it", firstBytes(-1), "-symbols", 1, truncated, ""},
    {".text ends at the last byte", endsAtFileEnd(text, 0), "-symbols -relocations", 0, "", listed},
    {".text ends one byte past", endsAtFileEnd(text, 1), "-symbols", 1, truncated, ""},
    {".text ends one byte before", endsAtFileEnd(text, -1), "-symbols", 0, "", mainLine},
    {"empty .text at the file end", emptyTextAt(0), "-symbols", 1, truncated, ""},
    {"empty .text at the last byte", emptyTextAt(-1), "-symbols", 0, "", mainLine},
    {"program data ends at the last byte",
     overrides([](ElfWriter& w, uint32_t end) { w.overrideHeader(pFilesz, end - w.sectionOffset(text)); }), "-symbols",
     0, "", mainLine},
    {"program data ends one byte past",
     overrides([](ElfWriter& w, uint32_t end) { w.overrideHeader(pFilesz, end - w.sectionOffset(text) + 1); }),
     "-symbols", 1, truncated, ""},
    {"empty program table at the file end", emptyProgramTableAt(0), "-symbols", 1, truncated, ""},
    {"empty program table at the last byte", emptyProgramTableAt(-1), "-symbols", 0, "", mainLine},
    {"huge .text size", sh(text, shSize, 0xFFFFFFF0), "-symbols", 1, truncated, ""},
    {".strtab not a string table", sh(strtab, shType, SHT_PROGBITS), "-header", 1,
     "open error not a string section\n", ""},
    {".shstrtab not a string table", sh(shstrtab, shType, SHT_PROGBITS), "-header", 1,
     "open error not a string section\n", ""},
    {"e_shstrndx one past the sections: no names, so no .symtab",
     overrides([](ElfWriter& w, uint32_t) { w.overrideHeader(ELF_FIELD(Elf32_Ehdr, e_shstrndx), sectionCount); }),
     "-symbols -relocations", 0, "",
     "relocations for \n" + relocationLine + "??? ???\n"},
    {".symtab without contents", sh(symtab, shType, SHT_NOBITS), "-symbols -relocations", 0, "",
     "relocations for .text\n" + relocationLine + "??? ???\n"},
    {".symtab sh_entsize 0 counts 16-byte entries", sh(symtab, ELF_FIELD(Elf32_Shdr, sh_entsize), 0),
     "-symbols -relocations", 0, "", listed},
    {".symtab sh_entsize 1 stays inside the table", sh(symtab, ELF_FIELD(Elf32_Shdr, sh_entsize), 1),
     "-symbols -relocations", 0, "", listed},
    {".symtab one byte short of its second entry", sh(symtab, shSize, 31), "-symbols -relocations", 0, "",
     "relocations for .text\n" + relocationLine + "??? ???\n"},
    {".strtab ends inside the name", sh(strtab, shSize, 4), "-symbols", 0, "",
     "0x00008000 .text mai (0x12,0x0,0x1) Thumb\n"},
    {".strtab ends with the name, without its NUL", sh(strtab, shSize, 5), "-symbols -relocations", 0, "",
     listed},
    {".strtab without contents", sh(strtab, shSize, 0), "-symbols -relocations", 0, "",
     "relocations for .text\n" + relocationLine + ".text ???\n"},
    {"relocation target one past the sections", sh(rel, ELF_FIELD(Elf32_Shdr, sh_info), sectionCount),
     "-symbols -relocations", 0, "", mainLine},
    {"relocation section one byte short of its second entry", sh(rel, shSize, 15), "-relocations", 0, "",
     "relocations for .text\n" + relocationLine + ".text main\n"},
    {"attribute cut by the section end", cutAttributes(), "-ARMAttributes", 0,
     "warning: section .ARM.attributes: an attribute runs past the end of its subsection; "
     "the listing stops before it\n",
     "Tag_CPU_arch ARM v7\n"},
    {"unknown abbreviation code at the end of .debug_info", unknownCodeAtInfoEnd(), "-dwarf", 0, "",
     "@hexdump-at-section-end.txt"},
};

void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.label;
}

class ElfDamage : public testing::TestWithParam<Row> {};

} // namespace

TEST_P(ElfDamage, ExactResult)
{
    const Row& row = GetParam();
    ElfWriter w = baseImage();
    uint32_t end = uint32_t(w.build().size());
    std::vector<std::string> args;
    std::istringstream words(row.options);
    for (std::string word; words >> word;)
        args.push_back(word);
    args.push_back(writeTempFile(row.damage(w, end), ".elf"));
    RunResult r = runMorvane(args);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.err, row.err);
    // The unknown-code diagnostic ends with two memory addresses.
    std::string out = r.out;
    if (size_t at = out.find(", 0x"); at != std::string::npos)
        out.replace(at, out.find('\n', at) - at, ", ADDRESS, ADDRESS");
    EXPECT_EQ(out, row.out[0] == '@' ? readFileText(elfFixture(row.out.substr(1))) : row.out);
}

INSTANTIATE_TEST_SUITE_P(Rows, ElfDamage, testing::ValuesIn(rows),
                         [](const testing::TestParamInfo<Row>& info) { return testName(info.param.label); });
