#include "ReplayCheckpoints.h"

#include <algorithm>
#include <cassert>

void CReplayCheckpoints::Add(Checkpoint checkpoint)
{
    assert(m_checkpoints.empty() || checkpoint.nEntry > m_checkpoints.back().nEntry);
    m_nBytes += checkpoint.snapshot.GetByteSizeBeyond(GetLast() ? &GetLast()->snapshot : nullptr);
    m_checkpoints.push_back(std::move(checkpoint));
    while (m_nBytes > m_nBudgetBytes && m_checkpoints.size() > 1)
        Thin();
}

void CReplayCheckpoints::Thin()
{
    m_nSpacing *= 2;
    std::erase_if(m_checkpoints, [this](const Checkpoint& checkpoint) { return checkpoint.nEntry % m_nSpacing != 0; });
    m_nBytes = 0;
    for (std::size_t i = 0; i < m_checkpoints.size(); ++i)
        m_nBytes += m_checkpoints[i].snapshot.GetByteSizeBeyond(i > 0 ? &m_checkpoints[i - 1].snapshot : nullptr);
}

const CReplayCheckpoints::Checkpoint* CReplayCheckpoints::LatestAtOrBefore(int nEntry, const MoveRecord& moves)
{
    for (;;) {
        const auto after = std::upper_bound(m_checkpoints.begin(), m_checkpoints.end(), nEntry,
                                            [](int n, const Checkpoint& checkpoint) { return n < checkpoint.nEntry; });
        if (after == m_checkpoints.begin())
            return nullptr;
        const Checkpoint& checkpoint = *std::prev(after);
        if (checkpoint.nEntry > 0 && checkpoint.nEntry <= moves.GetSize() &&
            moves[checkpoint.nEntry - 1] == checkpoint.lastEntry)
            return &checkpoint;
        DropAfter(checkpoint.nEntry - 1);
    }
}

void CReplayCheckpoints::DropAfter(int nEntry)
{
    while (!m_checkpoints.empty() && m_checkpoints.back().nEntry > nEntry) {
        const std::size_t nCount = m_checkpoints.size();
        m_nBytes -= m_checkpoints.back().snapshot.GetByteSizeBeyond(nCount > 1 ? &m_checkpoints[nCount - 2].snapshot : nullptr);
        m_checkpoints.pop_back();
    }
}

void CReplayCheckpoints::Clear()
{
    m_checkpoints.clear();
    m_nBytes = 0;
    m_nSpacing = m_nInitialSpacing;
}
