// Costs of the shell's per-frame work: the immediate refresh of the page
// (title text and the 8-bit page through the colour table into the
// window's surface), a headless refresh with a page dump, and one GIF
// frame of a changed page; and the present path per frame, the whole window
// against only the changed rectangle, into a framebuffer as a window
// backend copies it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "app/app.h"
#include "app/page_recorder.h"
#include "app/shell.h"
#include "app/shown_rows.h"
#include "platform/headless/headless.h"
#include "plot/plot.h"
#include "tests/temp_dir.h"

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
    const TempDir scratch(TempDir::Use::Entered);
    HeadlessOptions options;
    ScriptError error;
    ParseScript("", options.events, error);
    HeadlessBackend backend(options);
    PageRecorder recorder;
    std::string reason;
    if (dump) recorder.Open({scratch.File("dumps"), ""}, reason);
    g_state = &state;
    OskWinMain(&backend, nullptr, RefreshLoop, &recorder);
    recorder.Close(backend.WallClock());
}

void BM_RefreshPlotView(benchmark::State& state) { RunShell(state, false); }
void BM_RefreshWithDump(benchmark::State& state) { RunShell(state, true); }

void BM_GifFrame(benchmark::State& state) {
    const TempDir scratch;
    GifRecorder recorder;
    std::string error;
    recorder.Open(scratch.File("b.gif"), error);
    std::vector<unsigned char> page(std::size_t{1008} * 144, 1);
    std::uint32_t palette[256] = {};
    std::int64_t t = 0;
    for (auto _ : state) {
        for (int i = 0; i < 2000; ++i)
            page[(t * 131 + i * std::int64_t{17}) % page.size()] = static_cast<unsigned char>(t);
        t += 50;
        recorder.AddFrame(page.data(), 1008, 144, palette, t);
    }
    recorder.Close(t + 50, error);
}

}  // namespace

// A headless backend that copies what it is asked to show into a window
// framebuffer of its own, as the SDL backend does.
class CopyingBackend : public HeadlessBackend {
public:
    using HeadlessBackend::HeadlessBackend;
    void Present(const Surface& s) override { PresentRect(s, {0, 0, s.width, s.height}); }
    void PresentRect(const Surface& s, const SurfaceRect& r) override {
        framebuffer_.resize(s.pixels.size());
        for (int y = r.top; y < r.bottom; ++y) {
            const std::size_t at = static_cast<std::size_t>(y) * s.width;
            std::copy(s.pixels.begin() + at + r.left, s.pixels.begin() + at + r.right, framebuffer_.begin() + at + r.left);
        }
        benchmark::DoNotOptimize(framebuffer_.data());
    }

private:
    std::vector<std::uint32_t> framebuffer_;
};

// The changed rectangle of a frame: state.range(0) rows from the bottom of
// the page, state.range(1) columns from the left.
bool g_wholeWindow = false;

int PresentLoop() {
    PlotState.plotView = GetPlotView();
    COskView* view = PlotState.plotView;
    const int rows = static_cast<int>(g_state->range(0));
    const int columns = static_cast<int>(g_state->range(1));
    int n = 0;
    for (auto _ : *g_state) {
        PlotState.pagePixels[(n * 7919) % PlotState.imageSize] = static_cast<unsigned char>(n);
        ++n;
        PlotState.dirtyLeft = 0;
        PlotState.dirtyRight = columns - 1;
        PlotState.dirtyTop = PlotState.imageHeight - rows;
        PlotState.dirtyBottom = PlotState.imageHeight - 1;
        if (g_wholeWindow) {
            // Title strip and whole page converted, the whole window shown.
            CDC* dc = view->GetDC();
            view->OnDraw(dc);
            delete dc;
            view->PresentTopLevel();
            PlotState.dirtyLeft = PlotState.imageWidth - 1;
            PlotState.dirtyRight = 0;
        } else {
            RefreshPlotView();
        }
    }
    return 0;
}

void RunPresent(benchmark::State& state, bool whole) {
    HeadlessOptions options;
    ScriptError error;
    ParseScript("", options.events, error);
    CopyingBackend backend(options);
    g_state = &state;
    g_wholeWindow = whole;
    OskWinMain(&backend, nullptr, PresentLoop, nullptr);
}

void BM_PresentWholeWindow(benchmark::State& state) { RunPresent(state, true); }
void BM_PresentChangedRect(benchmark::State& state) { RunPresent(state, false); }

// Telling what differs from what a window showed, in a refresh whose
// changed rectangle spans a 1904 x 1000 page's width and most of its rows
// while a few hundred pixels in it differ, as with every teaching aid on.
void BM_ShownRowsChanged(benchmark::State& state) {
    constexpr int kWidth = 1904, kHeight = 1000;
    std::vector<unsigned char> page(static_cast<std::size_t>(kWidth) * kHeight, 1);
    std::uint32_t palette[256] = {};
    PageFrame frame;
    frame.pixels = page.data();
    frame.width = kWidth;
    frame.height = kHeight;
    frame.palette = palette;
    const PageChange change{0, 100, kWidth - 1, 899};
    ShownRows shown;
    shown.Changed(frame, change, 0, 0);
    std::size_t n = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < 300; ++i) page[(n * 7919 + i * 4099) % page.size()] ^= 3;
        ++n;
        benchmark::DoNotOptimize(shown.Changed(frame, change, 0, 0));
    }
}

BENCHMARK(BM_RefreshPlotView)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefreshWithDump)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GifFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShownRowsChanged)->Unit(benchmark::kMicrosecond);
// A wave band (100 rows, the whole width) and one button (26 x 60).
BENCHMARK(BM_PresentWholeWindow)->Args({100, 1008})->Args({26, 60})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentChangedRect)->Args({100, 1008})->Args({26, 60})->Unit(benchmark::kMicrosecond);
