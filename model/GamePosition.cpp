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
    m_shapes.SetHeapThreshold(tuning.nHeapRuns);
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
        m_liberties.OnEmptinessChanged(nCell, value == PT_EMPTY, m_shapes);
}

void CGamePosition::ResetBoard()
{
    ++m_nChanges;
    for (int x = 0; x < GRID_SIZE; ++x)
        for (int y = 0; y < GRID_SIZE; ++y)
            m_cells[CellIndex(x, y)] = IsEdgeLine(x) || IsEdgeLine(y) ? PT_EDGE : PT_EMPTY;
    m_liberties.Recount(m_cells, m_shapes);
}

// ---- the groups and their shapes ----------------------------------------------

GroupId CGamePosition::StartGroupAt(int nCell)
{
    const GroupId id = m_groups.NewAtTail();
    m_groups.AddPoint(id, PointOf(nCell));
    const ShapeId shape = CGroupShapes::CellShape(nCell);
    m_shapes.Join(id, shape, m_groups);
    m_liberties.OnJoined(shape);
    return id;
}

void CGamePosition::JoinShape(GroupId id, const CCellSet& cells)
{
    bool bMade = false;
    const ShapeId shape = m_shapes.FindOrMake(cells, m_groups, bMade);
    if (bMade)
        m_liberties.CountShape(shape, m_shapes);
    m_shapes.Join(id, shape, m_groups);
    m_liberties.OnJoined(shape);
}

void CGamePosition::MergeInto(GroupId target, GroupId source, CCellSet& pending)
{
    Touch(target);
    Touch(source);
    pending.InsertAll(m_shapes[m_shapes.ShapeOf(source)].cells);
    m_shapes.Leave(source);
    m_groups.JoinPoints(target, source);
    m_groups.Free(source);
}

void CGamePosition::DestroyGroup(GroupId id)
{
    Touch(id);
    m_shapes.Leave(id);
    m_groups.Free(id);
}

void CGamePosition::TakeOffBoard(GroupId id, bool bKeepFlowers)
{
    Touch(id);
    const ShapeId shape = m_shapes.ShapeOf(id);
    if (shape < GRID_CELLS) {  // a group of one cell, as most that go are
        m_shapes.Leave(id);
        if (!(bKeepFlowers && m_cells[shape] == PT_FLOWER))
            SetCell(static_cast<int>(shape), PT_EMPTY);
    } else {
        const CCellSet cells = m_shapes[shape].cells;  // the shape may go with its last member
        m_shapes.Leave(id);
        cells.ForEach([&](int nCell) {
            if (!(bKeepFlowers && m_cells[nCell] == PT_FLOWER))
                SetCell(nCell, PT_EMPTY);
        });
    }
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
    assert(IsBoardPoint(x, y) || IsIndicatorCell(x, y));
    const PointValue value = m_cells[nCell];
    if (value == PT_EMPTY)
        return;
    ++m_nChanges;

    if (MarkKindOf(nCell) < 0 && m_cells[nCell - GRID_SIZE] != value && m_cells[nCell + GRID_SIZE] != value &&
        m_cells[nCell - 1] != value && m_cells[nCell + 1] != value) {
        StartGroupAt(nCell);  // no neighbour of its colour: the common case in a long record
        return;
    }
    // The target keeps its place, and its shape, until the end: the groups
    // found at the later neighbours are judged by where the target stands
    // now. Cells it gains meanwhile are pending, and a later neighbour among
    // them is the target's too.
    GroupId target = NO_GROUP;
    CCellSet pending;
    for (const int nOffset : kNeighbourOffsets) {
        const int nNeighbour = nCell + nOffset;
        if (ValueAtIndex(nNeighbour) != value)
            continue;
        // The guard holds PT_EMPTY, so a matching neighbour is inside the grid.
        GroupId holder = m_shapes.FirstGroup(nNeighbour, m_groups);
        if (target != NO_GROUP && pending.Contains(nNeighbour) &&
            (holder == NO_GROUP || m_groups[target].nStamp < m_groups[holder].nStamp))
            holder = target;
        if (holder == NO_GROUP)
            continue;
        if (target == NO_GROUP) {
            target = holder;
            Touch(target);
            m_groups.AddPoint(target, PointOf(nCell));
            pending.Insert(nCell);
        } else if (holder != target) {
            MergeInto(target, holder, pending);
        }
    }
    if (target == NO_GROUP) {
        StartGroupAt(nCell);
        return;
    }
    m_groups.MoveToTail(target);
    const ShapeId before = m_shapes.ShapeOf(target);
    const CCellSet gained = pending.Without(m_shapes[before].cells);
    CCellSet cells = m_shapes[before].cells;
    cells.InsertAll(gained);
    CGroupShapes::Reshaped how{};
    const ShapeId shape = m_shapes.Reshape(target, cells, m_groups, how);
    if (how == CGroupShapes::Reshaped::Made)
        m_liberties.CountShape(shape, m_shapes);
    else if (how == CGroupShapes::Reshaped::Grown)
        gained.ForEach([&](int n) { m_liberties.AddCell(shape, n); });
    m_liberties.OnJoined(shape);
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

void CGamePosition::QueueJudgement(ShapeId shape)
{
    const GroupId first = m_shapes[shape].firstMember;
    if (first != NO_GROUP && m_liberties.OpenCells(shape) == 0) {
        m_judgements.push_back({m_groups[first].nStamp, first, shape, m_shapes[shape].nBirth});
        std::push_heap(m_judgements.begin(), m_judgements.end(), std::greater<>());
    }
}

void CGamePosition::SweepCaptures()
{
    m_nCapturesBefore = m_nCaptures;
    std::vector<ShapeId>& waiting = m_liberties.WaitingShapes();
    if (waiting.empty())
        return;
    ++m_nChanges;
    // Only the groups of a waiting shape can be without a liberty, and a
    // capture only frees cells: judging them in list order (by stamp), each
    // when its turn comes, captures exactly what walking the whole list
    // would. A shape's groups all lack a liberty or all have one, but a
    // capture between two of them may free a cell next to the rest: a shape
    // comes up once for each member, by the stamp of its first.
    if (waiting.size() == 1) {  // as after most stones: nothing to judge between its groups
        const ShapeId shape = waiting.front();
        m_liberties.ClearWaiting();
        while (m_shapes[shape].firstMember != NO_GROUP && m_liberties.OpenCells(shape) == 0)
            Capture(m_shapes[shape].firstMember);
        return;
    }
    m_judgements.clear();
    for (const ShapeId shape : waiting)
        QueueJudgement(shape);
    m_liberties.ClearWaiting();
    while (!m_judgements.empty()) {
        std::pop_heap(m_judgements.begin(), m_judgements.end(), std::greater<>());
        const Judgement judgement = m_judgements.back();
        m_judgements.pop_back();
        // Repeats, shapes gone, and groups captured or freed of a cell since, pass.
        const CGroupShapes::Shape& shape = m_shapes[judgement.shape];
        if (shape.nBirth != judgement.nShapeBirth || shape.firstMember != judgement.id ||
            m_liberties.OpenCells(judgement.shape) != 0)
            continue;
        Capture(judgement.id);
        if (m_shapes[judgement.shape].nBirth == judgement.nShapeBirth)
            QueueJudgement(judgement.shape);
    }
}

void CGamePosition::RemoveGroupAt(int x, int y)
{
    assert(IsBoardPoint(x, y));
    const int nCell = CellIndex(x, y);
    if (m_cells[nCell] == PT_EMPTY || !m_shapes.IsHeld(nCell))
        return;
    ++m_nChanges;
    // Every group listing the point goes; the order does not matter, as all
    // their points end up empty.
    std::vector<GroupId> holders;
    for (const ShapeId shape : m_shapes.ShapesAt(nCell))
        for (GroupId id = m_shapes[shape].firstMember; id != NO_GROUP; id = m_shapes.NextMember(id))
            holders.push_back(id);
    for (const GroupId id : holders)
        TakeOffBoard(id, /*bKeepFlowers=*/false);
}

void CGamePosition::ClearGroups()
{
    ++m_nChanges;
    m_groups.Clear();
    m_shapes.Clear();
    m_liberties.ClearWaiting();
    ForgetSnapshotBase();
}

void CGamePosition::ResetPosition()
{
    ClearGroups();
    ResetBoard();
}
