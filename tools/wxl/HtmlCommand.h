// `wxl html`: one self-contained web page that replays a game, every step's
// state computed here by the document's replay (ReplaySteps.h), the board and
// stones embedded as the view draws them.
#pragma once

#include <string>
#include <vector>

// Runs `wxl html` with the arguments after the command; the exit code.
int Html(const std::vector<std::string>& args);
