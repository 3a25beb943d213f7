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
// none.
//
// What makes it quick without changing a result:
//  - each board cell knows the groups that list it (with repeats), and the
//    first of several is found by the groups' stamps, which grow along the
//    list; the two indicator cells keep their groups in list order;
//  - each board group counts its liberties with repeats (one for every empty
//    neighbour of every entry), kept up to date as cells change, so "has a
//    liberty" costs nothing; the sweep judges, in list order, only the groups
//    whose count reached 0 since the last sweep, which are the only ones the
//    literal sweep can capture (a sweep only ever frees cells);
//  - groups live in a pool, one-point groups without an allocation of their
//    own, so the groups that passes and bombs leave cost little.
#pragma once

#include "model/BoardGrid.h"
#include "model/PointStore.h"
#include "model/StoneGroup.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CGamePosition {
public:
    using GroupId = std::uint32_t;

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

    // ResetBoard, then ClearGroups.
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
        // Points from which a board group keeps a set of the cells it lists.
        std::uint32_t nCellSetPoints = 64;
        // Runs of holders from which a cell finds its first group by a heap
        // of stamps rather than by looking at each; at least 2.
        std::uint32_t nHeapRuns = 8;
    };
    void SetTuning(Tuning tuning);
    // pEarlier, when not null, is a snapshot to share segments with: those it
    // holds as they stand, if it is the one this position took or restored
    // last. The snapshot becomes the one taken last.
    CSnapshot TakeSnapshot(const CSnapshot* pEarlier = nullptr);
    // The points of the groups TakeSnapshot(pEarlier) would encode rather
    // than share: what taking it costs (a group that lists a point again and
    // again costs every entry).
    std::size_t PointsToEncode(const CSnapshot* pEarlier) const;
    // Board and groups as they were when snapshot was taken; counters untouched.
    // Restoring the snapshot taken or restored last rebuilds only the groups
    // touched since.
    void RestoreSnapshot(const CSnapshot& snapshot);

    // Grows with every change of board or groups: a caller that remembers it
    // can tell whether anything changed the position since.
    std::uint64_t GetChangeCount() const { return m_nChanges; }

    // A debugging and test aid, linear in the board and the group entries.
    // Returns an empty string when the position is sound, else the first
    // fault found, naming its cell or group. Sound means: every cell holds a
    // value its place allows and the guard block is empty; every group is a
    // connected chain of board points or of indicator cells; what each cell
    // knows of the groups listing it, the indicator cells' group order, the
    // stamps, each board group's liberty count, and the groups waiting to be
    // judged agree with the group list; every black or white stone on the
    // board is held by a group. Every state the rules reach passes: a point held by
    // two groups, a flower stone held by none, a group still listing a point
    // that a capture emptied.
    std::string CheckConsistency() const;

private:
    BoardGrid m_cells{};

public:
    // Read by the view; written through SetValueAt and the operations above.
    const BoardGrid& m_board = m_cells;
    std::int32_t m_nCaptures = 0;        // groups captured since the game was emptied
    std::int32_t m_nCapturesBefore = 0;  // m_nCaptures when the latest sweep began

private:
    static constexpr GroupId NO_GROUP = 0xFFFF'FFFF;
    static constexpr GroupId FREE_NODE = 0xFFFF'FFFE;   // prev of a node in the free list
    static constexpr GroupId NOT_LISTED = 0xFFFF'FFFE;  // mark link of a group not on that mark's list
    static constexpr int MARK_KINDS = 2;                 // the pass and the bomb indicator cells

    struct GroupNode {
        GroupId prev = NO_GROUP;
        GroupId next = NO_GROUP;
        std::uint64_t nStamp = 0;  // grows along the list; a group moved to the tail gets a new one
        union {
            struct {
                std::uint64_t nBirth;  // the stamp the group was made with: which group the node holds
            } board;
            struct {
                GroupId prev[MARK_KINDS];  // the indicator cells' lists, in list order
                GroupId next[MARK_KINDS];
            } marks;
        };
        CPointStore points;
    };

    static constexpr int CHUNK_BITS = 10;

    GroupNode& Node(GroupId id) { return m_chunks[id >> CHUNK_BITS][id & ((1u << CHUNK_BITS) - 1)]; }
    const GroupNode& Node(GroupId id) const { return m_chunks[id >> CHUNK_BITS][id & ((1u << CHUNK_BITS) - 1)]; }
    bool IsMarkGroup(const GroupNode& node) const { return node.points.Front().x > BOARD_SIZE; }

    PointValue ValueAtIndex(int nCell) const;
    void SetCell(int nCell, PointValue value);
    int EmptyNeighbours(int nCell) const;
    // Queues the groups next to nCell whose liberty count is 0.
    [[gnu::noinline]] void AwaitJudgementAround(int nCell);
    // The rare half of AllocateNode, kept out of line so that the common
    // half (reusing a freed node) is inlined where groups are made.
    [[gnu::noinline]] GroupId AllocateFreshNode();
    void RecountLiberties();

    GroupId AllocateNode();
    GroupId NewGroupAtTail();
    void MoveToTail(GroupId id);
    void LinkMark(GroupId id, int nKind);
    void UnlinkMark(GroupId id, int nKind);
    void AppendPoint(GroupId id, int nCell);
    // AppendPoint(NewGroupAtTail(), nCell) for a board point, as most stones
    // of a long record start a group of their own: a fresh group needs no
    // touch (its stamp is the newest) and no check of its run of holders.
    void StartGroupAt(int nCell);
    // AppendPoint's rarer parts, out of line for the same reason: a point on
    // an indicator cell, and a point of a group large enough to keep a set
    // of its cells (the group already holds the point).
    [[gnu::noinline]] void AppendMarkPoint(GroupId id, int nCell, int nKind);
    [[gnu::noinline]] void AddToCellSet(GroupId id, int nCell);
    void MergeInto(GroupId target, GroupId source);
    void DestroyGroup(GroupId id);
    // Takes board group id off the holders of its cells (and drops its cell
    // set); its points stay until the node is freed.
    void ForgetHolders(GroupId id);
    void FreeNode(GroupId id);
    void ClearGroupFromBoard(GroupId id, bool bKeepFlowers);
    // A group still in the list, of board points, with no liberty left.
    bool IsBoardGroupWithoutLiberty(GroupId id) const;
    // Counts the group as captured and takes it off the board (its flower
    // stones stay) and out of the list.
    void Capture(GroupId id);
    GroupId FindGroupAt(int nCell);

    // Every change to a group's points or place goes through Touch first: the
    // groups with a stamp below the first touched one are as the latest
    // snapshot taken or restored saw them, and so are the parts of it that
    // hold them.
    void Touch(const GroupNode& node) { m_nFirstTouchedStamp = std::min(m_nFirstTouchedStamp, node.nStamp); }
    void ForgetSnapshotBase();
    void StartSnapshotBase(std::uint64_t nSerial);
    // How many leading segments of the base snapshot still hold what the list
    // holds; 0 unless base is the snapshot taken or restored last.
    std::size_t UntouchedBaseSegments(const CSnapshot& base) const;
    void DecodeSegment(const std::vector<std::uint8_t>& bytes);

    BoardGrid m_guard{};  // never written: PT_EMPTY throughout

    std::vector<std::unique_ptr<GroupNode[]>> m_chunks;
    // Of each board group's node, by id: the empty neighbours of its entries,
    // with repeats. Kept apart from the nodes, as a cell that changes adjusts
    // every group next to it and that is the replay's busiest write.
    std::vector<std::int32_t> m_liberties;
    GroupId m_nNodes = 0;  // nodes handed out of the chunks so far
    GroupId m_nFreeHead = NO_GROUP;
    GroupId m_nHead = NO_GROUP;
    GroupId m_nTail = NO_GROUP;
    std::size_t m_nGroups = 0;
    std::size_t m_nPoints = 0;  // of all groups, repeats included
    std::uint64_t m_nNextStamp = 0;
    std::uint64_t m_nChanges = 0;

    // Board cells: the groups listing each, in runs of one group's entries
    // (a stone replayed again and again onto one point makes many).
    struct Holder {
        GroupId id;
        std::uint32_t nEntries;
    };
    // Past the grid, as far as a neighbour of a cell of the last column
    // reaches, lists that stay empty: a cell's neighbours after it are read
    // without a bounds check.
    std::array<std::vector<Holder>, GRID_CELLS + GRID_SIZE> m_holders;
    // And for finding the first of them, the groups of each cell listed in
    // m_tuning.nHeapRuns runs or more in a heap by stamp, the smallest on
    // top (fewer runs are looked at one by one). An entry goes stale when its
    // group moves to the tail (it is put back with its new stamp when it
    // comes to the top) or goes (it is dropped then); the heap is rebuilt
    // from the holders when the cell reaches that many runs, and when stale
    // entries outnumber them.
    struct StampEntry {
        std::uint64_t nStamp;
        GroupId id;
        std::uint64_t nBirth;
        friend bool operator>(const StampEntry& a, const StampEntry& b) { return a.nStamp > b.nStamp; }
    };
    // A cell of one group finds it without the heap, which is then left as
    // it is and built afresh when a second group comes.
    void PushStampEntry(int nCell, GroupId id)
    {
        if (m_holders[nCell].size() >= m_tuning.nHeapRuns)
            PushStampEntryToHeap(nCell, id);
    }
    void PushStampEntryToHeap(int nCell, GroupId id);
    std::array<std::vector<StampEntry>, GRID_CELLS> m_stampHeaps;

    // The cells a board group of m_tuning.nCellSetPoints points or more
    // lists, so that a merge or a capture visits each once without walking
    // the repeats; smaller groups have none.
    using CellSet = std::bitset<GRID_CELLS>;
    std::unordered_map<GroupId, CellSet> m_cellSets;
    // The cells board group id lists, each once.
    CellSet CellsOf(GroupId id) const;
    template <typename Visit>
    void ForEachCellOf(GroupId id, Visit visit) const
    {
        const CPointStore& points = Node(id).points;
        if (points.GetSize() == 1) {  // most groups a replay takes off are single stones
            visit(CellIndex(points.Front().x, points.Front().y));
            return;
        }
        if (points.GetSize() >= m_tuning.nCellSetPoints) {
            const CellSet& cells = m_cellSets.at(id);
            for (std::size_t nCell = cells._Find_first(); nCell < cells.size(); nCell = cells._Find_next(nCell))
                visit(static_cast<int>(nCell));
            return;
        }
        CellSet visited;
        for (const CPoint point : points.Points()) {
            const int nCell = CellIndex(point.x, point.y);
            if (!visited[nCell]) {
                visited.set(nCell);
                visit(nCell);
            }
        }
    }
    // The indicator cells: entries naming each, and their groups in list order.
    std::array<std::int64_t, MARK_KINDS> m_nMarkEntries{};
    std::array<GroupId, MARK_KINDS> m_markHead{NO_GROUP, NO_GROUP};
    std::array<GroupId, MARK_KINDS> m_markTail{NO_GROUP, NO_GROUP};
    // Board groups whose liberty count reached 0 since the last sweep (some
    // may have gained one again or gone since).
    std::vector<GroupId> m_pendingJudgement;
    std::vector<GroupId> m_judging;  // the sweep's working list

    // The snapshot taken or restored last, while the groups descend from it:
    // its serial number and, for each of its segments, the last group the
    // segment holds, with that group's stamp, and the groups held so far.
    struct SegmentEnd {
        GroupId id;
        std::uint64_t nStamp;
        std::size_t nPointsThrough;  // points of the groups in this segment and those before it
    };
    Tuning m_tuning;
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
        StoneGroup operator*() const { return m_pPosition->Node(m_id).points.Points(); }
        iterator& operator++()
        {
            m_id = m_pPosition->Node(m_id).next;
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
        iterator(const CGamePosition* pPosition, GroupId id) : m_pPosition(pPosition), m_id(id) {}
        const CGamePosition* m_pPosition = nullptr;
        GroupId m_id = NO_GROUP;
    };

    iterator begin() const { return {m_pPosition, m_pPosition->m_nHead}; }
    iterator end() const { return {m_pPosition, NO_GROUP}; }
    std::size_t size() const { return m_pPosition->m_nGroups; }
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
    explicit GroupRange(const CGamePosition* pPosition) : m_pPosition(pPosition) {}
    const CGamePosition* m_pPosition;
};

inline CGamePosition::GroupRange CGamePosition::GetGroups() const
{
    return GroupRange(this);
}
