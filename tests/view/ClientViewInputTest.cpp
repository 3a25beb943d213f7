// What clicks, the play commands, the replay keys and the wheel do to the
// game, and which messages they show.
#include "ViewFixture.h"

#include <QApplication>
#include <QDialog>
#include <QWheelEvent>

#include <ostream>

namespace {

class InputTest : public ViewTest {
protected:
    std::vector<MovePoint> Entries() const
    {
        std::vector<MovePoint> entries;
        for (int i = 0; i < m_doc.GetMoves().GetSize(); ++i)
            entries.push_back(m_doc.GetMoves()[i]);
        return entries;
    }

    // Left clicks at each pixel; every one must be refused with "禁手!" and
    // leave the game as it was.
    void ExpectForbidden(std::initializer_list<QPoint> pixels)
    {
        const BoardGrid board = m_doc.GetPosition().m_board;
        const std::vector<MovePoint> entries = Entries();
        for (const QPoint& pixel : pixels) {
            m_prompts.m_messages.clear();
            m_view.OnLButtonDown(pixel);
            EXPECT_EQ(m_prompts.m_messages, std::vector<std::string>{"禁手!"}) << pixel.x() << "," << pixel.y();
        }
        EXPECT_EQ(m_doc.GetPosition().m_board, board);
        EXPECT_EQ(Entries(), entries);
    }

    using Messages = std::vector<std::string>;
};

// ---- left button -------------------------------------------------------------

TEST_F(InputTest, FirstClickRecordsABlackStoneAndTheSecondAWhiteOne)
{
    m_view.OnLButtonDown({30 * 4 + 14, 30 * 4 - 15});  // still the cell of (4, 4)
    EXPECT_EQ(m_doc.GetPosition().ValueAt(4, 4), PT_BLACK);
    EXPECT_EQ(m_doc.GetColorName(), "黑");
    EXPECT_EQ(m_doc.GetShowX(), -6);
    EXPECT_EQ(m_doc.GetShowY(), 6);
    EXPECT_TRUE(m_doc.IsModified());
    Play({{19, 19}});
    EXPECT_EQ(m_doc.GetPosition().ValueAt(19, 19), PT_WHITE);
    EXPECT_EQ(Entries(), (std::vector<MovePoint>{{4, 4}, {19, 19}}));
    EXPECT_EQ(m_doc.GetCurMove(), 2);
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

TEST_F(InputTest, ClickOnAStoneOfAnyColourIsForbidden)
{
    Play({{3, 3}, {4, 4}, BOMB_MARK, {5, 5}});
    ExpectForbidden({Centre(3, 3), Centre(4, 4), Centre(5, 5)});
}

TEST_F(InputTest, ClickOnTheBorderOrTheCaptionLineIsForbidden)
{
    // (0, 0), (0, 10), (20, 10), (10, 20) on the caption line, (10, 21), and the pass indicator (21, 20).
    ExpectForbidden({{5, 5}, {14, 300}, {585, 300}, {300, 585}, {300, 630}, {630, 600}});
    EXPECT_EQ(m_doc.GetCurMove(), 0);
}

TEST_F(InputTest, ClickOutsideTheGridDoesNothing)
{
    m_view.OnLButtonDown({300, 645});
    m_view.OnLButtonDown({645, 300});
    EXPECT_TRUE(m_prompts.m_messages.empty());
    EXPECT_EQ(m_doc.GetMoves().GetSize(), 0);
}

TEST_F(InputTest, ClickInTheMiddleOfTheRecordDiscardsTheLaterEntries)
{
    Play({{1, 1}, {2, 2}, {3, 3}, {4, 4}});
    m_view.OnStepBack();
    m_view.OnStepBack();
    Play({{9, 9}});
    EXPECT_EQ(Entries(), (std::vector<MovePoint>{{1, 1}, {2, 2}, {9, 9}}));
    EXPECT_EQ(m_doc.GetPosition().ValueAt(9, 9), PT_BLACK);
    EXPECT_EQ(PixelsOfColour(Cell(2, 2), kMarker), 0);
    EXPECT_EQ(PixelsOfColour(Cell(9, 9), kMarker), 4 * 29);
}

TEST_F(InputTest, BombMakesTheNextStoneAFlowerAndAPassInBetweenCancelsIt)
{
    Play({BOMB_MARK, {3, 3}});
    EXPECT_EQ(m_doc.GetPosition().ValueAt(3, 3), PT_FLOWER);
    EXPECT_EQ(m_doc.GetColorName(), "花");
    Play({BOMB_MARK, PASS_MARK, {4, 4}});
    EXPECT_EQ(m_doc.GetPosition().ValueAt(4, 4), PT_BLACK);  // position 5
}

// ---- right button ------------------------------------------------------------

TEST_F(InputTest, RightClickOnAnEmptyPointIsInvalid)
{
    Play({{3, 3}});
    const BoardGrid board = m_doc.GetPosition().m_board;
    m_view.OnRButtonDown(Centre(10, 10));
    EXPECT_EQ(m_prompts.m_messages, Messages{"无效点!"});
    EXPECT_EQ(m_doc.GetPosition().m_board, board);
}

TEST_F(InputTest, RightClickRemovesTheWholeChainOfAnyColourWithoutRecordingIt)
{
    Play({{3, 3}, {10, 10}, {4, 3}, {11, 10}, {5, 3}, BOMB_MARK, {7, 7}, BOMB_MARK, {7, 8}});
    m_doc.SetModifiedFlag(false);
    m_view.OnRButtonDown(Centre(4, 3));
    m_view.OnRButtonDown(Centre(7, 8));
    for (const MovePoint& point : {MovePoint{3, 3}, {4, 3}, {5, 3}, {7, 7}, {7, 8}})
        EXPECT_EQ(m_doc.GetPosition().ValueAt(point.x, point.y), PT_EMPTY) << point.x << "," << point.y;
    EXPECT_EQ(m_doc.GetPosition().ValueAt(10, 10), PT_WHITE);
    EXPECT_EQ(m_doc.GetCurMove(), 9);
    EXPECT_EQ(m_doc.GetMoves().GetSize(), 9);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

TEST_F(InputTest, RightClickOffTheBoardChangesNothingAndShowsNothing)
{
    Play({{1, 1}});
    const BoardGrid board = m_doc.GetPosition().m_board;
    m_view.OnRButtonDown({5, 5});
    m_view.OnRButtonDown({630, 600});
    m_view.OnRButtonDown({300, 700});
    EXPECT_EQ(m_doc.GetPosition().m_board, board);
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

TEST_F(InputTest, FlowerStoneLeftByACaptureGoesWithTheSecondRightClick)
{
    // The flower chain at (1, 1) loses its last liberty; replay captures it
    // and leaves the flower stone on the board, held by no chain.
    Play({BOMB_MARK, {1, 1}, {2, 1}, {10, 10}, {1, 2}});
    m_view.OnGoToStart();
    m_view.OnGoToEnd();
    ASSERT_EQ(m_doc.GetPosition().ValueAt(1, 1), PT_FLOWER);
    m_view.OnRButtonDown(Centre(1, 1));
    EXPECT_EQ(m_doc.GetPosition().ValueAt(1, 1), PT_FLOWER);
    m_view.OnRButtonDown(Centre(1, 1));
    EXPECT_EQ(m_doc.GetPosition().ValueAt(1, 1), PT_EMPTY);
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

// ---- real mouse events -------------------------------------------------------

TEST_F(InputTest, MouseClicksWithEitherButtonReachTheHandlers)
{
    QTest::mouseClick(&m_view, Qt::LeftButton, {}, Centre(6, 7));
    EXPECT_EQ(m_doc.GetPosition().ValueAt(6, 7), PT_BLACK);
    QTest::mouseClick(&m_view, Qt::RightButton, {}, Centre(6, 7));
    EXPECT_EQ(m_doc.GetPosition().ValueAt(6, 7), PT_EMPTY);
    QTest::mouseClick(&m_view, Qt::RightButton, {}, Centre(6, 7));
    EXPECT_EQ(m_prompts.m_messages, Messages{"无效点!"});
}

TEST_F(InputTest, DoubleClickPlacesOneStoneAndShowsNoMessage)
{
    // Through the window, as the platform delivers it: press, release,
    // double click, release.
    QTest::mouseDClick(m_view.windowHandle(), Qt::LeftButton, {}, Centre(6, 7));
    EXPECT_EQ(Entries(), (std::vector<MovePoint>{{6, 7}}));
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

// ---- commands ----------------------------------------------------------------

TEST_F(InputTest, PassAndReplayCommandsMoveThroughTheRecord)
{
    Play({{3, 3}, PASS_MARK, {4, 4}});
    EXPECT_EQ(Entries(), (std::vector<MovePoint>{{3, 3}, PASS_MARK, {4, 4}}));
    m_view.OnGoToStart();
    EXPECT_EQ(m_doc.GetCurMove(), 0);
    EXPECT_EQ(m_doc.GetPosition().ValueAt(3, 3), PT_EMPTY);
    m_view.OnStepForward();
    EXPECT_EQ(m_doc.GetPosition().ValueAt(3, 3), PT_BLACK);
    m_view.OnGoToEnd();
    EXPECT_EQ(m_doc.GetCurMove(), 3);
    m_view.OnStepBack();
    EXPECT_EQ(m_doc.GetCurMove(), 2);
    EXPECT_EQ(m_doc.GetPosition().ValueAt(4, 4), PT_EMPTY);
}

TEST_F(InputTest, StepCommandsWhereTheyCannotActChangeNothing)
{
    m_view.OnStepBack();
    m_view.OnStepForward();
    m_view.OnGoToEnd();
    EXPECT_EQ(m_doc.GetCurMove(), 0);
    Play({{3, 3}});
    m_view.OnStepForward();
    m_view.OnGoToEnd();
    EXPECT_EQ(m_doc.GetCurMove(), 1);
    EXPECT_EQ(m_doc.GetPosition().ValueAt(3, 3), PT_BLACK);
}

TEST_F(InputTest, NumberTogglesFlipTheirOwnFlagAndCount)
{
    m_view.OnShowLast10();
    m_view.OnShowAll();
    m_view.OnShowLast10();
    EXPECT_EQ(m_view.m_bShowLast10, 0);
    EXPECT_EQ(m_view.m_nLast10Toggles, 2);
    EXPECT_EQ(m_view.m_bShowAll, 1);
    EXPECT_EQ(m_view.m_nAllToggles, 1);
}

// ---- replay keys and wheel ---------------------------------------------------

void Wheel(CClientView& view, int nDelta)
{
    const QPointF point(300, 300);
    QWheelEvent event(point, view.mapToGlobal(point), QPoint(), QPoint(0, nDelta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &event);
}

void Press(CClientView& view, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(&view, key, modifiers);
}

// Thirteen live entries; the seventh takes the last liberty of the white
// stone at (10, 10), so replay across it repaints the whole view while other
// steps repaint squares, and stepping back leaves a swept stone on screen.
constexpr MovePoint kRecord[] = {{9, 10}, {10, 10}, {11, 10}, {1, 1},  {10, 9},  {19, 19}, {10, 11},
                                 {1, 19}, {19, 1},  {3, 3},   {17, 17}, {3, 17}, {17, 3}};

// A key or wheel path from a position some steps back from the end, and the
// menu commands it must equal there.
struct ReplayPath {
    const char* pszName;
    int nStepsBackFirst;
    void (*input)(CClientView&);
    void (*commands)(CClientView&);
};

void PrintTo(const ReplayPath& path, std::ostream* pOut)
{
    *pOut << path.pszName;
}

// The fixture's view takes the input; a twin view of a twin game takes the
// menu commands.
class ReplayInputTest : public ViewTest, public ::testing::WithParamInterface<ReplayPath> {
protected:
    ReplayInputTest()
    {
        m_twinDoc.OnNewDocument();
        m_twinView.SetDocument(&m_twinDoc);
        m_twinView.resize(m_view.size());
        m_twinView.show();
    }

    void SetUp() override
    {
        ViewTest::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_twinView));
        for (CClientView* pView : {&m_view, &m_twinView}) {
            for (const MovePoint& entry : kRecord)
                pView->OnLButtonDown(Centre(entry.x, entry.y));
            for (int i = 0; i < GetParam().nStepsBackFirst; ++i)
                pView->OnStepBack();
        }
    }

    CClientDoc m_twinDoc;
    CClientView m_twinView;
};

TEST_P(ReplayInputTest, GivesThePositionAndPictureOfTheMenuCommands)
{
    GetParam().input(m_view);
    GetParam().commands(m_twinView);
    EXPECT_EQ(m_doc.GetCurMove(), m_twinDoc.GetCurMove());
    EXPECT_EQ(m_doc.GetPosition().m_board, m_twinDoc.GetPosition().m_board);
    EXPECT_TRUE(m_view.ScreenImage() == m_twinView.ScreenImage());
}

void StepBack(CClientView& view, int nTimes)
{
    for (int i = 0; i < nTimes; ++i)
        view.OnStepBack();
}

void StepForward(CClientView& view, int nTimes)
{
    for (int i = 0; i < nTimes; ++i)
        view.OnStepForward();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ReplayInputTest,
    ::testing::Values(
        ReplayPath{"LeftAtTheEnd", 0, [](CClientView& v) { Press(v, Qt::Key_Left); }, [](CClientView& v) { v.OnStepBack(); }},
        ReplayPath{"RightOverTheCapture", 7, [](CClientView& v) { Press(v, Qt::Key_Right); },
                   [](CClientView& v) { v.OnStepForward(); }},
        ReplayPath{"Home", 0, [](CClientView& v) { Press(v, Qt::Key_Home); }, [](CClientView& v) { v.OnGoToStart(); }},
        ReplayPath{"End", 7, [](CClientView& v) { Press(v, Qt::Key_End); }, [](CClientView& v) { v.OnGoToEnd(); }},
        ReplayPath{"PageUp", 0, [](CClientView& v) { Press(v, Qt::Key_PageUp); }, [](CClientView& v) { StepBack(v, 10); }},
        ReplayPath{"PageUpWithFiveLeft", 8, [](CClientView& v) { Press(v, Qt::Key_PageUp); },
                   [](CClientView& v) { StepBack(v, 5); }},
        ReplayPath{"PageDown", 12, [](CClientView& v) { Press(v, Qt::Key_PageDown); },
                   [](CClientView& v) { StepForward(v, 10); }},
        ReplayPath{"PageDownWithFiveLeft", 5, [](CClientView& v) { Press(v, Qt::Key_PageDown); },
                   [](CClientView& v) { StepForward(v, 5); }},
        ReplayPath{"KeypadArrowWithNumLockOff", 0, [](CClientView& v) { Press(v, Qt::Key_Left, Qt::KeypadModifier); },
                   [](CClientView& v) { v.OnStepBack(); }},
        ReplayPath{"WheelUp", 0, [](CClientView& v) { Wheel(v, 120); }, [](CClientView& v) { v.OnStepBack(); }},
        ReplayPath{"WheelDownOverTheCapture", 7, [](CClientView& v) { Wheel(v, -120); },
                   [](CClientView& v) { v.OnStepForward(); }},
        ReplayPath{"ThreeNotchesAtOnce", 0, [](CClientView& v) { Wheel(v, 360); }, [](CClientView& v) { StepBack(v, 3); }},
        ReplayPath{"FineWheelStepsOncePerWholeNotch", 7,
                   [](CClientView& v) {
                       for (int i = 0; i < 7; ++i)
                           Wheel(v, -40);
                   },
                   [](CClientView& v) { StepForward(v, 2); }},
        ReplayPath{"FineWheelTurnedBackStartsAfresh", 7,
                   [](CClientView& v) {
                       Wheel(v, 80);
                       Wheel(v, -80);
                       Wheel(v, -80);
                   },
                   [](CClientView& v) { v.OnStepForward(); }}),
    [](const ::testing::TestParamInfo<ReplayPath>& info) { return std::string(info.param.pszName); });

// Step back from the one entry leaves its caption on screen; a command run
// where it is unavailable would repaint and change what is shown.
TEST_F(InputTest, KeysAndWheelDoNothingWhereTheirCommandIsUnavailable)
{
    Play({{4, 4}});
    m_view.OnStepBack();
    const QImage atStart = m_view.ScreenImage();
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_PageUp})
        Press(m_view, key);
    Wheel(m_view, 120);
    EXPECT_EQ(m_doc.GetCurMove(), 0);
    EXPECT_TRUE(m_view.ScreenImage() == atStart);

    m_view.OnStepForward();
    const QImage atEnd = m_view.ScreenImage();
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_End, Qt::Key_PageDown})
        Press(m_view, key);
    Wheel(m_view, -120);
    EXPECT_EQ(m_doc.GetCurMove(), 1);
    EXPECT_TRUE(m_view.ScreenImage() == atEnd);
}

TEST_F(InputTest, KeysWithCtrlShiftOrAltDoNothing)
{
    Play({{4, 4}, {5, 5}, {6, 6}});
    m_view.OnStepBack();
    const QImage before = m_view.ScreenImage();
    Press(m_view, Qt::Key_T, Qt::ControlModifier);  // the menu shows Ctrl+T and Ctrl+F; no key binds them
    Press(m_view, Qt::Key_F, Qt::ControlModifier);
    Press(m_view, Qt::Key_Left, Qt::ControlModifier);
    Press(m_view, Qt::Key_End, Qt::ShiftModifier);
    Press(m_view, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(m_doc.GetCurMove(), 2);
    EXPECT_EQ(Entries().size(), 3U);
    EXPECT_TRUE(m_view.ScreenImage() == before);
}

TEST_F(InputTest, KeysAndWheelDoNothingWhileAModalBoxIsOpen)
{
    Play({{4, 4}, {5, 5}, {6, 6}});
    m_view.OnStepBack();
    {
        QDialog box;
        box.setModal(true);
        box.show();
        ASSERT_EQ(QApplication::activeModalWidget(), &box);
        Press(m_view, Qt::Key_Left);
        Press(m_view, Qt::Key_End);
        Wheel(m_view, 120);
        EXPECT_EQ(m_doc.GetCurMove(), 2);
    }
    Press(m_view, Qt::Key_Left);
    EXPECT_EQ(m_doc.GetCurMove(), 1);
}

}  // namespace
