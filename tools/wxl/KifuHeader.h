// The lines at the head of a printed game, as Go books set them: who played,
// Black first ("黑 Lee Sedol 9段 — 白 Cho Hunhyun 9段"), the event and the
// date, and the result, each as far as the game tells. Names and ranks are
// printed as the game gives them; the result is said in words.
#pragma once

#include "record/sgf/GameStory.h"

#include <string>
#include <string_view>
#include <vector>

// The header's lines, UTF-8, without the lines the story has nothing for. A
// story that tells none of it (a .wxl record's, which is empty) gives the
// one line fileName.
std::vector<std::string> KifuHeaderLines(const GameStory& story, const std::string& fileName);

// The first value of the root property name, as text: SGF escapes resolved,
// soft line breaks removed, other line breaks and tabs made spaces (the
// header's properties are all one-line text). Empty when the game does not
// say.
std::string StoryText(const GameStory& story, std::string_view name);

// An SGF result in words: "B+R" "黑中盘胜", "W+2.5" "白胜2目半", "B+T"
// "黑超时胜", "0" or "Draw" "和棋", "Void" "无胜负"; any other as given.
std::string ResultText(const std::string& result);
