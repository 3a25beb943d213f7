#include "KifuPaint.h"

#include "RenderPng.h"
#include "fw/core/CStagedFiles.h"
#include "fw/core/FileException.h"
#include "fw/gui/CReplacingFileDevice.h"
#include "record/ClientDoc.h"
#include "view/BoardPainter.h"
#include "view/StoneImages.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <array>
#include <cassert>
#include <map>

namespace {

constexpr qreal kBoardSide = 600;  // the board picture, which holds the coordinates around the grid
// The board picture's wood, inside the band of its own labels, which is
// white: without those labels the band is paper, and Western ones are drawn
// in its middle.
const QRectF kBoardWood(14, 14, 572, 572);
constexpr qreal kLabelBandMiddle = 7;
constexpr int kLabelPixels = 11;
constexpr qreal kFootnoteGap = 14;
constexpr qreal kFootnoteSpacing = 28;
constexpr int kHeaderPixels = 24;
constexpr int kTitlePixels = 22;
constexpr int kFootnotePixels = 19;
constexpr int kLargestNumberPixels = 16;
// A number stays inside the stone's disc, whatever its digits.
constexpr qreal kNumberRoom = 24;
const QColor kNumberOnFlower(200, 0, 0);
// A flower stone under a number shows little of its black and white: a
// dotted ring marks it, which a page printed in grey keeps apart from the
// solid edge of a white stone.
constexpr qreal kFlowerRingRadius = 14;
constexpr qreal kFlowerRingWidth = 2;

QFont FontOfPixels(int nPixels)
{
    QFont font;
    font.setPixelSize(nPixels);
    return font;
}

struct PlacedFootnote {
    QPointF topLeft;
    QString text;
};

// The footnotes of one diagram in rows under the board, each footnote whole
// on its row.
struct FootnoteRows {
    std::vector<PlacedFootnote> footnotes;
    qreal height = 0;
};

// Everything about one diagram that is known before painting.
struct DiagramLayout {
    const KifuDiagram& diagram;
    QStringList header;  // empty where the page has it instead (PDF)
    QString title;
    FootnoteRows rows;

    qreal HeaderHeight() const { return kKifuHeaderLineHeight * static_cast<qreal>(header.size()); }
    QSizeF Size() const
    {
        return {kBoardSide, HeaderHeight() + kKifuTitleHeight + kBoardSide +
                                (rows.height > 0 ? kFootnoteGap + rows.height : 0)};
    }
};

// The header's lines centred in a column width wide, from the painter's
// origin down.
void PaintHeader(QPainter& painter, const QStringList& header, qreal width)
{
    painter.setPen(Qt::black);
    painter.setFont(FontOfPixels(kHeaderPixels));
    for (qsizetype i = 0; i < header.size(); ++i)
        painter.drawText(QRectF(0, kKifuHeaderLineHeight * static_cast<qreal>(i), width, kKifuHeaderLineHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter, header[i]);
}

// A–T along the top and bottom, 19 to 1 down the sides, in the band the
// board picture keeps for its own labels.
void PaintWesternLabels(QPainter& painter)
{
    painter.setPen(Qt::black);
    painter.setFont(FontOfPixels(kLabelPixels));
    const auto label = [&painter](QPointF centre, const std::string& text) {
        painter.drawText(QRectF(centre - QPointF(STONE_PIXELS / 2.0, STONE_PIXELS / 2.0), QSizeF(STONE_PIXELS, STONE_PIXELS)),
                         Qt::AlignCenter, QString::fromStdString(text));
    };
    const qreal far = kBoardSide - kLabelBandMiddle;
    for (int n = 1; n <= BOARD_SIZE; ++n) {
        const qreal along = PointToPixel(n);
        label({along, kLabelBandMiddle}, WesternColumnLabel(n));
        label({along, far}, WesternColumnLabel(n));
        label({kLabelBandMiddle, along}, WesternRowLabel(n));
        label({far, along}, WesternRowLabel(n));
    }
}

FootnoteRows LayOutFootnotes(const KifuDiagram& diagram)
{
    const QFontMetricsF metrics(FontOfPixels(kFootnotePixels));
    FootnoteRows rows;
    QPointF at(0, 0);
    for (const KifuFootnote& footnote : diagram.footnotes) {
        const QString text = QString::fromStdString(FootnoteText(footnote));
        const qreal width = metrics.horizontalAdvance(text);
        if (at.x() > 0 && at.x() + width > kBoardSide)
            at = QPointF(0, at.y() + metrics.lineSpacing());
        rows.footnotes.push_back({at, text});
        at.rx() += width + kFootnoteSpacing;
    }
    if (!rows.footnotes.empty())
        rows.height = at.y() + metrics.lineSpacing();
    return rows;
}

class CDiagramPainter {
public:
    explicit CDiagramPainter(KifuCoords coords) : m_coords(coords) {}

    // Draws layout with its top-left corner at the painter's origin, over
    // the position before the diagram's first move.
    void Paint(QPainter& painter, const CClientDoc& before, const DiagramLayout& layout);

private:
    const QFont& NumberFont(int nDigits);
    void DrawBoard(QPainter& painter) const;
    void DrawNumber(QPainter& painter, const KifuStone& stone);

    KifuCoords m_coords;
    std::map<int, QFont> m_numberFonts;  // by number of digits
};

void CDiagramPainter::DrawBoard(QPainter& painter) const
{
    const QImage& board = StoneImages::Get().board;
    if (m_coords == KifuCoords::board) {
        painter.drawImage(QPointF(0, 0), board);
        return;
    }
    painter.drawImage(kBoardWood.topLeft(), board, kBoardWood);
    if (m_coords == KifuCoords::western)
        PaintWesternLabels(painter);
}

const QFont& CDiagramPainter::NumberFont(int nDigits)
{
    auto [it, bNew] = m_numberFonts.try_emplace(nDigits);
    if (bNew) {
        int nPixels = kLargestNumberPixels;
        const QString widest(nDigits, QLatin1Char('8'));
        while (nPixels > 6 && QFontMetricsF(FontOfPixels(nPixels)).horizontalAdvance(widest) > kNumberRoom)
            --nPixels;
        it->second = FontOfPixels(nPixels);
    }
    return it->second;
}

void CDiagramPainter::DrawNumber(QPainter& painter, const KifuStone& stone)
{
    const QString text = QString::number(stone.nMove);
    const QFont& font = NumberFont(static_cast<int>(text.size()));
    // Centred on the digits' ink, not on the font's line, which has room
    // for descenders that digits do not use.
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
    const QPointF baseline = QPointF(PointToPixel(stone.point.x), PointToPixel(stone.point.y)) - ink.center();
    painter.setFont(font);
    if (stone.colour == PT_FLOWER) {
        // The flower stone is black and white: a white rim keeps the
        // number readable over either half.
        QPainterPath outline;
        outline.addText(baseline, font, text);
        painter.strokePath(outline, QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setPen(kNumberOnFlower);
    } else {
        painter.setPen(stone.colour == PT_BLACK ? Qt::white : Qt::black);
    }
    painter.drawText(baseline, text);
}

void CDiagramPainter::Paint(QPainter& painter, const CClientDoc& before, const DiagramLayout& layout)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    PaintHeader(painter, layout.header, kBoardSide);
    const qreal titleTop = layout.HeaderHeight();
    painter.setPen(Qt::black);
    painter.setFont(FontOfPixels(kTitlePixels));
    painter.drawText(QRectF(0, titleTop, kBoardSide, kKifuTitleHeight), Qt::AlignLeft | Qt::AlignVCenter, layout.title);

    painter.save();
    painter.translate(0, titleTop + kKifuTitleHeight);
    const StoneImages& images = StoneImages::Get();
    DrawBoard(painter);
    std::array<PointValue, GRID_CELLS> shown{};
    for (int x = 1; x <= BOARD_SIZE; ++x)
        for (int y = 1; y <= BOARD_SIZE; ++y)
            shown[static_cast<std::size_t>(CellIndex(x, y))] = before.GetPosition().ValueAt(x, y);
    for (const KifuStone& stone : layout.diagram.stones)
        shown[static_cast<std::size_t>(CellIndex(stone.point.x, stone.point.y))] = stone.colour;
    for (int x = 1; x <= BOARD_SIZE; ++x)
        for (int y = 1; y <= BOARD_SIZE; ++y)
            if (const QImage* pStone = images.ForValue(shown[static_cast<std::size_t>(CellIndex(x, y))]))
                painter.drawImage(PointSquare(x, y).topLeft(), *pStone);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kNumberOnFlower, kFlowerRingWidth, Qt::DotLine, Qt::FlatCap));
    for (int x = 1; x <= BOARD_SIZE; ++x)
        for (int y = 1; y <= BOARD_SIZE; ++y)
            if (shown[static_cast<std::size_t>(CellIndex(x, y))] == PT_FLOWER)
                painter.drawEllipse(QPointF(PointToPixel(x), PointToPixel(y)), kFlowerRingRadius, kFlowerRingRadius);
    for (const KifuStone& stone : layout.diagram.stones)
        DrawNumber(painter, stone);
    painter.restore();

    painter.setPen(Qt::black);
    painter.setFont(FontOfPixels(kFootnotePixels));
    const QFontMetricsF metrics(painter.font());
    const qreal top = titleTop + kKifuTitleHeight + kBoardSide + kFootnoteGap;
    for (const PlacedFootnote& footnote : layout.rows.footnotes)
        painter.drawText(footnote.topLeft + QPointF(0, top + metrics.ascent()), footnote.text);
}

// What is left to say once a finished file has been handed on (committed
// or staged): nothing, or why it could not be.
WriteFailure Handed(bool bHanded, const CReplacingFileDevice& output)
{
    if (bHanded)
        return std::nullopt;
    return output.errorString().toStdString();
}

// The width a PDF page is laid out in, in diagram units: a diagram of two
// a page is drawn about 600 of them wide, and the header's text at this
// scale is as large as the diagram's.
constexpr qreal kPdfPageUnits = 900;

class CKifuWriter {
public:
    CKifuWriter(CClientDoc& doc, const KifuLook& look) : m_doc(doc), m_look(look), m_painter(look.coords) {}

    WriteFailure WritePdf(const std::vector<KifuRange>& ranges, const std::string& strPath);
    // Writes the nDiagram-th diagram, of range, to a file staged to replace
    // strPath.
    WriteFailure WritePicture(int nDiagram, KifuRange range, KifuFormat format, const std::string& strPath,
                              CStagedFiles& staged);

private:
    // Replays the document to just before range, the setup stones and the
    // moves before it on the board, and plans its diagram.
    KifuDiagram Prepare(KifuRange range);

    CClientDoc& m_doc;
    const KifuLook& m_look;
    CDiagramPainter m_painter;
};

KifuDiagram CKifuWriter::Prepare(KifuRange range)
{
    m_doc.StepForwardTo(m_look.nSetupEntries + range.nFirst - 1);
    return PlanKifuDiagram(m_doc.GetMoves(), range, m_look.nSetupEntries);
}

WriteFailure CKifuWriter::WritePdf(const std::vector<KifuRange>& ranges, const std::string& strPath)
{
    CReplacingFileDevice output(strPath);
    if (!output.open(QIODevice::WriteOnly))
        return output.errorString().toStdString();
    QPdfWriter writer(&output);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
    writer.setTitle(m_look.header.front());
    writer.setCreator(QStringLiteral("wxl"));
    QPainter painter;
    if (!painter.begin(&writer))
        return "cannot start the PDF document";
    const QSizeF area = writer.pageLayout().paintRectPixels(writer.resolution()).size();
    const qreal gap = area.height() / 30;
    // The game's header heads the first page, as a book's heads its game.
    const qreal unit = area.width() / kPdfPageUnits;
    painter.save();
    painter.scale(unit, unit);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintHeader(painter, m_look.header, kPdfPageUnits);
    painter.restore();
    const qreal headerHeight = kKifuHeaderLineHeight * static_cast<qreal>(m_look.header.size()) * unit + gap;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        if (i > 0 && i % 2 == 0 && !writer.newPage())
            return "cannot start a new page";
        const qreal top = i < 2 ? headerHeight : 0;
        const qreal slotHeight = (area.height() - top - gap) / 2;
        const KifuDiagram diagram = Prepare(ranges[i]);
        const QString title = QString::fromStdString(KifuDiagramTitle(static_cast<int>(i) + 1, ranges[i]));
        const DiagramLayout layout{diagram, {}, title, LayOutFootnotes(diagram)};
        const QSizeF size = layout.Size();
        const qreal scale = std::min(area.width() / size.width(), slotHeight / size.height());
        painter.save();
        painter.translate((area.width() - size.width() * scale) / 2, top + static_cast<qreal>(i % 2) * (slotHeight + gap));
        painter.scale(scale, scale);
        m_painter.Paint(painter, m_doc, layout);
        painter.restore();
    }
    if (!painter.end())
        return "cannot finish the PDF document";
    return Handed(output.Commit(), output);
}

WriteFailure CKifuWriter::WritePicture(int nDiagram, KifuRange range, KifuFormat format, const std::string& strPath,
                                       CStagedFiles& staged)
{
    const KifuDiagram diagram = Prepare(range);
    const QString title = QString::fromStdString(KifuDiagramTitle(nDiagram, range));
    const DiagramLayout layout{diagram, m_look.header, title, LayOutFootnotes(diagram)};
    const QSizeF size = layout.Size() + QSizeF(2 * kKifuMargin, 2 * kKifuMargin);
    const auto paint = [&](QPainter& painter) {
        painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
        painter.translate(kKifuMargin, kKifuMargin);
        m_painter.Paint(painter, m_doc, layout);
    };

    CReplacingFileDevice output(strPath);
    if (!output.open(QIODevice::WriteOnly))
        return output.errorString().toStdString();
    if (format == KifuFormat::svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&output);
        generator.setSize(size.toSize());
        generator.setViewBox(QRectF(QPointF(0, 0), size));
        // The generator escapes the text it draws, with toHtmlEscaped(), but
        // writes the title as it is given: a name like "Lee & Cho.wxl" would
        // make the file unreadable. The title goes through the same function.
        generator.setTitle((m_look.header.front() + QStringLiteral("  ") + QString::fromStdString(KifuMovesText(range))).toHtmlEscaped());
        QPainter painter;
        if (!painter.begin(&generator))
            return "cannot start the SVG document";
        paint(painter);
        if (!painter.end())
            return "cannot finish the SVG document";
        return Handed(output.Stage(staged), output);
    }
    QImage image((size * kKifuPngScale).toSize(), QImage::Format_RGB32);
    if (image.isNull())
        return "cannot draw the picture";
    QPainter painter(&image);
    painter.scale(kKifuPngScale, kKifuPngScale);
    paint(painter);
    painter.end();
    if (!image.save(&output, "PNG"))
        return output.HasFailed() ? output.errorString().toStdString() : "cannot encode the picture as PNG";
    return Handed(output.Stage(staged), output);
}

}  // namespace

std::optional<KifuWriteFailure> WriteKifu(CClientDoc& doc, const std::vector<KifuRange>& ranges, const KifuLook& look,
                                          KifuFormat format, const std::vector<std::string>& outputs)
{
    assert(!look.header.isEmpty());
    const CDrawingApplication application;
    CKifuWriter writer(doc, look);
    if (format == KifuFormat::pdf) {
        if (WriteFailure failure = writer.WritePdf(ranges, outputs.front()))
            return KifuWriteFailure{outputs.front(), *failure};
        return std::nullopt;
    }
    // All the diagrams or none, and the files of an earlier run kept until
    // every new one is in place: a reader must not take the first pages of
    // a record for the whole of it, nor lose the pictures they replace.
    CStagedFiles staged;
    for (std::size_t i = 0; i < ranges.size(); ++i)
        if (WriteFailure failure = writer.WritePicture(static_cast<int>(i) + 1, ranges[i], format, outputs[i], staged))
            return KifuWriteFailure{outputs[i], *failure};
    try {
        staged.Commit();
    } catch (const CFileException& e) {
        return KifuWriteFailure{e.m_strFileName, e.GetOsErrorText()};
    }
    return std::nullopt;
}
