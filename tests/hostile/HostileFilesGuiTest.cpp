// Files a user can pick in the program's File commands that are not plain
// game records in a plain folder: folders, locked files, a full disk, a pipe,
// Chinese names, a huge record, symbolic links. Each is refused with the
// program's message for its cause, or works; the game on screen and the files
// on disk survive every refusal.
#include "HostileFiles.h"
#include "fw/gui/CRecentFileList.h"
#include "gui/GuiFixture.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using hostile::CNobodyScope;
using hostile::CPipeFeeder;
using hostile::CSmallDisk;
using hostile::FileNames;
using hostile::LargeRecordEntry;

using Strings = std::vector<std::string>;
using Entries = std::vector<MovePoint>;

const Entries kThreeStones{{4, 4}, {16, 16}, {10, 10}};

std::string AccessDenied(const std::string& strPath)
{
    return "对 " + strPath + " 的存取被拒绝。";
}

class HostileFilesGuiTest : public GuiTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(GuiTest::SetUp());
        StartWithNewGame();
    }

    fs::path Dir() const { return m_dir.path().toStdString(); }

    // A new game with two stones: modified, no path.
    void RecordTwoStones()
    {
        Doc()->RecordMoveAt(4, 4);
        Doc()->RecordMoveAt(16, 16);
    }

    void ExpectTwoStonesKept() const
    {
        EXPECT_EQ(EntriesOf(*Doc()), (Entries{{4, 4}, {16, 16}}));
        EXPECT_EQ(Doc()->GetCurMove(), 2);
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_EQ(Doc()->GetTitle(), "Wexlan");
        EXPECT_EQ(Doc()->GetPathName(), "");
    }

    // File > Open, answering No to the question about the modified game.
    void OpenDiscardingTheGame(const std::string& strPath)
    {
        m_prompts.m_answers.push_back(Answer::No);
        OpenThroughMenu(strPath);
    }
};

TEST_F(HostileFilesGuiTest, OpeningAFolderIsRefusedAndTheGameKept)
{
    RecordTwoStones();
    const std::string strFolder = PathOf("folder.wxl");
    fs::create_directory(strFolder);
    OpenDiscardingTheGame(strFolder);

    EXPECT_EQ(m_prompts.m_messages, Strings{AccessDenied(strFolder)});
    ExpectTwoStonesKept();
}

TEST_F(HostileFilesGuiTest, SaveAsOntoAFolderIsRefusedAndLeavesTheFolderAlone)
{
    RecordTwoStones();
    const std::string strFolder = PathOf("folder.wxl");
    fs::create_directory(strFolder);
    m_prompts.m_fileNames = {strFolder};
    Run(ID_FILE_SAVE_AS);

    EXPECT_EQ(m_prompts.m_messages, Strings{AccessDenied(strFolder)});
    ExpectTwoStonesKept();
    EXPECT_TRUE(fs::is_directory(strFolder));
    EXPECT_TRUE(fs::is_empty(strFolder));
    EXPECT_EQ(FileNames(Dir()), std::set<std::string>{"folder.wxl"});
}

TEST_F(HostileFilesGuiTest, OpeningAFileWithoutReadPermissionIsRefusedAndTheGameKept)
{
    RecordTwoStones();
    const std::string strPath = WriteGame("locked.wxl", kThreeStones);
    fs::permissions(strPath, fs::perms::none);
    {
        const CNobodyScope nobody(Dir());
        if (!nobody.Works())
            GTEST_SKIP() << "the superuser cannot take the rights of nobody here";
        OpenDiscardingTheGame(strPath);
    }

    EXPECT_EQ(m_prompts.m_messages, Strings{AccessDenied(strPath)});
    ExpectTwoStonesKept();
    EXPECT_EQ(m_pApp->GetRecentFileList()->GetSize(), 0);
}

TEST_F(HostileFilesGuiTest, SavingOverAReadOnlyFileLeavesItUntouchedAndTheGameModified)
{
    const std::string strPath = WriteGame("readonly.wxl", kThreeStones);
    OpenThroughMenu(strPath);
    Doc()->RecordMoveAt(3, 3);
    fs::permissions(strPath, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    {
        // The folder is writable for everyone meanwhile: only the file's own
        // protection stands between the save and the old record.
        const CNobodyScope nobody(Dir());
        if (!nobody.Works())
            GTEST_SKIP() << "the superuser cannot take the rights of nobody here";
        Run(ID_FILE_SAVE);
    }

    EXPECT_EQ(m_prompts.m_messages, Strings{AccessDenied(strPath)});
    EXPECT_EQ(ReadBytes(strPath), RecordBytes(kThreeStones));
    EXPECT_EQ(EntriesOf(*Doc()), (Entries{{3, 3}}));
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(FileNames(Dir()), std::set<std::string>{"readonly.wxl"});
}

TEST_F(HostileFilesGuiTest, SavingOnAFullDiskReportsItKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    const CSmallDisk disk(Dir() / "disk", 64);
    if (!disk.IsMounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    const std::string strPath = (Dir() / "disk" / "game.wxl").string();
    hostile::WriteBytes(strPath, RecordBytes(kThreeStones));
    OpenThroughMenu(strPath);
    for (int i = 0; i < 20000; ++i)  // 160 KB of record for 64 KB of disk
        Doc()->RecordPass();
    Run(ID_FILE_SAVE);

    EXPECT_EQ(m_prompts.m_messages, Strings{"访问 " + strPath + " 时磁盘已满。"});
    EXPECT_EQ(ReadBytes(strPath), RecordBytes(kThreeStones));
    EXPECT_EQ(Doc()->GetMoves().GetSize(), 20000);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(FileNames(Dir() / "disk"), std::set<std::string>{"game.wxl"});
}

TEST_F(HostileFilesGuiTest, APipeThatDeliversFewerEntriesThanItAnnouncesIsNotLoadedAsAGame)
{
    RecordTwoStones();
    const std::string strPath = PathOf("pipe.wxl");
    CPipeFeeder feeder(strPath, RecordBytes({{4, 4}, {5, 5}, {6, 6}}).substr(0, 2 + 8));
    OpenDiscardingTheGame(strPath);
    feeder.Finish();

    // Refused either as a file the program does not read (the game stays) or
    // as a record that ends early (a new game takes its place); never loaded.
    ASSERT_EQ(m_prompts.m_messages.size(), 1u) << "loaded as a game of " << Doc()->GetMoves().GetSize() << " entries";
    if (m_prompts.m_messages[0] == "非预期的文件格式。") {
        EXPECT_EQ(Doc()->GetTitle(), "Wexlan");
        EXPECT_EQ(Doc()->GetMoves().GetSize(), 0);
        EXPECT_FALSE(Doc()->IsModified());
    } else {
        EXPECT_EQ(m_prompts.m_messages[0], AccessDenied(strPath));
        ExpectTwoStonesKept();
    }
    EXPECT_EQ(m_pApp->GetRecentFileList()->GetSize(), 0);
}

TEST_F(HostileFilesGuiTest, ChineseNamesWithSpacesOpenSaveAndComeBackFromTheRecentFileList)
{
    fs::create_directory(PathOf("我的 棋谱"));
    const std::string strPath = WriteGame("我的 棋谱/第一 局.wxl", kThreeStones);
    OpenThroughMenu(strPath);
    EXPECT_EQ(Doc()->GetTitle(), "第一 局.wxl");
    EXPECT_EQ(EntriesOf(*Doc()), kThreeStones);

    Doc()->RecordMoveAt(3, 3);
    Run(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(strPath), RecordBytes({{3, 3}}));

    const std::string strCopy = PathOf("我的 棋谱/另存 一份.wxl");
    m_prompts.m_fileNames = {strCopy};
    Run(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadBytes(strCopy), RecordBytes({{3, 3}}));
    EXPECT_EQ(Doc()->GetTitle(), "另存 一份.wxl");
    EXPECT_TRUE(m_prompts.m_messages.empty());

    Frame()->UpdateCommandUI();
    const std::string strEntry = Frame()->CommandAction(ID_FILE_MRU_FILE1)->text().toStdString();
    EXPECT_EQ(strEntry, "&1 " + AbbreviatePath(strCopy, 30));
    EXPECT_TRUE(strEntry.ends_with("/另存 一份.wxl")) << strEntry;

    ExitApp();
    ASSERT_TRUE(StartApp());
    ASSERT_EQ(m_pApp->GetRecentFileList()->GetSize(), 2);
    EXPECT_EQ((*m_pApp->GetRecentFileList())[0], strCopy);
    EXPECT_TRUE(Run(ID_FILE_MRU_FILE2));
    EXPECT_EQ(Doc()->GetPathName(), strPath);
    EXPECT_EQ(EntriesOf(*Doc()), (Entries{{3, 3}}));
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

TEST_F(HostileFilesGuiTest, AHundredMegabyteRecordOpensAtItsStartWithMemoryInProportion)
{
    constexpr std::uint32_t kCount = 13'000'000;
    const fs::path path = Dir() / "huge.wxl";
    hostile::WriteLargeRecord(path, kCount);
    const std::uint64_t nFileBytes = fs::file_size(path);
    ASSERT_EQ(nFileBytes, 6 + 8ull * kCount);

    const std::uint64_t nBefore = hostile::ResidentBytes();
    OpenThroughMenu(path.string());
    const std::uint64_t nAfter = hostile::ResidentBytes();
    fs::remove(path);

    EXPECT_TRUE(m_prompts.m_messages.empty());
    ASSERT_EQ(Doc()->GetMoves().GetSize(), static_cast<int>(kCount));
    EXPECT_EQ(Doc()->GetCurMove(), 0);
    EXPECT_FALSE(Doc()->IsModified());
    for (const std::uint32_t i : {0u, 96u, kCount / 2, kCount - 1})
        EXPECT_EQ(Doc()->GetMoves()[static_cast<int>(i)], LargeRecordEntry(i)) << "entry " << i;
    EXPECT_LT(nAfter - std::min(nBefore, nAfter), 2 * nFileBytes);
}

TEST_F(HostileFilesGuiTest, OpeningASymbolicLinkLoadsTheGameItPointsTo)
{
    fs::create_directory(PathOf("games"));
    WriteGame("games/target.wxl", kThreeStones);
    const std::string strLink = PathOf("link.wxl");
    fs::create_symlink("games/target.wxl", strLink);
    OpenThroughMenu(strLink);

    EXPECT_TRUE(m_prompts.m_messages.empty());
    EXPECT_EQ(EntriesOf(*Doc()), kThreeStones);
    EXPECT_EQ(Doc()->GetCurMove(), 0);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(HostileFilesGuiTest, SavingThroughASymbolicLinkWritesItsTargetAndKeepsTheLink)
{
    fs::create_directory(PathOf("games"));
    const std::string strTarget = WriteGame("games/target.wxl", kThreeStones);
    const std::string strLink = PathOf("link.wxl");
    fs::create_symlink("games/target.wxl", strLink);
    OpenThroughMenu(strLink);
    Doc()->RecordMoveAt(3, 3);
    Run(ID_FILE_SAVE);

    EXPECT_TRUE(m_prompts.m_messages.empty());
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(fs::is_symlink(strLink)) << "the save put a regular file in place of the link";
    EXPECT_EQ(ReadBytes(strTarget), RecordBytes({{3, 3}}));
    EXPECT_EQ(FileNames(Dir()), (std::set<std::string>{"games", "link.wxl"}));
    EXPECT_EQ(FileNames(Dir() / "games"), std::set<std::string>{"target.wxl"});
}

TEST_F(HostileFilesGuiTest, OpeningADanglingSymbolicLinkReportsItAsNotFoundAndKeepsTheGame)
{
    RecordTwoStones();
    const std::string strLink = PathOf("gone.wxl");
    fs::create_symlink("missing.wxl", strLink);
    OpenDiscardingTheGame(strLink);

    EXPECT_EQ(m_prompts.m_messages, Strings{"没有找到 " + strLink + "。"});
    ExpectTwoStonesKept();
    EXPECT_TRUE(fs::is_symlink(strLink));
}

}  // namespace
