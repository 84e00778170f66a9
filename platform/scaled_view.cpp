// scaled_view.cpp - fitting a client surface into a window, nearest neighbour.
#include "platform/scaled_view.h"

#include <algorithm>

namespace {

// floor(a / b) for b > 0, also for negative a.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
// ceil(a / b) for a >= 0, b > 0.
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return (a + b - 1) / b; }

}  // namespace

ScaledView ScaledView::Fit(int clientWidth, int clientHeight, int windowWidth, int windowHeight) {
    ScaledView v;
    v.clientWidth = std::max(clientWidth, 0);
    v.clientHeight = std::max(clientHeight, 0);
    v.windowWidth = std::max(windowWidth, 0);
    v.windowHeight = std::max(windowHeight, 0);
    if (v.clientWidth == 0 || v.clientHeight == 0 || v.windowWidth == 0 || v.windowHeight == 0) return v;
    // The narrower of the two ratios decides: window / client across or down.
    const std::int64_t acrossFirst = std::int64_t{v.windowWidth} * v.clientHeight;
    const std::int64_t downFirst = std::int64_t{v.windowHeight} * v.clientWidth;
    if (acrossFirst <= downFirst) {
        v.width = v.windowWidth;
        v.height = static_cast<int>(std::max<std::int64_t>(acrossFirst / v.clientWidth, 1));
    } else {
        v.height = v.windowHeight;
        v.width = static_cast<int>(std::max<std::int64_t>(downFirst / v.clientHeight, 1));
    }
    v.left = (v.windowWidth - v.width) / 2;
    v.top = (v.windowHeight - v.height) / 2;
    return v;
}

int ScaledView::ClientX(int wx) const {
    if (width <= 0) return -1;
    return static_cast<int>(FloorDiv(std::int64_t{wx - left} * clientWidth, width));
}

int ScaledView::ClientY(int wy) const {
    if (height <= 0) return -1;
    return static_cast<int>(FloorDiv(std::int64_t{wy - top} * clientHeight, height));
}

SurfaceRect ScaledView::ToWindow(const SurfaceRect& r) const {
    if (width <= 0 || height <= 0 || r.Empty()) return {};
    // Window column wx shows client column c when c * width <= (wx - left) * clientWidth < (c + 1) * width.
    auto firstX = [&](int c) {
        return left + static_cast<int>(CeilDiv(std::int64_t{std::clamp(c, 0, clientWidth)} * width, clientWidth));
    };
    auto firstY = [&](int c) {
        return top + static_cast<int>(CeilDiv(std::int64_t{std::clamp(c, 0, clientHeight)} * height, clientHeight));
    };
    SurfaceRect w{firstX(r.left), firstY(r.top), firstX(r.right), firstY(r.bottom)};
    return w.Empty() ? SurfaceRect{} : w;
}

namespace {

// A stretch of window columns that shows consecutive client columns: one copy.
struct ColumnRun {
    int window;  // first window column, counted from the drawn part's left
    int client;  // the client column it shows
    int count;
};

// The runs of a row's client columns (one a window column).  Near 1:1 (a
// page a little narrower than the screen) the runs are long and a row is a
// few copies; enlarged twice or more they hold one column each and a lookup
// per pixel is better.
std::vector<ColumnRun> RunsOfColumns(const std::vector<int>& columns) {
    std::vector<ColumnRun> runs;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!runs.empty() && runs.back().client + runs.back().count == columns[i]) {
            ++runs.back().count;
        } else {
            runs.push_back({static_cast<int>(i), columns[i], 1});
        }
    }
    return runs;
}

constexpr int kShortestRunsCopied = 8;  // columns per run on average

}  // namespace

void DrawScaled(const Surface& client, const ScaledView& view, const SurfaceRect& window, std::uint32_t* target,
                int pitch) {
    if (window.Empty() || client.width != view.clientWidth || client.height != view.clientHeight) return;
    const int x0 = std::max(window.left, view.left);
    const int x1 = std::min(window.right, view.left + view.width);
    const int y0 = std::max(window.top, view.top);
    const int y1 = std::min(window.bottom, view.top + view.height);
    if (x0 >= x1 || y0 >= y1) return;
    std::vector<int> columns(static_cast<std::size_t>(x1 - x0));
    for (int wx = x0; wx < x1; ++wx) columns[static_cast<std::size_t>(wx - x0)] = view.ClientX(wx);
    const std::vector<ColumnRun> runs = RunsOfColumns(columns);
    const bool copyRuns = columns.size() >= runs.size() * kShortestRunsCopied;
    int lastRow = -1;
    const std::uint32_t* lastOut = nullptr;
    for (int wy = y0; wy < y1; ++wy) {
        const int cy = view.ClientY(wy);
        std::uint32_t* out = target + static_cast<std::size_t>(wy) * pitch + x0;
        const std::uint32_t* in = &client.pixels[static_cast<std::size_t>(cy) * client.width];
        if (cy == lastRow && lastOut) {
            std::copy(lastOut, lastOut + (x1 - x0), out);  // a repeated row
        } else if (copyRuns) {
            for (const ColumnRun& r : runs) std::copy(in + r.client, in + r.client + r.count, out + r.window);
        } else {
            for (std::size_t i = 0; i < columns.size(); ++i) out[i] = in[columns[i]];
        }
        lastRow = cy;
        lastOut = out;
    }
}

namespace {

SurfaceRect ClipTo(const SurfaceRect& r, int width, int height) {
    const SurfaceRect c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
    return c.Empty() ? SurfaceRect{} : c;
}

}  // namespace

PresentPlan PlanPresent(bool scaled, int clientWidth, int clientHeight, int windowWidth, int windowHeight,
                        const SurfaceRect& changed) {
    PresentPlan plan;
    plan.scaled = scaled;
    if (clientWidth <= 0 || clientHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return plan;
    plan.client = ClipTo(changed, clientWidth, clientHeight);
    if (plan.client.Empty()) return plan;
    const bool whole =
        changed.left <= 0 && changed.top <= 0 && changed.right >= clientWidth && changed.bottom >= clientHeight;
    if (scaled) {
        plan.view = ScaledView::Fit(clientWidth, clientHeight, windowWidth, windowHeight);
        plan.drawn = whole ? SurfaceRect{0, 0, windowWidth, windowHeight} : plan.view.ToWindow(plan.client);
        if (whole) {
            const ScaledView& v = plan.view;
            plan.bars = {SurfaceRect{0, 0, windowWidth, v.top},
                         SurfaceRect{0, v.top + v.height, windowWidth, windowHeight},
                         SurfaceRect{0, v.top, v.left, v.top + v.height},
                         SurfaceRect{v.left + v.width, v.top, windowWidth, v.top + v.height}};
            plan.barColour = 0xFF000000u;
        }
    } else {
        plan.drawn = ClipTo(plan.client, windowWidth, windowHeight);
        if (whole) {
            plan.bars = {SurfaceRect{clientWidth, 0, windowWidth, windowHeight},
                         SurfaceRect{0, clientHeight, std::min(clientWidth, windowWidth), windowHeight}, SurfaceRect{},
                         SurfaceRect{}};
            plan.barColour = 0xFFFFFFFFu;
        }
    }
    for (SurfaceRect& bar : plan.bars) bar = ClipTo(bar, windowWidth, windowHeight);
    plan.drawn = ClipTo(plan.drawn, windowWidth, windowHeight);
    plan.shown = whole ? SurfaceRect{0, 0, windowWidth, windowHeight} : plan.drawn;
    return plan;
}

std::array<BackendEvent, 2> SizeAndExposeEvents(const Presentation& presentation, int windowClientWidth,
                                                int windowClientHeight) {
    std::array<BackendEvent, 2> events;
    events[0].type = BackendEvent::Resize;
    events[0].width = presentation.scaled ? presentation.clientWidth : windowClientWidth;
    events[0].height = presentation.scaled ? presentation.clientHeight : windowClientHeight;
    events[1].type = BackendEvent::Expose;
    return events;
}
