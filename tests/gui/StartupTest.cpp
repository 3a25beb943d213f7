// Start-up with the arguments of the command line: a new game, a file, a
// file that cannot be loaded, the unregister switch and the print switch.
#include "GuiFixture.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace {

using Strings = std::vector<std::string>;

bool AnyWindowShown()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](const QWidget* pWindow) { return pWindow->isVisible(); });
}

class StartupTest : public GuiTest {
protected:
    // Settings as an earlier run leaves them.
    static void WriteEarlierSettings()
    {
        const auto pSettings = ClientSettings();
        pSettings->setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/games/old.wxl"));
        pSettings->setValue(QStringLiteral("Settings/PreviewPages"), 2);
    }
};

TEST_F(StartupTest, WithoutArgumentsTheMainWindowShowsANewGame)
{
    ASSERT_TRUE(StartApp());
    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(Frame()->windowTitle(), QString::fromUtf8(CMainFrame::kCaption));
    EXPECT_TRUE(Frame()->GetToolBar()->isVisible());
    EXPECT_TRUE(Frame()->statusBar()->isVisible());
    EXPECT_EQ(Doc()->GetTitle(), "Wexlan");
    EXPECT_EQ(Doc()->GetMoves().GetSize(), 0);
    EXPECT_EQ(Doc()->GetCurMove(), 0);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

TEST_F(StartupTest, TheViewHoldsTheBoardAndTheCaptionLineBelowIt)
{
    ASSERT_TRUE(StartApp());
    const QWidget* pView = Frame()->centralWidget();
    ASSERT_NE(pView, nullptr);
    EXPECT_GE(pView->width(), 600);
    EXPECT_GE(pView->height(), 630);  // the caption line is drawn from y = 610
}

TEST_F(StartupTest, AFileArgumentIsLoadedAndShownAtItsStart)
{
    const std::string strPath = WriteGame("game.wxl", {{4, 4}, {16, 16}});
    ASSERT_TRUE(StartApp({strPath}));
    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(Doc()->GetTitle(), "game.wxl");
    EXPECT_EQ(EntriesOf(*Doc()), (std::vector<MovePoint>{{4, 4}, {16, 16}}));
    EXPECT_EQ(Doc()->GetCurMove(), 0);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

TEST_F(StartupTest, AMissingFileIsReportedAndNoWindowStays)
{
    const std::string strPath = PathOf("missing.wxl");
    EXPECT_FALSE(StartApp({strPath}));
    EXPECT_EQ(m_prompts.m_messages, Strings{"没有找到 " + strPath + "。"});
    EXPECT_EQ(m_pApp->GetMainWnd(), nullptr);
    EXPECT_FALSE(AnyWindowShown());
}

TEST_F(StartupTest, AMalformedFileIsReportedAndNoWindowStays)
{
    EXPECT_FALSE(StartApp({WriteBytes("broken.wxl", std::string(1, '\x01'))}));
    EXPECT_EQ(m_prompts.m_messages, Strings{"非预期的文件格式。"});
    EXPECT_EQ(m_pApp->GetMainWnd(), nullptr);
    EXPECT_FALSE(AnyWindowShown());
}

TEST_F(StartupTest, UnregisterSwitchInAnyCaseRemovesTheSettingsAndEnds)
{
    for (const std::string strSwitch : {"-Unregister", "-UNREGISTER", "-unregserver"}) {
        SCOPED_TRACE(strSwitch);
        WriteEarlierSettings();
        m_prompts.m_messages.clear();

        EXPECT_FALSE(StartApp({strSwitch}));
        EXPECT_EQ(m_prompts.m_messages, Strings{"系统注册项已被移除并且相应的 INI 文件（假如存在）也被删除。"});
        EXPECT_EQ(m_pApp->GetMainWnd(), nullptr);
        EXPECT_FALSE(AnyWindowShown());
        EXPECT_TRUE(ClientSettings()->allKeys().isEmpty());

        // Nothing is written back at the end either.
        ExitApp();
        EXPECT_TRUE(ClientSettings()->allKeys().isEmpty());
    }
}

TEST_F(StartupTest, PrintSwitchWithoutAPrinterIsReportedAndShowsNoWindow)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is installed; the test would print on it";
    const std::string strPath = WriteGame("game.wxl", {{4, 4}});

    EXPECT_FALSE(StartApp({"-p", strPath}));
    EXPECT_EQ(m_prompts.m_messages, Strings{"无法启动打印作业。"});
    EXPECT_FALSE(AnyWindowShown());
}

}  // namespace
