// The main window: menu, accelerators, toolbar and status bar built from the
// resource tables, the view as its client, and the command route.
//
// A command goes to the view, then the document, then the frame, then the
// application; the first that has a handler runs it. It is available when an
// update handler on that route enables it or, without an update handler,
// exactly when some target on the route has a handler. Availability is
// worked out whenever the event loop goes idle, when a menu opens, and once
// more just before a command runs: a command found unavailable does not run.
#pragma once

#include "fw/core/CCmdTarget.h"
#include "fw/core/ResourceDefs.h"

#include <QMainWindow>

#include <map>
#include <new>
#include <span>
#include <string>
#include <vector>

class CCmdUI;
class CDocument;
class CView;
class QAction;
class QLabel;
class QToolBar;

class CFrameWnd : public QMainWindow, public CCmdTarget {
public:
    struct CreateContext {
        CDocument* pDocument = nullptr;
        std::function<CView*(QWidget* pParent)> createView;
    };

    CFrameWnd();
    ~CFrameWnd() override;

    // Builds the menu and accelerators of resources, takes the icon and the
    // title (the document string's first field) of nIDResource, then runs
    // OnCreate. The frame keeps resources for its toolbar, prompts and
    // indicators. False when any step failed.
    bool LoadFrame(unsigned nIDResource, const CResourceSet& resources, const CreateContext& context);

    CView* GetActiveView() const { return m_pView; }
    CDocument* GetActiveDocument() const;

    // Runs nID along the route when it is available; true when a handler ran.
    // A command that runs out of memory ends with the document back at its
    // start (RecoverFromOutOfMemory) and the framework's out-of-memory
    // message, not with the end of the program; it gives false.
    bool RouteCommand(unsigned nID);
    // Runs action (a mouse press, a command) the same way: running out of
    // memory part way ends in RecoverFromOutOfMemory and the message; then
    // false.
    // (A template, as wrapping action in a std::function could itself need
    // memory.)
    template <typename Action>
    bool RunRecoveringFromOutOfMemory(Action&& action)
    {
        try {
            action();
            return true;
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory();
            return false;
        }
    }
    bool IsCommandEnabled(unsigned nID);
    // Brings every menu item, button and indicator up to date.
    void UpdateCommandUI();
    // The one action of a command, shared by its menu item and its button.
    QAction* CommandAction(unsigned nID);
    QToolBar* GetToolBar() const { return m_pToolBar; }

    // Framework handlers on the frame.
    void OnFileSave();
    void OnFileSaveAs();
    void OnViewToolBar();
    void OnViewStatusBar();
    void OnUpdateViewToolBar(CCmdUI* pCmdUI) const;
    void OnUpdateViewStatusBar(CCmdUI* pCmdUI) const;
    void OnUpdateNoPanes(CCmdUI* pCmdUI) const;

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

protected:
    // Creates the view as the client window. Derived frames add their bars.
    virtual bool OnCreate(const CreateContext& context);

    // Puts the document where the user can go on after a command ran out of
    // memory part way, keeping what the user made; must not need memory
    // itself. The view is repainted afterwards.
    virtual void RecoverFromOutOfMemory() {}
    // RecoverFromOutOfMemory, a repaint, then the out-of-memory message.
    void ReportOutOfMemory();

    // The toolbar of the resources, fixed along the top; false when its
    // images are missing.
    bool CreateToolBar();
    // The status bar: a message pane, then one pane per indicator id; false
    // when an indicator has no text.
    bool CreateStatusBar(std::span<const unsigned> indicators);

    void closeEvent(QCloseEvent* pEvent) override;
    bool event(QEvent* pEvent) override;

    // Files dragged over the window: taken (the cursor shows it) when the
    // first is a local file. Of the files dropped, the first goes to
    // OnDropFile once the drop has ended, so that its questions and messages
    // do not hold up the program the files came from, and once no modal
    // window is open: one that lets events through (a replay's progress)
    // has the document in the middle of its work.
    void DragAcceptFiles(bool bAccept = true) { setAcceptDrops(bAccept); }
    // Opens strPath as File › Open opens a file chosen.
    virtual void OnDropFile(const std::string& strPath);
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dragMoveEvent(QDragMoveEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    void OpenDroppedFile(const std::string& strPath);
    void BuildMenus();
    void BuildAccelerators();
    void UpdateCommandState(unsigned nID, CCmdUI& cmdUI);
    void UpdateRecentFileActions();
    void UpdateIndicators();
    std::vector<CCmdTarget*> CommandRoute();

    CResourceSet m_resources;
    CView* m_pView = nullptr;
    QToolBar* m_pToolBar = nullptr;
    std::map<unsigned, QAction*> m_actions;
    std::vector<QAction*> m_recentFileActions;
    QString m_strRecentPlaceholder;  // shown, gray, while there are no recent files
    std::vector<std::pair<unsigned, QLabel*>> m_indicatorPanes;
    QMetaObject::Connection m_idleConnection;
};
