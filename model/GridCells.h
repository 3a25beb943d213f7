// Cell arithmetic shared by the position's source files.
#pragma once

#include "fw/core/CPoint.h"
#include "model/BoardGrid.h"

namespace grid_cells {

inline constexpr int kNeighbourOffsets[4] = {-GRID_SIZE, GRID_SIZE, -1, 1};  // left, right, up, down

inline constexpr int PASS_CELL = CellIndex(INDICATOR_X, PASS_INDICATOR_Y);
inline constexpr int BOMB_CELL = CellIndex(INDICATOR_X, BOMB_INDICATOR_Y);

constexpr CPoint PointOf(int nCell)
{
    return {nCell / GRID_SIZE, nCell % GRID_SIZE};
}

constexpr int CellOf(CPoint point)
{
    return CellIndex(point.x, point.y);
}

constexpr bool IsEdgeLine(int n)
{
    return n == 0 || n == 20 || n == 21;
}

// 0 for the pass indicator cell, 1 for the bomb one, -1 for any other cell.
constexpr int MarkKindOf(int nCell)
{
    return nCell == PASS_CELL ? 0 : nCell == BOMB_CELL ? 1 : -1;
}

}  // namespace grid_cells
