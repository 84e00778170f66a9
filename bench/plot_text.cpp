// Stroke-font text speed: characters per second for a 40-character line at
// height 40 on the program's 28 x 4 page (38 pixels per unit), left-aligned
// in fixed spacing, in capitals mode with proportional spacing, and centred
// (which measures the line before drawing it).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "plot/plot.h"

namespace {

const char kLine[] = "Longitudinal and transversal wave 0..64.";
static_assert(sizeof kLine - 1 == 40, "the benchmark line has 40 characters");

void OpenPage() {
    PlotReleasePage();
    PlotState = PlotStateRecord{};
    PLOTOPEN(0, "bench.plo", "Text", "text");
    PAGESETUP(0, 0, 28, 4, 28, 4, 2);
    SETCOLOUR(16);
}

void DrawLine(benchmark::State& state, int style, int alignment) {
    OpenPage();
    for (auto _ : state) {
        float x = alignment == 1 ? 14.0f : 0.5f;
        float y = 1.5f;
        TEXTG(&x, &y, 40, kLine, style, 0, 0, 1, 0, alignment);
        benchmark::DoNotOptimize(PlotState.pagePixels[0]);
    }
    state.SetItemsProcessed(state.iterations() * 40);
    state.counters["chars_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 40, benchmark::Counter::kIsRate);
}

void BM_TextFixed(benchmark::State& state) { DrawLine(state, 0, 0); }
void BM_TextCapitalsProportional(benchmark::State& state) { DrawLine(state, 3, 0); }
void BM_TextCentred(benchmark::State& state) { DrawLine(state, 0, 1); }

BENCHMARK(BM_TextFixed);
BENCHMARK(BM_TextCapitalsProportional);
BENCHMARK(BM_TextCentred);

}  // namespace
