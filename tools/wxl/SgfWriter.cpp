#include "SgfWriter.h"

#include "record/ColourRule.h"
#include "res/VersionInfo.h"

#include <cassert>
#include <charconv>

namespace {

// SGF letters count from 'a' = 1, across from the left and down from the
// top, as the board's own x and y do, so the picture is the program's.
char SgfLetter(int n)
{
    return static_cast<char>('a' + n - 1);
}

void AppendNumber(std::string& text, int n)
{
    char digits[12];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, n);
    text.append(digits, end);
}

void AppendEntryNode(std::string& text, const MoveRecord& moves, int i)
{
    const MovePoint entry = moves[i];
    const StoneColour colour = ReplayColour(moves, i);
    const char* player = colour == WHITE_STONE ? "W" : "B";
    std::string point;
    if (entry != PASS_MARK && entry != BOMB_MARK)
        point = {SgfLetter(entry.x), SgfLetter(entry.y)};

    text += ';';
    if (entry == BOMB_MARK) {
        text += "C[扔飞弹 (flying bomb)]";
    } else if (colour == FLOWER_STONE) {
        // No SGF player owns the flower colour: the point is marked and named,
        // in English as well for the editors that show no Chinese.
        text += point.empty() ? "C[花 pass (flower pass)]" : "MA[" + point + "]C[花 (flower stone)]";
    } else {
        text += player;
        text += '[' + point + ']';
    }
    text += kSgfEntryProperty;
    text += '[';
    AppendNumber(text, entry.x);
    text += ':';
    AppendNumber(text, entry.y);
    text += "]\n";
}

}  // namespace

std::string SgfApplication()
{
    std::string name = "wxl:";
    AppendNumber(name, VER_PRODUCTVERSION.nMajor);
    name += '.';
    AppendNumber(name, VER_PRODUCTVERSION.nMinor);
    return name;
}

std::string WriteSgf(const MoveRecord& moves)
{
    assert(moves.GetSize() <= kMaxSgfEntries);
    std::string text = "(;FF[4]GM[1]SZ[19]CA[UTF-8]AP[" + SgfApplication() + "]\n";
    for (int i = 0; i < moves.GetSize(); ++i)
        AppendEntryNode(text, moves, i);
    text += ")\n";
    return text;
}
