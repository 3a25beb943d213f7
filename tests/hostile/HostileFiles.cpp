#include "HostileFiles.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>

namespace hostile {
namespace {

constexpr uid_t kNobody = 65534;

void PutLittleEndian(std::string& bytes, std::uint32_t nValue, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        bytes.push_back(static_cast<char>((nValue >> (8 * i)) & 0xFF));
}

std::string CountBytes(std::uint32_t nCount)
{
    std::string bytes;
    if (nCount < 0xFFFF) {
        PutLittleEndian(bytes, nCount, 2);
    } else {
        PutLittleEndian(bytes, 0xFFFF, 2);
        PutLittleEndian(bytes, nCount, 4);
    }
    return bytes;
}

void PutEntry(std::string& bytes, MovePoint entry)
{
    PutLittleEndian(bytes, static_cast<std::uint32_t>(entry.x), 4);
    PutLittleEndian(bytes, static_cast<std::uint32_t>(entry.y), 4);
}

}  // namespace

std::string RecordBytes(const std::vector<MovePoint>& entries)
{
    std::string bytes = CountBytes(static_cast<std::uint32_t>(entries.size()));
    for (const MovePoint entry : entries)
        PutEntry(bytes, entry);
    return bytes;
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::set<std::string> FileNames(const fs::path& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

MovePoint LargeRecordEntry(std::uint32_t i)
{
    if (i % 97 == 96)
        return PASS_MARK;
    return {static_cast<int>(i % 19) + 1, static_cast<int>(i / 19 % 19) + 1};
}

void WriteLargeRecord(const fs::path& path, std::uint32_t nCount)
{
    std::ofstream out(path, std::ios::binary);
    out << CountBytes(nCount);
    std::string block;
    for (std::uint32_t i = 0; i < nCount; ++i) {
        PutEntry(block, LargeRecordEntry(i));
        if (block.size() >= (1u << 20) || i + 1 == nCount) {
            out << block;
            block.clear();
        }
    }
}

std::uint64_t ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::uint64_t nSize = 0;
    std::uint64_t nResident = 0;
    statm >> nSize >> nResident;
    return nResident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

CNobodyScope::CNobodyScope(fs::path folder) : m_folder(std::move(folder))
{
    if (geteuid() != 0)
        return;
    m_folderPerms = fs::status(m_folder).permissions();
    fs::permissions(m_folder, fs::perms::all);
    m_bSwitched = setegid(kNobody) == 0 && seteuid(kNobody) == 0;
    m_bWorks = m_bSwitched;
}

CNobodyScope::~CNobodyScope()
{
    if (geteuid() != 0 && seteuid(0) != 0)
        std::abort();  // every later test would run with the wrong rights
    if (getegid() != 0 && setegid(0) != 0)
        std::abort();
    if (m_folderPerms != fs::perms{})
        fs::permissions(m_folder, m_folderPerms);
}

CSmallDisk::CSmallDisk(fs::path folder, int nKiB) : m_folder(std::move(folder))
{
    fs::create_directories(m_folder);
    const std::string options = "size=" + std::to_string(nKiB) + "k,mode=0777";
    m_bMounted = mount("tmpfs", m_folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
}

CSmallDisk::~CSmallDisk()
{
    if (m_bMounted && umount(m_folder.c_str()) != 0)
        umount2(m_folder.c_str(), MNT_DETACH);
}

CPipeFeeder::CPipeFeeder(fs::path path, std::string bytes) : m_path(std::move(path))
{
    if (mkfifo(m_path.c_str(), 0644) != 0)
        return;
    m_writer = std::thread([this, bytes = std::move(bytes)] {
        // A reader that leaves early must cost the writer a failed write, not the process.
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
        const int fd = open(m_path.c_str(), O_WRONLY);
        if (fd < 0)
            return;
        [[maybe_unused]] const ssize_t nWritten = write(fd, bytes.data(), bytes.size());
        close(fd);
    });
}

void CPipeFeeder::Finish()
{
    if (!m_writer.joinable())
        return;
    // A reader of our own lets a writer still waiting for one go on.
    const int fd = open(m_path.c_str(), O_RDONLY | O_NONBLOCK);
    m_writer.join();
    if (fd >= 0)
        close(fd);
}

ToolRun RunWxl(const std::vector<std::string>& args, const ToolOptions& options)
{
    ToolRun run;
    std::string folder = (fs::temp_directory_path() / "wxl_hostile_io.XXXXXX").string();
    if (!mkdtemp(folder.data()))
        return run;
    const fs::path in = fs::path(folder) / "stdin";
    const fs::path out = fs::path(folder) / "stdout";
    const fs::path err = fs::path(folder) / "stderr";
    WriteBytes(in, options.input);

    std::string program = WXL_PATH;
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

}  // namespace hostile
