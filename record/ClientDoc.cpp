#include "ClientDoc.h"

#include "fw/core/CCmdUI.h"
#include "record/ColourRule.h"
#include "fw/core/CArchive.h"
#include "record/RecordFile.h"
#include "res/resource.h"

#include <array>
#include <cassert>
#include <utility>

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
    m_position.SetValueAt(entry.x, entry.y, colour.value);
    SetCaption(entry, colour);
}

void CClientDoc::SetCaption(MovePoint entry, const StoneColour& colour)
{
    m_strColor = colour.name;
    m_nShowX = DisplayX(entry.x);
    m_nShowY = DisplayY(entry.y);
}

void CClientDoc::RecordEntry(MovePoint entry)
{
    assert(m_nCurMove <= m_moves.GetSize());
    const StoneColour colour = LiveColour(m_moves, m_nCurMove, entry);
    // Only a record that grows at its end needs memory: that comes first, so
    // that running out of it leaves the game as it was.
    if (m_nCurMove == m_moves.GetSize()) {
        m_moves.Add(entry);
    } else {
        m_moves.RemoveAt(m_nCurMove + 1, m_moves.GetSize() - m_nCurMove - 1);
        m_moves[m_nCurMove] = entry;
    }
    m_checkpoints.DropAfter(m_nCurMove);
    SetCellAndCaption(entry, colour);
    m_nCurMove = m_moves.GetSize();
    SetModifiedFlag(true);
}

void CClientDoc::RecordMoveAt(int x, int y)
{
    assert(IsBoardPoint(x, y) && m_position.ValueAt(x, y) == PT_EMPTY);
    RecordEntry({x, y});
    m_position.AddStoneToGroups(x, y);
}

void CClientDoc::RecordPass()
{
    RecordEntry(PASS_MARK);
}

void CClientDoc::RecordBomb()
{
    RecordEntry(BOMB_MARK);
}

void CClientDoc::RemoveChainAt(int x, int y)
{
    assert(IsBoardPoint(x, y));
    m_position.RemoveGroupAt(x, y);
    m_position.AddStoneToGroups(x, y);
}

namespace {

std::int32_t WrappingAdd(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t WrappingSub(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

}  // namespace

void CClientDoc::MarkReplayPosition(std::int32_t nReplayCaptures)
{
    m_nReplayCaptures = nReplayCaptures;
    m_nReplayChangeCount = m_position.GetChangeCount();
}

void CClientDoc::ApplyNextEntry(bool bShowInCaption)
{
    const bool bReplayPosition = IsReplayPosition();
    const int i = m_nCurMove;
    const MovePoint entry = m_moves[i];
    const StoneColour colour = ReplayColour(m_moves, i);
    if (bShowInCaption)
        SetCellAndCaption(entry, colour);
    else
        m_position.SetValueAt(entry.x, entry.y, colour.value);
    m_nCurMove = i + 1;
    m_position.AddStoneToGroups(entry.x, entry.y);
    m_position.SweepCaptures();
    if (!bReplayPosition)
        return;
    MarkReplayPosition(
        WrappingAdd(m_nReplayCaptures, WrappingSub(m_position.m_nCaptures, m_position.m_nCapturesBefore)));
    if (m_checkpoints.IsDue(m_nCurMove)) {
        const CReplayCheckpoints::Checkpoint* pLast = m_checkpoints.GetLast();
        const CGamePosition::CSnapshot* pEarlier = pLast ? &pLast->snapshot : nullptr;
        if (m_checkpoints.IsWorthTaking(m_nCurMove, m_position.PointsToEncode(pEarlier)))
            m_checkpoints.Add({m_nCurMove, m_nReplayCaptures, entry, m_position.TakeSnapshot(pEarlier)});
    }
}

void CClientDoc::StepForwardTo(int nTarget)
{
    assert(nTarget <= m_moves.GetSize());
    const int nFrom = m_nCurMove;
    while (m_nCurMove < nTarget) {
        // The entries go in stretches, the progress told between them, so
        // that the loop applying them is the plain one.
        const int nStretchEnd = nTarget - m_nCurMove > kReplayProgressInterval ? m_nCurMove + kReplayProgressInterval
                                                                               : nTarget;
        while (m_nCurMove < nStretchEnd)
            ApplyNextEntry(/*bShowInCaption=*/m_nCurMove + 1 == nTarget);
        if (m_nCurMove < nTarget && m_pProgress && !m_pProgress->Continue(m_nCurMove - nFrom, nTarget - nFrom)) {
            // Stopped where a step forward would have left the game; the
            // cell of that entry may be swept already, so only the caption
            // is written.
            const int i = m_nCurMove - 1;
            SetCaption(m_moves[i], ReplayColour(m_moves, i));
            return;
        }
    }
}

void CClientDoc::RestoreCheckpoint(const CReplayCheckpoints::Checkpoint& checkpoint)
{
    assert(checkpoint.nEntry <= m_moves.GetSize() && m_moves[checkpoint.nEntry - 1] == checkpoint.lastEntry);
    m_position.RestoreSnapshot(checkpoint.snapshot);
    m_position.m_nCaptures = WrappingAdd(m_position.m_nCaptures, checkpoint.nCaptures);
    m_nCurMove = checkpoint.nEntry;
    MarkReplayPosition(checkpoint.nCaptures);
}

void CClientDoc::StepBack()
{
    if (m_nCurMove == 0)
        return;
    // The position after one entry fewer, rebuilt from the empty board: what
    // the rebuild captures counts again.
    ReplayTo(m_nCurMove - 1);
}

void CClientDoc::ReplayTo(int nTarget)
{
    assert(nTarget >= 0 && nTarget <= m_moves.GetSize());
    // A checkpoint before the target, so that at least one entry is applied
    // and describes itself in the caption.
    const CReplayCheckpoints::Checkpoint* pCheckpoint =
        nTarget > 0 ? m_checkpoints.LatestAtOrBefore(nTarget - 1, m_moves) : nullptr;
    if (pCheckpoint) {
        RestoreCheckpoint(*pCheckpoint);
    } else {
        m_position.ResetPosition();
        m_nCurMove = 0;
        MarkReplayPosition(0);
    }
    StepForwardTo(nTarget);
}

void CClientDoc::StepForward()
{
    if (m_nCurMove < m_moves.GetSize())
        ApplyNextEntry(/*bShowInCaption=*/true);
}

void CClientDoc::GoToStart()
{
    m_position.ResetPosition();
    m_nCurMove = 0;
    MarkReplayPosition(0);
}

void CClientDoc::ReturnToStart() noexcept
{
    m_checkpoints.Clear();
    GoToStart();
}

void CClientDoc::GoToEnd()
{
    const int nEnd = m_moves.GetSize();
    if (m_nCurMove >= nEnd)
        return;
    // From replay's own position, a later checkpoint stands for the entries
    // up to it; at least the last entry is applied, which sets the caption
    // and the captures before the last sweep.
    if (IsReplayPosition()) {
        const CReplayCheckpoints::Checkpoint* pCheckpoint = m_checkpoints.LatestAtOrBefore(nEnd - 1, m_moves);
        if (pCheckpoint && pCheckpoint->nEntry > m_nCurMove) {
            m_position.m_nCaptures = WrappingSub(m_position.m_nCaptures, m_nReplayCaptures);
            RestoreCheckpoint(*pCheckpoint);
        }
    }
    StepForwardTo(nEnd);
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
    if (ar.IsLoading())
        m_checkpoints.Clear();
}

void CClientDoc::DeleteContents()
{
    m_position.ResetPosition();
    m_position.m_nCaptures = 0;
    m_position.m_nCapturesBefore = 0;
    m_nCurMove = 0;
    m_moves.RemoveAll();
    m_checkpoints.Clear();
    MarkReplayPosition(0);
}

void CClientDoc::LoadRecord(MoveRecord moves)
{
    DeleteContents();
    m_moves = std::move(moves);
}

std::string CClientDoc::CheckConsistency() const
{
    if (m_nCurMove < 0 || m_nCurMove > m_moves.GetSize())
        return "replay position " + std::to_string(m_nCurMove) + " outside a record of " +
               std::to_string(m_moves.GetSize()) + " entries";
    return m_position.CheckConsistency();
}

bool CClientDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    SetTitle("Wexlan");
    return true;
}
