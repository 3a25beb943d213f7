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

void CClientDoc::SetCellAndCaption(MovePoint entry, const StoneColour& colour)
{
    m_board[CellIndex(entry.x, entry.y)] = colour.value;
    m_strColor = colour.name;
    m_nShowX = DisplayX(entry.x);
    m_nShowY = DisplayY(entry.y);
}

void CClientDoc::RecordEntry(MovePoint entry)
{
    assert(m_nCurMove <= m_moves.GetSize());
    SetCellAndCaption(entry, LiveColour(m_moves, m_nCurMove, entry));
    m_moves.RemoveAt(m_nCurMove, m_moves.GetSize() - m_nCurMove);
    m_moves.Add(entry);
    m_nCurMove = m_moves.GetSize();
    SetModifiedFlag(true);
}

void CClientDoc::RecordMoveAt(int x, int y)
{
    assert(IsBoardPoint(x, y) && m_board[CellIndex(x, y)] == PT_EMPTY);
    RecordEntry({x, y});
    AddStoneToGroups(x, y);
}

void CClientDoc::RecordPass()
{
    RecordEntry(PASS_MARK);
}

void CClientDoc::RecordBomb()
{
    RecordEntry(BOMB_MARK);
}

void CClientDoc::ApplyEntry(int i, bool bAdvance)
{
    const MovePoint entry = m_moves[i];
    SetCellAndCaption(entry, ReplayColour(m_moves, i));
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
