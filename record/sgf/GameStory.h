// What a game has besides its moves, known only when it was read from an SGF
// game: the game information of the root node, the comments of the main line,
// and which of the record's first entries are the setup stones (handicap
// stones and others placed before play) with the passes put in between them.
// A .wxl record holds moves only, so for a record the story is empty.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct GameStory {
    // The root's properties other than the ones that make the record and the
    // file's own (FF, GM, SZ, CA, AP, AB, AW, WX), in file order, each value
    // as the file spells it between '[' and ']' (SGF escapes kept), a
    // property of several values once a value. Reading keeps a few
    // thousand; what a hostile file has beyond them is dropped.
    std::vector<std::pair<std::string, std::vector<std::string>>> rootProperties;
    // The comment (C) of each main-line node after the root that holds an
    // entry, on the record's entry that node became (0-based), as text
    // (escapes resolved, UTF-8); the root's own comment has entry -1.
    std::vector<std::pair<int, std::string>> comments;
    // The record's first nSetupEntries entries are setup, not moves: the
    // root's AB and AW stones and the passes inserted between them.
    int nSetupEntries = 0;

    // The first value of a root property, SGF escapes resolved; empty when
    // the game does not say.
    std::string Info(std::string_view name) const;
};
