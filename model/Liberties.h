// Which groups have a liberty, kept up to date as cells fill and empty, so
// that a capture sweep judges only the groups that may have none.
//
// A group has a liberty when one of the cells it lists has an empty
// neighbour: call such a cell open. Repeats of a point change nothing, so
// what is counted is cells, not points:
//  - each cell counts its empty neighbours (the guard block past the grid
//    counts as empty, so an indicator cell is always open);
//  - each shared group (see CellHolders.h) counts its open cells. A cell's
//    openness changes only when a neighbour fills or empties, and then the
//    shared groups listing it are adjusted: a stone that leaves a cell open
//    costs nothing beyond the neighbour counts;
//  - lone groups keep no count: they are open exactly when their cell is,
//    all of them at once, however many a record has piled up there.
// A group whose count falls to 0, and a cell closed while it has lone groups,
// wait to be judged at the next sweep (some may have gained a liberty again,
// or gone, by then). Counts only fall when a cell fills, and a sweep only
// empties cells, so nothing else can be without a liberty.
//
// Invariant (CheckConsistency): the counts are those of the board and the
// holders; every shared group without an open cell, and every closed cell
// with lone groups, waits to be judged.
#pragma once

#include "model/BoardGrid.h"
#include "model/CellHolders.h"
#include "model/GridCells.h"
#include "model/GroupList.h"

#include <cstdint>
#include <string>
#include <vector>

class CLiberties {
public:
    bool IsOpen(int nCell) const { return m_nEmptyNeighbours[nCell] != 0; }

    // Every count from the board and the holders, and the groups and cells
    // without a liberty queued.
    void Recount(const BoardGrid& board, const CGroupList& groups, const CCellHolders& holders);

    // Cell nCell, a grid cell, has just become empty (bEmpty) or filled.
    [[gnu::always_inline]] void OnEmptinessChanged(int nCell, bool bEmpty, const CCellHolders& holders)
    {
        if (nCell < GRID_SIZE || nCell >= GRID_CELLS - GRID_SIZE) {
            OnEmptinessChangedAtTheEdge(nCell, bEmpty, holders);
            return;
        }
        // Every stone placed or taken comes here: the four neighbours are
        // spelled out at fixed offsets, and only a neighbour that opens or
        // closes leaves this inline path.
        if (bEmpty) {
            if (m_nEmptyNeighbours[nCell - GRID_SIZE]++ == 0)
                OnOpened(nCell - GRID_SIZE, holders);
            if (m_nEmptyNeighbours[nCell + GRID_SIZE]++ == 0)
                OnOpened(nCell + GRID_SIZE, holders);
            if (m_nEmptyNeighbours[nCell - 1]++ == 0)
                OnOpened(nCell - 1, holders);
            if (m_nEmptyNeighbours[nCell + 1]++ == 0)
                OnOpened(nCell + 1, holders);
        } else {
            if (--m_nEmptyNeighbours[nCell - GRID_SIZE] == 0)
                OnClosed(nCell - GRID_SIZE, holders);
            if (--m_nEmptyNeighbours[nCell + GRID_SIZE] == 0)
                OnClosed(nCell + GRID_SIZE, holders);
            if (--m_nEmptyNeighbours[nCell - 1] == 0)
                OnClosed(nCell - 1, holders);
            if (--m_nEmptyNeighbours[nCell + 1] == 0)
                OnClosed(nCell + 1, holders);
        }
    }

    // Room for the counts of groups with ids below nLimit; may throw
    // std::bad_alloc, nothing then changed.
    void Reserve(GroupId nLimit)
    {
        if (m_nOpenCells.size() < nLimit)
            m_nOpenCells.resize(std::max<std::size_t>(nLimit, 2 * m_nOpenCells.size()));
    }
    // A group that has just become shared, its cells counted.
    void StartCounting(GroupId id, std::int32_t nOpenCells)
    {
        m_nOpenCells[id] = nOpenCells;
        if (nOpenCells == 0)
            m_waitingGroups.push_back(id);
    }
    // A shared group that lists one more cell.
    void AddCell(GroupId id, int nCell)
    {
        m_nOpenCells[id] += IsOpen(nCell);
        if (m_nOpenCells[id] == 0)
            m_waitingGroups.push_back(id);
    }
    // A cell that has gained a lone group.
    void AddLoneGroup(int nCell)
    {
        if (!IsOpen(nCell))
            m_waitingCells.push_back(nCell);
    }
    std::int32_t OpenCells(GroupId id) const { return m_nOpenCells[id]; }

    // What waits to be judged, taken by the sweep; the lists stay with their
    // room for the next one.
    std::vector<GroupId>& WaitingGroups() { return m_waitingGroups; }
    std::vector<int>& WaitingCells() { return m_waitingCells; }
    void ClearWaiting()
    {
        m_waitingGroups.clear();
        m_waitingCells.clear();
    }

    // groupCells(id) gives the cells of listed group id, each once.
    template <typename GroupCells>
    std::string CheckConsistency(const BoardGrid& board, const CGroupList& groups, const CCellHolders& holders,
                                 GroupCells groupCells) const;

private:
    // The first and last columns, which only tests write: neighbours past
    // either end of the grid are left out.
    void OnEmptinessChangedAtTheEdge(int nCell, bool bEmpty, const CCellHolders& holders);
    // A cell that has just gained its first empty neighbour, or lost its
    // last: every shared group listing it gains or loses an open cell, and a
    // closed cell's lone groups wait to be judged.
    [[gnu::always_inline]] void OnOpened(int nCell, const CCellHolders& holders)
    {
        if (holders.HasShared(nCell))
            for (const GroupId id : holders.SharedGroups(nCell))
                ++m_nOpenCells[id];
    }
    [[gnu::always_inline]] void OnClosed(int nCell, const CCellHolders& holders)
    {
        if (holders.HasShared(nCell))
            CloseSharedGroups(nCell, holders);
        if (holders.HasLone(nCell))
            m_waitingCells.push_back(nCell);
    }
    [[gnu::noinline]] void CloseSharedGroups(int nCell, const CCellHolders& holders);
    static std::uint8_t CountEmptyNeighbours(const BoardGrid& board, int nCell);

    std::array<std::uint8_t, GRID_CELLS> m_nEmptyNeighbours{};
    std::vector<std::int32_t> m_nOpenCells;  // by group id; meaningful for shared groups
    std::vector<GroupId> m_waitingGroups;
    std::vector<int> m_waitingCells;
};

template <typename GroupCells>
std::string CLiberties::CheckConsistency(const BoardGrid& board, const CGroupList& groups,
                                         const CCellHolders& holders, GroupCells groupCells) const
{
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell) {
        if (m_nEmptyNeighbours[nCell] != CountEmptyNeighbours(board, nCell))
            return "cell " + std::to_string(nCell) + " counts " + std::to_string(m_nEmptyNeighbours[nCell]) +
                   " empty neighbours, the board shows " + std::to_string(CountEmptyNeighbours(board, nCell));
        if (!IsOpen(nCell) && !holders.LoneGroups(nCell).empty() &&
            std::find(m_waitingCells.begin(), m_waitingCells.end(), nCell) == m_waitingCells.end())
            return "cell " + std::to_string(nCell) + " has no liberty and its lone groups are not waiting to be judged";
    }
    for (GroupId id = groups.Head(); id != NO_GROUP; id = groups[id].next) {
        const auto& cells = groupCells(id);
        if (cells.size() == 1)
            continue;
        std::int32_t nOpen = 0;
        for (const int nCell : cells)
            nOpen += IsOpen(nCell);
        if (nOpen != m_nOpenCells[id])
            return "group " + std::to_string(id) + " counts " + std::to_string(m_nOpenCells[id]) +
                   " open cells, its cells have " + std::to_string(nOpen);
        if (nOpen == 0 && std::find(m_waitingGroups.begin(), m_waitingGroups.end(), id) == m_waitingGroups.end())
            return "group " + std::to_string(id) + " has no liberty and is not waiting to be judged";
    }
    return {};
}
