// The board picture (IDB_BOARD): 600 x 600, grid line n at pixel 30n.
#pragma once

#include <QImage>

namespace artwork {

// A wood field inside a 14-pixel white margin; 19 x 19 dark lines (inner
// lines 1 pixel, border lines 2 pixels, every line covering pixel 30n); star
// points at lines 4, 10, 16; light bands under every third line; the shown
// coordinates of each line in the margin on all four sides.
QImage DrawBoard();

}  // namespace artwork
