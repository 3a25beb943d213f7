#include "SgfWriter.h"

#include "SgfText.h"
#include "record/ColourRule.h"
#include "res/VersionInfo.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <optional>
#include <utility>
#include <vector>

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

std::string PointLetters(MovePoint point)
{
    return {SgfLetter(point.x), SgfLetter(point.y)};
}

// C[...] of a node: the export's note on the entry, then the game's comment.
void AppendComment(std::string& text, std::string_view note, std::string_view comment)
{
    if (note.empty() && comment.empty())
        return;
    text += "C[";
    text += note;
    if (!note.empty() && !comment.empty())
        text += "\n\n";
    AppendEscaped(text, comment);
    text += ']';
}

void AppendEntryNode(std::string& text, const MoveRecord& moves, int i, std::string_view comment)
{
    const MovePoint entry = moves[i];
    const StoneColour colour = ReplayColour(moves, i);
    const std::string_view note = SgfEntryNote(moves, i);
    text += ';';
    if (note.empty()) {
        text += colour == WHITE_STONE ? "W[" : "B[";
        if (entry != PASS_MARK)
            text += PointLetters(entry);
        text += ']';
    } else if (colour == FLOWER_STONE && entry != BOMB_MARK && entry != PASS_MARK) {
        // No SGF player owns the flower colour: the point is marked and named.
        text += "MA[" + PointLetters(entry) + ']';
    }
    AppendComment(text, note, comment);
    text += kSgfEntryProperty;
    text += '[';
    AppendNumber(text, entry.x);
    text += ':';
    AppendNumber(text, entry.y);
    text += "]\n";
}

// The first nSetup entries as the root's AB and AW, black and white stones
// each in their order, when ReadSgf makes exactly those entries of them
// (the passes between included); else nothing, and they are written as
// moves. Setup from another editor always is; a record made in wxl may not.
std::optional<std::string> SetupProperties(const MoveRecord& moves, int nSetup)
{
    if (nSetup == 0)
        return std::string();
    std::string black;
    std::string white;
    bool bWhiteFirst = false;
    for (int i = 0; i < nSetup; ++i) {
        const MovePoint entry = moves[i];
        if (entry == PASS_MARK)
            continue;
        const StoneColour colour = ReplayColour(moves, i);
        if (!IsBoardPoint(entry.x, entry.y) || colour == FLOWER_STONE)
            return std::nullopt;
        bWhiteFirst = bWhiteFirst || (black.empty() && colour == WHITE_STONE);
        (colour == BLACK_STONE ? black : white) += '[' + PointLetters(entry) + ']';
    }
    if (!black.empty())
        black.insert(0, "AB");
    if (!white.empty())
        white.insert(0, "AW");
    std::string setup = bWhiteFirst ? white + black : black + white;
    const SgfImport readBack = ReadSgf("(;" + setup + ")");
    if (!std::equal(moves.begin(), moves.begin() + nSetup, readBack.moves.begin(), readBack.moves.end()))
        return std::nullopt;
    return setup;
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

std::string_view SgfEntryNote(const MoveRecord& moves, int i)
{
    const MovePoint entry = moves[i];
    if (entry == BOMB_MARK)
        return kSgfBombNote;
    if (ReplayColour(moves, i) != FLOWER_STONE)
        return {};
    return entry == PASS_MARK ? kSgfFlowerPassNote : kSgfFlowerStoneNote;
}

std::string WriteSgf(const MoveRecord& moves, const GameStory& story)
{
    assert(moves.GetSize() <= kMaxSgfEntries);
    assert(story.nSetupEntries >= 0 && story.nSetupEntries <= moves.GetSize());
    std::string text = "(;FF[4]GM[1]SZ[19]CA[UTF-8]AP[" + SgfApplication() + "]";
    for (const auto& [ident, values] : story.rootProperties) {
        text += ident;
        for (const std::string& value : values)
            text += '[' + value + ']';
    }

    const std::optional<std::string> setup = SetupProperties(moves, story.nSetupEntries);
    const int nFirstMove = setup ? story.nSetupEntries : 0;
    // Comments by entry, those of the setup and before it the root's.
    std::vector<std::pair<int, std::string_view>> comments;
    for (const auto& [nEntry, comment] : story.comments) {
        assert(nEntry >= -1 && nEntry < moves.GetSize());
        comments.emplace_back(std::max(nEntry, nFirstMove - 1), comment);
    }
    std::stable_sort(comments.begin(), comments.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    auto next = comments.begin();
    const auto commentOf = [&](int nEntry) {
        std::string joined;
        for (; next != comments.end() && next->first == nEntry; ++next)
            joined += (joined.empty() ? "" : "\n\n") + std::string(next->second);
        return joined;
    };

    AppendComment(text, {}, commentOf(nFirstMove - 1));
    text += setup.value_or("");
    text += '\n';
    for (int i = nFirstMove; i < moves.GetSize(); ++i)
        AppendEntryNode(text, moves, i, commentOf(i));
    text += ")\n";
    return text;
}
