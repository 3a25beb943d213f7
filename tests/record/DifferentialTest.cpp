// CClientDoc against ReferenceGame, a plain reading of the chain and replay
// rules: both are driven by the same user actions and must agree on the whole
// board, the counters, the record, the caption fields and the group list
// (same groups, same points, same order) after every action, and what the
// document keeps beside its group list must agree with the list.
#include "ReferenceGame.h"

#include "record/ClientDoc.h"
#include "support/BoardText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using reference::Point;
using reference::ReferenceGame;

enum class Kind { Click, RightClick, Pass, Bomb, Back, Forward, Start, End, Load };

struct Action {
    Kind kind;
    int x = 0;
    int y = 0;
    std::vector<Point> record;  // what Load puts in the document
};

Action Click(int x, int y) { return {Kind::Click, x, y, {}}; }
Action RightClick(int x, int y) { return {Kind::RightClick, x, y, {}}; }
Action Load(std::vector<Point> record) { return {Kind::Load, 0, 0, std::move(record)}; }
const Action kPass{Kind::Pass, 0, 0, {}}, kBomb{Kind::Bomb, 0, 0, {}}, kBack{Kind::Back, 0, 0, {}},
    kForward{Kind::Forward, 0, 0, {}}, kStart{Kind::Start, 0, 0, {}}, kEnd{Kind::End, 0, 0, {}};
constexpr Point P{21, 20}, B{21, 21};  // the marks, in loaded records

std::string Text(int n) { return std::to_string(n); }
std::string Text(const std::string& text) { return '"' + text + '"'; }
std::string Text(Point p) { return p == P ? "P" : p == B ? "B" : Text(p.first) + "," + Text(p.second); }

// One action a line, as "click 3 4", "rclick 3 4", "back" or "load 3,4 B P 5,5".
std::string Describe(const std::vector<Action>& actions, std::size_t nCount)
{
    static const char* const names[] = {"click", "rclick", "pass", "bomb", "back", "forward", "start", "end", "load"};
    std::string text;
    for (std::size_t i = 0; i < nCount; ++i) {
        const Action& action = actions[i];
        text += names[static_cast<int>(action.kind)];
        if (action.kind == Kind::Click || action.kind == Kind::RightClick)
            text += ' ' + Text(action.x) + ' ' + Text(action.y);
        for (const Point& entry : action.record)
            text += ' ' + Text(entry);
        text += '\n';
    }
    return text;
}

// The program and the reference side by side, as the view would drive them:
// clicks only where the view accepts them, replay commands only when enabled.
class TwoGames {
public:
    TwoGames() { m_doc.DeleteContents(); }

    void Do(const Action& a)
    {
        const bool bOnBoard = a.x >= 1 && a.x <= 19 && a.y >= 1 && a.y <= 19;
        const bool bAtStart = m_ref.m_nCurMove == 0;
        const bool bAtEnd = m_ref.m_nCurMove == static_cast<int>(m_ref.m_moves.size());
        switch (a.kind) {
        case Kind::Click:
            if (bOnBoard && m_ref.Cell(a.x, a.y) == reference::kEmpty) {
                m_doc.RecordMoveAt(a.x, a.y);
                m_ref.RecordMoveAt(a.x, a.y);
            }
            break;
        case Kind::RightClick:
            if (bOnBoard && m_ref.Cell(a.x, a.y) != reference::kEmpty) {
                m_doc.RemoveChainAt(a.x, a.y);
                m_ref.RemoveGroupAt(a.x, a.y);
                m_ref.AddStoneToGroups(a.x, a.y);
            }
            break;
        case Kind::Pass: m_doc.RecordPass(); m_ref.RecordPass(); break;
        case Kind::Bomb: m_doc.RecordBomb(); m_ref.RecordBomb(); break;
        case Kind::Back: if (!bAtStart) { m_doc.StepBack(); m_ref.StepBack(); } break;
        case Kind::Start: if (!bAtStart) { m_doc.GoToStart(); m_ref.GoToStart(); } break;
        case Kind::Forward: if (!bAtEnd) { m_doc.StepForward(); m_ref.StepForward(); } break;
        case Kind::End: if (!bAtEnd) { m_doc.GoToEnd(); m_ref.GoToEnd(); } break;
        case Kind::Load: {  // as a file is loaded: emptied, then the record, at position 0
            MoveRecord moves;
            for (const auto& [x, y] : a.record)
                moves.Add({x, y});
            m_doc.LoadRecord(std::move(moves));
            m_ref.DeleteContents();
            m_ref.m_moves = a.record;
            break;
        }
        }
    }

    // bFull adds the guard block and each group's liberty count (the sweep
    // itself only asks whether a group has a liberty).
    testing::AssertionResult Agree(bool bFull = true) const
    {
        const CGamePosition& position = m_doc.GetPosition();
        const MoveRecord& moves = m_doc.GetMoves();
        std::string diff;
        auto check = [&diff](const char* name, const auto& actual, const auto& expected) {
            if (actual != expected)
                diff += std::string(name) + ": " + Text(actual) + " vs " + Text(expected) + '\n';
        };
        for (int i = 0; i < (bFull ? 2 : 1) * 22 * 22; ++i) {  // the board, then the guard block
            const int x = i / 22, y = i % 22;
            const int nExpected = i < 22 * 22 ? m_ref.Cell(x, y) : reference::kEmpty;
            const int nActual = position.ValueAt(x, y);
            if (nActual != nExpected || (i < 22 * 22 && position.m_board[i] != nActual))
                diff += "cell (" + Text(x) + ", " + Text(y) + "): " + Text(nActual) + " vs " + Text(nExpected) + '\n';
        }
        if (const std::string strBroken = m_doc.CheckConsistency(); !strBroken.empty())
            diff += "inconsistent position: " + strBroken + '\n';
        check("m_nCaptures", position.m_nCaptures, m_ref.m_nCaptures);
        check("m_nCapturesBefore", position.m_nCapturesBefore, m_ref.m_nCapturesBefore);
        check("m_nCurMove", m_doc.GetCurMove(), m_ref.m_nCurMove);
        check("m_strColor", m_doc.GetColorName(), m_ref.m_strColor);
        check("m_nShowX", m_doc.GetShowX(), m_ref.m_nShowX);
        check("m_nShowY", m_doc.GetShowY(), m_ref.m_nShowY);
        check("record size", moves.GetSize(), static_cast<int>(m_ref.m_moves.size()));
        for (int i = 0; i < moves.GetSize() && i < static_cast<int>(m_ref.m_moves.size()); ++i)
            check("record entry", Point{moves[i].x, moves[i].y}, m_ref.m_moves[i]);
        check("group count", static_cast<int>(position.GetGroups().size()), static_cast<int>(m_ref.m_groups.size()));
        auto expected = m_ref.m_groups.begin();
        for (const StoneGroup& actual : position.GetGroups()) {
            if (expected == m_ref.m_groups.end())
                break;
            const bool bSame = std::equal(actual.begin(), actual.end(), expected->begin(), expected->end(),
                [](const CPoint& p, const Point& q) { return p.x == q.first && p.y == q.second; });
            if (!bSame)
                diff += "group " + Text(static_cast<int>(std::distance(m_ref.m_groups.begin(), expected))) + " holds other points\n";
            else if (bFull)
                check("liberties", position.CountLiberties(actual), m_ref.CountLiberties(*expected));
            ++expected;
        }
        if (diff.empty())
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << diff << testing_support::BoardText(position);
    }

    // Checkpoints every few entries, within a budget that a long record
    // overruns, so that jumps restore them and their spacing grows; snapshots
    // of two groups a segment, so that restores keep and rebuild parts; sets
    // of cells from four points, so that merges and captures use them.
    CClientDoc m_doc{3, 4096, {.nSegmentGroups = 2, .nHeapRuns = 3}};
    ReferenceGame m_ref;
};

class Differential : public testing::Test {
protected:
    // Runs actions one by one; stops at the first disagreement.
    void Run(const std::vector<Action>& actions)
    {
        for (std::size_t i = 0; i < actions.size(); ++i) {
            m_games.Do(actions[i]);
            ASSERT_TRUE(m_games.Agree()) << "after actions:\n" << Describe(actions, i + 1);
        }
    }

    std::string Board() const { return testing_support::BoardText(m_games.m_doc.GetPosition()); }

    TwoGames m_games;
};

TEST_F(Differential, BombAsFirstEntryAndPassAfterBombReplayAsTheirRecordSays)
{
    Run({kBomb, Click(1, 1), kBomb, kPass, Click(2, 2), kBomb, kBomb, Click(3, 3), kPass});
    Run({kStart, kForward});
    EXPECT_EQ(m_games.m_doc.GetPosition().ValueAt(21, 21), PT_BLACK);
    Run({kForward, kForward, kForward});
    EXPECT_EQ(m_games.m_doc.GetPosition().ValueAt(21, 20), PT_FLOWER);
    Run({kEnd, kBack, kBack, kBack, kForward, kBack, kStart, kEnd});
}

TEST_F(Differential, FlowerStonesLeftByACaptureAreSkippedWhenFlowerStonesJoinNextToThem)
{
    // Replay captures the flower stone at (1, 1); it stays on the board, held by no group.
    Run({Load({{2, 1}, {9, 9}, B, {1, 1}, {1, 2}}), kEnd, RightClick(1, 2)});
    // (1, 2) then passes over it and joins the flower group below.
    Run({kBomb, Click(1, 3), kBomb, Click(1, 2)});
    EXPECT_EQ(Board().substr(0, 3 * 20), testing_support::NormalizeRows(R"(
        *X.................
        *..................
        *..................
    )"));
    // The first right click on it makes it join its neighbours; the second clears them all.
    Run({RightClick(1, 1), RightClick(1, 1), kBack, kBack, kForward, kEnd});
}

TEST_F(Differential, AStoneReplayedOntoAnOccupiedPointLeavesThePointInTwoGroups)
{
    Run({Load({{3, 3}, {3, 4}, {3, 3}, {4, 3}, {2, 3}, {3, 3}, {3, 2}, {2, 2}}), kForward, kForward, kForward});
    ASSERT_EQ(m_games.m_ref.m_groups.size(), 3u);  // (3, 3) twice, (3, 4)
    Run({kEnd, kBack, kBack, kForward, RightClick(3, 3), kEnd, kStart, kEnd, RightClick(3, 4)});
}

TEST_F(Differential, OfTwoTouchingChainsLosingTheirLastLibertyTheOneNearerTheHeadGoesFirst)
{
    // The flower stone is nearer the head: it is captured but stays, so the
    // white chain next to it finds no liberty and goes as well.
    Run({Load({{9, 9}, {1, 1}, B, {2, 1}, {1, 3}, {1, 2}, {3, 1}, P, {2, 2}}), kEnd});
    EXPECT_EQ(m_games.m_doc.GetPosition().m_nCaptures, 2);
    EXPECT_EQ(Board().substr(0, 3 * 20), testing_support::NormalizeRows(R"(
        .*X................
        .X.................
        X..................
    )"));
}

// Random user actions over one region of the board: 3 x 3 and 5 x 5 corners
// make chains die often (and flower stones that a capture left meet new
// ones); 7 x 7 squares anywhere and the whole board do the rest.
// One scenario in seven loads a long record and only steps through it. One
// in five loads a hostile one: a short cycle over a small corner or a fill
// of a region, repeated past many checkpoints, so that groups list points
// again and again and many groups of one shape pile up; it steps through
// it, and clicks and right clicks in the region.
class Scenario {
public:
    explicit Scenario(unsigned seed) : m_rng(seed)
    {
        struct Region { int nSize, nX0, nY0; };  // 0: anywhere
        constexpr Region kRegions[] = {{3, 1, 1}, {3, 17, 17}, {5, 1, 1}, {5, 15, 15}, {7, 0, 0}, {7, 0, 0}, {19, 1, 1}};
        const Region region = kRegions[Roll(0, static_cast<int>(std::size(kRegions)) - 1)];
        m_nSize = region.nSize;
        m_nX0 = region.nX0 != 0 ? region.nX0 : Roll(1, 20 - m_nSize);
        m_nY0 = region.nY0 != 0 ? region.nY0 : Roll(1, 20 - m_nSize);
        m_bLongReplay = m_nSize < 19 && Roll(0, 6) == 0;
        m_nHostile = !m_bLongReplay && Roll(0, 4) == 0 ? Roll(1, 2) : 0;
        m_nBombPercent = Roll(0, 2) == 0 ? 40 : 12;  // many flower stones, or a few
    }

    std::vector<Action> Actions()
    {
        std::vector<Action> actions;
        if (m_nHostile != 0) {
            actions.push_back(Load(HostileRecord(Roll(100, 400))));
            while (actions.size() < 60) {
                const int nRoll = Roll(0, 99);
                const int x = Roll(m_nX0, std::min(19, m_nX0 + 2)), y = Roll(m_nY0, std::min(19, m_nY0 + 2));
                actions.push_back(nRoll < 30 ? kBack : nRoll < 60 ? kForward : nRoll < 72 ? kEnd : nRoll < 76 ? kStart
                                  : nRoll < 88 ? Click(x, y) : RightClick(x, y));
            }
            return actions;
        }
        if (m_bLongReplay || Roll(0, 1) == 0)
            actions.push_back(Load(RandomRecord(m_bLongReplay ? Roll(40, 80) : Roll(5, 40))));
        while (actions.size() < 60) {
            const int nRoll = Roll(0, 99);
            if (m_bLongReplay)
                actions.push_back(nRoll < 45 ? kBack : nRoll < 92 ? kForward : nRoll < 97 ? kEnd : kStart);
            else if (nRoll < 28) {
                if (Roll(0, 99) < m_nBombPercent)
                    actions.push_back(kBomb);
                actions.push_back(Click(Roll(m_nX0, m_nX0 + m_nSize - 1), Roll(m_nY0, m_nY0 + m_nSize - 1)));
            } else if (nRoll < 36)
                actions.push_back(RightClick(Roll(m_nX0, m_nX0 + m_nSize - 1), Roll(m_nY0, m_nY0 + m_nSize - 1)));
            else if (nRoll < 40)
                actions.push_back(kPass);
            else if (nRoll < 48)
                actions.insert(actions.end(), Roll(1, 3), kBomb);
            else if (nRoll < 64)
                actions.push_back(kBack);
            else if (nRoll < 84)
                actions.push_back(kForward);
            else if (nRoll < 86)
                actions.push_back(kStart);
            else if (nRoll < 92)
                actions.push_back(kEnd);
            else if (nRoll < 95)
                actions.push_back(Load(RandomRecord(Roll(0, 40))));
            else
                actions.push_back(Click(Roll(1, 19), Roll(1, 19)));
        }
        return actions;
    }

private:
    int Roll(int nLow, int nHigh) { return std::uniform_int_distribution<int>(nLow, nHigh)(m_rng); }

    // Stones fall on occupied points as often as on empty ones; marks come in
    // runs and may open the record.
    std::vector<Point> RandomRecord(int nLength)
    {
        std::vector<Point> record;
        while (static_cast<int>(record.size()) < nLength) {
            const int nRoll = Roll(0, 99);
            if (nRoll < m_nBombPercent || (record.empty() && nRoll < 25))
                record.insert(record.end(), Roll(1, 2), B);
            else if (nRoll < m_nBombPercent + 8)
                record.push_back(P);
            else
                record.emplace_back(Roll(m_nX0, m_nX0 + m_nSize - 1), Roll(m_nY0, m_nY0 + m_nSize - 1));
        }
        return record;
    }

    // A pattern over the corner of the region, repeated to nLength entries: a
    // random cycle of 2 to 16 entries (marks among them) over up to 3 x 3
    // points, or every point of up to 4 x 4 by rows, by snaking rows or
    // shuffled.
    std::vector<Point> HostileRecord(int nLength)
    {
        const int nLargest = 3 + (m_nHostile == 2);
        const int nWidth = Roll(1, std::min(nLargest, 20 - m_nX0)), nHeight = Roll(1, std::min(nLargest, 20 - m_nY0));
        std::vector<Point> pattern;
        if (m_nHostile == 1) {
            for (int i = Roll(2, 16); i > 0; --i) {
                const int nRoll = Roll(0, 99);
                pattern.push_back(nRoll < 5 ? P : nRoll < 12 ? B : Point{Roll(m_nX0, m_nX0 + nWidth - 1), Roll(m_nY0, m_nY0 + nHeight - 1)});
            }
        } else {
            const int nOrder = Roll(0, 2);
            for (int y = 0; y < nHeight; ++y)
                for (int i = 0; i < nWidth; ++i)
                    pattern.emplace_back(m_nX0 + (nOrder == 1 && y % 2 == 1 ? nWidth - 1 - i : i), m_nY0 + y);
            if (nOrder == 2)
                std::shuffle(pattern.begin(), pattern.end(), m_rng);
        }
        std::vector<Point> record;
        for (int i = 0; i < nLength; ++i)
            record.push_back(pattern[static_cast<std::size_t>(i) % pattern.size()]);
        return record;
    }

    std::mt19937 m_rng;
    int m_nX0 = 1, m_nY0 = 1, m_nSize = 5;
    bool m_bLongReplay = false;
    int m_nHostile = 0;  // 1: a short cycle repeated, 2: a fill repeated
    int m_nBombPercent = 12;
};

// How often the random material reached the cases the rules are delicate about.
struct Reached {
    int nCaptures = 0, nPointsHeldTwice = 0, nUnheldFlowersNextToFlowerGroups = 0, nFlowerPasses = 0,
        nBombsAsFirstEntry = 0;

    void Note(const ReferenceGame& game, int nCapturesBefore)
    {
        nCaptures += game.m_nCaptures != nCapturesBefore;
        int held[22][22] = {};
        for (const reference::Group& group : game.m_groups)
            for (const auto& [x, y] : group)
                ++held[x][y];
        auto heldFlower = [&](int x, int y) { return game.Cell(x, y) == reference::kFlower && held[x][y] > 0; };
        bool bTwice = false, bUnheldFlower = false;
        for (int x = 1; x <= 19; ++x)
            for (int y = 1; y <= 19; ++y) {
                bTwice = bTwice || held[x][y] > 1;
                bUnheldFlower = bUnheldFlower || (game.Cell(x, y) == reference::kFlower && held[x][y] == 0 &&
                    (heldFlower(x - 1, y) || heldFlower(x + 1, y) || heldFlower(x, y - 1) || heldFlower(x, y + 1)));
            }
        nPointsHeldTwice += bTwice;
        nUnheldFlowersNextToFlowerGroups += bUnheldFlower;
        nFlowerPasses += game.Cell(21, 20) == reference::kFlower;
        nBombsAsFirstEntry += game.m_nCurMove > 0 && game.m_moves[0] == B;
    }
};

TEST(DifferentialRandom, ThousandsOfSeededScenariosAgreeAfterEveryAction)
{
    // About 60 actions a scenario; the sanitizer build runs fewer of them.
    constexpr unsigned kScenarios = DIFFERENTIAL_SCENARIOS;
    Reached reached;
    int nJumpsPastCheckpoints = 0;
    for (unsigned seed = 1; seed <= kScenarios; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        TwoGames games;
        const std::vector<Action> actions = Scenario(seed).Actions();
        for (std::size_t i = 0; i < actions.size(); ++i) {
            const int nCapturesBefore = games.m_ref.m_nCaptures;
            const bool bJump = actions[i].kind == Kind::Back || actions[i].kind == Kind::End;
            nJumpsPastCheckpoints += bJump && games.m_doc.GetCheckpoints().GetCount() > 0;
            games.Do(actions[i]);
            const bool bFull = i % 8 == 7 || i + 1 == actions.size();
            ASSERT_TRUE(games.Agree(bFull)) << "after actions:\n" << Describe(actions, i + 1);
            reached.Note(games.m_ref, nCapturesBefore);
        }
    }
    EXPECT_GT(reached.nCaptures, kScenarios);
    EXPECT_GT(reached.nPointsHeldTwice, 2 * kScenarios);
    EXPECT_GT(reached.nUnheldFlowersNextToFlowerGroups, kScenarios / 20);
    EXPECT_GT(reached.nFlowerPasses, kScenarios);
    EXPECT_GT(reached.nBombsAsFirstEntry, 2 * kScenarios);
    EXPECT_GT(nJumpsPastCheckpoints, 2 * kScenarios);
}

}  // namespace
