// Start-up of the driver: output file before input file, whole-file reading and the
// messages for files that cannot be used.
#include "support/ElfWriter.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::vector<uint8_t> smallImage()
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
                            w.words32({0xe3a00000, 0xe12fff1e}), 0, 0, 0, 4);
    w.addSymbol("main", 0x8000, 8, ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    return w.build();
}

TEST(Driver, OutputFileCannotBeCreated)
{
    TempDir dir;
    RunResult r = runMorvane({"-header", "missing.elf", "no/such/dir/out.txt"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "cannot create no/such/dir/out.txt\n");
    EXPECT_EQ(r.out, "");
}

TEST(Driver, OutputFileIsCreatedBeforeTheInputIsOpened)
{
    TempDir dir;
    RunResult r = runMorvane({"-header", "missing.elf", "out.txt"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "cannot open missing.elf\n");
    EXPECT_TRUE(fileExists(dir.file("out.txt")));
    EXPECT_EQ(readFileText(dir.file("out.txt")), "");
}

TEST(Driver, ListingGoesToTheOutputFile)
{
    TempDir dir;
    dir.write("in.elf", smallImage());
    RunResult toStdout = runMorvane({"-header", "-sections", "-symbols", "in.elf"}, dir.path());
    ASSERT_EQ(toStdout.status, 0);
    EXPECT_NE(toStdout.out, "");
    EXPECT_EQ(toStdout.err, "");

    dir.write("out.txt", std::string("old contents to be truncated"));
    RunResult toFile = runMorvane({"-header", "-sections", "-symbols", "in.elf", "out.txt"}, dir.path());
    EXPECT_EQ(toFile.status, 0);
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(toFile.err, "");
    EXPECT_EQ(readFileText(dir.file("out.txt")), toStdout.out);
}

TEST(Driver, NoListingOptionsPrintNothing)
{
    RunResult r = runMorvane({writeTempFile(smallImage())});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

TEST(Driver, NonArchiveInputIsAlwaysAnImage)
{
    // Almost an archive magic, an empty file, text: all go to the ELF reader, which
    // refuses them with its load error.
    for (std::string bytes : {std::string("!<arch>"), std::string(""), std::string("hello, world\n")}) {
        RunResult r = runMorvane({"-header", writeTempFile(std::vector<uint8_t>(bytes.begin(), bytes.end()))});
        EXPECT_EQ(r.status, 1) << bytes;
        EXPECT_EQ(r.err.rfind("open error ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(Driver, DirectoryInput)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("sub"));
    RunResult r = runMorvane({"sub"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "cannot read sub: not a regular file\n");
}

TEST(Driver, InputOfTwoGibibytesIsRefused)
{
    // A sparse file: its size is known without writing or reading 2 GiB.
    TempDir dir;
    dir.write("big.elf", smallImage());
    std::filesystem::resize_file(dir.file("big.elf"), uintmax_t(1) << 31);
    RunResult r = runMorvane({"-header", "big.elf"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "cannot read big.elf: files of 2 GiB or more are not supported\n");
    EXPECT_EQ(r.out, "");
}

} // namespace
