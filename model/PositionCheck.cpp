// CGamePosition::CheckConsistency: everything the position keeps beside its
// board and group list, recomputed from those two and compared.
#include "GamePosition.h"

#include "model/GridCells.h"

#include <algorithm>
#include <bitset>
#include <functional>

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

    // The list, both ways, and what each group is.
    std::vector<GroupId> groups;
    std::array<std::vector<GroupId>, GRID_CELLS> holders;
    std::array<std::vector<GroupId>, MARK_KINDS> markGroups;
    std::array<std::int64_t, MARK_KINDS> nMarkEntries{};
    std::uint64_t nLastStamp = 0;
    std::size_t nLargeGroups = 0;
    for (GroupId id = m_nHead, prev = NO_GROUP; id != NO_GROUP; prev = id, id = Node(id).next) {
        const int nGroup = static_cast<int>(groups.size());
        if (nGroup > static_cast<int>(m_nGroups))
            return "the list holds more groups than the " + std::to_string(m_nGroups) + " counted";
        const GroupNode& node = Node(id);
        if (node.prev != prev)
            return "group " + std::to_string(nGroup) + " from the head does not link back to the one before";
        groups.push_back(id);
        const StoneGroup group = node.points.Points();
        if (group.empty())
            return "group " + std::to_string(nGroup) + " from the head is empty";
        const bool bOnTheBoard = IsBoardPoint(group.front().x, group.front().y);
        std::array<bool, MARK_KINDS> bHoldsMark{};
        for (const CPoint point : group) {
            if (!IsBoardPoint(point.x, point.y) && !IsIndicatorCell(point))
                return Text(nGroup, group) + ", holds " + Text(point) + ", neither a board point nor an indicator cell";
            if (IsBoardPoint(point.x, point.y) != bOnTheBoard)
                return Text(nGroup, group) + ", mixes board points and indicator cells";
            const int nCell = CellOf(point);
            if (const int nKind = MarkKindOf(nCell); nKind >= 0) {
                ++nMarkEntries[nKind];
                bHoldsMark[nKind] = true;
            } else {
                holders[nCell].push_back(id);
            }
        }
        if (!IsConnected(group))
            return Text(nGroup, group) + ", is not one connected chain";
        if (node.nStamp <= nLastStamp || node.nStamp > m_nNextStamp)
            return Text(nGroup, group) + ", has a stamp out of list order";
        nLastStamp = node.nStamp;
        if (bOnTheBoard) {
            std::int32_t nLiberties = 0;
            for (const CPoint point : group)
                nLiberties += EmptyNeighbours(CellOf(point));
            if (nLiberties != m_liberties[id])
                return Text(nGroup, group) + ", counts " + std::to_string(m_liberties[id]) +
                       " liberty entries, its points have " + std::to_string(nLiberties);
            if (nLiberties == 0 && std::find(m_pendingJudgement.begin(), m_pendingJudgement.end(), id) ==
                                       m_pendingJudgement.end())
                return Text(nGroup, group) + ", has no liberty and is not waiting to be judged";
            const auto cells = m_cellSets.find(id);
            if ((cells != m_cellSets.end()) != (group.size() >= m_tuning.nCellSetPoints))
                return Text(nGroup, group) + ", has a set of its cells without being large, or is large without one";
            if (cells != m_cellSets.end()) {
                ++nLargeGroups;
                CellSet listed;
                for (const CPoint point : group)
                    listed.set(CellOf(point));
                if (listed != cells->second)
                    return Text(nGroup, group) + ", keeps a set of cells other than those it lists";
            }
        } else {
            for (int nKind = 0; nKind < MARK_KINDS; ++nKind) {
                if (bHoldsMark[nKind])
                    markGroups[nKind].push_back(id);
                if (bHoldsMark[nKind] != (node.marks.prev[nKind] != NOT_LISTED))
                    return Text(nGroup, group) + ", is listed with an indicator cell it does not hold, or not with one it does";
            }
        }
    }
    if (m_cellSets.size() != nLargeGroups)
        return "sets of cells are kept for groups that are gone";
    if (groups.size() != m_nGroups)
        return "the list holds " + std::to_string(groups.size()) + " groups, " + std::to_string(m_nGroups) + " counted";
    std::size_t nPoints = 0;
    for (const StoneGroup group : GetGroups())
        nPoints += group.size();
    if (nPoints != m_nPoints)
        return "the groups hold " + std::to_string(nPoints) + " points, " + std::to_string(m_nPoints) + " counted";
    if (m_nTail != (groups.empty() ? NO_GROUP : groups.back()))
        return "the tail is not the last group of the list";

    // The indicator cells' groups, in list order.
    for (int nKind = 0; nKind < MARK_KINDS; ++nKind) {
        if (nMarkEntries[nKind] != m_nMarkEntries[nKind])
            return "indicator cell " + std::to_string(nKind) + " counts " + std::to_string(m_nMarkEntries[nKind]) +
                   " entries, the groups hold " + std::to_string(nMarkEntries[nKind]);
        std::vector<GroupId> listed;
        for (GroupId id = m_markHead[nKind], prev = NO_GROUP; id != NO_GROUP; prev = id, id = Node(id).marks.next[nKind]) {
            if (Node(id).marks.prev[nKind] != prev || listed.size() > markGroups[nKind].size())
                return "the groups of indicator cell " + std::to_string(nKind) + " are not linked both ways";
            listed.push_back(id);
        }
        if (listed != markGroups[nKind])
            return "the groups of indicator cell " + std::to_string(nKind) + " are not those holding it in list order";
        if (m_markTail[nKind] != (listed.empty() ? NO_GROUP : listed.back()))
            return "the last group of indicator cell " + std::to_string(nKind) + " is not its tail";
    }

    for (int nCell = 0; nCell < GRID_CELLS; ++nCell) {
        const CPoint point = PointOf(nCell);
        const PointValue value = m_cells[nCell];
        const bool bBoardPoint = IsBoardPoint(point.x, point.y);
        const bool bAllowed = bBoardPoint              ? value == PT_EMPTY || IsStoneValue(value)
                              : IsIndicatorCell(point) ? value == PT_EDGE || IsStoneValue(value)
                                                       : value == PT_EDGE;
        if (!bAllowed)
            return "cell " + Text(point) + " holds " + std::to_string(value);
        // Compared as sets with repeats; most cells have at most one entry.
        std::vector<GroupId>& expected = holders[nCell];
        std::vector<GroupId> kept;
        for (const Holder& holder : m_holders[nCell]) {
            if (holder.nEntries == 0)
                return "cell " + Text(point) + " knows a group without entries";
            kept.insert(kept.end(), holder.nEntries, holder.id);
        }
        std::sort(kept.begin(), kept.end());
        std::sort(expected.begin(), expected.end());
        if (kept != expected)
            return "cell " + Text(point) + " knows " + std::to_string(kept.size()) + " group entries, the groups hold " +
                   std::to_string(expected.size());
        // The first holder is found by stamp: every group listing the cell
        // needs an entry in the cell's heap that names it, now or once put
        // back with its new stamp.
        const std::vector<StampEntry>& heap = m_stampHeaps[nCell];
        if (m_holders[nCell].size() >= m_tuning.nHeapRuns && !std::is_heap(heap.begin(), heap.end(), std::greater<>()))
            return "the groups of cell " + Text(point) + " are out of stamp order";
        for (const GroupId id : kept)
            if (m_holders[nCell].size() >= m_tuning.nHeapRuns && std::none_of(heap.begin(), heap.end(), [&](const StampEntry& entry) {
                    return entry.id == id && entry.nBirth == Node(id).board.nBirth && entry.nStamp <= Node(id).nStamp;
                }))
                return "cell " + Text(point) + " cannot find one of its groups by stamp";
        // Every group leaves the list with its points emptied, except the
        // flower stones a capture spares, so a black or white stone is held.
        if (bBoardPoint && (value == PT_BLACK || value == PT_WHITE) && expected.empty())
            return "the stone at " + Text(point) + " is held by no group";
    }
    return {};
}
