// What wxl-render draws: the view's picture of a position, or the board of it
// alone as a thumbnail, written as PNG.
#pragma once

#include "view/BoardPainter.h"

#include <string>

class CClientDoc;

// Draws doc as the view shows it after a repaint of the whole view and
// writes it to strPath; false when the file cannot be written.
bool RenderToPng(const CClientDoc& doc, MoveNumberFlags numbers, const std::string& strPath);

// Draws doc as the view shows it, without move numbers, and writes the board
// scaled to nSize x nSize pixels to strPath; false when the file cannot be
// written.
bool ThumbnailToPng(const CClientDoc& doc, int nSize, const std::string& strPath);
