#include "support/RunMorvane.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "morvane-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create temporary directory");
    dir = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

std::string TempDir::file(const std::string& name) const
{
    return dir + "/" + name;
}

std::string TempDir::write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    std::string path = file(name);
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

std::string TempDir::write(const std::string& name, const std::string& text) const
{
    return write(name, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string writeTempFile(const std::vector<uint8_t>& bytes, const std::string& suffix)
{
    static TempDir processDir;
    static int counter = 0;
    return processDir.write("file" + std::to_string(++counter) + suffix, bytes);
}

std::vector<uint8_t> readFileBytes(const std::string& path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(stream), {});
}

std::string readFileText(const std::string& path)
{
    std::vector<uint8_t> bytes = readFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

bool fileExists(const std::string& path)
{
    return fs::exists(path);
}

namespace {

// Runs `program` with `argv` (argv[0] first) and captures both streams.
RunResult runProgram(const char* program, const std::vector<std::string>& args,
                     const std::string& workingDirectory)
{
    // Output goes to files rather than pipes, so a large listing cannot block the child.
    TempDir capture;
    std::string outPath = capture.file("stdout");
    std::string errPath = capture.file("stderr");

    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        int in = open("/dev/null", O_RDONLY);
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0)
            _exit(125);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0)
            _exit(126);
        execv(program, argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    RunResult result;
    result.out = readFileText(outPath);
    result.err = readFileText(errPath);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

} // namespace

RunResult runMorvane(const std::vector<std::string>& args, const std::string& workingDirectory,
                     const std::string& programName)
{
    std::vector<std::string> argv{programName};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProgram(MORVANE_BINARY, argv, workingDirectory);
}

RunResult runTool(const std::string& command, const std::string& workingDirectory)
{
    return runProgram("/bin/sh", {"sh", "-c", command}, workingDirectory);
}
