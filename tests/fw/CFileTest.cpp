// Saving through CFile replaces a file only once the new content is complete.
#include "fw/core/CFile.h"

#include "fw/core/FileException.h"
#include "fw/core/TempFileSignals.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class CFileTest : public testing_support::TempFolderTest {
protected:
    CFileTest() { std::ofstream(PathOf("a.wxl")) << "old"; }

    std::string Content(std::string_view name = "a.wxl") const
    {
        std::ifstream in(PathOf(name));
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

// Runs body in a forked child and gives the signal that ended it, or 0 when
// it ended otherwise.
int SignalThatEndedChild(const std::function<void()>& body)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        body();
        _exit(0);
    }
    int status = 0;
    if (child == -1 || waitpid(child, &status, 0) != child || !WIFSIGNALED(status))
        return 0;
    return WTERMSIG(status);
}

enum class ChildResult { succeeded, failed, couldNotRun };

// Runs body in a forked child in which every link() and rename() is first
// put to failureFor, which gives the errno it is to fail with, or 0 to let it
// run. So the faults of other file systems (FAT has no hard links) and of
// failing disks are made without a device to mount, and without root.
ChildResult RunWithFailingCalls(const std::function<int(const seccomp_data&)>& failureFor,
                                const std::function<bool()>& body)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        std::vector<sock_filter> filter{BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
        const std::vector<int> calls{
#ifdef __NR_link
            __NR_link, __NR_rename,
#endif
            __NR_linkat, __NR_renameat, __NR_renameat2};
        for (std::size_t i = 0; i < calls.size(); ++i)
            filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(calls[i]),
                                      static_cast<unsigned char>(calls.size() - i), 0));
        filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
        filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_USER_NOTIF));
        const sock_fprog program{static_cast<unsigned short>(filter.size()), filter.data()};

        // The thread that answers is started first, so that it is not filtered.
        std::promise<int> listening;
        std::thread([&failureFor, answered = listening.get_future()]() mutable {
            const int listener = answered.get();
            while (listener >= 0) {
                seccomp_notif call{};
                if (ioctl(listener, SECCOMP_IOCTL_NOTIF_RECV, &call) != 0)
                    continue;
                seccomp_notif_resp answer{};
                answer.id = call.id;
                answer.error = -failureFor(call.data);
                if (answer.error == 0)
                    answer.flags = SECCOMP_USER_NOTIF_FLAG_CONTINUE;
                ioctl(listener, SECCOMP_IOCTL_NOTIF_SEND, &answer);
            }
        }).detach();
        const int listener = prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0
                                 ? -1
                                 : static_cast<int>(syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER,
                                                            SECCOMP_FILTER_FLAG_NEW_LISTENER, &program));
        listening.set_value(listener);
        _exit(listener < 0 ? 2 : body() ? 0 : 1);
    }
    int status = 0;
    if (child == -1 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return ChildResult::failed;
    switch (WEXITSTATUS(status)) {
    case 0: return ChildResult::succeeded;
    case 2: return ChildResult::couldNotRun;
    default: return ChildResult::failed;
    }
}

bool IsLink(const seccomp_data& call)
{
#ifdef __NR_link
    if (call.nr == __NR_link)
        return true;
#endif
    return call.nr == __NR_linkat;
}

// The name a rename() or renameat() call puts a file under.
std::string RenamedTo(const seccomp_data& call)
{
#ifdef __NR_rename
    if (call.nr == __NR_rename)
        return reinterpret_cast<const char*>(call.args[1]);
#endif
    return IsLink(call) ? "" : reinterpret_cast<const char*>(call.args[3]);
}

TEST_F(CFileTest, ReplacedFileKeepsItsOldContentUntilClose)
{
    CFile file;
    file.Open(PathOf("a.wxl"), CFile::modeReplace);
    file.Write("new content", 11);
    EXPECT_EQ(Content(), "old");
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"}) << "the new content waits in a file without a name";
    file.Close();
    EXPECT_EQ(Content(), "new content");
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
}

TEST_F(CFileTest, AbortOrDestructionBeforeCloseLeavesTheFolderAsItWas)
{
    {
        CFile aborted;
        aborted.Open(PathOf("a.wxl"), CFile::modeReplace);
        aborted.Write("new", 3);
        aborted.Abort();
        CFile dropped;
        dropped.Open(PathOf("a.wxl"), CFile::modeReplace);
        dropped.Write("new", 3);
        CFile fresh;
        fresh.Open(PathOf("b.wxl"), CFile::modeReplace);
    }
    EXPECT_EQ(Content(), "old");
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
}

TEST_F(CFileTest, ReplacedFileKeepsItsPermissionsOwnerAndGroup)
{
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(PathOf("a.wxl"), perms);
    const bool bSuperuser = geteuid() == 0;  // only the superuser can give a file away
    if (bSuperuser) {
        ASSERT_EQ(chown(PathOf("a.wxl").c_str(), 1234, 1234), 0);
    }
    CFile file;
    file.Open(PathOf("a.wxl"), CFile::modeReplace);
    file.Close();
    EXPECT_EQ(fs::status(PathOf("a.wxl")).permissions(), perms);
    struct stat info {};
    ASSERT_EQ(stat(PathOf("a.wxl").c_str(), &info), 0);
    if (bSuperuser) {
        EXPECT_EQ(info.st_uid, 1234u);
        EXPECT_EQ(info.st_gid, 1234u);
    }
}

// The temporary file's name must fit beside a name of the system's longest.
TEST_F(CFileTest, FilesOfTheLongestNamesAreReplaced)
{
    for (const std::size_t nLength : {244u, 255u}) {
        const std::string name = std::string(nLength - 4, 'n') + ".wxl";
        std::ofstream(PathOf(name)) << "old";
        CFile file;
        file.Open(PathOf(name), CFile::modeReplace);
        file.Write("new", 3);
        file.Close();
        std::ifstream in(PathOf(name));
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new") << nLength;
        fs::remove(PathOf(name));
    }
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
}

TEST_F(CFileTest, LoopOfSymbolicLinksIsAnInvalidPathAndStaysALoop)
{
    fs::create_symlink("y.wxl", PathOf("x.wxl"));
    fs::create_symlink("x.wxl", PathOf("y.wxl"));
    CFile file;
    try {
        file.Open(PathOf("x.wxl"), CFile::modeReplace);
        ADD_FAILURE() << "saved into a loop of links";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::badPath);
    }
    EXPECT_EQ(fs::read_symlink(PathOf("x.wxl")), "y.wxl");
    EXPECT_EQ(fs::read_symlink(PathOf("y.wxl")), "x.wxl");
}

TEST_F(CFileTest, SaveKilledMidwayLeavesNothingBehind)
{
    const int nSignal = SignalThatEndedChild([this] {
        CFile file;
        file.Open(PathOf("a.wxl"), CFile::modeReplace);
        file.Write("new", 3);
        raise(SIGKILL);
    });
    EXPECT_EQ(nSignal, SIGKILL);
    EXPECT_EQ(Content(), "old");
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
}

// Where the system cannot keep a temporary file unnamed, the signals that
// end a program remove the registered name first.
TEST_F(CFileTest, EndingSignalsRemoveTheRegisteredTempFileAndStillEndTheProgram)
{
    for (const int nSignal : {SIGTERM, SIGHUP, SIGINT}) {
        const int nEndedBy = SignalThatEndedChild([this, nSignal] {
            fw::RemoveTempFilesOnSignals();
            const int nFolder = open(m_dir.c_str(), O_PATH | O_DIRECTORY);
            std::ofstream(PathOf(".save.tmp")) << "half";
            const fw::CTempFileRegistration registration(nFolder, ".save.tmp");
            raise(nSignal);
        });
        EXPECT_EQ(nEndedBy, nSignal);
        EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"}) << "signal " << nSignal;
    }
}

// A path that is a file when looked at and a named pipe when opened must not
// leave the open waiting for a writer: the path is swapped with a pipe's
// name, over and over, while it is opened again and again.
TEST_F(CFileTest, PathSwappedForANamedPipeIsNeverWaitedOn)
{
    ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0644), 0);
    std::atomic<bool> bStop = false;
    std::thread swapper([&] {
        while (!bStop)
            renameat2(AT_FDCWD, PathOf("a.wxl").c_str(), AT_FDCWD, PathOf("pipe").c_str(), RENAME_EXCHANGE);
    });
    auto opens = std::async(std::launch::async, [&] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!bStop && std::chrono::steady_clock::now() < end) {
            CFile file;
            try {
                file.Open(PathOf("a.wxl"), CFile::modeRead);
            } catch (const CFileException&) {
            }
        }
    });
    const bool bFinished = opens.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    bStop = true;
    swapper.join();
    // An open that waits is released by a writer, so that the test can end.
    while (opens.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        for (const char* name : {"a.wxl", "pipe"}) {
            const int fd = open(PathOf(name).c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                close(fd);
        }
    }
    EXPECT_TRUE(bFinished) << "an open waited for the pipe's writer";
}

TEST_F(CFileTest, FolderIsNeitherReadNorReplaced)
{
    for (const CFile::Mode mode : {CFile::modeRead, CFile::modeReplace}) {
        CFile file;
        try {
            file.Open(m_dir.string(), mode);
            ADD_FAILURE() << "opened a folder in mode " << mode;
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, CFileException::accessDenied);
            EXPECT_EQ(e.m_strFileName, m_dir.string());
        }
    }
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
}

TEST_F(CFileTest, ReadOnlyFileIsNotReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind root";
    fs::permissions(PathOf("a.wxl"), fs::perms::owner_read);
    CFile file;
    try {
        file.Open(PathOf("a.wxl"), CFile::modeReplace);
        ADD_FAILURE() << "opened a read-only file for replacing";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.GetErrorMessage(), "对 " + PathOf("a.wxl") + " 的存取被拒绝。");
    }
    EXPECT_EQ(Content(), "old");
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
}

// Files that only make sense together (the pages of one document) replace
// their targets all or none: when the last cannot be put in place, the
// first, already renamed, get their old files back and the new names go.
TEST_F(CFileTest, StagedFilesThatCannotAllBePutInPlaceLeaveEveryTargetAsItWas)
{
    fs::create_directory(PathOf("gone"));
    CStagedFiles staged;
    for (const char* pszName : {"a.wxl", "b.wxl", "gone/c.wxl"}) {
        CFile file;
        file.Open(PathOf(pszName), CFile::modeReplace);
        file.Write("new", 3);
        file.Stage(staged);
    }
    EXPECT_EQ(Content(), "old");
    // The last file's folder goes, and the staged file with it.
    fs::remove_all(PathOf("gone"));

    try {
        staged.Commit();
        ADD_FAILURE() << "put a file in a folder that is gone";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_strFileName, PathOf("gone/c.wxl"));
        EXPECT_EQ(e.m_nOsError, ENOENT);
    }
    EXPECT_EQ(Content(), "old");
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
    EXPECT_EQ(staged.GetCount(), 0u);

    {
        CStagedFiles together;
        CFile file;
        file.Open(PathOf("a.wxl"), CFile::modeReplace);
        file.Write("new", 3);
        file.Stage(together);
        together.Commit();
    }
    EXPECT_EQ(Content(), "new");
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"a.wxl"});
}

// Where no hard link can keep a target's old file (FAT, exFAT), the old file
// is renamed aside instead, and put back when the set cannot be completed,
// also for targets whose new file was never put in place.
TEST_F(CFileTest, StagedFilesReplaceTheirTargetsAllOrNoneWhereNoHardLinkCanBeMade)
{
    for (const char* pszName : {"b.wxl", "c.wxl"})
        std::ofstream(PathOf(pszName)) << "old";
    const std::set<std::string> targets{"a.wxl", "b.wxl", "c.wxl"};
    const auto failLinks = [](const seccomp_data& call) { return IsLink(call) ? EPERM : 0; };
    const auto stage = [this](CStagedFiles& staged, const char* pszName) {
        CFile file;
        file.Open(PathOf(pszName), CFile::modeReplace);
        file.Write("new", 3);
        file.Stage(staged);
    };
    {
        CStagedFiles staged;
        stage(staged, "a.wxl");
        // The new file for c.wxl goes before the commit, so that the second
        // target cannot be replaced: the first is by then, the third not.
        const std::set<std::string> before = FilesInFolder();
        stage(staged, "c.wxl");
        for (const std::string& name : FilesInFolder())
            if (before.count(name) == 0)
                fs::remove(PathOf(name));
        stage(staged, "b.wxl");

        const ChildResult result = RunWithFailingCalls(failLinks, [&] {
            try {
                staged.Commit();
            } catch (const CFileException& e) {
                return e.m_strFileName == PathOf("c.wxl") && e.m_nOsError == ENOENT;
            }
            return false;
        });
        if (result == ChildResult::couldNotRun)
            GTEST_SKIP() << "no system call filter here to make calls fail";
        EXPECT_EQ(result, ChildResult::succeeded) << "the commit did not fail for c.wxl alone";
    }
    for (const std::string& name : targets)
        EXPECT_EQ(Content(name), "old") << name;
    EXPECT_EQ(FilesInFolder(), targets);

    {
        CStagedFiles staged;
        for (const std::string& name : targets)
            stage(staged, name.c_str());
        EXPECT_EQ(RunWithFailingCalls(failLinks,
                                      [&] {
                                          try {
                                              staged.Commit();
                                              return true;
                                          } catch (const CFileException&) {
                                              return false;
                                          }
                                      }),
                  ChildResult::succeeded);
    }
    for (const std::string& name : targets)
        EXPECT_EQ(Content(name), "new") << name;
    EXPECT_EQ(FilesInFolder(), targets);
}

// When a target's old file cannot be renamed back (a failing disk), the new
// file stays in place and the old one beside it under its hidden name: the
// last copy of that content is not removed.
TEST_F(CFileTest, OldFileThatCannotBePutBackIsKeptUnderItsHiddenName)
{
    fs::create_directory(PathOf("gone"));
    CStagedFiles staged;
    for (const char* pszName : {"a.wxl", "gone/c.wxl"}) {
        CFile file;
        file.Open(PathOf(pszName), CFile::modeReplace);
        file.Write("new", 3);
        file.Stage(staged);
    }
    fs::remove_all(PathOf("gone"));

    // The first rename to a.wxl puts the new file in place, the second would
    // put the old one back.
    int nRenamesToTarget = 0;
    const auto failPutBack = [&](const seccomp_data& call) {
        return RenamedTo(call) == PathOf("a.wxl") && ++nRenamesToTarget == 2 ? EIO : 0;
    };
    const ChildResult result = RunWithFailingCalls(failPutBack, [&] {
        try {
            staged.Commit();
        } catch (const CFileException& e) {
            return e.m_strFileName == PathOf("gone/c.wxl");
        }
        return false;
    });
    if (result == ChildResult::couldNotRun)
        GTEST_SKIP() << "no system call filter here to make calls fail";
    EXPECT_EQ(result, ChildResult::succeeded);

    EXPECT_EQ(Content(), "new");
    const std::set<std::string> names = FilesInFolder();
    ASSERT_EQ(names.size(), 2u);
    const std::string strKeptName = *names.begin() == "a.wxl" ? *names.rbegin() : *names.begin();
    EXPECT_EQ(strKeptName.front(), '.');
    EXPECT_EQ(Content(strKeptName), "old");
}

}  // namespace
