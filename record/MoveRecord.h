// The game record: one entry per action, in the order played. A stone is its
// board point (1..19, 1..19); a pass and a flying bomb are the coordinates of
// their indicator cells, so replay treats every entry alike.
#pragma once

#include "fw/core/CArray.h"
#include "fw/core/CPoint.h"
#include "model/BoardGrid.h"

using MovePoint = CPoint;
using MoveRecord = CArray<MovePoint>;

inline constexpr MovePoint PASS_MARK{INDICATOR_X, PASS_INDICATOR_Y};
inline constexpr MovePoint BOMB_MARK{INDICATOR_X, BOMB_INDICATOR_Y};

// Whether an entry may stand in a record: a board point or one of the marks.
constexpr bool IsRecordEntry(MovePoint entry)
{
    return IsBoardPoint(entry.x, entry.y) || IsIndicatorCell(entry.x, entry.y);
}
