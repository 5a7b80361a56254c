// -cmp: every message, in both byte orders, a second file that is no ELF image, and
// archives whose members are each compared with the same second file.
#include "support/ElfWriter.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

struct Code {
    std::string name = ".text";
    uint32_t type = SHT_PROGBITS;   // of the .text namesake
    uint32_t address = 0x8000;
    std::vector<uint16_t> text = {0x2001, 0x4770, 0xbf00, 0xbf00, 0x2002, 0x4770};
    std::string odd = "1234567", tiny = "t";
    uint32_t data = 7;
    bool extra = false;   // a code section that only the second image has
};

std::vector<uint8_t> codeImage(const Code& c, bool bigEndian = false)
{
    ElfWriter w(bigEndian);
    w.addSection(c.name, c.type, SHF_ALLOC | SHF_EXECINSTR, c.address, w.words16(c.text));
    w.addSection(".text.odd", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8100, {c.odd.begin(), c.odd.end()});
    w.addSection(".text.tiny", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8200, {c.tiny.begin(), c.tiny.end()});
    w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0x9000, w.words32({c.data}));
    w.addSection(".bss", SHT_NOBITS, SHF_ALLOC | SHF_EXECINSTR, 0x9100, std::vector<uint8_t>(c.data));
    if (c.extra)
        w.addSection(".text.extra", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x9200, w.words16({1}));
    w.addSection(".ARM.attributes", SHT_ARM_ATTRIBUTES, 0, 0, {'A', 13, 0, 0, 0, 'a', 'e', 'a', 'b', 'i', 0, 6, 10});
    return w.build();
}

} // namespace

// The second image is the first with one change; the run goes on after a comparison that
// finds nothing.
TEST(SectionComparison, MessagesInBothByteOrders)
{
    const std::string at = "section .text different contents at address 0x", odd = "section .text.odd different "
                           "contents at address 0x";
    const struct { std::function<void(Code&)> change; std::string messages; } cases[] = {
        {[](Code&) {}, ""},
        {[](Code& c) { c.data = 8; c.extra = true; }, ""},
        {[](Code& c) { c.name = ".text.second"; }, "section .text not found\n"},
        {[](Code& c) { c.address = 0x8002; }, "section .text different start addresses\n"},
        {[](Code& c) { c.text.push_back(0); }, "section .text different lengths 12 vs 14\n"},
        {[](Code& c) { c.text.pop_back(); }, "section .text different lengths 12 vs 10\n"},
        {[](Code& c) { c.text[3] = 0xbf10; }, at + "6\n"},
        {[](Code& c) { c.text[0] ^= 0x100; c.text[5] ^= 1; c.odd[0] = '0'; }, at + "0\n" + at + "a\n"},
        {[](Code& c) { c.odd[3] = '0'; }, odd + "2\n"},
        {[](Code& c) { c.odd[6] = '0'; }, odd + "6\n"},
        {[](Code& c) { c.tiny = "u"; }, "section .text.tiny different contents at address 0x0\n"},
        {[](Code& c) { c.type = SHT_NOBITS; },
         at + "0\n" + at + "2\n" + at + "4\n" + at + "6\n" + at + "8\n" + at + "a\n"},
    };
    for (bool bigEndian : {false, true})
        for (const auto& c : cases) {
            SCOPED_TRACE(c.messages + (bigEndian ? " big-endian" : " little-endian"));
            Code second;
            c.change(second);
            std::string path = writeTempFile(codeImage(Code(), bigEndian));
            RunResult r = runMorvane({"-cmp", writeTempFile(codeImage(second, bigEndian)), "-ARMAttributes", path});
            EXPECT_EQ(r.err, c.messages);
            EXPECT_EQ(r.status, c.messages.empty() ? 0 : 1);
            EXPECT_EQ(r.out, c.messages.empty() ? "Tag_CPU_arch ARM v7\n" : "");
        }
}

// Every archive member is compared with the same second file until one differs; a second
// file that is no image, or none at all, is a load error.
TEST(SectionComparison, ArchiveMembersAndSecondFilesThatAreNoImage)
{
    Code changed;
    changed.text[1] = 0;
    ArWriter ar;
    ar.addMember("same.o", codeImage(Code()));
    ar.addMember("changed.o", codeImage(changed));
    ar.addMember("late.o", codeImage(Code()));
    TempDir dir;
    dir.write("lib.a", ar.build());
    dir.write("second.elf", codeImage(Code()));
    dir.write("text", "text\n");
    const struct { std::string second, out, err; } cases[] = {
        {"second.elf", "File: lib.a(same.o)\nFile: lib.a(changed.o)\n",
         "section .text different contents at address 0x2\n"},
        {"text", "File: lib.a(same.o)\n", "open error invalid ELF file: text\n"},
        {"missing", "File: lib.a(same.o)\n", "open error cannot open missing\n"},
    };
    for (const auto& c : cases) {
        RunResult r = runMorvane({"-cmp", c.second, "lib.a"}, dir.path());
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
}
