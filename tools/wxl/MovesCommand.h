// `wxl moves FILE [--json]`: the record entry by entry, with the colour
// replay gives each and the coordinates the program's caption shows; an SGF
// game's setup entries are marked as such.
#pragma once

#include <string>
#include <vector>

int ListMoves(const std::vector<std::string>& args);
