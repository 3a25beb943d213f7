#include "record/ReplayCheckpoints.h"

#include <gtest/gtest.h>

namespace {

// A stone on every point of the top row, then the second row.
MoveRecord Walk(int nEntries)
{
    MoveRecord moves;
    for (int i = 0; i < nEntries; ++i)
        moves.Add({1 + i % BOARD_SIZE, 1 + i / BOARD_SIZE});
    return moves;
}

// Checkpoints after entries 2, 4 and 6 of moves; their snapshots are of an
// empty position, as only the entries they stand for matter here.
CReplayCheckpoints CheckpointsOf(const MoveRecord& moves, CGamePosition& position)
{
    CReplayCheckpoints checkpoints(2);
    for (const int nEntry : {2, 4, 6})
        checkpoints.Add({nEntry, 0, moves[nEntry - 1], position.TakeSnapshot()});
    return checkpoints;
}

// Restoring such a checkpoint would show the position of another game, and
// no assertion stops it in a release build.
TEST(ReplayCheckpointsTest, CheckpointTheRecordNoLongerHoldsIsDroppedWithTheLaterOnes)
{
    CGamePosition position;
    MoveRecord moves = Walk(8);

    CReplayCheckpoints checkpoints = CheckpointsOf(moves, position);
    moves[5] = {9, 9};  // the last entries of the checkpoints at 6 and 4
    moves[3] = {9, 10};
    const CReplayCheckpoints::Checkpoint* pCheckpoint = checkpoints.LatestAtOrBefore(7, moves);
    ASSERT_NE(pCheckpoint, nullptr);
    EXPECT_EQ(pCheckpoint->nEntry, 2);
    EXPECT_EQ(checkpoints.GetCount(), 1u);

    moves = Walk(8);
    checkpoints = CheckpointsOf(moves, position);
    pCheckpoint = checkpoints.LatestAtOrBefore(7, Walk(5));  // entries 6 to 8 gone
    ASSERT_NE(pCheckpoint, nullptr);
    EXPECT_EQ(pCheckpoint->nEntry, 4);
    EXPECT_EQ(checkpoints.GetCount(), 2u);

    checkpoints = CheckpointsOf(moves, position);
    EXPECT_EQ(checkpoints.LatestAtOrBefore(7, Walk(1)), nullptr);
    EXPECT_EQ(checkpoints.GetCount(), 0u);
    EXPECT_EQ(checkpoints.GetByteSize(), 0u);
}

}  // namespace
