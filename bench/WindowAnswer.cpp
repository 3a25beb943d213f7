// How long the board window takes to answer after a burst of replay keys, as
// the window system queues them while a step is being computed: the keys are
// posted to the view of a shown game (offscreen), then a probe event behind
// them. Printed: the milliseconds until the probe is handled (the window
// answers other input) and until the keys' work is done.
//
//   window_answer pageup N KEYS   KEYS Page Up presses at the end of N random stones
//   window_answer left N KEYS     KEYS Left presses there
//   window_answer end N [FAMILY]     End at the start of N entries of a hostile
//                                    family: found (FoundCycle2x4WithMarks, the
//                                    default), corner, snake, onepoint, twopoints,
//                                    passes, fill-rows, fill-shuffled (and the other
//                                    FillOrder names)
//   window_answer cancel N [FAMILY]  the same, the probe cancelling the progress
//                                    window
//
// --one-by-one runs every key as it comes and shows no progress window, as the
// view did before it merged keys: its thresholds are set beyond reach.
#include "GameRecords.h"
#include "HostileRecords.h"
#include "record/ClientDoc.h"
#include "view/ClientView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProgressDialog>

#include <charconv>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

namespace {

using namespace std::chrono_literals;

// Handled when the window gets to it: notes the time, and cancels a progress
// window when asked to.
class CProbe : public QObject {
public:
    CProbe(const QElapsedTimer& clock, bool bCancel) : m_clock(clock), m_bCancel(bCancel) {}

    qint64 m_nAnsweredMs = -1;

protected:
    bool event(QEvent* pEvent) override
    {
        if (pEvent->type() != QEvent::User)
            return QObject::event(pEvent);
        m_nAnsweredMs = m_clock.elapsed();
        if (auto* pDialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()); pDialog && m_bCancel)
            pDialog->cancel();
        return true;
    }

private:
    const QElapsedTimer& m_clock;
    bool m_bCancel;
};

MoveRecord MakeHostile(std::string_view family, int nEntries)
{
    if (family == "corner")
        return MakeCornerCycle(nEntries);
    if (family == "snake")
        return MakeCornerSnake(nEntries);
    if (family == "onepoint")
        return MakeStonesAllOnOnePoint(nEntries);
    if (family == "twopoints")
        return MakeTwoPointsInTurn(nEntries);
    if (family == "passes")
        return MakePassesOnly(nEntries);
    for (const FillOrder order : ALL_FILL_ORDERS)
        if (family == "fill-" + std::string(FillOrderName(order)))
            return MakeFill(order, WHOLE_BOARD, nEntries, 0x60'4000);
    return MakeShortCycle({0x3f82c1e2bfec044d, {9, 16, 2, 4}, 13, 5}, nEntries);
}

int Usage()
{
    std::fputs("usage: window_answer pageup|left N KEYS [--one-by-one]\n"
               "       window_answer end|cancel N [FAMILY] [--one-by-one]\n",
               stderr);
    return 2;
}

bool ParseCount(std::string_view text, int& nValue)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), nValue);
    return error == std::errc() && end == text.data() + text.size() && nValue > 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::string_view scenario = argc >= 3 ? argv[1] : "";
    const bool bKeys = scenario == "pageup" || scenario == "left";
    const bool bEnd = scenario == "end" || scenario == "cancel";
    int nEntries = 0;
    int nKeys = 1;
    if ((!bKeys && !bEnd) || !ParseCount(argv[2], nEntries) || (bKeys && (argc < 4 || !ParseCount(argv[3], nKeys))))
        return Usage();
    bool bOneByOne = false;
    std::string_view family = "found";
    for (int i = bKeys ? 4 : 3; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--one-by-one")
            bOneByOne = true;
        else
            family = argv[i];
    }

    CClientDoc doc;
    doc.LoadRecord(bKeys ? MakeEntryMix(nEntries, 0xF11E) : MakeHostile(family, nEntries));
    if (bKeys)
        doc.GoToEnd();
    CClientView view;
    view.SetDocument(&doc);
    view.resize(610, 640);
    view.show();
    if (bOneByOne)
        view.SetReplayThresholds({.nMergeFromEntries = std::numeric_limits<int>::max(), .progressAfter = 24h});
    QCoreApplication::processEvents();

    const Qt::Key key = scenario == "pageup" ? Qt::Key_PageUp : scenario == "left" ? Qt::Key_Left : Qt::Key_End;
    const int nSteps = scenario == "pageup" ? 10 * nKeys : nKeys;
    const int nTarget = bKeys ? std::max(0, nEntries - nSteps) : nEntries;
    QElapsedTimer clock;
    clock.start();
    CProbe probe(clock, scenario == "cancel");
    for (int i = 0; i < nKeys; ++i)
        QCoreApplication::postEvent(&view, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(&probe, new QEvent(QEvent::User));
    while (probe.m_nAnsweredMs < 0 || (bKeys && doc.GetCurMove() != nTarget) ||
           QApplication::activeModalWidget() != nullptr)
        QCoreApplication::processEvents();
    const qint64 nDoneMs = clock.elapsed();
    std::printf("%s %s %d entries, %d keys%s: answers after %lld ms, done after %lld ms at position %d of %d\n",
                argv[1], bKeys ? "random" : family.data(), nEntries, nKeys, bOneByOne ? " one by one" : "",
                static_cast<long long>(probe.m_nAnsweredMs), static_cast<long long>(nDoneMs), doc.GetCurMove(),
                nEntries);
    return doc.CheckConsistency().empty() ? 0 : 1;
}
