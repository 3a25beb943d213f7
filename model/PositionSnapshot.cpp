// A snapshot is the board, one byte a cell, then the groups from head to
// tail: a run of one-point groups on the indicator cells (what most passes
// and bombs leave) as its length and one bit a group, a run of one-point
// groups on one board point as the point and the run's length, any other
// group as its size and its cells.
#include "GamePosition.h"

#include "model/GridCells.h"

#include <algorithm>
#include <cassert>

using namespace grid_cells;

namespace {

enum Token : std::uint8_t { END = 0, RUN_OF_ONE_POINT_GROUPS = 1, GROUP = 2, RUN_OF_MARK_GROUPS = 3 };

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

CGamePosition::CSnapshot CGamePosition::TakeSnapshot() const
{
    CSnapshot snapshot;
    std::vector<std::uint8_t>& bytes = snapshot.m_bytes;
    bytes.reserve(GRID_CELLS + m_nGroups / 4 + 64);
    for (const PointValue value : m_cells)
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::int8_t>(value)));
    const auto isOnePointMarkGroup = [this](GroupId id) {
        return Node(id).points.GetSize() == 1 && MarkKindOf(CellOf(Node(id).points.Front())) >= 0;
    };
    for (GroupId id = m_nHead; id != NO_GROUP;) {
        const CPointStore& points = Node(id).points;
        if (isOnePointMarkGroup(id)) {
            const GroupId start = id;
            std::uint64_t nRun = 0;
            for (; id != NO_GROUP && isOnePointMarkGroup(id); id = Node(id).next)
                ++nRun;
            bytes.push_back(RUN_OF_MARK_GROUPS);
            PutVarint(bytes, nRun);
            GroupId member = start;
            for (std::uint64_t i = 0; i < nRun; i += 8) {
                std::uint8_t bits = 0;
                for (std::uint64_t j = i; j < std::min<std::uint64_t>(i + 8, nRun); ++j, member = Node(member).next)
                    bits |= static_cast<std::uint8_t>(MarkKindOf(CellOf(Node(member).points.Front())) << (j - i));
                bytes.push_back(bits);
            }
            continue;
        }
        if (points.GetSize() == 1) {
            const CPoint point = points.Front();
            std::uint64_t nRun = 0;
            for (; id != NO_GROUP && Node(id).points.GetSize() == 1 && Node(id).points.Front() == point;
                 id = Node(id).next)
                ++nRun;
            bytes.push_back(RUN_OF_ONE_POINT_GROUPS);
            PutCell(bytes, CellOf(point));
            PutVarint(bytes, nRun);
            continue;
        }
        bytes.push_back(GROUP);
        PutVarint(bytes, points.GetSize());
        for (const CPoint point : points.Points())
            PutCell(bytes, CellOf(point));
        id = Node(id).next;
    }
    bytes.push_back(END);
    bytes.shrink_to_fit();  // snapshots are kept, many of them
    return snapshot;
}

void CGamePosition::RestoreSnapshot(const CSnapshot& snapshot)
{
    assert(snapshot.m_bytes.size() > GRID_CELLS);
    ClearGroups();
    CReader reader(snapshot.m_bytes);
    for (PointValue& value : m_cells)
        value = static_cast<PointValue>(static_cast<std::int8_t>(reader.Byte()));
    // With the board in place, appending the points counts the liberties too.
    for (std::uint8_t token = reader.Byte(); token != END; token = reader.Byte()) {
        if (token == RUN_OF_MARK_GROUPS) {
            const std::uint64_t nRun = reader.Varint();
            for (std::uint64_t i = 0; i < nRun; i += 8) {
                const std::uint8_t bits = reader.Byte();
                for (std::uint64_t j = i; j < std::min<std::uint64_t>(i + 8, nRun); ++j)
                    AppendPoint(NewGroupAtTail(), (bits >> (j - i)) & 1 ? BOMB_CELL : PASS_CELL);
            }
        } else if (token == RUN_OF_ONE_POINT_GROUPS) {
            const int nCell = reader.Cell();
            for (std::uint64_t nRun = reader.Varint(); nRun > 0; --nRun)
                AppendPoint(NewGroupAtTail(), nCell);
        } else {
            assert(token == GROUP);
            const GroupId id = NewGroupAtTail();
            for (std::uint64_t nSize = reader.Varint(); nSize > 0; --nSize)
                AppendPoint(id, reader.Cell());
        }
    }
}
