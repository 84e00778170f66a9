// pen.cpp - the pen: user/page conversions, straight strokes rasterised as
// chains of pen dots, point markers and step moves.  Everything here is in
// page units unless a name says otherwise.
#include <cmath>

#include "plot/internal.h"
#include "plot/plot.h"

namespace plot_internal {

long double PageXExtended(float userX) {
    return (static_cast<long double>(userX) - PlotState.userXMin) * PlotState.userToPageX;
}
long double PageYExtended(float userY) {
    return (static_cast<long double>(userY) - PlotState.userYMin) * PlotState.userToPageY;
}
long double UserXExtended(float pageX) {
    return static_cast<long double>(pageX) * PlotState.pageToUserX + PlotState.userXMin;
}
long double UserYExtended(float pageY) {
    return static_cast<long double>(pageY) * PlotState.pageToUserY + PlotState.userYMin;
}

}  // namespace plot_internal

double PAGEX(float userX) { return static_cast<double>(plot_internal::PageXExtended(userX)); }
double PAGEY(float userY) { return static_cast<double>(plot_internal::PageYExtended(userY)); }
double USERX(float pageX) { return static_cast<double>(plot_internal::UserXExtended(pageX)); }
double USERY(float pageY) { return static_cast<double>(plot_internal::UserYExtended(pageY)); }

void PENDOT(float x, float y) {
    const int px = PIXELX(x);
    const int py = PIXELY(y);
    const int thickness = PlotState.linePixels;
    const bool flat = PlotState.lineShape == kLineShapeFlat;  // only the lower rows of a block
    if (thickness <= 1) {
        SETPIXEL(px, py);
    } else if (thickness == 2) {
        SETPIXEL(px, py);
        SETPIXEL(px + 1, py);
        if (!flat) {
            SETPIXEL(px + 1, py + 1);
            SETPIXEL(px, py + 1);
        }
    } else {
        const int firstRow = flat ? py : py - 1;
        for (int row = firstRow; row <= py + 1; ++row) {
            for (int col = px - 1; col <= px + 1; ++col) SETPIXEL(col, row);
        }
    }
}

namespace {

// The most dots one stroke steps through before it jumps to its end point.
constexpr int kMaxSteps = 32767;

// True when a coordinate's pixel sits on (or beyond) the clip window's edge
// in the direction it travels: later dots then land on that same edge pixel.
bool PinnedAtEdge(double value, float pixelsPerUnit, int clipMin, int clipEnd, float direction) {
    if (direction == 0) return true;
    const int pixel = plot_internal::TruncToInt(pixelsPerUnit * static_cast<float>(value));
    return direction > 0 ? pixel >= clipEnd - 1 : pixel <= clipMin;
}

// The dots of one stroke: dot k steps the major coordinate from `origin` by
// `step` (just under a pixel) and the minor one by `slope`.  The stepped
// coordinate is kept in double and compared with the target before it is
// rounded; the dots themselves get single-precision coordinates.
template <bool kXMajor>
struct DotRun {
    float origin, target, step, minorOrigin, slope;

    double Major(int k) const { return k * static_cast<double>(step) + origin; }
    double Minor(int k) const { return k * static_cast<double>(slope) + minorOrigin; }
    bool Within(int k) const {
        const double major = Major(k);
        return !(step > 0 ? major > target : major < target);
    }
    float X(int k) const { return static_cast<float>(kXMajor ? Major(k) : Minor(k)); }
    float Y(int k) const { return static_cast<float>(kXMajor ? Minor(k) : Major(k)); }
    bool SamePixel(int k, int j) const { return PIXELX(X(k)) == PIXELX(X(j)) && PIXELY(Y(k)) == PIXELY(Y(j)); }

    // The last dot from k on that is painted on dot k's pixel.  Both pixel
    // coordinates move monotonically with k, so the dots in between land
    // there too and can be left out without changing a pixel.
    int LastOnSamePixel(int k) const {
        if (k + 1 >= kMaxSteps || !Within(k + 1) || !SamePixel(k, k + 1)) return k;
        int same = k + 1, differs = kMaxSteps;  // binary search between them
        while (differs - same > 1) {
            const int mid = same + (differs - same) / 2;
            if (Within(mid) && SamePixel(k, mid)) {
                same = mid;
            } else {
                differs = mid;
            }
        }
        return same;
    }
};

// Steps through a stroke's dots and paints them.  Off the page many dots
// land on one edge pixel: while the major coordinate is off the page, a run
// of dots on the same pixel is painted once; and once both coordinates sit
// on the edge in the direction they travel, every further dot repeats the
// last one, so stepping stops.  Either way the same pixels get painted.
template <bool kXMajor>
void StepStroke(float origin, float target, float step, float minorOrigin, float slope, int first) {
    const PlotStateRecord& s = PlotState;
    const DotRun<kXMajor> run{origin, target, step, minorOrigin, slope};
    const float majorScale = kXMajor ? s.pixelsPerUnitX : s.pixelsPerUnitY;
    const float minorScale = kXMajor ? s.pixelsPerUnitY : s.pixelsPerUnitX;
    const int majorMin = kXMajor ? s.clipXMin : s.clipYMin, majorEnd = kXMajor ? s.clipXEnd : s.clipYEnd;
    const int minorMin = kXMajor ? s.clipYMin : s.clipXMin, minorEnd = kXMajor ? s.clipYEnd : s.clipXEnd;
    for (int k = first; k < kMaxSteps && run.Within(k); ++k) {
        PENDOT(run.X(k), run.Y(k));
        const double major = run.Major(k);
        if (PinnedAtEdge(major, majorScale, majorMin, majorEnd, step) &&
            PinnedAtEdge(run.Minor(k), minorScale, minorMin, minorEnd, slope)) {
            break;
        }
        const int majorPixel = plot_internal::TruncToInt(majorScale * static_cast<float>(major));
        if (majorPixel < majorMin || majorPixel > majorEnd - 1) k = run.LastOnSamePixel(k);
    }
}

}  // namespace

void STROKE(float x, float y, int pen) {
    PlotStateRecord& s = PlotState;
    if (pen != 1) {  // any other value moves
        s.penDrawn = 0;
        s.penX = x;
        s.penY = y;
        return;
    }
    const float cx = s.penX;
    const float cy = s.penY;
    if (x == cx && y == cy) {
        PENDOT(x, y);
        s.penDrawn = 1;
        return;
    }
    const float dx = x - cx;
    const float dy = y - cy;
    // A continuing polyline does not repaint the vertex it shares with the
    // stroke before: stepping then starts one dot further on.
    const int first = s.penDrawn ? 1 : 0;
    if (std::fabs(s.pixelsPerUnitY * dy) > std::fabs(s.pixelsPerUnitX * dx)) {
        const float step = dy > 0 ? s.stepY : -s.stepY;
        const float slope = static_cast<float>(static_cast<double>(step) * dx / dy);
        StepStroke<false>(cy, y, step, cx, slope, first);
    } else {
        const float step = dx > 0 ? s.stepX : -s.stepX;
        const float slope = static_cast<float>(static_cast<double>(step) * dy / dx);
        StepStroke<true>(cx, x, step, cy, slope, first);
    }
    PENDOT(x, y);  // the exact end point is always painted
    s.penDrawn = 1;
    s.penX = x;
    s.penY = y;
}

void PLOTR(float dx, float dy, int pen) { STROKE(PlotState.penX + dx, PlotState.penY + dy, pen); }

namespace {

// Markers are 0.16 page units across whatever the user scale; each starts
// at a corner or edge point 0.08 from the centre (added in double).
constexpr double kHalf = 0.08;

void MoveToMarkerStart(float x, float y, bool raised) {
    STROKE(static_cast<float>(x + kHalf), raised ? static_cast<float>(y + kHalf) : y, 0);
}

void MarkPlus(float x, float y) {
    MoveToMarkerStart(x, y, false);
    PLOTR(-0.16f, 0.0f, 1);
    PLOTR(0.08f, 0.08f, 0);
    PLOTR(0.0f, -0.16f, 1);
}

void MarkTriangle(float x, float y) {
    MoveToMarkerStart(x, y, false);
    PLOTR(-0.12f, -0.08f, 1);
    PLOTR(0.0f, 0.16f, 1);
    PLOTR(0.12f, -0.08f, 1);
}

void MarkSquare(float x, float y) {
    MoveToMarkerStart(x, y, true);
    PLOTR(0.0f, -0.16f, 1);
    PLOTR(-0.16f, 0.0f, 1);
    PLOTR(0.0f, 0.16f, 1);
    PLOTR(0.16f, 0.0f, 1);
}

void MarkCross(float x, float y) {
    MoveToMarkerStart(x, y, true);
    PLOTR(-0.16f, -0.16f, 1);
    PLOTR(0.0f, 0.16f, 0);
    PLOTR(0.16f, -0.16f, 1);
}

}  // namespace

void PLOT(float x, float y, int code) {
    PlotStateRecord& s = PlotState;
    switch (code) {
        case 1:
        case 2:
            STROKE(x, y, 1);
            break;
        case 3:  // a single pen dot
            STROKE(x, y, 0);
            STROKE(x, y, 1);
            break;
        case 4:
            MarkPlus(x, y);
            break;
        case 5:
            MarkTriangle(x, y);
            break;
        case 6:
            MarkSquare(x, y);
            break;
        case 7:
            MarkCross(x, y);
            break;
        case 8:  // star: cross and plus
            MarkCross(x, y);
            MarkPlus(x, y);
            break;
        case 9:
        case 11:  // step, vertical leg first
            STROKE(s.lastPlotX, y, 1);
            STROKE(x, y, 1);
            break;
        case 10:
        case 12:  // step, horizontal leg first
            STROKE(x, s.lastPlotY, 1);
            STROKE(x, y, 1);
            break;
        default:
            STROKE(x, y, 0);
            break;
    }
    s.lastPlotX = x;
    s.lastPlotY = y;
}
