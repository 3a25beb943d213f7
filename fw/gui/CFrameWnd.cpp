#include "CFrameWnd.h"

#include "CView.h"
#include "CWinApp.h"
#include "LockKeys.h"
#include "QtText.h"
#include "fw/core/CCmdUI.h"
#include "fw/core/CDocument.h"
#include "fw/core/FrameworkIds.h"
#include "fw/core/FrameworkText.h"
#include "fw/core/MessageBox.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

#include <array>
#include <new>

namespace {

constexpr std::array kEntries{
    ON_COMMAND(ID_FILE_SAVE, &CFrameWnd::OnFileSave),
    ON_COMMAND(ID_FILE_SAVE_AS, &CFrameWnd::OnFileSaveAs),
    ON_COMMAND(ID_VIEW_TOOLBAR, &CFrameWnd::OnViewToolBar),
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateViewToolBar),
    ON_COMMAND(ID_VIEW_STATUS_BAR, &CFrameWnd::OnViewStatusBar),
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateViewStatusBar),
    ON_UPDATE_COMMAND_UI(ID_NEXT_PANE, &CFrameWnd::OnUpdateNoPanes),
    ON_UPDATE_COMMAND_UI(ID_PREV_PANE, &CFrameWnd::OnUpdateNoPanes),
};

constexpr int kIndicatorPollMs = 250;

// Collects what the update handlers say about one command.
class CStateCmdUI : public CCmdUI {
public:
    void Enable(bool bOn) override { m_bEnabled = bOn; }
    void SetCheck(bool bChecked) override { m_checked = bChecked; }

    bool m_bEnabled = false;
    std::optional<bool> m_checked;
};

Qt::Key QtKeyOf(unsigned nVirtKey)
{
    if (nVirtKey >= 0x41 && nVirtKey <= 0x5A)
        return static_cast<Qt::Key>(Qt::Key_A + (nVirtKey - 0x41));
    switch (nVirtKey) {
    case 0x08:
        return Qt::Key_Backspace;
    case 0x2D:
        return Qt::Key_Insert;
    case 0x2E:
        return Qt::Key_Delete;
    default:
        if (nVirtKey >= 0x70 && nVirtKey <= 0x7B)
            return static_cast<Qt::Key>(Qt::Key_F1 + (nVirtKey - 0x70));
        return Qt::Key_unknown;
    }
}

QKeySequence KeySequenceOf(const AcceleratorDef& accel)
{
    Qt::KeyboardModifiers modifiers;
    if (accel.fVirt & FCONTROL)
        modifiers |= Qt::ControlModifier;
    if (accel.fVirt & FSHIFT)
        modifiers |= Qt::ShiftModifier;
    if (accel.fVirt & FALT)
        modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, QtKeyOf(accel.nVirtKey)));
}

}  // namespace

const MessageMap CFrameWnd::messageMap{&CCmdTarget::messageMap, kEntries};

CFrameWnd::CFrameWnd()
{
    m_idleConnection = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                               [this] { UpdateCommandUI(); });
}

CFrameWnd::~CFrameWnd()
{
    disconnect(m_idleConnection);
}

bool CFrameWnd::LoadFrame(unsigned nIDResource, const CResourceSet& resources, const CreateContext& context)
{
    m_resources = resources;
    BuildMenus();
    BuildAccelerators();
    setWindowIcon(QIcon(ToQString(m_resources.IconPath(nIDResource))));
    setWindowTitle(ToQString(m_resources.LoadString(nIDResource)).section(QLatin1Char('\n'), 0, 0));
    return OnCreate(context);
}

bool CFrameWnd::OnCreate(const CreateContext& context)
{
    if (!context.createView)
        return false;
    m_pView = context.createView(this);
    if (!m_pView)
        return false;
    m_pView->SetDocument(context.pDocument);
    setCentralWidget(m_pView);
    return true;
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pView ? m_pView->GetDocument() : nullptr;
}

QAction* CFrameWnd::CommandAction(unsigned nID)
{
    QAction*& pAction = m_actions[nID];
    if (!pAction) {
        pAction = new QAction(this);
        const std::string_view strCommand = m_resources.LoadString(nID);
        pAction->setStatusTip(ToQString(CommandPrompt(strCommand)));
        pAction->setToolTip(ToQString(CommandTooltip(strCommand)));
        pAction->setEnabled(false);
        connect(pAction, &QAction::triggered, this, [this, nID] { RouteCommand(nID); });
    }
    return pAction;
}

void CFrameWnd::BuildMenus()
{
    for (const PopupMenuDef& popup : m_resources.menu) {
        QMenu* pMenu = menuBar()->addMenu(ToQString(popup.title));
        for (const MenuItemDef& item : popup.items) {
            if (item.nID == ID_SEPARATOR) {
                pMenu->addSeparator();
            } else if (item.nID == ID_FILE_MRU_FILE1) {
                // The placeholder stands where the recent files will be listed.
                const int nRecentFiles = AfxGetApp() ? AfxGetApp()->GetRecentFileCommandCount() : 0;
                for (int i = 0; i < nRecentFiles; ++i) {
                    QAction* pAction = CommandAction(ID_FILE_MRU_FILE1 + i);
                    pMenu->addAction(pAction);
                    m_recentFileActions.push_back(pAction);
                }
                m_strRecentPlaceholder = ToQString(item.text);
            } else {
                QAction* pAction = CommandAction(item.nID);
                pAction->setText(ToQString(item.text));
                pMenu->addAction(pAction);
            }
        }
        connect(pMenu, &QMenu::aboutToShow, this, [this] { UpdateCommandUI(); });
    }
}

void CFrameWnd::BuildAccelerators()
{
    for (const AcceleratorDef& accel : m_resources.accelerators) {
        auto* pShortcut = new QShortcut(KeySequenceOf(accel), this);
        const unsigned nID = accel.nID;
        connect(pShortcut, &QShortcut::activated, this, [this, nID] { RouteCommand(nID); });
    }
}

bool CFrameWnd::CreateToolBar()
{
    const ToolbarDef& toolbar = m_resources.toolbar;
    const QImage strip(ToQString(toolbar.imagePath));
    const auto nImages = std::count_if(toolbar.buttons.begin(), toolbar.buttons.end(),
                                       [](const ToolbarButtonDef& button) { return button.nID != ID_SEPARATOR; });
    if (strip.isNull() || strip.width() < nImages * toolbar.cx || strip.height() < toolbar.cy)
        return false;

    m_pToolBar = addToolBar(QString());
    m_pToolBar->setObjectName(QStringLiteral("toolbar"));
    m_pToolBar->setMovable(false);
    m_pToolBar->setFloatable(false);
    m_pToolBar->setIconSize(QSize(toolbar.cx, toolbar.cy));
    m_pToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    int nImage = 0;
    for (const ToolbarButtonDef& button : toolbar.buttons) {
        if (button.nID == ID_SEPARATOR) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* pAction = CommandAction(button.nID);
        const QImage cell = strip.copy(nImage++ * toolbar.cx, 0, toolbar.cx, toolbar.cy);
        pAction->setIcon(QIcon(QPixmap::fromImage(cell)));
        pAction->setIconVisibleInMenu(false);  // menus carry text only
        m_pToolBar->addAction(pAction);
    }
    return true;
}

bool CFrameWnd::CreateStatusBar(std::span<const unsigned> indicators)
{
    QStatusBar* pStatusBar = statusBar();
    pStatusBar->setSizeGripEnabled(true);
    for (const unsigned nID : indicators) {
        if (nID == ID_SEPARATOR)
            continue;  // the message pane is the status bar's own
        const QString text = ToQString(m_resources.LoadString(nID));
        if (text.isEmpty())
            return false;
        auto* pPane = new QLabel(pStatusBar);
        pPane->setFrameShape(QFrame::Panel);
        pPane->setFrameShadow(QFrame::Sunken);
        pPane->setAlignment(Qt::AlignCenter);
        pPane->setMinimumWidth(pPane->fontMetrics().horizontalAdvance(text) + 8);
        pStatusBar->addPermanentWidget(pPane);
        m_indicatorPanes.emplace_back(nID, pPane);
    }
    // The lock keys change without telling the program: look at them often.
    auto* pTimer = new QTimer(this);
    connect(pTimer, &QTimer::timeout, this, [this] { UpdateIndicators(); });
    pTimer->start(kIndicatorPollMs);
    UpdateIndicators();
    pStatusBar->showMessage(ToQString(m_resources.LoadString(AFX_IDS_IDLEMESSAGE)));
    return true;
}

std::vector<CCmdTarget*> CFrameWnd::CommandRoute()
{
    std::vector<CCmdTarget*> route;
    if (m_pView) {
        route.push_back(m_pView);
        if (CDocument* pDocument = m_pView->GetDocument())
            route.push_back(pDocument);
    }
    route.push_back(this);
    if (CWinApp* pApp = AfxGetApp())
        route.push_back(pApp);
    return route;
}

void CFrameWnd::UpdateCommandState(unsigned nID, CCmdUI& cmdUI)
{
    const std::vector<CCmdTarget*> route = CommandRoute();
    UpdateCommandAlongRoute({route.begin(), route.end()}, nID, cmdUI);
}

bool CFrameWnd::IsCommandEnabled(unsigned nID)
{
    const std::vector<CCmdTarget*> route = CommandRoute();
    return ::IsCommandAvailable({route.begin(), route.end()}, nID);
}

bool CFrameWnd::RouteCommand(unsigned nID)
{
    bool bHandled = false;
    RunRecoveringFromOutOfMemory([&] {
        if (!IsCommandEnabled(nID))
            return;
        for (CCmdTarget* pTarget : CommandRoute())
            if (pTarget->OnCommand(nID)) {
                bHandled = true;
                return;
            }
    });
    return bHandled;
}

void CFrameWnd::ReportOutOfMemory()
{
    // Left to Qt's event loop the exception would end the program and take
    // the user's game with it. Recovering first gives back the memory the
    // failed action held, which the message box needs.
    RecoverFromOutOfMemory();
    if (m_pView)
        m_pView->OnUpdate();
    AfxMessageBox(std::string(fw::FrameworkText(fw::IDS_OUT_OF_MEMORY)));
}

void CFrameWnd::UpdateCommandUI()
{
    UpdateRecentFileActions();
    for (const auto& [nID, pAction] : m_actions) {
        CStateCmdUI state;
        UpdateCommandState(nID, state);
        pAction->setEnabled(state.m_bEnabled);
        if (state.m_checked) {
            pAction->setCheckable(true);
            pAction->setChecked(*state.m_checked);
        }
    }
}

void CFrameWnd::UpdateRecentFileActions()
{
    const CWinApp* pApp = AfxGetApp();
    const CRecentFileList* pList = pApp ? pApp->GetRecentFileList() : nullptr;
    if (!pList || m_recentFileActions.empty())
        return;
    const int nFiles = std::min<int>(pList->GetSize(), static_cast<int>(m_recentFileActions.size()));
    for (int i = 0; i < static_cast<int>(m_recentFileActions.size()); ++i) {
        QAction* pAction = m_recentFileActions[i];
        const QString text = i < nFiles ? QString::fromStdString(pList->GetMenuText(i)) : m_strRecentPlaceholder;
        if (pAction->text() != text)
            pAction->setText(text);
        pAction->setVisible(i < nFiles || i == 0);
    }
}

void CFrameWnd::UpdateIndicators()
{
    for (const auto& [nID, pPane] : m_indicatorPanes) {
        const LockKey key = nID == ID_INDICATOR_CAPS ? LockKey::Caps
                            : nID == ID_INDICATOR_NUM ? LockKey::Num
                                                      : LockKey::Scroll;
        const QString text = IsLockKeyOn(key) ? ToQString(m_resources.LoadString(nID)) : QString();
        if (pPane->text() != text)
            pPane->setText(text);
    }
}

void CFrameWnd::OnFileSave()
{
    if (CSingleDocTemplate* pTemplate = AfxGetApp() ? AfxGetApp()->GetDocTemplate() : nullptr)
        pTemplate->DoFileSave();
}

void CFrameWnd::OnFileSaveAs()
{
    if (CSingleDocTemplate* pTemplate = AfxGetApp() ? AfxGetApp()->GetDocTemplate() : nullptr)
        pTemplate->DoSave({}, true);
}

void CFrameWnd::OnViewToolBar()
{
    if (m_pToolBar)
        m_pToolBar->setVisible(!m_pToolBar->isVisible());
}

void CFrameWnd::OnViewStatusBar()
{
    statusBar()->setVisible(!statusBar()->isVisible());
}

void CFrameWnd::OnUpdateViewToolBar(CCmdUI* pCmdUI) const
{
    pCmdUI->Enable(m_pToolBar != nullptr);
    pCmdUI->SetCheck(m_pToolBar && !m_pToolBar->isHidden());
}

void CFrameWnd::OnUpdateViewStatusBar(CCmdUI* pCmdUI) const
{
    pCmdUI->Enable(true);
    pCmdUI->SetCheck(!statusBar()->isHidden());
}

void CFrameWnd::OnUpdateNoPanes(CCmdUI* pCmdUI) const
{
    pCmdUI->Enable(false);  // the frame has no split panes to move between
}

void CFrameWnd::closeEvent(QCloseEvent* pEvent)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->GetMainWnd() == this && !pApp->SaveAllModified()) {
        pEvent->ignore();
        return;
    }
    if (pApp && pApp->GetMainWnd() == this)
        pApp->CloseAllDocuments();
    pEvent->accept();
}

bool CFrameWnd::event(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::StatusTip) {
        // An empty tip (the pointer left an item) brings back the idle text.
        const QString tip = static_cast<QStatusTipEvent*>(pEvent)->tip();
        statusBar()->showMessage(tip.isEmpty() ? ToQString(m_resources.LoadString(AFX_IDS_IDLEMESSAGE)) : tip);
        return true;
    }
    return QMainWindow::event(pEvent);
}
