// The recent-file list: its four entries in the File menu, what choosing one
// does, its place in the settings, and the shortened paths it shows.
#include "GuiFixture.h"

#include "fw/gui/CRecentFileList.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

using Strings = std::vector<std::string>;

class RecentFileListTest : public GuiTest {
protected:
    Strings RecentFiles() const
    {
        Strings files;
        const CRecentFileList& list = *m_pApp->GetRecentFileList();
        for (int i = 0; i < list.GetSize(); ++i)
            files.push_back(list[i]);
        return files;
    }

    // The texts of the shown entries, after an update like the one of idle time.
    Strings MenuEntries() const
    {
        Frame()->UpdateCommandUI();
        Strings texts;
        for (unsigned nID = ID_FILE_MRU_FILE1; nID <= ID_FILE_MRU_FILE4; ++nID) {
            QAction* pAction = Frame()->CommandAction(nID);
            if (pAction->isVisible() && pAction->isEnabled())
                texts.push_back(pAction->text().toStdString());
        }
        return texts;
    }

    Strings OpenGames(const Strings& names)
    {
        Strings paths;
        for (const std::string& name : names) {
            paths.push_back(WriteGame(name, {{4, 4}}));
            OpenThroughMenu(paths.back());
        }
        return paths;
    }
};

TEST_F(RecentFileListTest, OpeningAFifthFilePushesTheOldestOut)
{
    ASSERT_NO_FATAL_FAILURE(StartWithNewGame());
    const Strings paths = OpenGames({"a.wxl", "b.wxl", "c.wxl", "d.wxl", "e.wxl"});

    EXPECT_EQ(RecentFiles(), (Strings{paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_EQ(MenuEntries(), (Strings{"&1 " + AbbreviatePath(paths[4], 30), "&2 " + AbbreviatePath(paths[3], 30),
                                      "&3 " + AbbreviatePath(paths[2], 30), "&4 " + AbbreviatePath(paths[1], 30)}));
}

TEST_F(RecentFileListTest, OpeningAListedFileAgainMovesItToTheTop)
{
    ASSERT_NO_FATAL_FAILURE(StartWithNewGame());
    const Strings paths = OpenGames({"a.wxl", "b.wxl", "c.wxl"});
    ASSERT_TRUE(Run(ID_FILE_MRU_FILE3));

    EXPECT_EQ(Doc()->GetPathName(), paths[0]);
    EXPECT_EQ(RecentFiles(), (Strings{paths[0], paths[2], paths[1]}));
}

TEST_F(RecentFileListTest, EntriesAreNumberedAndShortenedToThirtyCharacters)
{
    ASSERT_NO_FATAL_FAILURE(StartWithNewGame());
    fs::create_directories(PathOf("a-rather-long-folder/and-a-deeper-one"));
    OpenThroughMenu(WriteGame("a-rather-long-folder/and-a-deeper-one/game.wxl", {{4, 4}}));

    const Strings entries = MenuEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], "&1 /.../and-a-deeper-one/game.wxl");
}

TEST_F(RecentFileListTest, ChoosingAVanishedFileReportsItAndDropsItsEntry)
{
    ASSERT_NO_FATAL_FAILURE(StartWithNewGame());
    const Strings paths = OpenGames({"a.wxl", "b.wxl"});
    fs::remove(paths[0]);

    EXPECT_TRUE(Run(ID_FILE_MRU_FILE2));
    EXPECT_EQ(m_prompts.m_messages, Strings{"没有找到 " + paths[0] + "。"});
    EXPECT_EQ(RecentFiles(), Strings{paths[1]});
    EXPECT_EQ(MenuEntries(), Strings{"&1 " + AbbreviatePath(paths[1], 30)});
    EXPECT_FALSE(Enabled(ID_FILE_MRU_FILE2));
    EXPECT_EQ(Doc()->GetPathName(), paths[1]);
}

TEST_F(RecentFileListTest, ListIsWrittenAtExitAndReadAtTheNextStart)
{
    ASSERT_NO_FATAL_FAILURE(StartWithNewGame());
    const Strings paths = OpenGames({"a.wxl", "b.wxl"});
    ExitApp();

    {
        const auto pSettings = ClientSettings();
        pSettings->beginGroup(QStringLiteral("Recent File List"));
        EXPECT_EQ(pSettings->childKeys(), (QStringList{QStringLiteral("File1"), QStringLiteral("File2")}));
        EXPECT_EQ(pSettings->value(QStringLiteral("File1")).toString().toStdString(), paths[1]);
        EXPECT_EQ(pSettings->value(QStringLiteral("File2")).toString().toStdString(), paths[0]);
    }

    ASSERT_NO_FATAL_FAILURE(StartWithNewGame());
    EXPECT_EQ(RecentFiles(), (Strings{paths[1], paths[0]}));
    EXPECT_EQ(MenuEntries().size(), 2u);
}

TEST_F(RecentFileListTest, FourEntriesFromEarlierRunsAreShownAndLaterOnesIgnored)
{
    {
        const auto pSettings = ClientSettings();
        for (int i = 1; i <= 5; ++i)
            pSettings->setValue(QStringLiteral("Recent File List/File%1").arg(i), QStringLiteral("/games/%1.wxl").arg(i));
    }
    ASSERT_NO_FATAL_FAILURE(StartWithNewGame());
    EXPECT_EQ(MenuEntries(), (Strings{"&1 /games/1.wxl", "&2 /games/2.wxl", "&3 /games/3.wxl", "&4 /games/4.wxl"}));
}

TEST_F(RecentFileListTest, AnAmpersandInAPathIsShownAsItIs)
{
    ClientSettings()->setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/games/a&b.wxl"));
    ASSERT_NO_FATAL_FAILURE(StartWithNewGame());

    EXPECT_EQ(RecentFiles(), Strings{"/games/a&b.wxl"});
    EXPECT_EQ(MenuEntries(), Strings{"&1 /games/a&&b.wxl"});
    // What the menu shows: the mnemonic marks taken out.
    EXPECT_EQ(Frame()->CommandAction(ID_FILE_MRU_FILE1)->iconText(), QStringLiteral("1 /games/a&b.wxl"));
}

TEST_F(RecentFileListTest, AFileNameThatIsNotUtf8KeepsItsBytesThroughTheSettings)
{
    const std::string strPath = m_dir.path().toStdString() + "/game\xFF.wxl";
    std::ofstream(strPath, std::ios::binary) << RecordBytes({{4, 4}});
    ASSERT_TRUE(StartApp({strPath}));
    EXPECT_EQ(RecentFiles(), Strings{strPath});
    ExitApp();

    ASSERT_NO_FATAL_FAILURE(StartWithNewGame());
    EXPECT_EQ(RecentFiles(), Strings{strPath});
    EXPECT_TRUE(Run(ID_FILE_MRU_FILE1));
    EXPECT_EQ(Doc()->GetPathName(), strPath);
    EXPECT_EQ(EntriesOf(*Doc()), (std::vector<MovePoint>{{4, 4}}));
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

TEST(AbbreviatePath, ShortPathsStayWhole)
{
    EXPECT_EQ(AbbreviatePath("game.wxl", 30), "game.wxl");
    EXPECT_EQ(AbbreviatePath("/home/player/games/go/game.wxl", 30), "/home/player/games/go/game.wxl");
}

TEST(AbbreviatePath, LongPathsKeepTheRootAndTheLastFoldersThatFit)
{
    EXPECT_EQ(AbbreviatePath("/home/player/games/go/2024/game.wxl", 30), "/.../games/go/2024/game.wxl");
    EXPECT_EQ(AbbreviatePath("/home/player/a-long-folder-name/game.wxl", 30), "/.../game.wxl");
    EXPECT_EQ(AbbreviatePath("C:/Users/player/Documents/games/game.wxl", 30), "C:/.../games/game.wxl");
}

TEST(AbbreviatePath, FileNameAloneWhenNothingElseFits)
{
    EXPECT_EQ(AbbreviatePath("/home/player/a-game-with-a-very-long-name.wxl", 30), "a-game-with-a-very-long-name.wxl");
    EXPECT_EQ(AbbreviatePath("a-game-with-a-much-longer-name-still.wxl", 30), "a-game-with-a-much-longer-name-still.wxl");
}

TEST(AbbreviatePath, CountsCharactersNotBytes)
{
    // 26 characters, 62 bytes.
    const std::string strPath = "/棋谱/三色围棋/二〇二四年/第一局对局记录.wxl";
    EXPECT_EQ(AbbreviatePath(strPath, 30), strPath);
    EXPECT_EQ(AbbreviatePath(strPath, 22), "/.../二〇二四年/第一局对局记录.wxl");
    EXPECT_EQ(AbbreviatePath(strPath, 21), "/.../第一局对局记录.wxl");
}

}  // namespace
