#include "HostileRecords.h"

#include "GameRecords.h"
#include "SplitMix64.h"

#include <cassert>
#include <utility>

namespace {

[[maybe_unused]] bool IsInsideBoard(BoardRegion region)
{
    return region.nWidth >= 1 && region.nHeight >= 1 && IsBoardPoint(region.nLeft, region.nTop)
        && IsBoardPoint(region.nLeft + region.nWidth - 1, region.nTop + region.nHeight - 1);
}

MovePoint RegionPoint(BoardRegion region, int dx, int dy)
{
    return {region.nLeft + dx, region.nTop + dy};
}

std::vector<MovePoint> SpiralOrder(BoardRegion region)
{
    std::vector<MovePoint> points;
    int nLeft = 0, nTop = 0, nRight = region.nWidth - 1, nBottom = region.nHeight - 1;
    while (nLeft <= nRight && nTop <= nBottom) {
        for (int dx = nLeft; dx <= nRight; ++dx)
            points.push_back(RegionPoint(region, dx, nTop));
        for (int dy = nTop + 1; dy <= nBottom; ++dy)
            points.push_back(RegionPoint(region, nRight, dy));
        // A rim of one row or one column has no way back.
        if (nTop < nBottom)
            for (int dx = nRight - 1; dx >= nLeft; --dx)
                points.push_back(RegionPoint(region, dx, nBottom));
        if (nLeft < nRight)
            for (int dy = nBottom - 1; dy > nTop; --dy)
                points.push_back(RegionPoint(region, nLeft, dy));
        ++nLeft, ++nTop, --nRight, --nBottom;
    }
    return points;
}

}  // namespace

MoveRecord RepeatCycle(std::span<const MovePoint> cycle, int nEntries)
{
    assert(!cycle.empty() && nEntries >= 0);
    MoveRecord record;
    record.SetSize(nEntries);
    for (int i = 0; i < nEntries; ++i)
        record[i] = cycle[static_cast<std::size_t>(i) % cycle.size()];
    return record;
}

std::string_view FillOrderName(FillOrder order)
{
    switch (order) {
    case FillOrder::rows:
        return "rows";
    case FillOrder::rowsBackward:
        return "rows-backward";
    case FillOrder::columns:
        return "columns";
    case FillOrder::snake:
        return "snake";
    case FillOrder::spiral:
        return "spiral";
    case FillOrder::checkerboard:
        return "checkerboard";
    case FillOrder::diagonals:
        return "diagonals";
    case FillOrder::shuffled:
        return "shuffled";
    }
    return "?";
}

std::vector<MovePoint> FillCycle(FillOrder order, BoardRegion region, std::uint64_t nSeed)
{
    assert(IsInsideBoard(region));
    const int nWidth = region.nWidth;
    const int nHeight = region.nHeight;
    std::vector<MovePoint> points;
    switch (order) {
    case FillOrder::rows:
    case FillOrder::shuffled:
        for (int dy = 0; dy < nHeight; ++dy)
            for (int dx = 0; dx < nWidth; ++dx)
                points.push_back(RegionPoint(region, dx, dy));
        break;
    case FillOrder::rowsBackward:
        for (int dy = nHeight - 1; dy >= 0; --dy)
            for (int dx = nWidth - 1; dx >= 0; --dx)
                points.push_back(RegionPoint(region, dx, dy));
        break;
    case FillOrder::columns:
        for (int dx = 0; dx < nWidth; ++dx)
            for (int dy = 0; dy < nHeight; ++dy)
                points.push_back(RegionPoint(region, dx, dy));
        break;
    case FillOrder::snake:
        for (int dy = 0; dy < nHeight; ++dy)
            for (int i = 0; i < nWidth; ++i)
                points.push_back(RegionPoint(region, dy % 2 == 0 ? i : nWidth - 1 - i, dy));
        break;
    case FillOrder::spiral:
        points = SpiralOrder(region);
        break;
    case FillOrder::checkerboard:
        for (const int nParity : {0, 1})
            for (int dy = 0; dy < nHeight; ++dy)
                for (int dx = 0; dx < nWidth; ++dx)
                    if ((region.nLeft + dx + region.nTop + dy) % 2 == nParity)
                        points.push_back(RegionPoint(region, dx, dy));
        break;
    case FillOrder::diagonals:
        for (int nSum = 0; nSum <= nWidth + nHeight - 2; ++nSum)
            for (int dx = 0; dx < nWidth; ++dx)
                if (nSum - dx >= 0 && nSum - dx < nHeight)
                    points.push_back(RegionPoint(region, dx, nSum - dx));
        break;
    }
    if (order == FillOrder::shuffled) {
        SplitMix64 random(nSeed);
        for (int i = static_cast<int>(points.size()) - 1; i > 0; --i)
            std::swap(points[static_cast<std::size_t>(i)], points[static_cast<std::size_t>(random.Below(i + 1))]);
    }
    assert(points.size() == static_cast<std::size_t>(nWidth * nHeight));
    return points;
}

MoveRecord MakeFill(FillOrder order, BoardRegion region, int nEntries, std::uint64_t nSeed)
{
    return RepeatCycle(FillCycle(order, region, nSeed), nEntries);
}

std::vector<MovePoint> ShortCycleEntries(const ShortCycle& cycle)
{
    assert(IsInsideBoard(cycle.region) && cycle.nLength >= 1);
    SplitMix64 random(cycle.nSeed);
    std::vector<MovePoint> entries;
    for (int i = 0; i < cycle.nLength; ++i) {
        if (random.Below(100) < cycle.nMarkPercent) {
            entries.push_back(random.Below(2) == 0 ? PASS_MARK : BOMB_MARK);
        } else {
            const int dx = random.Below(cycle.region.nWidth);
            entries.push_back(RegionPoint(cycle.region, dx, random.Below(cycle.region.nHeight)));
        }
    }
    return entries;
}

MoveRecord MakeShortCycle(const ShortCycle& cycle, int nEntries)
{
    return RepeatCycle(ShortCycleEntries(cycle), nEntries);
}

MoveRecord MakeCornerCycle(int nEntries)
{
    static constexpr MovePoint cycle[] = {{1, 2}, {1, 1}, {2, 2}, {2, 2}, {1, 1}, {2, 1}, {2, 1},
                                          {1, 2}, {2, 2}, {1, 2}, {2, 1}, {1, 1}, {2, 2}};
    return RepeatCycle(cycle, nEntries);
}

MoveRecord MakeCornerSnake(int nEntries)
{
    return MakeFill(FillOrder::snake, {1, 1, 3, 3}, nEntries);
}

MoveRecord MakeStonesAllOnOnePoint(int nEntries)
{
    static constexpr MovePoint cycle[] = {{10, 10}};
    return RepeatCycle(cycle, nEntries);
}

MoveRecord MakeTwoPointsInTurn(int nEntries)
{
    static constexpr MovePoint cycle[] = {{10, 10}, {10, 10}, {10, 11}, {10, 11}};
    return RepeatCycle(cycle, nEntries);
}

MoveRecord MakePassesOnly(int nEntries)
{
    static constexpr MovePoint cycle[] = {PASS_MARK};
    return RepeatCycle(cycle, nEntries);
}

MoveRecord MakeRandomPointsAndATenthPasses(int nEntries, std::uint64_t nSeed)
{
    MoveRecord record = MakeEntryMix(nEntries, nSeed);
    for (int i = 0; i < nEntries; i += 10)
        record[i] = PASS_MARK;
    return record;
}

namespace {

constexpr HostileFamily kFamilies[] = {
    {"CornerCycle", MakeCornerCycle},
    {"CornerSnake", MakeCornerSnake},
    {"BoardFillRows", [](int n) { return MakeFill(FillOrder::rows, WHOLE_BOARD, n); }},
    {"BoardFillRowsBackward", [](int n) { return MakeFill(FillOrder::rowsBackward, WHOLE_BOARD, n); }},
    {"BoardFillColumns", [](int n) { return MakeFill(FillOrder::columns, WHOLE_BOARD, n); }},
    {"BoardFillSnake", [](int n) { return MakeFill(FillOrder::snake, WHOLE_BOARD, n); }},
    {"BoardFillSpiral", [](int n) { return MakeFill(FillOrder::spiral, WHOLE_BOARD, n); }},
    {"BoardFillCheckerboard", [](int n) { return MakeFill(FillOrder::checkerboard, WHOLE_BOARD, n); }},
    {"BoardFillDiagonals", [](int n) { return MakeFill(FillOrder::diagonals, WHOLE_BOARD, n); }},
    {"BoardFillShuffled", [](int n) { return MakeFill(FillOrder::shuffled, WHOLE_BOARD, n, 0x60'4000); }},
    {"StonesAllOnOnePoint", MakeStonesAllOnOnePoint},
    {"TwoPointsInTurn", MakeTwoPointsInTurn},
    {"PassesOnly", MakePassesOnly},
    {"RandomPointsAndATenthPasses", [](int n) { return MakeRandomPointsAndATenthPasses(n, 0x60'3000); }},
    // The slowest cycle adversarial_search found while replay took 2.3 s
    // over 20,000 entries of the corner cycle: 13 entries over 2x4 points
    // in the middle of the bottom edge, one of them a pass.
    {"FoundCycle2x4WithMarks",
     [](int n) { return MakeShortCycle({0x3f82c1e2bfec044d, {9, 16, 2, 4}, 13, 5}, n); }},
};

}  // namespace

std::span<const HostileFamily> HostileFamilies()
{
    return kFamilies;
}
