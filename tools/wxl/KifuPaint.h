// Drawing a printed game record: each diagram is the board picture with the
// position before its first move, its numbered stones over it, a title line
// ("第1谱 1–100") above and the footnotes below, in the units of the board
// picture (one pixel of it per unit, a point 30 units from the next). The
// game's header (KifuHeader) heads the first page of a PDF and each PNG or
// SVG file.
#pragma once

#include "KifuPlan.h"

#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class CClientDoc;

enum class KifuFormat { pdf, png, svg };

// The scale PNG diagrams are drawn at: the stones' pictures are 30 pixels
// across, too small for three-digit numbers to be read on paper or screen.
inline constexpr int kKifuPngScale = 2;
// White space around a diagram in a PNG or SVG file, the height of a line of
// the game's header, and the title line's height above the board picture.
inline constexpr int kKifuMargin = 24;
inline constexpr int kKifuHeaderLineHeight = 32;
inline constexpr int kKifuTitleHeight = 40;

// Where the centre of board point (x, y) falls in a PNG diagram under a
// header of nHeaderLines (a record's: its file name, one line).
inline QPointF KifuPngPointCentre(int x, int y, int nHeaderLines = 1)
{
    const int nTop = kKifuMargin + kKifuHeaderLineHeight * nHeaderLines + kKifuTitleHeight;
    return QPointF(kKifuMargin + STONE_PIXELS * x, nTop + STONE_PIXELS * y) * kKifuPngScale;
}

// How to print: the game's header lines (not empty), the record's setup
// entries, which the diagrams count no moves (KifuPlan), and the labels
// around each diagram.
struct KifuLook {
    QStringList header;
    int nSetupEntries = 0;
    KifuCoords coords = KifuCoords::board;
};

// Draws the diagrams of ranges (in moves), in order, for doc at its start
// (loaded, not stepped). A PDF holds them all, two an A4 page, in
// outputs[0], titled with the header's first line; PNG and SVG write one
// file per diagram, outputs[i] for the i-th, an SVG titled "header  first–
// last". Every file appears under its name only once complete, and the
// files of PNG and SVG all together, once every one is written: after a
// failure every file is as it was before.
struct KifuWriteFailure {
    std::string path;  // the file that could not be written
    std::string reason;
};
std::optional<KifuWriteFailure> WriteKifu(CClientDoc& doc, const std::vector<KifuRange>& ranges, const KifuLook& look,
                                          KifuFormat format, const std::vector<std::string>& outputs);
