// pen.cpp - the pen: user/page conversions, straight strokes rasterised as
// chains of pen dots, point markers and step moves.  Everything here is in
// page units unless a name says otherwise.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

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

namespace {

// The pen dot around pixel (px, py): a block of linePixels, clamped to the
// image pixel by pixel as SETPIXEL clamps.
void PaintPenDot(int px, int py) { plot_internal::PaintDotBlock(px, px, py, py); }

}  // namespace

void PENDOT(float x, float y) { PaintPenDot(plot_internal::PixelX(x), plot_internal::PixelY(y)); }

namespace plot_internal {

namespace {

// How far a pen dot reaches beyond its own pixel, in pixels: a block of
// linePixels (the flat shape keeps only its lower rows).
struct PenReach {
    int left, right, down, up;
};
inline PenReach ReachOfPen() {
    const PlotStateRecord& s = PlotState;
    const bool flat = s.lineShape == kLineShapeFlat;
    if (s.linePixels == 2) return {0, 1, 0, flat ? 0 : 1};
    if (s.linePixels >= 3) return {1, 1, flat ? 0 : 1, 1};
    return {0, 0, 0, 0};
}

// The pixels of the pen dots around columns col1..col2 of rows row1..row2,
// clamped to the image: a block, since clamping the ends clamps every pixel
// in between as SETPIXEL does.
struct Block {
    int col1, col2, row1, row2;
};
inline Block DotBlock(int col1, int col2, int row1, int row2) {
    const PlotStateRecord& s = PlotState;
    const PenReach pen = ReachOfPen();
    const auto clampTo = [](int v, int last) { return v > last ? last : (v < 0 ? 0 : v); };
    return {clampTo(col1 - pen.left, s.imageWidth - 1), clampTo(col2 + pen.right, s.imageWidth - 1),
            clampTo(row1 - pen.down, s.imageHeight - 1), clampTo(row2 + pen.up, s.imageHeight - 1)};
}

inline bool HavePage() {
    const PlotStateRecord& s = PlotState;
    return s.pagePixels && s.imageWidth > 0 && s.imageHeight > 0;
}

// Writes the pen colour into a block that lies inside the image.
inline void FillBlock(const Block& b) {
    PlotStateRecord& s = PlotState;
    const long stride = s.imageWidth;
    FillRows(s.pagePixels + stride * b.row1 + b.col1, stride, b.row2 - b.row1 + 1, b.col2 - b.col1 + 1,
             static_cast<unsigned char>(s.penColour));
}

// Widens the changed-pixel rectangle (rows counted from the top) by a block.
inline void MarkChanged(const Block& b) {
    PlotStateRecord& s = PlotState;
    s.dirtyLeft = std::min(s.dirtyLeft, b.col1);
    s.dirtyRight = std::max(s.dirtyRight, b.col2);
    s.dirtyTop = std::min(s.dirtyTop, s.imageHeight - 1 - b.row2);
    s.dirtyBottom = std::max(s.dirtyBottom, s.imageHeight - 1 - b.row1);
    if (g_collectingParts) NoteChangePart(b.col1, s.imageHeight - 1 - b.row2, b.col2, s.imageHeight - 1 - b.row1);
}

}  // namespace

void FillRows(unsigned char* first, long stride, int rows, int width, unsigned char colour) {
    const auto eachRow = [&](auto fill) {
        for (long row = 0; row < rows; ++row) fill(first + row * stride);
    };
    // Two stores of 4 or 8 bytes, overlapping where the row is shorter
    // than both together, cover a row of 4..16 bytes.
    const auto twoStores = [&](auto word) {
        std::memset(&word, colour, sizeof word);
        eachRow([&](unsigned char* line) {
            std::memcpy(line, &word, sizeof word);
            std::memcpy(line + width - sizeof word, &word, sizeof word);
        });
    };
    if (width == 1) {
        eachRow([&](unsigned char* line) { line[0] = colour; });
    } else if (width == 2) {
        eachRow([&](unsigned char* line) { line[0] = line[1] = colour; });
    } else if (width == 3) {
        eachRow([&](unsigned char* line) { line[0] = line[1] = line[2] = colour; });
    } else if (width <= 8) {
        twoStores(std::uint32_t{});
    } else if (width <= 16) {
        twoStores(std::uint64_t{});
    } else if (width > 0) {
        eachRow([&](unsigned char* line) { std::memset(line, colour, static_cast<std::size_t>(width)); });
    }
}

void PaintDotBlock(int col1, int col2, int row1, int row2) {
    if (!HavePage()) return;
    const Block b = DotBlock(col1, col2, row1, row2);
    FillBlock(b);
    MarkChanged(b);
}

namespace {

// Copies the first `width` bytes (1..16) of `pattern` into `rows` rows,
// `stride` bytes apart, from `first`: two overlapping stores a row.
void CopyNarrowRows(unsigned char* first, long stride, int rows, int width, const unsigned char* pattern) {
    const auto twoStores = [&](auto word) {
        constexpr int kSize = sizeof word;
        decltype(word) head, tail;
        std::memcpy(&head, pattern, kSize);
        std::memcpy(&tail, pattern + width - kSize, kSize);
        for (long row = 0; row < rows; ++row) {
            std::memcpy(first + row * stride, &head, kSize);
            std::memcpy(first + row * stride + width - kSize, &tail, kSize);
        }
    };
    if (width >= 8) {
        twoStores(std::uint64_t{});
    } else if (width >= 4) {
        twoStores(std::uint32_t{});
    } else {
        for (long row = 0; row < rows; ++row)
            std::memcpy(first + row * stride, pattern, static_cast<std::size_t>(width));
    }
}

// The box of PaintBoxInside when it is at most 16 pixels wide: each row is
// written once, from a pattern of the edge rows (all pen) or of the rows in
// between (pen, fill, pen).
void PaintNarrowBox(const Block& outer, const Block& inner) {
    PlotStateRecord& s = PlotState;
    const int width = outer.col2 - outer.col1 + 1;
    unsigned char edge[16], middle[16];
    std::memset(edge, s.penColour, sizeof edge);
    std::memset(middle, s.penColour, sizeof middle);
    const int fillWidth = inner.col2 - inner.col1 + 1;
    if (fillWidth > 0) {
        std::memset(middle + (inner.col1 - outer.col1), s.fillColour, static_cast<std::size_t>(fillWidth));
    }
    const long stride = s.imageWidth;
    unsigned char* const corner = s.pagePixels + stride * outer.row1 + outer.col1;
    const auto rows = [&](int from, int to, const unsigned char* pattern) {
        if (from <= to) CopyNarrowRows(corner + stride * (from - outer.row1), stride, to - from + 1, width, pattern);
    };
    if (inner.row1 > inner.row2) {
        rows(outer.row1, outer.row2, edge);
        return;
    }
    rows(outer.row1, inner.row1 - 1, edge);
    rows(inner.row1, inner.row2, middle);
    rows(inner.row2 + 1, outer.row2, edge);
}

}  // namespace

bool PaintBoxInside(int col1, int col2, int row1, int row2) {
    PlotStateRecord& s = PlotState;
    if (!HavePage() || col1 > col2 || row1 > row2) return false;
    const PenReach pen = ReachOfPen();
    const Block outer{col1 - pen.left, col2 + pen.right, row1 - pen.down, row2 + pen.up};
    if (outer.col1 < 0 || outer.col2 >= s.imageWidth || outer.row1 < 0 || outer.row2 >= s.imageHeight) return false;
    const bool filled = col1 < col2 && row1 < row2;
    if (filled) NoteDirectWrite(col1, col2 - 1, row1, row2 - 1);
    if (outer.col2 - outer.col1 < 16) {
        // The fill shows between the edges' pen dots.
        PaintNarrowBox(outer, {col1 + pen.right + 1, col2 - pen.left - 1, row1 + pen.up + 1, row2 - pen.down - 1});
        MarkChanged(outer);
        return true;
    }
    if (filled) {
        const long stride = s.imageWidth;
        FillRows(s.pagePixels + stride * row1 + col1, stride, row2 - row1, col2 - col1,
                 static_cast<unsigned char>(s.fillColour));
    }
    FillBlock({outer.col1, outer.col2, outer.row1, row1 + pen.up});     // bottom edge
    FillBlock({outer.col1, outer.col2, row2 - pen.down, outer.row2});   // top edge
    FillBlock({outer.col1, col1 + pen.right, outer.row1, outer.row2});  // left edge
    FillBlock({col2 - pen.left, outer.col2, outer.row1, outer.row2});   // right edge
    MarkChanged(outer);
    return true;
}

bool DotBlockPainted(int col1, int col2, int row1, int row2) {
    const PlotStateRecord& s = PlotState;
    if (!HavePage()) return false;
    const Block b = DotBlock(col1, col2, row1, row2);
    if (b.col1 < s.dirtyLeft || b.col2 > s.dirtyRight || s.imageHeight - 1 - b.row2 < s.dirtyTop ||
        s.imageHeight - 1 - b.row1 > s.dirtyBottom) {
        return false;
    }
    const auto colour = static_cast<unsigned char>(s.penColour);
    for (int row = b.row1; row <= b.row2; ++row) {
        const unsigned char* line = s.pagePixels + static_cast<long>(s.imageWidth) * row;
        // The ends first: what is new mostly lies there.
        if (line[b.col1] != colour || line[b.col2] != colour) return false;
        for (int col = b.col1 + 1; col < b.col2; ++col) {
            if (line[col] != colour) return false;
        }
    }
    return true;
}

bool StrokeSpread(float ax, float ay, float bx, float by, int& col1, int& col2, int& row1, int& row2) {
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return false;
    // A dot lies between the ends, give or take well under 1e-6 of the
    // stroke (its minor coordinate's slope is rounded) and the rounding of
    // its coordinates; the slack covers both.
    const auto spread = [](float a, float b, int (*pixel)(float), int& low, int& high) {
        const float slack = 1e-6f * (std::fabs(b - a) + std::fmax(std::fabs(a), std::fabs(b)));
        const int p = pixel(std::fmin(a, b) - slack), q = pixel(std::fmax(a, b) + slack);
        low = std::min(p, q);
        high = std::max(p, q);
    };
    spread(ax, bx, PIXELX, col1, col2);
    spread(ay, by, PIXELY, row1, row2);
    return true;
}

int GapFreePixels(double perDot) {
    perDot = std::fabs(perDot);
    if (!(perDot < 1)) return -1;
    const double pixels = (1 - perDot) * 0x1p22 * 0.99 - 2;  // 2 pixels to spare for the neighbour
    return pixels > 1e9 ? 1000000000 : static_cast<int>(pixels);
}

}  // namespace plot_internal

namespace {

// The most dots one stroke steps through before it jumps to its end point.
constexpr int kMaxSteps = 32767;

// The last j in k..limit for which `holds(j)` is true, where it is true
// from k up to some j and false after.  The limit is tried first (a whole
// stroke on one row costs one test); then a search that doubles its stride
// and halves it again, so that a short stretch costs little as well.
template <typename Holds>
int LastOf(int k, int limit, Holds holds) {
    if (holds(limit)) return limit;
    int last = k, stride = 1;
    while (last + stride < limit && holds(last + stride)) {
        last += stride;
        stride *= 2;
    }
    for (stride /= 2; stride > 0; stride /= 2) {
        if (last + stride < limit && holds(last + stride)) last += stride;
    }
    return last;
}

// The dots of one stroke: dot k steps the major coordinate from `origin` by
// `step` (just under a pixel) and the minor one by `slope` (no more than
// that).  The stepped coordinate is kept in double and compared with the
// target before it is rounded; the dots themselves get single-precision
// coordinates.  Both pixel coordinates of the dots move monotonically with
// k (the conversions and their clamping are monotonic), so a stretch of dots
// on one row or column is found by search.
template <bool kXMajor>
struct DotRun {
    float origin, target, step, minorOrigin, slope;

    double Major(int k) const { return k * static_cast<double>(step) + origin; }
    double Minor(int k) const { return k * static_cast<double>(slope) + minorOrigin; }
    bool Within(int k) const {
        if (k >= kMaxSteps) return false;
        const double major = Major(k);
        return !(step > 0 ? major > target : major < target);
    }
    float X(int k) const { return static_cast<float>(kXMajor ? Major(k) : Minor(k)); }
    float Y(int k) const { return static_cast<float>(kXMajor ? Minor(k) : Major(k)); }
    int Column(int k) const { return plot_internal::PixelX(X(k)); }
    int Row(int k) const { return plot_internal::PixelY(Y(k)); }
};

// Paints dots first..last one pixel at a time, skipping the dots that
// repeat the pixel before them.
template <bool kXMajor>
void PaintOneByOne(const DotRun<kXMajor>& run, int first, int last) {
    for (int k = first; k <= last; ++k) {
        const int col = run.Column(k), row = run.Row(k);
        PaintPenDot(col, row);
        k = LastOf(k, last, [&](int j) { return run.Column(j) == col && run.Row(j) == row; });
    }
}

// A stroke of at most this many dots may be stepped dot by dot in one tight
// loop; a longer one is painted by the search below, whose cost grows with
// the rows and columns it crosses rather than with its length.
constexpr int kTightDots = 512;

// The last dot of a stroke whose dot `first` is within it, when it has at
// most `most` dots from there; -1 when it has more.  The quotient guesses
// it, and the dots around the guess settle it.
template <bool kXMajor>
int LastDotOfShort(const DotRun<kXMajor>& run, int first, int most) {
    const double dots = (static_cast<double>(run.target) - run.origin) / run.step;
    if (!(dots < most)) return -1;
    int last = std::max(first, static_cast<int>(dots));
    while (last > first && !run.Within(last)) --last;
    while (run.Within(last + 1)) ++last;
    return last - first < most ? last : -1;
}

// Steps dots first..last and paints the pen dot of each pixel that differs
// from the dot before's, then the one of the end pixel: the kWidth x kHeight
// pen of ReachOfPen (a 3-pixel pen reaches one pixel left, and one down
// unless flat), all inside the image.  The coordinates are those of X(k) and
// Y(k): k times a float step is exact in double (k is under 2^15), so adding
// the step dot by dot gives the very product.
template <bool kXMajor, int kWidth, int kHeight>
void StepDotsInside(const DotRun<kXMajor>& run, int first, int last, int endCol, int endRow) {
    constexpr int kLeft = kWidth == 3 ? 1 : 0, kDown = kHeight == 3 ? 1 : 0;
    // Local copies: the pixel stores could alias the record and the run.
    const PlotStateRecord& s = PlotState;
    const float scaleX = s.pixelsPerUnitX, scaleY = s.pixelsPerUnitY;
    const auto colour = static_cast<unsigned char>(s.penColour);
    const long stride = s.imageWidth;
    unsigned char* const pixels = s.pagePixels;
    const double step = run.step, slope = run.slope, origin = run.origin, minorOrigin = run.minorOrigin;
    double along = first * step, across = first * slope;
    const auto pair = static_cast<std::uint16_t>(colour * 0x0101u);  // a 2-pixel pen's row in one store
    const auto paint = [&](int col, int row) {
        unsigned char* const corner = pixels + stride * (row - kDown) + (col - kLeft);
        for (int r = 0; r < kHeight; ++r) {
            if constexpr (kWidth == 2) {
                std::memcpy(corner + r * stride, &pair, sizeof pair);
            } else {
                for (int c = 0; c < kWidth; ++c) corner[r * stride + c] = colour;
            }
        }
    };
    int lastCol = -1, lastRow = -1;
    for (int k = first; k <= last; ++k, along += step, across += slope) {
        const double major = along + origin, minor = across + minorOrigin;
        const float x = static_cast<float>(kXMajor ? major : minor), y = static_cast<float>(kXMajor ? minor : major);
        const int col = static_cast<int>(scaleX * x), row = static_cast<int>(scaleY * y);
        if (col == lastCol && row == lastRow) continue;  // the same pen dot again
        lastCol = col;
        lastRow = row;
        paint(col, row);
    }
    if (endCol != lastCol || endRow != lastRow) paint(endCol, endRow);
}

// StepDotsInside for the pen's shape.
template <bool kXMajor>
auto StepDotsOfPen(const plot_internal::PenReach& pen) {
    const int width = pen.left + pen.right + 1, height = pen.down + pen.up + 1;
    auto stepDots = StepDotsInside<kXMajor, 1, 1>;
    if (width == 2) stepDots = height == 2 ? StepDotsInside<kXMajor, 2, 2> : StepDotsInside<kXMajor, 2, 1>;
    if (width == 3) stepDots = height == 3 ? StepDotsInside<kXMajor, 3, 3> : StepDotsInside<kXMajor, 3, 2>;
    return stepDots;
}

// True when the dots of a stroke whose minor coordinate stays put, with
// their major pixels between these ends, cover every pixel between them: the
// step is under a pixel and the pixels are near enough to 0 that rounding
// cannot make neighbouring dots skip one (GapFreePixels).
template <bool kXMajor>
bool AlongOneLine(float step, int col1, int col2, int row1, int row2) {
    const PlotStateRecord& s = PlotState;
    const float scale = kXMajor ? s.pixelsPerUnitX : s.pixelsPerUnitY;
    const int bound = plot_internal::GapFreePixels(static_cast<double>(scale) * step);
    const int a = kXMajor ? col1 : row1, b = kXMajor ? col2 : row2;
    return std::abs(a) <= bound && std::abs(b) <= bound;
}

// Paints dots first..last of a stroke and its end point (x, y) directly
// into the page image when neither clipping nor the image's edges cut any
// of their pen dots; false, with nothing painted, when they would.
//
// Both scaled coordinates of the dots move monotonically with k (k * step
// is exact in double, and every rounding and the scaling keep the order),
// so the end dots bound all others: when the ends need no clamping, no dot
// does, and the plain truncation of a scaled coordinate is its pixel.  The
// changed-pixel rectangle then grows by the pen dots of the span of those
// pixels and the end point's, which is what the dots one by one would add.
template <bool kXMajor>
bool PaintInsideImage(const DotRun<kXMajor>& run, int first, int last, float x, float y) {
    PlotStateRecord& s = PlotState;
    if (!plot_internal::HavePage()) return false;
    const float scaleX = s.pixelsPerUnitX, scaleY = s.pixelsPerUnitY;
    using plot_internal::UnclampedPixel;
    int col1, col2, row1, row2, endCol, endRow;
    if (!UnclampedPixel(scaleX * run.X(first), s.clipXMin, s.clipXEnd, col1) ||
        !UnclampedPixel(scaleX * run.X(last), s.clipXMin, s.clipXEnd, col2) ||
        !UnclampedPixel(scaleX * x, s.clipXMin, s.clipXEnd, endCol) ||
        !UnclampedPixel(scaleY * run.Y(first), s.clipYMin, s.clipYEnd, row1) ||
        !UnclampedPixel(scaleY * run.Y(last), s.clipYMin, s.clipYEnd, row2) ||
        !UnclampedPixel(scaleY * y, s.clipYMin, s.clipYEnd, endRow)) {
        return false;
    }
    const plot_internal::PenReach pen = plot_internal::ReachOfPen();
    const plot_internal::Block spread{
        std::min({col1, col2, endCol}) - pen.left, std::max({col1, col2, endCol}) + pen.right,
        std::min({row1, row2, endRow}) - pen.down, std::max({row1, row2, endRow}) + pen.up};
    if (spread.col1 < 0 || spread.col2 >= s.imageWidth || spread.row1 < 0 || spread.row2 >= s.imageHeight) {
        return false;
    }
    if (run.slope == 0 && AlongOneLine<kXMajor>(run.step, col1, col2, row1, row2)) {
        // Every dot lies on the row (or column) of the first, and their
        // pixels run without a gap from the first dot's to the last's.
        const plot_internal::Block line{std::min(col1, col2) - pen.left, std::max(col1, col2) + pen.right,
                                        std::min(row1, row2) - pen.down, std::max(row1, row2) + pen.up};
        plot_internal::FillBlock(line);
        plot_internal::FillBlock({endCol - pen.left, endCol + pen.right, endRow - pen.down, endRow + pen.up});
        plot_internal::MarkChanged(spread);
        return true;
    }
    StepDotsOfPen<kXMajor>(pen)(run, first, last, endCol, endRow);
    plot_internal::MarkChanged(spread);
    return true;
}

// Steps through a stroke's dots and paints them.  Where the dots run along
// one row or one column (an edge of the page they are clamped onto, a flat
// or steep stretch, or a single pixel) the run is found by search and
// painted as one block of pen dots, since along it the other pixel
// coordinate covers every pixel between the run's ends; elsewhere dot by
// dot.  Either way exactly the pixels of stepping every dot get painted, and
// a stroke costs at most a few searches per row or column it crosses.  A
// short stroke inside the image paints its end point (x, y) as well: true.
template <bool kXMajor>
bool StepStroke(const DotRun<kXMajor>& run, int first, float x, float y) {
    const PlotStateRecord& s = PlotState;
    const float step = run.step, slope = run.slope;
    if (!run.Within(first)) return false;
    const int shortLast = LastDotOfShort(run, first, kTightDots);
    if (shortLast >= 0 && PaintInsideImage(run, first, shortLast, x, y)) return true;
    using plot_internal::GapFreePixels;
    const int gapFreeX = GapFreePixels(static_cast<double>(s.pixelsPerUnitX) * (kXMajor ? step : slope));
    const int gapFreeY = GapFreePixels(static_cast<double>(s.pixelsPerUnitY) * (kXMajor ? slope : step));
    const auto gapFree = [](int a, int b, int bound) { return a >= -bound && a <= bound && b >= -bound && b <= bound; };
    const int lastDot = LastOf(first, kMaxSteps - 1, [&](int j) { return run.Within(j); });
    int k = first;
    int col = run.Column(k), row = run.Row(k);
    for (;;) {
        const bool more = k < lastDot;
        const int nextCol = more ? run.Column(k + 1) : col, nextRow = more ? run.Row(k + 1) : row;
        if (!more || (nextCol != col && nextRow != row)) {  // a diagonal step
            PaintPenDot(col, row);
            if (!more) return false;
            ++k;
            col = nextCol;
            row = nextRow;
            continue;
        }
        int last;
        if (nextRow == row) {  // along a row
            last = LastOf(k + 1, lastDot, [&](int j) { return run.Row(j) == row; });
            const int lastCol = run.Column(last);
            if (col == lastCol || gapFree(col, lastCol, gapFreeX)) {
                plot_internal::PaintDotBlock(std::min(col, lastCol), std::max(col, lastCol), row, row);
            } else {
                PaintOneByOne(run, k, last);
            }
        } else {  // along a column
            last = LastOf(k + 1, lastDot, [&](int j) { return run.Column(j) == col; });
            const int lastRow = run.Row(last);
            if (row == lastRow || gapFree(row, lastRow, gapFreeY)) {
                plot_internal::PaintDotBlock(col, col, std::min(row, lastRow), std::max(row, lastRow));
            } else {
                PaintOneByOne(run, k, last);
            }
        }
        if (last == lastDot) return false;
        k = last + 1;
        col = run.Column(k);
        row = run.Row(k);
    }
}

// Calls `use` with the dots of the stroke from (cx, cy) to (x, y): along
// the axis on which it crosses more pixels, a step just under a pixel, and
// across by the slope, the quotient taken in double and rounded once.
template <typename Use>
bool WithDotRun(float cx, float cy, float x, float y, Use use) {
    const PlotStateRecord& s = PlotState;
    const float dx = x - cx;
    const float dy = y - cy;
    if (std::fabs(s.pixelsPerUnitY * dy) > std::fabs(s.pixelsPerUnitX * dx)) {
        const float step = dy > 0 ? s.stepY : -s.stepY;
        return use(DotRun<false>{cy, y, step, cx, static_cast<float>(static_cast<double>(step) * dx / dy)});
    }
    const float step = dx > 0 ? s.stepX : -s.stepX;
    return use(DotRun<true>{cx, x, step, cy, static_cast<float>(static_cast<double>(step) * dy / dx)});
}

// The columns and rows a polyline's dots lie in, grown pixel by pixel.
struct Span {
    int col1 = INT_MAX, col2 = INT_MIN, row1 = INT_MAX, row2 = INT_MIN;
    void Add(int col, int row) {
        col1 = std::min(col1, col);
        col2 = std::max(col2, col);
        row1 = std::min(row1, row);
        row2 = std::max(row2, row);
    }
};

// Paints dots first.. and the end point (x, y) of a stroke of at most
// kTightDots dots that lies inside the image and the clip range, as
// StepStroke and STROKE do, adding their pixels to `span`; false, with
// nothing painted, for a longer stroke.
template <bool kXMajor>
bool StepShortInside(const DotRun<kXMajor>& run, int first, float x, float y, Span& span) {
    const PlotStateRecord& s = PlotState;
    const float scaleX = s.pixelsPerUnitX, scaleY = s.pixelsPerUnitY;
    const int endCol = plot_internal::TruncToInt(scaleX * x), endRow = plot_internal::TruncToInt(scaleY * y);
    if (!run.Within(first)) {  // shorter than a step: the end point alone
        PaintPenDot(endCol, endRow);
        return true;
    }
    const int last = LastDotOfShort(run, first, kTightDots);
    if (last < 0) return false;
    span.Add(plot_internal::TruncToInt(scaleX * run.X(first)), plot_internal::TruncToInt(scaleY * run.Y(first)));
    span.Add(plot_internal::TruncToInt(scaleX * run.X(last)), plot_internal::TruncToInt(scaleY * run.Y(last)));
    span.Add(endCol, endRow);
    StepDotsOfPen<kXMajor>(plot_internal::ReachOfPen())(run, first, last, endCol, endRow);
    return true;
}

// True when every dot of a stroke from (ax, ay) to (bx, by) lands on one
// pixel whose pen dot is painted in the pen colour and changed already:
// dashes and text far off the page come in thousands of such strokes.
bool NothingNewToPaint(float ax, float ay, float bx, float by) {
    // Only a stroke under a pixel long or beyond one edge of the page, along
    // each axis, can stay on one pixel: a quick test spares the others.
    const PlotStateRecord& s = PlotState;
    const auto mayStay = [](float scale, float a, float b, int low, int end) {
        const float pa = scale * a, pb = scale * b;
        return std::fabs(pa - pb) < 2 || (pa < low && pb < low) || (pa >= end && pb >= end);
    };
    if (!mayStay(s.pixelsPerUnitX, ax, bx, s.clipXMin, s.clipXEnd) ||
        !mayStay(s.pixelsPerUnitY, ay, by, s.clipYMin, s.clipYEnd)) {
        return false;
    }
    int col1, col2, row1, row2;
    return plot_internal::StrokeSpread(ax, ay, bx, by, col1, col2, row1, row2) && col1 == col2 && row1 == row2 &&
           plot_internal::DotBlockPainted(col1, col2, row1, row2);
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
    if (NothingNewToPaint(cx, cy, x, y)) {
        s.penDrawn = 1;
        s.penX = x;
        s.penY = y;
        return;
    }
    // A continuing polyline does not repaint the vertex it shares with the
    // stroke before: stepping then starts one dot further on.
    const int first = s.penDrawn ? 1 : 0;
    const bool endPainted = WithDotRun(cx, cy, x, y, [&](const auto& run) { return StepStroke(run, first, x, y); });
    if (!endPainted) PENDOT(x, y);  // the exact end point is always painted
    s.penDrawn = 1;
    s.penX = x;
    s.penY = y;
}

namespace plot_internal {

bool StrokePolylineInside(const float* xs, const float* ys, int count) {
    PlotStateRecord& s = PlotState;
    if (count < 1 || !HavePage()) return false;
    // Each dot lies within a pixel of the segment's ends (the slope is
    // rounded, its product with the step exact), so ends a pixel inside
    // the clip range, and a pixel and the pen's reach inside the image, keep
    // every pen dot there.
    const PenReach pen = ReachOfPen();
    const float colLow = static_cast<float>(std::max(s.clipXMin, pen.left) + 1);
    const float colEnd = static_cast<float>(std::min(s.clipXEnd, s.imageWidth - pen.right) - 1);
    const float rowLow = static_cast<float>(std::max(s.clipYMin, pen.down) + 1);
    const float rowEnd = static_cast<float>(std::min(s.clipYEnd, s.imageHeight - pen.up) - 1);
    const auto wellInside = [&](float x, float y) {
        const float col = s.pixelsPerUnitX * x, row = s.pixelsPerUnitY * y;
        return col >= colLow && col < colEnd && row >= rowLow && row < rowEnd;  // NaN is not
    };
    if (!wellInside(s.penX, s.penY)) return false;
    for (int i = 0; i < count; ++i) {
        if (!wellInside(xs[i], ys[i])) return false;
    }
    Span span;
    for (int i = 0; i < count; ++i) {
        const float x = xs[i], y = ys[i];
        const float cx = s.penX, cy = s.penY;
        const int first = s.penDrawn ? 1 : 0;
        bool painted = true;
        if (x == cx && y == cy) {
            PaintPenDot(PixelX(x), PixelY(y));
        } else {
            painted =
                WithDotRun(cx, cy, x, y, [&](const auto& run) { return StepShortInside(run, first, x, y, span); });
        }
        if (!painted) {
            STROKE(x, y, 1);  // a long one: stepped by its rows and columns
        } else {
            s.penDrawn = 1;
            s.penX = x;
            s.penY = y;
        }
    }
    if (span.col1 <= span.col2) {
        MarkChanged({span.col1 - pen.left, span.col2 + pen.right, span.row1 - pen.down, span.row2 + pen.up});
    }
    return true;
}

}  // namespace plot_internal

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
