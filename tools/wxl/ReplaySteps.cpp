#include "ReplaySteps.h"

#include "record/ClientDoc.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kOwnColourIndexes = 3;
constexpr int kOwnChangeCounts = 7;

void PutVarint(std::string& out, std::uint32_t value)
{
    while (value >= 0x80) {
        out += static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    out += static_cast<char>(value);
}

std::uint32_t Zigzag(int value)
{
    return value < 0 ? (static_cast<std::uint32_t>(-(value + 1)) << 1) | 1 : static_cast<std::uint32_t>(value) << 1;
}

int BoardCell(int x, int y)
{
    return (x - 1) * BOARD_SIZE + (y - 1);
}

int NameIndex(std::vector<std::string>& names, const std::string& name)
{
    const auto found = std::find(names.begin(), names.end(), name);
    if (found != names.end())
        return static_cast<int>(found - names.begin());
    names.push_back(name);
    return static_cast<int>(names.size()) - 1;
}

}  // namespace

int StoneCode(int value)
{
    switch (value) {
    case PT_BLACK:
        return 1;
    case PT_WHITE:
        return 2;
    case PT_FLOWER:
        return 3;
    default:
        return 0;
    }
}

ReplaySteps EncodeReplaySteps(CClientDoc& doc)
{
    ReplaySteps steps;
    doc.GoToStart();
    const int nSize = doc.GetMoves().GetSize();
    steps.bytes.reserve(static_cast<std::size_t>(nSize) * 4);
    const BoardGrid& grid = doc.GetPosition().m_board;
    BoardGrid before = grid;
    int nStones = 0;  // board points that are not empty, which the marker needs
    std::vector<int> changes;
    auto noteChange = [&](int x, int y) {
        const auto i = static_cast<std::size_t>(CellIndex(x, y));
        nStones += (grid[i] != PT_EMPTY) - (before[i] != PT_EMPTY);
        if (StoneCode(grid[i]) != StoneCode(before[i]))
            changes.push_back(BoardCell(x, y) * 4 + StoneCode(grid[i]));
        before[i] = grid[i];
    };
    for (int k = 1; k <= nSize; ++k) {
        doc.StepForward();
        const MovePoint entry = doc.GetMoves()[k - 1];
        const bool bOnBoard = IsBoardPoint(entry.x, entry.y);
        // Most steps change the entry's own cell alone: that cell first, and
        // the whole board only when anything else changed too. The entry's
        // cell leads the changes, which is what saves its bytes.
        changes.clear();
        if (bOnBoard)
            noteChange(entry.x, entry.y);
        if (std::memcmp(before.data(), grid.data(), sizeof grid) != 0) {
            for (int x = 1; x <= BOARD_SIZE; ++x)
                for (int y = 1; y <= BOARD_SIZE; ++y)
                    if (grid[static_cast<std::size_t>(CellIndex(x, y))] !=
                        before[static_cast<std::size_t>(CellIndex(x, y))])
                        noteChange(x, y);
            before = grid;
        }

        const bool bMark = IsIndicatorCell(entry.x, entry.y);
        const int nName = NameIndex(steps.colourNames, doc.GetColorName());
        const bool bLeads = bOnBoard && !changes.empty() && changes.front() / 4 == BoardCell(entry.x, entry.y);
        const bool bShownOwn = doc.GetShowX() == DisplayX(entry.x) && doc.GetShowY() == DisplayY(entry.y);
        const int nCount = static_cast<int>(changes.size());

        int header = std::min(nName, kOwnColourIndexes);
        header |= (!bMark && nStones > 0) ? 4 : 0;
        header |= bShownOwn ? 0 : 8;
        header |= bLeads ? 16 : 0;
        header |= std::min(nCount, kOwnChangeCounts) << 5;
        steps.bytes += static_cast<char>(header);
        if (nName >= kOwnColourIndexes)
            PutVarint(steps.bytes, static_cast<std::uint32_t>(nName));
        if (nCount >= kOwnChangeCounts)
            PutVarint(steps.bytes, static_cast<std::uint32_t>(nCount));
        for (const int change : changes)
            PutVarint(steps.bytes, static_cast<std::uint32_t>(change));
        if (!bLeads)
            PutVarint(steps.bytes, static_cast<std::uint32_t>(IsGridPoint(entry.x, entry.y) ? CellIndex(entry.x, entry.y) : 0));
        if (!bShownOwn) {
            PutVarint(steps.bytes, Zigzag(doc.GetShowX()));
            PutVarint(steps.bytes, Zigzag(doc.GetShowY()));
        }
    }
    return steps;
}
