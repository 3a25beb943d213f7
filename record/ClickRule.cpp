#include "ClickRule.h"

#include "record/ClientDoc.h"

std::string_view ClickResult::Message() const
{
    switch (outcome) {
    case ClickOutcome::Forbidden:
        return "禁手!";
    case ClickOutcome::InvalidPoint:
        return "无效点!";
    default:
        return {};
    }
}

ClickResult LeftClickAt(CClientDoc& doc, int x, int y)
{
    if (!IsGridPoint(x, y))
        return {ClickOutcome::Nothing, std::nullopt};
    if (doc.GetPosition().ValueAt(x, y) != PT_EMPTY)
        return {ClickOutcome::Forbidden, std::nullopt};
    std::optional<MovePoint> previousLast;
    if (doc.GetCurMove() > 0)
        previousLast = doc.GetMoves()[doc.GetCurMove() - 1];
    doc.RecordMoveAt(x, y);
    return {ClickOutcome::Recorded, previousLast};
}

ClickResult RightClickAt(CClientDoc& doc, int x, int y)
{
    if (!IsBoardPoint(x, y))
        return {ClickOutcome::Nothing, std::nullopt};
    if (doc.GetPosition().ValueAt(x, y) == PT_EMPTY)
        return {ClickOutcome::InvalidPoint, std::nullopt};
    doc.RemoveChainAt(x, y);
    return {ClickOutcome::Removed, std::nullopt};
}
