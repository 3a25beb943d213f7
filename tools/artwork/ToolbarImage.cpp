#include "ToolbarImage.h"

#include "Palette.h"
#include "ToolbarGlyphs.h"

#include <QPainter>

namespace artwork {

QImage DrawToolbar()
{
    QImage strip(kToolbarButtons * kGlyphWidth, kGlyphHeight, QImage::Format_RGB32);
    QPainter painter(&strip);
    int left = 0;
    for (const Glyph& glyph : ToolbarGlyphs()) {
        painter.drawImage(left, 0, FromPixelMap(glyph));
        left += kGlyphWidth;
    }
    painter.end();
    return ToVga16(strip);
}

}  // namespace artwork
