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

}  // namespace testing_support
