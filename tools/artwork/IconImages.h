// The icons: the program's icon (128) and the document icon (129), drawn in
// the Vga16 palette without smoothing.
#pragma once

#include <QImage>

namespace artwork {

// 32 x 32: a yellow square with a black border carrying a red "W" and a blue "X".
QImage DrawMainIcon();

// A white page with a folded corner, a red label and ruled lines.
// Requires: size 32 or 16.
QImage DrawDocumentIcon(int size);

}  // namespace artwork
