// polyline.cpp - polylines through data points in user units: solid lines,
// dots, markers and steps at the points, dashed lines whose pattern can run
// on from one call to the next, and the line, polyline and rectangle
// wrappers built on them.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "plot/internal.h"
#include "plot/plot.h"

namespace {

// A dashed walk never splits the segments of one call into more pieces
// than this: far more than any page can show (the longest page is under 100
// units, and even the shortest pattern takes 1600 units to use them up),
// and a bound on the time one call takes however far off the page its
// points lie.  Once they are used up, each segment's rest is drawn in one
// piece.
constexpr long kMaxDashPieces = 1L << 16;

// The page point of data point i; with an equidistant line type the x array
// holds only the first and last x.
struct Points {
    const float* x;
    const float* y;
    bool equidistant;
    float xStep;

    float UserX(int i) const { return equidistant ? x[0] + static_cast<float>(i) * xStep : x[i]; }
    float PageX(int i) const { return plot_internal::ToPageX(UserX(i)); }
    float PageY(int i) const { return plot_internal::ToPageY(y[i]); }
};

void TooFewPoints(int n) { plot_internal::Print(PlotStream::Output, "PLOTL - zu wenig Punkte -> %d\n", n); }

// The move that starts a line afresh at the first data point.
void MoveToStart(float x, float y) {
    STROKE(x, y, 0);
    PLOT(x, y, 0);
}

float Distance(float xa, float ya, float xb, float yb) {
    const float dx = xb - xa;
    const float dy = yb - ya;
    return std::sqrt(dx * dx + dy * dy);
}

// The plain line through points first, first + inc, ... below n, when it
// lies well inside the page: its page points at once, then the strokes.
bool StrokeInside(const Points& points, int first, int n, int inc) {
    constexpr int kMostPoints = 256;
    float xs[kMostPoints], ys[kMostPoints];
    int count = 0;
    for (int i = first; i < n; i += inc) {
        if (count == kMostPoints) return false;
        xs[count] = points.PageX(i);
        ys[count] = points.PageY(i);
        ++count;
    }
    if (!plot_internal::StrokePolylineInside(xs, ys, count)) return false;
    PlotState.lastPlotX = xs[count - 1];
    PlotState.lastPlotY = ys[count - 1];
    return true;
}

}  // namespace

void PLOTL(const float* x, const float* y, int n, int increment, int symbol, int lineType,
           int dashLength, int continuation, float* phase) {
    PlotStateRecord& s = PlotState;
    int code = std::max(symbol, -1) + 2;
    int type = std::clamp(lineType, 0, 5);
    const bool dashed = type >= 2;

    float penDown = 0.18f;  // length of the drawn part of a dash period
    float penUp = 0.12f;    // length of the gap
    float p = 0;            // distance covered in the current part
    int cont = 0;
    if (!dashed) {
        code = std::min(code, 10);
        if (n < 2) type = 0;
        if (n < 1) {
            TooFewPoints(n);
            return;
        }
    } else {
        code = std::min(code, 8);
        if (n < 3) type = 2;
        if (n < 2) {
            TooFewPoints(n);
            return;
        }
        if (dashLength >= 5) {
            const float period = dashLength / 100.0f;
            penUp = 0.4f * period;
            penDown = period - penUp;
        }
        p = phase ? *phase : 0.0f;
        cont = std::clamp(continuation, 0, 1);
    }

    const bool equidistant = (type % 2) == 1;
    int inc = std::max(increment, 1);
    inc = std::min(inc, n - 1);
    if (equidistant) inc = std::min(inc, n / 3);
    inc = std::max(inc, 1);

    Points points{x, y, equidistant, 0.0f};
    if (equidistant) points.xStep = (x[1] - x[0]) / static_cast<float>(std::max(n - 1, 1));
    const float x0 = points.PageX(0);
    const float y0 = points.PageY(0);
    const int first = inc - 1;

    if (!dashed) {
        if (code >= 2) {
            MoveToStart(x0, y0);
        } else {
            // Joined to what was drawn before: no move, but the step codes
            // still measure from the first data point.
            s.lastPlotX = x0;
            s.lastPlotY = y0;
        }
        if (code > 2) {
            for (int i = first; i < n; i += inc) PLOT(points.PageX(i), points.PageY(i), code);
            return;
        }
        // Plain lines: the strokes themselves, and the last point's record
        // as PLOT leaves it.
        if (StrokeInside(points, first, n, inc)) return;
        for (int i = first; i < n; i += inc) {
            s.lastPlotX = points.PageX(i);
            s.lastPlotY = points.PageY(i);
            STROKE(s.lastPlotX, s.lastPlotY, 1);
        }
        return;
    }

    const float period = penDown + penUp;
    int gap = 0;  // 0 in the drawn part, 1 in the gap
    bool fresh = cont == 0;
    if (cont == 1) {
        // Whole periods are dropped; a value beyond reach of a few
        // subtractions is reduced in one step.
        if (p >= period) p = p < 64 * period ? p : std::fmod(p, period);
        while (p >= period) p -= period;
        if (p == 0) {
            fresh = true;
        } else if (p > penDown) {
            p -= penDown;
            gap = 1;
        }
    } else if (!(p >= 0 && p <= penDown)) {
        // A fresh start with a phase outside the first dash: read it as a
        // position in the pattern like a continued one instead of splitting
        // outside the first segment.
        p = std::isfinite(p) && p > 0 ? std::fmod(p, period) : 0.0f;
        if (p > penDown) {
            p -= penDown;
            gap = 1;
        }
    }
    if (fresh) {
        if (code >= 2) MoveToStart(x0, y0);
        if (code >= 3) PLOT(x0, y0, code);
    }

    const bool marks = code >= 3;  // markers at the dashes instead of lines
    float xa = x0;
    float ya = y0;
    long pieces = 0;  // of the whole call
    for (int i = first; i < n; i += inc) {
        const float xb = points.PageX(i);
        const float yb = points.PageY(i);
        float d = Distance(xa, ya, xb, yb);
        if (d == 0) continue;
        for (;; ++pieces) {
            float t;
            if (gap == 1 && d + p > penUp && pieces < kMaxDashPieces) {
                t = penUp - p;
            } else if (gap == 0 && d + p > penDown && pieces < kMaxDashPieces) {
                t = penDown - p;
            } else {
                if (!marks) STROKE(xb, yb, gap == 0 ? 1 : 0);
                // Past the bound the pattern restarts its part at the end point.
                p = pieces < kMaxDashPieces ? p + d : 0.0f;
                break;
            }
            const float xs = xa + (xb - xa) * t / d;
            const float ys = ya + (yb - ya) * t / d;
            if (gap == 1) {
                if (marks) {
                    PLOT(xs, ys, code);
                } else {
                    STROKE(xs, ys, 0);
                }
                gap = 0;
            } else {
                if (!marks) STROKE(xs, ys, 1);
                gap = 1;
            }
            xa = xs;
            ya = ys;
            p = 0;
            const float rest = Distance(xa, ya, xb, yb);
            if (rest == 0) break;  // the split fell on the end point
            if (!(rest < d)) {     // the split points no longer move
                if (!marks) STROKE(xb, yb, gap == 0 ? 1 : 0);
                break;
            }
            d = rest;
        }
        xa = xb;
        ya = yb;
    }
    if (cont == 1 && phase) *phase = gap == 0 ? p : penDown + p;
}

// A solid two-point line, the way PLOTL draws one: a move to the start,
// the start's pen dot and a stroke to the end, without the polyline's setup.
// Between finite points the stroke after the move paints the start's pen
// dot itself (its first dot is the start point), so the dot is left to it.
void PLOTLINE(float x1, float y1, float x2, float y2) {
    const float xa = plot_internal::ToPageX(x1), ya = plot_internal::ToPageY(y1);
    const float xb = plot_internal::ToPageX(x2), yb = plot_internal::ToPageY(y2);
    STROKE(xa, ya, 0);
    if (!(std::isfinite(xa) && std::isfinite(ya) && std::isfinite(xb) && std::isfinite(yb))) STROKE(xa, ya, 1);
    STROKE(xb, yb, 1);
    PlotState.lastPlotX = xb;
    PlotState.lastPlotY = yb;
}

void PLOTPOLY(const float* x, const float* y, int n) {
    float phase = 0.0f;
    PLOTL(x, y, n, 1, 0, 0, 0, 0, &phase);
}

void PLOTRECT(float x1, float y1, float x2, float y2) {
    PlotStateRecord& s = PlotState;
    s.rectX[0] = x1;
    s.rectY[0] = y1;
    s.rectX[1] = x2;
    s.rectY[1] = y1;
    s.rectX[2] = x2;
    s.rectY[2] = y2;
    s.rectX[3] = x1;
    s.rectY[3] = y2;
    s.rectX[4] = x1;
    s.rectY[4] = y1;
    PLOTPOLY(s.rectX, s.rectY, 5);
}
