// Colours shared by the artwork: the 16-colour palette of the toolbar and the
// icons, and pixel maps written as text with one character per palette entry.
#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

#include <span>
#include <string_view>

namespace artwork {

// The standard 16-colour palette of 4-bit Windows bitmaps, in its usual order
// (0 black, 7 light grey 192,192,192, 8 dark grey, 15 white).
const QList<QRgb>& Vga16();

// Palette index of a pixel-map character, or -1 for an unknown one:
//   k black   m maroon  d dk green  o olive   n navy  p purple  t teal   . lt grey
//   g dk grey r red     l lime      y yellow  b blue  f fuchsia c cyan   w white
int Vga16Index(char symbol);

// An Indexed8 image with the Vga16 table from rows of pixel-map characters.
// Requires: every row as long as the first, only known characters.
QImage FromPixelMap(std::span<const std::string_view> rows);

// The image mapped to the nearest Vga16 colours, as Indexed8 with the Vga16
// table. Drawn in palette colours only, the mapping is exact.
QImage ToVga16(const QImage& image);

}  // namespace artwork
