// Boards as text in tests: 19 rows of 19 characters, row y = 1..19 from the
// top, x = 1..19 from the left; '.' empty, 'X' black, 'O' white, '*' flower.
// Lines may be indented; blank lines are ignored.
#pragma once

#include "model/GamePosition.h"

#include <string>
#include <string_view>

namespace testing_support {

// The 19 board rows of position, each ending in '\n'.
std::string BoardText(const CGamePosition& position);

// Writes every board point's value from rows (cells only: no group is made).
void SetBoardText(CGamePosition& position, std::string_view rows);

// rows with indentation and blank lines removed, each row ending in '\n'.
std::string NormalizeRows(std::string_view rows);

// The 19 rows of a board whose top-left rows are given, in the form of
// BoardText; every point they do not reach is empty. Board("X.O") is a board
// with two stones in its top row.
std::string Board(std::string_view corner);

}  // namespace testing_support
