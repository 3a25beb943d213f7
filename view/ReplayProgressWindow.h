// The progress of a long replay, shown once it has run for a while: a modal
// window with a cancel button, so that no other command runs meanwhile and
// the user can stop it. An ordinary game's replay is over before it shows.
#pragma once

#include "record/ReplayProgress.h"

#include <QElapsedTimer>

#include <chrono>
#include <memory>

class QProgressDialog;
class QWidget;

class CReplayProgressWindow : public CReplayProgress {
public:
    // The clock starts here: the window shows at the first report after
    // delay, over pParent's window.
    CReplayProgressWindow(QWidget* pParent, std::chrono::milliseconds delay);
    // Closes the window, if shown, and activates pParent's window again.
    ~CReplayProgressWindow() override;
    CReplayProgressWindow(const CReplayProgressWindow&) = delete;
    CReplayProgressWindow& operator=(const CReplayProgressWindow&) = delete;

    // Shows the window when it is time, brings it up to date and lets it
    // answer (events are processed) now and then; false once the user
    // cancelled.
    bool Continue(int nDone, int nTotal) override;

    bool WasCancelled() const { return m_bCancelled; }

private:
    QWidget* m_pParent;
    std::chrono::milliseconds m_delay;
    QElapsedTimer m_clock;
    qint64 m_nLastRefreshMs = 0;
    std::unique_ptr<QProgressDialog> m_pDialog;
    bool m_bCancelled = false;
};
