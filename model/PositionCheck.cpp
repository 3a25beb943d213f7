// CGamePosition::CheckConsistency: everything the position keeps beside its
// board and group list, recomputed from those two and compared.
#include "GamePosition.h"

#include "model/GridCells.h"

#include <algorithm>
#include <bitset>
#include <functional>
#include <vector>

using namespace grid_cells;

namespace {

bool IsStoneValue(PointValue value)
{
    return value == PT_BLACK || value == PT_WHITE || value == PT_FLOWER;
}

bool IsIndicatorCell(CPoint point)
{
    return MarkKindOf(CellOf(point)) >= 0;
}

std::string Text(CPoint point)
{
    return "(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
}

std::string Text(int nGroup, StoneGroup group)
{
    return "group " + std::to_string(nGroup) + " from the head, starting at " + Text(group.front());
}

// Whether the distinct points of the group form one orthogonally connected
// set, as they must: a group only grows by a point next to one it holds, and
// merges only through that point. Requires board points or indicator cells
// only, so that no neighbour step wraps from one column into the next.
bool IsConnected(StoneGroup group)
{
    std::bitset<GRID_CELLS> held;
    std::bitset<GRID_CELLS> reached;
    for (const CPoint point : group)
        held[CellOf(point)] = true;
    std::array<int, GRID_CELLS> pending{};
    int nPending = 0;
    pending[nPending++] = CellOf(group.front());
    reached[CellOf(group.front())] = true;
    while (nPending > 0) {
        const int nCell = pending[--nPending];
        for (const int nOffset : kNeighbourOffsets) {
            const int nNeighbour = nCell + nOffset;
            if (nNeighbour >= 0 && nNeighbour < GRID_CELLS && held[nNeighbour] && !reached[nNeighbour]) {
                reached[nNeighbour] = true;
                pending[nPending++] = nNeighbour;
            }
        }
    }
    return reached == held;
}

}  // namespace

std::string CGamePosition::CheckConsistency() const
{
    for (const PointValue value : m_guard)
        if (value != PT_EMPTY)
            return "the guard block holds " + std::to_string(value);
    if (std::string fault = m_groups.CheckConsistency(); !fault.empty())
        return fault;

    // What each group is.
    int nGroup = 0;
    for (GroupId id = m_groups.Head(); id != NO_GROUP; id = m_groups[id].next, ++nGroup) {
        const StoneGroup group = m_groups[id].points.Points();
        for (const CPoint point : group) {
            if (!IsBoardPoint(point.x, point.y) && !IsIndicatorCell(point))
                return Text(nGroup, group) + ", holds " + Text(point) + ", neither a board point nor an indicator cell";
            if (IsBoardPoint(point.x, point.y) != IsBoardPoint(group.front().x, group.front().y))
                return Text(nGroup, group) + ", mixes board points and indicator cells";
        }
        if (!IsConnected(group))
            return Text(nGroup, group) + ", is not one connected chain";
    }
    if (std::string fault = m_shapes.CheckConsistency(m_groups); !fault.empty())
        return fault;
    if (std::string fault = m_liberties.CheckConsistency(m_cells, m_shapes); !fault.empty())
        return fault;

    for (int nCell = 0; nCell < GRID_CELLS; ++nCell) {
        const CPoint point = PointOf(nCell);
        const PointValue value = m_cells[nCell];
        const bool bBoardPoint = IsBoardPoint(point.x, point.y);
        const bool bAllowed = bBoardPoint              ? value == PT_EMPTY || IsStoneValue(value)
                              : IsIndicatorCell(point) ? value == PT_EDGE || IsStoneValue(value)
                                                       : value == PT_EDGE;
        if (!bAllowed)
            return "cell " + Text(point) + " holds " + std::to_string(value);
        // Every group leaves the list with its points emptied, except the
        // flower stones a capture spares, so a black or white stone is held.
        if (bBoardPoint && (value == PT_BLACK || value == PT_WHITE) && !m_shapes.IsHeld(nCell))
            return "the stone at " + Text(point) + " is held by no group";
    }
    return {};
}
