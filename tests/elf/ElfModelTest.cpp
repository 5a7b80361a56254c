// The image model where no listing shows it: the address lookups the disassembly and the
// register groups use, a model moved off a mapping, loading from files, long names.
#include "ElfTestSupport.h"

#include "common/HException.h"

#include <algorithm>

namespace {

using Names = std::vector<std::string>;

Names names(const std::vector<ElfSymbol*>& symbols)
{
    Names result;
    for (const ElfSymbol* symbol : symbols)
        result.push_back(toStd(symbol->name));
    std::sort(result.begin(), result.end());
    return result;
}

} // namespace

// The address list holds symbols of every section index below e_shnum (0 too), by value.
TEST(ElfModel, AddressLookups)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x8000, {1, 2, 3, 4, 5, 6, 7, 8});
    int data = w.addSection(".data", SHT_PROGBITS, SHF_ALLOC, 0x20000000, {9, 10, 11, 12});
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0x100, PF_R, 4});     // no file data: skipped
    w.addProgram({PT_NOTE, 0, 0x8000, 0x8000, 0, 0, PF_R, 4}, data);   // not PT_LOAD
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R | PF_X, 4}, text);
    w.addProgram({PT_LOAD, 0, 0x20000000, 0x8008, 0, 0, PF_R | PF_W, 4}, data);
    const std::pair<const char*, uint16_t> symbols[] = {{"start", text}, {"alias1", text}, {"alias2", text},
                                                        {"thumb", text}, {"undefined", SHN_UNDEF},
                                                        {"absolute", SHN_ABS}, {"beyond", 6}, {"last", 5}};
    const uint32_t values[] = {0x8000, 0x8010, 0x8010, 0x8021, 0x7ff0, 0x7ff8, 0x7ffa, 0x9000};
    for (size_t i = 0; i < 8; ++i)
        w.addSymbol(symbols[i].first, values[i], 0, ELF32_ST_INFO(STB_GLOBAL, i == 3 ? STT_FUNC : STT_OBJECT), 0,
                    symbols[i].second);
    ASSERT_EQ(w.sectionCount(), 6);   // "beyond" is in section 6, "last" in 5
    auto file = loadModel(w.build());

    const std::pair<uint32_t, const char*> before[] = {{0x7fef, ""}, {0x7ffb, "undefined"}, {0x8000, "start"},
                                                       {0x800f, "start"}, {0x8020, "thumb"}, {0xFFFFFFFF, "last"}};
    for (const auto& [address, name] : before) {
        ElfSymbol* symbol = file->symbolAtOrBefore(address);
        EXPECT_EQ(symbol ? toStd(symbol->name) : "", name) << address;
    }
    std::vector<ElfSymbol*> found;
    EXPECT_FALSE(file->symbolsAt(0x10, found));
    EXPECT_TRUE(file->symbolsAt(0x8014, found));
    EXPECT_EQ(names(found), (Names{"alias1", "alias2"}));
    EXPECT_TRUE(file->symbolsAt(0x8000, found));   // appends
    EXPECT_EQ(found.size(), 3u);

    const struct { uint32_t address, length; bool virtualAddress; int first; } peeks[] = {
        {0x8004, 4, true, 5}, {0x8000, 8, true, 1}, {0x8005, 4, true, -1}, {0x20000001, 2, true, 10},
        {0x20000003, 1, true, 12}, {0x20000001, 2, false, -1}, {0x8009, 2, false, 10}, {0x7fff, 1, true, -1},
        {0xFFFFFFF0, 0x20, true, -1}};
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
        ElfWriter w(bigEndian);
        w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, std::vector<uint8_t>(0x40, 0));
        w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R | PF_X, 4}, 1);
        w.addSymbol("_ZN3Foo3runEv", 0x8001, 0, ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, 1);
        std::vector<uint8_t> bytes = w.build();
        ElfFile file(true, true);
        file.loadImageInPlace(bytes.data(), uint32_t(bytes.size()));
        file.detachFromMapping();
        std::fill(bytes.begin(), bytes.end(), 0xFF);
        bytes = {};
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

// The -cmp tests see a missing file and one that is no image; the bounds of the magic here.
TEST(ElfModel, LoadFromFiles)
{
    TempDir dir;
    std::vector<uint8_t> good = readFileBytes(elfFixture("thumb-le.o"));
    const std::pair<std::string, std::string> cases[] = {
        {dir.write("tiny.elf", std::string("\x7f" "EL")), "invalid ELF file: "},
        {dir.write("magic.elf", std::string("\x7f" "ELF")), "truncated ELF file: "},
        {dir.write("cut.elf", std::vector<uint8_t>(good.begin(), good.end() - 1)), "truncated ELF file: "},
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

// Names longer than a storage block of the model's name texts.
TEST(ElfModel, LongNamesSpanSeveralNameBlocks)
{
    ElfWriter w;
    w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0, {});
    Names expected = {std::string(700000, 'a'), std::string(700000, 'b'), "c"};
    for (const std::string& name : expected)
        w.addSymbol(name, 0, 0, ELF32_ST_INFO(STB_GLOBAL, STT_OBJECT), 0, 1);
    auto file = loadModel(w.build());
    EXPECT_EQ(names(file->symbolsByName), expected);
    const uint8_t* owned = file->image;   // loadImage's bytes are the model's: nothing to copy
    file->detachFromMapping();
    EXPECT_EQ(file->image, owned);
}
