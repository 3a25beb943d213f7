#include "RunTool.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace testing_support {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

ToolRun RunTool(const std::string& strProgram, const std::vector<std::string>& args, const ToolOptions& options)
{
    ToolRun run;
    std::string folder = (fs::temp_directory_path() / "wexlan-tool-io.XXXXXX").string();
    if (!mkdtemp(folder.data()))
        return run;
    const fs::path in = fs::path(folder) / "stdin";
    const fs::path out = fs::path(folder) / "stdout";
    const fs::path err = fs::path(folder) / "stderr";
    WriteBytes(in, options.input);

    std::string program = strProgram;
    std::vector<std::string> words = args;
    std::vector<char*> argv{program.data()};
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const bool bAsNobody = options.bAsNobody && geteuid() == 0;
    const pid_t pid = fork();
    if (pid == 0) {
        const int fdIn = open(in.c_str(), O_RDONLY);
        const int fdOut = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int fdErr = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fdIn < 0 || fdOut < 0 || fdErr < 0 || dup2(fdIn, 0) < 0 || dup2(fdOut, 1) < 0 || dup2(fdErr, 2) < 0)
            _exit(127);
        if (bAsNobody && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(126);
        execv(program.c_str(), argv.data());
        // As nobody the tool may sit in a folder nobody can enter: say so as
        // the failed switch does, so the test is skipped rather than failed.
        _exit(bAsNobody ? 126 : 127);
    }
    if (pid > 0) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.nLimitSeconds);
        int status = 0;
        rusage usage{};
        while (wait4(pid, &status, WNOHANG, &usage) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                run.bHung = true;
                kill(pid, SIGKILL);
                wait4(pid, &status, 0, &usage);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        run.nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        run.nMaxResidentKiB = usage.ru_maxrss;
        run.out = ReadBytes(out);
        run.err = ReadBytes(err);
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    return run;
}

}  // namespace testing_support
