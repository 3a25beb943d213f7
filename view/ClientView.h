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
//
// On a long record one step back can take a while. Keys, wheel notches and
// replay commands that come in after a step that took long, before the
// event loop has drained what waits, are merged into one jump (the position
// they lead to, rebuilt once) that runs when the waiting input has been
// read, and again for whatever came in meanwhile; so the view is at most
// one jump behind the input and never works through a queue of steps. A
// jump repaints the whole view. Quick steps run one by one as they come, as
// the menu runs them. Any other command or click first runs what is merged.
// A replay that runs for half a second shows its progress in a modal window
// whose cancel button stops it (CReplayProgressWindow).
//
// Space plays the record forward on its own: one step forward at once and
// then one a second, each through the step-forward command as the menu runs
// it. It stops at the end, on Space again, on any other key, on a click, on
// any command, on a new or opened game, and when a modal box is open; where
// step forward is unavailable Space does nothing.
#pragma once

#include "BoardPainter.h"
#include "MergedReplay.h"
#include "fw/gui/CView.h"

#include <QImage>
#include <QRegion>
#include <QTimer>

#include <chrono>
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

    // The playing started by Space. The timer runs OnAutoplayTick every
    // kAutoplayInterval; tests run it themselves.
    static constexpr std::chrono::milliseconds kAutoplayInterval{1000};
    bool IsAutoplaying() const { return m_autoplayTimer.isActive(); }
    void OnAutoplayTick();

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;
    // Runs what is merged before any command but the replay ones.
    bool OnCommand(unsigned nID) override;
    // A new or opened game: what was merged for the one before is dropped.
    void OnInitialUpdate() override;

    // When the input after a replay command is merged, and when its progress
    // shows; tests change them. Merging starts after a replay that took
    // mergeAfter or longer in a record of nMergeFromEntries entries or more.
    // A step quicker than key repeat (some 30 ms) cannot let input pile up,
    // so 10 ms keeps a long record stepping one key at a time while it can;
    // an ordinary game, a few hundred entries, always steps one key at a
    // time, however busy the machine is.
    struct ReplayThresholds {
        int nMergeFromEntries = 16 * 1024;
        std::chrono::milliseconds mergeAfter{10};
        std::chrono::milliseconds progressAfter{500};
    };
    void SetReplayThresholds(ReplayThresholds thresholds) { m_thresholds = thresholds; }

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
    // The posted run of the merged replay commands.
    bool event(QEvent* pEvent) override;

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

    // A replay command: merged when input is being merged (true), else left
    // to run now (false). During a replay, which a modal progress window may
    // be showing, no other command runs: it is dropped (true).
    bool MergeReplayCommand(unsigned nID, int nTimes = 1);
    // Runs a replay operation with its progress shown when it takes long;
    // one that took long starts merging the input after it.
    template <typename Operation>
    void RunReplay(Operation operation);
    // Runs the merged jump, if any, and waits for more; with none, stops
    // merging.
    void RunMergedReplay();
    void PostMergedRun();
    // Runs action as a command runs, so that running out of memory ends in
    // the frame's recovery.
    template <typename Action>
    void RunRecovering(Action action);

    void Render();
    void FitSurfaceToView();

    void OnAutoplayKey();
    void StopAutoplay() { m_autoplayTimer.stop(); }
    bool IsStepForwardAvailable();

    QImage m_screen;
    QRegion m_invalid;
    QRegion m_erase;
    // Wheel rotation not yet turned into steps, in eighths of a degree: fine
    // wheels report parts of a 120-unit notch.
    int m_nWheelDelta = 0;

    ReplayThresholds m_thresholds;
    CMergedReplay m_merged;
    bool m_bMerging = false;    // a replay took long: input is merged until a posted run finds none
    bool m_bRunPosted = false;  // a run of the merged commands is on its way
    bool m_bReplaying = false;  // inside a replay operation

    QTimer m_autoplayTimer;
    bool m_bAutoplayStepping = false;  // the step forward running is autoplay's own
};
