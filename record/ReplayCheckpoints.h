// Snapshots of the replayed position at entries along the record, so that a
// step back, a go to end or any other jump replays a short stretch instead of
// the whole record from the empty board.
//
// A checkpoint at entry n is the position replay reaches from the empty board
// after the first n entries, with the captures that replay makes: it stays
// valid as long as those entries do. Checkpoints are taken every so many
// entries; the spacing doubles (and every other checkpoint goes) whenever
// they would take more than their memory budget, so a record of any length
// or shape keeps them bounded.
#pragma once

#include "model/GamePosition.h"
#include "record/MoveRecord.h"

#include <cstdint>
#include <vector>

class CReplayCheckpoints {
public:
    struct Checkpoint {
        int nEntry;                   // entries replayed
        std::int32_t nCaptures;       // captures the replay of those entries makes
        MovePoint lastEntry;          // the last of them, to catch a record changed behind the document's back
        CGamePosition::CSnapshot snapshot;
    };

    explicit CReplayCheckpoints(int nSpacing = 1024, std::size_t nBudgetBytes = 8u << 20)
        : m_nInitialSpacing(nSpacing), m_nSpacing(nSpacing), m_nBudgetBytes(nBudgetBytes)
    {
    }

    // Whether a checkpoint at nEntry is due: on the spacing, after the last
    // one. A spacing of 0 takes none.
    bool IsDue(int nEntry) const
    {
        return m_nSpacing > 0 && nEntry % m_nSpacing == 0 &&
               (m_checkpoints.empty() || nEntry > m_checkpoints.back().nEntry);
    }
    // Whether a checkpoint at nEntry, whose snapshot must encode the groups
    // of nPoints points, comes far enough after the last one that taking
    // snapshots costs each replayed entry a small share of one.
    bool IsWorthTaking(int nEntry, std::size_t nPoints) const
    {
        const int nLast = m_checkpoints.empty() ? 0 : m_checkpoints.back().nEntry;
        return static_cast<std::size_t>(nEntry - nLast) * 8 >= nPoints;
    }
    // Requires a checkpoint after the last one. Its snapshot may share parts
    // with the last one's; memory counts them once.
    void Add(Checkpoint checkpoint);
    const Checkpoint* GetLast() const { return m_checkpoints.empty() ? nullptr : &m_checkpoints.back(); }

    // The latest checkpoint at or before nEntry that still holds for moves:
    // its entries lie within the record and the last of them is the record's.
    // One that does not (the record changed and nobody dropped it) would
    // bring back a position of another game: it is dropped, with every
    // checkpoint after it, and an earlier one is looked for. Null when none
    // is left.
    const Checkpoint* LatestAtOrBefore(int nEntry, const MoveRecord& moves);

    // Forgets the checkpoints after nEntry (the record changed from there on).
    void DropAfter(int nEntry);
    void Clear();

    int GetSpacing() const { return m_nSpacing; }
    std::size_t GetCount() const { return m_checkpoints.size(); }
    std::size_t GetByteSize() const { return m_nBytes; }

private:
    void Thin();

    int m_nInitialSpacing;
    int m_nSpacing;
    std::size_t m_nBudgetBytes;
    std::size_t m_nBytes = 0;
    std::vector<Checkpoint> m_checkpoints;  // by entry, ascending
};
