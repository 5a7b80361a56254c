#pragma once
// Runs the built morvane binary (MORVANE_BINARY) or an external tool as a child process and
// captures what it writes, plus small helpers for temporary files.
//
//   RunResult r = runMorvane({"-header", path});
//   EXPECT_EQ(r.status, 0);  EXPECT_EQ(r.out, "...");  EXPECT_EQ(r.err, "");
//
// The child sees "morvane" as its program name (argv[0]), so diagnostics read
// "morvane: error: ..." whatever the build directory; its standard input is /dev/null.
#include <cstdint>
#include <string>
#include <vector>

struct RunResult {
    std::string out;    // everything written to standard output
    std::string err;    // everything written to standard error
    int status;         // exit status; 128 + signal number when killed by a signal
};

// `workingDirectory` empty: the test's own working directory.
RunResult runMorvane(const std::vector<std::string>& args,
                     const std::string& workingDirectory = "",
                     const std::string& programName = "morvane");

// Runs a shell command (an external tool such as arm-none-eabi-as or llvm-dwarfdump) the
// same way, capturing both streams.
RunResult runTool(const std::string& command, const std::string& workingDirectory = "");

// A fresh directory under the system temporary directory, removed with its contents on
// destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return dir; }
    // The path of `name` inside this directory.
    std::string file(const std::string& name) const;
    // Writes `bytes` to `name` inside this directory and returns its path.
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    std::string write(const std::string& name, const std::string& text) const;

private:
    std::string dir;
};

// Writes `bytes` to a new file in a process-wide temporary directory (removed at exit)
// and returns its path.
std::string writeTempFile(const std::vector<uint8_t>& bytes, const std::string& suffix = "");

// Whole file contents; empty when the file cannot be read.
std::string readFileText(const std::string& path);
std::vector<uint8_t> readFileBytes(const std::string& path);
bool fileExists(const std::string& path);
