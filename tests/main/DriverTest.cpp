// Start-up of the driver: output file before input file, whole-file reading and the
// messages for files that cannot be used. Inputs that are neither archives nor ELF are
// checked with the load errors in tests/dump.
#include "support/ElfWriter.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace {

TEST(Driver, InputAndOutputFiles)
{
    TempDir dir;
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
                            w.words32({0xe3a00000, 0xe12fff1e}), 0, 0, 0, 4);
    w.addSymbol("main", 0x8000, 8, ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    dir.write("in.elf", w.build());
    dir.write("old.txt", std::string("old contents to be truncated"));
    std::filesystem::create_directory(dir.file("sub"));
    // A sparse file: its size is known without writing or reading 2 GiB.
    dir.write("big.elf", w.build());
    std::filesystem::resize_file(dir.file("big.elf"), uintmax_t(1) << 31);
    dir.write("empty.elf", std::string());   // cannot be mapped: read instead
    dir.write("locked.elf", w.build());
    chmod(dir.file("locked.elf").c_str(), 0);
    // A FIFO held open for writing here, so that morvane's open does not wait for a writer.
    mkfifo(dir.file("fifo").c_str(), 0600);
    int fifoWriter = open(dir.file("fifo").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(fifoWriter, 0);
    RunResult listing = runMorvane({"-header", "-sections", "-symbols", "in.elf"}, dir.path());
    ASSERT_EQ(listing.status, 0);
    ASSERT_NE(listing.out, "");
    const bool root = geteuid() == 0;

    struct Row {
        std::vector<std::string> args;
        std::string err;
        int status;
        std::string outputFile = "";   // must exist afterwards, holding outputText
        std::string outputText = "";
    };
    const Row rows[] = {
        {{"-header", "missing.elf", "no/such/dir/out.txt"}, "cannot create no/such/dir/out.txt\n", 1},
        {{"-header", "missing.elf", "new.txt"}, "cannot open missing.elf\n", 1, "new.txt", ""},
        {{"sub"}, "cannot read sub: not a regular file\n", 1},
        {{"-header", "fifo"}, "cannot read fifo: not a regular file\n", 1},
        {{"-header", "empty.elf"}, "open error truncated ELF file: \n", 1},
        // Root reads it all the same, so the row then expects the listing.
        {{"-header", "-sections", "-symbols", "locked.elf", "locked.txt"}, root ? "" : "cannot open locked.elf\n",
         root ? 0 : 1, "locked.txt", root ? listing.out : ""},
        {{"-header", "big.elf"}, "cannot read big.elf: files of 2 GiB or more are not supported\n", 1},
        {{"in.elf"}, "", 0},   // no listing options: nothing printed
        {{"-header", "-sections", "-symbols", "in.elf", "old.txt"}, "", 0, "old.txt", listing.out},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.args));
        RunResult r = runMorvane(row.args, dir.path());
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.err, row.err);
        EXPECT_EQ(r.out, "");
        if (!row.outputFile.empty()) {
            EXPECT_TRUE(fileExists(dir.file(row.outputFile)));
            EXPECT_EQ(readFileText(dir.file(row.outputFile)), row.outputText);
        }
    }
    close(fifoWriter);
}

} // namespace
