// The main window's menu, toolbar, status bar and keys, and which commands
// are available in a new, a modified, a loaded and a replayed game.
#include "GuiFixture.h"

#include "fw/core/FrameworkText.h"
#include "fw/gui/CView.h"
#include "fw/gui/QtText.h"
#include "res/ResourceTables.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <tuple>

namespace {

// Counts the allocations through operator new and, once armed, fails one of
// them as an allocation does when memory runs short.
std::atomic<long> g_nAllocations{0};
std::atomic<long> g_nFailingAllocation{-1};

}  // namespace

void* operator new(std::size_t nBytes)
{
    const long nAllocation = g_nAllocations.fetch_add(1, std::memory_order_relaxed);
    long nFailing = nAllocation;
    if (g_nFailingAllocation.compare_exchange_strong(nFailing, -1))
        throw std::bad_alloc();
    if (void* p = std::malloc(nBytes != 0 ? nBytes : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

// Handled by the application or the framework: available in every state.
const std::vector<unsigned> kAlwaysAvailable{
    ID_FILE_NEW,         ID_FILE_OPEN, ID_FILE_SAVE_AS,  ID_FILE_PRINT,      ID_FILE_PRINT_PREVIEW,
    ID_FILE_PRINT_SETUP, ID_APP_EXIT,  ID_VIEW_TOOLBAR,  ID_VIEW_STATUS_BAR, ID_APP_ABOUT,
};

// Nobody handles them.
const std::vector<unsigned> kNeverAvailable{
    ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_BUTTON32783, ID_NEXT_PANE, ID_PREV_PANE,
};

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

class FrameCommandsTest : public GuiTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(GuiTest::SetUp());
        StartWithNewGame();
    }

    // Save, step back / go to start, step forward / go to end.
    void ExpectAvailability(bool bSave, bool bBack, bool bForward)
    {
        for (const unsigned nID : kAlwaysAvailable)
            EXPECT_TRUE(Enabled(nID)) << "command " << nID;
        for (const unsigned nID : kNeverAvailable)
            EXPECT_FALSE(Enabled(nID)) << "command " << nID;
        EXPECT_EQ(Enabled(ID_FILE_SAVE), bSave);
        EXPECT_EQ(Enabled(ID_STEP_BACK), bBack);
        EXPECT_EQ(Enabled(ID_GO_TO_START), bBack);
        EXPECT_EQ(Enabled(ID_STEP_FORWARD), bForward);
        EXPECT_EQ(Enabled(ID_GO_TO_END), bForward);
    }

    // A loaded game of three stones.
    void OpenThreeStones()
    {
        OpenThroughMenu(WriteGame("three.wxl", {{4, 4}, {16, 16}, {10, 10}}));
        ASSERT_EQ(Doc()->GetMoves().GetSize(), 3);
    }

    void PressKeys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(Frame(), key, modifiers);
    }

    void ActivateFrame()
    {
        Frame()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    }
};

// The resource tests pin the tables; these check that the window shows them.
TEST_F(FrameCommandsTest, MenuBarShowsTheMenuTableWithMnemonics)
{
    const QList<QAction*> titles = Frame()->menuBar()->actions();
    ASSERT_EQ(titles.size(), static_cast<qsizetype>(MainMenu().size()));
    for (std::size_t i = 0; i < MainMenu().size(); ++i) {
        EXPECT_EQ(titles[i]->text(), ToQString(MainMenu()[i].title));
        EXPECT_FALSE(QKeySequence::mnemonic(titles[i]->text()).isEmpty());
        EXPECT_NE(titles[i]->menu(), nullptr);
    }
}

TEST_F(FrameCommandsTest, MenuItemsShowTheTableTextsCommandsAndSeparatorsInOrder)
{
    Frame()->UpdateCommandUI();
    const QList<QAction*> titles = Frame()->menuBar()->actions();
    ASSERT_EQ(titles.size(), static_cast<qsizetype>(MainMenu().size()));
    for (std::size_t m = 0; m < MainMenu().size(); ++m) {
        QList<QAction*> shown;
        for (QAction* pAction : titles[m]->menu()->actions())
            if (pAction->isVisible())
                shown.push_back(pAction);
        const auto items = MainMenu()[m].items;
        ASSERT_EQ(shown.size(), static_cast<qsizetype>(items.size())) << m;
        for (std::size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(ToQString(items[i].text).toStdString());
            if (items[i].nID == ID_SEPARATOR) {
                EXPECT_TRUE(shown[i]->isSeparator());
                continue;
            }
            EXPECT_EQ(shown[i], Frame()->CommandAction(items[i].nID));
            EXPECT_EQ(shown[i]->text(), ToQString(items[i].text));
        }
    }
}

TEST_F(FrameCommandsTest, RecentFilePlaceholderIsGrayWhileTheListIsEmpty)
{
    EXPECT_FALSE(Enabled(ID_FILE_MRU_FILE1));
    EXPECT_EQ(Frame()->CommandAction(ID_FILE_MRU_FILE1)->text(), Utf8("最近文件"));
    EXPECT_TRUE(Frame()->CommandAction(ID_FILE_MRU_FILE1)->isVisible());
}

TEST_F(FrameCommandsTest, NewGameOffersNeitherSaveNorReplay)
{
    ExpectAvailability(/*bSave=*/false, /*bBack=*/false, /*bForward=*/false);
}

TEST_F(FrameCommandsTest, RecordedStoneOffersSaveAndStepBack)
{
    Doc()->RecordMoveAt(4, 4);
    ExpectAvailability(/*bSave=*/true, /*bBack=*/true, /*bForward=*/false);
}

TEST_F(FrameCommandsTest, LoadedGameAtItsStartOffersOnlyStepForward)
{
    OpenThreeStones();
    ExpectAvailability(/*bSave=*/false, /*bBack=*/false, /*bForward=*/true);
}

TEST_F(FrameCommandsTest, ReplayedGameOffersBothDirectionsUntilItsEnd)
{
    OpenThreeStones();
    Doc()->StepForward();
    ExpectAvailability(/*bSave=*/false, /*bBack=*/true, /*bForward=*/true);
    Doc()->GoToEnd();
    ExpectAvailability(/*bSave=*/false, /*bBack=*/true, /*bForward=*/false);
}

TEST_F(FrameCommandsTest, ViewItemsAreCheckedWhileTheirBarsAreShown)
{
    QAction* pToolBarItem = Frame()->CommandAction(ID_VIEW_TOOLBAR);
    QAction* pStatusBarItem = Frame()->CommandAction(ID_VIEW_STATUS_BAR);
    Frame()->UpdateCommandUI();
    EXPECT_TRUE(pToolBarItem->isChecked());
    EXPECT_TRUE(pStatusBarItem->isChecked());

    ASSERT_TRUE(Run(ID_VIEW_TOOLBAR));
    ASSERT_TRUE(Run(ID_VIEW_STATUS_BAR));
    Frame()->UpdateCommandUI();
    EXPECT_FALSE(Frame()->GetToolBar()->isVisible());
    EXPECT_FALSE(Frame()->statusBar()->isVisible());
    EXPECT_FALSE(pToolBarItem->isChecked());
    EXPECT_FALSE(pStatusBarItem->isChecked());

    ASSERT_TRUE(Run(ID_VIEW_TOOLBAR));
    Frame()->UpdateCommandUI();
    EXPECT_TRUE(Frame()->GetToolBar()->isVisible());
    EXPECT_EQ(Frame()->toolBarArea(Frame()->GetToolBar()), Qt::TopToolBarArea);
    EXPECT_TRUE(pToolBarItem->isChecked());
    EXPECT_FALSE(pStatusBarItem->isChecked());
}

TEST_F(FrameCommandsTest, StepCopyAndUndoKeysDoNothing)
{
    OpenThreeStones();
    Doc()->StepForward();
    ActivateFrame();
    QSignalSpy stepBack(Frame()->CommandAction(ID_STEP_BACK), &QAction::triggered);
    QSignalSpy stepForward(Frame()->CommandAction(ID_STEP_FORWARD), &QAction::triggered);
    std::vector<std::unique_ptr<QSignalSpy>> keys;
    for (QShortcut* pShortcut : Frame()->findChildren<QShortcut*>())
        keys.push_back(std::make_unique<QSignalSpy>(pShortcut, &QShortcut::activated));
    const auto nKeysActivated = [&keys] {
        qsizetype n = 0;
        for (const auto& pSpy : keys)
            n += pSpy->count();
        return n;
    };

    // The menu shows Ctrl+T and Ctrl+F, but no key is bound to them.
    PressKeys(Qt::Key_T);
    PressKeys(Qt::Key_F);
    EXPECT_EQ(nKeysActivated(), 0);
    // These are bound, to commands nobody handles.
    PressKeys(Qt::Key_C);
    PressKeys(Qt::Key_Z);
    EXPECT_EQ(nKeysActivated(), 2);

    EXPECT_EQ(stepBack.count(), 0);
    EXPECT_EQ(stepForward.count(), 0);
    EXPECT_EQ(Doc()->GetCurMove(), 1);
    EXPECT_EQ(Doc()->GetMoves().GetSize(), 3);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetTitle(), "three.wxl");
    EXPECT_TRUE(m_prompts.m_messages.empty());
    EXPECT_TRUE(m_prompts.m_questions.empty());
    EXPECT_EQ(m_prompts.m_dialogs.size(), 1u);  // the one that opened the game
}

TEST_F(FrameCommandsTest, CtrlNAsksToSaveAModifiedGameAndCancelKeepsIt)
{
    Doc()->RecordMoveAt(4, 4);
    ActivateFrame();

    m_prompts.m_answers = {Answer::Cancel};
    PressKeys(Qt::Key_N);
    EXPECT_EQ(m_prompts.m_questions, std::vector<std::string>{"将改动保存到 Wexlan？"});
    EXPECT_EQ(Doc()->GetMoves().GetSize(), 1);
    EXPECT_TRUE(Doc()->IsModified());

    m_prompts.m_answers = {Answer::No};
    PressKeys(Qt::Key_N);
    EXPECT_EQ(m_prompts.m_questions.size(), 2u);
    EXPECT_EQ(Doc()->GetMoves().GetSize(), 0);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetTitle(), "Wexlan");
}

TEST_F(FrameCommandsTest, ToolbarShowsTheToolbarTableWithAnImageOnEveryButton)
{
    const QList<QAction*> buttons = Frame()->GetToolBar()->actions();
    ASSERT_EQ(buttons.size(), static_cast<qsizetype>(MainToolbar().size()));
    for (std::size_t i = 0; i < MainToolbar().size(); ++i) {
        SCOPED_TRACE(i);
        if (MainToolbar()[i].nID == ID_SEPARATOR) {
            EXPECT_TRUE(buttons[i]->isSeparator());
        } else {
            EXPECT_EQ(buttons[i], Frame()->CommandAction(MainToolbar()[i].nID));
            EXPECT_FALSE(buttons[i]->icon().isNull());
        }
    }
}

TEST_F(FrameCommandsTest, ButtonFifteenIsGrayWithoutTooltipOrPrompt)
{
    QAction* pButton = Frame()->CommandAction(ID_BUTTON32783);
    EXPECT_FALSE(Enabled(ID_BUTTON32783));
    EXPECT_EQ(pButton->toolTip(), QString());
    EXPECT_EQ(pButton->statusTip(), QString());
}

TEST_F(FrameCommandsTest, ButtonsTakeTooltipAndPromptFromTheirStrings)
{
    const std::vector<std::tuple<unsigned, const char*, const char*>> cases{
        {ID_PASS, "虚着Pass", "Pass 1手/虚着1手"},
        {ID_FILE_NEW, "新建", "建立新文档"},
        {ID_STEP_BACK, "后退", "后退一步"},
        {ID_DEFINE_BOMB, "定义扔飞弹", "定义下一次鼠标左键点击扔飞弹（下花子）"},
        {ID_APP_ABOUT, "关于", "显示程序信息，版本号和版权"},
    };
    for (const auto& [nID, tooltip, prompt] : cases) {
        EXPECT_EQ(Frame()->CommandAction(nID)->toolTip(), Utf8(tooltip));
        EXPECT_EQ(Frame()->CommandAction(nID)->statusTip(), Utf8(prompt));
    }
}

// A whole board of stones, recorded and not saved, shown at its start.
void RecordWholeBoard(CClientDoc& doc)
{
    for (int x = 1; x <= BOARD_SIZE; ++x)
        for (int y = 1; y <= BOARD_SIZE; ++y)
            doc.RecordMoveAt(x, y);
    doc.GoToStart();
}

TEST_F(FrameCommandsTest, ACommandOutOfMemoryKeepsTheGameAndShowsItsStart)
{
    RecordWholeBoard(*Doc());
    const std::vector<MovePoint> recorded = EntriesOf(*Doc());
    const long nBefore = g_nAllocations;
    ASSERT_TRUE(Run(ID_GO_TO_END));
    const long nCommandAllocations = g_nAllocations - nBefore;
    ASSERT_GT(nCommandAllocations, 0);

    // Memory runs out at each of those allocations in turn, in a new program
    // each time: on the command's way to the document, and part way through
    // the replay.
    for (long n = 0; n < nCommandAllocations; ++n) {
        SCOPED_TRACE(n);
        ASSERT_NO_FATAL_FAILURE(StartWithNewGame());
        RecordWholeBoard(*Doc());
        m_prompts.m_messages.clear();
        g_nFailingAllocation = g_nAllocations + n;
        Run(ID_GO_TO_END);
        ASSERT_EQ(g_nFailingAllocation, -1) << "no allocation failed";

        EXPECT_EQ(m_prompts.m_messages, std::vector<std::string>{std::string(fw::FrameworkText(61457))});
        EXPECT_EQ(EntriesOf(*Doc()), recorded);
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_EQ(Doc()->GetCurMove(), 0);
        EXPECT_EQ(Doc()->CheckConsistency(), "");
        for (int x = 1; x <= BOARD_SIZE; ++x)
            for (int y = 1; y <= BOARD_SIZE; ++y)
                ASSERT_EQ(Doc()->GetPosition().m_board[CellIndex(x, y)], PT_EMPTY) << x << ", " << y;

        // Replay goes on from there.
        ASSERT_TRUE(Run(ID_GO_TO_END));
        EXPECT_EQ(Doc()->GetCurMove(), Doc()->GetMoves().GetSize());
    }
}

// Counts, or fails, the allocations from the moment a press reaches the
// view: those Qt makes on the way there are not the view's to recover from.
class PressAllocations : public QObject {
public:
    long m_nFailAfter = -1;  // allocations into the press before one fails
    long m_nStart = 0;

protected:
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::MouseButtonPress) {
            m_nStart = g_nAllocations;
            if (m_nFailAfter >= 0)
                g_nFailingAllocation = m_nStart + m_nFailAfter;
        }
        return false;
    }
};

TEST_F(FrameCommandsTest, AStoneThatRunsOutOfMemoryKeepsTheGameBeforeIt)
{
    PressAllocations allocations;
    const auto press = [&] {
        QWidget* pView = Frame()->GetActiveView();
        pView->installEventFilter(&allocations);
        const QPointF point(PointToPixel(10), PointToPixel(10));
        QMouseEvent event(QEvent::MouseButtonPress, point, point, Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(pView, &event);
        pView->removeEventFilter(&allocations);
    };
    const auto recordSome = [this] {
        for (int y = 1; y <= 5; ++y)
            Doc()->RecordMoveAt(3, y);
    };
    recordSome();
    const std::vector<MovePoint> before = EntriesOf(*Doc());
    press();
    const long nPressAllocations = g_nAllocations - allocations.m_nStart;
    ASSERT_EQ(Doc()->GetMoves().GetSize(), 6);

    for (long n = 0; n < nPressAllocations; ++n) {
        SCOPED_TRACE(n);
        ASSERT_NO_FATAL_FAILURE(StartWithNewGame());
        recordSome();
        m_prompts.m_messages.clear();
        allocations.m_nFailAfter = n;
        press();
        ASSERT_EQ(g_nFailingAllocation, -1) << "no allocation failed";

        EXPECT_EQ(m_prompts.m_messages, std::vector<std::string>{std::string(fw::FrameworkText(61457))});
        // The stone is in the record or not, as far as the press got; the
        // moves before it always are.
        std::vector<MovePoint> entries = EntriesOf(*Doc());
        if (entries.size() == before.size() + 1)
            entries.pop_back();
        EXPECT_EQ(entries, before);
        EXPECT_EQ(Doc()->GetCurMove(), 0);
        EXPECT_EQ(Doc()->CheckConsistency(), "");
    }
}

TEST_F(FrameCommandsTest, StatusBarShowsReadyWhenIdleAndAPromptWhilePointing)
{
    QStatusBar* pStatusBar = Frame()->statusBar();
    EXPECT_EQ(pStatusBar->currentMessage(), Utf8("就绪"));

    Frame()->CommandAction(ID_PASS)->showStatusText(Frame());
    EXPECT_EQ(pStatusBar->currentMessage(), Utf8("Pass 1手/虚着1手"));

    QStatusTipEvent pointerLeft{QString()};
    QApplication::sendEvent(Frame(), &pointerLeft);
    EXPECT_EQ(pStatusBar->currentMessage(), Utf8("就绪"));
}

}  // namespace
