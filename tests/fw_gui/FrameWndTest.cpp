// The frame on its own: it builds whatever menu, keys and texts it is handed
// and routes commands view, document, frame, application. No program here,
// only a small set of resources of the test's own.
#include "fw/core/CDocument.h"
#include "fw/core/FrameworkIds.h"
#include "fw/gui/CFrameWnd.h"
#include "fw/gui/CView.h"

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QTest>

#include <array>
#include <memory>

namespace {

constexpr unsigned IDR_TEST = 200;
constexpr unsigned ID_PING = 1001;   // the document handles it
constexpr unsigned ID_SHARED = 1002; // the view and the document handle it
constexpr unsigned ID_ORPHAN = 1003; // on the menu, handled by nobody

std::string_view TestString(unsigned nID)
{
    switch (nID) {
    case IDR_TEST:
        return "Test Frame\n\nTest";
    case ID_PING:
        return "Sends a ping\nPing";
    default:
        return {};
    }
}

constexpr MenuItemDef kGameItems[] = {
    {ID_PING, "&Ping\tCtrl+K"},
    {ID_SEPARATOR, {}},
    {ID_SHARED, "&Shared"},
    {ID_ORPHAN, "&Orphan"},
};
constexpr PopupMenuDef kMenu[] = {{"&Game", kGameItems}};
constexpr AcceleratorDef kKeys[] = {{FVIRTKEY | FCONTROL, 'K', ID_PING}};

const CResourceSet kResources{
    .pfnLoadString = &TestString,
    .menu = kMenu,
    .accelerators = kKeys,
    .toolbar = {},
};

class CTestDoc : public CDocument {
public:
    void Serialize(CArchive&) override {}
    void OnPing() { ++m_nPings; }
    void OnShared() { ++m_nShared; }

    int m_nPings = 0;
    int m_nShared = 0;

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;
};

constexpr std::array kDocEntries{
    ON_COMMAND(ID_PING, &CTestDoc::OnPing),
    ON_COMMAND(ID_SHARED, &CTestDoc::OnShared),
};
const MessageMap CTestDoc::messageMap{&CDocument::messageMap, kDocEntries};

class CTestView : public CView {
public:
    using CView::CView;
    void OnDraw(QPainter&) override {}
    void OnShared() { ++m_nShared; }

    int m_nShared = 0;

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;
};

constexpr std::array kViewEntries{ON_COMMAND(ID_SHARED, &CTestView::OnShared)};
const MessageMap CTestView::messageMap{&CView::messageMap, kViewEntries};

class FrameWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const CFrameWnd::CreateContext context{&m_doc, [this](QWidget* pParent) {
                                                   m_pView = new CTestView(pParent);
                                                   return m_pView;
                                               }};
        ASSERT_TRUE(m_frame.LoadFrame(IDR_TEST, kResources, context));
    }

    QList<QAction*> GameMenuItems() const { return m_frame.menuBar()->actions().front()->menu()->actions(); }

    CTestDoc m_doc;
    CTestView* m_pView = nullptr;
    CFrameWnd m_frame;
};

TEST_F(FrameWndTest, MenuTitleAndPromptsComeFromTheResourcesItIsHanded)
{
    ASSERT_EQ(m_frame.menuBar()->actions().size(), 1);
    EXPECT_EQ(m_frame.menuBar()->actions().front()->text(), QStringLiteral("&Game"));
    const QList<QAction*> items = GameMenuItems();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&Ping\tCtrl+K"));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[0]->statusTip(), QStringLiteral("Sends a ping"));
    EXPECT_EQ(items[0]->toolTip(), QStringLiteral("Ping"));
    EXPECT_EQ(m_frame.windowTitle(), QStringLiteral("Test Frame"));
}

TEST_F(FrameWndTest, ACommandRunsOnTheFirstTargetOfTheRouteThatHandlesIt)
{
    EXPECT_TRUE(m_frame.RouteCommand(ID_SHARED));
    EXPECT_EQ(m_pView->m_nShared, 1);
    EXPECT_EQ(m_doc.m_nShared, 0);

    EXPECT_TRUE(m_frame.RouteCommand(ID_PING));
    EXPECT_EQ(m_doc.m_nPings, 1);
}

TEST_F(FrameWndTest, ACommandNobodyHandlesIsGrayAndDoesNotRun)
{
    m_frame.UpdateCommandUI();
    EXPECT_FALSE(m_frame.IsCommandEnabled(ID_ORPHAN));
    EXPECT_FALSE(GameMenuItems()[3]->isEnabled());
    EXPECT_FALSE(m_frame.RouteCommand(ID_ORPHAN));
    EXPECT_TRUE(GameMenuItems()[0]->isEnabled());
}

TEST_F(FrameWndTest, AKeyOfTheAcceleratorTableRunsItsCommand)
{
    m_frame.show();
    m_frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_frame));
    QTest::keyClick(&m_frame, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(m_doc.m_nPings, 1);
}

}  // namespace
