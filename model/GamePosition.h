// The position of the game: the board grid, the chains on it, and the capture
// counters. The rules here are the program's own, kept literal:
//
//  - AddStoneToGroups attaches a point, whose value is already on the board,
//    to the groups of its equal-valued neighbours (left, right, up, down),
//    merging them into the first one, which moves to the tail of the list.
//  - SweepCaptures removes, from head to tail, every group without an empty
//    neighbour; flower stones of a captured group stay on the board.
//  - RemoveGroupAt takes every group that holds a point off the board.
//
// "The group that holds a point" is always the first group from the head
// whose points contain it: a replayed stone can land on an occupied point, so
// a point may sit in several groups, or (a flower stone left by a capture) in
// none. A per-cell count of group entries answers the common cases without a
// search; only points held more than once fall back to walking the list.
#pragma once

#include "model/BoardGrid.h"
#include "model/StoneGroup.h"

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

class CGamePosition {
public:
    CGamePosition();
    CGamePosition(const CGamePosition&) = delete;
    CGamePosition& operator=(const CGamePosition&) = delete;

    // Value of cell (x, y). Requires 0 <= x * 22 + y < 968: the reads past the
    // indicator cells, (22, 20), (22, 21) and (21, 22), land in the guard
    // block, which always holds PT_EMPTY.
    PointValue ValueAt(int x, int y) const { return ValueAtIndex(CellIndex(x, y)); }

    // Border cells (x or y is 0, 20 or 21) to PT_EDGE, all others to PT_EMPTY.
    void ResetBoard();

    // Attaches (x, y), a board point or an indicator cell, to the groups.
    // A point holding PT_EMPTY (one a removal has just cleared) is left alone.
    // Matching neighbours that no group holds are passed over; when none is
    // held, the point starts a new group at the tail. Writes no cell.
    void AddStoneToGroups(int x, int y);

    // Number of distinct empty cells next to the group's points.
    std::int32_t CountLiberties(const StoneGroup& group) const;

    // Sets m_nCapturesBefore to m_nCaptures, then captures every group that
    // has no liberty at the moment it is judged, counting each in m_nCaptures.
    void SweepCaptures();

    // Clears every group that holds (x, y), a board point, from the board and
    // the list, flower stones included. Counters and record stay untouched.
    void RemoveGroupAt(int x, int y);

    // Destroys every group, head first.
    void ClearGroups();

    // ResetBoard, then ClearGroups.
    void ResetPosition();

    const GroupList& GetGroups() const { return m_groups; }

    // A debugging and test aid, linear in the board and the group entries.
    // Returns an empty string when the position is sound, else the first
    // fault found, naming its cell or group. Sound means: every cell holds a
    // value its place allows and the guard block is empty; every group is a
    // connected chain of board points or of indicator cells; the entry
    // counts, the cached holders and the board groups (in list order, each
    // indexed at its place) are what the group list gives; every black or
    // white stone on the board is held by a group. Every state the rules
    // reach passes: a point held by two groups, a flower stone held by none,
    // a group still listing a point that a capture emptied.
    std::string CheckConsistency() const;

    // Read by the view and written only by the document's operations.
    BoardGrid m_board{};
    std::int32_t m_nCaptures = 0;        // groups captured since the game was emptied
    std::int32_t m_nCapturesBefore = 0;  // m_nCaptures when the latest sweep began

private:
    using GroupRef = GroupList::iterator;

    PointValue ValueAtIndex(int nCell) const;
    bool HasLiberty(const StoneGroup& group) const;
    GroupRef FindGroupAt(int nCell);
    void AppendPoint(GroupRef group, int nCell);
    void MergeInto(GroupRef target, GroupRef source);
    void DestroyGroup(GroupRef group);
    static bool IsOnTheBoard(const StoneGroup& group);
    void ForgetBoardGroup(GroupRef group);
    void ClearGroupFromBoard(const StoneGroup& group, bool bKeepFlowers);

    BoardGrid m_guard{};  // never written: PT_EMPTY throughout
    GroupList m_groups;
    // The groups that hold board points, in the order of m_groups, and where
    // each stands in it: the sweep walks these alone, so the groups that
    // replayed passes and bombs leave on the indicator cells cost it nothing.
    std::list<GroupRef> m_boardGroups;
    std::unordered_map<const StoneGroup*, std::list<GroupRef>::iterator> m_boardNodes;
    // For each cell: how many group entries name it, and, when that is 1, the
    // group (m_groups.end() until a search has found it again).
    std::array<std::int32_t, GRID_CELLS> m_nEntriesAt{};
    std::array<GroupRef, GRID_CELLS> m_holderAt;
};
