// The game document: the position (board, chains, capture counters), the
// move record, the replay position and the caption fields of the last entry.
//
// The board always shows the first m_nCurMove entries of the record. The
// record edits (stone, pass, bomb) write at the replay position, discarding
// whatever followed it; the replay operations move the position and rebuild
// the board, sweeping captures after every applied entry. Live play sweeps
// nothing: a chain left without liberties by a recorded stone stays until the
// user removes it or replay rebuilds the position.
#pragma once

#include "fw/core/CDocument.h"
#include "model/GamePosition.h"
#include "record/MoveRecord.h"

#include <cstdint>
#include <string>

class CCmdUI;
struct StoneColour;

class CClientDoc : public CDocument, public CGamePosition {
public:
    CClientDoc() = default;

    // Record edits. RecordMoveAt requires a board point whose cell is PT_EMPTY.
    void RecordMoveAt(int x, int y);
    void RecordPass();
    void RecordBomb();

    // Replay. Each does nothing where it cannot act (at position 0, or at the end).
    void StepBack();
    void StepForward();
    void GoToStart();
    void GoToEnd();

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

    // Read by the view; written only by the operations above.
    MoveRecord m_moves;
    std::int32_t m_nCurMove = 0;  // entries shown: 0 <= m_nCurMove <= m_moves.GetSize()
    std::string m_strColor;       // UTF-8 colour name of the last entry
    std::int32_t m_nShowX = 0;    // DisplayX of the last entry
    std::int32_t m_nShowY = 0;    // DisplayY of the last entry

private:
    // Applies entry i to the board and the chains, then sweeps. Advances the
    // replay position to i + 1 unless told not to (the rebuild of StepBack).
    void ApplyEntry(int i, bool bAdvance = true);
    // The edit behind RecordMoveAt, RecordPass and RecordBomb: gives entry its
    // live colour, shows it, advances the position and makes entry the
    // record's last, discarding what followed the old position; marks the
    // game modified. Touches no chain.
    void RecordEntry(MovePoint entry);
    // Writes colour into the entry's cell (its indicator cell for a mark) and
    // describes the entry in the caption fields.
    void SetCellAndCaption(MovePoint entry, const StoneColour& colour);
};
