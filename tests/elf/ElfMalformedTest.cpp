// Damaged images: truncations at every structure boundary, impossible offsets and counts,
// and random byte changes of real fixtures (fixed seed). The tool must end with status 0
// or 1, say at most one "open error" line, and never trip the sanitizers (the CI runs this
// under ASan+UBSan). The same images also go through the model in-process, so that more of
// them can be tried quickly.
#include "ElfTestSupport.h"

#include "common/HException.h"
#include "elf/ElfListings.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

const std::vector<std::string> allListings = {"-header", "-programs", "-sections", "-symbols", "-relocations"};

void expectHandledByBinary(const std::vector<uint8_t>& image, const std::string& label)
{
    RunResult r = runOnImage(image, allListings);
    SCOPED_TRACE(label);
    ASSERT_TRUE(r.status == 0 || r.status == 1) << "status " << r.status << "\n" << r.err;
    EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << r.err;
    if (r.status == 0) {
        EXPECT_EQ(r.err, "");
    } else {
        EXPECT_EQ(r.err.rfind("open error ", 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

// Loads and lists in-process, and pokes the address lookups; only HException may escape.
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
        uint32_t address = random();
        std::vector<ElfSymbol*> found;
        file->symbolsAt(address, found);
        if (uint8_t* bytes = file->peekBytes(address & 0xFFFFFF, 4, i & 1))
            (void)*(volatile uint8_t*)(bytes + 3);
    }
    for (const ElfSection* section : file->sections)
        if (section->availableSize())
            (void)*(volatile uint8_t*)(section->data + section->availableSize() - 1);
}

std::vector<uint8_t> fixtureBytes(const std::string& name)
{
    std::vector<uint8_t> bytes = readFileBytes(elfFixture(name));
    EXPECT_FALSE(bytes.empty()) << name;
    return bytes;
}

// File offsets where one structure of the image starts or ends.
std::set<uint32_t> structureBoundaries(const std::vector<uint8_t>& bytes)
{
    auto file = loadModel(bytes);
    std::set<uint32_t> cuts = {0, 1, 4, 16, 51, 52};
    const ElfHeader* h = file->header;
    for (uint32_t i = 0; i <= h->e_phnum; ++i)
        cuts.insert(h->e_phoff + i * 32);
    for (uint32_t i = 0; i <= h->e_shnum; ++i)
        cuts.insert(h->e_shoff + i * 40);
    for (const ElfProgram* program : file->programs) {
        cuts.insert(program->header->p_offset);
        cuts.insert(program->header->p_offset + program->header->p_filesz);
    }
    for (const ElfSection* section : file->sections) {
        if (!section->data)
            continue;
        cuts.insert(section->header->sh_offset);
        cuts.insert(section->header->sh_offset + section->header->sh_size);
        if (section->header->sh_type == SHT_SYMTAB)   // every symbol entry
            for (uint32_t at = 0; at < section->header->sh_size; at += 16)
                cuts.insert(section->header->sh_offset + at);
    }
    std::set<uint32_t> result;
    for (uint32_t cut : cuts)
        for (uint32_t near : {cut - 1, cut, cut + 1})
            if (near < bytes.size())
                result.insert(near);
    return result;
}

void writeField(std::vector<uint8_t>& bytes, size_t offset, size_t size, uint32_t value, bool bigEndian)
{
    if (offset + size > bytes.size())
        return;
    for (size_t i = 0; i < size; ++i) {
        size_t shift = bigEndian ? (size - 1 - i) * 8 : i * 8;
        bytes[offset + i] = uint8_t(value >> shift);
    }
}

// Variants of a good image with one header, table or symbol field set to an extreme.
std::vector<std::pair<std::string, std::vector<uint8_t>>> fieldDamage(const std::vector<uint8_t>& good)
{
    std::vector<std::pair<std::string, std::vector<uint8_t>>> variants;
    auto file = loadModel(good);
    bool big = file->bigEndian;
    uint32_t length = uint32_t(good.size());
    const uint32_t extremes[] = {0, 1, length - 1, length, 0x7FFFFFFF, 0xFFFFFFF0, 0xFFFFFFFF};
    auto add = [&](const std::string& label, size_t offset, size_t size, uint32_t value) {
        std::vector<uint8_t> bytes = good;
        writeField(bytes, offset, size, value, big);
        variants.emplace_back(label + "=" + std::to_string(value), bytes);
    };
    for (uint32_t value : extremes) {
        add("e_phoff", offsetof(Elf32_Ehdr, e_phoff), 4, value);
        add("e_shoff", offsetof(Elf32_Ehdr, e_shoff), 4, value);
    }
    for (uint32_t value : {0u, 1u, 2u, 0x7FFFu, 0xFFFFu}) {
        add("e_phnum", offsetof(Elf32_Ehdr, e_phnum), 2, value);
        add("e_shnum", offsetof(Elf32_Ehdr, e_shnum), 2, value);
        add("e_shstrndx", offsetof(Elf32_Ehdr, e_shstrndx), 2, value);
    }
    uint32_t shoff = file->header->e_shoff;
    for (size_t i = 0; i < file->sections.size(); ++i) {
        std::string section = "section " + std::to_string(i) + " ";
        size_t base = shoff + i * 40;
        for (uint32_t value : {length, 0xFFFFFFF0u, 0xFFFFFFFFu})
            add(section + "sh_name", base + offsetof(Elf32_Shdr, sh_name), 4, value);
        for (uint32_t value : {length - 1, length, 0xFFFFFFFFu})
            add(section + "sh_offset", base + offsetof(Elf32_Shdr, sh_offset), 4, value);
        for (uint32_t value : {0u, length, 0xFFFFFFFFu})
            add(section + "sh_size", base + offsetof(Elf32_Shdr, sh_size), 4, value);
        for (uint32_t value : {0u, 1u, 3u, 0xFFFFFFFFu})
            add(section + "sh_entsize", base + offsetof(Elf32_Shdr, sh_entsize), 4, value);
        for (uint32_t value : {uint32_t(SHT_PROGBITS), uint32_t(SHT_NOBITS), uint32_t(SHT_REL), uint32_t(SHT_STRTAB)})
            add(section + "sh_type", base + offsetof(Elf32_Shdr, sh_type), 4, value);
        for (uint32_t value : {0u, 0xFFFFu, 0xFFFFFFFFu})
            add(section + "sh_info", base + offsetof(Elf32_Shdr, sh_info), 4, value);
    }
    for (size_t i = 0; i < file->programs.size(); ++i) {
        size_t base = file->header->e_phoff + i * 32;
        for (uint32_t value : {length, 0xFFFFFFFFu}) {
            add("p_offset", base + offsetof(Elf32_Phdr, p_offset), 4, value);
            add("p_filesz", base + offsetof(Elf32_Phdr, p_filesz), 4, value);
            add("p_vaddr", base + offsetof(Elf32_Phdr, p_vaddr), 4, value);
        }
    }
    if (const ElfSection* symtab = file->getSection(QStringLiteral(".symtab"))) {
        for (uint32_t at = 0; at + 16 <= symtab->header->sh_size; at += 16) {
            size_t base = symtab->header->sh_offset + at;
            add("st_name " + std::to_string(at / 16), base + offsetof(Elf32_Sym, st_name), 4, 0xFFFFFFFF);
            add("st_shndx " + std::to_string(at / 16), base + offsetof(Elf32_Sym, st_shndx), 2, 0xFFFF);
        }
    }
    for (const ElfSection* section : file->sections) {
        if (section->header->sh_type != SHT_REL || !section->data)
            continue;
        for (uint32_t at = 0; at + 8 <= section->header->sh_size; at += 8)
            add("r_info", section->header->sh_offset + at + 4, 4, 0xFFFFFF02);
    }
    return variants;
}

// `count` copies of `good` with 1 to 8 bytes replaced; half of the changes hit the ELF
// header and the tables, where they matter most.
std::vector<std::vector<uint8_t>> byteFlips(const std::vector<uint8_t>& good, int count, uint32_t seed)
{
    auto file = loadModel(good);
    std::vector<std::pair<uint32_t, uint32_t>> tables = {{0, 52}};
    tables.push_back({uint32_t(file->header->e_shoff), file->header->e_shnum * 40u});
    if (file->header->e_phnum)
        tables.push_back({uint32_t(file->header->e_phoff), file->header->e_phnum * 32u});
    if (const ElfSection* symtab = file->getSection(QStringLiteral(".symtab")))
        tables.push_back({uint32_t(symtab->header->sh_offset), uint32_t(symtab->header->sh_size)});

    std::mt19937 random(seed);
    std::vector<std::vector<uint8_t>> variants;
    for (int i = 0; i < count; ++i) {
        std::vector<uint8_t> bytes = good;
        int changes = 1 + int(random() % 8);
        for (int c = 0; c < changes; ++c) {
            uint32_t at;
            if (random() & 1) {
                auto table = tables[random() % tables.size()];
                at = table.first + random() % table.second;
            } else {
                at = random() % bytes.size();
            }
            bytes[at] = uint8_t(random());
        }
        variants.push_back(bytes);
    }
    return variants;
}

const char* const damagedFixtures[] = {"app-le.elf", "thumb-be.o"};

} // namespace

TEST(ElfMalformedImages, TruncatedAtEveryStructureBoundary)
{
    for (const char* name : damagedFixtures) {
        std::vector<uint8_t> good = fixtureBytes(name);
        int count = 0;
        for (uint32_t cut : structureBoundaries(good)) {
            std::vector<uint8_t> bytes(good.begin(), good.begin() + cut);
            expectHandledByModel(bytes, cut);
            // The binary sees a sample: every run costs a process start.
            if (count++ % 8 == 0)
                expectHandledByBinary(bytes, std::string(name) + " cut at " + std::to_string(cut));
        }
    }
}

// The dump sequence builds the model from a buffer, which has no path to name.
TEST(ElfMalformedImages, TruncationReportsATruncatedFile)
{
    std::vector<uint8_t> good = fixtureBytes("arm-le.o");
    for (uint32_t cut : {52u, uint32_t(good.size() / 2), uint32_t(good.size() - 1)}) {
        std::vector<uint8_t> bytes(good.begin(), good.begin() + cut);
        std::string path = writeTempFile(bytes, ".o");
        RunResult r = runMorvane({"-header", path});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "open error truncated ELF file: \n");
        EXPECT_EQ(r.out, "");
    }
}

TEST(ElfMalformedImages, ExtremeOffsetsSizesAndCounts)
{
    for (const char* name : damagedFixtures) {
        std::vector<uint8_t> good = fixtureBytes(name);
        uint32_t seed = 1;
        for (const auto& [label, bytes] : fieldDamage(good)) {
            expectHandledByModel(bytes, seed++);
            if (seed % 16 == 0)
                expectHandledByBinary(bytes, std::string(name) + " " + label);
        }
    }
}

TEST(ElfMalformedImages, RandomByteChangesWithFixedSeed)
{
    uint32_t seed = 20261205;
    for (const char* name : damagedFixtures) {
        std::vector<uint8_t> good = fixtureBytes(name);
        std::vector<std::vector<uint8_t>> variants = byteFlips(good, 2000, seed++);
        for (size_t i = 0; i < variants.size(); ++i) {
            expectHandledByModel(variants[i], uint32_t(i));
            if (i % 50 == 0)
                expectHandledByBinary(variants[i], std::string(name) + " variant " + std::to_string(i));
        }
    }
}

TEST(ElfMalformedImages, TinyAndEmptyFiles)
{
    for (size_t size : {0, 1, 4, 51, 52, 53}) {
        std::vector<uint8_t> bytes(size, 0);
        if (size >= 4)
            memcpy(bytes.data(), "\x7f" "ELF", 4);
        expectHandledByModel(bytes, 0);
        expectHandledByBinary(bytes, "size " + std::to_string(size));
    }
}

TEST(ElfMalformedImages, TablesOverlappingEachOther)
{
    // The section table placed over the symbol table (and the program table over the ELF
    // header): converting one table rewrites fields of the other after they were read.
    for (const char* name : damagedFixtures) {
        std::vector<uint8_t> good = fixtureBytes(name);
        auto file = loadModel(good);
        const ElfSection* symtab = file->getSection(QStringLiteral(".symtab"));
        ASSERT_NE(symtab, nullptr);
        for (uint32_t shift : {0u, 4u, 12u}) {
            std::vector<uint8_t> bytes = good;
            writeField(bytes, offsetof(Elf32_Ehdr, e_shoff), 4, symtab->header->sh_offset + shift, file->bigEndian);
            expectHandledByModel(bytes, shift);
            expectHandledByBinary(bytes, std::string(name) + " shoff over symtab");
            bytes = good;
            writeField(bytes, offsetof(Elf32_Ehdr, e_phoff), 4, shift, file->bigEndian);
            writeField(bytes, offsetof(Elf32_Ehdr, e_phnum), 2, 3, file->bigEndian);
            expectHandledByModel(bytes, shift);
            expectHandledByBinary(bytes, std::string(name) + " phoff over header");
        }
    }
}
