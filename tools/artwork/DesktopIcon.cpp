#include "DesktopIcon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace artwork {

// The letters are strokes rather than text, so the drawing needs no font and
// looks the same wherever it is rendered. Colours are the Vga16 ones of the
// program's own icon.
QByteArray DesktopIconSvg()
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>Wexlan</title>
  <rect x="10" y="10" width="236" height="236" rx="28" fill="#ffff00" stroke="#000000" stroke-width="16"/>
  <g fill="none" stroke-width="22" stroke-linejoin="round" stroke-linecap="round">
    <polyline points="32,72 55,184 80,104 105,184 128,72" stroke="#ff0000"/>
    <path d="M158,72 L224,184 M224,72 L158,184" stroke="#0000ff"/>
  </g>
</svg>
)";
}

QImage DrawDesktopIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(DesktopIconSvg());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace artwork
