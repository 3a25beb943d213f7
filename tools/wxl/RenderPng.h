// `wxl render`: the view's picture of a position, written as PNG.
#pragma once

#include "view/BoardPainter.h"

#include <string>

class CClientDoc;

// Draws doc as the view shows it after a repaint of the whole view and
// writes it to strPath; false when the file cannot be written.
bool RenderToPng(const CClientDoc& doc, MoveNumberFlags numbers, const std::string& strPath);
