// The board grid: point values, the 22 x 22 cell layout and the coordinate
// rules between points, pixels and the coordinates shown to the user.
//
// A point is (x, y), x growing to the right and y downwards. Board points are
// 1..19 in both. The cells with x or y equal to 0, 20 or 21 form the border;
// two of them, (21, 20) and (21, 21), are the pass and bomb indicator cells.
// The cell of (x, y) is element x * 22 + y, so the neighbours of element i are
// i - 22 (left), i + 22 (right), i - 1 (up) and i + 1 (down).
#pragma once

#include <array>
#include <cstdint>

enum PointValue : std::int32_t {
    PT_EMPTY = 0,
    PT_BLACK = 1,
    PT_WHITE = -1,
    PT_FLOWER = 2,  // the third colour, placed after a flying bomb
    PT_EDGE = 4,    // border cell, never playable
};

inline constexpr int GRID_SIZE = 22;
inline constexpr int GRID_CELLS = GRID_SIZE * GRID_SIZE;
inline constexpr int BOARD_SIZE = 19;
inline constexpr int STONE_PIXELS = 30;

using BoardGrid = std::array<PointValue, GRID_CELLS>;

// Element of the point's cell. Requires 0 <= x, y <= 21 for a cell of the grid.
constexpr int CellIndex(int x, int y)
{
    return x * GRID_SIZE + y;
}

constexpr bool IsGridPoint(int x, int y)
{
    return x >= 0 && x < GRID_SIZE && y >= 0 && y < GRID_SIZE;
}

constexpr bool IsBoardPoint(int x, int y)
{
    return x >= 1 && x <= BOARD_SIZE && y >= 1 && y <= BOARD_SIZE;
}

// The indicator cells: a pass or a flying bomb is recorded as the point of
// its cell, replay places the mark there, and the view draws it there.
inline constexpr int INDICATOR_X = 21;
inline constexpr int PASS_INDICATOR_Y = 20;
inline constexpr int BOMB_INDICATOR_Y = 21;

constexpr bool IsPassIndicator(int x, int y)
{
    return x == INDICATOR_X && y == PASS_INDICATOR_Y;
}

constexpr bool IsBombIndicator(int x, int y)
{
    return x == INDICATOR_X && y == BOMB_INDICATOR_Y;
}

constexpr bool IsIndicatorCell(int x, int y)
{
    return IsPassIndicator(x, y) || IsBombIndicator(x, y);
}

// Pixel centre of grid line n; the point's image is the 30 x 30 square around it.
constexpr int PointToPixel(int n)
{
    return STONE_PIXELS * n;
}

// The point whose 30 x 30 square holds pixel coordinate p (division truncates
// toward zero, as the board's rule has always done).
constexpr int PixelToPoint(int p)
{
    return static_cast<int>((static_cast<long long>(p) + STONE_PIXELS / 2) / STONE_PIXELS);
}

// The coordinates shown to the user: the centre point (10, 10) is 0, 0;
// DisplayX grows to the right, DisplayY upwards.
constexpr int DisplayX(int x)
{
    return x - 10;
}

constexpr int DisplayY(int y)
{
    return 10 - y;
}

// The character of a cell value in a text board: '.' empty, 'X' black,
// 'O' white, '*' flower; '?' for anything else.
constexpr char PointSymbol(PointValue value)
{
    switch (value) {
    case PT_EMPTY:
        return '.';
    case PT_BLACK:
        return 'X';
    case PT_WHITE:
        return 'O';
    case PT_FLOWER:
        return '*';
    default:
        return '?';
    }
}
