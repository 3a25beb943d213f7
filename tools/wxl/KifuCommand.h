// wxl kifu FILE -o OUT.pdf|OUT.png|OUT.svg [--per N] [--from N] [--to M]:
// a game record printed as numbered diagrams, run by wxl-render.
#pragma once

#include <string>
#include <vector>

// The command's arguments after "kifu"; its exit code, after any message on
// stderr.
int Kifu(const std::vector<std::string>& args);
