// Drawing a printed game record: each diagram is the board picture with the
// position before its first entry, its numbered stones over it, a title line
// above and the footnotes below, in the units of the board picture (one
// pixel of it per unit, a point 30 units from the next).
#pragma once

#include "KifuPlan.h"

#include <QPointF>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class CClientDoc;

enum class KifuFormat { pdf, png, svg };

// The scale PNG diagrams are drawn at: the stones' pictures are 30 pixels
// across, too small for three-digit numbers to be read on paper or screen.
inline constexpr int kKifuPngScale = 2;
// White space around a diagram in a PNG or SVG file, and the title line's
// height above the board picture.
inline constexpr int kKifuMargin = 24;
inline constexpr int kKifuTitleHeight = 40;

// Where the centre of board point (x, y) falls in a PNG diagram.
inline QPointF KifuPngPointCentre(int x, int y)
{
    return QPointF(kKifuMargin + STONE_PIXELS * x, kKifuMargin + kKifuTitleHeight + STONE_PIXELS * y) * kKifuPngScale;
}

// Draws the diagrams of ranges, in order, for doc at its start (loaded, not
// stepped), titled "title  first–last". A PDF holds them all, two an A4 page,
// in outputs[0]; PNG and SVG write one file per diagram, outputs[i] for the
// i-th. Every file appears under its name only once complete, and the files
// of PNG and SVG all together, once every one is written: after a failure
// every file is as it was before.
struct KifuWriteFailure {
    std::string path;  // the file that could not be written
    std::string reason;
};
std::optional<KifuWriteFailure> WriteKifu(CClientDoc& doc, const std::vector<KifuRange>& ranges, const QString& title,
                                     KifuFormat format, const std::vector<std::string>& outputs);
