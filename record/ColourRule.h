// Which colour an entry puts on the board. Colour is not stored in the record:
// it follows from the entry's position and the entry before it.
#pragma once

#include "model/BoardGrid.h"
#include "record/MoveRecord.h"

#include <cassert>
#include <string_view>

struct StoneColour {
    PointValue value;
    std::string_view name;  // UTF-8, shown in the caption

    friend constexpr bool operator==(const StoneColour&, const StoneColour&) = default;
};

inline constexpr StoneColour BLACK_STONE{PT_BLACK, "黑"};
inline constexpr StoneColour WHITE_STONE{PT_WHITE, "白"};
inline constexpr StoneColour FLOWER_STONE{PT_FLOWER, "花"};

// Black at odd position numbers (1-based), white at even ones.
constexpr StoneColour ColourByParity(int nPosition)
{
    return nPosition % 2 != 0 ? BLACK_STONE : WHITE_STONE;
}

// Live play and replay colour entries by two rules. They agree except in two
// cases, kept because the games recorded so far show them:
//   - a bomb as entry 0 is flower when recorded, black when replayed;
//   - a pass right after a bomb takes its parity colour when recorded (the
//     pass does not look back), flower when replayed.
// A stone right after a bomb is flower both ways.

// The colour recording gives entry, which is about to stand at index i
// (0-based) after the entries moves holds before it; entries from i on are
// about to be discarded and are not read. A bomb is flower; a pass goes by
// parity; a stone right after a bomb is flower, any other by parity.
// Requires 0 <= i <= record size.
StoneColour LiveColour(const MoveRecord& moves, int i, MovePoint entry);

// The colour replay gives entry i (0-based): entry 0 is black whatever it is;
// a bomb, and any entry right after a bomb, is flower; the rest go by parity.
// Requires 0 <= i < record size. Inline: replay asks it for every entry.
inline StoneColour ReplayColour(const MoveRecord& moves, int i)
{
    assert(i >= 0 && i < moves.GetSize());
    if (i == 0)
        return BLACK_STONE;
    if (moves[i - 1] == BOMB_MARK || moves[i] == BOMB_MARK)
        return FLOWER_STONE;
    return ColourByParity(i + 1);
}
