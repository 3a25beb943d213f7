// Replay cost: go to end over a played game and over long generated records,
// one step back, go to start and go to end at any depth of a record of a
// million entries, and records a hostile file could hold. The long records
// run at several lengths so that the growth with record length shows.
#include "GameRecords.h"
#include "HostileRecords.h"
#include "record/ClientDoc.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int kLongRecord = 100'000;
constexpr int kMillion = 1'000'000;

const MoveRecord& PlayedGame()
{
    static const MoveRecord game = MakePlayedRecord(300, 2, 2, 0x60'0300);
    return game;
}

// About one pass and one bomb in every hundred entries.
const MoveRecord& LongRecord()
{
    static const MoveRecord record = MakePlayedRecord(kLongRecord, kLongRecord / 100, kLongRecord / 100, 0x60'1000);
    return record;
}

const MoveRecord& MillionRecord()
{
    static const MoveRecord record = MakePlayedRecord(kMillion, kMillion / 100, kMillion / 100, 0x60'2000);
    return record;
}

// The first nEntries entries of the long record: a record of the same mix.
MoveRecord LongRecordPrefix(int nEntries)
{
    MoveRecord prefix;
    prefix.SetSize(nEntries);
    for (int i = 0; i < nEntries; ++i)
        prefix[i] = LongRecord()[i];
    return prefix;
}

// What replaying the record to its end leaves: captures swept and groups left
// in the list.
void ReportEndPosition(benchmark::State& state, const MoveRecord& record)
{
    CClientDoc doc;
    doc.LoadRecord(record);
    doc.GoToEnd();
    const CGamePosition& position = doc.GetPosition();
    state.counters["captures"] = position.m_nCaptures;
    state.counters["groups"] = static_cast<double>(position.GetGroups().size());
    std::size_t nPoints = 0;
    std::size_t nLargest = 0;
    for (const StoneGroup group : position.GetGroups()) {
        nPoints += group.size();
        nLargest = std::max(nLargest, group.size());
    }
    state.counters["points"] = static_cast<double>(nPoints);
    state.counters["largest_group"] = static_cast<double>(nLargest);
    state.counters["checkpoint_bytes"] = static_cast<double>(doc.GetCheckpoints().GetByteSize());
}

void GoToEndFromStart(benchmark::State& state, const MoveRecord& record)
{
    CClientDoc doc;
    doc.LoadRecord(record);
    for (auto _ : state) {
        state.PauseTiming();
        doc.GoToStart();
        state.ResumeTiming();
        doc.GoToEnd();
        benchmark::DoNotOptimize(doc.GetPosition().m_nCaptures);
    }
    state.SetItemsProcessed(state.iterations() * record.GetSize());
    ReportEndPosition(state, record);
}

void BM_GoToEndPlayedGame(benchmark::State& state)
{
    GoToEndFromStart(state, PlayedGame());
}
BENCHMARK(BM_GoToEndPlayedGame)->Unit(benchmark::kMicrosecond);

void BM_GoToEndLongRecord(benchmark::State& state)
{
    GoToEndFromStart(state, LongRecordPrefix(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_GoToEndLongRecord)->Arg(25'000)->Arg(50'000)->Arg(kLongRecord)->Unit(benchmark::kMillisecond);

// The first go to end of a freshly loaded record: every entry replayed (the
// checkpoints are made on the way).
template <typename... DocArgs>
void GoToEndFirstTime(benchmark::State& state, const MoveRecord& record, DocArgs... docArgs)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CClientDoc>(docArgs...);
        doc->LoadRecord(record);
        state.ResumeTiming();
        doc->GoToEnd();
        benchmark::DoNotOptimize(doc->GetPosition().m_nCaptures);
        // Closing the document is not part of going to its end.
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * record.GetSize());
}

void BM_GoToEndMillionFirstTime(benchmark::State& state)
{
    GoToEndFirstTime(state, MillionRecord());
}
BENCHMARK(BM_GoToEndMillionFirstTime)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same without checkpoints, as `wxl board` replays: the difference is
// what taking them costs.
void BM_GoToEndMillionOneReplay(benchmark::State& state)
{
    GoToEndFirstTime(state, MillionRecord(), CClientDoc::OneReplay{});
}
BENCHMARK(BM_GoToEndMillionOneReplay)->Unit(benchmark::kMillisecond)->Iterations(3);


void BM_GoToEndLongRecordFirstTime(benchmark::State& state)
{
    GoToEndFirstTime(state, LongRecord());
}
BENCHMARK(BM_GoToEndLongRecordFirstTime)->Unit(benchmark::kMillisecond);

// A document at position nAt of the million-entry record, its checkpoints made
// by one go to end as a user's first look at the game makes them.
void StepTo(CClientDoc& doc, int nAt)
{
    doc.GoToStart();
    doc.GoToEnd();
    doc.GoToStart();
    while (doc.GetCurMove() < nAt)
        doc.StepForward();
}

// Times one step back per iteration; the step forward that brings the
// position back for the next one is not timed.
void TimeStepBacks(benchmark::State& state, CClientDoc& doc)
{
    for (auto _ : state) {
        doc.StepBack();
        benchmark::DoNotOptimize(doc.GetCurMove());
        state.PauseTiming();
        doc.StepForward();
        state.ResumeTiming();
    }
}

// One step back at position range(0) (then a step forward, not timed, to
// come back): the cost must not grow with the depth.
void BM_StepBackMillionAt(benchmark::State& state)
{
    CClientDoc doc;
    doc.LoadRecord(MillionRecord());
    StepTo(doc, static_cast<int>(state.range(0)));
    TimeStepBacks(state, doc);
}
BENCHMARK(BM_StepBackMillionAt)
    ->Arg(1'000)->Arg(1'500)->Arg(10'000)->Arg(kMillion / 2 + 700)->Arg(kMillion - 300)->Arg(kMillion)
    ->Unit(benchmark::kMicrosecond);

// One step back at the end of a record of range(0) entries, the first of the
// million-entry one, after the go to end that makes its checkpoints: a long
// game's last moves must step back as quickly as a short one's.
void BM_StepBackAtTheEndOf(benchmark::State& state)
{
    CClientDoc doc;
    MoveRecord record;
    record.SetSize(static_cast<int>(state.range(0)));
    for (int i = 0; i < record.GetSize(); ++i)
        record[i] = MillionRecord()[i];
    doc.LoadRecord(std::move(record));
    StepTo(doc, static_cast<int>(state.range(0)));
    TimeStepBacks(state, doc);
}
BENCHMARK(BM_StepBackAtTheEndOf)->Arg(10'000)->Arg(kMillion)->Unit(benchmark::kMicrosecond);

// Holding the back button: a thousand step backs in a row from the end.
void BM_ThousandStepBacksFromTheEnd(benchmark::State& state)
{
    CClientDoc doc;
    doc.LoadRecord(MillionRecord());
    StepTo(doc, kMillion);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            doc.StepBack();
        state.PauseTiming();
        doc.GoToEnd();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ThousandStepBacksFromTheEnd)->Unit(benchmark::kMillisecond);

// Go to end from position range(0), and go to start from there.
void BM_GoToEndMillionFrom(benchmark::State& state)
{
    CClientDoc doc;
    doc.LoadRecord(MillionRecord());
    StepTo(doc, 0);
    for (auto _ : state) {
        state.PauseTiming();
        StepTo(doc, static_cast<int>(state.range(0)));
        state.ResumeTiming();
        doc.GoToEnd();
        benchmark::DoNotOptimize(doc.GetPosition().m_nCaptures);
    }
}
BENCHMARK(BM_GoToEndMillionFrom)->Arg(0)->Arg(1'000)->Arg(kMillion / 2)->Unit(benchmark::kMicrosecond);

void BM_GoToStartMillionFromTheEnd(benchmark::State& state)
{
    CClientDoc doc;
    doc.LoadRecord(MillionRecord());
    StepTo(doc, kMillion);
    for (auto _ : state) {
        doc.GoToStart();
        state.PauseTiming();
        doc.GoToEnd();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GoToStartMillionFromTheEnd)->Unit(benchmark::kMicrosecond);

// Records a file may hold that play never makes, each against a played
// record of the same length (BM_GoToEndLongRecordFirstTime): the first go to
// end replays every entry.
void GoToEndFirstTimeAndReport(benchmark::State& state, const MoveRecord& record)
{
    GoToEndFirstTime(state, record);
    ReportEndPosition(state, record);
}

void BM_GoToEndStonesAllOnOnePoint(benchmark::State& state)
{
    GoToEndFirstTimeAndReport(state, MakeStonesAllOnOnePoint(kLongRecord));
}
BENCHMARK(BM_GoToEndStonesAllOnOnePoint)->Unit(benchmark::kMillisecond);

void BM_GoToEndRandomPointsAndATenthPasses(benchmark::State& state)
{
    GoToEndFirstTimeAndReport(state, MakeRandomPointsAndATenthPasses(kLongRecord, 0x60'3000));
}
BENCHMARK(BM_GoToEndRandomPointsAndATenthPasses)->Unit(benchmark::kMillisecond);

void BM_GoToEndTwoPointsInTurn(benchmark::State& state)
{
    GoToEndFirstTimeAndReport(state, MakeTwoPointsInTurn(kLongRecord));
}
BENCHMARK(BM_GoToEndTwoPointsInTurn)->Unit(benchmark::kMillisecond);

void BM_GoToEndPassesOnly(benchmark::State& state)
{
    GoToEndFirstTimeAndReport(state, MakePassesOnly(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_GoToEndPassesOnly)->Arg(kLongRecord)->Arg(4'000'000)->Unit(benchmark::kMillisecond);

// One StepBack from the end of the record; the step forward that restores the
// position for the next iteration is not timed.
void BM_StepBackLongRecord(benchmark::State& state)
{
    CClientDoc doc;
    doc.LoadRecord(LongRecordPrefix(static_cast<int>(state.range(0))));
    doc.GoToEnd();
    TimeStepBacks(state, doc);
    state.SetItemsProcessed(state.iterations() * doc.GetMoves().GetSize());
}
BENCHMARK(BM_StepBackLongRecord)->Arg(25'000)->Arg(50'000)->Arg(kLongRecord)->Unit(benchmark::kMillisecond);

}  // namespace
