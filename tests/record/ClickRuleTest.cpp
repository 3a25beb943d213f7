#include "record/ClickRule.h"

#include "record/ClientDoc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ClickRuleTest : public ::testing::Test {
protected:
    std::vector<MovePoint> Entries() const
    {
        std::vector<MovePoint> entries;
        for (int i = 0; i < doc.GetMoves().GetSize(); ++i)
            entries.push_back(doc.GetMoves()[i]);
        return entries;
    }

    // Each click must give outcome and leave board, record and flag as they were.
    void ExpectNoChange(ClickResult (*pfnClick)(CClientDoc&, int, int), std::vector<MovePoint> points,
                        ClickOutcome outcome)
    {
        const BoardGrid board = doc.GetPosition().m_board;
        const std::vector<MovePoint> entries = Entries();
        const int nCurMove = doc.GetCurMove();
        doc.SetModifiedFlag(false);
        for (const MovePoint& point : points) {
            SCOPED_TRACE(std::to_string(point.x) + "," + std::to_string(point.y));
            EXPECT_EQ(pfnClick(doc, point.x, point.y).outcome, outcome);
            EXPECT_EQ(doc.GetPosition().m_board, board);
            EXPECT_EQ(Entries(), entries);
            EXPECT_EQ(doc.GetCurMove(), nCurMove);
            EXPECT_FALSE(doc.IsModified());
        }
    }

    CClientDoc doc;
};

// ---- left button -------------------------------------------------------------

TEST_F(ClickRuleTest, LeftClickOnAnEmptyPointRecordsTheNextStone)
{
    const ClickResult first = LeftClickAt(doc, 1, 1);
    EXPECT_EQ(first.outcome, ClickOutcome::Recorded);
    EXPECT_EQ(first.previousLast, std::nullopt) << "no marker before the first stone";
    EXPECT_EQ(first.Message(), "");

    const ClickResult second = LeftClickAt(doc, 2, 1);
    EXPECT_EQ(second.outcome, ClickOutcome::Recorded);
    EXPECT_EQ(second.previousLast, (MovePoint{1, 1}));
    EXPECT_EQ(Entries(), (std::vector<MovePoint>{{1, 1}, {2, 1}}));
    EXPECT_EQ(doc.GetPosition().ValueAt(1, 1), PT_BLACK);
    EXPECT_EQ(doc.GetPosition().ValueAt(2, 1), PT_WHITE);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ClickRuleTest, LeftClickInTheMiddleOfTheRecordDiscardsTheLaterEntries)
{
    for (const int x : {1, 2, 3, 4})
        LeftClickAt(doc, x, 1);
    doc.StepBack();
    doc.StepBack();
    const ClickResult result = LeftClickAt(doc, 9, 9);
    EXPECT_EQ(result.outcome, ClickOutcome::Recorded);
    EXPECT_EQ(result.previousLast, (MovePoint{2, 1})) << "the last applied entry, not the last recorded";
    EXPECT_EQ(Entries(), (std::vector<MovePoint>{{1, 1}, {2, 1}, {9, 9}}));
    EXPECT_EQ(doc.GetCurMove(), 3);
}

TEST_F(ClickRuleTest, LeftClickOnAStoneTheBorderOrAnIndicatorCellIsForbidden)
{
    LeftClickAt(doc, 3, 3);
    LeftClickAt(doc, 4, 4);
    doc.RecordBomb();
    LeftClickAt(doc, 5, 5);
    doc.RecordPass();
    ExpectNoChange(&LeftClickAt, {{3, 3}, {4, 4}, {5, 5}, {0, 0}, {20, 10}, {10, 21}, PASS_MARK, BOMB_MARK},
                   ClickOutcome::Forbidden);
    EXPECT_EQ(LeftClickAt(doc, 3, 3).Message(), "禁手!");
}

TEST_F(ClickRuleTest, LeftClickOffTheGridDoesNothing)
{
    ExpectNoChange(&LeftClickAt, {{22, 5}, {5, 22}, {-1, 5}, {5, -1}}, ClickOutcome::Nothing);
    EXPECT_EQ(LeftClickAt(doc, 22, 5).Message(), "");
}

// ---- right button ------------------------------------------------------------

TEST_F(ClickRuleTest, RightClickOnAnEmptyPointIsInvalid)
{
    LeftClickAt(doc, 3, 3);
    ExpectNoChange(&RightClickAt, {{10, 10}, {1, 19}}, ClickOutcome::InvalidPoint);
    EXPECT_EQ(RightClickAt(doc, 10, 10).Message(), "无效点!");
}

TEST_F(ClickRuleTest, RightClickOnAStoneRemovesItsChainWithoutRecordingIt)
{
    for (const MovePoint& point : {MovePoint{1, 1}, {5, 5}, {2, 1}})
        LeftClickAt(doc, point.x, point.y);
    doc.SetModifiedFlag(false);
    const ClickResult result = RightClickAt(doc, 2, 1);
    EXPECT_EQ(result.outcome, ClickOutcome::Removed);
    EXPECT_EQ(result.Message(), "");
    EXPECT_EQ(doc.GetPosition().ValueAt(1, 1), PT_EMPTY);
    EXPECT_EQ(doc.GetPosition().ValueAt(2, 1), PT_EMPTY);
    EXPECT_EQ(doc.GetPosition().ValueAt(5, 5), PT_WHITE);
    EXPECT_EQ(Entries(), (std::vector<MovePoint>{{1, 1}, {5, 5}, {2, 1}}));
    EXPECT_EQ(doc.GetCurMove(), 3);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ClickRuleTest, FlowerStoneLeftByACaptureGoesWithTheSecondRightClick)
{
    // Replay captures the flower stone at (1, 1) and leaves it on the board, held by no chain.
    doc.RecordBomb();
    for (const MovePoint& point : {MovePoint{1, 1}, {2, 1}, {10, 10}, {1, 2}})
        LeftClickAt(doc, point.x, point.y);
    doc.GoToStart();
    doc.GoToEnd();
    ASSERT_EQ(doc.GetPosition().ValueAt(1, 1), PT_FLOWER);
    EXPECT_EQ(RightClickAt(doc, 1, 1).outcome, ClickOutcome::Removed);
    EXPECT_EQ(doc.GetPosition().ValueAt(1, 1), PT_FLOWER);
    EXPECT_EQ(RightClickAt(doc, 1, 1).outcome, ClickOutcome::Removed);
    EXPECT_EQ(doc.GetPosition().ValueAt(1, 1), PT_EMPTY);
}

TEST_F(ClickRuleTest, RightClickOffTheBoardPointsDoesNothingEvenOnAFilledIndicatorCell)
{
    doc.RecordPass();
    ExpectNoChange(&RightClickAt, {{0, 5}, {20, 20}, {5, 21}, PASS_MARK, {30, 30}, {-1, -1}}, ClickOutcome::Nothing);
    EXPECT_EQ(RightClickAt(doc, 0, 5).Message(), "");
}

}  // namespace
