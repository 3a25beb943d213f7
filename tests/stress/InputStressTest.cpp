// A long run of random input on the real main window, offscreen: left, right
// and double clicks on and around the board, the frame's keys and the play
// and replay commands. After every event the record must hold its rules and
// show the event's effect and the position must be consistent, and after a
// replay command the board must be the one that replaying the record from the
// start gives.
//
// The run is seeded (WEXLAN_STRESS_SEED overrides the seed); a failure names
// the seed, the event and the events before it.
#include "gui/GuiFixture.h"
#include "support/BoardText.h"
#include "view/ClientView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>

namespace {

#ifdef __SANITIZE_ADDRESS__
constexpr int kEvents = 2000;
#else
constexpr int kEvents = 10000;
#endif
constexpr int kScreenEvery = 250;
constexpr int kMargin = 40;  // pixels around the view that clicks may reach

struct KeyStroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* pszName;
};

// The accelerators (without Ctrl+P, whose print dialog would wait for a
// user) and the two keys the menu shows but the table leaves unbound.
const KeyStroke kKeys[] = {
    {Qt::Key_D, Qt::ControlModifier, "Ctrl+D"},          {Qt::Key_N, Qt::ControlModifier, "Ctrl+N"},
    {Qt::Key_O, Qt::ControlModifier, "Ctrl+O"},          {Qt::Key_S, Qt::ControlModifier, "Ctrl+S"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},          {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},          {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Backspace, Qt::AltModifier, "Alt+Backspace"}, {Qt::Key_Delete, Qt::ShiftModifier, "Shift+Delete"},
    {Qt::Key_F6, Qt::NoModifier, "F6"},                  {Qt::Key_F6, Qt::ShiftModifier, "Shift+F6"},
    {Qt::Key_Insert, Qt::ControlModifier, "Ctrl+Insert"}, {Qt::Key_Insert, Qt::ShiftModifier, "Shift+Insert"},
    {Qt::Key_T, Qt::ControlModifier, "Ctrl+T"},          {Qt::Key_F, Qt::ControlModifier, "Ctrl+F"},
};

struct CommandChoice {
    unsigned nID;
    double dWeight;
    const char* pszName;
};

const CommandChoice kCommands[] = {
    {ID_STEP_BACK, 10, "step back"}, {ID_STEP_FORWARD, 10, "step forward"}, {ID_GO_TO_START, 3, "go to start"},
    {ID_GO_TO_END, 4, "go to end"},  {ID_PASS, 4, "pass"},                  {ID_DEFINE_BOMB, 3, "define bomb"},
    {ID_SHOW_LAST10, 3, "show last 10"}, {ID_SHOW_ALL, 3, "show all"},
};

struct Event {
    enum Kind { Left, Right, Double, Key, Command } kind;
    QPoint pixel;
    const KeyStroke* pKey;
    const CommandChoice* pCommand;
};

std::string Describe(const Event& event)
{
    static const char* const kKinds[] = {"left click", "right click", "double click"};
    if (event.kind == Event::Key)
        return std::string("key ") + event.pKey->pszName;
    if (event.kind == Event::Command)
        return event.pCommand->pszName;
    return std::string(kKinds[event.kind]) + " at (" + std::to_string(event.pixel.x()) + ", " +
           std::to_string(event.pixel.y()) + ")";
}

bool IsReplay(unsigned nID)
{
    return nID == ID_STEP_BACK || nID == ID_STEP_FORWARD || nID == ID_GO_TO_START || nID == ID_GO_TO_END;
}

// What an event must leave behind, worked out before it runs.
struct Expected {
    int nSize;
    int nCurMove;
    std::optional<MovePoint> lastEntry;
    std::vector<std::string> messages;
    bool bMayStartNewGame;
    std::int32_t bShowLast10;
    std::int32_t bShowAll;
};

unsigned SeedOfRun()
{
    const char* pszSeed = std::getenv("WEXLAN_STRESS_SEED");
    return pszSeed ? static_cast<unsigned>(std::strtoul(pszSeed, nullptr, 10)) : 20240611u;
}

class InputStressTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        StartWithNewGame();
        Frame()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
        m_pView = static_cast<CClientView*>(Frame()->GetActiveView());
    }

    void TearDown() override { m_pApp.reset(); }

    Event RandomEvent()
    {
        std::discrete_distribution<int> kind({30, 12, 8, 10, 40});  // left, right, double, key, command
        // Half the keys are Ctrl+D; the others share the rest.
        std::uniform_int_distribution<std::size_t> key(0, 2 * std::size(kKeys) - 3);
        std::vector<double> weights;
        for (const CommandChoice& choice : kCommands)
            weights.push_back(choice.dWeight);
        std::discrete_distribution<std::size_t> command(weights.begin(), weights.end());
        // Half the clicks go anywhere, half near the points of one corner,
        // where chains meet and replay captures them.
        std::uniform_int_distribution<int> px(-kMargin, m_pView->width() + kMargin - 1);
        std::uniform_int_distribution<int> py(-kMargin, m_pView->height() + kMargin - 1);
        std::uniform_int_distribution<int> corner(30, 134);
        Event event{static_cast<Event::Kind>(kind(m_random)), {}, nullptr, &kCommands[command(m_random)]};
        const std::size_t nKey = key(m_random);
        event.pKey = &kKeys[nKey < std::size(kKeys) ? nKey : 0];
        event.pixel = m_random() % 2 ? QPoint(px(m_random), py(m_random)) : QPoint(corner(m_random), corner(m_random));
        return event;
    }

    Expected Predict(const Event& event) const
    {
        const CClientDoc& doc = *Doc();
        Expected expected{};
        expected.nSize = doc.GetMoves().GetSize();
        expected.nCurMove = doc.GetCurMove();
        expected.bShowLast10 = m_pView->m_bShowLast10;
        expected.bShowAll = m_pView->m_bShowAll;
        const auto record = [&](MovePoint entry) {
            expected.nSize = expected.nCurMove = doc.GetCurMove() + 1;
            expected.lastEntry = entry;
        };
        const int x = PixelToPoint(event.pixel.x());
        const int y = PixelToPoint(event.pixel.y());
        switch (event.kind) {
        case Event::Left:
        case Event::Double:  // the second press of a double click does nothing
            if (IsGridPoint(x, y) && doc.GetPosition().ValueAt(x, y) != PT_EMPTY)
                expected.messages.push_back("禁手!");
            else if (IsGridPoint(x, y))
                record({x, y});
            break;
        case Event::Right:
            if (IsBoardPoint(x, y) && doc.GetPosition().ValueAt(x, y) == PT_EMPTY)
                expected.messages.push_back("无效点!");
            break;
        case Event::Key:
            if (event.pKey->key == Qt::Key_D)
                record(BOMB_MARK);
            expected.bMayStartNewGame = event.pKey->key == Qt::Key_N;
            break;
        case Event::Command: {
            const unsigned nID = event.pCommand->nID;
            if (nID == ID_STEP_BACK)
                expected.nCurMove = std::max(0, doc.GetCurMove() - 1);
            else if (nID == ID_STEP_FORWARD)
                expected.nCurMove = std::min(expected.nSize, doc.GetCurMove() + 1);
            else if (nID == ID_GO_TO_START || nID == ID_GO_TO_END)
                expected.nCurMove = nID == ID_GO_TO_START ? 0 : expected.nSize;
            else if (nID == ID_PASS || nID == ID_DEFINE_BOMB)
                record(nID == ID_PASS ? PASS_MARK : BOMB_MARK);
            else if (nID == ID_SHOW_LAST10)
                expected.bShowLast10 = 1 - expected.bShowLast10;
            else
                expected.bShowAll = 1 - expected.bShowAll;
            break;
        }
        }
        return expected;
    }

    void Perform(const Event& event)
    {
        const Qt::MouseButton button = event.kind == Event::Right ? Qt::RightButton : Qt::LeftButton;
        switch (event.kind) {
        case Event::Left:
        case Event::Right:
            Mouse(QEvent::MouseButtonPress, button, event.pixel);
            Mouse(QEvent::MouseButtonRelease, button, event.pixel);
            break;
        case Event::Double:
            // What a real double click delivers.
            Mouse(QEvent::MouseButtonPress, button, event.pixel);
            Mouse(QEvent::MouseButtonRelease, button, event.pixel);
            Mouse(QEvent::MouseButtonDblClick, button, event.pixel);
            Mouse(QEvent::MouseButtonRelease, button, event.pixel);
            break;
        case Event::Key:
            QTest::keyClick(Frame(), event.pKey->key, event.pKey->modifiers);
            break;
        case Event::Command:
            Frame()->RouteCommand(event.pCommand->nID);
            break;
        }
        QCoreApplication::processEvents();
    }

    // QTest takes the pixel (0, 0) for "the middle of the view", so that one
    // is sent by hand.
    void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint pixel)
    {
        if (pixel.isNull()) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
            QMouseEvent mouse(type, pixel, m_pView->mapToGlobal(pixel), button, held, {});
            QApplication::sendEvent(m_pView, &mouse);
        } else if (type == QEvent::MouseButtonPress) {
            QTest::mousePress(m_pView, button, {}, pixel);
        } else if (type == QEvent::MouseButtonRelease) {
            QTest::mouseRelease(m_pView, button, {}, pixel);
        } else {
            QTest::mouseDClick(m_pView, button, {}, pixel);
        }
    }

    // What is wrong after event, or empty.
    std::string Check(const Event& event, const Expected& expected)
    {
        const CClientDoc& doc = *Doc();
        const int nSize = doc.GetMoves().GetSize();
        std::ostringstream broken;
        if (doc.GetCurMove() < 0 || doc.GetCurMove() > nSize)
            broken << " position " << doc.GetCurMove() << " outside 0.." << nSize;
        for (int i = 0; i < nSize; ++i)
            if (!IsRecordEntry(doc.GetMoves()[i]))
                broken << " entry " << i << " is (" << doc.GetMoves()[i].x << ", " << doc.GetMoves()[i].y << ")";
        const bool bNewGame = expected.bMayStartNewGame && nSize == 0 && doc.GetCurMove() == 0;
        if (!bNewGame && (nSize != expected.nSize || doc.GetCurMove() != expected.nCurMove))
            broken << " size/position " << nSize << "/" << doc.GetCurMove() << ", expected " << expected.nSize << "/"
                   << expected.nCurMove;
        if (expected.lastEntry && nSize > 0 && doc.GetMoves()[nSize - 1] != *expected.lastEntry)
            broken << " last entry (" << doc.GetMoves()[nSize - 1].x << ", " << doc.GetMoves()[nSize - 1].y
                   << ")";
        if (m_prompts.m_messages != expected.messages)
            broken << " messages " << ::testing::PrintToString(m_prompts.m_messages);
        if (m_pView->m_bShowLast10 != expected.bShowLast10 || m_pView->m_bShowAll != expected.bShowAll)
            broken << " number flags " << m_pView->m_bShowLast10 << "/" << m_pView->m_bShowAll;
        if (const std::string strFault = doc.CheckConsistency(); !strFault.empty())
            broken << " inconsistent position: " << strFault;
        if (!broken.str().empty())
            return broken.str();

        // Live play and right-click removals leave boards that replay would
        // not; a rebuild from the start (step back, go to start, an empty
        // game) ends that. At position 0, where those two do not run, the
        // board is empty anyway.
        const bool bReplay = event.kind == Event::Command && IsReplay(event.pCommand->nID);
        if (nSize == 0 || (bReplay && (event.pCommand->nID == ID_STEP_BACK || event.pCommand->nID == ID_GO_TO_START)))
            m_bBoardFromRecord = true;
        else if (expected.lastEntry ||
                 (event.kind == Event::Right &&
                  IsBoardPoint(PixelToPoint(event.pixel.x()), PixelToPoint(event.pixel.y()))))
            m_bBoardFromRecord = false;
        return bReplay && m_bBoardFromRecord ? DifferenceFromReplay() : std::string();
    }

    // Where the board differs from a fresh document that steps forward over
    // the same record as far as the replay position; empty when it does not.
    std::string DifferenceFromReplay() const
    {
        const CClientDoc& doc = *Doc();
        CClientDoc fresh;
        fresh.OnNewDocument();
        fresh.LoadRecord(doc.GetMoves());
        for (int i = 0; i < doc.GetCurMove(); ++i)
            fresh.StepForward();
        const CGamePosition& shown = doc.GetPosition();
        const CGamePosition& replayed = fresh.GetPosition();
        for (int x = 0; x < GRID_SIZE; ++x)
            for (int y = 0; y < GRID_SIZE; ++y)
                if (shown.ValueAt(x, y) != replayed.ValueAt(x, y))
                    return " cell (" + std::to_string(x) + ", " + std::to_string(y) + ") holds " +
                           std::to_string(shown.ValueAt(x, y)) + ", replay gives " +
                           std::to_string(replayed.ValueAt(x, y)) + "\n" + testing_support::BoardText(shown) +
                           "replayed:\n" + testing_support::BoardText(replayed);
        if (doc.GetCurMove() > 0 && (doc.GetColorName() != fresh.GetColorName() || doc.GetShowX() != fresh.GetShowX() ||
                                     doc.GetShowY() != fresh.GetShowY()))
            return " caption " + doc.GetColorName() + std::to_string(doc.GetShowX()) + "," +
                   std::to_string(doc.GetShowY()) + ", replay gives " + fresh.GetColorName() +
                   std::to_string(fresh.GetShowX()) + "," + std::to_string(fresh.GetShowY());
        return {};
    }

    // Answers everything: questions get No and Cancel in turn, file dialogs
    // are cancelled.
    CFakePrompts m_prompts = [] {
        CFakePrompts prompts;
        prompts.m_answerUnqueued = [nQuestions = 0](const std::string&) mutable {
            return ++nQuestions % 2 ? CUserPrompts::Answer::No : CUserPrompts::Answer::Cancel;
        };
        prompts.m_bCancelUnqueuedDialogs = true;
        return prompts;
    }();
    CPromptsOverride m_answeringOverride{m_prompts};
    std::mt19937 m_random{SeedOfRun()};
    CClientView* m_pView = nullptr;
    bool m_bBoardFromRecord = true;
};

TEST_F(InputStressTest, TenThousandRandomEventsKeepTheRecordAndTheReplayedBoardConsistent)
{
    std::vector<std::string> log;
    for (int i = 0; i < kEvents; ++i) {
        const Event event = RandomEvent();
        log.push_back(Describe(event));
        const Expected expected = Predict(event);
        m_prompts.m_messages.clear();
        Perform(event);
        if (const std::string strBroken = Check(event, expected); !strBroken.empty()) {
            std::ostringstream recent;
            for (std::size_t k = log.size() > 40 ? log.size() - 40 : 0; k < log.size(); ++k)
                recent << "  " << k << ": " << log[k] << "\n";
            FAIL() << "seed " << SeedOfRun() << ", event " << i << " (" << log.back() << "):" << strBroken
                   << "\nevents up to it:\n"
                   << recent.str();
        }
        if (i % kScreenEvery == 0) {
            ASSERT_EQ(m_pView->ScreenImage().size(), m_pView->size()) << "seed " << SeedOfRun() << ", event " << i;
        }
    }
}

}  // namespace
