#include "BoardImage.h"

#include "LabelText.h"
#include "model/BoardGrid.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

constexpr int kImageSize = 600;
constexpr int kMargin = 14;
constexpr int kFirstLine = PointToPixel(1);
constexpr int kLastLine = PointToPixel(BOARD_SIZE);
constexpr int kBandHalfWidth = 3;  // bands are 7 pixels wide
constexpr int kStarLines[] = {4, 10, 16};
const QRect kField(kMargin, kMargin, kImageSize - 2 * kMargin, kImageSize - 2 * kMargin);

const QColor kInk(34, 26, 18);
const QColor kBandLight(255, 246, 222, 110);
const QColor kMinorLabel(104, 104, 104);

bool IsBanded(int line)
{
    return (line - 1) % 3 == 0;
}

int Channel(double value)
{
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

// Warm wood with a calm, vertical grain: a few slow sine waves, so every run
// draws the same picture.
QRgb WoodAt(int x, int y)
{
    const double u = x + 5.0 * std::sin(y / 83.0) + 2.0 * std::sin(y / 31.0 + 1.3);
    const double fine = 0.6 * std::sin(u / 2.3) + 0.4 * std::sin(u / 5.9 + 0.8);
    const double broad = std::sin(u / 37.0 + 0.5) + 0.5 * std::sin(u / 13.0 + 2.0);
    const double k = 2.5 * fine + 4.0 * broad;
    return qRgb(Channel(222 + k), Channel(182 + 0.9 * k), Channel(118 + 0.7 * k));
}

void PaintWood(QImage& image)
{
    for (int y = kField.top(); y <= kField.bottom(); ++y)
        for (int x = kField.left(); x <= kField.right(); ++x)
            image.setPixel(x, y, WoodAt(x, y));
}

// One region, so that the crossings of two bands are no lighter than a band.
void PaintBands(QPainter& painter)
{
    QRegion bands;
    const int from = kFirstLine - kBandHalfWidth;
    const int length = kLastLine - kFirstLine + 2 * kBandHalfWidth + 1;
    for (int line = 1; line <= BOARD_SIZE; ++line) {
        if (!IsBanded(line))
            continue;
        const int at = PointToPixel(line) - kBandHalfWidth;
        bands += QRect(from, at, length, 2 * kBandHalfWidth + 1);
        bands += QRect(at, from, 2 * kBandHalfWidth + 1, length);
    }
    painter.save();
    painter.setClipRegion(bands);
    painter.fillRect(kField, kBandLight);
    painter.restore();
}

// Inner lines are one pixel on 30n; the border lines add a pixel outside.
void PaintGrid(QPainter& painter)
{
    const int length = kLastLine - kFirstLine + 1;
    for (int line = 1; line <= BOARD_SIZE; ++line) {
        const int at = PointToPixel(line);
        painter.fillRect(at, kFirstLine, 1, length, kInk);
        painter.fillRect(kFirstLine, at, length, 1, kInk);
    }
    const int outer = kFirstLine - 1;
    const int span = length + 2;
    painter.fillRect(outer, outer, span, 1, kInk);
    painter.fillRect(outer, kLastLine + 1, span, 1, kInk);
    painter.fillRect(outer, outer, 1, span, kInk);
    painter.fillRect(kLastLine + 1, outer, 1, span, kInk);
}

void PaintStarPoints(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    for (const int x : kStarLines)
        for (const int y : kStarLines)
            painter.drawEllipse(QPointF(PointToPixel(x) + 0.5, PointToPixel(y) + 0.5), 3.2, 3.2);
    painter.restore();
}

// The shown coordinate: -9..-1 as I..A, 0 as O, 1..9 as the Chinese numerals.
QString CoordinateLabel(int shown)
{
    static const QString kNumerals = QStringLiteral("一二三四五六七八九");
    if (shown < 0)
        return QString(QChar('A' - shown - 1));
    if (shown == 0)
        return QStringLiteral("O");
    return QString(kNumerals.at(shown - 1));
}

// Banded lines get bold dark labels, the others small grey ones.
QImage LabelInk(int line, int shown)
{
    const QString text = CoordinateLabel(shown);
    return IsBanded(line) ? TextInk(text, ArtworkFont(11, true, true), kInk)
                          : TextInk(text, ArtworkFont(10, false, true), kMinorLabel);
}

// Labels are centred on their line and in the middle of the margin.
void PaintLabels(QPainter& painter)
{
    const double nearMiddle = (kMargin - 1) / 2.0;
    const double farMiddle = kImageSize - 1 - nearMiddle;
    for (int line = 1; line <= BOARD_SIZE; ++line) {
        const int at = PointToPixel(line);
        const QImage column = LabelInk(line, DisplayX(line));
        DrawInkCentred(painter, column, at, nearMiddle);
        DrawInkCentred(painter, column, at, farMiddle);
        const QImage row = LabelInk(line, DisplayY(line));
        DrawInkCentred(painter, row, nearMiddle, at);
        DrawInkCentred(painter, row, farMiddle, at);
    }
}

}  // namespace

QImage DrawBoard()
{
    QImage image(kImageSize, kImageSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    PaintWood(image);
    QPainter painter(&image);
    PaintBands(painter);
    PaintGrid(painter);
    PaintStarPoints(painter);
    PaintLabels(painter);
    return image;
}

}  // namespace artwork
