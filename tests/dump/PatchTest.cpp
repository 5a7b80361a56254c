// The three patches and their write-back: exact file bytes in both byte orders (the
// expected file is the same image built with the patched values), kept permissions, a
// replaced file, the direct write where the directory takes no temporary file, inputs
// that survive a failed write-back, and file names beyond ASCII.
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

} // namespace

// Each set of patch options on a fresh image, and all three on an image they leave as it
// is: the file is replaced by a new one (a hard link keeps the old inode and bytes) with
// exactly the patched fields and the old permissions.
TEST(Patches, EachCombinationWritesExactlyItsFieldsAndReplacesTheFile)
{
    const char* const options[] = {"-setVFPflags", "-deTISection", "-ThumbSymbols"};
    for (bool bigEndian : {false, true}) {
        // Listings before the patches see the old values, those after a model in host order.
        std::string listings[2];
        for (bool done : {false, true})
            listings[done] = runMorvane({"-header", "-relocations",
                                         writeTempFile(subject(bigEndian, {done, done, done}))}).out;
        for (int set = 1; set <= 8; ++set) {
            SCOPED_TRACE(std::to_string(set) + (bigEndian ? " big-endian" : " little-endian"));
            const int patches = set & 7 ? set : 7;
            const Patched before = set & 7 ? Patched{} : Patched{true, true, true};
            std::vector<std::string> args = {"-relocations", "-header"};
            for (int i = 0; i < 3; ++i)
                if (patches >> i & 1)
                    args.push_back(options[i]);
            TempDir dir;
            std::string path = dir.write("in.elf", subject(bigEndian, before)), old = dir.file("link.elf");
            chmod(path.c_str(), 0741);
            link(path.c_str(), old.c_str());
            args.push_back(path);
            RunResult r = runMorvane(args);
            EXPECT_EQ(r.status, 0);
            EXPECT_EQ(r.out + r.err, listings[set == 8]);
            const Patched after{bool(patches & 1), bool(patches & 2), bool(patches & 4)};
            EXPECT_EQ(readFileBytes(path), subject(bigEndian, after));
            EXPECT_EQ(readFileBytes(old), subject(bigEndian, before));
            EXPECT_NE(statOf(path).st_ino, statOf(old).st_ino);
            EXPECT_EQ(statOf(path).st_mode & 07777, 0741u);
        }
    }
}

// Write-back where the file cannot simply be replaced, run as user nobody when the tests
// run as root, who may write anywhere. A directory that takes no temporary file gets a
// writable file written in place; a read-only file there, a name too long to make a
// temporary name from and a name that is not UTF-8 fail and leave the input as it was.
// Path bytes reach the file system unchanged, and no stray file is left behind.
TEST(Patches, WriteBackFailuresAndNamesBeyondAscii)
{
    const std::string longName = std::string(251, 'x') + ".elf";
    const struct {
        std::string name, options;
        mode_t dirMode, fileMode;
        std::string err;
        bool patched, sameFile;
    } rows[] = {
        {"writable.elf", "-setVFPflags", 0555, 0666, "", true, true},
        {"read-only.elf", "-setVFPflags", 0555, 0444, "write error cannot open %\n", false, true},
        {longName, "-setVFPflags", 0777, 0666, "write error write read %\n", false, true},
        {"\xe9.elf", "-setVFPflags", 0777, 0666, "write error cannot open %\n", false, true},
        {"\xc3\xa9.elf", "-cmp '%' -setVFPflags", 0777, 0666, "", true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name.substr(0, 20));
        TempDir dir;
        std::string path = dir.write(row.name, subject(true, {}));
        ino_t inode = statOf(path).st_ino;
        auto fill = [&](std::string text) {
            for (size_t at; (at = text.find('%')) != std::string::npos;)
                text.replace(at, 1, path);
            return text;
        };
        chmod(path.c_str(), row.fileMode);
        chmod(dir.path().c_str(), row.dirMode);
        std::string nobody = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
        RunResult r = runTool(fill(nobody + MORVANE_BINARY " " + row.options + " '%'"));
        chmod(dir.path().c_str(), 0700);
        EXPECT_EQ(r.status, row.err.empty() ? 0 : 1);
        EXPECT_EQ(r.err, fill(row.err));
        EXPECT_EQ(readFileBytes(path), subject(true, {row.patched}));
        EXPECT_EQ(statOf(path).st_ino == inode, row.sameFile);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}
