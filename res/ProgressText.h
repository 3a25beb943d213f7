// The texts of the window that shows a long replay's progress. They stand
// apart from the string table, whose entries are the original program's.
#pragma once

#include <string_view>

struct ProgressTextDef {
    std::string_view title;
    std::string_view label;
    std::string_view cancel;
};

inline constexpr ProgressTextDef kReplayProgressText{"稍候", "正在重放棋谱…", "取消"};
