// The first go to end of each hostile family (HostileRecords.h) at two
// lengths, beside a generated game of the same lengths. Two counters make
// the comparison readable off one line:
//   x_game  this record's time over the generated game's at the same length;
//   x_half  this record's time over its own at half the length: about 2 when
//           replay grows like the length, 4 when it grows like its square.
// Each iteration times only GoToEnd on a freshly loaded document: opening and
// closing the document are the same for every record and would hide the
// difference. The time is the thread's processor time (ThreadClock.h), so
// the Time column shows it, not the wall clock.
#include "GameRecords.h"
#include "HostileRecords.h"
#include "KeepFreedMemory.h"
#include "ThreadClock.h"
#include "record/ClientDoc.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace {

constexpr int kShort = 50'000;
constexpr int kLong = 100'000;

using MakeRecord = MoveRecord (*)(int nEntries);

// The short game is the long one's beginning, so both have the same mix:
// about one pass and one bomb in every hundred entries.
MoveRecord PlayedGame(int nEntries)
{
    static const MoveRecord game = MakePlayedRecord(kLong, kLong / 100, kLong / 100, 0x60'1000);
    MoveRecord prefix;
    prefix.SetSize(nEntries);
    for (int i = 0; i < nEntries; ++i)
        prefix[i] = game[i];
    return prefix;
}


// Mean seconds of each run so far, by name and length, for the counters of
// the runs after it.
std::map<std::pair<std::string, int>, double>& MeanSeconds()
{
    static std::map<std::pair<std::string, int>, double> means;
    return means;
}

void GoToEndFirstTime(benchmark::State& state, const std::string& name, MakeRecord makeRecord)
{
    const int nEntries = static_cast<int>(state.range(0));
    const MoveRecord record = makeRecord(nEntries);
    double dTotal = 0;
    int nCaptures = 0;
    for (auto _ : state) {
        auto doc = std::make_unique<CClientDoc>();
        doc->LoadRecord(record);
        const double dStart = ThreadSeconds();
        doc->GoToEnd();
        const double dElapsed = ThreadSeconds() - dStart;
        state.SetIterationTime(dElapsed);
        dTotal += dElapsed;
        nCaptures = doc->GetPosition().m_nCaptures;
    }
    const double dMean = dTotal / static_cast<double>(state.iterations());
    MeanSeconds()[{name, nEntries}] = dMean;
    state.SetItemsProcessed(state.iterations() * nEntries);
    // The same number before and after a change to replay: both replayed the same game.
    state.counters["captures"] = nCaptures;
    const auto game = MeanSeconds().find({"PlayedGame", nEntries});
    if (game != MeanSeconds().end())
        state.counters["x_game"] = dMean / game->second;
    const auto half = MeanSeconds().find({name, nEntries / 2});
    if (half != MeanSeconds().end())
        state.counters["x_half"] = dMean / half->second;
}

void Register(const std::string& name, MakeRecord makeRecord)
{
    benchmark::RegisterBenchmark(("GoToEnd/" + name).c_str(),
                                 [name, makeRecord](benchmark::State& state) {
                                     GoToEndFirstTime(state, name, makeRecord);
                                 })
        ->Arg(kShort)
        ->Arg(kLong)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv)
{
    KeepFreedMemory();
    // The game runs first: the families' counters divide by its times.
    Register("PlayedGame", PlayedGame);
    for (const HostileFamily& family : HostileFamilies())
        Register(family.name, family.make);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
