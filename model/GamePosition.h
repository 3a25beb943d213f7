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
// none, and a group may list a point again and again.
//
// What makes it quick without changing a result is kept in parts, each with
// its own invariant and check:
//  - CGroupList (GroupList.h): the groups in list order, with stamps that
//    grow along it, so the first of several groups is the smallest stamp;
//  - CGroupShapes (GroupShapes.h): the cells each group lists, kept by
//    shape (the set of cells), and for each cell the shapes listing it;
//  - CLiberties (Liberties.h): which cells have an empty neighbour, and how
//    many such cells each shape has, so that a sweep judges only the groups
//    that may have no liberty;
//  - snapshots (PositionSnapshot.cpp): the board and the groups in a
//    compact form that shares its untouched segments with the one before.
// Nothing in them grows with the number of times a group lists a point or
// with the number of groups of one shape, so a record that puts stones again
// and again on a few points replays in time proportional to its length.
#pragma once

#include "model/BoardGrid.h"
#include "model/GroupList.h"
#include "model/GroupShapes.h"
#include "model/Liberties.h"
#include "model/StoneGroup.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

class CGamePosition {
public:
    CGamePosition();
    ~CGamePosition();
    CGamePosition(const CGamePosition&) = delete;
    CGamePosition& operator=(const CGamePosition&) = delete;

    // Value of cell (x, y). Requires 0 <= x * 22 + y < 968: the reads past the
    // indicator cells, (22, 20), (22, 21) and (21, 22), land in the guard
    // block, which always holds PT_EMPTY.
    PointValue ValueAt(int x, int y) const { return ValueAtIndex(CellIndex(x, y)); }

    // Writes cell (x, y) of the grid, 0 <= x, y <= 21; the groups are left as
    // they are (AddStoneToGroups attaches a written point).
    void SetValueAt(int x, int y, PointValue value) { SetCell(CellIndex(x, y), value); }

    // Border cells (x or y is 0, 20 or 21) to PT_EDGE, all others to PT_EMPTY.
    void ResetBoard();

    // Attaches (x, y), a board point or an indicator cell, to the groups.
    // A point holding PT_EMPTY (one a removal has just cleared) is left alone.
    // Matching neighbours that no group holds are passed over; when none is
    // held, the point starts a new group at the tail. Writes no cell.
    void AddStoneToGroups(int x, int y);

    // Number of distinct empty cells next to the group's points.
    std::int32_t CountLiberties(StoneGroup group) const;

    // Sets m_nCapturesBefore to m_nCaptures, then captures every group that
    // has no liberty at the moment it is judged, counting each in m_nCaptures.
    void SweepCaptures();

    // Clears every group that holds (x, y), a board point, from the board and
    // the list, flower stones included. Counters and record stay untouched.
    void RemoveGroupAt(int x, int y);

    // Destroys every group, head first.
    void ClearGroups();

    // ClearGroups, then ResetBoard.
    void ResetPosition();

    // The groups from head to tail, each as its points.
    class GroupRange;
    GroupRange GetGroups() const;

    // Board and groups in a compact form, to come back to later. Counters are
    // not part of it. The group list is kept in segments of consecutive
    // groups; a snapshot shares, with the one taken before it, the leading
    // segments whose groups nothing touched in between (in a long game, the
    // many groups that passes and bombs leave near the head).
    class CSnapshot {
    public:
        // Bytes held, the bytes of the segments shared with pEarlier (a
        // snapshot this one may share with; null for none) not counted.
        std::size_t GetByteSizeBeyond(const CSnapshot* pEarlier) const;

    private:
        friend class CGamePosition;
        using Segment = std::vector<std::uint8_t>;
        std::uint64_t m_nSerial = 0;  // unique among the snapshots of a process
        std::vector<std::uint8_t> m_board;
        std::vector<std::shared_ptr<const Segment>> m_segments;
    };
    // Sizes that trade memory for speed; tests make them small so that every
    // path runs. Set them while the position holds no group.
    static constexpr std::uint32_t MAX_SEGMENT_GROUPS = 4096;
    struct Tuning {
        // Groups a snapshot segment holds: small enough that a touch near the
        // head re-encodes little, large enough that a segment of the groups
        // passes and bombs leave outweighs its own bookkeeping. At most
        // MAX_SEGMENT_GROUPS.
        std::uint32_t nSegmentGroups = MAX_SEGMENT_GROUPS;
        // Shared groups of a cell from which the cell finds its first group
        // by a heap of stamps rather than by looking at each; at least 2.
        std::uint32_t nHeapRuns = 8;
    };
    void SetTuning(Tuning tuning);
    // pEarlier, when not null, is a snapshot to share segments with: those it
    // holds as they stand, if it is the one this position took or restored
    // last. The snapshot becomes the one taken last. May throw
    // std::bad_alloc: the position is then as it was, and shares with no
    // snapshot.
    CSnapshot TakeSnapshot(const CSnapshot* pEarlier = nullptr);
    // The points of the groups TakeSnapshot(pEarlier) would encode rather
    // than share: what taking it costs (a group that lists a point again and
    // again costs every entry).
    std::size_t PointsToEncode(const CSnapshot* pEarlier) const;
    // Board and groups as they were when snapshot was taken; counters untouched.
    // Restoring the snapshot taken or restored last rebuilds only the groups
    // touched since. May throw std::bad_alloc: the position is then half
    // built (ResetPosition makes it sound) and shares with no snapshot.
    void RestoreSnapshot(const CSnapshot& snapshot);

    // Grows with every change of board or groups: a caller that remembers it
    // can tell whether anything changed the position since.
    std::uint64_t GetChangeCount() const { return m_nChanges; }

    // A debugging and test aid, linear in the board and the group entries.
    // Returns an empty string when the position is sound, else the first
    // fault found, naming its cell or group. Sound means: every cell holds a
    // value its place allows and the guard block is empty; every group is a
    // connected chain of board points or of indicator cells; each part agrees
    // with the board and the group list (see the parts' headers); every black
    // or white stone on the board is held by a group. Every state the rules
    // reach passes: a point held by two groups, a flower stone held by none, a
    // group still listing a point that a capture emptied.
    std::string CheckConsistency() const;

private:
    BoardGrid m_cells{};

public:
    // Read by the view; written through SetValueAt and the operations above.
    const BoardGrid& m_board = m_cells;
    std::int32_t m_nCaptures = 0;        // groups captured since the game was emptied
    std::int32_t m_nCapturesBefore = 0;  // m_nCaptures when the latest sweep began

private:
    PointValue ValueAtIndex(int nCell) const;
    void SetCell(int nCell, PointValue value);

    // A new group at the tail whose only point is nCell. May throw
    // std::bad_alloc, nothing then changed.
    GroupId StartGroupAt(int nCell);
    // The newest group, a member of no shape yet, takes the shape of cells.
    void JoinShape(GroupId id, const CCellSet& cells);
    // Source's points after target's; source goes. Its cells are added to
    // pending: the target takes its new shape when it moves to the tail.
    void MergeInto(GroupId target, GroupId source, CCellSet& pending);
    // Takes the group out of its shape and frees it; its points' cells are
    // left as they are.
    void DestroyGroup(GroupId id);
    // Takes the group out of its shape, then empties its cells (but for
    // flower stones, with bKeepFlowers), then frees it: emptying the cells
    // adjusts only the groups that stay.
    void TakeOffBoard(GroupId id, bool bKeepFlowers);
    // Counts the group as captured and takes it off the board (its flower
    // stones stay) and out of the list.
    void Capture(GroupId id);
    // The sweep's first judgement of a shape's first member, if it has one.
    void QueueJudgement(ShapeId shape);

    // Every change to a group's points or place goes through Touch first: the
    // groups with a stamp below the first touched one are as the latest
    // snapshot taken or restored saw them, and so are the parts of it that
    // hold them.
    void Touch(GroupId id) { m_nFirstTouchedStamp = std::min(m_nFirstTouchedStamp, m_groups[id].nStamp); }
    void ForgetSnapshotBase();
    void StartSnapshotBase(std::uint64_t nSerial);
    // How many leading segments of the base snapshot still hold what the list
    // holds; 0 unless base is the snapshot taken or restored last.
    std::size_t UntouchedBaseSegments(const CSnapshot& base) const;
    void DecodeSegment(const std::vector<std::uint8_t>& bytes);

    BoardGrid m_guard{};  // never written: PT_EMPTY throughout

    CGroupList m_groups;
    CGroupShapes m_shapes;
    CLiberties m_liberties;
    std::uint64_t m_nChanges = 0;
    Tuning m_tuning;

    // The sweep's working queue: the first members of shapes without a
    // liberty, by stamp.
    struct Judgement {
        std::uint64_t nStamp;
        GroupId id;
        ShapeId shape;
        std::uint64_t nShapeBirth;
        friend bool operator>(const Judgement& a, const Judgement& b) { return a.nStamp > b.nStamp; }
    };
    std::vector<Judgement> m_judgements;

    // The snapshot taken or restored last, while the groups descend from it:
    // its serial number and, for each of its segments, the last group the
    // segment holds, with that group's stamp, and the points held so far.
    struct SegmentEnd {
        GroupId id;
        std::uint64_t nStamp;
        std::size_t nPointsThrough;  // points of the groups in this segment and those before it
    };
    std::uint64_t m_nBaseSerial = 0;
    std::vector<SegmentEnd> m_baseSegmentEnds;
    std::uint64_t m_nFirstTouchedStamp = 0;
    std::vector<std::uint8_t> m_segmentScratch;  // TakeSnapshot's working buffer

    friend class GroupRange;
};

class CGamePosition::GroupRange {
public:
    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = StoneGroup;
        using difference_type = std::ptrdiff_t;
        using reference = StoneGroup;
        using pointer = void;

        iterator() = default;
        StoneGroup operator*() const { return (*m_pGroups)[m_id].points.Points(); }
        iterator& operator++()
        {
            m_id = (*m_pGroups)[m_id].next;
            return *this;
        }
        iterator operator++(int)
        {
            iterator before = *this;
            ++*this;
            return before;
        }
        friend bool operator==(const iterator& a, const iterator& b) { return a.m_id == b.m_id; }

    private:
        friend class GroupRange;
        iterator(const CGroupList* pGroups, GroupId id) : m_pGroups(pGroups), m_id(id) {}
        const CGroupList* m_pGroups = nullptr;
        GroupId m_id = NO_GROUP;
    };

    iterator begin() const { return {m_pGroups, m_pGroups->Head()}; }
    iterator end() const { return {m_pGroups, NO_GROUP}; }
    std::size_t size() const { return m_pGroups->GroupCount(); }
    bool empty() const { return size() == 0; }

    // Same groups with the same points, in the same order.
    friend bool operator==(const GroupRange& a, const GroupRange& b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](StoneGroup g, StoneGroup h) {
                   return std::equal(g.begin(), g.end(), h.begin(), h.end());
               });
    }

private:
    friend class CGamePosition;
    explicit GroupRange(const CGroupList* pGroups) : m_pGroups(pGroups) {}
    const CGroupList* m_pGroups;
};

inline CGamePosition::GroupRange CGamePosition::GetGroups() const
{
    return GroupRange(&m_groups);
}
