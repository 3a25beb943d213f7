// What a printed game record (kifu) shows, worked out from the record alone:
// the diagrams a range of entries is split into, and for each diagram the
// number on every point, the stones that came back to a point already
// numbered, and the passes and bombs, which have no point on the board.
// Drawing it is KifuPaint's business.
#pragma once

#include "model/BoardGrid.h"
#include "record/MoveRecord.h"

#include <cstddef>
#include <string>
#include <vector>

// Entries nFirst..nLast (1-based, inclusive) of one diagram.
struct KifuRange {
    int nFirst = 1;
    int nLast = 0;

    friend bool operator==(const KifuRange&, const KifuRange&) = default;
};

// nFrom..nTo cut into diagrams of nPer entries, the last one shorter.
// Requires 1 <= nFrom <= nTo and nPer >= 1.
std::vector<KifuRange> KifuRanges(int nFrom, int nTo, int nPer);

// A numbered stone: the first of the diagram's entries at its point.
struct KifuStone {
    MovePoint point;
    int nEntry = 0;
    PointValue colour = PT_EMPTY;

    friend bool operator==(const KifuStone&, const KifuStone&) = default;
};

// What is said under the diagram about one entry.
struct KifuFootnote {
    enum class Kind { pass, bomb, sameAs };
    int nEntry = 0;
    Kind kind = Kind::pass;
    int nEarlier = 0;  // sameAs: the number already on the entry's point

    friend bool operator==(const KifuFootnote&, const KifuFootnote&) = default;
};

struct KifuDiagram {
    KifuRange range;
    std::vector<KifuStone> stones;        // in entry order
    std::vector<KifuFootnote> footnotes;  // in entry order
};

// The most footnotes one diagram lists. Their rows make the picture longer,
// and a long range of a long record would ask for gigabytes: at this count
// the widest footnotes, two a row, make a PNG of about 1,300 × 23,500 pixels
// (120 MB of pixels), common ones a third of that.
inline constexpr std::size_t kMaxKifuFootnotes = 1000;

// The diagram of range. Stones are kept where later entries capture them:
// the reader replays the numbers over the position before nFirst, and a
// point played again shows its first number, the later one going to a
// footnote. Requires range within moves.
KifuDiagram PlanKifuDiagram(const MoveRecord& moves, KifuRange range);

// "37 虚着", "52 扔飞弹", "64 = 58" (UTF-8).
std::string FootnoteText(const KifuFootnote& footnote);
