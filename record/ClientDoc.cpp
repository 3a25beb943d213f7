#include "ClientDoc.h"

#include "fw/core/CCmdUI.h"
#include "record/ColourRule.h"
#include "record/RecordFile.h"
#include "res/resource.h"

#include <array>
#include <cassert>

namespace {

constexpr std::array kMessageMapEntries{
    ON_UPDATE_COMMAND_UI(ID_STEP_BACK, &CClientDoc::OnUpdateStepBack),
    ON_UPDATE_COMMAND_UI(ID_GO_TO_START, &CClientDoc::OnUpdateStepBack),
    ON_UPDATE_COMMAND_UI(ID_STEP_FORWARD, &CClientDoc::OnUpdateStepForward),
    ON_UPDATE_COMMAND_UI(ID_GO_TO_END, &CClientDoc::OnUpdateStepForward),
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, &CClientDoc::OnUpdateFileSave),
};

}  // namespace

const MessageMap CClientDoc::messageMap{&CDocument::messageMap, kMessageMapEntries};

void CClientDoc::WriteEntryAtReplayPosition(MovePoint entry)
{
    assert(m_nCurMove <= m_moves.GetSize());
    m_moves.RemoveAt(m_nCurMove, m_moves.GetSize() - m_nCurMove);
    m_moves.Add(entry);
    m_nCurMove = m_moves.GetSize();
    SetModifiedFlag(true);
}

void CClientDoc::RecordMoveAt(int x, int y)
{
    assert(IsBoardPoint(x, y) && m_board[CellIndex(x, y)] == PT_EMPTY);
    const int n = m_nCurMove + 1;
    m_nShowX = DisplayX(x);
    m_nShowY = DisplayY(y);
    const StoneColour colour = n > 1 && m_moves[n - 2] == BOMB_MARK ? FLOWER_STONE : ColourByParity(n);
    m_board[CellIndex(x, y)] = colour.value;
    m_strColor = colour.name;
    WriteEntryAtReplayPosition({x, y});
    AddStoneToGroups(x, y);
}

void CClientDoc::RecordPass()
{
    // The record is not consulted: a pass right after a bomb gets its parity
    // colour here, and the flower colour only when replayed.
    const StoneColour colour = ColourByParity(m_nCurMove + 1);
    m_board[CellIndex(PASS_MARK.x, PASS_MARK.y)] = colour.value;
    m_strColor = colour.name;
    m_nShowX = DisplayX(PASS_MARK.x);
    m_nShowY = DisplayY(PASS_MARK.y);
    WriteEntryAtReplayPosition(PASS_MARK);
}

void CClientDoc::RecordBomb()
{
    m_board[CellIndex(BOMB_MARK.x, BOMB_MARK.y)] = FLOWER_STONE.value;
    m_strColor = FLOWER_STONE.name;
    m_nShowX = DisplayX(BOMB_MARK.x);
    m_nShowY = DisplayY(BOMB_MARK.y);
    WriteEntryAtReplayPosition(BOMB_MARK);
}

void CClientDoc::ApplyEntry(int i, bool bAdvance)
{
    const MovePoint entry = m_moves[i];
    m_nShowX = DisplayX(entry.x);
    m_nShowY = DisplayY(entry.y);
    const StoneColour colour = ReplayColour(m_moves, i);
    m_board[CellIndex(entry.x, entry.y)] = colour.value;
    m_strColor = colour.name;
    if (bAdvance)
        m_nCurMove = i + 1;
    AddStoneToGroups(entry.x, entry.y);
    SweepCaptures();
}

void CClientDoc::StepBack()
{
    if (m_nCurMove == 0)
        return;
    ResetPosition();
    for (int i = 0; i <= m_nCurMove - 2; ++i)
        ApplyEntry(i, /*bAdvance=*/false);
    --m_nCurMove;
}

void CClientDoc::StepForward()
{
    if (m_nCurMove < m_moves.GetSize())
        ApplyEntry(m_nCurMove);
}

void CClientDoc::GoToStart()
{
    ResetPosition();
    m_nCurMove = 0;
}

void CClientDoc::GoToEnd()
{
    while (m_nCurMove < m_moves.GetSize())
        ApplyEntry(m_nCurMove);
}

void CClientDoc::OnUpdateStepBack(CCmdUI* pCmdUI) const
{
    pCmdUI->Enable(m_nCurMove != 0);
}

void CClientDoc::OnUpdateStepForward(CCmdUI* pCmdUI) const
{
    pCmdUI->Enable(m_nCurMove < m_moves.GetSize());
}

void CClientDoc::OnUpdateFileSave(CCmdUI* pCmdUI) const
{
    pCmdUI->Enable(IsModified());
}

void CClientDoc::Serialize(CArchive& ar)
{
    SerializeRecord(ar, m_moves);
}

void CClientDoc::DeleteContents()
{
    ResetPosition();
    m_nCaptures = 0;
    m_nCapturesBefore = 0;
    m_nCurMove = 0;
    m_moves.RemoveAll();
}

bool CClientDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    SetTitle("Wexlan");
    return true;
}
