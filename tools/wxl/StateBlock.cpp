#include "StateBlock.h"

#include "record/ClientDoc.h"

#include <string>

using std::to_string;

std::string CaptionText(const CClientDoc& doc)
{
    if (doc.GetCurMove() == 0)
        return "-";
    return doc.GetColorName() + to_string(doc.GetCurMove()) + "." + to_string(doc.GetShowX()) +
           to_string(doc.GetShowY());
}

std::string FormatStateBlock(const CClientDoc& doc, bool bWithGroups)
{
    const CGamePosition& position = doc.GetPosition();
    std::string text;
    for (int y = 1; y <= BOARD_SIZE; ++y) {
        for (int x = 1; x <= BOARD_SIZE; ++x)
            text += PointSymbol(position.ValueAt(x, y));
        text += '\n';
    }
    text += "position " + to_string(doc.GetCurMove()) + "/" + to_string(doc.GetMoves().GetSize()) + "\n";
    text += "caption " + CaptionText(doc) + "\n";
    text += "captures " + to_string(position.m_nCaptures) + " " + to_string(position.m_nCapturesBefore) + "\n";
    text += "indicators " + to_string(position.ValueAt(PASS_MARK.x, PASS_MARK.y)) + " " +
            to_string(position.ValueAt(BOMB_MARK.x, BOMB_MARK.y)) + "\n";
    text += "modified " + to_string(doc.IsModified() ? 1 : 0) + "\n";
    if (bWithGroups) {
        text += "groups " + to_string(position.GetGroups().size()) + "\n";
        for (const StoneGroup& group : position.GetGroups()) {
            text += "group";
            for (const CPoint point : group)
                text += " " + to_string(point.x) + "," + to_string(point.y);
            text += '\n';
        }
    }
    return text;
}
