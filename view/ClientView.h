// The board view: the client of the main window, first on the command route.
// For now it shows the board picture; the stones and the play commands come
// with the board input.
#pragma once

#include "fw/gui/CView.h"

class CClientDoc;

class CClientView : public CView {
public:
    explicit CClientView(QWidget* pParent = nullptr);

    CClientDoc* GetDocument() const;

    // Printing and print preview give blank pages.
    void OnDraw(QPainter& painter) override;

    // Room for the 600 x 600 board and the caption line under it.
    QSize sizeHint() const override { return {610, 640}; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
};
