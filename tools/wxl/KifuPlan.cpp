#include "KifuPlan.h"

#include "record/ColourRule.h"

#include <algorithm>
#include <array>
#include <cassert>

std::vector<KifuRange> KifuRanges(int nFrom, int nTo, int nPer)
{
    std::vector<KifuRange> ranges;
    for (long long nFirst = nFrom; nFirst <= nTo; nFirst += nPer)
        ranges.push_back({static_cast<int>(nFirst), static_cast<int>(std::min<long long>(nFirst + nPer - 1, nTo))});
    return ranges;
}

KifuDiagram PlanKifuDiagram(const MoveRecord& moves, KifuRange range, int nSetupEntries)
{
    assert(nSetupEntries >= 0 && range.nLast <= moves.GetSize() - nSetupEntries);
    KifuDiagram diagram{range, {}, {}};
    std::array<int, GRID_CELLS> numberAt{};  // 0: no number on the point yet
    // By index, so that a range ending at INT_MAX ends the loop.
    for (int i = range.nFirst - 1; i < range.nLast; ++i) {
        const int nMove = i + 1;
        const int nRecordIndex = nSetupEntries + i;
        const MovePoint entry = moves[nRecordIndex];
        if (entry == PASS_MARK) {
            diagram.footnotes.push_back({nMove, KifuFootnote::Kind::pass, 0});
        } else if (entry == BOMB_MARK) {
            diagram.footnotes.push_back({nMove, KifuFootnote::Kind::bomb, 0});
        } else if (int& nOnPoint = numberAt[static_cast<std::size_t>(CellIndex(entry.x, entry.y))]; nOnPoint != 0) {
            diagram.footnotes.push_back({nMove, KifuFootnote::Kind::sameAs, nOnPoint});
        } else {
            nOnPoint = nMove;
            diagram.stones.push_back({entry, nMove, ReplayColour(moves, nRecordIndex).value});
        }
    }
    return diagram;
}

std::string FootnoteText(const KifuFootnote& footnote)
{
    const std::string number = std::to_string(footnote.nMove);
    switch (footnote.kind) {
    case KifuFootnote::Kind::pass:
        return number + " 虚着";
    case KifuFootnote::Kind::bomb:
        return number + " 扔飞弹";
    case KifuFootnote::Kind::sameAs:
        return number + " = " + std::to_string(footnote.nEarlier);
    }
    return number;
}

std::string KifuMovesText(KifuRange range)
{
    std::string text = std::to_string(range.nFirst);
    if (range.nLast != range.nFirst)
        text += "\u2013" + std::to_string(range.nLast);
    return text;
}

std::string KifuDiagramTitle(int nDiagram, KifuRange range)
{
    return "第" + std::to_string(nDiagram) + "谱 " + KifuMovesText(range);
}

std::optional<KifuCoords> KifuCoordsNamed(std::string_view text)
{
    if (text == "board")
        return KifuCoords::board;
    if (text == "western")
        return KifuCoords::western;
    if (text == "none")
        return KifuCoords::none;
    return std::nullopt;
}

std::string WesternColumnLabel(int x)
{
    assert(x >= 1 && x <= BOARD_SIZE);
    // I is left out: in print it is taken for J or the digit 1.
    return std::string(1, static_cast<char>('A' + x - 1 + (x >= 9 ? 1 : 0)));
}

std::string WesternRowLabel(int y)
{
    assert(y >= 1 && y <= BOARD_SIZE);
    return std::to_string(BOARD_SIZE + 1 - y);
}
