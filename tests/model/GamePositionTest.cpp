#include "model/GamePosition.h"
#include "support/BoardText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using testing_support::Board;
using testing_support::BoardText;
using testing_support::SetBoardText;

class GamePositionTest : public ::testing::Test {
protected:
    // Puts a stone down the way the program does: cell first, then the groups.
    void Place(int x, int y, PointValue value)
    {
        position.SetValueAt(x, y, value);
        position.AddStoneToGroups(x, y);
    }

    // Each group as "x,y x,y ...", head of the list first.
    std::vector<std::string> Groups() const
    {
        std::vector<std::string> groups;
        for (const StoneGroup& group : position.GetGroups()) {
            std::string text;
            for (const CPoint point : group)
                text += (text.empty() ? "" : " ") + std::to_string(point.x) + "," + std::to_string(point.y);
            groups.push_back(text);
        }
        return groups;
    }

    std::int32_t LibertiesOfGroupAt(int x, int y) const
    {
        for (const StoneGroup& group : position.GetGroups())
            if (std::find(group.begin(), group.end(), CPoint{x, y}) != group.end())
                return position.CountLiberties(group);
        ADD_FAILURE() << "no group holds " << x << "," << y;
        return -1;
    }

    CGamePosition position;
};

using Strings = std::vector<std::string>;

// --- AddStoneToGroups -------------------------------------------------------

TEST_F(GamePositionTest, StoneWithoutEqualNeighbourStartsAGroupAtTheTail)
{
    Place(2, 1, PT_WHITE);
    Place(1, 2, PT_FLOWER);
    Place(1, 1, PT_BLACK);  // touches white, flower and the border
    EXPECT_EQ(Groups(), (Strings{"2,1", "1,2", "1,1"}));
}

TEST_F(GamePositionTest, StoneJoiningAGroupMovesItToTheTail)
{
    Place(5, 5, PT_BLACK);
    Place(9, 9, PT_WHITE);
    Place(5, 6, PT_BLACK);
    EXPECT_EQ(Groups(), (Strings{"9,9", "5,5 5,6"}));
}

TEST_F(GamePositionTest, NeighbourGroupsMergeIntoTheLeftOneInLeftRightUpDownOrder)
{
    Place(4, 5, PT_BLACK);  // left
    Place(1, 1, PT_WHITE);
    Place(5, 6, PT_BLACK);  // down
    Place(5, 4, PT_BLACK);  // up
    Place(19, 19, PT_WHITE);
    Place(6, 5, PT_BLACK);  // right, two stones
    Place(7, 5, PT_BLACK);
    Place(5, 5, PT_BLACK);
    EXPECT_EQ(Groups(), (Strings{"1,1", "19,19", "4,5 5,5 6,5 7,5 5,4 5,6"}));
}

TEST_F(GamePositionTest, NeighboursAlreadyInTheTargetAreNotMergedAgain)
{
    Place(4, 5, PT_BLACK);
    Place(4, 4, PT_BLACK);
    Place(5, 4, PT_BLACK);
    Place(10, 10, PT_WHITE);
    Place(5, 5, PT_BLACK);  // left (4,5) and up (5,4) are one group
    EXPECT_EQ(Groups(), (Strings{"10,10", "4,5 4,4 5,4 5,5"}));
}

TEST_F(GamePositionTest, FlowerStoneJoinsOnlyFlowerStones)
{
    Place(4, 5, PT_BLACK);
    Place(6, 5, PT_WHITE);
    Place(5, 5, PT_FLOWER);
    EXPECT_EQ(Groups(), (Strings{"4,5", "6,5", "5,5"}));
    Place(5, 6, PT_FLOWER);
    Place(4, 6, PT_BLACK);  // next to black (4,5) and flower (5,6)
    EXPECT_EQ(Groups(), (Strings{"6,5", "5,5 5,6", "4,5 4,6"}));
}

TEST_F(GamePositionTest, EmptyPointMakesNoGroup)
{
    position.AddStoneToGroups(10, 10);  // empty neighbours all round
    SetBoardText(position, Board(R"(
        .X.
        X.X
        .X.
    )"));
    position.AddStoneToGroups(2, 2);  // no empty neighbour either
    EXPECT_TRUE(position.GetGroups().empty());
}

// The flower stones here stand in for ones a capture left behind: on the board,
// held by no group.
TEST_F(GamePositionTest, UnheldNeighboursArePassedOverAndTheNextHeldOneLeads)
{
    SetBoardText(position, Board(R"(
        .*...
        .....
        .....
        ....*
        ...*.
    )"));
    Place(6, 5, PT_FLOWER);  // right
    Place(9, 9, PT_WHITE);
    Place(5, 6, PT_FLOWER);  // down
    Place(5, 5, PT_FLOWER);  // left (4,5) and up (5,4) are unheld
    EXPECT_EQ(Groups(), (Strings{"9,9", "6,5 5,5 5,6"}));

    Place(1, 1, PT_FLOWER);  // its only flower neighbour (2,1) is unheld
    EXPECT_EQ(Groups(), (Strings{"9,9", "6,5 5,5 5,6", "1,1"}));
}

TEST_F(GamePositionTest, IndicatorCellsJoinWhenEqualAndAlwaysKeepALiberty)
{
    Place(21, 21, PT_FLOWER);  // bomb
    Place(21, 20, PT_BLACK);   // pass
    EXPECT_EQ(Groups(), (Strings{"21,21", "21,20"}));
    EXPECT_EQ(LibertiesOfGroupAt(21, 21), 2);  // (22,21) and (21,22) in the guard
    EXPECT_EQ(LibertiesOfGroupAt(21, 20), 1);  // (22,20)

    position.ResetPosition();
    Place(21, 21, PT_FLOWER);
    Place(21, 20, PT_FLOWER);  // a pass right after a bomb is a flower
    EXPECT_EQ(Groups(), (Strings{"21,21 21,20"}));
    EXPECT_EQ(LibertiesOfGroupAt(21, 20), 3);
    position.SweepCaptures();
    EXPECT_EQ(Groups(), (Strings{"21,21 21,20"}));
    EXPECT_EQ(position.m_nCaptures, 0);
}

// --- CountLiberties ---------------------------------------------------------

TEST_F(GamePositionTest, LibertiesAreDistinctEmptyPointsOnly)
{
    Place(1, 1, PT_BLACK);
    Place(19, 19, PT_WHITE);
    EXPECT_EQ(LibertiesOfGroupAt(1, 1), 2);  // the border is no liberty
    EXPECT_EQ(LibertiesOfGroupAt(19, 19), 2);

    Place(5, 5, PT_BLACK);  // an L: (5,6) touches two of its stones
    Place(6, 5, PT_BLACK);
    Place(6, 6, PT_BLACK);
    EXPECT_EQ(LibertiesOfGroupAt(5, 5), 7);

    Place(9, 10, PT_WHITE);
    Place(11, 10, PT_FLOWER);
    Place(10, 10, PT_BLACK);
    EXPECT_EQ(LibertiesOfGroupAt(10, 10), 2);
}

// --- SweepCaptures ----------------------------------------------------------

TEST_F(GamePositionTest, SweepWithoutCaptureOnlyCopiesTheCounter)
{
    Place(1, 1, PT_BLACK);
    Place(2, 1, PT_WHITE);
    position.m_nCaptures = 5;
    const std::string before = BoardText(position);
    position.SweepCaptures();
    EXPECT_EQ(position.m_nCapturesBefore, 5);
    EXPECT_EQ(position.m_nCaptures, 5);
    EXPECT_EQ(BoardText(position), before);
    EXPECT_EQ(Groups(), (Strings{"1,1", "2,1"}));
}

TEST_F(GamePositionTest, CapturedChainCountsOnceAndLeavesEmptyPoints)
{
    Place(1, 1, PT_WHITE);
    Place(2, 1, PT_WHITE);
    Place(3, 1, PT_WHITE);
    Place(4, 1, PT_BLACK);
    Place(1, 2, PT_BLACK);
    Place(2, 2, PT_BLACK);
    Place(3, 2, PT_BLACK);
    position.SweepCaptures();
    EXPECT_EQ(position.m_nCaptures, 1);
    EXPECT_EQ(position.m_nCapturesBefore, 0);
    EXPECT_EQ(BoardText(position), Board(R"(
        ...X
        XXX.
    )"));
    EXPECT_EQ(Groups(), (Strings{"4,1", "1,2 2,2 3,2"}));
}

TEST_F(GamePositionTest, MovingChainIsJudgedLastAndLivesOnThePointItCaptured)
{
    Place(2, 1, PT_WHITE);
    Place(1, 2, PT_WHITE);
    Place(3, 1, PT_BLACK);
    Place(2, 2, PT_BLACK);
    Place(1, 1, PT_BLACK);  // no liberty of its own until (2,1) goes
    position.SweepCaptures();
    EXPECT_EQ(position.m_nCaptures, 1);
    EXPECT_EQ(BoardText(position), Board(R"(
        X.X
        OX.
    )"));
    EXPECT_EQ(Groups(), (Strings{"1,2", "3,1", "2,2", "1,1"}));
}

TEST_F(GamePositionTest, SuicideRemovesTheMovingChain)
{
    Place(2, 1, PT_WHITE);
    Place(1, 2, PT_WHITE);
    Place(1, 1, PT_BLACK);
    position.SweepCaptures();
    EXPECT_EQ(position.m_nCaptures, 1);
    EXPECT_EQ(BoardText(position), Board(R"(
        .O
        O.
    )"));
    EXPECT_EQ(Groups(), (Strings{"2,1", "1,2"}));
}

// White (1,1)-(1,2) and flower (2,1) touch; black (2,2) takes the last liberty
// of both. Which one goes first decides whether the other survives.
class TouchingGroupsTest : public GamePositionTest {
protected:
    void PlaceWhite()
    {
        Place(1, 1, PT_WHITE);
        Place(1, 2, PT_WHITE);
    }
    void PlaceFlower() { Place(2, 1, PT_FLOWER); }
    void SurroundAndSweep()
    {
        Place(3, 1, PT_BLACK);
        Place(1, 3, PT_BLACK);
        Place(2, 2, PT_BLACK);
        position.SweepCaptures();
    }
};

TEST_F(TouchingGroupsTest, WhiteNearerTheHeadGoesFirstAndFreesTheFlower)
{
    PlaceWhite();
    PlaceFlower();
    SurroundAndSweep();
    EXPECT_EQ(position.m_nCaptures, 1);
    EXPECT_EQ(BoardText(position), Board(R"(
        .*X
        .X.
        X..
    )"));
    EXPECT_EQ(Groups(), (Strings{"2,1", "3,1", "1,3", "2,2"}));
}

TEST_F(TouchingGroupsTest, FlowerNearerTheHeadStaysOnTheBoardAndFreesNothing)
{
    PlaceFlower();
    PlaceWhite();
    SurroundAndSweep();
    EXPECT_EQ(position.m_nCaptures, 2);
    EXPECT_EQ(BoardText(position), Board(R"(
        .*X
        .X.
        X..
    )"));
    EXPECT_EQ(Groups(), (Strings{"3,1", "1,3", "2,2"}));  // the flower left the list

    position.SweepCaptures();  // a later sweep does not count it again
    EXPECT_EQ(position.m_nCaptures, 2);
    EXPECT_EQ(position.m_nCapturesBefore, 2);
}

TEST_F(GamePositionTest, CaptureCounterWrapsAround)
{
    Place(2, 1, PT_WHITE);
    Place(1, 2, PT_WHITE);
    Place(1, 1, PT_BLACK);
    position.m_nCaptures = std::numeric_limits<std::int32_t>::max();
    position.SweepCaptures();
    EXPECT_EQ(position.m_nCaptures, std::numeric_limits<std::int32_t>::min());
}

// --- RemoveGroupAt, ClearGroups, ResetPosition ------------------------------

TEST_F(GamePositionTest, RemovalClearsTheWholeGroupAndKeepsTheOthersInOrder)
{
    Place(1, 1, PT_BLACK);
    Place(5, 5, PT_FLOWER);
    Place(9, 9, PT_WHITE);
    Place(5, 6, PT_FLOWER);
    Place(19, 19, PT_BLACK);
    position.m_nCaptures = 3;
    position.RemoveGroupAt(5, 5);
    EXPECT_EQ(Groups(), (Strings{"1,1", "9,9", "19,19"}));
    EXPECT_EQ(position.ValueAt(5, 5), PT_EMPTY);
    EXPECT_EQ(position.ValueAt(5, 6), PT_EMPTY);
    EXPECT_EQ(position.m_nCaptures, 3);
}

TEST_F(GamePositionTest, CapturedFlowerStaysUntilTheRightClickHasMadeItAGroup)
{
    Place(1, 1, PT_FLOWER);
    Place(2, 1, PT_BLACK);
    Place(1, 2, PT_BLACK);
    position.SweepCaptures();
    ASSERT_EQ(position.ValueAt(1, 1), PT_FLOWER);

    // A right click: remove, then attach the same point again.
    position.RemoveGroupAt(1, 1);
    EXPECT_EQ(position.ValueAt(1, 1), PT_FLOWER);
    position.AddStoneToGroups(1, 1);
    EXPECT_EQ(Groups(), (Strings{"2,1", "1,2", "1,1"}));

    position.RemoveGroupAt(1, 1);
    position.AddStoneToGroups(1, 1);
    EXPECT_EQ(position.ValueAt(1, 1), PT_EMPTY);
    EXPECT_EQ(Groups(), (Strings{"2,1", "1,2"}));
}

// Replay can put a stone on an occupied point; the point then sits in two groups.
TEST_F(GamePositionTest, PointHeldTwiceIsFoundInTheGroupNearerTheHeadAndRemovedFromBoth)
{
    Place(10, 1, PT_WHITE);
    Place(5, 5, PT_BLACK);
    Place(6, 5, PT_BLACK);
    Place(7, 5, PT_WHITE);
    Place(6, 5, PT_WHITE);  // white onto the black stone: joins (7,5)
    EXPECT_EQ(Groups(), (Strings{"10,1", "5,5 6,5", "7,5 6,5"}));

    Place(6, 6, PT_WHITE);  // its white neighbour (6,5) is found in the black group first
    EXPECT_EQ(Groups(), (Strings{"10,1", "7,5 6,5", "5,5 6,5 6,6"}));

    position.RemoveGroupAt(6, 5);
    EXPECT_EQ(Groups(), (Strings{"10,1"}));
    EXPECT_EQ(BoardText(position), Board(".........O"));
}

TEST_F(GamePositionTest, PointEmptiedByACaptureIsNotRemovedThroughTheGroupStillListingIt)
{
    Place(1, 1, PT_BLACK);
    Place(2, 1, PT_BLACK);
    Place(3, 1, PT_WHITE);
    Place(1, 2, PT_WHITE);
    Place(2, 2, PT_WHITE);
    Place(2, 1, PT_WHITE);  // white onto black: both groups list (2,1)
    position.SweepCaptures();
    const std::string expected = Board(R"(
        ..O
        OO.
    )");
    ASSERT_EQ(BoardText(position), expected);
    ASSERT_EQ(Groups(), (Strings{"3,1 2,1 1,2 2,2"}));

    position.RemoveGroupAt(2, 1);
    EXPECT_EQ(BoardText(position), expected);
    EXPECT_EQ(Groups(), (Strings{"3,1 2,1 1,2 2,2"}));
}

TEST_F(GamePositionTest, ResetPositionEmptiesBoardAndListButKeepsTheCounters)
{
    Place(5, 5, PT_BLACK);
    Place(6, 5, PT_BLACK);
    Place(21, 21, PT_FLOWER);
    position.m_nCaptures = 4;
    position.m_nCapturesBefore = 3;
    position.ResetPosition();
    EXPECT_TRUE(position.GetGroups().empty());
    EXPECT_EQ(BoardText(position), Board(""));
    EXPECT_EQ(position.ValueAt(21, 21), PT_EDGE);
    EXPECT_EQ(position.m_nCaptures, 4);
    EXPECT_EQ(position.m_nCapturesBefore, 3);

    // Nothing of the old groups lingers: the same points start afresh.
    position.SetValueAt(5, 5, PT_WHITE);
    position.RemoveGroupAt(5, 5);
    EXPECT_EQ(position.ValueAt(5, 5), PT_WHITE);
    Place(6, 5, PT_WHITE);
    EXPECT_EQ(Groups(), (Strings{"6,5"}));
}

// --- CheckConsistency -------------------------------------------------------

TEST_F(GamePositionTest, ConsistencyCheckAcceptsPointsHeldTwiceAndFlowerStonesHeldByNone)
{
    Place(1, 1, PT_BLACK);
    Place(2, 1, PT_BLACK);
    Place(3, 1, PT_WHITE);
    Place(1, 2, PT_WHITE);
    Place(2, 2, PT_WHITE);
    Place(2, 1, PT_WHITE);  // white onto black: both groups list (2,1)
    EXPECT_EQ(position.CheckConsistency(), "");
    position.SweepCaptures();  // the black group goes; the white one still lists the emptied (2,1)
    ASSERT_EQ(Groups(), (Strings{"3,1 2,1 1,2 2,2"}));
    EXPECT_EQ(position.CheckConsistency(), "");

    Place(19, 19, PT_FLOWER);
    Place(18, 19, PT_BLACK);
    Place(19, 18, PT_BLACK);
    position.SweepCaptures();
    ASSERT_EQ(position.ValueAt(19, 19), PT_FLOWER);
    EXPECT_EQ(position.CheckConsistency(), "");
    Place(21, 21, PT_FLOWER);
    Place(21, 20, PT_FLOWER);
    position.RemoveGroupAt(2, 2);
    EXPECT_EQ(position.CheckConsistency(), "");
}

TEST_F(GamePositionTest, ConsistencyCheckNamesAStoneThatJoinedNoGroup)
{
    Place(5, 5, PT_BLACK);
    position.SetValueAt(5, 6, PT_BLACK);  // written, never attached
    EXPECT_EQ(position.CheckConsistency(), "the stone at (5, 6) is held by no group");
}

}  // namespace
