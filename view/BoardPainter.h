// One paint of the board view, on a picture of the view's client area (the
// window surface), without a widget: the view, printing of positions and
// `wxl render` all use it.
//
// A paint erases what it is told to (the window colour), restores the board
// picture inside the invalid region only, then draws every stone, the
// last-move marker, the move numbers and the caption over the whole surface.
// Whatever an earlier paint drew outside the invalid region and this one does
// not draw over stays as it was.
#pragma once

#include "model/BoardGrid.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>

class CClientDoc;

struct MoveNumberFlags {
    int bShowLast10 = 0;  // 1: numbers of the last ten applied entries
    int bShowAll = 0;     // 1: numbers of all applied entries
};

// The colour a repaint with erase gives the view (the system window colour).
QColor WindowColour();

void PaintBoard(QImage& surface, const CClientDoc& doc, MoveNumberFlags numbers, const QRegion& invalid,
                const QRegion& erase);

// The view's picture after a repaint of the whole view with erase.
QImage RenderBoard(const CClientDoc& doc, MoveNumberFlags numbers, QSize size);

// The 30 x 30 cell of a point, where its stone and the marker are drawn.
inline QRect PointSquare(int x, int y)
{
    return QRect(PointToPixel(x) - STONE_PIXELS / 2, PointToPixel(y) - STONE_PIXELS / 2, STONE_PIXELS, STONE_PIXELS);
}

// The cell whose top-left corner is the centre of (x, y), that is the cell of
// (x + 1, y + 1): what the view refreshes after a stone appears at (x, y).
inline QRect CornerSquare(int x, int y)
{
    return QRect(PointToPixel(x) + STONE_PIXELS / 2, PointToPixel(y) + STONE_PIXELS / 2, STONE_PIXELS, STONE_PIXELS);
}

// The default size of the view: the board and the caption line under it.
inline constexpr QSize VIEW_SIZE{610, 640};
