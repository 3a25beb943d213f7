#include "StoneImages.h"

#include "model/BoardGrid.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace artwork {

namespace {

constexpr int kSide = STONE_PIXELS;
constexpr double kCentre = kSide / 2.0;  // the middle of pixels 1..28
constexpr double kRadius = 14.0;
const QPointF kLight(kCentre - 4.5, kCentre - 5.0);

// A pixel is in the disc when its centre is; row 0 and row 29 never are.
bool InDisc(int x, int y)
{
    const double dx = x + 0.5 - kCentre;
    const double dy = y + 0.5 - kCentre;
    return dx * dx + dy * dy <= kRadius * kRadius;
}

QImage WhiteGround()
{
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Everything outside the mask's disc goes back to the white ground.
void ClearOutsideDisc(QImage& image)
{
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            if (!InDisc(x, y))
                image.setPixel(x, y, qRgb(255, 255, 255));
}

// The gradient reaches a little past the disc so that its edge pixels are
// stone colour through and through; the mask gives the stone its outline.
void FillDisc(QImage& image, const QBrush& brush)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    painter.drawEllipse(QPointF(kCentre, kCentre), kRadius + 1.5, kRadius + 1.5);
}

QRadialGradient Shading()
{
    return QRadialGradient(QPointF(kCentre, kCentre), kRadius + 0.5, kLight);
}

QImage ShadedStone(const QGradientStops& stops)
{
    QRadialGradient gradient = Shading();
    gradient.setStops(stops);
    QImage image = WhiteGround();
    FillDisc(image, gradient);
    ClearOutsideDisc(image);
    return image;
}

// Tone of the swirl at a point: three arms that turn as they leave the centre.
QRgb SwirlTone(double dx, double dy)
{
    const double turn = std::atan2(dy, dx) / (2 * std::numbers::pi) +
                        0.55 * std::hypot(dx, dy) / kRadius;
    const double arm = 3.0 * (turn - std::floor(turn));
    if (arm < 1.0)
        return qRgb(22, 22, 24);
    if (arm < 2.0)
        return qRgb(250, 250, 248);
    return qRgb(140, 140, 140);
}

// Four by four samples a pixel keep the arms' edges smooth.
QRgb SwirlPixel(int x, int y)
{
    constexpr int kSamples = 4;
    int red = 0, green = 0, blue = 0;
    for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
            const QRgb tone = SwirlTone(x + (sx + 0.5) / kSamples - kCentre,
                                        y + (sy + 0.5) / kSamples - kCentre);
            red += qRed(tone);
            green += qGreen(tone);
            blue += qBlue(tone);
        }
    constexpr int kCount = kSamples * kSamples;
    return qRgb(red / kCount, green / kCount, blue / kCount);
}

}  // namespace

QImage DrawStoneMask()
{
    QImage mask(kSide, kSide, QImage::Format_Mono);
    mask.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            mask.setPixel(x, y, InDisc(x, y) ? 0 : 1);
    return mask;
}

QImage DrawBlackStone()
{
    return ShadedStone({{0.0, QColor(118, 118, 122)},
                        {0.3, QColor(58, 58, 62)},
                        {0.75, QColor(26, 26, 28)},
                        {1.0, QColor(10, 10, 10)}});
}

QImage DrawWhiteStone()
{
    return ShadedStone({{0.0, QColor(255, 255, 255)},
                        {0.45, QColor(243, 243, 240)},
                        {0.85, QColor(214, 214, 208)},
                        {1.0, QColor(176, 176, 170)}});
}

QImage DrawFlowerStone()
{
    QImage image = WhiteGround();
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            image.setPixel(x, y, SwirlPixel(x, y));

    QRadialGradient light = Shading();
    light.setStops({{0.0, QColor(255, 255, 255, 90)},
                    {0.45, QColor(255, 255, 255, 0)},
                    {0.8, QColor(0, 0, 0, 0)},
                    {1.0, QColor(0, 0, 0, 80)}});
    FillDisc(image, light);
    ClearOutsideDisc(image);
    return image;
}

}  // namespace artwork
