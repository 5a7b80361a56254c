// Big-endian images in BE8 form store instructions little-endian and data big-endian.
// The same object linked as BE32 and as BE8 must list the same text in both syntaxes,
// and the BE8 listing must assemble (-EB) and link (--be8) back to the same code bytes.
// The sources are named in tests/data/arm/be8-sources.txt.
#include "support/RunMorvane.h"
#include <gtest/gtest.h>
#include <cstddef>
#include <cstdlib>
#include <elf.h>
#include <fstream>
#include <sstream>

namespace {

bool run(const std::string& command)
{
    return std::system((command + " > /dev/null 2>&1").c_str()) == 0;
}

bool assemble(const std::string& source, const std::string& march, const std::string& object)
{
    return run("arm-none-eabi-as -EB -march=" + march + " " + source + " -o " + object);
}

// Links `object` big-endian at 0x8000 into `image`; returns its .text bytes ("" on failure).
std::string link(const std::string& object, const std::string& flags, const std::string& image)
{
    if (!run("arm-none-eabi-ld -EB " + flags + " -Ttext=0x8000 -e 0x8000 " + object + " -o "
             + image)
        || !run("arm-none-eabi-objcopy -O binary -j .text " + image + " " + image + ".bin"))
        return "";
    return readFileText(image + ".bin");
}

std::string listing(const std::string& file, bool unified)
{
    RunResult r = runMorvane(unified ? std::vector<std::string>{"-disassemble", "-ual", file}
                                     : std::vector<std::string>{"-disassemble", file});
    return r.status == 0 ? r.out : "morvane failed: " + r.err;
}

void checkSource(const std::string& source, const std::string& march)
{
    TempDir dir;
    const std::string object = dir.file("orig.o");
    ASSERT_TRUE(assemble(std::string(MORVANE_TEST_DATA) + "/" + source, march, object));
    const std::string be32 = link(object, "", dir.file("be32.elf"));
    const std::string be8 = link(object, "--be8", dir.file("be8.elf"));
    ASSERT_GT(be8.size(), 60u);
    ASSERT_NE(be32, be8) << "the linker did not store the code little-endian";
    for (bool unified : {true, false})
        EXPECT_EQ(listing(dir.file("be8.elf"), unified), listing(dir.file("be32.elf"), unified))
            << (unified ? "unified" : "legacy") << " syntax";

    const std::string again = dir.write("again.s", listing(dir.file("be8.elf"), true));
    ASSERT_TRUE(assemble(again, march, dir.file("again.o")));
    EXPECT_TRUE(link(dir.file("again.o"), "--be8", dir.file("again.elf")) == be8)
        << "the BE8 listing does not assemble back to the same bytes";

    // A relocatable object is BE32 even when its header carries the BE8 flag.
    std::vector<uint8_t> flagged = readFileBytes(object);
    flagged.at(offsetof(Elf32_Ehdr, e_flags) + 1) |= EF_ARM_BE8 >> 16;   // big-endian field
    EXPECT_EQ(listing(dir.write("flagged.o", flagged), true), listing(object, true));
}

} // namespace

TEST(BigEndianBE8, ListsLikeBE32AndAssemblesBack)
{
    std::ifstream cases(std::string(MORVANE_TEST_DATA) + "/arm/be8-sources.txt");
    std::string line, source, march;
    int count = 0;
    while (std::getline(cases, line)) {
        std::istringstream fields(line);
        if (line.empty() || line[0] == '#' || !(fields >> source >> march))
            continue;
        SCOPED_TRACE(line);
        checkSource(source, march);
        ++count;
    }
    EXPECT_GE(count, 2);
}
