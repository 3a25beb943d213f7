#include "GamePosition.h"

#include "model/GridCells.h"

#include <algorithm>
#include <bitset>
#include <cassert>
#include <functional>

using namespace grid_cells;

namespace {

// Wraps instead of overflowing: the counters only ever get compared.
void CountOne(std::int32_t& nCounter)
{
    nCounter = static_cast<std::int32_t>(static_cast<std::uint32_t>(nCounter) + 1u);
}

}  // namespace

CGamePosition::CGamePosition()
{
    m_guard.fill(PT_EMPTY);
    ResetBoard();
}

CGamePosition::~CGamePosition() = default;

void CGamePosition::SetTuning(Tuning tuning)
{
    assert(m_groups.GroupCount() == 0 && tuning.nSegmentGroups >= 1 && tuning.nSegmentGroups <= MAX_SEGMENT_GROUPS &&
           tuning.nHeapRuns >= 2);
    m_tuning = tuning;
    m_holders.SetHeapThreshold(tuning.nHeapRuns);
}

PointValue CGamePosition::ValueAtIndex(int nCell) const
{
    assert(nCell >= 0 && nCell < 2 * GRID_CELLS);
    return nCell < GRID_CELLS ? m_cells[nCell] : m_guard[nCell - GRID_CELLS];
}

void CGamePosition::SetCell(int nCell, PointValue value)
{
    assert(nCell >= 0 && nCell < GRID_CELLS);
    ++m_nChanges;
    const bool bWasEmpty = m_cells[nCell] == PT_EMPTY;
    m_cells[nCell] = value;
    if (bWasEmpty != (value == PT_EMPTY))
        m_liberties.OnEmptinessChanged(nCell, value == PT_EMPTY, m_holders);
}

void CGamePosition::ResetBoard()
{
    ++m_nChanges;
    for (int x = 0; x < GRID_SIZE; ++x)
        for (int y = 0; y < GRID_SIZE; ++y)
            m_cells[CellIndex(x, y)] = IsEdgeLine(x) || IsEdgeLine(y) ? PT_EDGE : PT_EMPTY;
    m_liberties.Recount(m_cells, m_groups, m_holders);
}

// ---- the groups and their cells ----------------------------------------------

GroupId CGamePosition::StartGroupAt(int nCell)
{
    const GroupId id = m_groups.NewAtTail();
    m_groups.AddPoint(id, PointOf(nCell));
    m_holders.AddLone(nCell, id);
    m_liberties.AddLoneGroup(nCell);
    return id;
}

void CGamePosition::ShareGroup(GroupId id)
{
    const int nCell = CellOf(m_groups[id].points.Front());
    m_liberties.Reserve(m_groups.IdLimit());
    m_cellSets.Create(id).Insert(nCell);
    m_holders.RemoveLone(nCell, id);
    m_holders.AddShared(nCell, id, m_groups);
    m_liberties.StartCounting(id, m_liberties.IsOpen(nCell));
}

void CGamePosition::AppendPoint(GroupId id, int nCell)
{
    Touch(id);
    if (!m_cellSets.Has(id)) {
        if (CellOf(m_groups[id].points.Front()) == nCell) {
            m_groups.AddPoint(id, PointOf(nCell));  // still lone: a restored group listing its point again
            return;
        }
        ShareGroup(id);
    }
    m_groups.AddPoint(id, PointOf(nCell));
    CCellSet& cells = m_cellSets.Of(id);
    if (cells.Contains(nCell))
        return;  // listed again: holders and liberties stay
    cells.Insert(nCell);
    m_holders.AddShared(nCell, id, m_groups);
    m_liberties.AddCell(id, nCell);
}

void CGamePosition::MergeInto(GroupId target, GroupId source)
{
    // The target has just taken the new point next to the source, so it
    // lists two cells at least.
    assert(m_cellSets.Has(target));
    Touch(target);
    Touch(source);
    const auto takeCell = [&](int nCell) {
        CCellSet& targetCells = m_cellSets.Of(target);
        if (targetCells.Contains(nCell))
            return;
        targetCells.Insert(nCell);
        m_holders.AddShared(nCell, target, m_groups);
        m_liberties.AddCell(target, nCell);
    };
    if (m_cellSets.Has(source)) {
        // Each cell once, however often the source lists it.
        m_cellSets.Of(source).ForEach([&](int nCell) {
            m_holders.RemoveShared(nCell, source);
            takeCell(nCell);
        });
        m_cellSets.Drop(source);
    } else {
        const int nCell = CellOf(m_groups[source].points.Front());
        m_holders.RemoveLone(nCell, source);
        takeCell(nCell);
    }
    m_groups.JoinPoints(target, source);
    m_groups.Free(source);
}

void CGamePosition::LeaveHolders(GroupId id)
{
    Touch(id);
    if (m_cellSets.Has(id))
        m_cellSets.Of(id).ForEach([&](int nCell) { m_holders.RemoveShared(nCell, id); });
    else
        m_holders.RemoveLone(CellOf(m_groups[id].points.Front()), id);
}

void CGamePosition::DestroyGroup(GroupId id)
{
    LeaveHolders(id);
    m_cellSets.Drop(id);
    m_groups.Free(id);
}

void CGamePosition::TakeOffBoard(GroupId id, bool bKeepFlowers)
{
    LeaveHolders(id);
    ForEachCellOf(id, [&](int nCell) {
        if (!(bKeepFlowers && m_cells[nCell] == PT_FLOWER))
            SetCell(nCell, PT_EMPTY);
    });
    m_cellSets.Drop(id);
    m_groups.Free(id);
}

void CGamePosition::Capture(GroupId id)
{
    CountOne(m_nCaptures);
    TakeOffBoard(id, /*bKeepFlowers=*/true);
}

// ---- the rules --------------------------------------------------------------

void CGamePosition::AddStoneToGroups(int x, int y)
{
    const int nCell = CellIndex(x, y);
    assert(IsBoardPoint(x, y) || (x == 21 && (y == 20 || y == 21)));
    const PointValue value = m_cells[nCell];
    if (value == PT_EMPTY)
        return;
    ++m_nChanges;

    if (MarkKindOf(nCell) < 0 && m_cells[nCell - GRID_SIZE] != value && m_cells[nCell + GRID_SIZE] != value &&
        m_cells[nCell - 1] != value && m_cells[nCell + 1] != value) {
        StartGroupAt(nCell);  // no neighbour of its colour: the common case in a long record
        return;
    }
    GroupId target = NO_GROUP;
    for (const int nOffset : kNeighbourOffsets) {
        const int nNeighbour = nCell + nOffset;
        if (ValueAtIndex(nNeighbour) != value)
            continue;
        // The guard holds PT_EMPTY, so a matching neighbour is inside the grid.
        const GroupId holder = m_holders.FirstGroup(nNeighbour, m_groups);
        if (holder == NO_GROUP)
            continue;
        if (target == NO_GROUP) {
            target = holder;
            AppendPoint(target, nCell);
        } else if (holder != target) {
            MergeInto(target, holder);
        }
    }
    if (target == NO_GROUP) {
        StartGroupAt(nCell);
        return;
    }
    Touch(target);
    m_groups.MoveToTail(target);
}

std::int32_t CGamePosition::CountLiberties(StoneGroup group) const
{
    std::bitset<2 * GRID_CELLS> counted;
    std::int32_t nLiberties = 0;
    for (const CPoint point : group) {
        const int nCell = CellOf(point);
        for (const int nOffset : kNeighbourOffsets) {
            const int nNeighbour = nCell + nOffset;
            if (ValueAtIndex(nNeighbour) == PT_EMPTY && !counted[nNeighbour]) {
                counted[nNeighbour] = true;
                ++nLiberties;
            }
        }
    }
    return nLiberties;
}

void CGamePosition::SweepCaptures()
{
    m_nCapturesBefore = m_nCaptures;
    std::vector<GroupId>& waitingGroups = m_liberties.WaitingGroups();
    std::vector<int>& waitingCells = m_liberties.WaitingCells();
    if (waitingGroups.empty() && waitingCells.empty())
        return;
    ++m_nChanges;
    // Only what waits can be without a liberty, and a capture only frees
    // cells: judging those groups in list order (by stamp), each when its
    // turn comes, captures exactly what walking the whole list would.
    const auto isShared = [this](GroupId id) { return m_groups.IsListed(id) && m_cellSets.Has(id); };
    if (waitingCells.empty() && waitingGroups.size() == 1) {  // as after most captures
        const GroupId id = waitingGroups.front();
        m_liberties.ClearWaiting();
        if (isShared(id) && m_liberties.OpenCells(id) == 0)
            Capture(id);
        return;
    }
    if (waitingGroups.empty() && waitingCells.size() == 1) {
        // The lone groups of one cell, with nothing to judge between them:
        // capturing one leaves the cell's neighbours as they were, so all go.
        const int nCell = waitingCells.front();
        m_liberties.ClearWaiting();
        while (m_holders.HasLone(nCell) && !m_liberties.IsOpen(nCell))
            Capture(m_holders.LoneGroups(nCell).front());
        return;
    }
    std::vector<Judgement>& queue = m_judgements;
    queue.clear();
    for (const GroupId id : waitingGroups)
        if (isShared(id) && m_liberties.OpenCells(id) == 0)
            queue.push_back({m_groups[id].nStamp, id, -1});
    // The lone groups of a closed cell all die together, but in list order
    // with the others: the cell comes up once for each, by the stamp of the
    // first that is left.
    const auto queueLoneGroups = [&](int nCell) {
        const std::span<const GroupId> lone = m_holders.LoneGroups(nCell);
        if (!lone.empty() && !m_liberties.IsOpen(nCell)) {
            queue.push_back({m_groups[lone.front()].nStamp, lone.front(), nCell});
            std::push_heap(queue.begin(), queue.end(), std::greater<>());
        }
    };
    std::make_heap(queue.begin(), queue.end(), std::greater<>());
    for (const int nCell : waitingCells)
        queueLoneGroups(nCell);
    m_liberties.ClearWaiting();
    while (!queue.empty()) {
        std::pop_heap(queue.begin(), queue.end(), std::greater<>());
        const Judgement judgement = queue.back();
        queue.pop_back();
        if (judgement.nLoneCell < 0) {
            // Repeats, and groups captured or freed of a cell since, pass.
            if (m_groups.IsListed(judgement.id) && m_groups[judgement.id].nStamp == judgement.nStamp &&
                m_liberties.OpenCells(judgement.id) == 0)
                Capture(judgement.id);
            continue;
        }
        const std::span<const GroupId> lone = m_holders.LoneGroups(judgement.nLoneCell);
        if (lone.empty() || lone.front() != judgement.id || m_liberties.IsOpen(judgement.nLoneCell))
            continue;
        Capture(judgement.id);
        queueLoneGroups(judgement.nLoneCell);
    }
}

void CGamePosition::RemoveGroupAt(int x, int y)
{
    assert(IsBoardPoint(x, y));
    const int nCell = CellIndex(x, y);
    if (m_cells[nCell] == PT_EMPTY || !m_holders.IsHeld(nCell))
        return;
    ++m_nChanges;
    // Every group listing the point goes; the order does not matter, as all
    // their points end up empty. Lone groups leave from the front.
    const std::span<const GroupId> lone = m_holders.LoneGroups(nCell);
    const std::span<const GroupId> shared = m_holders.SharedGroups(nCell);
    std::vector<GroupId> holders(lone.begin(), lone.end());
    holders.insert(holders.end(), shared.begin(), shared.end());
    for (const GroupId id : holders)
        TakeOffBoard(id, /*bKeepFlowers=*/false);
}

void CGamePosition::ClearGroups()
{
    ++m_nChanges;
    m_groups.Clear();
    m_holders.Clear();
    m_cellSets.Clear();
    m_liberties.ClearWaiting();
    ForgetSnapshotBase();
}

void CGamePosition::ResetPosition()
{
    ClearGroups();
    ResetBoard();
}
