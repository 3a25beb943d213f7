#include "BoardPainter.h"

#include "StoneImages.h"
#include "record/ClientDoc.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStaticText>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const QColor kMarkerColour(192, 0, 0);
const QPoint kCaptionOrigin(20, 610);

bool IsMark(MovePoint entry)
{
    return IsIndicatorCell(entry.x, entry.y);
}

void DrawStones(QPainter& painter, const CClientDoc& doc)
{
    const StoneImages& images = StoneImages::Get();
    bool bAnyStone = false;
    for (int x = 1; x <= BOARD_SIZE; ++x) {
        for (int y = 1; y <= BOARD_SIZE; ++y) {
            const PointValue value = doc.GetPosition().ValueAt(x, y);
            bAnyStone = bAnyStone || value != PT_EMPTY;
            if (const QImage* pStone = images.ForValue(value))
                painter.drawImage(PointSquare(x, y).topLeft(), *pStone);
        }
    }

    if (doc.GetCurMove() == 0 || !bAnyStone)
        return;
    const MovePoint last = doc.GetMoves()[doc.GetCurMove() - 1];
    if (IsMark(last))
        return;
    painter.setPen(QPen(kMarkerColour, 1));
    painter.setBrush(Qt::NoBrush);
    // A stroked rectangle covers its size plus the pen: the cell's outer ring.
    painter.drawRect(PointSquare(last.x, last.y).adjusted(0, 0, -1, -1));
}

// Laying a number out costs several times more than drawing its glyphs, and a
// repaint with all numbers shows hundreds, so the numbers of a long game are
// laid out once for the life of the application. A QStaticText draws the
// glyphs that drawText at the same top-left corner draws, at the same places,
// and lays itself out again when the painter's font is not the one it was
// laid out with.
constexpr int kKeptNumbers = 1000;

QStaticText NumberLayout(int k)
{
    QStaticText text(QString::number(k));
    text.setTextFormat(Qt::PlainText);
    return text;
}

// The text of move number k >= 1: a kept one, or spare laid out afresh.
const QStaticText& NumberText(int k, QStaticText& spare)
{
    if (k > kKeptNumbers)
        return spare = NumberLayout(k);
    static std::vector<QStaticText>* pKept = nullptr;
    if (!pKept) {
        pKept = new std::vector<QStaticText>(kKeptNumbers);
        // The texts hold font engines, which must go before the GUI does.
        qAddPostRoutine([] { delete std::exchange(pKept, nullptr); });
    }
    QStaticText& text = (*pKept)[static_cast<std::size_t>(k - 1)];
    if (text.text().isEmpty())
        text = NumberLayout(k);
    return text;
}

// Numbers of the last nCount applied entries, most recent first, so the
// oldest of several numbers on one point ends on top.
void DrawMoveNumbers(QPainter& painter, const CClientDoc& doc, int nCount)
{
    QStaticText spare;
    for (int i = 0; i < nCount; ++i) {
        const int k = doc.GetCurMove() - i;
        const MovePoint entry = doc.GetMoves()[k - 1];
        if (IsMark(entry) || doc.GetPosition().ValueAt(entry.x, entry.y) == PT_EMPTY)
            continue;
        const QPoint origin(PointToPixel(entry.x) - 13, PointToPixel(entry.y) - 7);
        painter.setPen(k % 2 != 0 ? Qt::white : Qt::black);
        painter.drawStaticText(origin, NumberText(k, spare));
    }
}

// The widest caption a record of nEntries entries can produce. Up to 999
// entries, that of a 361-entry record, as it always was.
QString WidestCaption(const QString& colour, int nEntries, const QFontMetrics& metrics)
{
    const int nDigits = static_cast<int>(QString::number(nEntries).size());
    if (nDigits <= 3)
        return colour + QStringLiteral("361.-11-11");
    QChar widestDigit = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit)
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(widestDigit))
            widestDigit = QLatin1Char(digit);
    return colour + QString(nDigits, widestDigit) + QStringLiteral(".-11-11");
}

void DrawLabels(QPainter& painter, const CClientDoc& doc, MoveNumberFlags numbers)
{
    painter.setFont(QFont());
    const QFontMetrics metrics(painter.font());
    if (doc.GetCurMove() > 0) {
        // The widest caption, white on white, blanks what an earlier one left.
        const QString colour = QString::fromStdString(doc.GetColorName());
        const QString widest = WidestCaption(colour, doc.GetMoves().GetSize(), metrics);
        const QString caption = colour + QString::number(doc.GetCurMove()) + QLatin1Char('.') +
                                QString::number(doc.GetShowX()) + QString::number(doc.GetShowY());
        painter.fillRect(QRect(kCaptionOrigin, metrics.size(0, widest)), Qt::white);
        const QRect captionRect(kCaptionOrigin, metrics.size(0, caption));
        painter.fillRect(captionRect, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(captionRect, Qt::AlignLeft | Qt::AlignTop, caption);
    }
    // All numbers include the last ten; drawing those twice would blend the
    // edges of smoothed digits twice, so with both on only all are drawn.
    if (numbers.bShowLast10 == 1 && numbers.bShowAll != 1)
        DrawMoveNumbers(painter, doc, std::min(10, doc.GetCurMove()));
    if (numbers.bShowAll == 1)
        DrawMoveNumbers(painter, doc, doc.GetCurMove());
}

}  // namespace

QColor WindowColour()
{
    return Qt::white;
}

void PaintBoard(QImage& surface, const CClientDoc& doc, MoveNumberFlags numbers, const QRegion& invalid,
                const QRegion& erase)
{
    QPainter painter(&surface);
    for (const QRect& rect : erase)
        painter.fillRect(rect, WindowColour());
    painter.setClipRegion(invalid);
    painter.drawImage(QPoint(0, 0), StoneImages::Get().board);
    painter.setClipping(false);
    DrawStones(painter, doc);
    DrawLabels(painter, doc, numbers);
}

QImage RenderBoard(const CClientDoc& doc, MoveNumberFlags numbers, QSize size)
{
    QImage surface(size, QImage::Format_RGB32);
    const QRegion all(surface.rect());
    PaintBoard(surface, doc, numbers, all, all);
    return surface;
}
