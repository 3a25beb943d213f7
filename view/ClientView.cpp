#include "ClientView.h"

#include "record/ClientDoc.h"

#include <QPaintEvent>
#include <QPainter>

CClientView::CClientView(QWidget* pParent) : CView(pParent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

CClientDoc* CClientView::GetDocument() const
{
    return static_cast<CClientDoc*>(CView::GetDocument());
}

void CClientView::OnDraw(QPainter&)
{
}

void CClientView::paintEvent(QPaintEvent* pEvent)
{
    QPainter painter(this);
    painter.setClipRegion(pEvent->region());
    painter.drawImage(QPoint(0, 0), QImage(QStringLiteral(":/images/board.png")));
}
