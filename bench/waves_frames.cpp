// One frame of each wave on the program's 1008 x 144 page (frame 100: every
// particle moving); the frame budget is 40 ms.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "demo/waves.h"
#include "plot/host.h"
#include "plot/plot.h"

namespace {

void BM_LongitudinalFrame(benchmark::State& state) {
    OpenBenchPage();
    DrawLongitudinalBackground();
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        DrawLongitudinalFrame(n);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LongitudinalFrame)->Arg(0)->Arg(100);

void BM_TransversalFrame(benchmark::State& state) {
    OpenBenchPage();
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        DrawTransversalFrame(n);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransversalFrame)->Arg(0)->Arg(100);

void BM_LongitudinalBackground(benchmark::State& state) {
    OpenBenchPage();
    for (auto _ : state) {
        DrawLongitudinalBackground();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LongitudinalBackground);

}  // namespace
