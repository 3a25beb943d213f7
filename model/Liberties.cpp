#include "Liberties.h"

std::uint8_t CLiberties::CountEmptyNeighbours(const BoardGrid& board, int nCell)
{
    std::uint8_t nEmpty = 0;
    for (const int nOffset : grid_cells::kNeighbourOffsets) {
        const int nNeighbour = nCell + nOffset;
        // Past the grid lies the guard block, empty throughout; before it,
        // nothing.
        if (nNeighbour >= GRID_CELLS || (nNeighbour >= 0 && board[nNeighbour] == PT_EMPTY))
            ++nEmpty;
    }
    return nEmpty;
}

void CLiberties::Recount(const BoardGrid& board, const CGroupList& groups, const CCellHolders& holders)
{
    ClearWaiting();
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell) {
        m_nEmptyNeighbours[nCell] = CountEmptyNeighbours(board, nCell);
        if (!IsOpen(nCell) && !holders.LoneGroups(nCell).empty())
            m_waitingCells.push_back(nCell);
    }
    Reserve(groups.IdLimit());
    for (GroupId id = groups.Head(); id != NO_GROUP; id = groups[id].next)
        m_nOpenCells[id] = 0;
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell)
        if (IsOpen(nCell))
            for (const GroupId id : holders.SharedGroups(nCell))
                ++m_nOpenCells[id];
    // A group listed by several cells may be queued as often: the sweep
    // drops the repeats.
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell)
        for (const GroupId id : holders.SharedGroups(nCell))
            if (m_nOpenCells[id] == 0)
                m_waitingGroups.push_back(id);
}

void CLiberties::OnEmptinessChangedAtTheEdge(int nCell, bool bEmpty, const CCellHolders& holders)
{
    for (const int nOffset : grid_cells::kNeighbourOffsets) {
        const int nNeighbour = nCell + nOffset;
        if (nNeighbour < 0 || nNeighbour >= GRID_CELLS)
            continue;
        if (bEmpty && m_nEmptyNeighbours[nNeighbour]++ == 0)
            OnOpened(nNeighbour, holders);
        else if (!bEmpty && --m_nEmptyNeighbours[nNeighbour] == 0)
            OnClosed(nNeighbour, holders);
    }
}

void CLiberties::CloseSharedGroups(int nCell, const CCellHolders& holders)
{
    for (const GroupId id : holders.SharedGroups(nCell))
        if (--m_nOpenCells[id] == 0)
            m_waitingGroups.push_back(id);
}
