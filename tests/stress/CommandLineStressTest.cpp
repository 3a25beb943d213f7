// Odd command lines: what the parser records, and how a real start ends with
// them (a window or not, and the message shown).
#include "gui/GuiFixture.h"

#include <QApplication>
#include <QDir>
#include <QPrinterInfo>

#include <algorithm>

namespace {

using Strings = std::vector<std::string>;

CCommandLineInfo Parse(const Strings& args)
{
    CCommandLineInfo info;
    ParseCommandLine(info, args);
    return info;
}

class OddCommandLineTest : public GuiTest {
protected:
    ~OddCommandLineTest() override { QDir::setCurrent(m_strOldCurrent); }

    // Starts a new application object with args; true when a window is on
    // screen afterwards. Start-up must go on exactly when it is.
    bool StartsWithWindow(const Strings& args)
    {
        m_prompts.m_messages.clear();
        const bool bStarted = StartApp(args);
        const QWidgetList windows = QApplication::topLevelWidgets();
        const bool bShown = std::any_of(windows.begin(), windows.end(), [](QWidget* p) { return p->isVisible(); });
        EXPECT_EQ(bStarted, bShown);
        return bShown;
    }

    void ExpectNewGameShown(const Strings& args)
    {
        SCOPED_TRACE(::testing::PrintToString(args).substr(0, 200));
        ASSERT_TRUE(StartsWithWindow(args));
        EXPECT_TRUE(m_prompts.m_messages.empty());
        EXPECT_EQ(Doc()->GetTitle(), "Wexlan");
        EXPECT_EQ(Doc()->GetMoves().GetSize(), 0);
    }

    void ExpectGameShown(const Strings& args, const std::string& strTitle)
    {
        ASSERT_TRUE(StartsWithWindow(args));
        EXPECT_TRUE(m_prompts.m_messages.empty());
        EXPECT_EQ(Doc()->GetTitle(), strTitle);
        EXPECT_EQ(EntriesOf(*Doc()), m_game);
    }

    void ExpectNoWindowAndMessage(const Strings& args, const std::string& strMessage)
    {
        EXPECT_FALSE(StartsWithWindow(args));
        EXPECT_EQ(m_prompts.m_messages, Strings{strMessage});
    }

    const std::vector<MovePoint> m_game{{4, 4}, {16, 16}, PASS_MARK};
    QString m_strOldCurrent = QDir::currentPath();
};

TEST_F(OddCommandLineTest, AHundredKilobyteFileNameIsKeptWholeAndReportedAsAnInvalidPath)
{
    const std::string strPath = PathOf(std::string(100 * 1024, 'a') + ".wxl");
    const CCommandLineInfo info = Parse({strPath});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(info.m_strFileName, strPath);
    ExpectNoWindowAndMessage({strPath}, strPath + " 包含一个无效路径。");
}

TEST_F(OddCommandLineTest, HundredsOfParametersFillOnlyTheFileAndThePrinterFields)
{
    Strings args{WriteGame("game.wxl", m_game)};
    for (int i = 0; i < 500; ++i)
        args.push_back("p" + std::to_string(i));
    EXPECT_EQ(Parse(args).m_strFileName, args[0]);
    EXPECT_EQ(Parse(args).m_strPrinterName, "");
    ExpectGameShown(args, "game.wxl");

    args.insert(args.begin(), "-pt");
    const CCommandLineInfo printTo = Parse(args);
    EXPECT_EQ(printTo.m_strPrinterName, "p0");
    EXPECT_EQ(printTo.m_strDriverName, "p1");
    EXPECT_EQ(printTo.m_strPortName, "p2");
}

TEST_F(OddCommandLineTest, UnknownSwitchesEmptyArgumentsAndBarePrefixesStartANewGame)
{
    const Strings args{"", "-x", "--", "-", "-P", "-DDE", "-pT", "-Unreg", "--p", "-" + std::string(100 * 1024, 'p')};
    const CCommandLineInfo info = Parse(args);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_EQ(info.m_strFileName, "");
    EXPECT_TRUE(info.m_bShowSplash);
    ExpectNewGameShown(args);
    for (const std::string strArg : {"", "--", "-"})
        ExpectNewGameShown({strArg});
}

TEST_F(OddCommandLineTest, AFileNamedLikeASwitchOpensOnlyWithAPathInFront)
{
    WriteGame("-p.wxl", m_game);
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));

    // "-p.wxl" is the unknown switch "p.wxl": no file, no printing.
    EXPECT_EQ(Parse({"-p.wxl"}).m_strFileName, "");
    ExpectNewGameShown({"-p.wxl"});

    EXPECT_EQ(Parse({"./-p.wxl"}).m_nShellCommand, CCommandLineInfo::FileOpen);
    ExpectGameShown({"./-p.wxl"}, "-p.wxl");
}

#ifndef _WIN32
TEST_F(OddCommandLineTest, ASlashAloneOrBeforeAnUnknownNameIsAFileName)
{
    EXPECT_EQ(Parse({"/"}).m_strFileName, "/");
    EXPECT_EQ(Parse({"/nosuchswitch"}).m_nShellCommand, CCommandLineInfo::FileOpen);
    ExpectNoWindowAndMessage({"/"}, "对 / 的存取被拒绝。");  // a folder is no game
    ExpectNoWindowAndMessage({"/nosuchswitch"}, "没有找到 /nosuchswitch。");
}
#endif

TEST_F(OddCommandLineTest, UnicodeFileNamesOpenAndNameTheGame)
{
    const std::string strName = "棋谱 第一局 ☯🀄 ÄÖü.wxl";
    const std::string strPath = WriteGame(strName, m_game);
    EXPECT_EQ(Parse({strPath}).m_strFileName, strPath);
    ExpectGameShown({strPath}, strName);

    const std::string strMissing = PathOf("没有这局.wxl");
    ExpectNoWindowAndMessage({strMissing}, "没有找到 " + strMissing + "。");
}

TEST_F(OddCommandLineTest, SwitchesAfterTheFileStillApply)
{
    const std::string strPath = WriteGame("game.wxl", m_game);

    // Embedding only changes the record: the file is opened and shown.
    const CCommandLineInfo embedded = Parse({strPath, "-Embedding"});
    EXPECT_EQ(embedded.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_TRUE(embedded.m_bRunEmbedded);
    EXPECT_FALSE(embedded.m_bShowSplash);
    ExpectGameShown({strPath, "-Embedding"}, "game.wxl");

    // Waiting for DDE is a plain start: the file is not opened.
    EXPECT_EQ(Parse({strPath, "-dde"}).m_nShellCommand, CCommandLineInfo::FileDDE);
    ExpectNewGameShown({strPath, "-dde"});

    EXPECT_EQ(Parse({strPath, "-UNREGSERVER"}).m_nShellCommand, CCommandLineInfo::AppUnregister);
    ExpectNoWindowAndMessage({strPath, "-UNREGSERVER"}, "系统注册项已被移除并且相应的 INI 文件（假如存在）也被删除。");
}

TEST_F(OddCommandLineTest, PrintToWithFewerThanThreePrinterParametersPrintsNothingAndEnds)
{
    const CCommandLineInfo bare = Parse({"-pt"});
    EXPECT_EQ(bare.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_EQ(bare.m_strFileName, "");
    const CCommandLineInfo oneParameter = Parse({"-pt", "game.wxl", "Printer"});
    EXPECT_EQ(oneParameter.m_strPrinterName, "Printer");
    EXPECT_EQ(oneParameter.m_strDriverName, "");
    EXPECT_EQ(oneParameter.m_strPortName, "");

    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed; the starts below would print on it";
    const std::string strPath = WriteGame("game.wxl", m_game);
    ExpectNoWindowAndMessage({"-pt", strPath, "No Such Printer"}, "无法启动打印作业。");
    ExpectNoWindowAndMessage({"-pt", strPath}, "无法启动打印作业。");
    ExpectNoWindowAndMessage({strPath, "-p"}, "无法启动打印作业。");
    // Without a file name there is nothing to open, let alone print.
    ExpectNoWindowAndMessage({"-pt"}, "没有找到 。");
}

}  // namespace
