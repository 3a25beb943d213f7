// The board picture and the three stones, each stone already cut out by the
// stone mask: stone pixels inside the disc, transparent outside. Drawing one
// over the board gives the pixels of the classic two-step masked copy.
// Loaded once; an image that cannot be loaded stays null and draws nothing.
#pragma once

#include "model/BoardGrid.h"

#include <QImage>

struct StoneImages {
    QImage board;
    QImage black;
    QImage white;
    QImage flower;

    // The stone for a cell value; null for a value that shows no stone.
    const QImage* ForValue(PointValue value) const;

    static const StoneImages& Get();
};
