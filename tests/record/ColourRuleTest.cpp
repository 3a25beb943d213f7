#include "record/ColourRule.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using Names = std::vector<std::string>;
constexpr MovePoint S{4, 4};  // any stone: only the marks change colours

// The replay colour names of a record's entries, in order.
Names ReplayNames(const std::vector<MovePoint>& entries)
{
    MoveRecord moves;
    for (const MovePoint& entry : entries)
        moves.Add(entry);
    Names names;
    for (int i = 0; i < moves.GetSize(); ++i)
        names.emplace_back(ReplayColour(moves, i).name);
    return names;
}

TEST(ColourRule, PositionsAlternateBlackAndWhiteCountingPasses)
{
    EXPECT_EQ(ReplayNames({S, PASS_MARK, S, PASS_MARK}), (Names{"黑", "白", "黑", "白"}));
}

TEST(ColourRule, BombAndWhateverFollowsItAreFlowerExceptABombAtTheStart)
{
    EXPECT_EQ(ReplayNames({S, BOMB_MARK, PASS_MARK, S}), (Names{"黑", "花", "花", "白"}));
    EXPECT_EQ(ReplayNames({S, BOMB_MARK, BOMB_MARK, S, S}), (Names{"黑", "花", "花", "花", "黑"}));
    EXPECT_EQ(ReplayNames({BOMB_MARK, S, S}), (Names{"黑", "花", "黑"}));
}

// Each row records one entry after the record before it, then replays the
// record to that entry. The rules part only where the rows say "differs".
TEST(ColourRule, LiveAndReplayColoursDifferOnlyForABombFirstAndAPassAfterABomb)
{
    struct Row {
        std::vector<MovePoint> before;
        MovePoint entry;
        std::string_view live;
        std::string_view replay;
    };
    const Row rows[] = {
        {{}, S, "黑", "黑"},
        {{}, PASS_MARK, "黑", "黑"},
        {{}, BOMB_MARK, "花", "黑"},  // differs
        {{S}, S, "白", "白"},
        {{S}, BOMB_MARK, "花", "花"},
        {{S, BOMB_MARK}, S, "花", "花"},
        {{S, BOMB_MARK}, BOMB_MARK, "花", "花"},
        {{S, BOMB_MARK}, PASS_MARK, "黑", "花"},  // differs
        {{BOMB_MARK}, S, "花", "花"},
        {{BOMB_MARK}, PASS_MARK, "白", "花"},  // differs
        {{S, BOMB_MARK, PASS_MARK}, S, "白", "白"},
    };
    for (const Row& row : rows) {
        MoveRecord moves;
        for (const MovePoint& entry : row.before)
            moves.Add(entry);
        const int i = moves.GetSize();
        SCOPED_TRACE("entry " + std::to_string(i) + " at " + std::to_string(row.entry.x) + "," +
                     std::to_string(row.entry.y));
        EXPECT_EQ(LiveColour(moves, i, row.entry).name, row.live);
        moves.Add(row.entry);
        EXPECT_EQ(ReplayColour(moves, i).name, row.replay);
    }
}

TEST(ColourRule, LiveColourReadsNothingFromTheEntriesItIsAboutToDiscard)
{
    MoveRecord moves;
    for (const MovePoint& entry : {S, BOMB_MARK, S})
        moves.Add(entry);
    EXPECT_EQ(LiveColour(moves, 1, S), WHITE_STONE) << "the bomb at index 1 is about to go";
    EXPECT_EQ(LiveColour(moves, 2, S), FLOWER_STONE);
}

}  // namespace
