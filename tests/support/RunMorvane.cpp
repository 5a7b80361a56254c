#include "support/RunMorvane.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir() : dir((fs::temp_directory_path() / "morvane-test-XXXXXX").string())
{
    if (!mkdtemp(dir.data()))
        throw std::runtime_error("cannot create temporary directory");
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
    return write(name, std::string(bytes.begin(), bytes.end()));
}

std::string TempDir::write(const std::string& name, const std::string& text) const
{
    std::string path = file(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    return path;
}

std::string writeTempFile(const std::vector<uint8_t>& bytes, const std::string& suffix)
{
    static TempDir processDir;
    static int counter = 0;
    return processDir.write("file" + std::to_string(++counter) + suffix, bytes);
}

std::string readFileText(const std::string& path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

std::vector<uint8_t> readFileBytes(const std::string& path)
{
    std::string text = readFileText(path);
    return std::vector<uint8_t>(text.begin(), text.end());
}

bool fileExists(const std::string& path)
{
    return fs::exists(path);
}

namespace {

// Runs `program` with `args` (argv[0] first) and captures both streams. Output goes to
// files rather than pipes, so a large listing cannot block the child.
RunResult runProgram(const char* program, const std::vector<std::string>& args,
                     const std::string& workingDirectory)
{
    TempDir capture;
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        const std::pair<std::string, int> streams[] = {{"/dev/null", O_RDONLY},
                                                       {capture.file("out"), O_WRONLY | O_CREAT},
                                                       {capture.file("err"), O_WRONLY | O_CREAT}};
        for (int fd = 0; fd < 3; ++fd)
            if (dup2(open(streams[fd].first.c_str(), streams[fd].second, 0644), fd) != fd)
                _exit(125);
        if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0)
            _exit(126);
        execv(program, argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return RunResult{readFileText(capture.file("out")), readFileText(capture.file("err")),
                     WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)};
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
