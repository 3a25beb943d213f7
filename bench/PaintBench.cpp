// One repaint of the whole board view on the view's own surface, as the view
// does it after a change that invalidates everything: a game recorded by
// hand that fills all 361 points (every seventh stone a flower after a bomb;
// live play sweeps nothing, so all of them stay), with every move number
// shown, with the last ten, and with none.
#include "record/ClientDoc.h"
#include "view/BoardPainter.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

// Records every board point once, in an order that scatters neighbours in time.
void FillBoard(CClientDoc& doc)
{
    doc.OnNewDocument();
    constexpr int nPoints = BOARD_SIZE * BOARD_SIZE;
    for (int i = 0; i < nPoints; ++i) {
        const int nPoint = i * 7 % nPoints;  // 7 and 361 are coprime: a permutation
        if (i % 7 == 6)
            doc.RecordBomb();
        doc.RecordMoveAt(1 + nPoint / BOARD_SIZE, 1 + nPoint % BOARD_SIZE);
    }
}

void Repaint(benchmark::State& state, MoveNumberFlags numbers)
{
    CClientDoc doc;
    FillBoard(doc);
    QImage surface(VIEW_SIZE, QImage::Format_RGB32);
    const QRegion all(surface.rect());
    PaintBoard(surface, doc, numbers, all, all);  // loads the images and the font outside the timing
    for (auto _ : state) {
        PaintBoard(surface, doc, numbers, all, all);
        benchmark::DoNotOptimize(surface.constBits());
    }
}

void BM_RepaintFullBoardAllNumbers(benchmark::State& state)
{
    Repaint(state, {0, 1});
}
BENCHMARK(BM_RepaintFullBoardAllNumbers)->Unit(benchmark::kMicrosecond);

void BM_RepaintFullBoardLast10Numbers(benchmark::State& state)
{
    Repaint(state, {1, 0});
}
BENCHMARK(BM_RepaintFullBoardLast10Numbers)->Unit(benchmark::kMicrosecond);

void BM_RepaintFullBoardNoNumbers(benchmark::State& state)
{
    Repaint(state, {0, 0});
}
BENCHMARK(BM_RepaintFullBoardNoNumbers)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    // Painting text needs a GUI application's font database, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
