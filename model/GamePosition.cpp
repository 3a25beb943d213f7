#include "GamePosition.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cassert>
#include <iterator>
#include <string>
#include <vector>

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

bool IsIndicatorCell(CPoint point)
{
    return point.x == 21 && (point.y == 20 || point.y == 21);
}

bool IsStoneValue(PointValue value)
{
    return value == PT_BLACK || value == PT_WHITE || value == PT_FLOWER;
}

std::string Text(CPoint point)
{
    return "(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
}

std::string Text(int nGroup, const StoneGroup& group)
{
    return "group " + std::to_string(nGroup) + " from the head, starting at " + Text(group.front());
}

// Whether the distinct points of the group form one orthogonally connected
// set, as they must: a group only grows by a point next to one it holds, and
// merges only through that point. Requires board points or indicator cells
// only, so that no neighbour step wraps from one column into the next.
bool IsConnected(const StoneGroup& group)
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

std::string CGamePosition::CheckConsistency() const
{
    // Everything kept beside the list, recomputed from it: how many entries
    // name each cell, the last group to name it, the groups on the board.
    std::array<std::int32_t, GRID_CELLS> nEntriesAt{};
    std::array<std::int32_t, GRID_CELLS> nLastHolderAt{};
    std::vector<GroupList::const_iterator> groups;
    std::vector<GroupList::const_iterator> boardGroups;
    groups.reserve(m_groups.size());
    for (auto group = m_groups.begin(); group != m_groups.end(); ++group) {
        const int nGroup = static_cast<int>(groups.size());
        groups.push_back(group);
        if (group->empty())
            return "group " + std::to_string(nGroup) + " from the head is empty";
        const bool bOnTheBoard = IsBoardPoint(group->front().x, group->front().y);
        for (const CPoint point : *group) {
            if (!IsBoardPoint(point.x, point.y) && !IsIndicatorCell(point))
                return Text(nGroup, *group) + ", holds " + Text(point) +
                       ", neither a board point nor an indicator cell";
            if (IsBoardPoint(point.x, point.y) != bOnTheBoard)
                return Text(nGroup, *group) + ", mixes board points and indicator cells";
            const int nCell = CellOf(point);
            ++nEntriesAt[nCell];
            nLastHolderAt[nCell] = nGroup;
        }
        if (!IsConnected(*group))
            return Text(nGroup, *group) + ", is not one connected chain";
        if (bOnTheBoard)
            boardGroups.push_back(group);
    }

    for (const PointValue value : m_guard)
        if (value != PT_EMPTY)
            return "the guard block holds " + std::to_string(value);

    if (m_nEntriesAt != nEntriesAt) {
        const auto [cached, recounted] = std::mismatch(m_nEntriesAt.begin(), m_nEntriesAt.end(), nEntriesAt.begin());
        return "cell " + Text(PointOf(static_cast<int>(cached - m_nEntriesAt.begin()))) + " counts " +
               std::to_string(*cached) + " group entries, the groups hold " + std::to_string(*recounted);
    }

    const GroupList::const_iterator noGroup = m_groups.end();
    for (int nCell = 0; nCell < GRID_CELLS; ++nCell) {
        const CPoint point = PointOf(nCell);
        const PointValue value = m_board[nCell];
        const bool bBoardPoint = IsBoardPoint(point.x, point.y);
        const bool bAllowed = bBoardPoint              ? value == PT_EMPTY || IsStoneValue(value)
                              : IsIndicatorCell(point) ? value == PT_EDGE || IsStoneValue(value)
                                                       : value == PT_EDGE;
        if (!bAllowed)
            return "cell " + Text(point) + " holds " + std::to_string(value);
        // A cached holder may be missing (the next search finds it again),
        // but one that is there must be the only group holding the point.
        if (const GroupList::const_iterator holder = m_holderAt[nCell]; holder != noGroup) {
            if (nEntriesAt[nCell] != 1 || holder != groups[nLastHolderAt[nCell]])
                return "cell " + Text(point) + " caches a holder that is not the one group holding it";
        }
        // Every group leaves the list with its points emptied, except the
        // flower stones a capture spares, so a black or white stone is held.
        if (bBoardPoint && (value == PT_BLACK || value == PT_WHITE) && nEntriesAt[nCell] == 0)
            return "the stone at " + Text(point) + " is held by no group";
    }

    if (m_boardGroups.size() != boardGroups.size())
        return "the board groups number " + std::to_string(m_boardGroups.size()) + ", the list holds " +
               std::to_string(boardGroups.size());
    auto expected = boardGroups.begin();
    for (const GroupRef group : m_boardGroups) {
        if (GroupList::const_iterator(group) != *expected)
            return "board group " + std::to_string(expected - boardGroups.begin()) + " is not " +
                   Text(static_cast<int>(std::distance(m_groups.begin(), *expected)), **expected);
        ++expected;
    }
    if (m_boardNodes.size() != m_boardGroups.size())
        return std::to_string(m_boardNodes.size()) + " board groups are indexed, " +
               std::to_string(m_boardGroups.size()) + " listed";
    for (auto node = m_boardGroups.begin(); node != m_boardGroups.end(); ++node) {
        const auto indexed = m_boardNodes.find(&**node);
        if (indexed == m_boardNodes.end() || indexed->second != node)
            return "board group " + std::to_string(std::distance(m_boardGroups.begin(), node)) +
                   " is not indexed at its place in the board groups";
    }
    return {};
}
