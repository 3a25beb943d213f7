// `wxl sgf FILE -o OUT.sgf` and `wxl import GAME.sgf -o OUT.wxl`: a game
// record to SGF and back, and SGF games of other editors into records; an
// SGF game through `wxl sgf` keeps its game information, comments and setup
// stones, and options set the common game information for any game. The
// output file is written as the program saves, under its name only once it
// is complete, and not at all when anything fails.
#pragma once

#include <string>
#include <vector>

int ExportSgf(const std::vector<std::string>& args);
int ImportSgf(const std::vector<std::string>& args);
