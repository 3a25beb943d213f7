#include "record/ClientDoc.h"

#include "fw/core/CCmdUI.h"
#include "res/resource.h"
#include "support/BoardText.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace {

using testing_support::Board;
using testing_support::BoardText;

class FakeCmdUI : public CCmdUI {
public:
    void Enable(bool bOn) override { m_bEnabled = bOn; }
    std::optional<bool> m_bEnabled;
};

class ClientDocTest : public ::testing::Test {
protected:
    // Records each entry as the user would: a stone by click, the marks by command.
    void Record(std::initializer_list<MovePoint> entries)
    {
        for (const MovePoint& entry : entries) {
            if (entry == PASS_MARK)
                doc.RecordPass();
            else if (entry == BOMB_MARK)
                doc.RecordBomb();
            else
                doc.RecordMoveAt(entry.x, entry.y);
        }
    }

    PointValue CellOf(MovePoint point) const { return doc.GetPosition().m_board[CellIndex(point.x, point.y)]; }

    // What the update handler for nID decides; nullopt when the document has none.
    std::optional<bool> Availability(unsigned nID) const
    {
        FakeCmdUI cmdUI;
        return doc.OnUpdateCommand(nID, &cmdUI) ? cmdUI.m_bEnabled : std::nullopt;
    }

    CClientDoc doc;
};

// --- colours of recorded and replayed entries -------------------------------------------

TEST_F(ClientDocTest, WorkedExampleGivesTheSameColoursAndCaptionsRecordedAndReplayed)
{
    struct Step {
        MovePoint entry;
        std::string name;
        PointValue value;
        int nShowX, nShowY;
    };
    const std::vector<Step> steps{
        {{4, 4}, "黑", PT_BLACK, -6, 6},      {{16, 4}, "白", PT_WHITE, 6, 6},
        {BOMB_MARK, "花", PT_FLOWER, 11, -11}, {{4, 16}, "花", PT_FLOWER, -6, -6},
        {{16, 16}, "黑", PT_BLACK, 6, -6},    {PASS_MARK, "白", PT_WHITE, 11, -10},
        {{10, 10}, "黑", PT_BLACK, 0, 0},
    };
    for (const bool bReplay : {false, true}) {
        if (bReplay)
            doc.GoToStart();
        for (const Step& step : steps) {
            SCOPED_TRACE((bReplay ? "replayed " : "recorded ") + step.name);
            if (bReplay)
                doc.StepForward();
            else
                Record({step.entry});
            EXPECT_EQ(doc.GetColorName(), step.name);
            EXPECT_EQ(CellOf(step.entry), step.value);
            EXPECT_EQ(doc.GetShowX(), step.nShowX);
            EXPECT_EQ(doc.GetShowY(), step.nShowY);
        }
    }
}

TEST_F(ClientDocTest, PassAfterABombTakesItsParityWhenRecordedButIsFlowerOnReplay)
{
    Record({{1, 1}, BOMB_MARK, PASS_MARK});
    EXPECT_EQ(doc.GetColorName(), "黑");
    EXPECT_EQ(CellOf(PASS_MARK), PT_BLACK);
    doc.StepBack();
    doc.StepForward();
    EXPECT_EQ(doc.GetColorName(), "花");
    EXPECT_EQ(CellOf(PASS_MARK), PT_FLOWER);
    Record({{3, 1}});  // follows the pass, not the bomb
    EXPECT_EQ(BoardText(doc.GetPosition()), Board("X.O"));
}

TEST_F(ClientDocTest, BombAsTheFirstActionIsFlowerWhenRecordedButBlackOnReplay)
{
    Record({BOMB_MARK, {1, 1}});
    EXPECT_EQ(CellOf(BOMB_MARK), PT_FLOWER);
    EXPECT_EQ(BoardText(doc.GetPosition()), Board("*"));
    doc.GoToStart();
    doc.StepForward();
    EXPECT_EQ(doc.GetColorName(), "黑");
    EXPECT_EQ(CellOf(BOMB_MARK), PT_BLACK);
    doc.StepForward();
    EXPECT_EQ(BoardText(doc.GetPosition()), Board("*"));
}

TEST_F(ClientDocTest, TwoBombsInARowAndTheStoneAfterThemAreFlowerBothWays)
{
    Record({{1, 1}, BOMB_MARK, BOMB_MARK, {3, 1}});
    EXPECT_EQ(BoardText(doc.GetPosition()), Board("X.*"));
    doc.GoToStart();
    std::vector<std::string> replayed;
    for (int i = 0; i < 4; ++i) {
        doc.StepForward();
        replayed.push_back(doc.GetColorName());
    }
    EXPECT_EQ(replayed, (std::vector<std::string>{"黑", "花", "花", "花"}));
    EXPECT_EQ(BoardText(doc.GetPosition()), Board("X.*"));
}

// --- record edits ------------------------------------------------------------------------

TEST_F(ClientDocTest, RecordingInTheMiddleDiscardsTheRestEvenForTheSameStone)
{
    for (int x = 1; x <= 10; ++x)
        Record({{x, 1}});
    ASSERT_EQ(doc.GetMoves().GetCapacity(), 13);
    doc.GoToStart();
    for (int i = 0; i < 4; ++i)
        doc.StepForward();
    Record({{5, 1}});  // the very entry that stood there

    ASSERT_EQ(doc.GetMoves().GetSize(), 5);
    EXPECT_EQ(doc.GetMoves()[3], (MovePoint{4, 1}));
    EXPECT_EQ(doc.GetCurMove(), 5);
    EXPECT_EQ(doc.GetMoves().GetCapacity(), 13) << "shortening keeps the storage";
    EXPECT_EQ(BoardText(doc.GetPosition()), Board("XOXOX"));
}

TEST_F(ClientDocTest, RecordingAtPositionZeroReplacesTheWholeRecordWithOneBlackStone)
{
    Record({{1, 1}, {2, 1}, {3, 1}});
    doc.GoToStart();
    Record({{2, 2}});
    ASSERT_EQ(doc.GetMoves().GetSize(), 1);
    EXPECT_EQ(BoardText(doc.GetPosition()), Board(R"(
        ...
        .X
    )"));
}

// --- replay ---------------------------------------------------------------------------------

TEST_F(ClientDocTest, StepBackToPositionZeroKeepsTheCaptionOfTheEntryTakenBack)
{
    Record({{4, 16}});
    doc.StepBack();
    EXPECT_EQ(doc.GetCurMove(), 0);
    EXPECT_EQ(BoardText(doc.GetPosition()), Board(""));
    EXPECT_EQ(doc.GetColorName(), "黑");
    EXPECT_EQ(doc.GetShowX(), -6);
    EXPECT_EQ(doc.GetShowY(), -6);
}

TEST_F(ClientDocTest, RecordedCaptureStaysOnTheBoardUntilReplaySweepsIt)
{
    Record({{2, 1}, {1, 1}, {1, 2}});
    EXPECT_EQ(BoardText(doc.GetPosition()), Board(R"(
        OX
        X.
    )"));
    doc.StepBack();
    doc.StepForward();
    const std::string swept = Board(R"(
        .X
        X.
    )");
    EXPECT_EQ(BoardText(doc.GetPosition()), swept);
    EXPECT_EQ(doc.GetPosition().m_nCaptures, 1);
    doc.GoToStart();
    EXPECT_EQ(doc.GetPosition().m_nCaptures, 1) << "go to start keeps the counters";
    doc.GoToEnd();
    EXPECT_EQ(BoardText(doc.GetPosition()), swept);
    EXPECT_EQ(doc.GetPosition().m_nCaptures, 2);
    EXPECT_EQ(doc.GetPosition().m_nCapturesBefore, 1);
}

TEST_F(ClientDocTest, ReplayAtTheEdgesOfTheRecordChangesNothing)
{
    Record({{1, 1}, PASS_MARK});
    const BoardGrid atEnd = doc.GetPosition().m_board;
    doc.StepForward();
    doc.GoToEnd();
    EXPECT_EQ(doc.GetCurMove(), 2);
    EXPECT_EQ(doc.GetPosition().m_board, atEnd);

    doc.GoToStart();
    const BoardGrid atStart = doc.GetPosition().m_board;
    doc.StepBack();
    EXPECT_EQ(doc.GetCurMove(), 0);
    EXPECT_EQ(doc.GetPosition().m_board, atStart);
    EXPECT_EQ(doc.GetColorName(), "白");
}

// --- command availability and the modified flag --------------------------------------------

TEST_F(ClientDocTest, UpdateHandlersFollowTheReplayPositionAndTheModifiedFlag)
{
    using V = std::vector<std::optional<bool>>;
    const auto available = [this] {
        return V{Availability(ID_STEP_BACK), Availability(ID_GO_TO_START), Availability(ID_STEP_FORWARD),
                 Availability(ID_GO_TO_END), Availability(ID_FILE_SAVE)};
    };
    EXPECT_EQ(available(), (V{false, false, false, false, false}));
    Record({{1, 1}, {2, 1}});
    EXPECT_EQ(available(), (V{true, true, false, false, true}));
    doc.StepBack();
    EXPECT_EQ(available(), (V{true, true, true, true, true}));
    doc.GoToStart();
    EXPECT_EQ(available(), (V{false, false, true, true, true}));
    for (const unsigned nID : {ID_PASS, ID_DEFINE_BOMB, ID_FILE_SAVE_AS})
        EXPECT_EQ(Availability(nID), std::nullopt) << nID << " has no update handler here";
}

TEST_F(ClientDocTest, RecordEditsSetTheModifiedFlagAndReplayLeavesItAlone)
{
    for (const MovePoint entry : {MovePoint{1, 1}, PASS_MARK, BOMB_MARK}) {
        doc.SetModifiedFlag(false);
        Record({entry});
        EXPECT_TRUE(doc.IsModified()) << entry.x << "," << entry.y;
    }
    doc.SetModifiedFlag(false);  // as a save does
    doc.StepBack();
    doc.GoToStart();
    doc.StepForward();
    doc.GoToEnd();
    EXPECT_FALSE(doc.IsModified());
}

// --- emptying the document -------------------------------------------------------------------

TEST_F(ClientDocTest, NewDocumentEmptiesAllButTheCaptionAndIsTitledWexlan)
{
    Record({{2, 1}, {1, 1}, {1, 2}, BOMB_MARK, PASS_MARK});
    doc.GoToStart();
    doc.GoToEnd();
    ASSERT_GT(doc.GetPosition().m_nCaptures, 0);

    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetTitle(), "Wexlan");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetCurMove(), 0);
    EXPECT_EQ(doc.GetMoves().GetCapacity(), 0);
    EXPECT_EQ(doc.GetPosition().m_nCaptures, 0);
    EXPECT_EQ(doc.GetPosition().m_nCapturesBefore, 0);
    EXPECT_TRUE(doc.GetPosition().GetGroups().empty());
    EXPECT_EQ(doc.GetPosition().m_board, CClientDoc().GetPosition().m_board) << "indicator cells are border again";
    EXPECT_EQ(doc.GetColorName(), "花");
    EXPECT_EQ(doc.GetShowX(), 11);
    EXPECT_EQ(doc.GetShowY(), -10);
}

}  // namespace
