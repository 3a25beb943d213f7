#include "StoneImages.h"

#include <QColor>
#include <QString>

namespace {

QImage LoadImage(const char* pszName)
{
    return QImage(QStringLiteral(":/images/") + QLatin1String(pszName));
}

// The mask is white (palette index 0) inside the disc, black outside.
QImage CutOut(const QImage& stone, const QImage& mask)
{
    if (stone.isNull() || mask.isNull() || stone.size() != mask.size())
        return {};
    QImage result = stone.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            if (mask.pixelColor(x, y) != QColor(Qt::white))
                result.setPixel(x, y, qRgba(0, 0, 0, 0));
    // The raster engine blends premultiplied pixels and would convert a stone
    // on every draw; with a mask that is all or nothing the pixels are the same.
    return result.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

const QImage* StoneImages::ForValue(PointValue value) const
{
    switch (value) {
    case PT_BLACK:
        return &black;
    case PT_WHITE:
        return &white;
    case PT_FLOWER:
        return &flower;
    default:
        return nullptr;
    }
}

const StoneImages& StoneImages::Get()
{
    static const StoneImages images = [] {
        const QImage mask = LoadImage("mask.png");
        return StoneImages{LoadImage("board.png"), CutOut(LoadImage("black.png"), mask),
                           CutOut(LoadImage("white.png"), mask), CutOut(LoadImage("flower.png"), mask)};
    }();
    return images;
}
