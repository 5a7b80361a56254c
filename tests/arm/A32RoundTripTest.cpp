// Assemble -> disassemble -> re-assemble: A32 sources in tests/data/arm are assembled with
// the GNU assembler, listed by morvane (object and linked image, both syntaxes), the
// listing is assembled again and the code bytes must be identical.
//
// Encodings that cannot come back byte for byte, and so are kept out of the sources:
// - a zero offset with U clear ([r1, #-0] with a base other than pc) and a post-indexed
//   zero offset print as "[r1]", which assembles with U set and pre-indexing;
// - LDM/STM of a single register on sp with writeback print as "pop {r4}"/"push {r4}",
//   which the assembler encodes as LDR/STR;
// - ISB with an option other than sy prints "isb" alone;
// - ADR whose target has no symbol prints an address the assembler cannot reach from
//   another section offset in an object file;
// - words that are not instructions ("undefined opcode").
// In legacy syntax the Thumb "nop" becomes "mov r8, r8", so the sources hold no Thumb nop.
#include "support/RunMorvane.h"
#include <gtest/gtest.h>
#include <cctype>
#include <cstdlib>
#include <ostream>
#include <string>

namespace {

struct Variant {
    const char* source;       // in tests/data/arm
    const char* march;        // for arm-none-eabi-as
    const char* arch;         // morvane -arch value, or "" for none
    const char* prologue;     // lines put before the listing (the listing names no architecture)
    int syntaxes = 3;         // 1 unified, 2 legacy, 3 both
};

const char* const v7Extensions =
    "\t.arch_extension idiv\n\t.arch_extension virt\n\t.arch_extension sec\n"
    "\t.arch_extension mp\n";

const Variant variants[] = {
    {"a32_v7.s", "armv7-a", "", v7Extensions},
    {"a32_v7.s", "armv7-a", "v7A", v7Extensions},
    {"a32_v6.s", "armv6k", "v6", ""},
    {"a32_v5te.s", "armv5te", "v5TE", ""},
    {"a32_v4t.s", "armv4t", "v4T", ""},
    // Advanced SIMD decodes on every level from v5TE on.
    {"simd_neon.s", "armv7-a", "v7A", "\t.fpu neon-vfpv4\n"},
    {"simd_neon.s", "armv7-a", "v5TE", "\t.fpu neon-vfpv4\n"},
    {"simd_armv8.s", "armv8-a", "", "\t.fpu crypto-neon-fp-armv8\n"},
    {"vfp_v7.s", "armv7-a -mfpu=vfpv4", "v7A", ""},
    {"vfp_unified.s", "armv7-a -mfpu=vfpv4", "", "", 1},
    {"vfp_legacy.s", "armv7-a -mfpu=vfpv4", "v5TE", "", 2},
    {"vfp_scalar.s", "armv7-a -mfpu=neon-vfpv4", "v7A", ""},
    {"vfp_v8.s", "armv8-a -mfpu=fp-armv8", "", ""},
};

bool run(const std::string& command)
{
    return std::system((command + " > /dev/null 2>&1").c_str()) == 0;
}

// The .text bytes of an object or image.
std::string textBytes(const TempDir& dir, const std::string& file)
{
    const std::string bin = file + ".bin";
    if (!run("arm-none-eabi-objcopy -O binary -j .text " + dir.file(file) + " " + dir.file(bin)))
        return "objcopy failed on " + file;
    return readFileText(dir.file(bin));
}

// Lists `input`, re-assembles the listing (and links it like the original when `link`),
// and returns the re-assembled code bytes; `listing` receives morvane's text.
std::string reassemble(const TempDir& dir, const Variant& variant, const std::string& input,
                       bool unified, bool link, std::string& listing)
{
    std::vector<std::string> args = {"-disassemble"};
    if (unified)
        args.push_back("-ual");
    if (*variant.arch) {
        args.push_back("-arch");
        args.push_back(variant.arch);
    }
    args.push_back(dir.file(input));
    RunResult r = runMorvane(args);
    listing = r.out;
    if (r.status != 0)
        return "morvane failed: " + r.err;
    const std::string stem = input + (unified ? ".ual" : ".legacy");
    dir.write(stem + ".s", std::string(variant.prologue) + r.out);
    if (!run(std::string("arm-none-eabi-as -march=") + variant.march + " " + dir.file(stem + ".s")
             + " -o " + dir.file(stem + ".o")))
        return "re-assembly failed";
    if (!link)
        return textBytes(dir, stem + ".o");
    if (!run("arm-none-eabi-ld -Ttext=0x8000 -e 0x8000 " + dir.file(stem + ".o") + " -o "
             + dir.file(stem + ".elf")))
        return "re-link failed";
    return textBytes(dir, stem + ".elf");
}

// Index of the first differing 32-bit word, as text for the failure message.
std::string firstDifference(const std::string& a, const std::string& b)
{
    for (size_t n = 0; n < a.size() && n < b.size(); ++n)
        if (a[n] != b[n])
            return "word at offset " + std::to_string(n & ~size_t(3));
    return a.size() == b.size() ? "none" : "sizes " + std::to_string(a.size()) + " and "
                                               + std::to_string(b.size());
}

void PrintTo(const Variant& variant, std::ostream* os)
{
    *os << variant.source << " -march=" << variant.march << " -arch " << variant.arch;
}

class A32RoundTrip : public ::testing::TestWithParam<Variant> {};

} // namespace

TEST_P(A32RoundTrip, ObjectAndLinkedImageInBothSyntaxes)
{
    const Variant& variant = GetParam();
    TempDir dir;
    const std::string source = std::string(MORVANE_TEST_DATA) + "/arm/" + variant.source;
    ASSERT_TRUE(run(std::string("arm-none-eabi-as -march=") + variant.march + " " + source
                    + " -o " + dir.file("orig.o")));
    ASSERT_TRUE(run("arm-none-eabi-ld -Ttext=0x8000 -e 0x8000 " + dir.file("orig.o") + " -o "
                    + dir.file("orig.elf")));
    for (const char* input : {"orig.o", "orig.elf"}) {
        const std::string original = textBytes(dir, input);
        ASSERT_GT(original.size(), 100u);
        for (bool unified : {true, false}) {
            if (!(variant.syntaxes & (unified ? 1 : 2)))
                continue;
            std::string listing;
            const std::string again = reassemble(dir, variant, input, unified,
                                                 std::string(input) == "orig.elf", listing);
            EXPECT_EQ(listing.find("undefined opcode"), std::string::npos) << input;
            EXPECT_TRUE(again == original)
                << input << (unified ? " unified: " : " legacy: ") << again.substr(0, 80)
                << " first difference: " << firstDifference(original, again);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, A32RoundTrip, ::testing::ValuesIn(variants),
                         [](const ::testing::TestParamInfo<Variant>& info) {
                             std::string name = std::string(info.param.source) + "_"
                                                + info.param.march + "_"
                                                + (*info.param.arch ? info.param.arch : "none");
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });
