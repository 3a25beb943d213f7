// Replay input on a long record: keys that come in while steps are being
// computed merge into one jump, and a long replay shows a progress window
// whose cancel leaves a game replay can reach. The view's timing is set so
// that every step counts as slow, or the progress shows at once: the tests
// count replays and never wait.
#include "ViewFixture.h"

#include "res/ProgressText.h"
#include "view/MergedReplay.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QTimer>

#include <initializer_list>
#include <limits>
#include <random>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Stones on seeded random points, as a long game's record looks to replay.
MoveRecord RandomStones(int nEntries)
{
    std::minstd_rand random(2024);
    MoveRecord moves;
    for (int i = 0; i < nEntries; ++i)
        moves.Add({static_cast<int>(1 + random() % BOARD_SIZE), static_cast<int>(1 + random() % BOARD_SIZE)});
    return moves;
}

// What a document that only replays from the empty board to nTarget shows.
struct ReplayedGame {
    ReplayedGame(const MoveRecord& moves, int nTarget) : m_doc(CClientDoc::OneReplay{})
    {
        m_doc.LoadRecord(moves);
        m_doc.StepForwardTo(nTarget);
    }
    CClientDoc m_doc;
};

std::vector<MovePoint> Entries(const MoveRecord& moves)
{
    std::vector<MovePoint> entries;
    for (int i = 0; i < moves.GetSize(); ++i)
        entries.push_back(moves[i]);
    return entries;
}

void ExpectSameGame(const CClientDoc& doc, const CClientDoc& replayed)
{
    EXPECT_EQ(doc.CheckConsistency(), "");
    EXPECT_EQ(doc.GetPosition().m_board, replayed.GetPosition().m_board);
    EXPECT_EQ(doc.GetColorName(), replayed.GetColorName());
    EXPECT_EQ(doc.GetShowX(), replayed.GetShowX());
    EXPECT_EQ(doc.GetShowY(), replayed.GetShowY());
}

class PaintCounter : public QObject {
public:
    int m_nPaints = 0;

protected:
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        m_nPaints += pEvent->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

class ReplayMergingTest : public ViewTest {
protected:
    void LoadAtEnd(int nEntries)
    {
        m_doc.LoadRecord(RandomStones(nEntries));
        m_doc.StepForwardTo(nEntries);
        m_view.OnUpdate();
    }

    static void DrainEvents()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    // The board as a whole repaint shows it: stones and the last stone's marker.
    void ExpectBoardShown()
    {
        QImage expected = ExpectedBoard();
        const MovePoint last = m_doc.GetMoves()[m_doc.GetCurMove() - 1];
        if (m_doc.GetPosition().ValueAt(last.x, last.y) != PT_EMPTY)
            PutMarker(expected, last.x, last.y);
        EXPECT_EQ(Differences(expected, BoardArea()), 0);
    }
};

TEST_F(ReplayMergingTest, ABurstOfKeysTakesTwoReplaysAndShowsWhereTheyLead)
{
    LoadAtEnd(3000);
    m_view.SetReplayThresholds({.nMergeFromEntries = 0, .mergeAfter = 0ms, .progressAfter = 1h});
    PaintCounter paints;
    m_view.installEventFilter(&paints);
    for (int i = 0; i < 200; ++i)
        QCoreApplication::postEvent(&m_view, new QKeyEvent(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier));
    DrainEvents();
    m_view.removeEventFilter(&paints);

    // The first key runs as it comes; the other 199 wait behind it and run
    // as one jump. One replay a key would paint 200 times.
    EXPECT_LE(paints.m_nPaints, 4);
    EXPECT_EQ(m_doc.GetCurMove(), 2800);
    ExpectSameGame(m_doc, ReplayedGame(m_doc.GetMoves(), 2800).m_doc);
    ExpectBoardShown();
}

TEST_F(ReplayMergingTest, MergedKeysCountFromWhereTheKeysBeforeThemLead)
{
    LoadAtEnd(30);
    m_view.SetReplayThresholds({.nMergeFromEntries = 0, .mergeAfter = 0ms, .progressAfter = 1h});
    const auto press = [this](std::initializer_list<Qt::Key> keys) {
        for (const Qt::Key key : keys)
            QCoreApplication::postEvent(&m_view, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        DrainEvents();
    };
    // At 0 after Home, the Left after two Rights still steps back.
    press({Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left});
    EXPECT_EQ(m_doc.GetCurMove(), 1);
    // At the end, Right does nothing.
    press({Qt::Key_End, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_Left});
    EXPECT_EQ(m_doc.GetCurMove(), 19);
    ExpectSameGame(m_doc, ReplayedGame(m_doc.GetMoves(), 19).m_doc);
}

TEST_F(ReplayMergingTest, ACommandAfterMergedKeysRunsThemFirst)
{
    LoadAtEnd(30);
    m_view.SetReplayThresholds({.nMergeFromEntries = 0, .mergeAfter = 0ms, .progressAfter = 1h});
    for (int i = 0; i < 3; ++i)
        QCoreApplication::postEvent(&m_view, new QKeyEvent(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier));
    // The keys arrive; the run of the merged ones has not come yet.
    QCoreApplication::sendPostedEvents(&m_view, QEvent::KeyPress);
    ASSERT_EQ(m_doc.GetCurMove(), 29);
    m_view.OnCommand(ID_PASS);
    EXPECT_EQ(m_doc.GetMoves().GetSize(), 28);
    EXPECT_EQ(m_doc.GetMoves()[27], PASS_MARK);
    DrainEvents();
    EXPECT_EQ(m_doc.GetCurMove(), 28);
}

TEST(MergedReplayTest, StepsWhereTheMenuWouldNotRunThemDoNothing)
{
    CMergedReplay merged;
    merged.Add(ID_STEP_FORWARD, 10, 2, 5);  // stops at the end, 5
    merged.Add(ID_STEP_BACK, 1, 0, 0);      // the position and size given count only at first
    merged.Add(ID_STEP_FORWARD, 1, 0, 5);
    const CMergedReplay::Jump jump = merged.Take();
    EXPECT_EQ(jump.nTarget, 5);
    EXPECT_TRUE(jump.bRebuild);
    EXPECT_TRUE(merged.IsEmpty());

    merged.Add(ID_STEP_BACK, 10, 0, 5);  // at 0: nothing to rebuild
    merged.Add(ID_GO_TO_END, 1, 0, 5);
    EXPECT_FALSE(merged.Take().bRebuild);
}

// ---- the progress window -----------------------------------------------------

// A game of 5000 stones whose document keeps no checkpoints, so that a step
// back replays from the empty board; the view shows the progress at once.
class ReplayProgressTest : public ViewTest {
protected:
    ReplayProgressTest() : m_longDoc(CClientDoc::OneReplay{})
    {
        m_longDoc.LoadRecord(RandomStones(5000));
        m_longDoc.SetModifiedFlag(true);
        m_view.SetDocument(&m_longDoc);
        m_view.SetReplayThresholds({.nMergeFromEntries = std::numeric_limits<int>::max(), .progressAfter = 0ms});
    }

    // Presses key, cancelling the progress window as soon as it answers;
    // what the window showed is kept.
    void PressAndCancel(Qt::Key key)
    {
        QTimer::singleShot(0, &m_view, [this] {
            auto* pDialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(pDialog, nullptr);
            m_strShown = {pDialog->windowTitle(), pDialog->labelText()};
            auto* pButton = pDialog->findChild<QAbstractButton*>();
            ASSERT_NE(pButton, nullptr);
            m_strShown.append(pButton->text());
            pButton->click();
        });
        QTest::keyClick(&m_view, key);
    }

    void ExpectStoppedShortOf(int nTarget, const std::vector<MovePoint>& before)
    {
        EXPECT_EQ(m_strShown, (QStringList{QString::fromUtf8(kReplayProgressText.title.data()),
                                           QString::fromUtf8(kReplayProgressText.label.data()),
                                           QString::fromUtf8(kReplayProgressText.cancel.data())}));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        const int nReached = m_longDoc.GetCurMove();
        EXPECT_GT(nReached, 0);
        EXPECT_LT(nReached, nTarget);
        EXPECT_EQ(Entries(m_longDoc.GetMoves()), before);
        EXPECT_TRUE(m_longDoc.IsModified());
        ExpectSameGame(m_longDoc, ReplayedGame(m_longDoc.GetMoves(), nReached).m_doc);
    }

    CClientDoc m_longDoc;
    QStringList m_strShown;
};

TEST_F(ReplayProgressTest, CancelledGoToEndStopsAtAnEntryReplayReaches)
{
    const std::vector<MovePoint> before = Entries(m_longDoc.GetMoves());
    PressAndCancel(Qt::Key_End);
    ExpectStoppedShortOf(5000, before);
}

TEST_F(ReplayProgressTest, CancelledStepBackLeavesAnEarlierPositionReplayReaches)
{
    const std::vector<MovePoint> before = Entries(m_longDoc.GetMoves());
    m_longDoc.StepForwardTo(5000);
    PressAndCancel(Qt::Key_Left);
    ExpectStoppedShortOf(4999, before);
}

}  // namespace
