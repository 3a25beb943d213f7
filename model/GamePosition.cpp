#include "GamePosition.h"

#include <algorithm>
#include <bitset>
#include <cassert>

namespace {

constexpr int kNeighbourOffsets[4] = {-GRID_SIZE, GRID_SIZE, -1, 1};  // left, right, up, down

constexpr CPoint PointOf(int nCell)
{
    return {nCell / GRID_SIZE, nCell % GRID_SIZE};
}

constexpr int CellOf(CPoint point)
{
    return CellIndex(point.x, point.y);
}

bool IsEdgeLine(int n)
{
    return n == 0 || n == 20 || n == 21;
}

// Wraps instead of overflowing: the counters only ever get compared.
void CountOne(std::int32_t& nCounter)
{
    nCounter = static_cast<std::int32_t>(static_cast<std::uint32_t>(nCounter) + 1u);
}

}  // namespace

CGamePosition::CGamePosition()
{
    m_guard.fill(PT_EMPTY);
    m_holderAt.fill(m_groups.end());
    ResetBoard();
}

PointValue CGamePosition::ValueAtIndex(int nCell) const
{
    assert(nCell >= 0 && nCell < 2 * GRID_CELLS);
    return nCell < GRID_CELLS ? m_board[nCell] : m_guard[nCell - GRID_CELLS];
}

void CGamePosition::ResetBoard()
{
    for (int x = 0; x < GRID_SIZE; ++x)
        for (int y = 0; y < GRID_SIZE; ++y)
            m_board[CellIndex(x, y)] = IsEdgeLine(x) || IsEdgeLine(y) ? PT_EDGE : PT_EMPTY;
}

CGamePosition::GroupRef CGamePosition::FindGroupAt(int nCell)
{
    assert(nCell >= 0 && nCell < GRID_CELLS);
    if (m_nEntriesAt[nCell] == 0)
        return m_groups.end();
    if (m_nEntriesAt[nCell] == 1 && m_holderAt[nCell] != m_groups.end())
        return m_holderAt[nCell];
    const CPoint point = PointOf(nCell);
    for (auto it = m_groups.begin(); it != m_groups.end(); ++it) {
        if (std::find(it->begin(), it->end(), point) != it->end()) {
            if (m_nEntriesAt[nCell] == 1)
                m_holderAt[nCell] = it;
            return it;
        }
    }
    assert(false && "a counted entry must be in some group");
    return m_groups.end();
}

void CGamePosition::AppendPoint(GroupRef group, int nCell)
{
    group->push_back(PointOf(nCell));
    ++m_nEntriesAt[nCell];
    m_holderAt[nCell] = m_nEntriesAt[nCell] == 1 ? group : m_groups.end();
}

bool CGamePosition::IsOnTheBoard(const StoneGroup& group)
{
    // Groups never mix board points with indicator cells: no board point
    // touches an indicator cell.
    return group.front().x <= BOARD_SIZE;
}

void CGamePosition::ForgetBoardGroup(GroupRef group)
{
    if (const auto node = m_boardNodes.find(&*group); node != m_boardNodes.end()) {
        m_boardGroups.erase(node->second);
        m_boardNodes.erase(node);
    }
}

void CGamePosition::MergeInto(GroupRef target, GroupRef source)
{
    for (const CPoint point : *source) {
        target->push_back(point);
        const int nCell = CellOf(point);
        m_holderAt[nCell] = m_nEntriesAt[nCell] == 1 ? target : m_groups.end();
    }
    ForgetBoardGroup(source);
    m_groups.erase(source);
}

void CGamePosition::DestroyGroup(GroupRef group)
{
    for (const CPoint point : *group) {
        const int nCell = CellOf(point);
        --m_nEntriesAt[nCell];
        m_holderAt[nCell] = m_groups.end();
    }
    ForgetBoardGroup(group);
    m_groups.erase(group);
}

void CGamePosition::ClearGroupFromBoard(const StoneGroup& group, bool bKeepFlowers)
{
    for (const CPoint point : group) {
        PointValue& cell = m_board[CellOf(point)];
        if (!(bKeepFlowers && cell == PT_FLOWER))
            cell = PT_EMPTY;
    }
}

void CGamePosition::AddStoneToGroups(int x, int y)
{
    const int nCell = CellIndex(x, y);
    assert(IsBoardPoint(x, y) || (x == 21 && (y == 20 || y == 21)));
    const PointValue value = m_board[nCell];
    if (value == PT_EMPTY)
        return;

    GroupRef target = m_groups.end();
    for (const int nOffset : kNeighbourOffsets) {
        const int nNeighbour = nCell + nOffset;
        if (ValueAtIndex(nNeighbour) != value)
            continue;
        // The guard holds PT_EMPTY, so a matching neighbour is inside the grid.
        const GroupRef holder = FindGroupAt(nNeighbour);
        if (holder == m_groups.end())
            continue;
        if (target == m_groups.end()) {
            target = holder;
            AppendPoint(target, nCell);
        } else if (holder != target) {
            MergeInto(target, holder);
        }
    }

    if (target == m_groups.end()) {
        m_groups.emplace_back();
        target = std::prev(m_groups.end());
        AppendPoint(target, nCell);
        if (IsOnTheBoard(*target))
            m_boardNodes.emplace(&*target, m_boardGroups.insert(m_boardGroups.end(), target));
    } else if (std::next(target) != m_groups.end()) {
        m_groups.splice(m_groups.end(), m_groups, target);
        if (const auto node = m_boardNodes.find(&*target); node != m_boardNodes.end())
            m_boardGroups.splice(m_boardGroups.end(), m_boardGroups, node->second);
    }
}

std::int32_t CGamePosition::CountLiberties(const StoneGroup& group) const
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

bool CGamePosition::HasLiberty(const StoneGroup& group) const
{
    for (const CPoint point : group) {
        const int nCell = CellOf(point);
        for (const int nOffset : kNeighbourOffsets)
            if (ValueAtIndex(nCell + nOffset) == PT_EMPTY)
                return true;
    }
    return false;
}

void CGamePosition::SweepCaptures()
{
    m_nCapturesBefore = m_nCaptures;
    // Only groups on the board can lose their last liberty: a group of
    // indicator cells always has one in the guard block. Walking the board
    // groups alone, in list order, judges exactly the groups that matter in
    // the order of the list.
    for (auto node = m_boardGroups.begin(); node != m_boardGroups.end();) {
        const GroupRef group = *node++;
        if (!HasLiberty(*group)) {
            CountOne(m_nCaptures);
            ClearGroupFromBoard(*group, /*bKeepFlowers=*/true);
            DestroyGroup(group);
        }
    }
}

void CGamePosition::RemoveGroupAt(int x, int y)
{
    assert(IsBoardPoint(x, y));
    const int nCell = CellIndex(x, y);
    if (m_board[nCell] == PT_EMPTY || m_nEntriesAt[nCell] == 0)
        return;
    if (m_nEntriesAt[nCell] == 1) {
        const GroupRef holder = FindGroupAt(nCell);
        ClearGroupFromBoard(*holder, /*bKeepFlowers=*/false);
        DestroyGroup(holder);
        return;
    }
    const CPoint point{x, y};
    for (auto it = m_groups.begin(); it != m_groups.end();) {
        const auto next = std::next(it);
        if (std::find(it->begin(), it->end(), point) != it->end()) {
            ClearGroupFromBoard(*it, /*bKeepFlowers=*/false);
            DestroyGroup(it);
        }
        it = next;
    }
}

void CGamePosition::ClearGroups()
{
    while (!m_groups.empty())
        DestroyGroup(m_groups.begin());
}

void CGamePosition::ResetPosition()
{
    ResetBoard();
    ClearGroups();
}
