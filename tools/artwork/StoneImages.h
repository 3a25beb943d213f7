// The stone images: the 1-bit disc mask and the black, white and flower
// stones, 30 x 30 each. The view copies a stone through the mask, so every
// stone fills the mask's disc and the ground outside it is plain white.
#pragma once

#include <QImage>

namespace artwork {

// IDB_STONE_MASK: Format_Mono, palette index 0 white, index 1 black; the
// white disc (index 0) spans pixels 1..28 in both directions, so the first
// and last rows and columns are black.
QImage DrawStoneMask();

// IDB_BLACK and IDB_WHITE: shaded stones lit from the upper left.
QImage DrawBlackStone();
QImage DrawWhiteStone();

// IDB_FLOWER: a three-armed swirl of black, white and grey, shaded the same way.
QImage DrawFlowerStone();

}  // namespace artwork
