// Records a file may hold that play never makes: the same few points played
// over and over, stones on occupied points, long runs of passes. Replay must
// take them in time that grows like the record's length, not its square, and
// these are the shapes that have made it grow faster. Every generator is
// deterministic (a seed, where there is one, gives the same record on every
// machine), and each record of n entries is the first n entries of the same
// family's longer records.
#pragma once

#include "record/MoveRecord.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// A rectangle of board points: nWidth x nHeight from (nLeft, nTop).
struct BoardRegion {
    int nLeft = 1;
    int nTop = 1;
    int nWidth = BOARD_SIZE;
    int nHeight = BOARD_SIZE;
};

inline constexpr BoardRegion WHOLE_BOARD{};

// cycle repeated, the last repetition cut, to nEntries entries. Requires a
// non-empty cycle.
MoveRecord RepeatCycle(std::span<const MovePoint> cycle, int nEntries);

// Orders in which a fill visits every point of a region once.
enum class FillOrder {
    rows,          // x fastest, from the top left
    rowsBackward,  // rows from the bottom right
    columns,       // y fastest
    snake,         // rows, every other one right to left
    spiral,        // the rim clockwise, then the rim inside it, to the middle
    checkerboard,  // the points of even x + y in rows, then the others
    diagonals,     // by x + y, x ascending on each diagonal
    shuffled,      // a seeded random order
};

inline constexpr FillOrder ALL_FILL_ORDERS[] = {
    FillOrder::rows,   FillOrder::rowsBackward, FillOrder::columns,   FillOrder::snake,
    FillOrder::spiral, FillOrder::checkerboard, FillOrder::diagonals, FillOrder::shuffled,
};

// The name used in benchmark names and in the search's descriptions.
std::string_view FillOrderName(FillOrder order);

// One pass over the region's points in the order; nSeed matters only for
// FillOrder::shuffled. Requires a region inside the board.
std::vector<MovePoint> FillCycle(FillOrder order, BoardRegion region, std::uint64_t nSeed = 0);

// The region filled in the order again and again, to nEntries entries.
MoveRecord MakeFill(FillOrder order, BoardRegion region, int nEntries, std::uint64_t nSeed = 0);

// A random cycle of nLength entries, each a point of the region drawn with
// repeats, or, for nMarkPercent percent of them on average, a pass or a bomb
// (one as likely as the other); repeated to the record's length.
struct ShortCycle {
    std::uint64_t nSeed = 0;
    BoardRegion region{1, 1, 2, 2};
    int nLength = 2;  // at least 1
    int nMarkPercent = 0;
};

std::vector<MovePoint> ShortCycleEntries(const ShortCycle& cycle);
MoveRecord MakeShortCycle(const ShortCycle& cycle, int nEntries);

// The families found slow first, named by their shape.
//
// A 13-entry cycle over the 2x2 corner at (1,1).
MoveRecord MakeCornerCycle(int nEntries);
// The 3x3 corner at (1,1) filled in FillOrder::snake, over and over.
MoveRecord MakeCornerSnake(int nEntries);

// Stones all on (10,10).
MoveRecord MakeStonesAllOnOnePoint(int nEntries);
// (10,10) twice, (10,11) twice, and again: every second stone joins the
// oldest group that lists its neighbour, so groups long at the head of the
// list keep growing and moving.
MoveRecord MakeTwoPointsInTurn(int nEntries);
// Nothing but passes: every replayed pass leaves a group on the pass
// indicator cell that no sweep can capture.
MoveRecord MakePassesOnly(int nEntries);
// Stones on random board points (MakeEntryMix) with every tenth entry a pass.
MoveRecord MakeRandomPointsAndATenthPasses(int nEntries, std::uint64_t nSeed);

// Every family above and the fills, by the name the benchmarks and
// write_record give them.
struct HostileFamily {
    const char* name;
    MoveRecord (*make)(int nEntries);
};
std::span<const HostileFamily> HostileFamilies();
