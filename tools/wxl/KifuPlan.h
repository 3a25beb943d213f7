// What a printed game record (kifu) shows, worked out from the record alone:
// the diagrams a range of moves is split into, and for each diagram the
// number on every point, the stones that came back to a point already
// numbered, and the passes and bombs, which have no point on the board;
// the diagrams' titles and the labels around them. Drawing it is
// KifuPaint's business.
//
// Moves are numbered as Go books number them: a game's setup stones
// (handicap stones, and the passes a record puts between them) are the
// record's first nSetupEntries entries and have no number; move 1 is the
// entry after them, so White's first move of a handicap game is 1. A record
// without setup numbers its entries from 1.
#pragma once

#include "model/BoardGrid.h"
#include "record/MoveRecord.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Moves nFirst..nLast (1-based, inclusive) of one diagram.
struct KifuRange {
    int nFirst = 1;
    int nLast = 0;

    friend bool operator==(const KifuRange&, const KifuRange&) = default;
};

// nFrom..nTo cut into diagrams of nPer entries, the last one shorter.
// Requires 1 <= nFrom <= nTo and nPer >= 1.
std::vector<KifuRange> KifuRanges(int nFrom, int nTo, int nPer);

// A numbered stone: the first of the diagram's moves at its point.
struct KifuStone {
    MovePoint point;
    int nMove = 0;
    PointValue colour = PT_EMPTY;

    friend bool operator==(const KifuStone&, const KifuStone&) = default;
};

// What is said under the diagram about one move.
struct KifuFootnote {
    enum class Kind { pass, bomb, sameAs };
    int nMove = 0;
    Kind kind = Kind::pass;
    int nEarlier = 0;  // sameAs: the number already on the move's point

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

// The diagram of range, in moves after the record's first nSetupEntries
// entries. Stones are kept where later moves capture them: the reader
// replays the numbers over the position before nFirst (which holds the
// setup stones, unnumbered), and a point played again shows its first
// number, the later one going to a footnote. The setup's own passes are no
// moves and get none. Requires 0 <= nSetupEntries and range within the
// moves after them.
KifuDiagram PlanKifuDiagram(const MoveRecord& moves, KifuRange range, int nSetupEntries = 0);

// "37 虚着", "52 扔飞弹", "64 = 58" (UTF-8).
std::string FootnoteText(const KifuFootnote& footnote);

// "201–300" (UTF-8, an en dash between), "201" for one move.
std::string KifuMovesText(KifuRange range);

// "第3谱 201–300" (UTF-8, an en dash between the moves), "第3谱 201" for one
// move: the nDiagram-th diagram of a print (1-based) and its moves.
std::string KifuDiagramTitle(int nDiagram, KifuRange range);

// The labels around a diagram: the board picture's own (as the program
// shows them), the ones of Western Go books, or none.
enum class KifuCoords { board, western, none };

// The value of --coords named text ("board", "western", "none"); nullopt
// for any other.
std::optional<KifuCoords> KifuCoordsNamed(std::string_view text);

// Western labels: columns A to T without I, left to right; rows 1 at the
// bottom to 19 at the top. Requires 1 <= x, y <= BOARD_SIZE.
std::string WesternColumnLabel(int x);
std::string WesternRowLabel(int y);
