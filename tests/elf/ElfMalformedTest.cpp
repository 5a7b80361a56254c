// Damaged images: truncations at every structure boundary, every table field set to an
// extreme, tables overlapping each other and seeded random byte changes of real fixtures.
// The tool must end with status 0 or 1, say at most one "open error" line and never trip
// the sanitizers (the CI runs this under ASan+UBSan). Every image also goes through the
// model in-process, which is fast; the binary sees a sample, since each run starts a process.
#include "ElfTestSupport.h"

#include "common/HException.h"
#include "elf/ElfListings.h"

#include <random>
#include <set>

namespace {

void expectHandledByBinary(const std::vector<uint8_t>& image, const std::string& label)
{
    SCOPED_TRACE(label);
    RunResult r = runOnImage(image, {"-header", "-programs", "-sections", "-symbols", "-relocations"});
    ASSERT_TRUE(r.status == 0 || r.status == 1) << "status " << r.status << "\n" << r.err;
    EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << r.err;
    EXPECT_EQ(r.err, r.status == 0 ? "" : r.err.substr(0, r.err.find('\n') + 1)) << "one line only";
    if (r.status == 1) {
        EXPECT_EQ(r.err.rfind("open error ", 0), 0u) << r.err;
    }
}

// Loads and lists in-process and pokes the lookups; only HException may escape.
void expectHandledByModel(const std::vector<uint8_t>& image, uint32_t seed)
{
    static FILE* sink = fopen("/dev/null", "w");
    std::unique_ptr<ElfFile> file;
    try {
        file = loadModel(image);
    } catch (const HException&) {
        return;
    }
    printElfHeader(*file, sink);
    for (const ElfProgram* program : file->programs)
        printProgramHeader(*program, sink);
    for (const ElfSection* section : file->sections)
        section->print(sink);
    printSymbols(*file, sink);
    printRelocations(*file, sink);
    std::mt19937 random(seed);
    for (int i = 0; i < 8; ++i) {
        std::vector<ElfSymbol*> found;
        file->symbolsAt(random(), found);
        if (uint8_t* bytes = file->peekBytes(random() & 0xFFFFFF, 4, i & 1))
            (void)*(volatile uint8_t*)(bytes + 3);
    }
    for (const ElfSection* section : file->sections)
        if (section->availableSize())
            (void)*(volatile uint8_t*)(section->data + section->availableSize() - 1);
}

// Runs every variant through the model and every `sample`-th one through the binary.
template <typename Variants>
void expectAllHandled(const Variants& variants, size_t sample, const std::string& name)
{
    size_t i = 0;
    for (const auto& [label, bytes] : variants) {
        expectHandledByModel(bytes, uint32_t(i));
        if (i++ % sample == 0)
            expectHandledByBinary(bytes, name + " " + label);
    }
}

// File regions [start, end) of the ELF header, both header tables, the symbol table and
// the relocation sections: the bytes whose damage matters most.
std::vector<std::pair<uint32_t, uint32_t>> tableRegions(const ElfFile& file)
{
    const ElfHeader* h = file.header;
    std::vector<std::pair<uint32_t, uint32_t>> regions = {{0, 52}, {uint32_t(h->e_shoff), h->e_shoff + h->e_shnum * 40u}};
    if (h->e_phnum)
        regions.push_back({uint32_t(h->e_phoff), h->e_phoff + h->e_phnum * 32u});
    for (const ElfSection* section : file.sections)
        if (section->header->sh_type == SHT_SYMTAB || section->header->sh_type == SHT_REL)
            regions.push_back({uint32_t(section->header->sh_offset), section->header->sh_offset + section->header->sh_size});
    return regions;
}

void writeField(std::vector<uint8_t>& bytes, size_t offset, size_t size, uint32_t value, bool bigEndian)
{
    for (size_t i = 0; i < size; ++i)
        bytes[offset + i] = uint8_t(value >> (bigEndian ? (size - 1 - i) * 8 : i * 8));
}

using Variants = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

// Cuts one byte before, at and after the start of every structure and section.
Variants truncations(const std::vector<uint8_t>& good, const ElfFile& file)
{
    std::set<uint32_t> cuts = {1, 4, 16, 51, 52};
    for (const auto& [start, end] : tableRegions(file))
        for (uint32_t at = start; at <= end; at += 8)   // every symbol entry, relocation and header
            cuts.insert(at);
    for (const ElfSection* section : file.sections)
        cuts.insert({uint32_t(section->header->sh_offset), section->header->sh_offset + section->header->sh_size});
    Variants variants;
    for (uint32_t cut : cuts)
        for (uint32_t near : {cut - 1, cut, cut + 1})
            if (near < good.size())
                variants.emplace_back("cut at " + std::to_string(near),
                                      std::vector<uint8_t>(good.begin(), good.begin() + near));
    return variants;
}

// Every aligned 16- and 32-bit word of the tables set to an extreme value in turn.
Variants extremeFields(const std::vector<uint8_t>& good, const ElfFile& file)
{
    uint32_t length = uint32_t(good.size());
    Variants variants;
    for (const auto& [start, end] : tableRegions(file)) {
        for (uint32_t at = start; at + 2 <= end && at + 2 <= length; at += 2) {
            for (uint32_t value : {0u, 1u, 2u, 3u, 8u, 9u, 0x7FFFu, length - 1, length, 0x7FFFFFFFu, 0xFFFFFFF0u,
                                   0xFFFFFFFFu}) {
                size_t size = at % 4 == 0 && at + 4 <= length ? 4 : 2;
                std::vector<uint8_t> bytes = good;
                writeField(bytes, at, size, value, file.bigEndian);
                variants.emplace_back("offset " + std::to_string(at) + " = " + std::to_string(value), bytes);
            }
        }
    }
    return variants;
}

// 1 to 8 bytes replaced; half of the changes hit the tables.
Variants byteChanges(const std::vector<uint8_t>& good, const ElfFile& file, int count, uint32_t seed)
{
    std::vector<std::pair<uint32_t, uint32_t>> regions = tableRegions(file);
    std::mt19937 random(seed);
    Variants variants;
    for (int i = 0; i < count; ++i) {
        std::vector<uint8_t> bytes = good;
        for (int c = 0, changes = 1 + int(random() % 8); c < changes; ++c) {
            auto [start, end] = regions[random() % regions.size()];
            uint32_t at = random() & 1 ? start + random() % (end - start) : random() % bytes.size();
            bytes[at % bytes.size()] = uint8_t(random());
        }
        variants.emplace_back("variant " + std::to_string(i), bytes);
    }
    return variants;
}

class ElfMalformedImages : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        good = readFileBytes(elfFixture(GetParam()));
        ASSERT_FALSE(good.empty());
        file = loadModel(good);
    }
    std::vector<uint8_t> good;
    std::unique_ptr<ElfFile> file;
};

} // namespace

TEST_P(ElfMalformedImages, TruncatedAtStructureBoundaries)
{
    expectAllHandled(truncations(good, *file), 12, GetParam());
}

TEST_P(ElfMalformedImages, ExtremeTableFields)
{
    expectAllHandled(extremeFields(good, *file), 200, GetParam());
}

TEST_P(ElfMalformedImages, RandomByteChangesWithFixedSeed)
{
    expectAllHandled(byteChanges(good, *file, 2000, 20261205), 50, GetParam());
}

// The section table over the symbol table and the program table over the ELF header:
// converting one table rewrites fields of the other after they were read.
TEST_P(ElfMalformedImages, TablesOverlappingEachOther)
{
    const ElfSection* symtab = file->getSection(QStringLiteral(".symtab"));
    ASSERT_NE(symtab, nullptr);
    Variants variants;
    for (uint32_t shift : {0u, 4u, 12u}) {
        std::vector<uint8_t> bytes = good;
        writeField(bytes, offsetof(Elf32_Ehdr, e_shoff), 4, symtab->header->sh_offset + shift, file->bigEndian);
        variants.emplace_back("e_shoff over .symtab", bytes);
        bytes = good;
        writeField(bytes, offsetof(Elf32_Ehdr, e_phoff), 4, shift, file->bigEndian);
        writeField(bytes, offsetof(Elf32_Ehdr, e_phnum), 2, 3, file->bigEndian);
        variants.emplace_back("e_phoff over the header", bytes);
    }
    expectAllHandled(variants, 1, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ElfMalformedImages, testing::Values("app-le.elf", "thumb-be.o"), fixtureTestName);

TEST(ElfMalformedFiles, TinyAndEmptyFiles)
{
    Variants variants;
    for (size_t size : {0, 1, 4, 51, 52, 53}) {
        std::vector<uint8_t> bytes(size, 0);
        if (size >= 4)
            memcpy(bytes.data(), "\x7f" "ELF", 4);
        variants.emplace_back("size " + std::to_string(size), bytes);
    }
    expectAllHandled(variants, 1, "tiny");
}

// The dump sequence builds the model from a buffer, which has no path to name.
TEST(ElfMalformedFiles, TruncationReportsATruncatedFile)
{
    std::vector<uint8_t> good = readFileBytes(elfFixture("arm-le.o"));
    for (size_t cut : {size_t(52), good.size() / 2, good.size() - 1}) {
        RunResult r = runOnImage(std::vector<uint8_t>(good.begin(), good.begin() + cut), {"-header"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "open error truncated ELF file: \n");
        EXPECT_EQ(r.out, "");
    }
}
