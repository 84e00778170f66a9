// state.cpp - the record itself and the host hook.
#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <ctime>
#include <thread>
#include <utility>

#include "plot/host.h"
#include "plot/internal.h"
#include "plot/plotstate.h"

PlotStateRecord PlotState;

namespace {

int DefaultWaitForClick() { return 0; }
void DefaultScreenSize(int* width, int* height) {
    *width = 1024;
    *height = 768;
}
void DefaultMessageBox(const char* text) { std::fprintf(stderr, "%s\n", text); }

PlotHost MakeDefaultHost() {
    PlotHost host{};
    host.flush = PlotDefaultFlush;
    host.waitForClick = DefaultWaitForClick;
    host.screenSize = DefaultScreenSize;
    host.messageBox = DefaultMessageBox;
    host.output = PlotDefaultOutput;
    host.wallClock = PlotSystemClock;
    host.waitUntil = PlotSystemWaitUntil;
    host.pageImageReplaced = nullptr;
    return host;
}

PlotHost g_host = MakeDefaultHost();

constexpr PlotPixelRect kNoWrites{0, 0, -1, -1};
PlotPixelRect g_directWrites = kNoWrites;

// The parts of the change since the last take (PlotTakeChangeParts).
struct ChangeParts {
    PlotPixelRect part[kPlotChangeParts];
    int count = 0;
    int lastHit = 0;     // where the last rectangle went: the next one mostly goes there too
    bool known = false;  // collected since the last take
};
ChangeParts g_parts;

// A rectangle no larger than this (a 32 x 32 tile) joins a part near it.
constexpr long long kSmallPart = 1024;

long long Area(const PlotPixelRect& r) {
    return static_cast<long long>(r.right - r.left + 1) * static_cast<long long>(r.bottom - r.top + 1);
}
bool Holds(const PlotPixelRect& outer, const PlotPixelRect& r) {
    return r.left >= outer.left && r.right <= outer.right && r.top >= outer.top && r.bottom <= outer.bottom;
}
PlotPixelRect UnionOf(const PlotPixelRect& a, const PlotPixelRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace

namespace plot_internal {

unsigned g_pageGeneration = 0;

bool g_collectingParts = false;

void NoteChangePart(int left, int top, int right, int bottom) {
    const PlotPixelRect r{left, top, right, bottom};
    if (r.Empty()) return;
    ChangeParts& p = g_parts;
    if (p.count > 0 && Holds(p.part[p.lastHit], r)) return;
    // A part of its own, unless some part holds it or grows by little more
    // than the rectangle itself to hold it (a stroke that goes on the last
    // one, a dot next to it), or all parts are taken: then the part that
    // grows least takes it.
    int best = -1;
    long long leastGrowth = 0;
    for (int i = 0; i < p.count; ++i) {
        if (Holds(p.part[i], r)) {
            p.lastHit = i;
            return;
        }
        const long long growth = Area(UnionOf(p.part[i], r)) - Area(p.part[i]);
        if (best < 0 || growth < leastGrowth) {
            best = i;
            leastGrowth = growth;
        }
    }
    if (p.count < kPlotChangeParts && (best < 0 || leastGrowth > std::max(Area(r), kSmallPart))) {
        p.part[p.count] = r;
        p.lastHit = p.count++;
        return;
    }
    p.part[best] = UnionOf(p.part[best], r);
    p.lastHit = best;
}

void NoteDirectWrite(int col1, int col2, int row1, int row2) {
    const int top = PlotState.imageHeight - 1 - row2;
    const int bottom = PlotState.imageHeight - 1 - row1;
    if (g_collectingParts) NoteChangePart(col1, top, col2, bottom);
    PlotGiveBackDirectWrites({col1, top, col2, bottom});
}

}  // namespace plot_internal

PlotPixelRect PlotTakeDirectWrites() { return std::exchange(g_directWrites, kNoWrites); }

void PlotGiveBackDirectWrites(const PlotPixelRect& pixels) {
    if (pixels.Empty()) return;
    PlotPixelRect& w = g_directWrites;
    w = w.Empty() ? pixels : UnionOf(w, pixels);
}

void PlotNoteDirectWrites(const PlotPixelRect& pixels) {
    if (pixels.Empty()) return;
    const int last = PlotState.imageHeight - 1;
    plot_internal::NoteDirectWrite(pixels.left, pixels.right, last - pixels.bottom, last - pixels.top);
}

void PlotCollectChangeParts(bool on) {
    if (on == plot_internal::g_collectingParts) return;
    plot_internal::g_collectingParts = on;
    g_parts = ChangeParts{};  // what was drawn before is not in them
}

int PlotTakeChangeParts(PlotPixelRect (&parts)[kPlotChangeParts]) {
    const ChangeParts taken = std::exchange(g_parts, ChangeParts{});
    g_parts.known = plot_internal::g_collectingParts;
    if (!taken.known) return -1;
    std::copy(taken.part, taken.part + taken.count, parts);
    return taken.count;
}

void PlotNoteChanged(const PlotPixelRect& pixels) {
    if (pixels.Empty()) return;
    PlotStateRecord& s = PlotState;
    s.dirtyLeft = std::min(s.dirtyLeft, pixels.left);
    s.dirtyRight = std::max(s.dirtyRight, pixels.right);
    s.dirtyTop = std::min(s.dirtyTop, pixels.top);
    s.dirtyBottom = std::max(s.dirtyBottom, pixels.bottom);
    if (plot_internal::g_collectingParts)
        plot_internal::NoteChangePart(pixels.left, pixels.top, pixels.right, pixels.bottom);
}

unsigned PlotPageGeneration() { return plot_internal::g_pageGeneration; }

void PlotDefaultFlush() {
    PlotState.dirtyLeft = PlotState.imageWidth - 1;
    PlotState.dirtyRight = 0;
    PlotState.dirtyBottom = 0;
    PlotState.dirtyTop = PlotState.imageHeight - 1;
    PlotTakeDirectWrites();
    PlotPixelRect parts[kPlotChangeParts];
    PlotTakeChangeParts(parts);
}

void PlotDefaultOutput(PlotStream stream, const char* text) {
    std::fputs(text, stream == PlotStream::Error ? stderr : stdout);
}

double PlotSystemClock() {
    // The real time at the first reading, then only the steady clock's
    // progress: a step of the system's clock does not upset DELAY.
    using std::chrono::milliseconds;
    static const auto wallStart = std::chrono::time_point_cast<milliseconds>(std::chrono::system_clock::now());
    static const auto steadyStart = std::chrono::steady_clock::now();
    const auto elapsed = std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - steadyStart);
    return static_cast<double>((wallStart.time_since_epoch() + elapsed).count()) / 1000.0;
}

void PlotSystemWaitUntil(double deadline) {
    // Sleep through the wait in one piece until 0.3 ms before the deadline,
    // then in steps of 0.1 ms until the caller sees the clock pass it: the
    // clock counts whole milliseconds, so spinning would buy nothing.
    const double remaining = deadline - PlotSystemClock() - 0.0003;
    const double pause = remaining > 0.0001 ? remaining : 0.0001;
    std::this_thread::sleep_for(std::chrono::duration<double>(pause));
}

void PlotSetHost(const PlotHost* host) {
    const PlotHost defaults = MakeDefaultHost();
    if (!host) {
        g_host = defaults;
        return;
    }
    g_host = *host;
    if (!g_host.flush) g_host.flush = defaults.flush;
    if (!g_host.waitForClick) g_host.waitForClick = defaults.waitForClick;
    if (!g_host.screenSize) g_host.screenSize = defaults.screenSize;
    if (!g_host.messageBox) g_host.messageBox = defaults.messageBox;
    if (!g_host.output) g_host.output = defaults.output;
    if (!g_host.wallClock) g_host.wallClock = defaults.wallClock;
    if (!g_host.waitUntil) g_host.waitUntil = defaults.waitUntil;
}

const PlotHost& PlotGetHost() { return g_host; }

namespace plot_internal {
void ShowMessage(const char* text) { g_host.messageBox(text); }

void Print(PlotStream stream, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length >= 0) {
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        std::vsnprintf(text.data(), text.size(), format, again);
        text.pop_back();
        g_host.output(stream, text.c_str());
    }
    va_end(again);
}
}  // namespace plot_internal
