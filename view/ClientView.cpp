#include "ClientView.h"

#include "StoneImages.h"
#include "fw/core/MessageBox.h"
#include "record/ClientDoc.h"
#include "res/resource.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

constexpr std::array kEntries{
    ON_COMMAND(ID_DEFINE_BOMB, &CClientView::OnDefineBomb),
    ON_COMMAND(ID_STEP_BACK, &CClientView::OnStepBack),
    ON_COMMAND(ID_STEP_FORWARD, &CClientView::OnStepForward),
    ON_COMMAND(ID_GO_TO_START, &CClientView::OnGoToStart),
    ON_COMMAND(ID_GO_TO_END, &CClientView::OnGoToEnd),
    ON_COMMAND(ID_PASS, &CClientView::OnPass),
    ON_COMMAND(ID_SHOW_LAST10, &CClientView::OnShowLast10),
    ON_COMMAND(ID_SHOW_ALL, &CClientView::OnShowAll),
};

// The 30 x 30 cell of a point, where its stone and the marker are drawn.
QRect PointSquare(int x, int y)
{
    return QRect(PointToPixel(x) - 15, PointToPixel(y) - 15, STONE_PIXELS, STONE_PIXELS);
}

// The cell whose top-left corner is the centre of (x, y): the cell of
// (x + 1, y + 1). Invalidated after a stone appears, as the program always has.
QRect CornerSquare(int x, int y)
{
    return QRect(PointToPixel(x) + 15, PointToPixel(y) + 15, STONE_PIXELS, STONE_PIXELS);
}

bool IsMark(MovePoint entry)
{
    return entry.x >= 20 || entry.y >= 20;
}

const QColor kMarkerColour(192, 0, 0);
const QPoint kCaptionOrigin(20, 610);

}  // namespace

const MessageMap CClientView::messageMap{&CView::messageMap, kEntries};

CClientView::CClientView(QWidget* pParent) : CView(pParent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_screen = QImage(size(), QImage::Format_RGB32);
}

CClientDoc* CClientView::GetDocument() const
{
    return static_cast<CClientDoc*>(CView::GetDocument());
}

void CClientView::OnDraw(QPainter&)
{
}

// ---- invalidation and painting -------------------------------------------

void CClientView::InvalidateRect(const QRect& rect, bool bErase)
{
    m_invalid += rect;
    if (bErase)
        m_erase += rect;
    update();
}

void CClientView::OnUpdate()
{
    InvalidateRect(rect(), true);
}

void CClientView::UpdateWindow()
{
    repaint();
}

void CClientView::resizeEvent(QResizeEvent*)
{
    QImage screen(size(), QImage::Format_RGB32);
    screen.fill(palette().color(QPalette::Base));
    QPainter(&screen).drawImage(0, 0, m_screen);
    m_screen = std::move(screen);
    InvalidateRect(rect(), true);
}

const QImage& CClientView::ScreenImage()
{
    Render();
    return m_screen;
}

void CClientView::paintEvent(QPaintEvent* pEvent)
{
    Render();
    QPainter painter(this);
    painter.drawImage(pEvent->rect(), m_screen, pEvent->rect());
}

void CClientView::Render()
{
    if (m_invalid.isEmpty() || !GetDocument())
        return;
    QPainter painter(&m_screen);
    for (const QRect& rect : m_erase)
        painter.fillRect(rect, palette().color(QPalette::Base));
    painter.setClipRegion(m_invalid);
    painter.drawImage(QPoint(0, 0), StoneImages::Get().board);
    painter.setClipping(false);
    m_invalid = QRegion();
    m_erase = QRegion();
    DrawStones(painter);
    DrawLabels(painter);
}

void CClientView::DrawStones(QPainter& painter)
{
    const CClientDoc& doc = *GetDocument();
    const StoneImages& images = StoneImages::Get();
    bool bAnyStone = false;
    for (int x = 1; x <= BOARD_SIZE; ++x) {
        for (int y = 1; y <= BOARD_SIZE; ++y) {
            const QImage* pStone = images.ForValue(doc.ValueAt(x, y));
            if (doc.ValueAt(x, y) != PT_EMPTY)
                bAnyStone = true;
            if (pStone)
                painter.drawImage(PointSquare(x, y).topLeft(), *pStone);
        }
    }

    if (doc.m_nCurMove == 0 || !bAnyStone)
        return;
    const MovePoint last = doc.m_moves[doc.m_nCurMove - 1];
    if (IsMark(last))
        return;
    painter.setPen(QPen(kMarkerColour, 1));
    painter.setBrush(Qt::NoBrush);
    // A stroked rectangle covers its size plus the pen: the cell's outer ring.
    painter.drawRect(PointSquare(last.x, last.y).adjusted(0, 0, -1, -1));
}

void CClientView::DrawLabels(QPainter& painter)
{
    const CClientDoc& doc = *GetDocument();
    painter.setFont(font());
    const QFontMetrics metrics(painter.font());
    if (doc.m_nCurMove > 0) {
        // The widest caption, white on white, blanks what an earlier one left.
        const QString colour = QString::fromStdString(doc.m_strColor);
        const QString widest = colour + QStringLiteral("361.-11-11");
        const QString caption = colour + QString::number(doc.m_nCurMove) + QLatin1Char('.') +
                                QString::number(doc.m_nShowX) + QString::number(doc.m_nShowY);
        painter.fillRect(QRect(kCaptionOrigin, metrics.size(0, widest)), Qt::white);
        painter.fillRect(QRect(kCaptionOrigin, metrics.size(0, caption)), Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(QRect(kCaptionOrigin, metrics.size(0, caption)), Qt::AlignLeft | Qt::AlignTop, caption);
    }
    if (m_bShowLast10 == 1)
        DrawMoveNumbers(painter, std::min(10, doc.m_nCurMove));
    if (m_bShowAll == 1)
        DrawMoveNumbers(painter, doc.m_nCurMove);
}

void CClientView::DrawMoveNumbers(QPainter& painter, int nCount)
{
    const CClientDoc& doc = *GetDocument();
    const QFontMetrics metrics(painter.font());
    for (int i = 0; i < nCount; ++i) {
        const int k = doc.m_nCurMove - i;
        const MovePoint entry = doc.m_moves[k - 1];
        if (IsMark(entry) || doc.ValueAt(entry.x, entry.y) == PT_EMPTY)
            continue;
        const QString number = QString::number(k);
        const QPoint origin(PointToPixel(entry.x) - 13, PointToPixel(entry.y) - 7);
        painter.setPen(k % 2 != 0 ? Qt::white : Qt::black);
        painter.drawText(QRect(origin, metrics.size(0, number)), Qt::AlignLeft | Qt::AlignTop, number);
    }
}

// ---- mouse ------------------------------------------------------------------

void CClientView::mousePressEvent(QMouseEvent* pEvent)
{
    const QPoint point = pEvent->position().toPoint();
    if (pEvent->button() == Qt::LeftButton)
        OnLButtonDown(point);
    else if (pEvent->button() == Qt::RightButton)
        OnRButtonDown(point);
}

void CClientView::mouseDoubleClickEvent(QMouseEvent*)
{
    // The second press of a double click does nothing.
}

void CClientView::OnLButtonDown(QPoint point)
{
    CClientDoc& doc = *GetDocument();
    const int x = PixelToPoint(point.x());
    const int y = PixelToPoint(point.y());
    if (!IsGridPoint(x, y))
        return;
    if (doc.ValueAt(x, y) != PT_EMPTY) {
        AfxMessageBox("禁手!");
        return;
    }
    if (doc.m_nCurMove > 0)
        InvalidateEntryPoint(doc.m_nCurMove - 1);
    doc.RecordMoveAt(x, y);
    InvalidateRect(CornerSquare(x, y));
    UpdateWindow();
}

void CClientView::OnRButtonDown(QPoint point)
{
    CClientDoc& doc = *GetDocument();
    const int x = PixelToPoint(point.x());
    const int y = PixelToPoint(point.y());
    if (IsBoardPoint(x, y)) {
        if (doc.ValueAt(x, y) == PT_EMPTY) {
            AfxMessageBox("无效点!");
            return;
        }
        doc.RemoveGroupAt(x, y);
        doc.AddStoneToGroups(x, y);
    }
    OnUpdate();
    UpdateWindow();
}

// ---- commands ---------------------------------------------------------------

void CClientView::InvalidateEntryPoint(int nEntry)
{
    const CClientDoc& doc = *GetDocument();
    if (nEntry >= 0 && nEntry < doc.m_moves.GetSize())
        InvalidateRect(PointSquare(doc.m_moves[nEntry].x, doc.m_moves[nEntry].y));
}

void CClientView::InvalidateEntryCorner(int nEntry)
{
    const CClientDoc& doc = *GetDocument();
    if (nEntry >= 0 && nEntry < doc.m_moves.GetSize())
        InvalidateRect(CornerSquare(doc.m_moves[nEntry].x, doc.m_moves[nEntry].y));
}

void CClientView::RepaintAfterStep()
{
    const CClientDoc& doc = *GetDocument();
    // Stones a capture took off can only go with a repaint of the whole view.
    if (doc.m_nCapturesBefore != doc.m_nCaptures)
        OnUpdate();
    else
        UpdateWindow();
}

void CClientView::OnStepBack()
{
    CClientDoc& doc = *GetDocument();
    doc.StepBack();
    const int n = doc.m_nCurMove;
    if (n < doc.m_moves.GetSize() - 1)
        InvalidateEntryCorner(n + 1);
    InvalidateEntryPoint(n);
    RepaintAfterStep();
}

void CClientView::OnStepForward()
{
    CClientDoc& doc = *GetDocument();
    doc.StepForward();
    const int n = doc.m_nCurMove;
    if (n > 1)
        InvalidateEntryPoint(n - 2);
    if (n > 0)
        InvalidateEntryCorner(n - 1);
    RepaintAfterStep();
}

void CClientView::OnDefineBomb()
{
    GetDocument()->RecordBomb();
    OnUpdate();
    UpdateWindow();
}

void CClientView::OnPass()
{
    GetDocument()->RecordPass();
    OnUpdate();
    UpdateWindow();
}

void CClientView::OnGoToStart()
{
    GetDocument()->GoToStart();
    OnUpdate();
    UpdateWindow();
}

void CClientView::OnGoToEnd()
{
    GetDocument()->GoToEnd();
    OnUpdate();
    UpdateWindow();
}

void CClientView::OnShowLast10()
{
    ++m_nLast10Toggles;
    m_bShowLast10 = m_nLast10Toggles % 2 != 0 ? 1 : 0;
    OnUpdate();
    UpdateWindow();
}

void CClientView::OnShowAll()
{
    ++m_nAllToggles;
    m_bShowAll = m_nAllToggles % 2 != 0 ? 1 : 0;
    OnUpdate();
    UpdateWindow();
}
