// What the board view shows: the board picture, the stones cut out by the
// mask, the last-move marker, the caption, the move numbers, and which parts
// of the view each action repaints.
#include "ViewFixture.h"

#include <ostream>

namespace {

using PaintTest = ViewTest;

// ---- board and stones --------------------------------------------------------

TEST_F(PaintTest, EmptyBoardAtPositionZeroIsTheBoardPictureWithoutCaption)
{
    EXPECT_EQ(Differences(Resource("board.png"), BoardArea()), 0);
    EXPECT_EQ(PixelsOfColour(QRect(0, 600, 610, 40), m_view.palette().color(QPalette::Base).rgb()), 610 * 40);
}

TEST_F(PaintTest, StonesOfTheThreeColoursAreCopiedThroughTheMask)
{
    Play({{3, 4}, {5, 6}, BOMB_MARK, {7, 8}, {1, 1}, {19, 19}});
    ASSERT_EQ(m_doc.GetPosition().ValueAt(7, 8), PT_FLOWER);
    QImage expected = ExpectedBoard();
    PutMarker(expected, 19, 19);
    EXPECT_EQ(Differences(expected, BoardArea()), 0);

    const QImage& screen = m_view.ScreenImage();
    EXPECT_EQ(screen.pixel(Centre(3, 4)), Resource("black.png").pixel(15, 15));
    EXPECT_EQ(screen.pixel(Centre(5, 6)), Resource("white.png").pixel(15, 15));
    EXPECT_EQ(screen.pixel(Centre(7, 8)), Resource("flower.png").pixel(15, 15));
    // Near the cell's corner, outside the disc, the board shows through.
    EXPECT_EQ(screen.pixel(30 * 5 - 13, 30 * 6 - 13), Resource("board.png").pixel(30 * 5 - 13, 30 * 6 - 13));
}

// ---- last-move marker --------------------------------------------------------

TEST_F(PaintTest, MarkerIsTheOuterRingOfTheLastStonesCellAndNothingElse)
{
    Play({{10, 10}});
    EXPECT_EQ(PixelsOfColour(Cell(10, 10), kMarker), 4 * 29);
    EXPECT_EQ(PixelsOfColour(BoardArea(), kMarker), 4 * 29);
    QImage expected = ExpectedBoard();
    PutMarker(expected, 10, 10);
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

TEST_F(PaintTest, NoMarkerAfterAPassOrABomb)
{
    Play({{10, 10}, PASS_MARK});
    EXPECT_EQ(PixelsOfColour(BoardArea(), kMarker), 0);
    Play({{11, 11}, BOMB_MARK});
    EXPECT_EQ(PixelsOfColour(BoardArea(), kMarker), 0);
}

TEST_F(PaintTest, NoMarkerWhenNoStoneIsLeftOnTheBoard)
{
    Play({{10, 10}});
    m_view.OnRButtonDown(Centre(10, 10));
    ASSERT_EQ(m_doc.GetCurMove(), 1);
    EXPECT_EQ(Differences(Resource("board.png"), BoardArea()), 0);
}

TEST_F(PaintTest, MarkerFramesTheEmptyPointOfARemovedLastStoneWhileOthersRemain)
{
    Play({{3, 3}, {10, 10}});
    m_view.OnRButtonDown(Centre(10, 10));
    QImage expected = ExpectedBoard();
    PutMarker(expected, 10, 10);
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

// ---- caption -----------------------------------------------------------------

TEST_F(PaintTest, CaptionNamesColourNumberAndDisplayedCoordinatesWithoutSeparator)
{
    Play({{4, 4}});
    EXPECT_GT(PixelsOfColour(CaptionArea(), qRgb(0, 0, 0)), 0);
    EXPECT_EQ(Differences(ExpectedCaption("黑1.-66"), CaptionArea()), 0);
    Play({{19, 1}});
    EXPECT_EQ(Differences(ExpectedCaption("白2.99"), CaptionArea()), 0);
}

TEST_F(PaintTest, CaptionOfABombAndOfAPassShowTheirIndicatorCoordinates)
{
    Play({BOMB_MARK});
    EXPECT_EQ(Differences(ExpectedCaption("花1.11-11"), CaptionArea()), 0);
    Play({PASS_MARK});
    EXPECT_EQ(Differences(ExpectedCaption("白2.11-10"), CaptionArea()), 0);
}

TEST_F(PaintTest, ShorterCaptionBlanksTheLongerOneBeforeIt)
{
    Play({{2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}, {11, 11}, {1, 1}});
    EXPECT_EQ(Differences(ExpectedCaption("白10.-99"), CaptionArea()), 0);
    m_view.OnStepBack();  // no capture: only two squares are repainted
    EXPECT_EQ(Differences(ExpectedCaption("黑9.1-1"), CaptionArea()), 0);
}

TEST_F(PaintTest, ShorterCaptionOfARecordOfAThousandEntriesBlanksTheLongerOne)
{
    for (int i = 0; i < 1000; ++i)
        m_view.OnPass();
    const QRect area = QRect(QPoint(20, 610), QFontMetrics(m_view.font()).size(0, QString::fromUtf8("白1000.11-10")));
    EXPECT_EQ(Differences(ExpectedCaption("白1000.11-10"), area), 0);
    m_view.OnStepBack();
    EXPECT_EQ(Differences(ExpectedCaption("黑999.11-10"), area), 0);
}

// ---- move numbers ------------------------------------------------------------

TEST_F(PaintTest, AllNumbersAreWhiteOnOddAndBlackOnEvenMoves)
{
    Play({{3, 3}, {4, 3}, {5, 3}});
    const QImage plain = m_view.ScreenImage();
    m_view.OnShowAll();
    EXPECT_EQ(m_view.m_bShowAll, 1);
    QImage expected = ExpectedBoard();
    PutMarker(expected, 5, 3);
    for (int k = 1; k <= 3; ++k) {
        PutNumber(expected, 2 + k, 3, k);
        EXPECT_GT(Differences(plain, Cell(2 + k, 3)), 0) << "move " << k;
    }
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

TEST_F(PaintTest, NumberColourFollowsTheMoveNumberOnFlowerStones)
{
    Play({BOMB_MARK, {3, 3}, PASS_MARK, BOMB_MARK, {5, 5}});
    ASSERT_EQ(m_doc.GetPosition().ValueAt(3, 3), PT_FLOWER);
    ASSERT_EQ(m_doc.GetPosition().ValueAt(5, 5), PT_FLOWER);
    m_view.OnShowAll();
    QImage expected = ExpectedBoard();
    PutMarker(expected, 5, 5);
    PutNumber(expected, 3, 3, 2);  // black
    PutNumber(expected, 5, 5, 5);  // white
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

TEST_F(PaintTest, NumberTogglesRunTwiceShowNoNumbers)
{
    Play({{3, 3}, {4, 3}});
    QImage expected = ExpectedBoard();
    PutMarker(expected, 4, 3);
    m_view.OnShowAll();
    m_view.OnShowAll();
    m_view.OnShowLast10();
    m_view.OnShowLast10();
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

TEST_F(PaintTest, LastTenNumbersTheTenMostRecentEntriesOnly)
{
    Play({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1}, {11, 1}, {12, 1}});
    m_view.OnShowLast10();
    QImage expected = ExpectedBoard();
    PutMarker(expected, 12, 1);
    for (int k = 3; k <= 12; ++k)
        PutNumber(expected, k, 1, k);
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

TEST_F(PaintTest, PassAndBombAmongTheLastTenLeaveEightNumbers)
{
    Play({{1, 1}, {2, 1}, {3, 1}, {4, 1}, PASS_MARK, {6, 1}, BOMB_MARK, {8, 1}, {9, 1}, {10, 1}, {11, 1}, {12, 1}});
    m_view.OnShowLast10();
    QImage expected = ExpectedBoard();
    PutMarker(expected, 12, 1);
    for (const int k : {3, 4, 6, 8, 9, 10, 11, 12})
        PutNumber(expected, k, 1, k);
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

TEST_F(PaintTest, StoneNoLongerOnTheBoardGetsNoNumber)
{
    Play({{3, 3}, {10, 10}, {5, 5}});
    m_view.OnRButtonDown(Centre(10, 10));
    m_view.OnShowAll();
    QImage expected = ExpectedBoard();
    PutMarker(expected, 5, 5);
    PutNumber(expected, 3, 3, 1);
    PutNumber(expected, 5, 5, 3);
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

TEST_F(PaintTest, BothNumberTogglesOnGiveTheSamePictureAsAllNumbers)
{
    Play({{3, 3}, {4, 3}, {5, 3}});
    m_view.OnShowAll();
    const QImage allNumbers = m_view.ScreenImage();
    m_view.OnShowLast10();
    EXPECT_EQ(Differences(allNumbers, BoardArea()), 0);
}

// ---- what each action repaints ---------------------------------------------------

TEST_F(PaintTest, RightClickOnALiveCaptureRepaintsTheWholeView)
{
    Play({{9, 10}, {10, 10}, {11, 10}, {1, 1}, {10, 9}, {19, 19}, {10, 11}});
    ASSERT_EQ(m_doc.GetPosition().ValueAt(10, 10), PT_WHITE);  // live play sweeps nothing
    m_view.OnRButtonDown(Centre(10, 10));
    QImage expected = ExpectedBoard();
    PutMarker(expected, 10, 11);
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

TEST_F(PaintTest, StepForwardOverACaptureRepaintsTheWholeView)
{
    Play({{9, 10}, {10, 10}, {11, 10}, {1, 1}, {10, 9}, {19, 19}, {10, 11}});
    m_view.OnStepBack();
    m_view.OnStepForward();
    ASSERT_EQ(m_doc.GetPosition().ValueAt(10, 10), PT_EMPTY);
    QImage expected = ExpectedBoard();
    PutMarker(expected, 10, 11);
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

TEST_F(PaintTest, StepBackOverACaptureBringsTheCapturedStoneBack)
{
    Play({{9, 10}, {10, 10}, {11, 10}, {1, 1}, {10, 9}, {19, 19}, {10, 11}});
    m_view.OnGoToStart();
    m_view.OnGoToEnd();
    ASSERT_EQ(Differences(Resource("board.png"), Cell(10, 10)), 0);
    m_view.OnStepBack();
    QImage expected = ExpectedBoard();
    PutMarker(expected, 19, 19);
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

TEST_F(PaintTest, StepBackLeavesAStoneThatTheRebuildSweptOnScreen)
{
    LeaveASweptStoneOnScreen();
    QImage expected = ExpectedBoard();
    PutStone(expected, 10, 10, PT_WHITE);
    PutMarker(expected, 1, 19);
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
}

TEST_F(PaintTest, GoToStartThenStepForwardShowsTheFirstStoneOnAFreshBoard)
{
    Play({{10, 10}, {11, 10}, {12, 10}});
    m_view.OnGoToStart();
    m_view.OnStepForward();
    QImage expected = Resource("board.png");
    PutStone(expected, 10, 10, PT_BLACK);
    PutMarker(expected, 10, 10);
    EXPECT_EQ(Differences(expected, BoardArea()), 0);
    EXPECT_EQ(Differences(ExpectedCaption("黑1.00"), CaptionArea()), 0);
}

TEST_F(PaintTest, CaptionOfMoveOneStaysAfterSteppingBackToPositionZero)
{
    Play({{4, 4}});
    m_view.OnStepBack();
    EXPECT_EQ(Differences(Resource("board.png"), BoardArea()), 0);
    EXPECT_EQ(Differences(ExpectedCaption("黑1.-66"), CaptionArea()), 0);
    m_view.OnGoToStart();  // the whole view, background erased
    EXPECT_EQ(PixelsOfColour(QRect(0, 600, 610, 40), m_view.palette().color(QPalette::Base).rgb()), 610 * 40);
}

// Every action that repaints the whole view takes the stale stone away, and
// so does a click whose corner square, the cell of (x + 1, y + 1), covers it;
// the other actions leave it.
struct Action {
    const char* pszName;
    void (*run)(CClientView&);
    bool bClears;
};

void PrintTo(const Action& action, std::ostream* pOut)
{
    *pOut << action.pszName;
}

class RepaintTest : public ViewTest, public ::testing::WithParamInterface<Action> {};

TEST_P(RepaintTest, StaleStoneGoesOnlyWithAWholeViewRepaint)
{
    LeaveASweptStoneOnScreen();
    GetParam().run(m_view);
    QImage stale = Resource("board.png");
    PutStone(stale, 10, 10, PT_WHITE);
    EXPECT_EQ(Differences(GetParam().bClears ? Resource("board.png") : stale, Cell(10, 10)), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RepaintTest,
    ::testing::Values(Action{"Pass", [](CClientView& view) { view.OnPass(); }, true},
                      Action{"DefineBomb", [](CClientView& view) { view.OnDefineBomb(); }, true},
                      Action{"GoToStart", [](CClientView& view) { view.OnGoToStart(); }, true},
                      Action{"GoToEnd", [](CClientView& view) { view.OnGoToEnd(); }, true},
                      Action{"ShowLast10", [](CClientView& view) { view.OnShowLast10(); }, true},
                      Action{"ShowAll", [](CClientView& view) { view.OnShowAll(); }, true},
                      Action{"RightClickOnAStone", [](CClientView& view) { view.OnRButtonDown({30, 30}); }, true},
                      Action{"RightClickOnTheBorder", [](CClientView& view) { view.OnRButtonDown({5, 5}); }, true},
                      Action{"RightClickOutsideTheGrid", [](CClientView& view) { view.OnRButtonDown({300, 660}); }, true},
                      Action{"LeftClickUpAndLeftOfIt", [](CClientView& view) { view.OnLButtonDown({270, 270}); }, true},
                      Action{"LeftClickOnAnEmptyPoint", [](CClientView& view) { view.OnLButtonDown({150, 150}); }, false},
                      Action{"StepForwardWithoutCapture", [](CClientView& view) { view.OnStepForward(); }, false},
                      Action{"LeftClickOnAStone", [](CClientView& view) { view.OnLButtonDown({30, 30}); }, false},
                      Action{"RightClickOnAnEmptyPoint", [](CClientView& view) { view.OnRButtonDown({150, 150}); }, false}),
    [](const ::testing::TestParamInfo<Action>& info) { return std::string(info.param.pszName); });

}  // namespace
