#include "LabelText.h"

#include <QFontDatabase>

#include <cmath>

namespace artwork {

namespace {

const QString kFamily = QStringLiteral("WenQuanYi Micro Hei");

QRect InkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int InkOrigin(double centre, int size)
{
    return static_cast<int>(std::floor(centre - (size - 1) / 2.0 + 0.25));
}

}  // namespace

bool ArtworkFontInstalled()
{
    return QFontDatabase::families().contains(kFamily);
}

QFont ArtworkFont(int pixelSize, bool bold, bool antialiased)
{
    QFont font(kFamily);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(antialiased ? QFont::PreferAntialias : QFont::NoAntialias);
    return font;
}

QImage TextInk(const QString& text, const QFont& font, const QColor& colour)
{
    const int side = 4 * QFontInfo(font).pixelSize() * static_cast<int>(text.size() + 1);
    QImage canvas(side, side, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::TextAntialiasing,
                              font.styleStrategy() != QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QPoint(side / 4, side / 2), text);
    }
    const QRect bounds = InkBounds(canvas);
    return bounds.isEmpty() ? QImage() : canvas.copy(bounds);
}

void DrawInkCentred(QPainter& painter, const QImage& ink, double centreX, double centreY)
{
    painter.drawImage(QPoint(InkOrigin(centreX, ink.width()), InkOrigin(centreY, ink.height())),
                      ink);
}

}  // namespace artwork
