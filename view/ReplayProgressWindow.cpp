#include "ReplayProgressWindow.h"

#include "fw/gui/QtText.h"
#include "res/ProgressText.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

// How often the shown window is brought up to date and answers: often
// enough to feel immediate, seldom enough to cost the replay nothing.
constexpr qint64 kRefreshMs = 50;

}  // namespace

CReplayProgressWindow::CReplayProgressWindow(QWidget* pParent, std::chrono::milliseconds delay)
    : m_pParent(pParent), m_delay(delay)
{
    m_clock.start();
}

CReplayProgressWindow::~CReplayProgressWindow()
{
    if (!m_pDialog)
        return;
    m_pDialog.reset();
    // The keys go back to the window the progress covered: without a window
    // manager to hand it back, the focus would stay with the closed one.
    if (m_pParent)
        m_pParent->window()->activateWindow();
}

bool CReplayProgressWindow::Continue(int nDone, int nTotal)
{
    if (m_bCancelled)
        return false;
    const qint64 nNow = m_clock.elapsed();
    if (!m_pDialog) {
        if (nNow < m_delay.count())
            return true;
        const ProgressTextDef& text = kReplayProgressText;
        m_pDialog = std::make_unique<QProgressDialog>(ToQString(text.label), ToQString(text.cancel), 0, nTotal,
                                                      m_pParent ? m_pParent->window() : nullptr);
        m_pDialog->setWindowTitle(ToQString(text.title));
        m_pDialog->setWindowModality(Qt::ApplicationModal);
        m_pDialog->setMinimumDuration(0);
        m_pDialog->setAutoReset(false);
        m_pDialog->setAutoClose(false);
        m_pDialog->show();
    } else if (nNow - m_nLastRefreshMs < kRefreshMs) {
        return true;
    }
    m_nLastRefreshMs = nNow;
    m_pDialog->setMaximum(nTotal);
    m_pDialog->setValue(nDone);
    QCoreApplication::processEvents();
    m_bCancelled = m_pDialog->wasCanceled();
    return !m_bCancelled;
}
