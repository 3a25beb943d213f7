#include "CellHolders.h"

#include "model/GridCells.h"

#include <algorithm>
#include <cassert>
#include <functional>

GroupId CCellHolders::FirstGroup(int nCell, const CGroupList& groups)
{
    Cell& cell = m_cells[nCell];
    GroupId first = cell.nLoneHead < cell.lone.size() ? cell.lone[cell.nLoneHead] : NO_GROUP;
    const auto takeIfEarlier = [&](GroupId id) {
        if (first == NO_GROUP || groups[id].nStamp < groups[first].nStamp)
            first = id;
    };
    if (cell.shared.size() < m_nHeapThreshold) {
        for (const GroupId id : cell.shared)
            takeIfEarlier(id);
        return first;
    }
    // A stale entry on top is dropped, or put back with its group's new stamp.
    std::vector<StampEntry>& heap = cell.heap;
    for (;;) {
        assert(!heap.empty());
        const StampEntry top = heap.front();
        const CGroupList::Node& node = groups[top.id];
        if (node.nStamp == top.nStamp)
            break;
        std::pop_heap(heap.begin(), heap.end(), std::greater<>());
        heap.pop_back();
        // Still the group the entry was made for, moved to the tail since: a
        // group lists a cell as long as it lives.
        if (node.nStamp != 0 && node.nBirth == top.nBirth) {
            heap.push_back({node.nStamp, top.nBirth, top.id});
            std::push_heap(heap.begin(), heap.end(), std::greater<>());
        }
    }
    takeIfEarlier(heap.front().id);
    return first;
}

void CCellHolders::RemoveLone(int nCell, GroupId id)
{
    Cell& cell = m_cells[nCell];
    assert(cell.nLoneHead < cell.lone.size());
    if (cell.lone.back() == id) {
        cell.lone.pop_back();
    } else {
        assert(cell.lone[cell.nLoneHead] == id);
        ++cell.nLoneHead;
    }
    if (cell.nLoneHead == cell.lone.size()) {
        cell.lone.clear();
        cell.nLoneHead = 0;
        m_kinds[nCell] &= ~LONE;
    } else if (cell.nLoneHead >= 64 && cell.nLoneHead * 2 >= cell.lone.size()) {
        // What has left takes no more room than what stays.
        cell.lone.erase(cell.lone.begin(), cell.lone.begin() + static_cast<std::ptrdiff_t>(cell.nLoneHead));
        cell.nLoneHead = 0;
    }
}

void CCellHolders::AddShared(int nCell, GroupId id, const CGroupList& groups)
{
    Cell& cell = m_cells[nCell];
    assert(std::find(cell.shared.begin(), cell.shared.end(), id) == cell.shared.end());
    cell.shared.push_back(id);
    m_kinds[nCell] |= SHARED;
    if (cell.shared.size() < m_nHeapThreshold)
        return;
    if (cell.shared.size() == m_nHeapThreshold || cell.heap.size() > 2 * cell.shared.size() + 8) {
        RebuildHeap(cell, groups);
        return;
    }
    cell.heap.push_back({groups[id].nStamp, groups[id].nBirth, id});
    std::push_heap(cell.heap.begin(), cell.heap.end(), std::greater<>());
}

void CCellHolders::RebuildHeap(Cell& cell, const CGroupList& groups)
{
    cell.heap.clear();
    for (const GroupId id : cell.shared)
        cell.heap.push_back({groups[id].nStamp, groups[id].nBirth, id});
    std::make_heap(cell.heap.begin(), cell.heap.end(), std::greater<>());
}

void CCellHolders::RemoveShared(int nCell, GroupId id)
{
    std::vector<GroupId>& shared = m_cells[nCell].shared;
    const auto found = std::find(shared.begin(), shared.end(), id);
    assert(found != shared.end());
    *found = shared.back();
    shared.pop_back();
    if (shared.empty())
        m_kinds[nCell] &= ~SHARED;
    if (shared.size() < m_nHeapThreshold)
        m_cells[nCell].heap.clear();
}

void CCellHolders::Clear()
{
    for (Cell& cell : m_cells) {
        cell.lone.clear();
        cell.nLoneHead = 0;
        cell.shared.clear();
        cell.heap.clear();
    }
    m_kinds.fill(0);
}

std::string CCellHolders::CheckCell(int nCell, const CGroupList& groups, const std::vector<GroupId>& lone,
                                    std::vector<GroupId>& shared) const
{
    const auto where = [nCell] {
        const CPoint point = grid_cells::PointOf(nCell);
        return "cell (" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
    };
    const std::span<const GroupId> keptLone = LoneGroups(nCell);
    if (!std::equal(keptLone.begin(), keptLone.end(), lone.begin(), lone.end()))
        return where() + " keeps other lone groups than those listing it alone, or out of list order";
    if (HasLone(nCell) != !lone.empty() || HasShared(nCell) != !shared.empty())
        return where() + " says it holds groups of a kind it does not, or not of one it does";
    if (shared.empty() && m_cells[nCell].shared.empty())
        return m_cells[nCell].heap.empty() ? std::string() : where() + " keeps a heap it does not need";
    std::vector<GroupId> keptShared = m_cells[nCell].shared;
    std::sort(keptShared.begin(), keptShared.end());
    std::sort(shared.begin(), shared.end());
    if (keptShared != shared)
        return where() + " keeps other shared groups than those listing it with other cells, or one twice";
    const std::vector<StampEntry>& heap = m_cells[nCell].heap;
    if (shared.size() < m_nHeapThreshold)
        return heap.empty() ? std::string() : where() + " keeps a heap it does not need";
    if (!std::is_heap(heap.begin(), heap.end(), std::greater<>()))
        return "the groups of " + where() + " are out of stamp order";
    for (const GroupId id : shared)
        if (std::none_of(heap.begin(), heap.end(), [&](const StampEntry& entry) {
                return entry.id == id && entry.nBirth == groups[id].nBirth && entry.nStamp <= groups[id].nStamp;
            }))
            return where() + " cannot find one of its groups by stamp";
    return {};
}
