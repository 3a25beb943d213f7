#include "GroupList.h"

GroupId CGroupList::AllocateFreshNode()
{
    if ((m_nNodes >> CHUNK_BITS) == m_chunks.size())
        m_chunks.push_back(std::make_unique<Node[]>(std::size_t{1} << CHUNK_BITS));
    return m_nNodes++;
}

void CGroupList::MoveToTail(GroupId id)
{
    Node& node = (*this)[id];
    node.nStamp = ++m_nNextStamp;
    if (id == m_nTail)
        return;
    (node.prev == NO_GROUP ? m_nHead : (*this)[node.prev].next) = node.next;
    (*this)[node.next].prev = node.prev;
    node.prev = m_nTail;
    node.next = NO_GROUP;
    (*this)[m_nTail].next = id;
    m_nTail = id;
}

void CGroupList::Free(GroupId id)
{
    Node& node = (*this)[id];
    m_nPoints -= node.points.GetSize();
    node.points.Release();
    (node.prev == NO_GROUP ? m_nHead : (*this)[node.prev].next) = node.next;
    (node.next == NO_GROUP ? m_nTail : (*this)[node.next].prev) = node.prev;
    node.nStamp = 0;
    node.prev = NO_GROUP;
    node.next = m_nFreeHead;
    m_nFreeHead = id;
    --m_nGroups;
}

void CGroupList::Clear()
{
    for (GroupId id = m_nHead; id != NO_GROUP; id = (*this)[id].next) {
        (*this)[id].points.Release();
        (*this)[id].nStamp = 0;
    }
    if (m_chunks.size() > 64)
        m_chunks.clear();
    m_nNodes = 0;
    m_nFreeHead = m_nHead = m_nTail = NO_GROUP;
    m_nGroups = 0;
    m_nPoints = 0;
}

std::string CGroupList::CheckConsistency() const
{
    std::size_t nGroups = 0;
    std::size_t nPoints = 0;
    std::uint64_t nLastStamp = 0;
    GroupId prev = NO_GROUP;
    for (GroupId id = m_nHead; id != NO_GROUP; prev = id, id = (*this)[id].next) {
        const std::string where = "group " + std::to_string(nGroups) + " from the head";
        if (id >= m_nNodes)
            return where + " has an id never handed out";
        if (++nGroups > m_nGroups)
            return "the list holds more groups than the " + std::to_string(m_nGroups) + " counted";
        const Node& node = (*this)[id];
        if (node.prev != prev)
            return where + " does not link back to the one before";
        if (node.points.GetSize() == 0)
            return where + " is empty";
        if (node.nStamp <= nLastStamp || node.nStamp > m_nNextStamp || node.nBirth > node.nStamp)
            return where + " has a stamp out of list order";
        nLastStamp = node.nStamp;
        nPoints += node.points.GetSize();
    }
    if (nGroups != m_nGroups)
        return "the list holds " + std::to_string(nGroups) + " groups, " + std::to_string(m_nGroups) + " counted";
    if (m_nTail != prev)
        return "the tail is not the last group of the list";
    if (nPoints != m_nPoints)
        return "the groups hold " + std::to_string(nPoints) + " points, " + std::to_string(m_nPoints) + " counted";
    return {};
}
