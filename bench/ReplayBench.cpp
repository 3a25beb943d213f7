// Replay cost: go to end over a played game and over long generated records,
// and one step back from deep in a long record, which rebuilds the position
// from the empty board. The long records run at 25k, 50k and 100k entries so
// that the growth with record length shows.
#include "GameRecords.h"
#include "record/ClientDoc.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kLongRecord = 100'000;

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
    doc.m_moves = record;
    doc.GoToEnd();
    state.counters["captures"] = doc.m_nCaptures;
    state.counters["groups"] = static_cast<double>(doc.GetGroups().size());
}

void GoToEndFromStart(benchmark::State& state, const MoveRecord& record)
{
    CClientDoc doc;
    doc.m_moves = record;
    for (auto _ : state) {
        state.PauseTiming();
        doc.GoToStart();
        state.ResumeTiming();
        doc.GoToEnd();
        benchmark::DoNotOptimize(doc.m_nCaptures);
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

// A record of nothing but passes: every replayed pass leaves a group on the
// pass indicator cell that no sweep can capture, so this shows whether the
// sweep's cost grows with those groups.
void BM_GoToEndPassesOnly(benchmark::State& state)
{
    MoveRecord passes;
    passes.SetSize(static_cast<int>(state.range(0)));
    for (MovePoint& entry : passes)
        entry = PASS_MARK;
    GoToEndFromStart(state, passes);
}
BENCHMARK(BM_GoToEndPassesOnly)->Arg(25'000)->Arg(kLongRecord)->Unit(benchmark::kMillisecond);

// One StepBack from the end of the record; the step forward that restores the
// position for the next iteration is not timed.
void BM_StepBackLongRecord(benchmark::State& state)
{
    CClientDoc doc;
    doc.m_moves = LongRecordPrefix(static_cast<int>(state.range(0)));
    doc.GoToEnd();
    for (auto _ : state) {
        doc.StepBack();
        benchmark::DoNotOptimize(doc.m_nCurMove);
        state.PauseTiming();
        doc.StepForward();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * doc.m_moves.GetSize());
}
BENCHMARK(BM_StepBackLongRecord)->Arg(25'000)->Arg(50'000)->Arg(kLongRecord)->Unit(benchmark::kMillisecond);

}  // namespace
