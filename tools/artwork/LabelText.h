// Text for the artwork: the one font family every image uses, and text
// rendered to its ink so that it can be centred on a pixel exactly.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

namespace artwork {

// True when the font family of the artwork is installed (without it Qt would
// silently substitute another font and the images would change).
bool ArtworkFontInstalled();

// The artwork's font ("WenQuanYi Micro Hei") at a size in pixels.
QFont ArtworkFont(int pixelSize, bool bold, bool antialiased);

// The text drawn in the colour on a transparent ground, cropped to the
// pixels its glyphs touch. Empty text gives a null image.
QImage TextInk(const QString& text, const QFont& font, const QColor& colour);

// Draws the ink so that the middle of its pixels lies on (centreX, centreY),
// given in pixel indices (6.5 is the boundary between pixels 6 and 7).
// Rounds to whole pixels; an even-sized ink leans to the left or top.
void DrawInkCentred(QPainter& painter, const QImage& ink, double centreX, double centreY);

}  // namespace artwork
