// The board view: paints the position and turns clicks and the play commands
// into document operations.
//
// Painting follows the program's repaint rule: the board picture is restored
// only inside the invalid part of the view, while stones, the last-move
// marker, the move numbers and the caption are drawn over the whole view on
// every paint. What an earlier paint drew and no later paint covers stays on
// screen until its area is invalidated, which the handlers rely on and do
// deliberately. The view therefore keeps the picture it shows (m_screen) and
// its own invalid region, and shows the whole picture on every paint.
//
// The replay keys and the mouse wheel run the replay commands as the menu
// does: Left / Right step back / forward, Home / End go to the start / end,
// Page Up / Page Down take ten steps, and each wheel notch one step (up is
// back).
#pragma once

#include "BoardPainter.h"
#include "fw/gui/CView.h"

#include <QImage>
#include <QRegion>

#include <cstdint>

class CClientDoc;

class CClientView : public CView {
public:
    explicit CClientView(QWidget* pParent = nullptr);

    CClientDoc* GetDocument() const;

    // Printing and print preview give blank pages.
    void OnDraw(QPainter& painter) override;
    // The whole view, background erased.
    void OnUpdate() override;

    // Room for the 600 x 600 board and the caption line under it.
    QSize sizeHint() const override { return VIEW_SIZE; }

    // Command handlers.
    void OnDefineBomb();
    void OnPass();
    void OnStepBack();
    void OnStepForward();
    void OnGoToStart();
    void OnGoToEnd();
    void OnShowLast10();
    void OnShowAll();

    // Mouse handlers, with the click position in view pixels.
    void OnLButtonDown(QPoint point);
    void OnRButtonDown(QPoint point);

    // Keyboard and wheel handlers: the replay commands, run as the menu runs
    // them; nothing while a modal box is open. OnKeyDown is false for a key
    // that is not the view's, which then goes on to the frame. nDelta is the
    // wheel's turn in eighths of a degree, 120 a notch, positive away from
    // the user.
    bool OnKeyDown(int nKey, Qt::KeyboardModifiers modifiers);
    void OnMouseWheel(int nDelta);

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

    // What the view shows now (painted on demand); for tests and printing of
    // the screen.
    const QImage& ScreenImage();

    std::int32_t m_bShowLast10 = 0;  // 1: numbers of the last ten applied entries
    std::int32_t m_bShowAll = 0;     // 1: numbers of all applied entries
    std::int32_t m_nLast10Toggles = 0;
    std::int32_t m_nAllToggles = 0;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;

private:
    void InvalidateRect(const QRect& rect, bool bErase = false);
    // Paints what is invalid now, as a paint message would.
    void UpdateWindow();
    // The whole view, background erased, painted at once.
    void RepaintWholeView();
    void InvalidateEntryPoint(int nEntry);
    void InvalidateEntryCorner(int nEntry);
    void RepaintAfterStep();

    // Runs a command nTimes, each time only if it is available then, as its
    // menu item would.
    void RunCommand(unsigned nID, int nTimes = 1);
    bool IsCommandAvailable(unsigned nID) const;

    void Render();
    void FitSurfaceToView();

    QImage m_screen;
    QRegion m_invalid;
    QRegion m_erase;
    // Wheel rotation not yet turned into steps, in eighths of a degree: fine
    // wheels report parts of a 120-unit notch.
    int m_nWheelDelta = 0;
};
