// The image model on its own: symbol kinds and lists, lookups by name, index and address,
// strings, byte order and the load errors.
#include "ElfTestSupport.h"

#include "common/HException.h"

#include <gtest/gtest.h>

namespace {

const uint8_t globalFunc = ELF32_ST_INFO(STB_GLOBAL, STT_FUNC);
const uint8_t globalObject = ELF32_ST_INFO(STB_GLOBAL, STT_OBJECT);
const uint8_t localNoType = ELF32_ST_INFO(STB_LOCAL, STT_NOTYPE);

std::vector<std::string> names(const std::vector<ElfSymbol*>& symbols)
{
    std::vector<std::string> result;
    for (const ElfSymbol* symbol : symbols)
        result.push_back(toStd(symbol->name));
    return result;
}

const ARMElfSymbol* armSymbol(const ElfFile& file, const std::string& name)
{
    for (ElfSymbol* symbol : file.symbolsByName)
        if (toStd(symbol->name) == name)
            return static_cast<const ARMElfSymbol*>(symbol);
    return nullptr;
}

std::string loadError(const std::vector<uint8_t>& bytes)
{
    try {
        loadModel(bytes);
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

} // namespace

TEST(ElfSymbolKinds, ThumbFunctionClearsBitZeroArmFunctionKeepsValue)
{
    ElfWriter w = textImage();
    w.addSymbol("thumbFn", 0x101, 4, globalFunc, 0, 1);
    w.addSymbol("armFn", 0x100, 4, globalFunc, 0, 1);
    auto file = loadModel(w.build());
    const ARMElfSymbol* thumb = armSymbol(*file, "thumbFn");
    const ARMElfSymbol* arm = armSymbol(*file, "armFn");
    ASSERT_TRUE(thumb && arm);
    EXPECT_EQ(thumb->kind, ARMElfSymbol::Thumb);
    EXPECT_EQ(thumb->value(), 0x100u);
    EXPECT_EQ(thumb->entry->st_value, 0x101u);
    EXPECT_EQ(arm->kind, ARMElfSymbol::Arm);
    EXPECT_EQ(arm->value(), 0x100u);
}

TEST(ElfSymbolKinds, TypesThirteenAndFifteenAreThumbWithBitZeroKept)
{
    ElfWriter w = textImage();
    w.addSymbol("t13", 0x201, 0, ELF32_ST_INFO(STB_GLOBAL, 13), 0, 1);
    w.addSymbol("t15", 0x200, 0, ELF32_ST_INFO(STB_GLOBAL, 15), 0, 1);
    w.addSymbol("object", 0x301, 4, globalObject, 0, 1);
    auto file = loadModel(w.build());
    EXPECT_EQ(armSymbol(*file, "t13")->kind, ARMElfSymbol::Thumb);
    EXPECT_EQ(armSymbol(*file, "t13")->value(), 0x201u);
    EXPECT_EQ(armSymbol(*file, "t15")->kind, ARMElfSymbol::Thumb);
    EXPECT_EQ(armSymbol(*file, "object")->kind, ARMElfSymbol::Other);
    EXPECT_EQ(armSymbol(*file, "object")->value(), 0x301u);
}

namespace {
class RelocatedElfFile : public ElfFile {
public:
    RelocatedElfFile() : ElfFile(true, true) {}
    uint32_t translateAddress(uint32_t address) const override { return address + 0x10000; }
};
} // namespace

TEST(ElfSymbolKinds, AddressesPassThroughTranslateAddress)
{
    ElfWriter w = textImage();
    w.addSymbol("thumbFn", 0x101, 4, globalFunc, 0, 1);
    std::vector<uint8_t> bytes = w.build();
    RelocatedElfFile file;
    auto* copy = new uint8_t[bytes.size()];
    memcpy(copy, bytes.data(), bytes.size());
    file.loadImage(copy, uint32_t(bytes.size()));
    ASSERT_EQ(file.symbolsByName.size(), 1u);
    EXPECT_EQ(file.symbolsByName[0]->value(), 0x10100u);
}

TEST(ElfSymbolLists, MappingSymbolsLocalLabelsAndUnnamedGoToOtherSymbols)
{
    ElfWriter w = textImage();
    w.addSymbol("$a", 0, 0, localNoType, 0, 1);
    w.addSymbol("$t", 4, 0, localNoType, 0, 1);
    w.addSymbol("$d", 8, 0, localNoType, 0, 1);
    w.addSymbol(".Lloop", 12, 0, localNoType, 0, 1);
    w.addSymbol("", 0, 0, ELF32_ST_INFO(STB_LOCAL, STT_SECTION), 0, 1);
    w.addSymbol(".L", 16, 0, localNoType, 0, 1);
    w.addSymbol(".Xlabel", 20, 0, localNoType, 0, 1);
    w.addSymbol("main", 24, 4, globalFunc, 0, 1);
    auto file = loadModel(w.build());
    EXPECT_EQ(names(file->symbolsByName), (std::vector<std::string>{".Xlabel", "main"}));
    EXPECT_EQ(names(file->symbolsByAddress), (std::vector<std::string>{".Xlabel", "main"}));
    // The null symbol and the six others, in table order.
    EXPECT_EQ(names(file->otherSymbols), (std::vector<std::string>{"", "$a", "$t", "$d", ".Lloop", "", ".L"}));
}

TEST(ElfSymbolLists, UndefinedSymbolIsAddressedAbsoluteSymbolIsNot)
{
    ElfWriter w = textImage();
    w.addSymbol("undefined", 0, 0, ELF32_ST_INFO(STB_GLOBAL, STT_NOTYPE), 0, SHN_UNDEF);
    w.addSymbol("absolute", 0x1234, 0, globalObject, 0, SHN_ABS);
    w.addSymbol("beyond", 0x10, 0, globalObject, 0, 99);
    auto file = loadModel(w.build());
    EXPECT_EQ(names(file->symbolsByName), (std::vector<std::string>{"absolute", "beyond", "undefined"}));
    EXPECT_EQ(names(file->symbolsByAddress), (std::vector<std::string>{"undefined"}));
}

TEST(ElfSymbolLists, NamesSortByUnsignedBytes)
{
    ElfWriter w = textImage();
    w.addSymbol("\xe9t\xe9", 0, 0, globalObject, 0, 1);
    w.addSymbol("zeta", 0, 0, globalObject, 0, 1);
    w.addSymbol("Alpha", 0, 0, globalObject, 0, 1);
    w.addSymbol("_under", 0, 0, globalObject, 0, 1);
    auto file = loadModel(w.build());
    EXPECT_EQ(names(file->symbolsByName), (std::vector<std::string>{"Alpha", "_under", "zeta", "\xe9t\xe9"}));
}

TEST(ElfSymbolLists, AddressListSortsByValue)
{
    ElfWriter w = textImage();
    w.addSymbol("c", 0x30, 0, globalObject, 0, 1);
    w.addSymbol("a", 0x11, 0, globalFunc, 0, 1);   // Thumb: 0x10
    w.addSymbol("b", 0x20, 0, globalObject, 0, 1);
    auto file = loadModel(w.build());
    EXPECT_EQ(names(file->symbolsByAddress), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(ElfDemangling, GnuV3NamesDemangleWhenEnabled)
{
    ElfWriter w = textImage();
    w.addSymbol("_ZN8geometry5PointC1Eii", 0x1, 6, globalFunc, 0, 1);
    w.addSymbol("_ZNK8geometry5Point3sumEv", 0x7, 6, globalFunc, 0, 1);
    w.addSymbol("_Znot-a-name", 0x9, 0, globalObject, 0, 1);
    w.addSymbol("plain_Z", 0xa, 0, globalObject, 0, 1);
    std::vector<uint8_t> bytes = w.build();
    EXPECT_EQ(names(loadModel(bytes)->symbolsByName),
              (std::vector<std::string>{"_Znot-a-name", "geometry::Point::Point(int, int)",
                                        "geometry::Point::sum() const", "plain_Z"}));
    EXPECT_EQ(names(loadModel(bytes, false)->symbolsByName),
              (std::vector<std::string>{"_ZN8geometry5PointC1Eii", "_ZNK8geometry5Point3sumEv", "_Znot-a-name",
                                        "plain_Z"}));
}

TEST(ElfDemangling, DoubleUnderscoreNamesGoToTheDemanglerAsTheyAre)
{
    // The GNU v3 demangler does not take the extra underscore: the name stays as read.
    ElfWriter w = textImage();
    w.addSymbol("__Z5twicel", 0x1, 4, globalFunc, 0, 1);
    w.addSymbol("_Z", 0x3, 4, globalFunc, 0, 1);
    w.addSymbol("_", 0x5, 4, globalFunc, 0, 1);
    EXPECT_EQ(names(loadModel(w.build())->symbolsByName), (std::vector<std::string>{"_", "_Z", "__Z5twicel"}));
}

TEST(ElfDemangling, AdsLinkedImagesDemangleTheSameWay)
{
    ElfWriter w = textImage();
    std::string comment = "ARM Linker, ADS1.2 [Build 805]";
    w.addSection(".comment", SHT_PROGBITS, 0, 0, std::vector<uint8_t>(comment.begin(), comment.end()));
    w.addSymbol("_Z5twicel", 0x1, 4, globalFunc, 0, 1);
    auto file = loadModel(w.build());
    EXPECT_TRUE(file->linkedByADS);
    EXPECT_EQ(names(file->symbolsByName), (std::vector<std::string>{"twice(long)"}));
}

TEST(ElfDemangling, OtherCommentIsNotAds)
{
    ElfWriter w = textImage();
    std::string comment = "ARM Linker, ADS1";   // shorter than the marker
    w.addSection(".comment", SHT_PROGBITS, 0, 0, std::vector<uint8_t>(comment.begin(), comment.end()));
    EXPECT_FALSE(loadModel(w.build())->linkedByADS);
}

TEST(ElfSections, LookupByIndexAndNameHigherIndexWins)
{
    ElfWriter w;
    int first = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x100, {1, 2});
    int second = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x200, {3, 4});
    auto file = loadModel(w.build());
    EXPECT_EQ(file->getSection(QStringLiteral(".text")), file->sectionByIndex(second));
    EXPECT_NE(file->sectionByIndex(first), file->sectionByIndex(second));
    EXPECT_EQ(file->sectionByIndex(-1), nullptr);
    EXPECT_EQ(file->sectionByIndex(w.sectionCount()), nullptr);
    EXPECT_NE(file->sectionByIndex(0), nullptr);
    EXPECT_EQ(file->getSection(QStringLiteral(".data")), nullptr);
    EXPECT_EQ(toStd(file->sectionName(file->sectionByIndex(first))), ".text");
    EXPECT_EQ(file->sections.size(), size_t(w.sectionCount()));
}

TEST(ElfSections, NoBitsHasNoContentsAndAvailableSizeZero)
{
    ElfWriter w;
    int bss = w.addSection(".bss", SHT_NOBITS, SHF_ALLOC | SHF_WRITE, 0x2000, std::vector<uint8_t>(0x100));
    auto file = loadModel(w.build());
    EXPECT_EQ(file->sectionByIndex(bss)->data, nullptr);
    EXPECT_EQ(file->sectionByIndex(bss)->availableSize(), 0u);
    EXPECT_EQ(file->sectionByIndex(bss)->header->sh_size, 0x100u);
}

TEST(ElfStrings, StringAtReadsStringsAndRejectsOtherSections)
{
    ElfWriter w;
    int strings = w.addSection(".names", SHT_STRTAB, 0, 0, {0, 'a', 'b', 0, 'c', 'd'});
    int code = w.addSection(".text", SHT_PROGBITS, 0, 0, {'x', 0});
    auto file = loadModel(w.build());
    const ElfSection* table = file->sectionByIndex(strings);
    EXPECT_EQ(toStd(file->stringAt(table, 1)), "ab");
    EXPECT_EQ(toStd(file->stringAt(table, 2)), "b");
    EXPECT_EQ(toStd(file->stringAt(table, 0)), "");
    // "cd" has no terminator before the section end: it stops there.
    EXPECT_EQ(toStd(file->stringAt(table, 4)), "cd");
    EXPECT_EQ(toStd(file->stringAt(table, 6)), "");
    EXPECT_EQ(toStd(file->stringAt(table, 0xFFFFFFFF)), "");
    try {
        file->stringAt(file->sectionByIndex(code), 0);
        FAIL() << "no exception";
    } catch (const HException& e) {
        EXPECT_STREQ(e.what(), "not a string section");
    }
}

TEST(ElfStrings, SymbolNamesStopAtStringTableEnd)
{
    ElfWriter w = textImage();
    w.addSymbol("abcdef", 0, 0, globalObject, 0, 1);
    std::vector<uint8_t> bytes = w.build();
    // Cut .strtab in the middle of the name.
    w.overrideSectionHeader(w.strtabIndex(), ELF_FIELD(Elf32_Shdr, sh_size), 4);
    auto file = loadModel(w.build());
    EXPECT_EQ(names(file->symbolsByName), (std::vector<std::string>{"abc"}));
}

TEST(ElfAddressLookup, SymbolAtOrBeforeAndSymbolsAt)
{
    ElfWriter w = textImage();
    w.addSymbol("start", 0x8000, 0, globalObject, 0, 1);
    w.addSymbol("alias1", 0x8010, 0, globalObject, 0, 1);
    w.addSymbol("alias2", 0x8010, 0, globalObject, 0, 1);
    w.addSymbol("thumb", 0x8021, 0, globalFunc, 0, 1);
    auto file = loadModel(w.build());
    EXPECT_EQ(file->symbolAtOrBefore(0x7fff), nullptr);
    EXPECT_EQ(toStd(file->symbolAtOrBefore(0x8000)->name), "start");
    EXPECT_EQ(toStd(file->symbolAtOrBefore(0x800f)->name), "start");
    EXPECT_EQ(file->symbolAtOrBefore(0x8010)->value(), 0x8010u);
    EXPECT_EQ(file->symbolAtOrBefore(0x8018)->value(), 0x8010u);
    EXPECT_EQ(toStd(file->symbolAtOrBefore(0x8020)->name), "thumb");
    EXPECT_EQ(toStd(file->symbolAtOrBefore(0xFFFFFFFF)->name), "thumb");

    std::vector<ElfSymbol*> found;
    EXPECT_FALSE(file->symbolsAt(0x10, found));
    EXPECT_TRUE(found.empty());
    EXPECT_TRUE(file->symbolsAt(0x8014, found));
    std::vector<std::string> aliases = names(found);
    std::sort(aliases.begin(), aliases.end());
    EXPECT_EQ(aliases, (std::vector<std::string>{"alias1", "alias2"}));
    // Appends.
    EXPECT_TRUE(file->symbolsAt(0x8000, found));
    EXPECT_EQ(found.size(), 3u);
}

TEST(ElfAddressLookup, EmptySymbolListFindsNothing)
{
    auto file = loadModel(textImage().build());
    std::vector<ElfSymbol*> found;
    EXPECT_EQ(file->symbolAtOrBefore(0), nullptr);
    EXPECT_FALSE(file->symbolsAt(0x8000, found));
}

TEST(ElfPeekBytes, ReadsThroughLoadProgramsByVirtualOrPhysicalAddress)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x8000, {1, 2, 3, 4, 5, 6, 7, 8});
    int data = w.addSection(".data", SHT_PROGBITS, SHF_ALLOC, 0x20000000, {9, 10, 11, 12});
    w.addProgram({PT_NOTE, 0, 0x8000, 0x8000, 0, 0, PF_R, 4}, data);   // not PT_LOAD
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R | PF_X, 4}, text);
    w.addProgram({PT_LOAD, 0, 0x20000000, 0x8008, 0, 0, PF_R | PF_W, 4}, data);
    auto file = loadModel(w.build());
    uint8_t* bytes = file->peekBytes(0x8004, 4, true);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[0], 5);
    EXPECT_EQ(file->peekBytes(0x8000, 8, true)[0], 1);
    EXPECT_EQ(file->peekBytes(0x8005, 4, true), nullptr);     // runs past the program
    EXPECT_EQ(file->peekBytes(0x20000001, 2, true)[0], 10);
    EXPECT_EQ(file->peekBytes(0x20000001, 2, false), nullptr);
    EXPECT_EQ(file->peekBytes(0x8009, 2, false)[0], 10);
    EXPECT_EQ(file->peekBytes(0x7fff, 1, true), nullptr);
    EXPECT_EQ(file->peekBytes(0xFFFFFFF0, 0x20, true), nullptr);  // wraps
}

TEST(ElfPeekBytes, EmptyProgramIsSkipped)
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x8000, {1, 2, 3, 4});
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0x100, PF_R, 4});   // no file data
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R, 4}, text);
    auto file = loadModel(w.build());
    EXPECT_EQ(file->programs[0]->data, nullptr);
    EXPECT_EQ(file->peekBytes(0x8002, 1, true)[0], 3);
}

TEST(ElfByteOrder, BigEndianImageHasTheValuesOfItsLittleEndianTwin)
{
    for (bool big : {false, true}) {
        ElfWriter w(big);
        int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000, w.words32({0xe12fff1e}));
        w.addSymbol("main", 0x8001, 4, globalFunc, 0, uint16_t(text));
        w.addProgram({PT_LOAD, 0, 0x8000, 0x9000, 0, 0, PF_R | PF_X, 4}, text);
        w.entry = 0x8001;
        auto file = loadModel(w.build());
        SCOPED_TRACE(big ? "big-endian" : "little-endian");
        EXPECT_EQ(file->bigEndian, big);
        EXPECT_EQ(file->header->e_entry, 0x8001u);
        EXPECT_EQ(file->header->e_machine, EM_ARM);
        EXPECT_EQ(file->header->e_shnum, uint16_t(w.sectionCount()));
        EXPECT_EQ(file->programs[0]->header->p_paddr, 0x9000u);
        EXPECT_EQ(file->sectionByIndex(text)->header->sh_addr, 0x8000u);
        EXPECT_EQ(file->sectionByIndex(text)->header->sh_flags, uint32_t(SHF_ALLOC | SHF_EXECINSTR));
        ASSERT_EQ(file->symbolsByName.size(), 1u);
        EXPECT_EQ(file->symbolsByName[0]->entry->st_shndx, text);
        EXPECT_EQ(file->symbolsByName[0]->entry->st_size, 4u);
        EXPECT_EQ(file->symbolsByName[0]->value(), 0x8000u);
        // Section contents keep the image's byte order.
        EXPECT_EQ(file->sectionByIndex(text)->data[0], big ? 0xe1 : 0x1e);
    }
}

TEST(ElfByteOrder, DataByteZeroOrThreeReadsAsBigEndian)
{
    for (uint8_t data : {0, 3}) {
        ElfWriter w(true);
        w.addSection(".text", SHT_PROGBITS, SHF_ALLOC, 0x8000, {0, 0, 0, 0});
        w.overrideHeader(ElfField{EI_DATA, 1}, data);
        auto file = loadModel(w.build());
        EXPECT_TRUE(file->bigEndian);
        EXPECT_EQ(file->header->e_shnum, 3);
    }
}

TEST(ElfSymbolTable, NoSymtabMeansNoSymbolsEvenWithDynsym)
{
    ElfWriter w = textImage();
    std::vector<uint8_t> dynsym(32, 0);
    w.addSection(".dynsym", SHT_DYNSYM, SHF_ALLOC, 0, dynsym, 0, 0, 16, 4);
    auto file = loadModel(w.build());
    EXPECT_TRUE(file->symbolsByName.empty());
    EXPECT_TRUE(file->otherSymbols.empty());
}

TEST(ElfSymbolTable, ZeroEntrySizeCountsSixteenByteEntries)
{
    ElfWriter w = textImage();
    w.addSymbol("main", 0x8000, 4, globalFunc, 0, 1);
    w.build();
    w.overrideSectionHeader(w.symtabIndex(), ELF_FIELD(Elf32_Shdr, sh_entsize), 0);
    auto file = loadModel(w.build());
    EXPECT_EQ(names(file->symbolsByName), (std::vector<std::string>{"main"}));
}

TEST(ElfSymbolTable, CountNeverReachesPastTheTable)
{
    ElfWriter w = textImage();
    w.addSymbol("main", 0x8000, 4, globalFunc, 0, 1);
    w.build();
    w.overrideSectionHeader(w.symtabIndex(), ELF_FIELD(Elf32_Shdr, sh_entsize), 1);
    auto file = loadModel(w.build());
    EXPECT_EQ(file->symbolsByName.size() + file->otherSymbols.size(), 2u);
}

TEST(ElfSymbolTable, SymtabWithoutStrtabHasOnlyNamelessSymbols)
{
    ElfWriter w = textImage();
    w.addSymbol("main", 0x8000, 4, globalFunc, 0, 1);
    w.build();
    w.overrideSectionHeader(w.strtabIndex(), ELF_FIELD(Elf32_Shdr, sh_name), 1);   // now ".text"-ish
    auto file = loadModel(w.build());
    EXPECT_EQ(file->stringTable, nullptr);
    EXPECT_TRUE(file->symbolsByName.empty());
    EXPECT_EQ(file->otherSymbols.size(), 2u);
}

TEST(ElfLoadErrors, StrtabOfWrongTypeIsNotAStringSection)
{
    ElfWriter w = textImage();
    w.addSymbol("main", 0x8000, 4, globalFunc, 0, 1);
    w.build();
    w.overrideSectionHeader(w.strtabIndex(), ELF_FIELD(Elf32_Shdr, sh_type), SHT_PROGBITS);
    EXPECT_EQ(loadError(w.build()), "not a string section");
}

TEST(ElfLoadErrors, SectionNameTableOfWrongTypeIsNotAStringSection)
{
    ElfWriter w = textImage();
    w.build();
    w.overrideSectionHeader(w.shstrtabIndex(), ELF_FIELD(Elf32_Shdr, sh_type), SHT_PROGBITS);
    EXPECT_EQ(loadError(w.build()), "not a string section");
}

TEST(ElfLoadErrors, TruncationsFromABuffer)
{
    std::vector<uint8_t> good = textImage().build();
    EXPECT_EQ(loadError(good), "");
    EXPECT_EQ(loadError(std::vector<uint8_t>(good.begin(), good.begin() + 51)), "truncated ELF file: ");
    EXPECT_EQ(loadError({}), "truncated ELF file: ");
    // Section header table cut by one byte.
    EXPECT_EQ(loadError(std::vector<uint8_t>(good.begin(), good.end() - 1)), "truncated ELF file: ");
}

TEST(ElfLoadErrors, ZeroSizeSectionAtImageEndFailsTheLoad)
{
    ElfWriter w = textImage();
    int empty = w.addSection(".empty", SHT_PROGBITS, SHF_ALLOC, 0, {});
    std::vector<uint8_t> bytes = w.build();
    w.overrideSectionHeader(empty, ELF_FIELD(Elf32_Shdr, sh_offset), uint32_t(bytes.size()));
    EXPECT_EQ(loadError(w.build()), "truncated ELF file: ");
    // One byte earlier it is fine.
    w.overrideSectionHeader(empty, ELF_FIELD(Elf32_Shdr, sh_offset), uint32_t(bytes.size() - 1));
    EXPECT_EQ(loadError(w.build()), "");
}

TEST(ElfLoadErrors, ContentsRunningPastTheEndFailTheLoad)
{
    ElfWriter w = textImage();
    std::vector<uint8_t> bytes = w.build();
    w.overrideSectionHeader(1, ELF_FIELD(Elf32_Shdr, sh_size), 0xFFFFFFF0);
    EXPECT_EQ(loadError(w.build()), "truncated ELF file: ");
}

TEST(ElfLoadErrors, ProgramTablePlacedAtTheEndFailsEvenWithoutEntries)
{
    ElfWriter w = textImage();
    std::vector<uint8_t> bytes = w.build();
    w.overrideHeader(ELF_FIELD(Elf32_Ehdr, e_phoff), uint32_t(bytes.size()));
    EXPECT_EQ(loadError(w.build()), "truncated ELF file: ");
}

TEST(ElfLoad, FileErrorsNameThePath)
{
    TempDir dir;
    ElfFile file(true, true);
    std::string missing = dir.file("missing.elf");
    try {
        file.load(QString::fromStdString(missing));
        FAIL();
    } catch (const HException& e) {
        EXPECT_EQ(std::string(e.what()), "cannot open " + missing);
    }
    std::string notElf = dir.write("text.elf", std::string("not an ELF image at all, but long enough for a header......"));
    try {
        file.load(QString::fromStdString(notElf));
        FAIL();
    } catch (const HException& e) {
        EXPECT_EQ(std::string(e.what()), "invalid ELF file: " + notElf);
    }
    std::string tiny = dir.write("tiny.elf", std::string("\x7f" "EL"));
    EXPECT_THROW(file.load(QString::fromStdString(tiny)), HException);

    std::vector<uint8_t> good = textImage().build();
    std::string cut = dir.write("cut.elf", std::vector<uint8_t>(good.begin(), good.begin() + 40));
    try {
        file.load(QString::fromStdString(cut));
        FAIL();
    } catch (const HException& e) {
        EXPECT_EQ(std::string(e.what()), "truncated ELF file: " + cut);
    }
}

TEST(ElfLoad, LoadReadsARealObjectAndCanBeRepeated)
{
    ElfFile file(true, true);
    for (int round = 0; round < 2; ++round) {
        file.load(QString::fromStdString(elfFixture("thumb-le.o")));
        EXPECT_EQ(toStd(file.path), elfFixture("thumb-le.o"));
        EXPECT_EQ(file.sections.size(), 21u);
        EXPECT_EQ(file.symbolsByName.size(), 6u);
        EXPECT_NE(file.getSection(QStringLiteral(".debug_info")), nullptr);
    }
}
