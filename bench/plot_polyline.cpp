// PLOTPOLY and dashed PLOTL through 64 segments across the 1008 x 144 page,
// the size of the transversal wave line.
#include <benchmark/benchmark.h>

#include <cmath>

#include "bench/bench_support.h"
#include "plot/host.h"
#include "plot/plot.h"

namespace {

float xs[65], ys[65];

void SetUpPage() {
    OpenBenchPage();
    SETWINDOW(-0.5f, -1.5f, 64.5f, 2.5f);
    LINEWIDTH(25);
    for (int i = 0; i <= 64; ++i) {
        xs[i] = static_cast<float>(i);
        ys[i] = 1.2f * std::sin(i * 0.2617994f);
    }
}

void BM_Polyline64(benchmark::State& state) {
    SetUpPage();
    for (auto _ : state) {
        PLOTPOLY(xs, ys, 65);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Polyline64);

void BM_Lines64(benchmark::State& state) {  // as the wave draws it: one PLOTLINE a segment
    SetUpPage();
    for (auto _ : state) {
        for (int i = 0; i < 64; ++i) PLOTLINE(xs[i], ys[i], xs[i + 1], ys[i + 1]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Lines64);

void BM_DashedPolyline64(benchmark::State& state) {
    SetUpPage();
    for (auto _ : state) {
        float phase = 0;
        PLOTL(xs, ys, 65, 1, 0, 2, 0, 1, &phase);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DashedPolyline64);

}  // namespace
