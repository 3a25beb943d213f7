#include "ColourRule.h"

#include <cassert>

StoneColour LiveColour(const MoveRecord& moves, int i, MovePoint entry)
{
    assert(i >= 0 && i <= moves.GetSize());
    if (entry == BOMB_MARK)
        return FLOWER_STONE;
    if (entry != PASS_MARK && i > 0 && moves[i - 1] == BOMB_MARK)
        return FLOWER_STONE;
    return ColourByParity(i + 1);
}
