// For each cell, the groups whose points list it, and the first of them in
// list order ("the group that holds a point").
//
// A cell's groups come in two kinds, kept apart:
//  - lone groups, which list this cell and no other (a stone that found no
//    group of its colour next to it, replayed onto the point once or many
//    times). They are kept in list order: a lone group never moves to the
//    tail (a group moves there only when a stone next to it joins it, and
//    then it lists two cells), so the order they were made in stays, and they
//    leave from the front (found first, or captured first, as they all live
//    or die together) or from the back (a snapshot restored). A record that
//    puts stone after stone on one point makes many of them;
//  - shared groups, which list this cell and at least one other, each once
//    however often it lists the cell.
//
// The first group of a cell is the one with the smallest stamp: the front
// lone group, or the first shared one. A cell with few shared groups looks
// at each; one with more keeps a heap of their stamps, smallest on top. A
// heap entry goes stale when its group moves to the tail (it is put back
// with the new stamp when it comes to the top) or goes (it is dropped then);
// the heap is rebuilt when stale entries outnumber the groups.
//
// Invariant (CheckConsistency): each cell's lone groups are exactly the
// listed groups whose only cell it is, in list order; its shared groups are
// exactly the other listed groups that list it, each once; a cell with a heap
// has an entry for each shared group whose stamp is at most the group's.
#pragma once

#include "model/BoardGrid.h"
#include "model/GroupList.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CCellHolders {
public:
    // Shared groups of a cell from which its heap is kept; at least 2.
    void SetHeapThreshold(std::uint32_t nGroups) { m_nHeapThreshold = nGroups; }

    std::span<const GroupId> LoneGroups(int nCell) const
    {
        const Cell& cell = m_cells[nCell];
        return std::span<const GroupId>(cell.lone).subspan(cell.nLoneHead);
    }
    std::span<const GroupId> SharedGroups(int nCell) const { return m_cells[nCell].shared; }
    // Whether the cell has groups of each kind, from a byte a cell: asked
    // whenever a cell opens or closes.
    bool HasLone(int nCell) const { return m_kinds[nCell] & LONE; }
    bool HasShared(int nCell) const { return m_kinds[nCell] & SHARED; }
    bool IsHeld(int nCell) const { return m_kinds[nCell] != 0; }

    // The group with the smallest stamp that lists the cell; NO_GROUP for none.
    GroupId FirstGroup(int nCell, const CGroupList& groups);

    // A new lone group, which is the newest group. May throw std::bad_alloc,
    // the cell then unchanged.
    void AddLone(int nCell, GroupId id)
    {
        m_cells[nCell].lone.push_back(id);
        m_kinds[nCell] |= LONE;
    }
    // Requires id to be the first or the last lone group of the cell.
    void RemoveLone(int nCell, GroupId id);
    // Requires a group that does not yet list the cell as shared. May throw
    // std::bad_alloc, the cell then unchanged.
    void AddShared(int nCell, GroupId id, const CGroupList& groups);
    // Requires a shared group of the cell.
    void RemoveShared(int nCell, GroupId id);
    void Clear();

    // groupCells(id) gives the cells of listed group id, each once.
    template <typename GroupCells>
    std::string CheckConsistency(const CGroupList& groups, GroupCells groupCells) const;

private:
    struct StampEntry {
        std::uint64_t nStamp;
        std::uint64_t nBirth;
        GroupId id;
        friend bool operator>(const StampEntry& a, const StampEntry& b) { return a.nStamp > b.nStamp; }
    };
    struct Cell {
        std::vector<GroupId> lone;  // those before nLoneHead have left
        std::size_t nLoneHead = 0;
        std::vector<GroupId> shared;
        std::vector<StampEntry> heap;  // kept while shared has m_nHeapThreshold groups or more
    };
    void RebuildHeap(Cell& cell, const CGroupList& groups);
    std::string CheckCell(int nCell, const CGroupList& groups, const std::vector<GroupId>& lone, std::vector<GroupId>& shared) const;

    static constexpr std::uint8_t LONE = 1;
    static constexpr std::uint8_t SHARED = 2;

    std::uint32_t m_nHeapThreshold = 8;
    std::array<Cell, GRID_CELLS> m_cells;
    std::array<std::uint8_t, GRID_CELLS> m_kinds{};  // LONE and SHARED bits: which of the cell's lists hold groups
};

template <typename GroupCells>
std::string CCellHolders::CheckConsistency(const CGroupList& groups, GroupCells groupCells) const
{
    static thread_local std::array<std::vector<GroupId>, GRID_CELLS> lone;  // kept with their room: checks run often
    static thread_local std::array<std::vector<GroupId>, GRID_CELLS> shared;
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell) {
        lone[nCell].clear();
        shared[nCell].clear();
    }
    for (GroupId id = groups.Head(); id != NO_GROUP; id = groups[id].next) {
        const auto& cells = groupCells(id);
        for (const int nCell : cells)
            (cells.size() == 1 ? lone : shared)[nCell].push_back(id);
    }
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell)
        if (std::string fault = CheckCell(nCell, groups, lone[nCell], shared[nCell]); !fault.empty())
            return fault;
    return {};
}
