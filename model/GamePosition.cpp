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
    assert(m_nGroups == 0 && tuning.nSegmentGroups >= 1 && tuning.nSegmentGroups <= MAX_SEGMENT_GROUPS &&
           tuning.nCellSetPoints >= 1 && tuning.nHeapRuns >= 2);
    m_tuning = tuning;
}

PointValue CGamePosition::ValueAtIndex(int nCell) const
{
    assert(nCell >= 0 && nCell < 2 * GRID_CELLS);
    return nCell < GRID_CELLS ? m_cells[nCell] : m_guard[nCell - GRID_CELLS];
}

int CGamePosition::EmptyNeighbours(int nCell) const
{
    int nEmpty = 0;
    for (const int nOffset : kNeighbourOffsets)
        nEmpty += ValueAtIndex(nCell + nOffset) == PT_EMPTY;
    return nEmpty;
}

void CGamePosition::SetCell(int nCell, PointValue value)
{
    assert(nCell >= 0 && nCell < GRID_CELLS);
    ++m_nChanges;
    const bool bWasEmpty = m_cells[nCell] == PT_EMPTY;
    m_cells[nCell] = value;
    if (bWasEmpty == (value == PT_EMPTY))
        return;
    // Every entry next to the cell gains or loses it as a liberty. Counts
    // only fall here when the cell fills, and each held the cell, so a count
    // at 0 afterwards has just reached it: those groups are queued for the
    // sweep in a second pass, which keeps this loop, run for every stone
    // placed or taken, free of the queue's growth.
    const int nDelta = bWasEmpty ? -1 : 1;
    std::int32_t* const pLiberties = m_liberties.data();
    bool bReachedZero = false;
    const auto adjust = [&](const std::vector<Holder>& holders) {
        for (const Holder& holder : holders) {
            std::int32_t& nLiberties = pLiberties[holder.id];
            nLiberties += nDelta * static_cast<std::int32_t>(holder.nEntries);
            bReachedZero |= nLiberties == 0;
        }
    };
    if (nCell >= GRID_SIZE) {
        adjust(m_holders[nCell - GRID_SIZE]);
        adjust(m_holders[nCell + GRID_SIZE]);
        adjust(m_holders[nCell - 1]);
        adjust(m_holders[nCell + 1]);
    } else {
        // The edge column x = 0, which no move writes: nothing to its left.
        for (const int nOffset : kNeighbourOffsets)
            if (nCell + nOffset >= 0)
                adjust(m_holders[nCell + nOffset]);
    }
    if (bReachedZero)
        AwaitJudgementAround(nCell);
}

void CGamePosition::AwaitJudgementAround(int nCell)
{
    // A group listed next to the cell more than once is queued as often;
    // the sweep drops the repeats.
    for (const int nOffset : kNeighbourOffsets)
        if (nCell + nOffset >= 0)
            for (const Holder& holder : m_holders[nCell + nOffset])
                if (m_liberties[holder.id] == 0)
                    m_pendingJudgement.push_back(holder.id);
}

void CGamePosition::RecountLiberties()
{
    m_pendingJudgement.clear();
    for (GroupId id = m_nHead; id != NO_GROUP; id = Node(id).next) {
        GroupNode& node = Node(id);
        if (IsMarkGroup(node))
            continue;
        std::int32_t& nLiberties = m_liberties[id];
        nLiberties = 0;
        for (const CPoint point : node.points.Points())
            nLiberties += EmptyNeighbours(CellOf(point));
        if (nLiberties == 0)
            m_pendingJudgement.push_back(id);
    }
}

void CGamePosition::ResetBoard()
{
    ++m_nChanges;
    for (int x = 0; x < GRID_SIZE; ++x)
        for (int y = 0; y < GRID_SIZE; ++y)
            m_cells[CellIndex(x, y)] = IsEdgeLine(x) || IsEdgeLine(y) ? PT_EDGE : PT_EMPTY;
    RecountLiberties();
}

// ---- the pool and the lists ------------------------------------------------

CGamePosition::GroupId CGamePosition::AllocateNode()
{
    if (m_nFreeHead != NO_GROUP) {
        const GroupId id = m_nFreeHead;
        m_nFreeHead = Node(id).next;
        return id;
    }
    return AllocateFreshNode();
}

CGamePosition::GroupId CGamePosition::AllocateFreshNode()
{
    if ((m_nNodes >> CHUNK_BITS) == m_chunks.size()) {
        m_liberties.resize((m_chunks.size() + 1) << CHUNK_BITS);
        m_chunks.push_back(std::make_unique<GroupNode[]>(std::size_t{1} << CHUNK_BITS));
    }
    return m_nNodes++;
}

CGamePosition::GroupId CGamePosition::NewGroupAtTail()
{
    const GroupId id = AllocateNode();
    GroupNode& node = Node(id);
    node.prev = m_nTail;
    node.next = NO_GROUP;
    node.nStamp = ++m_nNextStamp;
    node.board = {node.nStamp};
    m_liberties[id] = 0;
    (m_nTail == NO_GROUP ? m_nHead : Node(m_nTail).next) = id;
    m_nTail = id;
    ++m_nGroups;
    return id;
}

void CGamePosition::MoveToTail(GroupId id)
{
    GroupNode& node = Node(id);
    Touch(node);
    node.nStamp = ++m_nNextStamp;
    if (IsMarkGroup(node))
        for (int nKind = 0; nKind < MARK_KINDS; ++nKind)
            if (node.marks.prev[nKind] != NOT_LISTED) {
                UnlinkMark(id, nKind);
                LinkMark(id, nKind);
            }
    if (id == m_nTail)
        return;
    (node.prev == NO_GROUP ? m_nHead : Node(node.prev).next) = node.next;
    Node(node.next).prev = node.prev;
    node.prev = m_nTail;
    node.next = NO_GROUP;
    Node(m_nTail).next = id;
    m_nTail = id;
}

void CGamePosition::LinkMark(GroupId id, int nKind)
{
    GroupNode& node = Node(id);
    node.marks.prev[nKind] = m_markTail[nKind];
    node.marks.next[nKind] = NO_GROUP;
    (m_markTail[nKind] == NO_GROUP ? m_markHead[nKind] : Node(m_markTail[nKind]).marks.next[nKind]) = id;
    m_markTail[nKind] = id;
}

void CGamePosition::UnlinkMark(GroupId id, int nKind)
{
    GroupNode& node = Node(id);
    const GroupId prev = node.marks.prev[nKind];
    const GroupId next = node.marks.next[nKind];
    (prev == NO_GROUP ? m_markHead[nKind] : Node(prev).marks.next[nKind]) = next;
    (next == NO_GROUP ? m_markTail[nKind] : Node(next).marks.prev[nKind]) = prev;
    node.marks.prev[nKind] = node.marks.next[nKind] = NOT_LISTED;
}

void CGamePosition::AppendPoint(GroupId id, int nCell)
{
    GroupNode& node = Node(id);
    Touch(node);
    if (const int nKind = MarkKindOf(nCell); nKind >= 0) {
        AppendMarkPoint(id, nCell, nKind);
        return;
    }
    node.points.Add(PointOf(nCell));
    ++m_nPoints;
    if (node.points.GetSize() >= m_tuning.nCellSetPoints)
        AddToCellSet(id, nCell);
    std::vector<Holder>& holders = m_holders[nCell];
    if (!holders.empty() && holders.back().id == id) {
        ++holders.back().nEntries;
    } else {
        holders.push_back({id, 1});
        PushStampEntry(nCell, id);
    }
    m_liberties[id] += EmptyNeighbours(nCell);
    if (m_liberties[id] == 0)
        m_pendingJudgement.push_back(id);
}

void CGamePosition::StartGroupAt(int nCell)
{
    const GroupId id = NewGroupAtTail();
    GroupNode& node = Node(id);
    node.points.Add(PointOf(nCell));
    ++m_nPoints;
    if (m_tuning.nCellSetPoints <= 1)
        AddToCellSet(id, nCell);
    std::vector<Holder>& holders = m_holders[nCell];
    holders.push_back({id, 1});
    PushStampEntry(nCell, id);
    std::int32_t& nLiberties = m_liberties[id];
    for (const int nOffset : kNeighbourOffsets)
        nLiberties += m_cells[nCell + nOffset] == PT_EMPTY;
    if (nLiberties == 0)
        m_pendingJudgement.push_back(id);
}

void CGamePosition::AppendMarkPoint(GroupId id, int nCell, int nKind)
{
    GroupNode& node = Node(id);
    if (node.points.GetSize() == 0)
        node.marks.prev[0] = node.marks.next[0] = node.marks.prev[1] = node.marks.next[1] = NOT_LISTED;
    node.points.Add(PointOf(nCell));
    ++m_nPoints;
    ++m_nMarkEntries[nKind];
    if (node.marks.prev[nKind] == NOT_LISTED)
        LinkMark(id, nKind);
}

void CGamePosition::AddToCellSet(GroupId id, int nCell)
{
    const CPointStore& points = Node(id).points;
    if (points.GetSize() > m_tuning.nCellSetPoints) {
        m_cellSets.at(id).set(nCell);
        return;
    }
    CellSet cells;
    for (const CPoint point : points.Points())
        cells.set(CellOf(point));
    m_cellSets.emplace(id, cells);
}

void CGamePosition::MergeInto(GroupId target, GroupId source)
{
    GroupNode& targetNode = Node(target);
    GroupNode& sourceNode = Node(source);
    Touch(targetNode);
    Touch(sourceNode);
    if (IsMarkGroup(sourceNode)) {
        targetNode.points.Join(sourceNode.points);
        for (int nKind = 0; nKind < MARK_KINDS; ++nKind)
            if (sourceNode.marks.prev[nKind] != NOT_LISTED) {
                UnlinkMark(source, nKind);
                if (targetNode.marks.prev[nKind] == NOT_LISTED)
                    LinkMark(target, nKind);
            }
    } else {
        CellSet* pTargetCells = nullptr;
        if (std::uint64_t{targetNode.points.GetSize()} + sourceNode.points.GetSize() >= m_tuning.nCellSetPoints) {
            const auto found = m_cellSets.find(target);
            pTargetCells = found != m_cellSets.end() ? &found->second : &m_cellSets.emplace(target, CellsOf(target)).first->second;
        }
        // A group may list a point many times: each cell's holders change
        // once, whatever the repeats.
        ForEachCellOf(source, [&](int nCell) {
            for (Holder& holder : m_holders[nCell])
                if (holder.id == source)
                    holder.id = target;
            PushStampEntry(nCell, target);
            if (pTargetCells)
                pTargetCells->set(nCell);
        });
        if (sourceNode.points.GetSize() >= m_tuning.nCellSetPoints)
            m_cellSets.erase(source);
        targetNode.points.Join(sourceNode.points);
        m_liberties[target] += m_liberties[source];
    }
    FreeNode(source);
}

void CGamePosition::DestroyGroup(GroupId id)
{
    GroupNode& node = Node(id);
    Touch(node);
    if (IsMarkGroup(node)) {
        for (const CPoint point : node.points.Points())
            --m_nMarkEntries[MarkKindOf(CellOf(point))];
        for (int nKind = 0; nKind < MARK_KINDS; ++nKind)
            if (node.marks.prev[nKind] != NOT_LISTED)
                UnlinkMark(id, nKind);
    } else {
        ForgetHolders(id);
    }
    FreeNode(id);
}

void CGamePosition::ForgetHolders(GroupId id)
{
    Touch(Node(id));
    ForEachCellOf(id, [&](int nCell) {
        std::vector<Holder>& holders = m_holders[nCell];
        if (holders.size() == 1 && holders.front().id == id)
            holders.clear();  // the common case, without the general search
        else
            std::erase_if(holders, [id](const Holder& holder) { return holder.id == id; });
    });
    if (Node(id).points.GetSize() >= m_tuning.nCellSetPoints)
        m_cellSets.erase(id);
}

void CGamePosition::FreeNode(GroupId id)
{
    GroupNode& node = Node(id);
    node.nStamp = 0;
    m_nPoints -= node.points.GetSize();
    node.points.Release();
    (node.prev == NO_GROUP ? m_nHead : Node(node.prev).next) = node.next;
    (node.next == NO_GROUP ? m_nTail : Node(node.next).prev) = node.prev;
    node.prev = FREE_NODE;
    node.next = m_nFreeHead;
    m_nFreeHead = id;
    --m_nGroups;
}

CGamePosition::CellSet CGamePosition::CellsOf(GroupId id) const
{
    CellSet cells;
    ForEachCellOf(id, [&](int nCell) { cells.set(nCell); });
    return cells;
}

void CGamePosition::PushStampEntryToHeap(int nCell, GroupId id)
{
    const std::size_t nRuns = m_holders[nCell].size();
    std::vector<StampEntry>& heap = m_stampHeaps[nCell];
    if (nRuns == m_tuning.nHeapRuns || heap.size() > 2 * nRuns + 8) {
        heap.clear();
        for (const Holder& holder : m_holders[nCell])
            heap.push_back({Node(holder.id).nStamp, holder.id, Node(holder.id).board.nBirth});
        std::make_heap(heap.begin(), heap.end(), std::greater<>());
        return;  // the holders include id
    }
    heap.push_back({Node(id).nStamp, id, Node(id).board.nBirth});
    std::push_heap(heap.begin(), heap.end(), std::greater<>());
}

void CGamePosition::ClearGroupFromBoard(GroupId id, bool bKeepFlowers)
{
    for (const CPoint point : Node(id).points.Points()) {
        const int nCell = CellOf(point);
        if (!(bKeepFlowers && m_cells[nCell] == PT_FLOWER))
            SetCell(nCell, PT_EMPTY);
    }
}

CGamePosition::GroupId CGamePosition::FindGroupAt(int nCell)
{
    if (const int nKind = MarkKindOf(nCell); nKind >= 0)
        return m_markHead[nKind];
    const std::vector<Holder>& holders = m_holders[nCell];
    if (holders.size() <= 1)
        return holders.empty() ? NO_GROUP : holders.front().id;
    if (holders.size() < m_tuning.nHeapRuns) {
        // A few runs: their groups' stamps are looked at directly.
        GroupId first = holders.front().id;
        for (const Holder& holder : holders)
            if (Node(holder.id).nStamp < Node(first).nStamp)
                first = holder.id;
        return first;
    }
    // The first group is the one with the smallest stamp. A stale entry on
    // top is dropped, or put back with its group's new stamp.
    std::vector<StampEntry>& heap = m_stampHeaps[nCell];
    for (;;) {
        assert(!heap.empty());
        const StampEntry top = heap.front();
        const GroupNode& node = Node(top.id);
        if (node.nStamp == top.nStamp)
            return top.id;
        std::pop_heap(heap.begin(), heap.end(), std::greater<>());
        heap.pop_back();
        // Still the group the entry was made for, moved to the tail since.
        if (node.prev != FREE_NODE && !IsMarkGroup(node) && node.board.nBirth == top.nBirth) {
            heap.push_back({node.nStamp, top.id, top.nBirth});
            std::push_heap(heap.begin(), heap.end(), std::greater<>());
        }
    }
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

    const bool bBoardPoint = MarkKindOf(nCell) < 0;
    if (bBoardPoint && m_cells[nCell - GRID_SIZE] != value && m_cells[nCell + GRID_SIZE] != value &&
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
        const GroupId holder = FindGroupAt(nNeighbour);
        if (holder == NO_GROUP)
            continue;
        if (target == NO_GROUP) {
            target = holder;
            AppendPoint(target, nCell);
        } else if (holder != target) {
            MergeInto(target, holder);
        }
    }

    if (target != NO_GROUP)
        MoveToTail(target);
    else if (bBoardPoint)
        StartGroupAt(nCell);
    else
        AppendPoint(NewGroupAtTail(), nCell);
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
    if (m_pendingJudgement.empty())
        return;
    ++m_nChanges;
    // Only a board group whose count reached 0 can be without a liberty (a
    // group of indicator cells always has one in the guard block), and a
    // capture only frees cells: judging those groups in list order, each when
    // its turn comes, captures exactly what walking the whole list would.
    // The two lists trade places, so neither allocates once both have grown.
    if (m_pendingJudgement.size() == 1) {  // as after most stones
        const GroupId id = m_pendingJudgement.front();
        m_pendingJudgement.clear();
        if (IsBoardGroupWithoutLiberty(id))
            Capture(id);
        return;
    }
    std::vector<GroupId>& judged = m_judging;
    judged.swap(m_pendingJudgement);
    std::erase_if(judged, [this](GroupId id) { return !IsBoardGroupWithoutLiberty(id); });
    std::sort(judged.begin(), judged.end(), [this](GroupId a, GroupId b) { return Node(a).nStamp < Node(b).nStamp; });
    judged.erase(std::unique(judged.begin(), judged.end()), judged.end());
    for (const GroupId id : judged)
        if (m_liberties[id] == 0)
            Capture(id);
    m_pendingJudgement.clear();
    judged.clear();
}

bool CGamePosition::IsBoardGroupWithoutLiberty(GroupId id) const
{
    const GroupNode& node = Node(id);
    return node.prev != FREE_NODE && !IsMarkGroup(node) && m_liberties[id] == 0;
}

void CGamePosition::Capture(GroupId id)
{
    CountOne(m_nCaptures);
    // The group leaves the cells' holders before its stones leave the board,
    // so that freeing them adjusts only the groups that stay.
    ForgetHolders(id);
    ClearGroupFromBoard(id, /*bKeepFlowers=*/true);
    FreeNode(id);
}

void CGamePosition::RemoveGroupAt(int x, int y)
{
    assert(IsBoardPoint(x, y));
    const int nCell = CellIndex(x, y);
    if (m_cells[nCell] == PT_EMPTY || m_holders[nCell].empty())
        return;
    ++m_nChanges;
    // Every group listing the point goes; the order does not matter, as all
    // their points end up empty.
    std::vector<GroupId> holders;
    for (const Holder& holder : m_holders[nCell])
        holders.push_back(holder.id);
    std::sort(holders.begin(), holders.end());
    holders.erase(std::unique(holders.begin(), holders.end()), holders.end());
    for (const GroupId id : holders) {
        ClearGroupFromBoard(id, /*bKeepFlowers=*/false);
        DestroyGroup(id);
    }
}

void CGamePosition::ClearGroups()
{
    ++m_nChanges;
    for (GroupId id = m_nHead; id != NO_GROUP; id = Node(id).next)
        Node(id).points.Release();
    // The chunks stay for the next game, unless a long one left many.
    if (m_chunks.size() > 64) {
        m_chunks.clear();
        m_liberties.clear();
    }
    m_nNodes = 0;
    m_nFreeHead = m_nHead = m_nTail = NO_GROUP;
    m_nGroups = 0;
    m_nPoints = 0;
    for (std::vector<Holder>& holders : m_holders)
        holders.clear();
    for (std::vector<StampEntry>& heap : m_stampHeaps)
        heap.clear();
    m_cellSets.clear();
    m_nMarkEntries.fill(0);
    m_markHead.fill(NO_GROUP);
    m_markTail.fill(NO_GROUP);
    m_pendingJudgement.clear();
    ForgetSnapshotBase();
}

void CGamePosition::ResetPosition()
{
    ClearGroups();
    ResetBoard();
}
