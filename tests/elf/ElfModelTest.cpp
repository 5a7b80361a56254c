// The image model where the listings do not show it: symbol kinds and the address list,
// lookups by name, index and address, strings, byte order, damaged tables and load errors.
#include "ElfTestSupport.h"

#include "common/HException.h"

#include <algorithm>
#include <functional>

namespace {

const uint8_t globalFunc = ELF32_ST_INFO(STB_GLOBAL, STT_FUNC);
const uint8_t globalObject = ELF32_ST_INFO(STB_GLOBAL, STT_OBJECT);
const uint8_t localNoType = ELF32_ST_INFO(STB_LOCAL, STT_NOTYPE);
using Names = std::vector<std::string>;

Names names(const std::vector<ElfSymbol*>& symbols)
{
    Names result;
    for (const ElfSymbol* symbol : symbols)
        result.push_back(toStd(symbol->name));
    return result;
}

// Loads in place over a copy of `bytes`, with or without the symbol lists.
std::string loadError(const std::vector<uint8_t>& bytes, bool symbolLists = true)
{
    std::vector<uint8_t> copy = bytes;
    ElfFile file(true, true);
    file.buildSymbolLists = symbolLists;
    try {
        file.loadImageInPlace(copy.data(), uint32_t(copy.size()));
    } catch (const HException& e) {
        return e.what();
    }
    return "";
}

ElfWriter textImage(bool bigEndian = false)
{
    ElfWriter w(bigEndian);
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, std::vector<uint8_t>(0x40, 0));
    return w;
}

class RelocatedElfFile : public ElfFile {
public:
    RelocatedElfFile() : ElfFile(true, true) {}
    uint32_t translateAddress(uint32_t address) const override { return address + 0x10000; }
};

} // namespace

TEST(ElfModel, SymbolKindsAndLists)
{
    struct Case {
        const char* name;
        uint32_t value;
        uint8_t info;
        uint16_t shndx;
        ARMElfSymbol::Kind kind;
        uint32_t address;
    };
    const Case cases[] = {
        {"thumbFn", 0x101, globalFunc, 1, ARMElfSymbol::Thumb, 0x100},
        {"armFn", 0x100, globalFunc, 1, ARMElfSymbol::Arm, 0x100},
        {"t13", 0x201, ELF32_ST_INFO(STB_GLOBAL, 13), 1, ARMElfSymbol::Thumb, 0x201},
        {"t15", 0x200, ELF32_ST_INFO(STB_GLOBAL, 15), 1, ARMElfSymbol::Thumb, 0x200},
        {"object", 0x301, globalObject, 1, ARMElfSymbol::Other, 0x301},
        {"undefined", 0, localNoType, SHN_UNDEF, ARMElfSymbol::Other, 0},
        {"absolute", 0x50, globalObject, SHN_ABS, ARMElfSymbol::Other, 0x50},
        {"beyond", 0x10, globalObject, 99, ARMElfSymbol::Other, 0x10},
        {"\xe9t\xe9", 0x20, globalObject, 1, ARMElfSymbol::Other, 0x20},
    };
    ElfWriter w = textImage();
    for (const char* other : {"$a", "$t", "$d", ".Lloop", "", ".L"})
        w.addSymbol(other, 0x10, 0, localNoType, 0, 1);
    for (const Case& c : cases)
        w.addSymbol(c.name, c.value, 4, c.info, 0, c.shndx);
    std::vector<uint8_t> bytes = w.build();
    auto file = loadModel(bytes);
    // Names in unsigned byte order; the address list holds section indexes below e_shnum (0 too).
    EXPECT_EQ(names(file->symbolsByName), (Names{"absolute", "armFn", "beyond", "object", "t13", "t15", "thumbFn",
                                                 "undefined", "\xe9t\xe9"}));
    Names byAddress = names(file->symbolsByAddress);
    EXPECT_EQ(byAddress.size(), 7u);
    EXPECT_EQ(byAddress.front(), "undefined");
    EXPECT_EQ(byAddress.back(), "object");
    EXPECT_TRUE(std::is_sorted(file->symbolsByAddress.begin(), file->symbolsByAddress.end(),
                               [](ElfSymbol* a, ElfSymbol* b) { return a->value() < b->value(); }));
    EXPECT_EQ(names(file->otherSymbols), (Names{"", "$a", "$t", "$d", ".Lloop", "", ".L"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto it = std::find_if(file->symbolsByName.begin(), file->symbolsByName.end(),
                               [&](ElfSymbol* s) { return toStd(s->name) == c.name; });
        ASSERT_NE(it, file->symbolsByName.end());
        EXPECT_EQ(static_cast<ARMElfSymbol*>(*it)->kind, c.kind);
        EXPECT_EQ((*it)->value(), c.address);
        EXPECT_EQ((*it)->entry->st_value, c.value);
    }
    // Every address passes through translateAddress.
    RelocatedElfFile relocated;
    auto* copy = new uint8_t[bytes.size()];
    memcpy(copy, bytes.data(), bytes.size());
    relocated.loadImage(copy, uint32_t(bytes.size()));
    EXPECT_EQ(relocated.symbolsByName[6]->value(), 0x10100u);
}

TEST(ElfModel, Demangling)
{
    const std::pair<const char*, const char*> cases[] = {
        {"_ZN8geometry5PointC1Eii", "geometry::Point::Point(int, int)"},
        {"_ZNK8geometry5Point3sumEv", "geometry::Point::sum() const"},
        {"_Znot-a-name", "_Znot-a-name"},
        {"plain_Z", "plain_Z"},
        {"__Z5twicel", "__Z5twicel"},   // the GNU v3 demangler does not take the extra underscore
        {"_Z", "_Z"},
    };
    for (bool ads : {false, true}) {
        ElfWriter w = textImage();
        std::string comment = ads ? "ARM Linker, ADS1.2 [Build 805]" : "ARM Linker, ADS1";
        w.addSection(".comment", SHT_PROGBITS, 0, 0, std::vector<uint8_t>(comment.begin(), comment.end()));
        for (const auto& c : cases)
            w.addSymbol(c.first, 0x1, 4, globalFunc, 0, 1);
        std::vector<uint8_t> bytes = w.build();
        for (bool demangle : {true, false}) {
            SCOPED_TRACE(std::string(ads ? "ADS " : "GNU ") + (demangle ? "demangled" : "raw"));
            auto file = loadModel(bytes, demangle);
            EXPECT_EQ(file->linkedByADS, ads);
            Names expected;
            for (const auto& c : cases)
                expected.push_back(demangle ? c.second : c.first);
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(names(file->symbolsByName), expected);
        }
    }
}

TEST(ElfModel, LongNamesSpanSeveralNameBlocks)
{
    ElfWriter w = textImage();
    Names expected = {std::string(700000, 'a'), std::string(700000, 'b'), "c"};
    for (const std::string& name : expected)
        w.addSymbol(name, 0, 0, globalObject, 0, 1);
    EXPECT_EQ(names(loadModel(w.build())->symbolsByName), expected);
}

TEST(ElfModel, SectionsAndStrings)
{
    ElfWriter w;
    int first = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x100, {1, 2});
    int second = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x200, {3, 4});
    int bss = w.addSection(".bss", SHT_NOBITS, SHF_ALLOC | SHF_WRITE, 0x2000, std::vector<uint8_t>(0x100));
    int strings = w.addSection(".names", SHT_STRTAB, 0, 0, {0, 'a', 'b', 0, 'c', 'd'});
    auto file = loadModel(w.build());
    EXPECT_EQ(file->getSection(QStringLiteral(".text")), file->sectionByIndex(second));
    EXPECT_EQ(toStd(file->sectionName(file->sectionByIndex(first))), ".text");
    EXPECT_EQ(file->getSection(QStringLiteral(".data")), nullptr);
    EXPECT_EQ(file->sectionByIndex(-1), nullptr);
    EXPECT_EQ(file->sectionByIndex(w.sectionCount()), nullptr);
    EXPECT_EQ(file->sections.size(), size_t(w.sectionCount()));
    EXPECT_EQ(file->sectionByIndex(bss)->data, nullptr);
    EXPECT_EQ(file->sectionByIndex(bss)->availableSize(), 0u);

    const ElfSection* table = file->sectionByIndex(strings);
    const std::pair<uint32_t, const char*> at[] = {{1, "ab"}, {2, "b"}, {0, ""}, {4, "cd"}, {6, ""}, {0xFFFFFFFF, ""}};
    for (const auto& [offset, text] : at)
        EXPECT_EQ(toStd(file->stringAt(table, offset)), text) << offset;   // "cd" stops at the section end
    EXPECT_THROW(file->stringAt(file->sectionByIndex(first), 0), HException);   // "not a string section"
}

TEST(ElfModel, AddressLookups)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x8000, {1, 2, 3, 4, 5, 6, 7, 8});
    int data = w.addSection(".data", SHT_PROGBITS, SHF_ALLOC, 0x20000000, {9, 10, 11, 12});
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0x100, PF_R, 4});     // no file data: skipped
    w.addProgram({PT_NOTE, 0, 0x8000, 0x8000, 0, 0, PF_R, 4}, data);   // not PT_LOAD
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R | PF_X, 4}, text);
    w.addProgram({PT_LOAD, 0, 0x20000000, 0x8008, 0, 0, PF_R | PF_W, 4}, data);
    const std::pair<const char*, uint32_t> symbols[] = {
        {"start", 0x8000}, {"alias1", 0x8010}, {"alias2", 0x8010}, {"thumb", 0x8021}};
    for (auto [name, value] : symbols)
        w.addSymbol(name, value, 0, name[0] == 't' ? globalFunc : globalObject, 0, uint16_t(text));
    auto file = loadModel(w.build());

    const std::pair<uint32_t, const char*> before[] = {{0x7fff, ""}, {0x8000, "start"}, {0x800f, "start"},
                                                       {0x8020, "thumb"}, {0xFFFFFFFF, "thumb"}};
    for (const auto& [address, name] : before) {
        ElfSymbol* symbol = file->symbolAtOrBefore(address);
        EXPECT_EQ(symbol ? toStd(symbol->name) : "", name) << address;
    }
    EXPECT_EQ(file->symbolAtOrBefore(0x8018)->value(), 0x8010u);
    std::vector<ElfSymbol*> found;
    EXPECT_FALSE(file->symbolsAt(0x10, found));
    EXPECT_TRUE(file->symbolsAt(0x8014, found));
    Names aliases = names(found);
    std::sort(aliases.begin(), aliases.end());
    EXPECT_EQ(aliases, (Names{"alias1", "alias2"}));
    EXPECT_TRUE(file->symbolsAt(0x8000, found));   // appends
    EXPECT_EQ(found.size(), 3u);
    EXPECT_EQ(loadModel(textImage().build())->symbolAtOrBefore(0), nullptr);

    EXPECT_EQ(file->programs[0]->data, nullptr);
    const struct { uint32_t address, length; bool virtualAddress; int first; } peeks[] = {
        {0x8004, 4, true, 5}, {0x8000, 8, true, 1}, {0x8005, 4, true, -1}, {0x20000001, 2, true, 10},
        {0x20000001, 2, false, -1}, {0x8009, 2, false, 10}, {0x7fff, 1, true, -1}, {0xFFFFFFF0, 0x20, true, -1}};
    for (const auto& p : peeks) {
        uint8_t* bytes = file->peekBytes(p.address, p.length, p.virtualAddress);
        EXPECT_EQ(bytes ? bytes[0] : -1, p.first) << std::hex << p.address << " " << p.virtualAddress;
    }
}

// A model built in place keeps working from its own copy once detached: the bytes it was
// built over are overwritten and released, as a file rewritten under its mapping would be.
TEST(ElfModel, DetachFromMapping)
{
    for (bool bigEndian : {false, true}) {
        ElfWriter w = textImage(bigEndian);
        w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R | PF_X, 4}, 1);
        w.addSymbol("_ZN3Foo3runEv", 0x8001, 0, globalFunc, 0, 1);
        std::vector<uint8_t> bytes = w.build();
        auto* buffer = new uint8_t[bytes.size()];
        memcpy(buffer, bytes.data(), bytes.size());
        ElfFile file(true, true);
        file.loadImageInPlace(buffer, uint32_t(bytes.size()));
        file.detachFromMapping();
        memset(buffer, 0xFF, bytes.size());
        delete[] buffer;
        EXPECT_EQ(file.header->e_shnum, w.sectionCount());
        EXPECT_EQ(file.getSection(QStringLiteral(".text")), file.sectionByIndex(1));
        EXPECT_EQ(toStd(file.sectionName(file.sectionByIndex(1))), ".text");
        EXPECT_EQ(file.programs[0]->header->p_vaddr, 0x8000u);
        EXPECT_EQ(file.peekBytes(0x8000, 4, true), file.sectionByIndex(1)->data);
        EXPECT_EQ(file.symbolEntry(1)->st_value, 0x8001u);
        ASSERT_EQ(names(file.symbolsByAddress), Names{"Foo::run()"});
        EXPECT_EQ(file.symbolsByAddress[0]->entry->st_value, 0x8001u);
    }
}

// EI_DATA 1 is little-endian, any other value big-endian; contents keep the image order.
TEST(ElfModel, ByteOrderFromDataByte)
{
    for (uint8_t dataByte : {1, 2, 0, 3}) {
        SCOPED_TRACE(int(dataByte));
        ElfWriter w(dataByte != 1);
        int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x8000, w.words32({0xe12fff1e}));
        w.overrideHeader(ElfField{EI_DATA, 1}, dataByte);
        auto file = loadModel(w.build());
        EXPECT_EQ(file->bigEndian, dataByte != 1);
        EXPECT_EQ(file->header->e_shnum, 3);
        EXPECT_EQ(file->sectionByIndex(text)->header->sh_addr, 0x8000u);
        EXPECT_EQ(file->sectionByIndex(text)->data[0], dataByte != 1 ? 0xe1 : 0x1e);
    }
}

TEST(ElfModel, DamagedSymbolTables)
{
    struct Case {
        const char* label;
        bool strtab;   // else .symtab
        ElfField field;
        uint32_t value;
        Names named;
        size_t others;
    };
    const ElfField name = ELF_FIELD(Elf32_Shdr, sh_name), entsize = ELF_FIELD(Elf32_Shdr, sh_entsize);
    const Case cases[] = {
        {"only .dynsym", false, name, 7, {}, 0},
        {"sh_entsize 0 counts 16-byte entries", false, entsize, 0, {"main"}, 1},
        {"sh_entsize 1 stays inside the table", false, entsize, 1, {"main"}, 1},
        {"no .strtab", true, name, 1, {}, 2},
        {".strtab cut inside the name", true, ELF_FIELD(Elf32_Shdr, sh_size), 4, {"mai"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ElfWriter w = textImage();
        w.addSection(".dynsym", SHT_DYNSYM, SHF_ALLOC, 0, std::vector<uint8_t>(32), 0, 0, 16, 4);
        w.addSymbol("main", 0x8000, 4, globalFunc, 0, 1);
        w.build();
        w.overrideSectionHeader(c.strtab ? w.strtabIndex() : w.symtabIndex(), c.field, c.value);
        auto file = loadModel(w.build());
        EXPECT_EQ(names(file->symbolsByName), c.named);
        EXPECT_EQ(file->otherSymbols.size(), c.others);
    }
}

TEST(ElfModel, LoadErrorsFromABuffer)
{
    auto image = [] {
        ElfWriter w = textImage();
        w.addSymbol("main", 0x8000, 4, globalFunc, 0, 1);
        return w;
    };
    const std::vector<uint8_t> good = image().build();
    const uint32_t end = uint32_t(good.size());
    auto section = [](int index, ElfField field, uint32_t value) {
        return [=](ElfWriter& w) { w.overrideSectionHeader(index, field, value); };
    };
    const std::pair<std::function<void(ElfWriter&)>, const char*> cases[] = {
        {[](ElfWriter&) {}, ""},
        {[](ElfWriter& w) { w.overrideSectionHeader(w.strtabIndex(), ELF_FIELD(Elf32_Shdr, sh_type), SHT_PROGBITS); },
         "not a string section"},
        {[](ElfWriter& w) { w.overrideSectionHeader(w.shstrtabIndex(), ELF_FIELD(Elf32_Shdr, sh_type), 1); },
         "not a string section"},
        {section(1, ELF_FIELD(Elf32_Shdr, sh_size), 0xFFFFFFF0), "truncated ELF file: "},
        // A zero-size section placed at the image end fails; one byte earlier it is fine.
        {section(1, ELF_FIELD(Elf32_Shdr, sh_size), 0), ""},
        {[=](ElfWriter& w) { w.overrideSectionHeader(1, ELF_FIELD(Elf32_Shdr, sh_size), 0);
                             w.overrideSectionHeader(1, ELF_FIELD(Elf32_Shdr, sh_offset), end); },
         "truncated ELF file: "},
        {[=](ElfWriter& w) { w.overrideSectionHeader(1, ELF_FIELD(Elf32_Shdr, sh_size), 0);
                             w.overrideSectionHeader(1, ELF_FIELD(Elf32_Shdr, sh_offset), end - 1); }, ""},
        // The program table is located even without entries.
        {[=](ElfWriter& w) { w.overrideHeader(ELF_FIELD(Elf32_Ehdr, e_phoff), end); }, "truncated ELF file: "},
    };
    for (const auto& [damage, message] : cases) {
        ElfWriter w = image();
        w.build();
        damage(w);
        EXPECT_EQ(loadError(w.build()), message);
        EXPECT_EQ(loadError(w.build(), false), message);
    }
    EXPECT_EQ(loadError({}), "truncated ELF file: ");
    EXPECT_EQ(loadError(std::vector<uint8_t>(good.begin(), good.begin() + 51)), "truncated ELF file: ");
    EXPECT_EQ(loadError(std::vector<uint8_t>(good.begin(), good.end() - 1)), "truncated ELF file: ");
}

TEST(ElfModel, LoadFromFiles)
{
    TempDir dir;
    std::vector<uint8_t> good = textImage().build();
    const std::pair<std::string, std::string> cases[] = {
        {dir.file("missing.elf"), "cannot open "},
        {dir.write("text.elf", std::string("not an ELF image at all, but long enough for a header......")),
         "invalid ELF file: "},
        {dir.write("tiny.elf", std::string("\x7f" "EL")), "invalid ELF file: "},
        {dir.write("cut.elf", std::vector<uint8_t>(good.begin(), good.begin() + 40)), "truncated ELF file: "},
    };
    ElfFile file(true, true);
    for (const auto& [path, message] : cases) {
        try {
            file.load(QString::fromStdString(path));
            ADD_FAILURE() << path;
        } catch (const HException& e) {
            EXPECT_EQ(std::string(e.what()), message + path);
        }
    }
    for (int round = 0; round < 2; ++round) {   // a second load replaces the first
        file.load(QString::fromStdString(elfFixture("thumb-le.o")));
        EXPECT_EQ(toStd(file.path), elfFixture("thumb-le.o"));
        EXPECT_EQ(file.sections.size(), 21u);
        EXPECT_EQ(file.symbolsByName.size(), 6u);
    }
}
