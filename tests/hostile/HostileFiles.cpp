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
constexpr std::uint32_t kEntriesPerBlock = 1u << 17;  // 1 MiB of entries

}  // namespace

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
    out << testing_support::CountBytes(nCount);
    std::vector<MovePoint> block;
    for (std::uint32_t i = 0; i < nCount; ++i) {
        block.push_back(LargeRecordEntry(i));
        if (block.size() == kEntriesPerBlock || i + 1 == nCount) {
            out << testing_support::EntryBytes(block);
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
    return testing_support::RunTool(WXL_PATH, args, options);
}

}  // namespace hostile
