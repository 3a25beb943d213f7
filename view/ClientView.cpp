#include "ClientView.h"

#include "BoardPainter.h"
#include "ReplayProgressWindow.h"
#include "fw/core/MessageBox.h"
#include "fw/gui/CFrameWnd.h"
#include "record/ClickRule.h"
#include "record/ClientDoc.h"
#include "res/resource.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>

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

void ShowClickMessage(const ClickResult& result)
{
    if (!result.Message().empty())
        AfxMessageBox(std::string(result.Message()));
}

constexpr int kPageSteps = 10;
constexpr int kWheelNotch = 120;

struct ReplayKey {
    int nKey;
    unsigned nID;
    int nTimes;
};

constexpr ReplayKey kReplayKeys[] = {
    {Qt::Key_Left, ID_STEP_BACK, 1},
    {Qt::Key_Right, ID_STEP_FORWARD, 1},
    {Qt::Key_Home, ID_GO_TO_START, 1},
    {Qt::Key_End, ID_GO_TO_END, 1},
    {Qt::Key_PageUp, ID_STEP_BACK, kPageSteps},
    {Qt::Key_PageDown, ID_STEP_FORWARD, kPageSteps},
};

const ReplayKey* FindReplayKey(int nKey, Qt::KeyboardModifiers modifiers)
{
    // With Ctrl, Shift or Alt a key belongs to the accelerators or to nobody;
    // the keypad's arrows, with Num Lock off, are the arrows.
    if ((modifiers & ~Qt::KeypadModifier) != Qt::NoModifier)
        return nullptr;
    const auto* pKey = std::find_if(std::begin(kReplayKeys), std::end(kReplayKeys),
                                    [nKey](const ReplayKey& key) { return key.nKey == nKey; });
    return pKey != std::end(kReplayKeys) ? pKey : nullptr;
}

// Qt keeps input from a window under a modal box, but not from everything
// that can send the view an event.
bool IsModalBoxOpen()
{
    return QApplication::activeModalWidget() != nullptr;
}

bool IsReplayCommand(unsigned nID)
{
    return nID == ID_STEP_BACK || nID == ID_STEP_FORWARD || nID == ID_GO_TO_START || nID == ID_GO_TO_END;
}

// Posted to run the merged replay commands; low priority, so that it comes
// after the input that waits when it is posted.
const QEvent::Type kMergedRunEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// For the length of one replay operation: the document reports to progress,
// and the view knows that it is replaying.
class CReplayScope {
public:
    CReplayScope(bool& bReplaying, CClientDoc& doc, CReplayProgress& progress) : m_bReplaying(bReplaying), m_doc(doc)
    {
        m_bReplaying = true;
        m_doc.SetReplayProgress(&progress);
    }
    ~CReplayScope()
    {
        m_doc.SetReplayProgress(nullptr);
        m_bReplaying = false;
    }
    CReplayScope(const CReplayScope&) = delete;
    CReplayScope& operator=(const CReplayScope&) = delete;

private:
    bool& m_bReplaying;
    CClientDoc& m_doc;
};

}  // namespace

const MessageMap CClientView::messageMap{&CView::messageMap, kEntries};

CClientView::CClientView(QWidget* pParent) : CView(pParent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The replay keys need the focus, which the window gives its first
    // focusable child when it becomes active.
    setFocusPolicy(Qt::StrongFocus);
    m_screen = QImage(size(), QImage::Format_RGB32);
    m_autoplayTimer.setInterval(kAutoplayInterval);
    connect(&m_autoplayTimer, &QTimer::timeout, this, &CClientView::OnAutoplayTick);
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

void CClientView::RepaintWholeView()
{
    OnUpdate();
    UpdateWindow();
}

void CClientView::resizeEvent(QResizeEvent*)
{
    FitSurfaceToView();
}

void CClientView::FitSurfaceToView()
{
    if (m_screen.size() == size())
        return;
    QImage screen(size(), QImage::Format_RGB32);
    screen.fill(WindowColour());
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
    // A hidden view gets no resize events; its surface follows it here.
    FitSurfaceToView();
    if (m_invalid.isEmpty() || !GetDocument())
        return;
    PaintBoard(m_screen, *GetDocument(), {m_bShowLast10, m_bShowAll}, m_invalid, m_erase);
    m_invalid = QRegion();
    m_erase = QRegion();
}

// ---- mouse ------------------------------------------------------------------

void CClientView::mousePressEvent(QMouseEvent* pEvent)
{
    StopAutoplay();
    const QPoint point = pEvent->position().toPoint();
    const Qt::MouseButton button = pEvent->button();
    const auto press = [&] {
        if (button == Qt::LeftButton)
            OnLButtonDown(point);
        else if (button == Qt::RightButton)
            OnRButtonDown(point);
    };
    // A stone recorded may need memory, as a command does. What was merged
    // before the click comes first.
    RunRecovering([&] {
        if (!m_merged.IsEmpty())
            RunMergedReplay();
        press();
    });
}

template <typename Action>
void CClientView::RunRecovering(Action action)
{
    if (auto* pFrame = dynamic_cast<CFrameWnd*>(window()))
        pFrame->RunRecoveringFromOutOfMemory(action);
    else
        action();
}

void CClientView::mouseDoubleClickEvent(QMouseEvent*)
{
    // The second press of a double click does nothing.
}

void CClientView::OnLButtonDown(QPoint point)
{
    const int x = PixelToPoint(point.x());
    const int y = PixelToPoint(point.y());
    const ClickResult result = LeftClickAt(*GetDocument(), x, y);
    ShowClickMessage(result);
    if (result.outcome != ClickOutcome::Recorded)
        return;
    // Stones and the marker are drawn on every paint; the board picture comes
    // back only where the old marker stood and in the corner square that the
    // board has always refreshed for a new stone.
    if (result.previousLast)
        InvalidateRect(PointSquare(result.previousLast->x, result.previousLast->y));
    InvalidateRect(CornerSquare(x, y));
    UpdateWindow();
}

void CClientView::OnRButtonDown(QPoint point)
{
    const ClickResult result = RightClickAt(*GetDocument(), PixelToPoint(point.x()), PixelToPoint(point.y()));
    ShowClickMessage(result);
    if (result.outcome == ClickOutcome::InvalidPoint)
        return;
    RepaintWholeView();
}

// ---- keyboard and wheel -----------------------------------------------------

void CClientView::keyPressEvent(QKeyEvent* pEvent)
{
    // Holding Space down must not start and stop the playing over and over.
    if (pEvent->key() == Qt::Key_Space && pEvent->isAutoRepeat())
        return;
    if (!OnKeyDown(pEvent->key(), pEvent->modifiers()))
        CView::keyPressEvent(pEvent);
}

void CClientView::wheelEvent(QWheelEvent* pEvent)
{
    OnMouseWheel(pEvent->angleDelta().y());
}

bool CClientView::OnKeyDown(int nKey, Qt::KeyboardModifiers modifiers)
{
    if (nKey == Qt::Key_Space && modifiers == Qt::NoModifier) {
        OnAutoplayKey();
        return true;
    }
    StopAutoplay();
    const ReplayKey* pKey = FindReplayKey(nKey, modifiers);
    if (!pKey)
        return false;
    if (!IsModalBoxOpen())
        RunCommand(pKey->nID, pKey->nTimes);
    return true;
}

void CClientView::OnMouseWheel(int nDelta)
{
    // Here, not only in OnCommand: a merged step never reaches it.
    StopAutoplay();
    if (nDelta == 0 || IsModalBoxOpen())
        return;
    // A turn the other way starts afresh rather than paying off what the
    // last turn left short of a notch.
    if ((nDelta > 0) != (m_nWheelDelta > 0))
        m_nWheelDelta = 0;
    m_nWheelDelta += nDelta;
    const int nNotches = m_nWheelDelta / kWheelNotch;
    m_nWheelDelta -= nNotches * kWheelNotch;
    if (nNotches > 0)
        RunCommand(ID_STEP_BACK, nNotches);
    else if (nNotches < 0)
        RunCommand(ID_STEP_FORWARD, -nNotches);
}

void CClientView::RunCommand(unsigned nID, int nTimes)
{
    // Merged commands count where the merged ones lead, not where the
    // document stands.
    if (MergeReplayCommand(nID, nTimes))
        return;
    auto* pFrame = dynamic_cast<CFrameWnd*>(window());
    for (int i = 0; i < nTimes; ++i) {
        // A step that did not run (the end reached, memory out) ends the run.
        if (pFrame ? !pFrame->RouteCommand(nID) : !(IsCommandAvailable(nID) && OnCommand(nID)))
            return;
    }
}

// For a view without a frame: the view and its document, which lead the
// frame's route, decide as they do there.
bool CClientView::IsCommandAvailable(unsigned nID) const
{
    return ::IsCommandAvailable({this, GetDocument()}, nID);
}

// ---- autoplay ---------------------------------------------------------------

void CClientView::OnAutoplayKey()
{
    if (IsAutoplaying()) {
        StopAutoplay();
        return;
    }
    if (IsModalBoxOpen() || !IsStepForwardAvailable())
        return;
    m_autoplayTimer.start();
    OnAutoplayTick();
}

void CClientView::OnAutoplayTick()
{
    if (!IsAutoplaying())
        return;
    // A box opened meanwhile (a replay's progress among them) ends it.
    if (IsModalBoxOpen() || !IsStepForwardAvailable()) {
        StopAutoplay();
        return;
    }
    {
        const QScopedValueRollback stepping(m_bAutoplayStepping, true);
        RunCommand(ID_STEP_FORWARD);
    }
    if (!IsStepForwardAvailable())
        StopAutoplay();
}

bool CClientView::IsStepForwardAvailable()
{
    if (auto* pFrame = dynamic_cast<CFrameWnd*>(window()))
        return pFrame->IsCommandEnabled(ID_STEP_FORWARD);
    return IsCommandAvailable(ID_STEP_FORWARD);
}

// ---- merging the replay commands ---------------------------------------------

bool CClientView::MergeReplayCommand(unsigned nID, int nTimes)
{
    if (m_bReplaying)
        return true;
    if (!m_bMerging)
        return false;
    const CClientDoc& doc = *GetDocument();
    m_merged.Add(nID, nTimes, doc.GetCurMove(), doc.GetMoves().GetSize());
    // Already posted as a rule; not when the last run ran out of memory.
    PostMergedRun();
    return true;
}

template <typename Operation>
void CClientView::RunReplay(Operation operation)
{
    QElapsedTimer clock;
    clock.start();
    CReplayProgressWindow progress(this, m_thresholds.progressAfter);
    {
        const CReplayScope scope(m_bReplaying, *GetDocument(), progress);
        operation();
    }
    if (progress.WasCancelled()) {
        // The user stopped here: nothing asked for before goes on from here.
        m_merged.Clear();
        RepaintWholeView();
    }
    if (GetDocument()->GetMoves().GetSize() >= m_thresholds.nMergeFromEntries &&
        clock.elapsed() >= m_thresholds.mergeAfter.count())
        m_bMerging = true;
    if (m_bMerging)
        PostMergedRun();
}

void CClientView::PostMergedRun()
{
    if (m_bRunPosted)
        return;
    m_bRunPosted = true;
    QCoreApplication::postEvent(this, new QEvent(kMergedRunEvent), Qt::LowEventPriority);
}

bool CClientView::event(QEvent* pEvent)
{
    if (pEvent->type() != kMergedRunEvent)
        return CView::event(pEvent);
    m_bRunPosted = false;
    // Delivered while a progress window lets events through: the replay
    // that shows it posts the run again when it ends.
    if (!m_bReplaying)
        RunRecovering([this] { RunMergedReplay(); });
    return true;
}

void CClientView::RunMergedReplay()
{
    CClientDoc& doc = *GetDocument();
    const CMergedReplay::Jump jump =
        m_merged.IsEmpty() ? CMergedReplay::Jump{doc.GetCurMove(), false} : m_merged.Take();
    const int nTarget = std::min(jump.nTarget, doc.GetMoves().GetSize());
    if (!jump.bRebuild && nTarget == doc.GetCurMove()) {
        m_bMerging = false;
        return;
    }
    RunReplay([&] {
        if (jump.bRebuild || nTarget < doc.GetCurMove())
            doc.ReplayTo(nTarget);
        else if (nTarget == doc.GetMoves().GetSize())
            doc.GoToEnd();
        else
            doc.StepForwardTo(nTarget);
        RepaintWholeView();
    });
}

bool CClientView::OnCommand(unsigned nID)
{
    if (!m_bAutoplayStepping)
        StopAutoplay();
    if (!IsReplayCommand(nID)) {
        // A progress window is modal; should a command get past it, it
        // waits for the next time.
        if (m_bReplaying)
            return true;
        if (!m_merged.IsEmpty())
            RunMergedReplay();
    }
    return CView::OnCommand(nID);
}

void CClientView::OnInitialUpdate()
{
    StopAutoplay();
    m_merged.Clear();
    CView::OnInitialUpdate();
}

// ---- commands ---------------------------------------------------------------

void CClientView::InvalidateEntryPoint(int nEntry)
{
    const MoveRecord& moves = GetDocument()->GetMoves();
    if (nEntry >= 0 && nEntry < moves.GetSize())
        InvalidateRect(PointSquare(moves[nEntry].x, moves[nEntry].y));
}

void CClientView::InvalidateEntryCorner(int nEntry)
{
    const MoveRecord& moves = GetDocument()->GetMoves();
    if (nEntry >= 0 && nEntry < moves.GetSize())
        InvalidateRect(CornerSquare(moves[nEntry].x, moves[nEntry].y));
}

void CClientView::RepaintAfterStep()
{
    const CGamePosition& position = GetDocument()->GetPosition();
    // Stones a capture took off can only go with a repaint of the whole view.
    if (position.m_nCapturesBefore != position.m_nCaptures)
        OnUpdate();
    else
        UpdateWindow();
}

void CClientView::OnStepBack()
{
    if (MergeReplayCommand(ID_STEP_BACK))
        return;
    RunReplay([this] {
        CClientDoc& doc = *GetDocument();
        doc.StepBack();
        const int n = doc.GetCurMove();
        if (n < doc.GetMoves().GetSize() - 1)
            InvalidateEntryCorner(n + 1);
        InvalidateEntryPoint(n);
        RepaintAfterStep();
    });
}

void CClientView::OnStepForward()
{
    if (MergeReplayCommand(ID_STEP_FORWARD))
        return;
    RunReplay([this] {
        CClientDoc& doc = *GetDocument();
        doc.StepForward();
        const int n = doc.GetCurMove();
        if (n > 1)
            InvalidateEntryPoint(n - 2);
        if (n > 0)
            InvalidateEntryCorner(n - 1);
        RepaintAfterStep();
    });
}

void CClientView::OnDefineBomb()
{
    GetDocument()->RecordBomb();
    RepaintWholeView();
}

void CClientView::OnPass()
{
    GetDocument()->RecordPass();
    RepaintWholeView();
}

void CClientView::OnGoToStart()
{
    if (MergeReplayCommand(ID_GO_TO_START))
        return;
    RunReplay([this] {
        GetDocument()->GoToStart();
        RepaintWholeView();
    });
}

void CClientView::OnGoToEnd()
{
    if (MergeReplayCommand(ID_GO_TO_END))
        return;
    RunReplay([this] {
        GetDocument()->GoToEnd();
        RepaintWholeView();
    });
}

void CClientView::OnShowLast10()
{
    ++m_nLast10Toggles;
    m_bShowLast10 = m_nLast10Toggles % 2 != 0 ? 1 : 0;
    RepaintWholeView();
}

void CClientView::OnShowAll()
{
    ++m_nAllToggles;
    m_bShowAll = m_nAllToggles % 2 != 0 ? 1 : 0;
    RepaintWholeView();
}
