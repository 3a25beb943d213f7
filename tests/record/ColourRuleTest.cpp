#include "record/ColourRule.h"

#include <gtest/gtest.h>

#include <string>
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

}  // namespace
