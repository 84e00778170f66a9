// The slowest single plot operations known: strokes and hatching that run
// almost wholly off the page, dashed lines and text far larger than it, a
// dot larger than everything.  Each should take milliseconds at most.
#include <benchmark/benchmark.h>

#include <climits>

#include "bench/bench_support.h"
#include "plot/host.h"
#include "plot/plot.h"

namespace {

void Run(benchmark::State& state, void (*operation)()) {
    OpenBenchPage();
    for (auto _ : state) {
        operation();
        benchmark::ClobberMemory();
    }
}

// Found by fuzzing: diagonal hatching of a box almost wholly below the page.
void BM_HatchedBoxBelowPage(benchmark::State& state) {
    Run(state, [] { BOXFILL(1e-38f, -2765944.0f, 127.0f, 0.0f, 336, 0); });
}
BENCHMARK(BM_HatchedBoxBelowPage)->Unit(benchmark::kMillisecond);

// Both diagonal hatches of a box far larger than the page on every side.
void BM_HatchedBoxAroundPage(benchmark::State& state) {
    Run(state, [] { BOXFILL(-1e6f, -1e6f, 1e6f, 1e6f, 330, 10); });
}
BENCHMARK(BM_HatchedBoxAroundPage)->Unit(benchmark::kMillisecond);

// The same on the largest page there is (99.99 x 99.99 units, 38 pixels each).
void BM_HatchedBoxLargestPage(benchmark::State& state) {
    OpenBenchPage(false);
    PAGESETUP(0, 0, 99.99f, 99.99f, 99.99f, 99.99f, 2);
    for (auto _ : state) {
        BOXFILL(1e-38f, -2765944.0f, 127.0f, 0.0f, 336, 0);
        BOXFILL(-1e6f, -1e6f, 1e6f, 1e6f, 330, 10);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HatchedBoxLargestPage)->Unit(benchmark::kMillisecond);

// A dashed line in the shortest pattern, as long as the dash walk goes.
void BM_DashedHugeLine(benchmark::State& state) {
    Run(state, [] {
        const float x[2] = {-4e4f, 4e4f};
        const float y[2] = {2.0f, 2.5f};
        float phase = 0;
        PLOTL(x, y, 2, 1, 0, 2, 5, 0, &phase);
    });
}
BENCHMARK(BM_DashedHugeLine)->Unit(benchmark::kMillisecond);

// A zigzag of 40 huge dashed lines, off the page but for its crossings,
// with the given PLOTL symbol.
void DashedHugeZigzag(int symbol) {
    float x[40], y[40];
    for (int i = 0; i < 40; ++i) {
        x[i] = i % 2 ? 4e4f : -4e4f;
        y[i] = i % 4 < 2 ? -1e3f : 1e3f;
    }
    float phase = 0;
    PLOTL(x, y, 40, 1, symbol, 2, 5, 0, &phase);
}

void BM_DashedHugeZigzag(benchmark::State& state) {
    Run(state, [] { DashedHugeZigzag(0); });
}
BENCHMARK(BM_DashedHugeZigzag)->Unit(benchmark::kMillisecond);

// The same dashes with a cross at each instead of a line: four strokes a dash.
void BM_DashedHugeMarkers(benchmark::State& state) {
    Run(state, [] { DashedHugeZigzag(6); });
}
BENCHMARK(BM_DashedHugeMarkers)->Unit(benchmark::kMillisecond);

// Eighty wide glyphs at the greatest height, at an angle.
void BM_TextHugeHeight(benchmark::State& state) {
    Run(state, [] {
        float x = 1, y = 1;
        TEXTG(&x, &y, INT_MAX,
              "WMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWM", 2,
              33, 20, 3, 0, 1);
    });
}
BENCHMARK(BM_TextHugeHeight)->Unit(benchmark::kMillisecond);

// Text as high as the page is wide, partly on it.
void BM_TextPageHeight(benchmark::State& state) {
    Run(state, [] {
        float x = -20, y = -10;
        TEXTG(&x, &y, 4000, "@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@",
              0, 10, 0, 1, 0, 0);
    });
}
BENCHMARK(BM_TextPageHeight)->Unit(benchmark::kMillisecond);

// A dot of the greatest size in the thickest pen.
void BM_DotHuge(benchmark::State& state) {
    Run(state, [] {
        LINEWIDTH(200);
        DOT(14, 2, INT_MAX);
    });
}
BENCHMARK(BM_DotHuge)->Unit(benchmark::kMillisecond);

// A stroke between far corners beyond the page, crossing it.
void BM_StrokeFarCorners(benchmark::State& state) {
    Run(state, [] {
        LINEWIDTH(200);
        STROKE(-1e4f, -3e3f, 0);
        STROKE(1e4f, 4e3f, 1);
    });
}
BENCHMARK(BM_StrokeFarCorners)->Unit(benchmark::kMillisecond);

}  // namespace
