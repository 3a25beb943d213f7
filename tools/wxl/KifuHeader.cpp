#include "KifuHeader.h"

#include <charconv>

namespace {

// Steps i over the line break at value[i]: "\r\n" and "\n\r" are one.
void SkipLineBreak(std::string_view value, std::size_t& i)
{
    const char other = value[i] == '\n' ? '\r' : '\n';
    if (i + 1 < value.size() && value[i + 1] == other)
        ++i;
}

// value with its escapes resolved, as SGF SimpleText reads.
std::string SimpleText(std::string_view value)
{
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        const bool bEscaped = c == '\\' && i + 1 < value.size();
        if (bEscaped)
            c = value[++i];
        if (c == '\n' || c == '\r') {
            SkipLineBreak(value, i);
            if (bEscaped)
                continue;  // a soft line break, which is no text
        }
        if (c == '\n' || c == '\r' || c == '\t' || c == '\v' || c == '\f')
            c = ' ';
        text += c;
    }
    return text;
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
    for (const auto& [property, values] : story.rootProperties)
        if (property == name && !values.empty())
            return SimpleText(values.front());
    return {};
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
