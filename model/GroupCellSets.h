// The cells each shared group lists (see CellHolders.h), as a set: a merge or
// a capture visits each cell once however often the group lists it, and
// whether a group lists a cell costs one bit. A lone group has no set: its
// cell is its first point.
//
// Invariant (checked by the position, which knows the points): a group has
// a set exactly when it lists two cells or more, and the set holds exactly
// the cells its points name.
#pragma once

#include "model/CellSet.h"
#include "model/GroupList.h"

#include <cstdint>
#include <vector>

class CGroupCellSets {
public:
    bool Has(GroupId id) const { return id < m_slotOf.size() && m_slotOf[id] != NO_SLOT; }
    const CCellSet& Of(GroupId id) const { return m_sets[m_slotOf[id]]; }
    CCellSet& Of(GroupId id) { return m_sets[m_slotOf[id]]; }
    std::size_t Count() const { return m_sets.size() - m_freeSlots.size(); }

    // An empty set for a group without one. May throw std::bad_alloc, nothing
    // then changed.
    CCellSet& Create(GroupId id)
    {
        if (m_slotOf.size() <= id)
            m_slotOf.resize(std::max<std::size_t>(id + 1, 2 * m_slotOf.size()), NO_SLOT);
        if (m_freeSlots.empty()) {
            m_sets.emplace_back();
            m_freeSlots.push_back(static_cast<std::uint32_t>(m_sets.size() - 1));
        }
        const std::uint32_t nSlot = m_freeSlots.back();
        m_freeSlots.pop_back();
        m_slotOf[id] = nSlot;
        m_sets[nSlot].Clear();
        return m_sets[nSlot];
    }
    void Drop(GroupId id)
    {
        if (!Has(id))
            return;
        m_freeSlots.push_back(m_slotOf[id]);  // room kept since Create
        m_slotOf[id] = NO_SLOT;
    }
    void Clear()
    {
        m_slotOf.clear();
        m_sets.clear();
        m_freeSlots.clear();
    }

private:
    static constexpr std::uint32_t NO_SLOT = 0xFFFF'FFFF;
    std::vector<std::uint32_t> m_slotOf;  // by group id
    std::vector<CCellSet> m_sets;
    std::vector<std::uint32_t> m_freeSlots;
};
