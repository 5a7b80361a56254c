// Assemble -> disassemble -> re-assemble round trips of Thumb-2 sources: each source in
// tests/data/thumb is assembled and linked for an architecture, listed by morvane with
// -ual and the matching -arch, and the listing is assembled and linked again; the two
// .text sections must be identical byte for byte.
//
// Lines that cannot round trip are replaced by their original bytes before
// re-assembly; each kind is listed below with the reason.
#include "support/RunMorvane.h"
#include <gtest/gtest.h>
#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Listing texts that do not assemble back to their bytes by design: a line starting with
// `start` and containing `part`.
struct Exception {
    const char* start;
    const char* part;
    const char* reason;
};
const Exception kExceptions[] = {
    {"undefined opcode", "", "the decoder's text for an undecodable halfword, not an instruction"},
    {"vmov", ", #", "the VFP immediate move prints its encoded 8-bit value; unified syntax "
                    "reads a floating-point value there"},
    {"fcmp", ", #0", "the legacy compare-with-zero names take no second operand"},
};

struct Shell {
    std::string out;
    int status;
};

Shell shell(const std::string& command)
{
    Shell result{"", -1};
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), n);
    result.status = pclose(pipe);
    return result;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream data;
    data << in.rdbuf();
    return data.str();
}

// Assembles and links `source` at 0x8000; returns the linked image's path or "".
std::string build(const TempDir& dir, const std::string& source, const std::string& march,
                  const std::string& fpu, const std::string& name, std::string& log)
{
    const std::string object = dir.file(name + ".o");
    const std::string image = dir.file(name + ".elf");
    Shell as = shell("arm-none-eabi-as -march=" + march + (fpu.empty() ? "" : " -mfpu=" + fpu)
                     + " -mthumb '" + source + "' -o '" + object + "'");
    Shell ld = shell("arm-none-eabi-ld -Ttext=0x8000 -e 0 '" + object + "' -o '" + image + "'");
    Shell bin = shell("arm-none-eabi-objcopy -O binary -j .text '" + image + "' '" + image +
                      ".bin'");
    log += as.out + ld.out + bin.out;
    return as.status == 0 && ld.status == 0 && bin.status == 0 ? image : "";
}

// [start, end) ranges of .text that the assembler's $d mapping symbols mark as data.
std::vector<std::pair<uint32_t, uint32_t>> dataRanges(const std::string& image, uint32_t end)
{
    std::vector<std::pair<uint32_t, char>> marks;
    std::istringstream lines(shell("arm-none-eabi-nm --special-syms -n '" + image + "'").out);
    std::string address, type, name;
    while (lines >> address >> type >> name)
        if (name.size() >= 2 && name[0] == '$' && (name[1] == 'd' || name[1] == 't'))
            marks.push_back({uint32_t(std::stoul(address, nullptr, 16)), name[1]});
    std::vector<std::pair<uint32_t, uint32_t>> ranges;
    for (size_t i = 0; i < marks.size(); ++i)
        if (marks[i].second == 'd')
            ranges.push_back({marks[i].first, i + 1 < marks.size() ? marks[i + 1].first : end});
    return ranges;
}

std::string bytesDirective(const std::string& text, size_t offset, size_t size)
{
    char item[8];
    std::string line = "\t.byte ";
    for (size_t i = 0; i < size; ++i) {
        snprintf(item, sizeof item, "%s0x%02X", i ? ", " : "", uint8_t(text[offset + i]));
        line += item;
    }
    return line;
}

// The original instruction as .inst, which the assembler counts as an instruction of an
// IT block (.byte would end the block).
std::string instDirective(const std::string& text, size_t offset, size_t size)
{
    auto half = [&](size_t at) { return uint8_t(text[at]) | uint8_t(text[at + 1]) << 8; };
    char line[40];
    if (size == 4)
        snprintf(line, sizeof line, "\t.inst.w 0x%04X%04X", half(offset), half(offset + 2));
    else
        snprintf(line, sizeof line, "\t.inst.n 0x%04X", half(offset));
    return line;
}

// The listing with data and exception lines replaced by the original bytes. Instruction
// sizes come from the original halfwords, the same rule the decoder uses.
std::string reassemblable(const std::string& listing, const std::string& text,
                          const std::vector<std::pair<uint32_t, uint32_t>>& data,
                          std::vector<std::string>& lineAt)
{
    std::istringstream lines(listing);
    std::string line, result;
    size_t offset = 0;
    lineAt.assign(text.size(), "");
    while (std::getline(lines, line)) {
        const bool instruction = line.size() > 1 && line[0] == '\t' && line[1] != '.';
        if (!instruction || offset + 2 > text.size()) {
            result += line + "\n";
            continue;
        }
        const uint16_t first = uint8_t(text[offset]) | uint8_t(text[offset + 1]) << 8;
        const size_t size = (first >> 11) >= 0x1D ? 4 : 2;
        const uint32_t address = 0x8000 + offset;
        bool isData = false, isException = false;
        for (const auto& range : data)
            isData |= range.first < address + size && address < range.second;
        for (const Exception& exception : kExceptions)
            isException |= line.compare(1, strlen(exception.start), exception.start) == 0 &&
                           line.find(exception.part) != std::string::npos;
        if (isData)
            result += bytesDirective(text, offset, size) + "\n";
        else if (isException)
            result += instDirective(text, offset, size) + "\n";
        else
            result += line + "\n";
        for (size_t i = 0; i < size && offset + i < text.size(); ++i)
            lineAt[offset + i] = line;
        offset += size;
    }
    return result;
}

void roundTrip(const std::string& sourceName, const std::string& march, const std::string& arch,
               const std::string& fpu = "", bool unified = true)
{
    TempDir dir;
    std::string log;
    const std::string source = std::string(MORVANE_TEST_DATA) + "/thumb/" + sourceName;
    const std::string original = build(dir, source, march, fpu, "original", log);
    ASSERT_NE(original, "") << log;
    const std::string text = readFile(original + ".bin");
    const std::string stripped = dir.file("stripped.elf");
    ASSERT_EQ(shell("arm-none-eabi-objcopy --wildcard --strip-symbol='$*' '" + original +
                    "' '" + stripped + "'").status, 0);

    std::vector<std::string> args = {"-disassemble", "-arch", arch, stripped};
    if (unified)
        args.insert(args.begin() + 1, "-ual");
    RunResult listing = runMorvane(args);
    ASSERT_EQ(listing.status, 0) << listing.err;
    EXPECT_EQ(listing.out.find("\t.syntax unified\n"), unified ? 0u : std::string::npos);

    std::vector<std::string> lineAt;
    const std::string again = dir.write(
        "listing.s", reassemblable(listing.out, text, dataRanges(original, 0x8000 + text.size()),
                                   lineAt));
    const std::string rebuilt = build(dir, again, march, fpu, "rebuilt", log);
    ASSERT_NE(rebuilt, "") << log;
    const std::string text2 = readFile(rebuilt + ".bin");
    EXPECT_EQ(text.size(), text2.size());
    for (size_t i = 0; i < text.size() && i < text2.size(); ++i) {
        if (text[i] != text2[i]) {
            ADD_FAILURE() << sourceName << " " << march << ": first difference at 0x" << std::hex
                          << 0x8000 + i << " in `" << lineAt[i].substr(1) << "`";
            break;
        }
    }
}

} // namespace

TEST(ThumbRoundTrip, CoreOnArmv7M) { roundTrip("thumb2-core.s", "armv7-m", "v7M"); }
TEST(ThumbRoundTrip, CoreOnArmv7EM) { roundTrip("thumb2-core.s", "armv7e-m", "v7EM"); }
TEST(ThumbRoundTrip, CoreOnArmv8MMain) { roundTrip("thumb2-core.s", "armv8-m.main", "v8M_Mainline"); }
TEST(ThumbRoundTrip, CoreOnArmv7A) { roundTrip("thumb2-core.s", "armv7-a", "v7A"); }
TEST(ThumbRoundTrip, ItBlocksOnArmv7M) { roundTrip("it-blocks.s", "armv7-m", "v7M"); }
TEST(ThumbRoundTrip, ItBlocksOnArmv7A) { roundTrip("it-blocks.s", "armv7-a", "v7A"); }
TEST(ThumbRoundTrip, DspOnArmv7EM) { roundTrip("dsp.s", "armv7e-m", "v7EM"); }
TEST(ThumbRoundTrip, DspOnArmv7A) { roundTrip("dsp.s", "armv7-a", "v7A"); }
TEST(ThumbRoundTrip, MProfileOnArmv7M) { roundTrip("mprofile.s", "armv7-m", "v7M"); }
TEST(ThumbRoundTrip, MProfileOnArmv7EM) { roundTrip("mprofile.s", "armv7e-m", "v7EM"); }
TEST(ThumbRoundTrip, MProfileOnArmv8MMain) { roundTrip("mprofile.s", "armv8-m.main", "v8M_Mainline"); }
TEST(ThumbRoundTrip, V6MOnArmv6M) { roundTrip("v6m.s", "armv6-m", "v6M"); }
TEST(ThumbRoundTrip, V6MOnArmv7M) { roundTrip("v6m.s", "armv7-m", "v7M"); }
TEST(ThumbRoundTrip, SecurityExtensionOnArmv8MMain) { roundTrip("v8m.s", "armv8-m.main", "v8M_Mainline"); }
TEST(ThumbRoundTrip, SystemOnArmv7A) { roundTrip("aprofile.s", "armv7-a", "v7A"); }
TEST(ThumbRoundTrip, BaselineOnArmv8MBase) { roundTrip("v8m-baseline.s", "armv8-m.base", "v8M_Baseline"); }
// The Advanced SIMD sources of the A32 round trip, assembled as Thumb-2.
TEST(ThumbRoundTrip, AdvancedSimdOnArmv7A) { roundTrip("../arm/simd_neon.s", "armv7-a", "v7A", "neon-vfpv4"); }
TEST(ThumbRoundTrip, AdvancedSimdOnArmv8A) { roundTrip("../arm/simd_armv8.s", "armv8-a", "", "crypto-neon-fp-armv8"); }
TEST(ThumbRoundTrip, AdvancedSimdInItBlocks) { roundTrip("simd_it.s", "armv7-a", "v7A", "neon-vfpv4"); }
TEST(ThumbRoundTrip, VfpOnArmv7A) { roundTrip("vfp.s", "armv7-a", "v7A", "vfpv4"); }
TEST(ThumbRoundTrip, VfpLegacyOnArmv7A) { roundTrip("vfp.s", "armv7-a", "v7A", "vfpv4", false); }
TEST(ThumbRoundTrip, VfpOnArmv7EM) { roundTrip("vfp.s", "armv7e-m", "v7EM", "fpv5-d16"); }
TEST(ThumbRoundTrip, VfpLegacyOnArmv7EM) { roundTrip("vfp.s", "armv7e-m", "v7EM", "fpv5-d16", false); }
TEST(ThumbRoundTrip, VfpInItBlocksOnArmv7EM) { roundTrip("vfp-it.s", "armv7e-m", "v7EM", "fpv5-d16"); }
TEST(ThumbRoundTrip, VfpV8OnArmv7EM) { roundTrip("vfp-v8.s", "armv7e-m", "v7EM", "fpv5-d16"); }
TEST(ThumbRoundTrip, VfpV8LegacyOnArmv7EM) { roundTrip("vfp-v8.s", "armv7e-m", "v7EM", "fpv5-d16", false); }
