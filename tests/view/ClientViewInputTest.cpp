// What clicks and the play commands do to the game, and which messages they show.
#include "ViewFixture.h"

namespace {

class InputTest : public ViewTest {
protected:
    std::vector<MovePoint> Entries() const
    {
        std::vector<MovePoint> entries;
        for (int i = 0; i < m_doc.m_moves.GetSize(); ++i)
            entries.push_back(m_doc.m_moves[i]);
        return entries;
    }

    // Left clicks at each pixel; every one must be refused with "禁手!" and
    // leave the game as it was.
    void ExpectForbidden(std::initializer_list<QPoint> pixels)
    {
        const BoardGrid board = m_doc.m_board;
        const std::vector<MovePoint> entries = Entries();
        for (const QPoint& pixel : pixels) {
            m_prompts.m_messages.clear();
            m_view.OnLButtonDown(pixel);
            EXPECT_EQ(m_prompts.m_messages, std::vector<std::string>{"禁手!"}) << pixel.x() << "," << pixel.y();
        }
        EXPECT_EQ(m_doc.m_board, board);
        EXPECT_EQ(Entries(), entries);
    }

    using Messages = std::vector<std::string>;
};

// ---- left button -------------------------------------------------------------

TEST_F(InputTest, FirstClickRecordsABlackStoneAndTheSecondAWhiteOne)
{
    m_view.OnLButtonDown({30 * 4 + 14, 30 * 4 - 15});  // still the cell of (4, 4)
    EXPECT_EQ(m_doc.ValueAt(4, 4), PT_BLACK);
    EXPECT_EQ(m_doc.m_strColor, "黑");
    EXPECT_EQ(m_doc.m_nShowX, -6);
    EXPECT_EQ(m_doc.m_nShowY, 6);
    EXPECT_TRUE(m_doc.IsModified());
    Play({{19, 19}});
    EXPECT_EQ(m_doc.ValueAt(19, 19), PT_WHITE);
    EXPECT_EQ(Entries(), (std::vector<MovePoint>{{4, 4}, {19, 19}}));
    EXPECT_EQ(m_doc.m_nCurMove, 2);
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
    EXPECT_EQ(m_doc.m_nCurMove, 0);
}

TEST_F(InputTest, ClickOutsideTheGridDoesNothing)
{
    m_view.OnLButtonDown({300, 645});
    m_view.OnLButtonDown({645, 300});
    EXPECT_TRUE(m_prompts.m_messages.empty());
    EXPECT_EQ(m_doc.m_moves.GetSize(), 0);
}

TEST_F(InputTest, ClickInTheMiddleOfTheRecordDiscardsTheLaterEntries)
{
    Play({{1, 1}, {2, 2}, {3, 3}, {4, 4}});
    m_view.OnStepBack();
    m_view.OnStepBack();
    Play({{9, 9}});
    EXPECT_EQ(Entries(), (std::vector<MovePoint>{{1, 1}, {2, 2}, {9, 9}}));
    EXPECT_EQ(m_doc.ValueAt(9, 9), PT_BLACK);
    EXPECT_EQ(PixelsOfColour(Cell(2, 2), kMarker), 0);
    EXPECT_EQ(PixelsOfColour(Cell(9, 9), kMarker), 4 * 29);
}

TEST_F(InputTest, BombMakesTheNextStoneAFlowerAndAPassInBetweenCancelsIt)
{
    Play({BOMB_MARK, {3, 3}});
    EXPECT_EQ(m_doc.ValueAt(3, 3), PT_FLOWER);
    EXPECT_EQ(m_doc.m_strColor, "花");
    Play({BOMB_MARK, PASS_MARK, {4, 4}});
    EXPECT_EQ(m_doc.ValueAt(4, 4), PT_BLACK);  // position 5
}

// ---- right button ------------------------------------------------------------

TEST_F(InputTest, RightClickOnAnEmptyPointIsInvalid)
{
    Play({{3, 3}});
    const BoardGrid board = m_doc.m_board;
    m_view.OnRButtonDown(Centre(10, 10));
    EXPECT_EQ(m_prompts.m_messages, Messages{"无效点!"});
    EXPECT_EQ(m_doc.m_board, board);
}

TEST_F(InputTest, RightClickRemovesTheWholeChainOfAnyColourWithoutRecordingIt)
{
    Play({{3, 3}, {10, 10}, {4, 3}, {11, 10}, {5, 3}, BOMB_MARK, {7, 7}, BOMB_MARK, {7, 8}});
    m_doc.SetModifiedFlag(false);
    m_view.OnRButtonDown(Centre(4, 3));
    m_view.OnRButtonDown(Centre(7, 8));
    for (const MovePoint& point : {MovePoint{3, 3}, {4, 3}, {5, 3}, {7, 7}, {7, 8}})
        EXPECT_EQ(m_doc.ValueAt(point.x, point.y), PT_EMPTY) << point.x << "," << point.y;
    EXPECT_EQ(m_doc.ValueAt(10, 10), PT_WHITE);
    EXPECT_EQ(m_doc.m_nCurMove, 9);
    EXPECT_EQ(m_doc.m_moves.GetSize(), 9);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

TEST_F(InputTest, RightClickOffTheBoardChangesNothingAndShowsNothing)
{
    Play({{1, 1}});
    const BoardGrid board = m_doc.m_board;
    m_view.OnRButtonDown({5, 5});
    m_view.OnRButtonDown({630, 600});
    m_view.OnRButtonDown({300, 700});
    EXPECT_EQ(m_doc.m_board, board);
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

TEST_F(InputTest, FlowerStoneLeftByACaptureGoesWithTheSecondRightClick)
{
    // The flower chain at (1, 1) loses its last liberty; replay captures it
    // and leaves the flower stone on the board, held by no chain.
    Play({BOMB_MARK, {1, 1}, {2, 1}, {10, 10}, {1, 2}});
    m_view.OnGoToStart();
    m_view.OnGoToEnd();
    ASSERT_EQ(m_doc.ValueAt(1, 1), PT_FLOWER);
    m_view.OnRButtonDown(Centre(1, 1));
    EXPECT_EQ(m_doc.ValueAt(1, 1), PT_FLOWER);
    m_view.OnRButtonDown(Centre(1, 1));
    EXPECT_EQ(m_doc.ValueAt(1, 1), PT_EMPTY);
    EXPECT_TRUE(m_prompts.m_messages.empty());
}

// ---- real mouse events -------------------------------------------------------

TEST_F(InputTest, MouseClicksWithEitherButtonReachTheHandlers)
{
    QTest::mouseClick(&m_view, Qt::LeftButton, {}, Centre(6, 7));
    EXPECT_EQ(m_doc.ValueAt(6, 7), PT_BLACK);
    QTest::mouseClick(&m_view, Qt::RightButton, {}, Centre(6, 7));
    EXPECT_EQ(m_doc.ValueAt(6, 7), PT_EMPTY);
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
    EXPECT_EQ(m_doc.m_nCurMove, 0);
    EXPECT_EQ(m_doc.ValueAt(3, 3), PT_EMPTY);
    m_view.OnStepForward();
    EXPECT_EQ(m_doc.ValueAt(3, 3), PT_BLACK);
    m_view.OnGoToEnd();
    EXPECT_EQ(m_doc.m_nCurMove, 3);
    m_view.OnStepBack();
    EXPECT_EQ(m_doc.m_nCurMove, 2);
    EXPECT_EQ(m_doc.ValueAt(4, 4), PT_EMPTY);
}

TEST_F(InputTest, StepCommandsWhereTheyCannotActChangeNothing)
{
    m_view.OnStepBack();
    m_view.OnStepForward();
    m_view.OnGoToEnd();
    EXPECT_EQ(m_doc.m_nCurMove, 0);
    Play({{3, 3}});
    m_view.OnStepForward();
    m_view.OnGoToEnd();
    EXPECT_EQ(m_doc.m_nCurMove, 1);
    EXPECT_EQ(m_doc.ValueAt(3, 3), PT_BLACK);
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

}  // namespace
