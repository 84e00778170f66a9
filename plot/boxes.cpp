// boxes.cpp - filled, hatched and outlined rectangles, and dots.
//
// The style of BOXFILL is a bit set written as octal digits:
//     1 horizontal hatch      2 vertical hatch        4 no outline
//    10 diagonal "\" hatch   20 diagonal "/" hatch   40 no outline
//   100 solid fill          200 with 100: hatch over the fill as well
// The solid fill goes straight into the page image row by row; hatching and
// the outline go through the pen, so only they widen the changed-pixel
// rectangle.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "plot/internal.h"
#include "plot/plot.h"

namespace {

constexpr int kHorizontal = 1;
constexpr int kVertical = 2;
constexpr int kNoOutline = 4;
constexpr int kFalling = 8;   // lines from upper left to lower right
constexpr int kRising = 16;   // lines from lower left to upper right
constexpr int kNoOutlineToo = 32;
constexpr int kSolid = 64;
constexpr int kHatchOverSolid = 128;

// A diagonal hatch never draws more lines than this.
constexpr int kMaxDiagonalPasses = 32000;

// Writes fillColour into columns col1..col2-1 of rows row1..row2-1; the last
// column and row are left to the outline.  The bounds come from the clamped
// page-to-pixel conversion; they are held to the image as well, so a clip
// window larger than the image cannot lead the writes astray.
void SolidFill(float left, float bottom, float right, float top) {
    PlotStateRecord& s = PlotState;
    if (!s.pagePixels || s.imageWidth <= 0 || s.imageHeight <= 0) return;
    int col1 = plot_internal::PixelX(left);
    int row1 = plot_internal::PixelY(bottom);
    int col2 = plot_internal::PixelX(right);
    int row2 = plot_internal::PixelY(top);
    if (col1 > col2) std::swap(col1, col2);
    if (row1 > row2) std::swap(row1, row2);
    if (col1 < 0) col1 = 0;
    if (row1 < 0) row1 = 0;
    if (col2 > s.imageWidth) col2 = s.imageWidth;
    if (row2 > s.imageHeight) row2 = s.imageHeight;
    if (col1 >= col2 || row1 >= row2) return;
    const long stride = s.imageWidth;
    plot_internal::FillRows(s.pagePixels + stride * row1 + col1, stride, row2 - row1, col2 - col1,
                            static_cast<unsigned char>(s.fillColour));
    plot_internal::NoteDirectWrite(col1, col2 - 1, row1, row2 - 1);
}

void OutlineEdge(float x, float y);

// One hatch line: a move to its start and a draw to its end.
void HatchLine(float x1, float y1, float x2, float y2) {
    PLOT(x1, y1, 13);
    OutlineEdge(x2, y2);
}

// Draws the segment between a and b, from a to b on even passes and back on
// odd ones, so the pen zigzags through the hatching.
void AlternatingLine(int pass, float ax, float ay, float bx, float by) {
    if (pass % 2 == 0) {
        HatchLine(ax, ay, bx, by);
    } else {
        HatchLine(bx, by, ax, ay);
    }
}

// Diagonal hatching of a box far larger than the page draws up to 32000
// lines each way that lie wholly on one edge row or column of the page,
// nearly all of them on pixels that earlier lines painted.  Every hatch line
// has the same colour and pen, so a line whose every possible pixel already
// has that colour and lies in the changed-pixel rectangle can be left out:
// the page and the rectangle stay exactly as drawing it would leave them.
// Stretches of a row or column found so are remembered; nothing but hatch
// lines paints until the hatching ends, so they stay painted.
class DiagonalHatch {
public:
    // Draws the segment between a and b, from a to b on even passes and back
    // on odd ones (the pen zigzags), unless it would change nothing.
    void Line(int pass, float ax, float ay, float bx, float by) {
        Stretch where{};
        if (plot_internal::StrokeSpread(ax, ay, bx, by, where.col1, where.col2, where.row1, where.row2) &&
            (where.col1 == where.col2 || where.row1 == where.row2) && AlreadyPainted(where)) {
            return;
        }
        AlternatingLine(pass, ax, ay, bx, by);
    }

private:
    struct Stretch {  // pixels of one row or one column
        int col1, col2, row1, row2;
    };

    bool AlreadyPainted(const Stretch& want) {
        for (const Stretch& known : painted_) {
            if (known.col1 <= want.col1 && want.col2 <= known.col2 && known.row1 <= want.row1 &&
                want.row2 <= known.row2) {
                return true;
            }
        }
        if (!plot_internal::DotBlockPainted(want.col1, want.col2, want.row1, want.row2)) return false;
        Remember(want);
        return true;
    }

    // Keeps the stretch, joined to a known one of the same row or column
    // that it meets.
    void Remember(const Stretch& w) {
        for (Stretch& known : painted_) {
            const bool sameRow = known.row1 == w.row1 && known.row2 == w.row2 && w.row1 == w.row2 &&
                                 w.col1 <= known.col2 + 1 && known.col1 <= w.col2 + 1;
            const bool sameColumn = known.col1 == w.col1 && known.col2 == w.col2 && w.col1 == w.col2 &&
                                    w.row1 <= known.row2 + 1 && known.row1 <= w.row2 + 1;
            if (sameRow || sameColumn) {
                known = {std::min(known.col1, w.col1), std::max(known.col2, w.col2), std::min(known.row1, w.row1),
                         std::max(known.row2, w.row2)};
                return;
            }
        }
        painted_[next_] = w;
        next_ = (next_ + 1) % 4;
    }

    Stretch painted_[4] = {{0, -1, 0, -1}, {0, -1, 0, -1}, {0, -1, 0, -1}, {0, -1, 0, -1}};  // empty
    int next_ = 0;
};

// Runs the straight hatch lines at low + step, low + 2 step, ... up to high,
// handing each position and its pass number (for the alternating direction)
// to `line`.  Lines that lie beyond the figure all land on the same clamped
// edge pixels, so only the last one before the figure and the first one after
// it are drawn; this keeps a huge or infinite rectangle from hatching for ever
// without changing a single pixel.
template <typename Line>
void StraightHatch(float low, float high, float step, float pixelsPerUnit, int clipMin, int clipEnd,
                   Line line) {
    if (!std::isfinite(low) || !std::isfinite(high) || !(pixelsPerUnit > 0)) return;
    const double lowEdge = clipMin / static_cast<double>(pixelsPerUnit);
    const double highEdge = clipEnd / static_cast<double>(pixelsPerUnit);
    long long k = 1;
    if (low + static_cast<double>(step) < lowEdge) {
        const double skip = std::floor((lowEdge - low) / step) - 2;
        if (skip > 1) k = static_cast<long long>(std::fmin(skip, 1e15));
    }
    // Beyond this many lines the positions can only be repeating edge pixels
    // (or, far from the page, no longer resolvable in single precision).
    const double most = (highEdge - lowEdge) / step + 8;
    for (double drawn = 0; drawn < most; ++k, ++drawn) {
        const float at = low + static_cast<float>(k) * step;
        if (!(at <= high)) break;
        line(static_cast<int>(k & 1) ^ 1, at);
        if (at >= highEdge) break;  // every further line repeats this one's pixels
    }
}

// Lines from upper left to lower right.  A walks right along the bottom edge
// and then up the right edge; B walks up the left edge and then right along
// the top edge; each pass joins them.
void FallingDiagonals(DiagonalHatch& hatch, float left, float bottom, float right, float top, float d) {
    float ax = left, ay = bottom;
    float bx = left, by = bottom;
    bool aOnSide = false;  // A has turned the lower right corner
    bool bOnTop = false;   // B has turned the upper left corner
    for (int pass = 0; pass < kMaxDiagonalPasses; ++pass) {
        if (!aOnSide) {
            ax += d;
            if (ax > right) {
                ay = bottom + (ax - right);
                ax = right;
                aOnSide = true;
            }
        } else {
            ay += d;
        }
        if (aOnSide && ay > top) return;
        if (!bOnTop) {
            by += d;
            if (by > top) {
                bx = left + (by - top);
                by = top;
                bOnTop = true;
            }
        } else {
            bx += d;
        }
        if (bOnTop && bx > right) return;
        hatch.Line(pass, ax, ay, bx, by);
    }
}

// The mirror image: lines from lower left to upper right.  A walks left
// along the bottom edge and then up the left edge; B walks up the right edge
// and then left along the top edge.
void RisingDiagonals(DiagonalHatch& hatch, float left, float bottom, float right, float top, float d) {
    float ax = right, ay = bottom;
    float bx = right, by = bottom;
    bool aOnSide = false;
    bool bOnTop = false;
    for (int pass = 0; pass < kMaxDiagonalPasses; ++pass) {
        if (!aOnSide) {
            ax -= d;
            if (ax < left) {
                ay = bottom + (left - ax);
                ax = left;
                aOnSide = true;
            }
        } else {
            ay += d;
        }
        if (aOnSide && ay > top) return;
        if (!bOnTop) {
            by += d;
            if (by > top) {
                bx = right - (by - top);
                by = top;
                bOnTop = true;
            }
        } else {
            bx -= d;
        }
        if (bOnTop && bx < left) return;
        hatch.Line(pass, ax, ay, bx, by);
    }
}

// The hatch patterns of the style in fillStyle, in the fill colour with a
// one-pixel pen; the pen's weight and colour come back afterwards.
void Hatch(float left, float bottom, float right, float top, int spacing) {
    PlotStateRecord& s = PlotState;
    // Half a pixel in page units: the straight hatch lines stop that far
    // short of the edges along their own direction.
    const float hx = 0.5f * s.stepX;
    const float hy = 0.5f * s.stepY;
    if (left + hx > right - hx || bottom + hy > top - hy) return;  // narrower than a pixel
    s.fillStyle &= ~kHatchOverSolid;
    const int style = s.fillStyle;
    if (!(style & (kHorizontal | kVertical | kFalling | kRising))) return;

    const int weight = s.lineWeight;
    const int pen = s.penColour;
    LINEWIDTH(5);
    s.penColour = s.fillColour;
    if (spacing >= 10) s.hatchSpacing = spacing;
    const float step = s.hatchSpacing * 0.01f;

    if (step > 0) {
        if (style & kHorizontal) {
            StraightHatch(bottom, top, step, s.pixelsPerUnitY, s.clipYMin, s.clipYEnd,
                          [&](int pass, float y) { AlternatingLine(pass, left + hx, y, right - hx, y); });
        }
        if (style & kVertical) {
            StraightHatch(left, right, step, s.pixelsPerUnitX, s.clipXMin, s.clipXEnd,
                          [&](int pass, float x) { AlternatingLine(pass, x, bottom + hy, x, top - hy); });
        }
    }
    // The diagonal step is the spacing times the square root of 2, so that
    // neighbouring lines lie one spacing apart.
    // An infinite edge gives no diagonal at all (its points would not move).
    const float d = s.hatchSpacing * 0.0141421f;
    const bool finite = std::isfinite(left) && std::isfinite(right) && std::isfinite(bottom) &&
                        std::isfinite(top);
    if (d > 0 && finite) {
        DiagonalHatch hatch;
        if (style & kFalling) FallingDiagonals(hatch, left, bottom, right, top, d);
        if (style & kRising) RisingDiagonals(hatch, left, bottom, right, top, d);
    }

    LINEWIDTH(weight);
    s.penColour = pen;
}

// The outline's edges and the straight hatch lines are axis-parallel strokes.  Such a stroke paints every
// pixel column (or row) from its start to its end pixel: the pen steps just
// under a pixel at a time, so no pixel is skipped, and each dot is a block of
// linePixels.  An edge whose pixels are known this way is written as one
// block of the page image, with the pixels clamped to the image and the
// changed-pixel rectangle widened exactly as pixel-by-pixel pen dots would.
// Edges the pen would cut short (more steps than it takes) or that have no
// finite end go through the pen itself.
constexpr double kMostSteps = 32000;

bool EdgeByBlock(float x, float y) {
    PlotStateRecord& s = PlotState;
    const float cx = s.penX;
    const float cy = s.penY;
    const bool vertical = x == cx;
    if (!(vertical || y == cy)) return false;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(cx) || !std::isfinite(cy)) return false;
    if (!(s.stepX > 0) || !(s.stepY > 0)) return false;
    const double steps = vertical ? std::fabs(y - cy) / s.stepY : std::fabs(x - cx) / s.stepX;
    if (!(steps < kMostSteps)) return false;
    if (!s.pagePixels || s.imageWidth <= 0 || s.imageHeight <= 0) return false;

    int col1 = plot_internal::PixelX(cx), col2 = plot_internal::PixelX(x);
    int row1 = plot_internal::PixelY(cy), row2 = plot_internal::PixelY(y);
    if (col1 > col2) std::swap(col1, col2);
    if (row1 > row2) std::swap(row1, row2);
    plot_internal::PaintDotBlock(col1, col2, row1, row2);
    // The pen ends as a draw leaves it.
    s.penX = x;
    s.penY = y;
    s.penDrawn = 1;
    s.lastPlotX = x;
    s.lastPlotY = y;
    return true;
}

// A draw to (x, y) from the current point: by block when the edge allows,
// else through the pen.
void OutlineEdge(float x, float y) {
    if (!EdgeByBlock(x, y)) PLOT(x, y, 2);
}

// The pen as an outline drawn round from (x, y) leaves it: there, drawn.
void LeavePenAt(float x, float y) {
    PlotStateRecord& s = PlotState;
    s.penX = x;
    s.penY = y;
    s.penDrawn = 1;
    s.lastPlotX = x;
    s.lastPlotY = y;
}

// The outline from (left, bottom) round to it again, when EdgeByBlock takes
// every edge: the four blocks from the corners' pixels, converted once, and
// the pen left as the last edge leaves it.  False, with nothing drawn, when
// an edge has to go through the pen.
bool OutlineByBlocks(float left, float bottom, float right, float top) {
    PlotStateRecord& s = PlotState;
    if (!std::isfinite(left) || !std::isfinite(bottom) || !std::isfinite(right) || !std::isfinite(top)) return false;
    if (!(s.stepX > 0) || !(s.stepY > 0)) return false;
    const double across = std::fabs(right - left) / s.stepX, up = std::fabs(top - bottom) / s.stepY;
    if (!(across < kMostSteps) || !(up < kMostSteps)) return false;
    if (!s.pagePixels || s.imageWidth <= 0 || s.imageHeight <= 0) return false;

    using plot_internal::PixelX, plot_internal::PixelY;
    const int col1 = PixelX(left), col2 = PixelX(right), row1 = PixelY(bottom), row2 = PixelY(top);
    plot_internal::PaintDotBlock(std::min(col1, col2), std::max(col1, col2), row1, row1);
    plot_internal::PaintDotBlock(col2, col2, std::min(row1, row2), std::max(row1, row2));
    plot_internal::PaintDotBlock(std::min(col1, col2), std::max(col1, col2), row2, row2);
    plot_internal::PaintDotBlock(col1, col1, std::min(row1, row2), std::max(row1, row2));
    LeavePenAt(left, bottom);
    return true;
}

}  // namespace

void BOXFILL(float x1, float y1, float x2, float y2, int style, int spacing) {
    PlotStateRecord& s = PlotState;
    s.fillStyle = OCTVALUE(style);
    float left = plot_internal::ToPageX(x1);
    float right = plot_internal::ToPageX(x2);
    float bottom = plot_internal::ToPageY(y1);
    float top = plot_internal::ToPageY(y2);
    if (left > right) std::swap(left, right);
    if (bottom > top) std::swap(bottom, top);

    bool hatch = true;
    if (s.fillStyle & kSolid) {
        SolidFill(left, bottom, right, top);
        hatch = (s.fillStyle & kHatchOverSolid) != 0;
    }
    if (hatch) Hatch(left, bottom, right, top, spacing);

    PLOT(left, bottom, 13);
    if (s.fillStyle & (kNoOutline | kNoOutlineToo)) return;
    PLOT(left, bottom, 13);
    if (OutlineByBlocks(left, bottom, right, top)) return;
    OutlineEdge(right, bottom);
    OutlineEdge(right, top);
    OutlineEdge(left, top);
    OutlineEdge(left, bottom);
}

namespace {

// BOXFILL(x1, y1, x2, y2, 100, 0) for a box whose edges need no clamping to
// the clip range and whose outline lies inside the image: its corners are
// converted once and the box is painted straight into the page, leaving the
// pen and the changed-pixel rectangles as BOXFILL does.  False, with nothing
// changed, for any other box.
bool SolidBoxInside(float x1, float y1, float x2, float y2) {
    PlotStateRecord& s = PlotState;
    float left = plot_internal::ToPageX(x1);
    float right = plot_internal::ToPageX(x2);
    float bottom = plot_internal::ToPageY(y1);
    float top = plot_internal::ToPageY(y2);
    if (left > right) std::swap(left, right);
    if (bottom > top) std::swap(bottom, top);
    if (!(s.stepX > 0) || !(s.stepY > 0)) return false;
    if (!(std::fabs(right - left) / s.stepX < kMostSteps) || !(std::fabs(top - bottom) / s.stepY < kMostSteps)) {
        return false;
    }
    using plot_internal::UnclampedPixel;
    int col1, col2, row1, row2;
    if (!UnclampedPixel(s.pixelsPerUnitX * left, s.clipXMin, s.clipXEnd, col1) ||
        !UnclampedPixel(s.pixelsPerUnitX * right, s.clipXMin, s.clipXEnd, col2) ||
        !UnclampedPixel(s.pixelsPerUnitY * bottom, s.clipYMin, s.clipYEnd, row1) ||
        !UnclampedPixel(s.pixelsPerUnitY * top, s.clipYMin, s.clipYEnd, row2) ||
        !plot_internal::PaintBoxInside(col1, col2, row1, row2)) {
        return false;
    }
    s.fillStyle = kSolid;
    LeavePenAt(left, bottom);
    return true;
}

}  // namespace

void BOX(float x1, float y1, float x2, float y2) {
    // A box inside the page (the chains' bars, the buttons): the quick way.
    if (SolidBoxInside(x1, y1, x2, y2)) return;
    BOXFILL(x1, y1, x2, y2, 100, 0);
}

void DOT(float x, float y, int size) {
    if (size < 1) return;
    const float half = size * 0.005f;  // half the side, page units
    if (half <= 0.01f) {               // size 1 or 2: one pen dot
        PLOT(plot_internal::ToPageX(x), plot_internal::ToPageY(y), 3);
        return;
    }
    const float hx = PlotState.pageToUserX * half;
    const float hy = PlotState.pageToUserY * half;
    // A dot of the chains and marks lies inside the page: the quick way.
    if (SolidBoxInside(x - hx, y - hy, x + hx, y + hy)) return;
    BOXFILL(x - hx, y - hy, x + hx, y + hy, 100, 0);
}
