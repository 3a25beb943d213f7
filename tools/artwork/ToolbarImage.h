// The toolbar bitmap (IDR_MAINFRAME): 17 buttons of 16 x 15 side by side,
// 272 x 15 pixels in the Vga16 palette on the light grey of button faces.
#pragma once

#include <QImage>

namespace artwork {

QImage DrawToolbar();

}  // namespace artwork
