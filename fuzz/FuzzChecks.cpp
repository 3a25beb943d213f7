// The checks both fuzz targets share.
#include "fuzz/FuzzInputs.h"

#include "record/ClientDoc.h"

namespace {

bool IsIndicatorCell(int x, int y)
{
    return x == 21 && (y == 20 || y == 21);
}

bool IsStoneValue(PointValue value)
{
    return value == PT_BLACK || value == PT_WHITE || value == PT_FLOWER;
}

}  // namespace

std::string CheckDocument(const CClientDoc& doc)
{
    if (doc.m_nCurMove < 0 || doc.m_nCurMove > doc.m_moves.GetSize())
        return "replay position " + std::to_string(doc.m_nCurMove) + " outside a record of " +
               std::to_string(doc.m_moves.GetSize());
    for (const MovePoint entry : doc.m_moves)
        if (!IsRecordEntry(entry))
            return "record entry (" + std::to_string(entry.x) + ", " + std::to_string(entry.y) + ")";
    for (int x = 0; x < GRID_SIZE; ++x) {
        for (int y = 0; y < GRID_SIZE; ++y) {
            const PointValue value = doc.m_board[CellIndex(x, y)];
            const bool bAllowed = IsBoardPoint(x, y)      ? value == PT_EMPTY || IsStoneValue(value)
                                  : IsIndicatorCell(x, y) ? value == PT_EDGE || IsStoneValue(value)
                                                          : value == PT_EDGE;
            if (!bAllowed)
                return "cell (" + std::to_string(x) + ", " + std::to_string(y) + ") holds " + std::to_string(value);
        }
    }
    // Both targets check after every step, so a chain structure that drifts
    // from the group list is caught at the step that broke it.
    if (std::string fault = doc.CheckConsistency(); !fault.empty())
        return "inconsistent position: " + fault;
    return {};
}

std::string CheckAgainstReplay(const CClientDoc& doc)
{
    CClientDoc replay;
    replay.m_moves = doc.m_moves;
    for (int i = 0; i < doc.m_nCurMove; ++i)
        replay.StepForward();
    if (replay.m_board != doc.m_board)
        return "the board differs from a replay of the first " + std::to_string(doc.m_nCurMove) + " entries";
    if (replay.GetGroups() != doc.GetGroups())
        return "the chains differ from a replay of the first " + std::to_string(doc.m_nCurMove) + " entries";
    if (doc.m_nCurMove > 0 && (replay.m_strColor != doc.m_strColor || replay.m_nShowX != doc.m_nShowX ||
                               replay.m_nShowY != doc.m_nShowY))
        return "the caption differs from a replay";
    return {};
}
