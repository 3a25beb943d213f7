// A snapshot is the board, one byte a cell, then the groups from head to
// tail in segments of up to m_tuning.nSegmentGroups groups. Within a segment: a run of
// one-point groups on the indicator cells (what most passes and bombs leave)
// as its length and one bit a group, a run of one-point groups on one board
// point as the point and the run's length, any other group as its size and
// its cells.
#include "GamePosition.h"

#include "model/GridCells.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cassert>
#include <limits>

using namespace grid_cells;

namespace {

enum Token : std::uint8_t { END = 0, RUN_OF_ONE_POINT_GROUPS = 1, GROUP = 2, RUN_OF_MARK_GROUPS = 3 };

std::atomic<std::uint64_t> g_nSnapshotSerials{0};

void PutVarint(std::vector<std::uint8_t>& bytes, std::uint64_t n)
{
    while (n >= 0x80) {
        bytes.push_back(static_cast<std::uint8_t>(n | 0x80));
        n >>= 7;
    }
    bytes.push_back(static_cast<std::uint8_t>(n));
}

void PutCell(std::vector<std::uint8_t>& bytes, int nCell)
{
    bytes.push_back(static_cast<std::uint8_t>(nCell));
    bytes.push_back(static_cast<std::uint8_t>(nCell >> 8));
}

class CReader {
public:
    explicit CReader(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    std::uint8_t Byte() { return m_bytes[m_nAt++]; }
    std::uint64_t Varint()
    {
        std::uint64_t n = 0;
        for (int nShift = 0;; nShift += 7) {
            const std::uint8_t byte = Byte();
            n |= static_cast<std::uint64_t>(byte & 0x7F) << nShift;
            if (!(byte & 0x80))
                return n;
        }
    }
    int Cell()
    {
        const int nLow = Byte();
        return nLow | Byte() << 8;
    }

private:
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_nAt = 0;
};

}  // namespace

std::size_t CGamePosition::CSnapshot::GetByteSizeBeyond(const CSnapshot* pEarlier) const
{
    std::size_t nBytes = m_board.size() + m_segments.size() * sizeof(m_segments[0]);
    for (std::size_t i = 0; i < m_segments.size(); ++i)
        if (!pEarlier || i >= pEarlier->m_segments.size() || pEarlier->m_segments[i] != m_segments[i])
            nBytes += m_segments[i]->size();
    return nBytes;
}

void CGamePosition::ForgetSnapshotBase()
{
    m_nBaseSerial = 0;
    m_baseSegmentEnds.clear();
}

void CGamePosition::StartSnapshotBase(std::uint64_t nSerial)
{
    m_nBaseSerial = nSerial;
    m_nFirstTouchedStamp = std::numeric_limits<std::uint64_t>::max();
}

std::size_t CGamePosition::UntouchedBaseSegments(const CSnapshot& base) const
{
    if (base.m_nSerial == 0 || base.m_nSerial != m_nBaseSerial)
        return 0;
    assert(m_baseSegmentEnds.size() == base.m_segments.size());
    std::size_t nKept = 0;
    while (nKept < m_baseSegmentEnds.size() && m_baseSegmentEnds[nKept].nStamp < m_nFirstTouchedStamp)
        ++nKept;
    return nKept;
}

std::size_t CGamePosition::PointsToEncode(const CSnapshot* pEarlier) const
{
    const std::size_t nKept = pEarlier ? UntouchedBaseSegments(*pEarlier) : 0;
    return m_groups.PointCount() - (nKept > 0 ? m_baseSegmentEnds[nKept - 1].nPointsThrough : 0);
}

CGamePosition::CSnapshot CGamePosition::TakeSnapshot(const CSnapshot* pEarlier)
{
    CSnapshot snapshot;
    snapshot.m_nSerial = ++g_nSnapshotSerials;
    snapshot.m_board.resize(GRID_CELLS);
    std::transform(m_cells.begin(), m_cells.end(), snapshot.m_board.begin(),
                   [](PointValue value) { return static_cast<std::uint8_t>(static_cast<std::int8_t>(value)); });

    const std::size_t nKept = pEarlier ? UntouchedBaseSegments(*pEarlier) : 0;
    if (nKept > 0)
        snapshot.m_segments.assign(pEarlier->m_segments.begin(), pEarlier->m_segments.begin() + nKept);
    // Until the snapshot is whole the position shares with none, so that
    // running out of memory on the way leaves no base that names segment
    // ends of another.
    m_nBaseSerial = 0;
    m_baseSegmentEnds.resize(nKept);
    GroupId id = nKept > 0 ? m_groups[m_baseSegmentEnds.back().id].next : m_groups.Head();

    const auto markKindOfOnePointGroup = [this](GroupId group) {
        const CPointStore& points = m_groups[group].points;
        return points.GetSize() == 1 ? MarkKindOf(CellOf(points.Front())) : -1;
    };
    while (id != NO_GROUP) {
        // Encoded into a buffer kept from one snapshot to the next, then
        // copied once into a segment of exactly its size. (Held in a local
        // while in use, so that appending to it stays in registers.)
        CSnapshot::Segment bytes = std::move(m_segmentScratch);
        bytes.clear();
        GroupId last = id;
        std::uint64_t nGroups = 0;
        std::uint64_t nPoints = 0;  // one-point groups in runs count one each
        while (id != NO_GROUP && nGroups < m_tuning.nSegmentGroups) {
            const CPointStore& points = m_groups[id].points;
            if (markKindOfOnePointGroup(id) >= 0) {
                std::array<std::uint8_t, MAX_SEGMENT_GROUPS / 8> bits{};
                std::uint64_t nRun = 0;
                for (int nKind; id != NO_GROUP && nGroups < m_tuning.nSegmentGroups && (nKind = markKindOfOnePointGroup(id)) >= 0;
                     last = id, id = m_groups[id].next, ++nGroups, ++nRun)
                    bits[nRun / 8] |= static_cast<std::uint8_t>(nKind << (nRun % 8));
                nPoints += nRun;
                bytes.push_back(RUN_OF_MARK_GROUPS);
                PutVarint(bytes, nRun);
                bytes.insert(bytes.end(), bits.begin(), bits.begin() + (nRun + 7) / 8);
                continue;
            }
            if (points.GetSize() == 1) {
                const CPoint point = points.Front();
                std::uint64_t nRun = 0;
                for (; id != NO_GROUP && nGroups < m_tuning.nSegmentGroups && m_groups[id].points.GetSize() == 1 &&
                       m_groups[id].points.Front() == point;
                     last = id, id = m_groups[id].next, ++nGroups)
                    ++nRun;
                nPoints += nRun;
                bytes.push_back(RUN_OF_ONE_POINT_GROUPS);
                PutCell(bytes, CellOf(point));
                PutVarint(bytes, nRun);
                continue;
            }
            nPoints += points.GetSize();
            bytes.push_back(GROUP);
            PutVarint(bytes, points.GetSize());
            for (const CPoint point : points.Points())
                PutCell(bytes, CellOf(point));
            last = id;
            id = m_groups[id].next;
            ++nGroups;
        }
        bytes.push_back(END);
        snapshot.m_segments.push_back(std::make_shared<const CSnapshot::Segment>(bytes.begin(), bytes.end()));
        m_segmentScratch = std::move(bytes);
        const std::size_t nBefore = m_baseSegmentEnds.empty() ? 0 : m_baseSegmentEnds.back().nPointsThrough;
        m_baseSegmentEnds.push_back({last, m_groups[last].nStamp, nBefore + nPoints});
    }
    StartSnapshotBase(snapshot.m_nSerial);
    return snapshot;
}

void CGamePosition::DecodeSegment(const std::vector<std::uint8_t>& bytes)
{
    CReader reader(bytes);
    for (std::uint8_t token = reader.Byte(); token != END; token = reader.Byte()) {
        if (token == RUN_OF_MARK_GROUPS) {
            const std::uint64_t nRun = reader.Varint();
            for (std::uint64_t i = 0; i < nRun; i += 8) {
                const std::uint8_t bits = reader.Byte();
                for (std::uint64_t j = i; j < std::min<std::uint64_t>(i + 8, nRun); ++j)
                    StartGroupAt((bits >> (j - i)) & 1 ? BOMB_CELL : PASS_CELL);
            }
        } else if (token == RUN_OF_ONE_POINT_GROUPS) {
            const int nCell = reader.Cell();
            for (std::uint64_t nRun = reader.Varint(); nRun > 0; --nRun)
                StartGroupAt(nCell);
        } else {
            assert(token == GROUP);
            const GroupId id = m_groups.NewAtTail();
            CCellSet cells;
            for (std::uint64_t nSize = reader.Varint(); nSize > 0; --nSize) {
                const int nCell = reader.Cell();
                m_groups.AddPoint(id, PointOf(nCell));
                cells.Insert(nCell);
            }
            JoinShape(id, cells);
        }
    }
    m_baseSegmentEnds.push_back({m_groups.Tail(), m_groups[m_groups.Tail()].nStamp, m_groups.PointCount()});
}

void CGamePosition::RestoreSnapshot(const CSnapshot& snapshot)
{
    assert(snapshot.m_board.size() == GRID_CELLS);
    const std::size_t nKept = UntouchedBaseSegments(snapshot);
    m_nBaseSerial = 0;  // as in TakeSnapshot, until the position is whole
    if (nKept == 0) {
        ClearGroups();
        for (int nCell = 0; nCell < GRID_CELLS; ++nCell)
            m_cells[nCell] = static_cast<PointValue>(static_cast<std::int8_t>(snapshot.m_board[nCell]));
        m_liberties.Recount(m_cells, m_shapes);
    } else {
        // The groups after the untouched segments go, newest first (lone
        // groups leave their cells from the back); the cells that changed
        // since are put back one by one, which brings the liberties of the
        // groups that stay back with them.
        ++m_nChanges;
        const GroupId lastKept = m_baseSegmentEnds[nKept - 1].id;
        while (m_groups.Tail() != lastKept)
            DestroyGroup(m_groups.Tail());
        m_baseSegmentEnds.resize(nKept);
        for (int nCell = 0; nCell < GRID_CELLS; ++nCell) {
            const auto value = static_cast<PointValue>(static_cast<std::int8_t>(snapshot.m_board[nCell]));
            if (m_cells[nCell] != value)
                SetCell(nCell, value);
        }
    }
    // With the board in place, appending the points counts their liberties.
    for (std::size_t i = nKept; i < snapshot.m_segments.size(); ++i)
        DecodeSegment(*snapshot.m_segments[i]);
    StartSnapshotBase(snapshot.m_nSerial);
}
