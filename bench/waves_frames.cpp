// One frame of each wave on the program's 1008 x 144 page (frame 100: every
// particle moving); the frame budget is 40 ms.
#include <benchmark/benchmark.h>

#include "demo/waves.h"
#include "plot/host.h"
#include "plot/plot.h"

namespace {

void SetUpPage() {
    PlotSetHost(nullptr);
    PLOTOPEN(3, "/nonexistent-osk-bench/tarvo_minel.plo", "Sorel Dune", "sorel_dune");
    PlotState.defaultColour = 4;
    PlotState.backgroundColour = 1;
    PAGESETUP(0, 0, 28, 4, 28, 4, 2);
}

void BM_LongitudinalFrame(benchmark::State& state) {
    SetUpPage();
    DrawLongitudinalBackground();
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        DrawLongitudinalFrame(n);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LongitudinalFrame)->Arg(0)->Arg(100);

void BM_TransversalFrame(benchmark::State& state) {
    SetUpPage();
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        DrawTransversalFrame(n);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransversalFrame)->Arg(0)->Arg(100);

void BM_LongitudinalBackground(benchmark::State& state) {
    SetUpPage();
    for (auto _ : state) {
        DrawLongitudinalBackground();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LongitudinalBackground);

}  // namespace
