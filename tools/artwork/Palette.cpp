#include "Palette.h"

#include <cassert>

namespace artwork {

namespace {

constexpr std::string_view kSymbols = "kmdontp.grlybfcw";

}  // namespace

const QList<QRgb>& Vga16()
{
    static const QList<QRgb> palette = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    return palette;
}

int Vga16Index(char symbol)
{
    const auto at = kSymbols.find(symbol);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

QImage FromPixelMap(std::span<const std::string_view> rows)
{
    assert(!rows.empty());
    const int width = static_cast<int>(rows.front().size());
    QImage image(width, static_cast<int>(rows.size()), QImage::Format_Indexed8);
    image.setColorTable(Vga16());
    for (int y = 0; y < image.height(); ++y) {
        const std::string_view row = rows[static_cast<std::size_t>(y)];
        assert(static_cast<int>(row.size()) == width);
        for (int x = 0; x < width; ++x) {
            const int index = Vga16Index(row[static_cast<std::size_t>(x)]);
            assert(index >= 0);
            image.setPixel(x, y, static_cast<uint>(index));
        }
    }
    return image;
}

QImage ToVga16(const QImage& image)
{
    return image.convertToFormat(QImage::Format_Indexed8, Vga16(),
                                 Qt::ThresholdDither | Qt::AvoidDither);
}

}  // namespace artwork
