#include "IconImages.h"

#include "LabelText.h"
#include "Palette.h"

#include <QPainter>

#include <cassert>

namespace artwork {

namespace {

constexpr int kMainSize = 32;

QColor Vga(char symbol)
{
    return QColor(Vga16().at(Vga16Index(symbol)));
}

// The largest letter size at which "W", a pixel of space and "X" fit in room.
int LetterPixelSize(int room)
{
    int size = 26;
    for (; size > 8; --size) {
        const QFont font = ArtworkFont(size, true, false);
        const int width = TextInk("W", font, Qt::black).width() + 1 +
                          TextInk("X", font, Qt::black).width();
        if (width <= room)
            break;
    }
    return size;
}

struct PageLayout {
    QRect page;       // outline included
    int fold;         // side of the folded corner
    QRect label;
    int firstRule;    // row of the first ruled line
    int ruleStep;
    int rules;
    int ruleInset;    // distance of the rules from the page's sides
};

PageLayout LayoutFor(int size)
{
    assert(size == 32 || size == 16);
    if (size == 32)
        return {QRect(5, 1, 22, 30), 7, QRect(8, 5, 10, 5), 13, 3, 6, 3};
    return {QRect(2, 0, 12, 16), 4, QRect(4, 2, 5, 3), 7, 2, 4, 2};
}

// The symbol of the page's pixel (x, y), counted from the page's top-left
// corner: ' ' for the corner cut away by the fold, 'k' for the outline and
// the fold's edges, '.' for the folded-over flap, 'w' for the paper.
char PagePixel(int x, int y, const PageLayout& layout)
{
    const int right = layout.page.width() - 1;
    const int bottom = layout.page.height() - 1;
    const int foldLeft = right - layout.fold;
    const int pastDiagonal = x - foldLeft - y;
    if (pastDiagonal > 0)
        return ' ';
    if (pastDiagonal == 0)
        return 'k';
    if (x >= foldLeft && y <= layout.fold)
        return x == foldLeft || y == layout.fold ? 'k' : '.';
    return x == 0 || y == 0 || x == right || y == bottom ? 'k' : 'w';
}

void DrawPage(QImage& image, const PageLayout& layout)
{
    for (int y = 0; y < layout.page.height(); ++y)
        for (int x = 0; x < layout.page.width(); ++x)
            if (const char symbol = PagePixel(x, y, layout); symbol != ' ')
                image.setPixelColor(layout.page.left() + x, layout.page.top() + y, Vga(symbol));
}

}  // namespace

QImage DrawMainIcon()
{
    QImage image(kMainSize, kMainSize, QImage::Format_RGB32);
    image.fill(Vga('k'));
    QPainter painter(&image);
    painter.fillRect(1, 1, kMainSize - 2, kMainSize - 2, Vga('y'));

    const QFont font = ArtworkFont(LetterPixelSize(kMainSize - 5), true, false);
    const QImage w = TextInk("W", font, Vga('r'));
    const QImage x = TextInk("X", font, Vga('b'));
    const int left = (kMainSize - w.width() - 1 - x.width()) / 2;
    const double middle = (kMainSize - 1) / 2.0;
    DrawInkCentred(painter, w, left + (w.width() - 1) / 2.0, middle);
    DrawInkCentred(painter, x, left + w.width() + 1 + (x.width() - 1) / 2.0, middle);
    painter.end();
    return ToVga16(image);
}

QImage DrawDocumentIcon(int size)
{
    const PageLayout layout = LayoutFor(size);
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Vga('w'));
    DrawPage(image, layout);

    QPainter painter(&image);
    painter.fillRect(layout.label, Vga('r'));
    const int ruleLeft = layout.page.left() + layout.ruleInset;
    const int ruleWidth = layout.page.width() - 2 * layout.ruleInset;
    for (int i = 0; i < layout.rules; ++i)
        painter.fillRect(ruleLeft, layout.firstRule + i * layout.ruleStep, ruleWidth, 1, Vga('n'));
    painter.end();
    return ToVga16(image);
}

}  // namespace artwork
