// What the hostile-file tests need around the program: files a user can meet
// (a named pipe, a full disk, a huge record), file access as an ordinary user
// when the tests run as the superuser, and the wxl tool run with a time limit.
#pragma once

#include "support/RecordBytes.h"
#include "support/RunTool.h"

#include "record/MoveRecord.h"

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace hostile {

namespace fs = std::filesystem;

using testing_support::RecordBytes;

std::string ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const std::string& bytes);
// The names in a folder now.
std::set<std::string> FileNames(const fs::path& folder);

// Entry i of the large record: stones all over the board, a pass now and then.
MovePoint LargeRecordEntry(std::uint32_t i);
// Writes a valid record of nCount entries of LargeRecordEntry without holding it in memory.
void WriteLargeRecord(const fs::path& path, std::uint32_t nCount);

// The resident memory of this process, in bytes.
std::uint64_t ResidentBytes();

// While it lives, files are opened with the rights of user nobody when the
// process runs as the superuser (who may read and write everything); folder
// is opened to everyone meanwhile so that nobody reaches the files in it.
// Without the superuser it changes nothing.
class CNobodyScope {
public:
    explicit CNobodyScope(fs::path folder);
    CNobodyScope(const CNobodyScope&) = delete;
    CNobodyScope& operator=(const CNobodyScope&) = delete;
    ~CNobodyScope();

    // False when the superuser could not become nobody: the test must be skipped.
    bool Works() const { return m_bWorks; }

private:
    fs::path m_folder;
    fs::perms m_folderPerms{};
    bool m_bSwitched = false;
    bool m_bWorks = true;
};

// A tmpfs of nKiB kilobytes mounted on a new folder while the object lives.
class CSmallDisk {
public:
    CSmallDisk(fs::path folder, int nKiB);
    CSmallDisk(const CSmallDisk&) = delete;
    CSmallDisk& operator=(const CSmallDisk&) = delete;
    ~CSmallDisk();

    bool IsMounted() const { return m_bMounted; }

private:
    fs::path m_folder;
    bool m_bMounted = false;
};

// A named pipe whose writer delivers bytes to the first reader and closes.
// Finish() (or the destructor) releases a writer that no reader came for.
class CPipeFeeder {
public:
    CPipeFeeder(fs::path path, std::string bytes);
    CPipeFeeder(const CPipeFeeder&) = delete;
    CPipeFeeder& operator=(const CPipeFeeder&) = delete;
    ~CPipeFeeder() { Finish(); }

    void Finish();

private:
    fs::path m_path;
    std::thread m_writer;
};

using testing_support::ToolOptions;
using testing_support::ToolRun;

// Runs the wxl tool with args and waits for it, at most the time limit.
ToolRun RunWxl(const std::vector<std::string>& args, const ToolOptions& options = {});

}  // namespace hostile
