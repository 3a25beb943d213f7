#include "StateBlock.h"

#include "record/ClientDoc.h"

#include <string>

using std::to_string;

std::string CaptionText(const CClientDoc& doc)
{
    if (doc.m_nCurMove == 0)
        return "-";
    return doc.m_strColor + to_string(doc.m_nCurMove) + "." + to_string(doc.m_nShowX) + to_string(doc.m_nShowY);
}

std::string FormatStateBlock(const CClientDoc& doc, bool bWithGroups)
{
    std::string text;
    for (int y = 1; y <= BOARD_SIZE; ++y) {
        for (int x = 1; x <= BOARD_SIZE; ++x)
            text += PointSymbol(doc.ValueAt(x, y));
        text += '\n';
    }
    text += "position " + to_string(doc.m_nCurMove) + "/" + to_string(doc.m_moves.GetSize()) + "\n";
    text += "caption " + CaptionText(doc) + "\n";
    text += "captures " + to_string(doc.m_nCaptures) + " " + to_string(doc.m_nCapturesBefore) + "\n";
    text += "indicators " + to_string(doc.ValueAt(PASS_MARK.x, PASS_MARK.y)) + " " +
            to_string(doc.ValueAt(BOMB_MARK.x, BOMB_MARK.y)) + "\n";
    text += "modified " + to_string(doc.IsModified() ? 1 : 0) + "\n";
    if (bWithGroups) {
        text += "groups " + to_string(doc.GetGroups().size()) + "\n";
        for (const StoneGroup& group : doc.GetGroups()) {
            text += "group";
            for (const CPoint point : group)
                text += " " + to_string(point.x) + "," + to_string(point.y);
            text += '\n';
        }
    }
    return text;
}
