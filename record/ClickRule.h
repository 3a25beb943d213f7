// What a click on a board point does to the game. The board view and `wxl
// session` both decide here, so the two cannot drift apart; each caller only
// turns its input into a point, shows the message and repaints.
//
// Clicks are never recorded as such: a left click records a stone through
// RecordMoveAt, a right click takes chains off the board and leaves the record,
// the replay position and the modified flag alone.
#pragma once

#include "record/MoveRecord.h"

#include <optional>
#include <string_view>

class CClientDoc;

enum class ClickOutcome {
    Nothing,       // off the grid (left) or off the board points (right): no change
    Recorded,      // left: a stone was recorded at the point
    Removed,       // right: the chains holding the point were taken off
    Forbidden,     // left on a stone, the border or an indicator cell: no change
    InvalidPoint,  // right on an empty board point: no change
};

struct ClickResult {
    ClickOutcome outcome = ClickOutcome::Nothing;
    // Recorded: the entry applied last before the click, whose marker the new
    // stone takes over; none when the click came at position 0.
    std::optional<MovePoint> previousLast;

    // What the user is told: "禁手!" for Forbidden, "无效点!" for InvalidPoint,
    // empty for the rest.
    std::string_view Message() const;
};

// A left click on (x, y), any integers. Off the 22 x 22 grid it does nothing;
// on a cell that is not PT_EMPTY it is forbidden; otherwise it records the
// next stone there (RecordMoveAt), discarding the entries after the replay
// position.
ClickResult LeftClickAt(CClientDoc& doc, int x, int y);

// A right click on (x, y), any integers. Off the board points it does nothing;
// on an empty point it is invalid; otherwise every chain holding the point is
// removed and the point is attached to the chains again (RemoveChainAt). The
// second step matters for a flower stone that a capture left on the board in
// no chain: the first click clears nothing but puts it in a chain, the second
// removes it.
ClickResult RightClickAt(CClientDoc& doc, int x, int y);
