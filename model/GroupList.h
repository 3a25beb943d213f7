// The groups of a position in list order: a pool of nodes, each holding one
// group's points, linked from head (the group made or extended longest ago)
// to tail.
//
// Invariant (CheckConsistency): the links run both ways and end at the head
// and the tail; every listed group holds at least one point; stamps grow
// strictly from head to tail and stay below the next one to be handed out;
// the group and point counts are those of the list.
//
// A stamp orders groups as the list does, so "the first of these groups" is
// the one with the smallest stamp, found without walking the list. A group
// moved to the tail gets a new stamp; its birth stamp, given when it is made,
// stays, and tells a node reused for another group from the one it held.
//
// Nodes come in chunks of fixed size that never move, so that the many
// one-point groups of a long record (a pass or a bomb each) cost no
// allocation of their own once freed nodes are reused.
#pragma once

#include "model/PointStore.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using GroupId = std::uint32_t;
inline constexpr GroupId NO_GROUP = 0xFFFF'FFFF;

class CGroupList {
public:
    struct Node {
        GroupId prev = NO_GROUP;
        GroupId next = NO_GROUP;
        std::uint64_t nStamp = 0;  // 0 while the node is free
        std::uint64_t nBirth = 0;  // the stamp the group was made with
        CPointStore points;
    };

    CGroupList() = default;
    CGroupList(const CGroupList&) = delete;
    CGroupList& operator=(const CGroupList&) = delete;

    Node& operator[](GroupId id) { return m_chunks[id >> CHUNK_BITS][id & CHUNK_MASK]; }
    const Node& operator[](GroupId id) const { return m_chunks[id >> CHUNK_BITS][id & CHUNK_MASK]; }
    bool IsListed(GroupId id) const { return (*this)[id].nStamp != 0; }

    GroupId Head() const { return m_nHead; }
    GroupId Tail() const { return m_nTail; }
    std::size_t GroupCount() const { return m_nGroups; }
    std::size_t PointCount() const { return m_nPoints; }  // of all groups, repeats included
    // One more than the largest id handed out: sizes arrays kept by id.
    GroupId IdLimit() const { return m_nNodes; }

    // A group with no points yet, at the tail, with the newest stamp. May
    // throw std::bad_alloc, the list then unchanged.
    GroupId NewAtTail()
    {
        const GroupId id = m_nFreeHead != NO_GROUP ? m_nFreeHead : AllocateFreshNode();
        Node& node = (*this)[id];
        if (id == m_nFreeHead)
            m_nFreeHead = node.next;
        node.prev = m_nTail;
        node.next = NO_GROUP;
        node.nStamp = node.nBirth = ++m_nNextStamp;
        (m_nTail == NO_GROUP ? m_nHead : (*this)[m_nTail].next) = id;
        m_nTail = id;
        ++m_nGroups;
        return id;
    }
    // To the tail, with the newest stamp (even when it is the tail already).
    void MoveToTail(GroupId id);
    // May throw std::bad_alloc, the points then unchanged.
    void AddPoint(GroupId id, CPoint point)
    {
        (*this)[id].points.Add(point);
        ++m_nPoints;
    }
    // target's points followed by source's; source is left empty, still
    // listed. May throw std::bad_alloc, both then unchanged.
    void JoinPoints(GroupId target, GroupId source) { (*this)[target].points.Join((*this)[source].points); }
    // Takes the group out of the list and gives its points back.
    void Free(GroupId id);
    // Frees every group; keeps the chunks for the next game unless a long
    // one left many.
    void Clear();

    std::string CheckConsistency() const;

private:
    static constexpr int CHUNK_BITS = 10;
    static constexpr GroupId CHUNK_MASK = (GroupId{1} << CHUNK_BITS) - 1;

    // The rare half of NewAtTail, out of line so that reusing a freed node
    // inlines where groups are made.
    [[gnu::noinline]] GroupId AllocateFreshNode();

    std::vector<std::unique_ptr<Node[]>> m_chunks;
    GroupId m_nNodes = 0;  // nodes handed out of the chunks so far
    GroupId m_nFreeHead = NO_GROUP;
    GroupId m_nHead = NO_GROUP;
    GroupId m_nTail = NO_GROUP;
    std::size_t m_nGroups = 0;
    std::size_t m_nPoints = 0;
    std::uint64_t m_nNextStamp = 0;
};
