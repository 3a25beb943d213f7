#include "KifuPlan.h"

#include "record/ColourRule.h"

#include <algorithm>
#include <array>

std::vector<KifuRange> KifuRanges(int nFrom, int nTo, int nPer)
{
    std::vector<KifuRange> ranges;
    for (long long nFirst = nFrom; nFirst <= nTo; nFirst += nPer)
        ranges.push_back({static_cast<int>(nFirst), static_cast<int>(std::min<long long>(nFirst + nPer - 1, nTo))});
    return ranges;
}

KifuDiagram PlanKifuDiagram(const MoveRecord& moves, KifuRange range)
{
    KifuDiagram diagram{range, {}, {}};
    std::array<int, GRID_CELLS> numberAt{};  // 0: no number on the point yet
    // By index, so that a range ending at INT_MAX ends the loop.
    for (int i = range.nFirst - 1; i < range.nLast; ++i) {
        const int nEntry = i + 1;
        const MovePoint entry = moves[i];
        if (entry == PASS_MARK) {
            diagram.footnotes.push_back({nEntry, KifuFootnote::Kind::pass, 0});
        } else if (entry == BOMB_MARK) {
            diagram.footnotes.push_back({nEntry, KifuFootnote::Kind::bomb, 0});
        } else if (int& nOnPoint = numberAt[static_cast<std::size_t>(CellIndex(entry.x, entry.y))]; nOnPoint != 0) {
            diagram.footnotes.push_back({nEntry, KifuFootnote::Kind::sameAs, nOnPoint});
        } else {
            nOnPoint = nEntry;
            diagram.stones.push_back({entry, nEntry, ReplayColour(moves, i).value});
        }
    }
    return diagram;
}

std::string FootnoteText(const KifuFootnote& footnote)
{
    const std::string number = std::to_string(footnote.nEntry);
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
