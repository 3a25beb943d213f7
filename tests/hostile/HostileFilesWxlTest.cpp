// The same hostile files given to the wxl tool: it names the cause the way the
// program does, ends instead of waiting, and never loses a file it replaces.
#include "HostileFiles.h"
#include "support/TempFolder.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace hostile;

const std::vector<MovePoint> kThreeStones{{4, 4}, {16, 16}, {10, 10}};

class HostileFilesWxlTest : public testing_support::TempFolderTest {
protected:
    std::string WriteGame(const std::string& name) const
    {
        WriteBytes(PathOf(name), RecordBytes(kThreeStones));
        return PathOf(name);
    }
};

TEST_F(HostileFilesWxlTest, SessionSaveOntoAFolderIsRefusedAndTheGameStaysModified)
{
    const std::string folder = PathOf("folder.wxl");
    fs::create_directory(folder);
    const ToolRun run = RunWxl({"session"}, {"click 4 4\nsave " + folder + "\nshow\n"});

    EXPECT_EQ(run.nExit, 0);
    EXPECT_TRUE(run.out.starts_with("对 " + folder + " 的存取被拒绝。\n")) << run.out;
    EXPECT_NE(run.out.find("position 1/1\n"), std::string::npos) << run.out;
    EXPECT_TRUE(run.out.ends_with("modified 1\n")) << run.out;
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(HostileFilesWxlTest, CheckOfAFileWithoutReadPermissionReportsAccessDenied)
{
    const std::string path = WriteGame("locked.wxl");
    fs::permissions(path, fs::perms::none);
    fs::permissions(m_dir, fs::perms::all);  // the superuser runs the tool as nobody, who must reach the file
    ToolOptions asNobody;
    asNobody.bAsNobody = true;
    const ToolRun run = RunWxl({"check", path}, asNobody);
    if (run.nExit == 126)
        GTEST_SKIP() << "the tool cannot be run as nobody here";

    EXPECT_EQ(run.out, path + ": 对 " + path + " 的存取被拒绝。\n");
    EXPECT_EQ(run.nExit, 1);
}

TEST_F(HostileFilesWxlTest, SessionSaveOnAFullDiskReportsItAndKeepsTheOldFile)
{
    const CSmallDisk disk(m_dir / "disk", 64);
    if (!disk.IsMounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    const std::string path = (m_dir / "disk" / "game.wxl").string();
    WriteBytes(path, RecordBytes(kThreeStones));
    std::string input = "open " + path + "\n";
    for (int i = 0; i < 10000; ++i)  // 80 KB of record for 64 KB of disk
        input += "pass\n";
    const ToolRun run = RunWxl({"session"}, {input + "save " + path + "\nshow\n"});

    EXPECT_TRUE(run.out.starts_with("访问 " + path + " 时磁盘已满。\n")) << run.out.substr(0, 200);
    EXPECT_TRUE(run.out.ends_with("modified 1\n"));
    EXPECT_NE(run.out.find("position 10000/10000\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), RecordBytes(kThreeStones));
    EXPECT_EQ(FileNames(m_dir / "disk"), std::set<std::string>{"game.wxl"});
}

TEST_F(HostileFilesWxlTest, CheckOfANamedPipeThatNobodyWritesEndsWithAMessageInsteadOfWaiting)
{
    const std::string path = PathOf("pipe.wxl");
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    ToolOptions briefly;
    briefly.nLimitSeconds = 60;
    const ToolRun run = RunWxl({"check", path}, briefly);

    EXPECT_FALSE(run.bHung) << "wxl check still waited for a writer after a minute";
    EXPECT_EQ(run.nExit, 1);
    EXPECT_TRUE(run.out.starts_with(path + ": ")) << run.out;
    EXPECT_EQ(run.out.find(": ok"), std::string::npos) << run.out;
}

TEST_F(HostileFilesWxlTest, ChineseNamesWithSpacesAreCheckedShownOpenedAndSaved)
{
    fs::create_directory(PathOf("我的 棋谱"));
    const std::string path = WriteGame("我的 棋谱/第一 局.wxl");
    const std::string copy = PathOf("我的 棋谱/另存 一份.wxl");

    const ToolRun check = RunWxl({"check", path});
    EXPECT_EQ(check.out, path + ": ok (3 entries)\n");
    EXPECT_EQ(check.nExit, 0);

    const ToolRun board = RunWxl({"board", path});
    EXPECT_NE(board.out.find("position 3/3\n"), std::string::npos) << board.out;
    EXPECT_EQ(board.err, "");
    EXPECT_EQ(board.nExit, 0);

    const ToolRun session = RunWxl({"session"}, {"open " + path + "\nclick 3 3\nsave " + copy + "\n"});
    EXPECT_EQ(session.out, "");
    EXPECT_EQ(session.err, "");
    EXPECT_EQ(ReadBytes(copy), RecordBytes({{3, 3}}));
    EXPECT_EQ(ReadBytes(path), RecordBytes(kThreeStones));
}

TEST_F(HostileFilesWxlTest, CheckOfAHundredMegabyteRecordLoadsItWithMemoryInProportion)
{
    constexpr std::uint32_t kCount = 13'000'000;
    const fs::path path = m_dir / "huge.wxl";
    WriteLargeRecord(path, kCount);
    const std::uint64_t nFileBytes = fs::file_size(path);
    const ToolRun run = RunWxl({"check", path.string()});
    fs::remove(path);

    EXPECT_EQ(run.out, path.string() + ": ok (13000000 entries)\n");
    EXPECT_EQ(run.nExit, 0);
    EXPECT_LT(static_cast<std::uint64_t>(run.nMaxResidentKiB) * 1024, 2 * nFileBytes);
}

// /proc files report a size of 0 and hold bytes all the same: they are read
// to their end, like any file.
TEST_F(HostileFilesWxlTest, CheckReadsAProcFileToItsEndThoughItsSizeIsReportedAsNone)
{
    const ToolRun status = RunWxl({"check", "/proc/self/status"});
    EXPECT_EQ(status.out, "/proc/self/status: 非预期的文件格式。\n");
    EXPECT_EQ(status.nExit, 1);

    // A process whose environment, its strings each ended by a 0 byte, lays
    // out the record of one stone at (4, 16).
    char szProgram[] = "sleep";
    char szSeconds[] = "60";
    char* argv[] = {szProgram, szSeconds, nullptr};
    char szCount[] = "\x01", szX[] = "\x04", szY[] = "\x10", szEmpty[] = "";
    char* envp[] = {szCount, szX, szEmpty, szEmpty, szY, szEmpty, szEmpty, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, "/bin/sleep", nullptr, nullptr, argv, envp), 0);
    const std::string strEnviron = "/proc/" + std::to_string(pid) + "/environ";
    const ToolRun record = RunWxl({"check", strEnviron});
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);

    EXPECT_EQ(record.out, strEnviron + ": ok (1 entries)\n");
    EXPECT_EQ(record.nExit, 0);
}

TEST_F(HostileFilesWxlTest, CheckOfADanglingSymbolicLinkReportsItAsNotFound)
{
    const std::string link = PathOf("gone.wxl");
    fs::create_symlink("missing.wxl", link);
    const ToolRun run = RunWxl({"check", link});

    EXPECT_EQ(run.out, link + ": 没有找到 " + link + "。\n");
    EXPECT_EQ(run.nExit, 1);
}

}  // namespace
