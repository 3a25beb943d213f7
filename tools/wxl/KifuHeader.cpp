#include "KifuHeader.h"

#include <charconv>

namespace {

// text on one line: a line break (CR, LF, or the two as a pair) and the
// other spacing controls become one space each.
std::string OneLine(std::string_view text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if ((c == '\r' || c == '\n') && i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') &&
            text[i + 1] != c)
            ++i;
        if (c == '\n' || c == '\r' || c == '\t' || c == '\v' || c == '\f')
            c = ' ';
        line += c;
    }
    return line;
}

void Append(std::string& line, const std::string& part, std::string_view separator)
{
    if (part.empty())
        return;
    if (!line.empty())
        line += separator;
    line += part;
}

// "黑 Lee Sedol 9段": the side's word, then what is known of its player.
std::string Side(std::string_view word, const std::string& name, const std::string& rank)
{
    if (name.empty() && rank.empty())
        return {};
    std::string side(word);
    Append(side, name, " ");
    Append(side, rank, " ");
    return side;
}

// "2目半" for 2.5, "半目" for 0.5, "7目" for 7; empty for text that is not
// a whole number or one and a half.
std::string Margin(std::string_view text)
{
    int nWhole = 0;
    const char* const end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, nWhole);
    if (error != std::errc() || nWhole < 0)
        return {};
    const std::string_view rest(next, static_cast<std::size_t>(end - next));
    if (rest.empty() || rest == ".0")
        return std::to_string(nWhole) + "目";
    if (rest == ".5")
        return nWhole == 0 ? "半目" : std::to_string(nWhole) + "目半";
    return {};
}

}  // namespace

std::string StoryText(const GameStory& story, std::string_view name)
{
    return OneLine(story.Info(name));
}

std::string ResultText(const std::string& result)
{
    if (result == "0" || result == "Draw")
        return "和棋";
    if (result == "Void")
        return "无胜负";
    if (result.size() < 2 || (result[0] != 'B' && result[0] != 'W') || result[1] != '+')
        return result;
    const std::string winner = result[0] == 'B' ? "黑" : "白";
    const std::string_view how = std::string_view(result).substr(2);
    if (how.empty())
        return winner + "胜";
    if (how == "R" || how == "Resign")
        return winner + "中盘胜";
    if (how == "T" || how == "Time")
        return winner + "超时胜";
    if (const std::string margin = Margin(how); !margin.empty())
        return winner + "胜" + margin;
    return result;
}

std::vector<std::string> KifuHeaderLines(const GameStory& story, const std::string& fileName)
{
    std::string players = Side("黑", StoryText(story, "PB"), StoryText(story, "BR"));
    Append(players, Side("白", StoryText(story, "PW"), StoryText(story, "WR")), " \u2014 ");
    std::string event = StoryText(story, "EV");
    Append(event, StoryText(story, "RO"), " ");
    Append(event, StoryText(story, "DT"), "  ");
    const std::string result = ResultText(StoryText(story, "RE"));

    std::vector<std::string> lines;
    for (const std::string& line : {players, event, result})
        if (!line.empty())
            lines.push_back(line);
    if (lines.empty())
        lines.push_back(fileName);
    return lines;
}
