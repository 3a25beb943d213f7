// The cells each group lists, and for each cell the groups that list it,
// kept by shape: a shape is a set of cells, and a group's shape is the set
// of cells its points name, each once however often it lists it.
//
// Groups of one shape stand and fall together (a group has a liberty when
// one of its cells has an empty neighbour), and of several groups listing a
// cell only the first in list order is ever "the group that holds" it. A
// record that puts stones again and again on a few points makes many groups
// of a few shapes; keeping each cell's shapes, not its groups, keeps what a
// changed cell or a search for the first group costs in proportion to the
// shapes, whatever the number of groups.
//
//  - Every cell has its one-cell shape, always there (most groups are one
//    stone); a larger shape exists while a group has it.
//  - A shape's members are in list order. A group joins a shape only as the
//    newest group (made or moved to the tail just then), so joining is
//    appending; a group leaves from anywhere.
//  - The first group of a cell is the first member, of smallest stamp, of
//    the shapes listing it. A cell with few shapes looks at each; one with
//    more keeps a heap of their first members' stamps, smallest on top. A
//    heap entry goes stale when its shape's first member leaves or moves to
//    the tail (it is put back with the new first stamp when it comes to the
//    top), or when the shape goes (it is dropped then); the heap is rebuilt
//    when stale entries outnumber the shapes.
//
// Invariant (CheckConsistency): every listed group is a member of exactly
// the shape of its points' cells, and each shape's members are in list
// order; every shape is listed at exactly its cells, a larger shape only
// while it has members, and found by its cells under no other shape; a cell
// with a heap has an entry for each of its shapes with members whose stamp
// is at most its first member's.
#pragma once

#include "model/BoardGrid.h"
#include "model/CellSet.h"
#include "model/GroupList.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

using ShapeId = std::uint32_t;
inline constexpr ShapeId NO_SHAPE = 0xFFFF'FFFF;

class CGroupShapes {
public:
    struct Shape {
        CCellSet cells;
        int nFirstCell = -1;           // of the cells, the smallest; -1 while the shape is free
        std::uint64_t nBirth = 0;      // tells a reused shape from the one an entry names
        GroupId firstMember = NO_GROUP;
        GroupId lastMember = NO_GROUP;
    };

    CGroupShapes();

    // Shapes of a cell from which the cell finds its first group by a heap;
    // at least 2.
    void SetHeapThreshold(std::uint32_t nShapes) { m_nHeapThreshold = nShapes; }

    const Shape& operator[](ShapeId id) const { return m_shapes[id]; }
    ShapeId ShapeLimit() const { return static_cast<ShapeId>(m_shapes.size()); }
    ShapeId ShapeOf(GroupId id) const { return m_members[id].shape; }
    // The one-cell shape of nCell, which every grid cell has.
    static ShapeId CellShape(int nCell) { return static_cast<ShapeId>(nCell); }
    GroupId NextMember(GroupId id) const { return m_members[id].next; }
    // The shapes listing the cell; those of no member may be among them.
    std::span<const ShapeId> ShapesAt(int nCell) const { return m_cells[nCell].shapes; }
    // Whether a group lists the cell.
    bool IsHeld(int nCell) const;
    // Whether the cell's own shape has members, and whether larger shapes
    // list the cell, from a byte a cell: asked whenever a cell opens or
    // closes. A larger shape always has members.
    bool HasOwnMembers(int nCell) const { return m_kinds[nCell] & OWN_MEMBERS; }
    bool HasLarger(int nCell) const { return m_kinds[nCell] & LARGER; }
    // The larger shapes listing the cell.
    std::span<const ShapeId> LargerShapesAt(int nCell) const { return ShapesAt(nCell).subspan(1); }

    // The group with the smallest stamp that lists the cell; NO_GROUP for none.
    GroupId FirstGroup(int nCell, const CGroupList& groups);

    // The shape of exactly these cells, made (and listed at them) when there
    // is none: made tells. May throw std::bad_alloc, nothing then changed.
    ShapeId FindOrMake(const CCellSet& cells, const CGroupList& groups, bool& bMade);
    // Group id, the newest group and a member of no shape, joins shape as
    // its last member. May throw std::bad_alloc, nothing then changed.
    void Join(GroupId id, ShapeId shape, const CGroupList& groups)
    {
        if (m_members.size() <= id)
            GrowMembers(id);
        Shape& joined = m_shapes[shape];
        if (joined.lastMember != NO_GROUP) {
            assert(groups[joined.lastMember].nStamp < groups[id].nStamp);
            m_members[id] = {shape, joined.lastMember, NO_GROUP};
            m_members[joined.lastMember].next = id;
            joined.lastMember = id;
            return;
        }
        JoinEmpty(id, shape, groups);
    }
    // Group id leaves its shape; a larger shape left without members goes.
    void Leave(GroupId id);
    // Group id, just moved to the tail, lists cells now, its shape's among
    // them: it takes the shape of those cells, as its last member. When it is
    // the only member of a larger shape and no shape of those cells exists,
    // the shape grows in place, so that a chain growing stone by stone costs
    // each stone its new cells only. May throw std::bad_alloc; the position
    // is then to be reset.
    enum class Reshaped { Kept, Joined, Made, Grown };
    ShapeId Reshape(GroupId id, const CCellSet& cells, const CGroupList& groups, Reshaped& how);
    void Clear();

    std::string CheckConsistency(const CGroupList& groups) const;

private:
    struct Member {
        ShapeId shape = NO_SHAPE;
        GroupId prev = NO_GROUP;
        GroupId next = NO_GROUP;
    };
    struct StampEntry {
        std::uint64_t nStamp;
        std::uint64_t nBirth;
        ShapeId shape;
        friend bool operator>(const StampEntry& a, const StampEntry& b) { return a.nStamp > b.nStamp; }
    };
    struct Cell {
        std::vector<ShapeId> shapes;   // its own one-cell shape first
        std::vector<StampEntry> heap;  // kept while shapes has m_nHeapThreshold or more
    };
    struct CellSetHash {
        std::size_t operator()(const CCellSet& cells) const { return cells.Hash(); }
    };

    void PushStamp(int nCell, ShapeId shape, const CGroupList& groups)
    {
        if (m_cells[nCell].shapes.size() >= m_nHeapThreshold)
            PushStampToHeap(nCell, shape, groups);
    }
    // The rare halves of Join and PushStamp, out of line so that the common
    // ones inline where groups are made.
    [[gnu::noinline]] void GrowMembers(GroupId id);
    [[gnu::noinline]] void JoinEmpty(GroupId id, ShapeId shape, const CGroupList& groups);
    [[gnu::noinline]] void PushStampToHeap(int nCell, ShapeId shape, const CGroupList& groups);
    void RebuildHeap(Cell& cell, const CGroupList& groups);
    void FreeShape(ShapeId shape);

    static constexpr std::uint8_t OWN_MEMBERS = 1;
    static constexpr std::uint8_t LARGER = 2;
    void UpdateKind(int nCell);

    std::uint32_t m_nHeapThreshold = 8;
    std::array<std::uint8_t, GRID_CELLS> m_kinds{};  // OWN_MEMBERS and LARGER bits
    std::uint64_t m_nNextBirth = 0;
    std::vector<Shape> m_shapes;         // the one-cell shapes first, by cell
    std::vector<ShapeId> m_freeShapes;
    std::vector<Member> m_members;       // by group id
    std::unordered_map<CCellSet, ShapeId, CellSetHash> m_larger;  // the shapes of two cells or more
    std::array<Cell, GRID_CELLS> m_cells;
};
