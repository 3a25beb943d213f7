// The game document: the position (board, chains, capture counters), the
// move record, the replay position and the caption fields of the last entry.
//
// The board always shows the first m_nCurMove entries of the record. The
// record edits (stone, pass, bomb) write at the replay position, discarding
// whatever followed it; the replay operations move the position and rebuild
// the board, sweeping captures after every applied entry. Live play sweeps
// nothing: a chain left without liberties by a recorded stone stays until the
// user removes it or replay rebuilds the position.
//
// Every result is what replaying entry by entry gives; to get there quickly,
// a jump restores the nearest checkpoint of the replay from the empty board
// and replays from there. Go to end does so only while the position is the
// one replay reached (nothing else changed it since): otherwise its entries
// are applied to the position as it stands, as they always are.
//
// The document holds the position, the record and the replay position to
// itself: only its own operations change them, so that what it knows of them
// (the replay's captures, the checkpoints) cannot fall behind. Everyone else
// reads them.
#pragma once

#include "fw/core/CDocument.h"
#include "model/GamePosition.h"
#include "record/MoveRecord.h"
#include "record/ReplayCheckpoints.h"
#include "record/ReplayProgress.h"

#include <cstdint>
#include <string>

class CCmdUI;
struct StoneColour;

class CClientDoc : public CDocument {
public:
    CClientDoc() { MarkReplayPosition(0); }
    // A document that replays once and is gone, as a command-line run's: it
    // takes no checkpoints, which pay off only when the position moves back.
    struct OneReplay {};
    explicit CClientDoc(OneReplay) : m_checkpoints(0, 0) { MarkReplayPosition(0); }
    // Checkpoints every nSpacing entries within nBudgetBytes, the position
    // tuned as given (tests use small sizes).
    using Tuning = CGamePosition::Tuning;
    CClientDoc(int nSpacing, std::size_t nBudgetBytes, Tuning tuning) : m_checkpoints(nSpacing, nBudgetBytes)
    {
        m_position.SetTuning(tuning);
        MarkReplayPosition(0);
    }

    // Record edits. RecordMoveAt requires a board point whose cell is PT_EMPTY.
    void RecordMoveAt(int x, int y);
    void RecordPass();
    void RecordBomb();

    // Takes every chain holding (x, y), a board point, off the board, then
    // attaches the point to the chains again (a flower stone that a capture
    // left in no chain joins one, to go with the next removal). Record,
    // replay position, counters and modified flag stay as they are.
    void RemoveChainAt(int x, int y);

    // The document as loading a file that holds moves leaves it: emptied as
    // by DeleteContents, then moves as the record, at position 0. Modified
    // flag, title and path are the load path's and stay as they are.
    void LoadRecord(MoveRecord moves);

    // Replay. Each does nothing where it cannot act (at position 0, or at the end).
    void StepBack();
    void StepForward();
    // What StepForward until position nTarget does, at the cost of replay:
    // the caption fields are written for the last entry only. Requires
    // nTarget <= the record size.
    void StepForwardTo(int nTarget);
    // The position replay reaches after nTarget entries, rebuilt as StepBack
    // rebuilds it: what stepping back to nTarget leaves, or stepping back and
    // then forward to it, at the cost of one rebuild (whose captures count
    // once). Requires 0 <= nTarget <= the record size.
    void ReplayTo(int nTarget);
    void GoToStart();
    void GoToEnd();

    // Whom the replays above tell of their progress, and who may stop them;
    // null for nobody. A replay stopped by it leaves the position replay
    // reaches at the entry it got to, as if the steps forward had ended there,
    // the caption describing that entry; record, checkpoints and modified
    // flag stay sound. The document does not own it.
    void SetReplayProgress(CReplayProgress* pProgress) { m_pProgress = pProgress; }
    // Go to start for a position that an operation left half built when it
    // ran out of memory: the empty board at position 0, without checkpoints,
    // the record and the modified flag as they are. Frees memory and needs
    // none.
    void ReturnToStart() noexcept;

    // Update handlers: step back and go to start while the position is above 0;
    // step forward and go to end while it is below the record size; Save
    // while the game is modified.
    void OnUpdateStepBack(CCmdUI* pCmdUI) const;
    void OnUpdateStepForward(CCmdUI* pCmdUI) const;
    void OnUpdateFileSave(CCmdUI* pCmdUI) const;

    // The three update handlers above, and nothing else.
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

    void Serialize(CArchive& ar) override;
    // Empties board, chains, counters, replay position and record; the caption
    // fields keep their values.
    void DeleteContents() override;
    // A new game titled "Wexlan".
    bool OnNewDocument() override;

    // What the operations above made of the game, to be read.
    const CGamePosition& GetPosition() const { return m_position; }
    const MoveRecord& GetMoves() const { return m_moves; }
    int GetCurMove() const { return m_nCurMove; }  // entries shown: 0 <= GetCurMove() <= GetMoves().GetSize()
    const std::string& GetColorName() const { return m_strColor; }  // UTF-8 colour name of the last entry
    int GetShowX() const { return m_nShowX; }  // DisplayX of the last entry
    int GetShowY() const { return m_nShowY; }  // DisplayY of the last entry
    const CReplayCheckpoints& GetCheckpoints() const { return m_checkpoints; }

    // A debugging and test aid: empty when the replay position lies within
    // the record and the position is sound (CGamePosition::CheckConsistency),
    // else the first fault found.
    std::string CheckConsistency() const;

private:
    // Applies entry m_nCurMove to the board and the chains, sweeps, and
    // advances the position; keeps the replay's capture count and takes a
    // checkpoint when one is due, as long as the position is replay's. The
    // caption fields describe the entry only when asked: in a jump, only the
    // last entry applied shows.
    void ApplyNextEntry(bool bShowInCaption);
    // Whether nothing but replay changed the position since replay left it
    // at m_nCurMove.
    bool IsReplayPosition() const { return m_position.GetChangeCount() == m_nReplayChangeCount; }
    // Notes that the position is now the one replay reaches at m_nCurMove,
    // after nReplayCaptures captures from the empty board.
    void MarkReplayPosition(std::int32_t nReplayCaptures);
    // The position replay reaches after the checkpoint's entries; the
    // captures it made are added to m_nCaptures. Requires a checkpoint that
    // holds for the record, as LatestAtOrBefore hands out.
    void RestoreCheckpoint(const CReplayCheckpoints::Checkpoint& checkpoint);
    // The edit behind RecordMoveAt, RecordPass and RecordBomb: gives entry its
    // live colour, shows it, advances the position and makes entry the
    // record's last, discarding what followed the old position; marks the
    // game modified. Touches no chain.
    void RecordEntry(MovePoint entry);
    // Writes colour into the entry's cell (its indicator cell for a mark) and
    // describes the entry in the caption fields.
    void SetCellAndCaption(MovePoint entry, const StoneColour& colour);
    void SetCaption(MovePoint entry, const StoneColour& colour);

    CGamePosition m_position;
    MoveRecord m_moves;
    std::int32_t m_nCurMove = 0;
    std::string m_strColor;
    std::int32_t m_nShowX = 0;
    std::int32_t m_nShowY = 0;
    CReplayCheckpoints m_checkpoints;
    std::uint64_t m_nReplayChangeCount = 0;  // the position's change count when replay left it
    std::int32_t m_nReplayCaptures = 0;      // captures of the replay from the empty board to there
    CReplayProgress* m_pProgress = nullptr;
};
