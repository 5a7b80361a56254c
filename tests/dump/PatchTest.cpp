// The three patches and their write-back: exact file bytes in both byte orders (the
// expected file is the same image built with the patched values), kept permissions, a
// replaced file, the direct write where the directory takes no temporary file, and an
// input that survives a failed write-back.
#include "support/ElfWriter.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Patched {
    bool vfp = false, ti = false, thumb = false;
};

// Something for every patch and for each of its exclusions, built as `patched` leaves it.
std::vector<uint8_t> subject(bool bigEndian, Patched patched)
{
    ElfWriter w(bigEndian);
    w.flags = patched.vfp ? 0x600 : 0x05000A00;
    uint32_t ti = patched.ti ? SHT_ARM_ATTRIBUTES : 0x7F000006;
    uint32_t bit = patched.thumb;
    uint16_t text = uint16_t(w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
                                          w.words32({0xe3a00001, 0xe12fff1e, 0, 0})));
    uint16_t textual = uint16_t(w.addSection(".textual", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8010,
                                             w.words32({0xe12fff1e})));
    uint16_t data = uint16_t(w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0x9000, w.words32({7})));
    w.addSection(".ti.one", ti, 0, 0, {'A', 1});
    w.addSection(".ti.two", ti, 0, 0, {});
    w.addSection(".not.ti", 0x7F000005, 0, 0, {1});
    const uint8_t function = ELF32_ST_INFO(STB_GLOBAL, STT_FUNC);
    w.addSymbol("main", 0x8000 | bit, 8, function, 0, text);
    w.addSymbol("helper", 0x8010 | bit, 4, function, 0, textual);
    w.addSymbol("odd", 0x8005, 2, function, 0, text);
    w.addSymbol("table", 0x8008, 8, ELF32_ST_INFO(STB_GLOBAL, STT_OBJECT), 0, text);
    w.addSymbol("init", 0x9000, 4, function, 0, data);
    w.addSymbol("$a", 0x8000, 0, function, 0, text);
    w.addSymbol("external", 0, 0, function, 0, 0);
    w.addRelocationSection(".rel.text", text, {{0x8, R_ARM_ABS32, 4}});
    return w.build();
}

struct stat statOf(const std::string& path)
{
    struct stat info = {};
    stat(path.c_str(), &info);
    return info;
}

// Runs morvane through the shell as user nobody when the tests run as root, who may
// write anywhere; fills `err` and returns the exit status.
int runUnprivileged(const std::string& args, std::string& err)
{
    TempDir capture;
    std::string command = std::string(geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "")
        + MORVANE_BINARY + " " + args + " 2>" + capture.file("err");
    int status = system(command.c_str());
    err = readFileText(capture.file("err"));
    return WEXITSTATUS(status);
}

} // namespace

TEST(Patches, EachCombinationWritesExactlyItsFieldsAndReplacesTheFile)
{
    for (bool bigEndian : {false, true}) {
        // Listings before the patches see the old values, those after a model in host order.
        std::string listings = runMorvane({"-header", "-relocations", writeTempFile(subject(bigEndian, {}))}).out;
        for (int set = 1; set < 8; ++set) {
            SCOPED_TRACE(std::to_string(set) + (bigEndian ? " big-endian" : " little-endian"));
            std::vector<std::string> args = {"-relocations", "-header"};
            for (int i = 0; i < 3; ++i)
                if (set >> i & 1)
                    args.push_back(std::vector<std::string>{"-setVFPflags", "-deTISection", "-ThumbSymbols"}[i]);
            TempDir dir;
            args.push_back(dir.write("in.elf", subject(bigEndian, {})));
            chmod(args.back().c_str(), 0741);
            link(args.back().c_str(), dir.file("link.elf").c_str());
            RunResult r = runMorvane(args);
            EXPECT_EQ(r.status, 0);
            EXPECT_EQ(r.out + r.err, listings);
            EXPECT_EQ(readFileBytes(args.back()), subject(bigEndian, {bool(set & 1), bool(set & 2), bool(set & 4)}));
            EXPECT_EQ(statOf(args.back()).st_mode & 07777, 0741u);
            // A new file under the name: the hard link keeps the old one.
            EXPECT_EQ(readFileBytes(dir.file("link.elf")), subject(bigEndian, {}));
        }
    }
}

// The directory takes no temporary file: a writable file is written in place, a
// read-only one stays as it was and the run fails.
TEST(Patches, DirectoryWithoutRoomForATemporaryFile)
{
    TempDir dir;
    std::string writable = dir.write("writable.elf", subject(false, {}));
    std::string readOnly = dir.write("read-only.elf", subject(true, {}));
    chmod(writable.c_str(), 0666);
    chmod(readOnly.c_str(), 0444);
    ino_t inode = statOf(writable).st_ino;
    chmod(dir.path().c_str(), 0555);
    std::string err, failure;
    int status = runUnprivileged("-setVFPflags " + writable, err);
    int failedStatus = runUnprivileged("-setVFPflags " + readOnly, failure);
    chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(err, "");
    EXPECT_EQ(readFileBytes(writable), subject(false, {true}));
    EXPECT_EQ(statOf(writable).st_ino, inode);
    EXPECT_EQ(failedStatus, 1);
    EXPECT_EQ(failure, "write error cannot open " + readOnly + "\n");
    EXPECT_EQ(readFileBytes(readOnly), subject(true, {}));
}

TEST(Patches, FileIsRewrittenWhenNothingChanges)
{
    std::string path = writeTempFile(subject(true, {false, true}));
    ino_t inode = statOf(path).st_ino;
    EXPECT_EQ(runMorvane({"-deTISection", path}).status, 0);
    EXPECT_EQ(readFileBytes(path), subject(true, {false, true}));
    EXPECT_NE(statOf(path).st_ino, inode);
}

TEST(Patches, FailedWriteBackLeavesTheInputIntact)
{
    // A name too long to make a temporary name from; the direct write is only for
    // directories that refuse the temporary file.
    TempDir dir;
    std::string path = dir.write(std::string(251, 'x') + ".elf", subject(true, {}));
    RunResult r = runMorvane({"-ThumbSymbols", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("write error ", 0), 0u) << r.err;
    EXPECT_EQ(readFileBytes(path), subject(true, {}));
}

// Path bytes reach the file system unchanged: a UTF-8 name is compared and patched in
// place; a name that is not UTF-8 is refused rather than taken for another file.
TEST(Patches, FileNamesBeyondAscii)
{
    TempDir dir;
    std::string utf8 = dir.write("\xc3\xa9.elf", subject(false, {}));
    std::string latin1 = dir.write("\xe9.elf", subject(false, {}));
    EXPECT_EQ(runMorvane({"-cmp", utf8, "-setVFPflags", utf8}).status, 0);
    EXPECT_EQ(readFileBytes(utf8), subject(false, {true}));
    RunResult r = runMorvane({"-setVFPflags", latin1});
    EXPECT_EQ(r.err, "write error cannot open " + latin1 + "\n");
    EXPECT_EQ(readFileBytes(latin1), subject(false, {}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}
