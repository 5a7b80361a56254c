// The command line as the user meets it: option and @file messages, the usage text, exit
// statuses, the output file opened before the input file, the messages for input files
// that cannot be used, and the image dump sequence: the fixed order of its steps and
// where each writes. Every row runs the binary in one directory holding all the files the
// rows name; an input that does not exist shows, through "cannot open", which name
// reached the input position. Names and arguments keep every byte, 0x80 to 0xFF too.
// Listings are compared with morvane's own single-option listings of the same file, so
// the tests hold whatever the listing formats are.
#include "support/ElfWriter.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

std::string error(const std::string& message)
{
    return "morvane: error: " + message + "\n";
}

// An executable with a program header, code, data, symbols, relocations and an ARM
// attributes section.
std::vector<uint8_t> fullImage()
{
    ElfWriter w;
    int text = w.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0x8000,
                            w.words32({0xe3a00001, 0xe59f1000, 0xe12fff1e, 0x00009000}), 0, 0, 0, 4);
    int data = w.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0x9000, w.words32({7}), 0, 0, 0, 4);
    w.addSection(".ARM.attributes", SHT_ARM_ATTRIBUTES, 0, 0,
                 {'A', 19, 0, 0, 0, 'a', 'e', 'a', 'b', 'i', 0, 1, 9, 0, 0, 0, 6, 10, 9, 2});
    w.addSymbol("$a", 0x8000, 0, ELF32_ST_INFO(STB_LOCAL, STT_NOTYPE), 0, uint16_t(text));
    w.addSymbol("main", 0x8000, 16, ELF32_ST_INFO(STB_GLOBAL, STT_FUNC), 0, uint16_t(text));
    w.addSymbol("value", 0x9000, 4, ELF32_ST_INFO(STB_GLOBAL, STT_OBJECT), 0, uint16_t(data));
    w.addRelocationSection(".rel.text", text, {{0xc, R_ARM_ABS32, 3}});
    w.addProgram({PT_LOAD, 0, 0x8000, 0x8000, 0, 0, PF_R | PF_X, 4}, text);
    w.entry = 0x8000;
    return w.build();
}

std::string stdoutOf(std::vector<std::string> args, const std::string& path)
{
    args.push_back(path);
    RunResult r = runMorvane(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return r.out;
}

TEST(DumpSequence, StepsRunInFixedOrderWhateverTheOptionOrder)
{
    std::string path = writeTempFile(fullImage());
    const std::vector<std::string> order = {"-header", "-programs", "-sections", "-symbols", "-dwarf",
                                            "-disassemble", "-ARMAttributes", "-relocations"};
    std::string expected;
    for (const std::string& option : order)
        expected += stdoutOf({option}, path);
    EXPECT_EQ(stdoutOf(std::vector<std::string>(order.rbegin(), order.rend()), path), expected);
}

TEST(Driver, MessagesUsageStatusAndFiles)
{
    const std::string usage = readFileText(MORVANE_TEST_DATA "/cli/usage.txt");
    TempDir dir;
    for (const char* name : {"in.elf", "caf\xe9.elf", "big.elf", "locked.elf"})
        dir.write(name, fullImage());
    ElfWriter data, far;
    data.addSection(".data", SHT_PROGBITS, SHF_ALLOC | SHF_WRITE, 0x9000, data.words32({1, 2}), 0, 0, 0, 4);
    dir.write("data.elf", data.build());
    far.addSection(".text", SHT_PROGBITS, SHF_ALLOC | SHF_EXECINSTR, 0, far.words32({0}));
    far.overrideHeader(ELF_FIELD(Elf32_Ehdr, e_shoff), 0x7ffffff0);   // section table far outside the file
    dir.write("far.elf", far.build());
    dir.write("old.txt", "old contents to be truncated");
    std::filesystem::create_directory(dir.file("sub"));
    std::filesystem::resize_file(dir.file("big.elf"), uintmax_t(1) << 31);   // sparse
    dir.write("empty.elf", "");   // cannot be mapped: read instead
    chmod(dir.file("locked.elf").c_str(), 0);
    // A FIFO held open for writing here, so that morvane's open does not wait for a writer.
    mkfifo(dir.file("fifo").c_str(), 0600);
    int fifoWriter = open(dir.file("fifo").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(fifoWriter, 0);
    std::string tooMany;
    for (int i = 0; i < 257; ++i)
        tooMany += "a ";
    const std::pair<const char*, std::string> atFiles[] = {
        {"unfinished", "-header\n# comment\n-cmp \"unfinished name\n"}, {"self", "@self\n"},
        {"outer", "-header @inner\n"}, {"inner", "-bogus\n-cmp\n"}, {"many", tooMany + "\n"},
        // A line of 1023 characters fills the read buffer: the rest is line 2, the next line 3.
        {"long", std::string(1019, ' ') + "-nop\"e\n\"x\n"},
        {"names", "  \"my input.elf\"   \"my out.txt\"  \n"}, {"crlf", "in.elf\r\n"},
        {"comment", "# a comment\n  # x\n"}, {"\xe9", "-header -relocations caf\xe9.elf \xe9.out\n"},
        {"almost.a", "!<arch>"}, {"hi", "hi\n"}};   // not archives, so images whatever the first bytes
    for (const auto& file : atFiles)
        dir.write(file.first, file.second);
    const bool root = geteuid() == 0;   // root reads a file without permissions all the same
    const std::string listing = runMorvane({"-header", "-relocations", "in.elf"}, dir.path()).out;

    struct Row {
        std::vector<std::string> args;
        std::string err;
        int status = 1;
        std::string file = "";   // must hold `text` afterwards; when `created` is false, must not exist
        std::string text = "";
        bool created = true;
        std::string program = "morvane";
        std::string out = "";
    };
    const Row rows[] = {
        {{}, usage, 0},
        {{"-header"}, usage},
        {{"-cmp", "x.elf"}, usage},
        {{"-Header", "--header", "-", "-arch=v7m", "-\xe9", "-header", "-header", "in.elf"},
         error("unrecognised option -Header") + error("unrecognised option --header") + error("unrecognised option -") +
             error("unrecognised option -arch=v7m") + error("unrecognised option -\xe9") + usage},
        {{"-bad", "x"}, "/d\xe9/tool: error: unrecognised option -bad\n" + usage, 1, "", "", true, "/d\xe9/tool"},
        {{"-cmp", "-header", "in.elf"}, "open error cannot open -header\n"},   // a value, not the option
        {{"-cmp", "caf\xe9.elf", "in.elf"}, "", 0},   // a second name that is not UTF-8
        {{"in.elf", "-cmp"}, error("expected argument for option -cmp") + usage},
        {{"in.elf", "-arch"}, error("expected argument for option -arch") + usage},
        // Option errors are judged before any file is touched.
        {{"-nope", "missing.elf", "out1.txt"}, error("unrecognised option -nope") + usage, 1, "out1.txt", "", false},
        {{"-arch", "v7m", "missing.elf", "out2.txt", "out3.txt"}, "cannot open missing.elf\n", 1, "out3.txt"},
        {{"-arch", "v7m", "missing.elf", "out4.txt", "out5.txt"}, "cannot open missing.elf\n", 1, "out4.txt", "",
         false},
        {{"@n\xe9", "in.elf"}, error(std::string("can't open indirect file n\xe9: ") + strerror(ENOENT)) + usage},
        {{"@unfinished", "in.elf"}, error("unterminated string in indirect file unfinished(3)") + usage},
        {{"@self", "in.elf"}, error("too many indirect files") + usage},
        {{"@outer", "in.elf"},
         error("unrecognised option -bogus") + error("expected argument for option -cmp") + usage},
        {{"@many", "in.elf"}, error("too many arguments in indirect file many(1)") + usage},
        {{"@long", "in.elf"}, error("unrecognised option -nop") + error("unterminated string in indirect file long(2)")
                                  + error("unterminated string in indirect file long(3)") + usage},
        {{"@names"}, "cannot open my input.elf\n", 1, "my out.txt"},
        {{"@crlf"}, "cannot open in.elf\r\n"},
        {{"@comment"}, "cannot open #\n", 1, "x"},
        {{"@\xe9"}, "", 0, "\xe9.out", listing},
        {{"-header", "missing.elf", "no/such/dir/out.txt"}, "cannot create no/such/dir/out.txt\n"},
        {{"sub"}, "cannot read sub: not a regular file\n"},
        {{"-header", "fifo"}, "cannot read fifo: not a regular file\n"},
        {{"-header", "empty.elf"}, "open error truncated ELF file: \n"},
        {{"-header", "almost.a"}, "open error truncated ELF file: \n"},
        {{"-header", "hi"}, "open error truncated ELF file: \n"},
        {{"-header", "far.elf"}, "open error truncated ELF file: \n"},
        // The attributes listing goes to standard output also when an output file takes
        // every other listing.
        {{"-ARMAttributes", "-header", "-relocations", "in.elf", "attr.txt"}, "", 0, "attr.txt", listing,
         true, "morvane", "Tag_File 9\nTag_CPU_arch ARM v7\nTag_THUMB_ISA_use 2\n"},
        {{"-disassemble", "-ual", "data.elf", "ual.txt"}, "", 0, "ual.txt", "\t.syntax unified\n"},   // no code
        {{"-disassemble", "data.elf", "dis.txt"}, "", 0, "dis.txt", ""},
        {{"-header", "-relocations", "locked.elf", "locked.txt"}, root ? "" : "cannot open locked.elf\n", root ? 0 : 1,
         "locked.txt", root ? listing : ""},
        {{"-header", "big.elf"}, "cannot read big.elf: files of 2 GiB or more are not supported\n"},
        {{"in.elf"}, "", 0},   // no listing options: nothing printed
        {{"-header", "-relocations", "in.elf", "old.txt"}, "", 0, "old.txt", listing},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.args));
        RunResult r = runMorvane(row.args, dir.path(), row.program);
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.err, row.err);
        EXPECT_EQ(r.out, row.out);
        if (!row.file.empty()) {
            EXPECT_EQ(fileExists(dir.file(row.file)), row.created);
            EXPECT_EQ(readFileText(dir.file(row.file)), row.text);
        }
    }
    close(fifoWriter);
}

} // namespace
