// The checks both fuzz targets share.
#include "fuzz/FuzzInputs.h"

#include "record/ClientDoc.h"

namespace {

bool IsStoneValue(PointValue value)
{
    return value == PT_BLACK || value == PT_WHITE || value == PT_FLOWER;
}

}  // namespace

std::string CheckDocument(const CClientDoc& doc)
{
    if (doc.GetCurMove() < 0 || doc.GetCurMove() > doc.GetMoves().GetSize())
        return "replay position " + std::to_string(doc.GetCurMove()) + " outside a record of " +
               std::to_string(doc.GetMoves().GetSize());
    for (const MovePoint entry : doc.GetMoves())
        if (!IsRecordEntry(entry))
            return "record entry (" + std::to_string(entry.x) + ", " + std::to_string(entry.y) + ")";
    for (int x = 0; x < GRID_SIZE; ++x) {
        for (int y = 0; y < GRID_SIZE; ++y) {
            const PointValue value = doc.GetPosition().m_board[CellIndex(x, y)];
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
    replay.LoadRecord(doc.GetMoves());
    for (int i = 0; i < doc.GetCurMove(); ++i)
        replay.StepForward();
    if (replay.GetPosition().m_board != doc.GetPosition().m_board)
        return "the board differs from a replay of the first " + std::to_string(doc.GetCurMove()) + " entries";
    if (replay.GetPosition().GetGroups() != doc.GetPosition().GetGroups())
        return "the chains differ from a replay of the first " + std::to_string(doc.GetCurMove()) + " entries";
    if (doc.GetCurMove() > 0 && (replay.GetColorName() != doc.GetColorName() ||
                                 replay.GetShowX() != doc.GetShowX() || replay.GetShowY() != doc.GetShowY()))
        return "the caption differs from a replay";
    return {};
}
