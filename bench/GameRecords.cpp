#include "GameRecords.h"

#include "SplitMix64.h"
#include "model/GamePosition.h"
#include "record/ColourRule.h"

#include <cassert>
#include <optional>
#include <vector>

namespace {

enum class EntryKind : char { stone, pass, bomb };

std::vector<EntryKind> PlaceMarks(int nEntries, int nPasses, int nBombs, SplitMix64& random)
{
    std::vector<EntryKind> kinds(static_cast<std::size_t>(nEntries), EntryKind::stone);
    auto scatter = [&](EntryKind kind, int nCount) {
        while (nCount > 0) {
            EntryKind& slot = kinds[static_cast<std::size_t>(random.Below(nEntries))];
            if (slot == EntryKind::stone) {
                slot = kind;
                --nCount;
            }
        }
    };
    scatter(EntryKind::pass, nPasses);
    scatter(EntryKind::bomb, nBombs);
    return kinds;
}

MovePoint RandomBoardPoint(SplitMix64& random)
{
    return {1 + random.Below(BOARD_SIZE), 1 + random.Below(BOARD_SIZE)};
}

MovePoint ChooseStone(const CGamePosition& position, std::optional<MovePoint> lastStone, SplitMix64& random)
{
    auto isEmpty = [&position](MovePoint point) {
        return IsBoardPoint(point.x, point.y) && position.ValueAt(point.x, point.y) == PT_EMPTY;
    };
    if (lastStone && random.Below(2) == 0) {
        std::vector<MovePoint> near;
        for (const MovePoint step : {MovePoint{-1, 0}, MovePoint{1, 0}, MovePoint{0, -1}, MovePoint{0, 1}}) {
            const MovePoint point{lastStone->x + step.x, lastStone->y + step.y};
            if (isEmpty(point))
                near.push_back(point);
        }
        if (!near.empty())
            return near[static_cast<std::size_t>(random.Below(static_cast<int>(near.size())))];
    }
    std::vector<MovePoint> empty;
    for (int x = 1; x <= BOARD_SIZE; ++x)
        for (int y = 1; y <= BOARD_SIZE; ++y)
            if (isEmpty({x, y}))
                empty.push_back({x, y});
    if (empty.empty())
        return RandomBoardPoint(random);
    return empty[static_cast<std::size_t>(random.Below(static_cast<int>(empty.size())))];
}

}  // namespace

MoveRecord MakePlayedRecord(int nEntries, int nPasses, int nBombs, std::uint64_t nSeed)
{
    assert(nPasses + nBombs <= nEntries);
    SplitMix64 random(nSeed);
    const std::vector<EntryKind> kinds = PlaceMarks(nEntries, nPasses, nBombs, random);

    // Every stone is chosen on the board replay will show: the record grows
    // beside a position that replays each entry as it is added, as the
    // document's step forward does (colour, chains, sweep).
    MoveRecord moves;
    CGamePosition position;
    for (int i = 0; i < nEntries; ++i) {
        std::optional<MovePoint> lastStone;
        if (i > 0 && IsBoardPoint(moves[i - 1].x, moves[i - 1].y))
            lastStone = moves[i - 1];
        switch (kinds[static_cast<std::size_t>(i)]) {
        case EntryKind::pass:
            moves.Add(PASS_MARK);
            break;
        case EntryKind::bomb:
            moves.Add(BOMB_MARK);
            break;
        case EntryKind::stone:
            moves.Add(ChooseStone(position, lastStone, random));
            break;
        }
        const MovePoint entry = moves[i];
        position.SetValueAt(entry.x, entry.y, ReplayColour(moves, i).value);
        position.AddStoneToGroups(entry.x, entry.y);
        position.SweepCaptures();
    }
    return moves;
}

MoveRecord MakeEntryMix(int nEntries, std::uint64_t nSeed)
{
    SplitMix64 random(nSeed);
    MoveRecord moves;
    moves.SetSize(nEntries);
    for (MovePoint& entry : moves) {
        const int nRoll = random.Below(100);
        entry = nRoll == 0 ? PASS_MARK : nRoll == 1 ? BOMB_MARK : RandomBoardPoint(random);
    }
    return moves;
}
