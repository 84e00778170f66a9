// Costs of the shell's per-frame work: the immediate refresh of the page
// (title text and the 8-bit page through the colour table into the
// window's surface), a headless refresh with a page dump, and one GIF
// frame of a changed page.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "app/app.h"
#include "app/page_recorder.h"
#include "app/shell.h"
#include "platform/headless/headless.h"
#include "plot/plot.h"

namespace {

benchmark::State* g_state = nullptr;

int RefreshLoop() {
    PlotState.plotView = GetPlotView();
    int n = 0;
    for (auto _ : *g_state) {
        PlotState.pagePixels[(n * 7919) % PlotState.imageSize] = static_cast<unsigned char>(n);
        ++n;
        PlotState.dirtyLeft = 0;
        PlotState.dirtyRight = PlotState.imageWidth - 1;
        PlotState.dirtyTop = 0;
        PlotState.dirtyBottom = PlotState.imageHeight - 1;
        RefreshPlotView();
    }
    return 0;
}

void RunShell(benchmark::State& state, bool dump) {
    char pattern[] = "/tmp/osk-bench-XXXXXX";
    const std::filesystem::path dir = mkdtemp(pattern);
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    HeadlessOptions options;
    ScriptError error;
    ParseScript("", options.events, error);
    HeadlessBackend backend(options);
    PageRecorder recorder;
    std::string reason;
    if (dump) recorder.Open({(dir / "dumps").string(), ""}, reason);
    g_state = &state;
    OskWinMain(&backend, nullptr, RefreshLoop, &recorder);
    recorder.Close(backend.WallClock());
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
}

void BM_RefreshPlotView(benchmark::State& state) { RunShell(state, false); }
void BM_RefreshWithDump(benchmark::State& state) { RunShell(state, true); }

void BM_GifFrame(benchmark::State& state) {
    char pattern[] = "/tmp/osk-bench-XXXXXX";
    const std::filesystem::path dir = mkdtemp(pattern);
    {
        GifRecorder recorder;
        std::string error;
        recorder.Open((dir / "b.gif").string(), error);
        std::vector<unsigned char> page(1008 * 144, 1);
        std::uint32_t palette[256] = {};
        std::int64_t t = 0;
        for (auto _ : state) {
            for (int i = 0; i < 2000; ++i) page[(t * 131 + i * 17) % page.size()] = static_cast<unsigned char>(t);
            t += 50;
            recorder.AddFrame(page.data(), 1008, 144, palette, t);
        }
        recorder.Close(t + 50, error);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace

BENCHMARK(BM_RefreshPlotView)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefreshWithDump)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GifFrame)->Unit(benchmark::kMicrosecond);
