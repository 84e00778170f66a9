// Benchmarks of the plot library core: strokes, single pixels, new figures
// and the pacing wait.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench/bench_support.h"
#include "plot/host.h"
#include "plot/plot.h"

namespace {

// A horizontal-ish stroke of range(0) pixels at range(1) pixels thickness.
void BM_Stroke(benchmark::State& state) {
    OpenBenchPage(false);  // 38 pixels per unit: 1064 x 152
    const float length = static_cast<float>(state.range(0)) / 38.0f;
    LINEWIDTH(static_cast<int>(state.range(1)) * 25);
    for (auto _ : state) {
        PLOT(0.5f, 1.0f, 13);
        PLOT(0.5f + length, 1.3f, 2);
    }
    benchmark::DoNotOptimize(PlotState.pagePixels[0]);
}
BENCHMARK(BM_Stroke)->ArgsProduct({{10, 500}, {1, 2, 3}});

void BM_SetPixel(benchmark::State& state) {
    OpenBenchPage(false);  // 38 pixels per unit: 1064 x 152
    int i = 0;
    for (auto _ : state) {
        SETPIXEL(i % 1064, (i / 1064) % 152);
        ++i;
    }
    benchmark::DoNotOptimize(PlotState.pagePixels[0]);
}
BENCHMARK(BM_SetPixel);

void BM_NFrame(benchmark::State& state) {
    OpenBenchPage(false);  // 38 pixels per unit: 1064 x 152
    // NFRAME reports "Dimensions ...": silenced through the host meanwhile.
    PlotHost quiet = PlotGetHost();
    quiet.output = [](PlotStream, const char*) {};
    PlotSetHost(&quiet);
    for (auto _ : state) NFRAME(0, 0, 28, 4);
    PlotSetHost(nullptr);
}
BENCHMARK(BM_NFrame);

// One 50 ms frame wait on the system clock.  Compare the CPU column with the
// wall time: the wait sleeps most of the way.  The clock counts whole
// milliseconds and the wait needs strictly more than 50 ms of it, so the
// earliest correct return is the next millisecond tick after start + 50 ms;
// "overshoot_ms" is how far past that tick it returned (steady clock).
void BM_Delay50ms(benchmark::State& state) {
    PlotSetHost(nullptr);
    double overshoot = 0;
    for (auto _ : state) {
        const double start = WALLCLOCK();
        DELAY(0.05, start);
        const auto returned = std::chrono::system_clock::now().time_since_epoch();
        const double now = std::chrono::duration<double>(returned).count();
        overshoot += (now - (start + 0.051)) * 1000.0;
    }
    state.counters["overshoot_ms"] = overshoot / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Delay50ms)->UseRealTime()->Iterations(40)->Unit(benchmark::kMillisecond);

}  // namespace
