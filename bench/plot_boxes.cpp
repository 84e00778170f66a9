// BOXFILL on the program's 1008 x 144 page: solid fills, straight and
// diagonal hatching, and the small dots of the wave animation.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "plot/host.h"
#include "plot/plot.h"

namespace {

void SetUpPage() {
    OpenBenchPage();
    SETCOLOURS(4, 5);
    LINEWIDTH(25);
}

void BM_BoxSolidWholePage(benchmark::State& state) {
    SetUpPage();
    for (auto _ : state) {
        BOX(0, 0, 28, 3);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BoxSolidWholePage);

void BM_BoxHatch(benchmark::State& state) {
    SetUpPage();
    const int style = static_cast<int>(state.range(0));
    for (auto _ : state) {
        BOXFILL(1, 0.5f, 9, 3.5f, style, 10);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BoxHatch)->Arg(1)->Arg(3)->Arg(10)->Arg(30)->Arg(301);

void BM_Dot20(benchmark::State& state) {
    SetUpPage();
    LINEWIDTH(40);
    for (auto _ : state) {
        DOT(14, 2, 20);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Dot20);

}  // namespace
