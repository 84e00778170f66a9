// internal.h - pieces shared between the plot library's modules; not part
// of the library's public face.
#pragma once

#include <cmath>
#include <climits>
#include <cstddef>

#include "plot/host.h"
#include "plot/plotstate.h"

namespace plot_internal {

// Truncates toward zero like a C cast, but defined for every input: values
// beyond the int range (infinities included) land on INT_MIN / INT_MAX and
// NaN on INT_MIN, so that any later clamp treats them as "far outside".
inline int TruncToInt(double v) {
    if (std::isnan(v)) return INT_MIN;
    if (v >= 2147483647.0) return INT_MAX;
    if (v <= -2147483648.0) return INT_MIN;
    return static_cast<int>(v);
}

// PIXELX and PIXELY, here for the pen's inner loops: the page coordinate
// scaled, truncated and clamped to the clip range.
inline int ClampToClip(int value, int low, int end) {
    if (value < low) value = low;
    if (value > end - 1) value = end - 1;
    return value;
}
inline int PixelX(float pageX) {
    const PlotStateRecord& s = PlotState;
    const float scaled = s.pixelsPerUnitX * pageX;
    return ClampToClip(TruncToInt(scaled), s.clipXMin, s.clipXEnd);
}
inline int PixelY(float pageY) {
    const PlotStateRecord& s = PlotState;
    const float scaled = s.pixelsPerUnitY * pageY;
    return ClampToClip(TruncToInt(scaled), s.clipYMin, s.clipYEnd);
}

// The pixel of a scaled page coordinate when the clip range [low, end)
// holds it without clamping: then it is PixelX's or PixelY's answer.
inline bool UnclampedPixel(float scaled, int low, int end, int& pixel) {
    pixel = TruncToInt(scaled);
    return pixel >= low && pixel < end;
}

// The user/page conversions behind PAGEX, PAGEY, USERX and USERY.  The
// difference and the product are taken in extended precision, so that a
// coordinate is rounded once, to single, where a caller stores it; rounding
// the difference first moves edges that fall exactly on a pixel boundary.
long double PageXExtended(float userX);
long double PageYExtended(float userY);
long double UserXExtended(float pageX);
long double UserYExtended(float pageY);
inline float ToPageX(float userX) { return static_cast<float>(PageXExtended(userX)); }
inline float ToPageY(float userY) { return static_cast<float>(PageYExtended(userY)); }
inline float ToUserX(float pageX) { return static_cast<float>(UserXExtended(pageX)); }
inline float ToUserY(float pageY) { return static_cast<float>(UserYExtended(pageY)); }

// Paints a pen dot of the current pen around every pixel of columns
// col1..col2 and rows row1..row2 (col1 <= col2, row1 <= row2), exactly as
// PENDOT on each of them would: clamped to the image, widening the
// changed-pixel rectangle.
void PaintDotBlock(int col1, int col2, int row1, int row2);

// Paints a solid box straight into the page when its outline's pen dots lie
// inside the image: the fill colour into columns col1..col2-1 of rows
// row1..row2-1 (noted as a direct write), then a pen dot around every pixel
// of the edges col1, col2, row1 and row2 (col1 <= col2, row1 <= row2),
// widening the changed-pixel rectangle.  False, with nothing painted, when
// there is no page or a pen dot would need clamping.
bool PaintBoxInside(int col1, int col2, int row1, int row2);

// Writes `colour` into `width` bytes of `rows` rows, `stride` bytes apart,
// from `first`: narrow rows (pen dots, edges, bars and dots) without a call.
void FillRows(unsigned char* first, long stride, int rows, int width, unsigned char colour);

// True when painting that block would change nothing: its pixels all have
// the pen colour and lie in the changed-pixel rectangle.
bool DotBlockPainted(int col1, int col2, int row1, int row2);

// The columns col1..col2 and rows row1..row2 that the dots of a stroke
// between (ax, ay) and (bx, by), in either direction, can land on; false
// when an end is not finite.
bool StrokeSpread(float ax, float ay, float bx, float by, int& col1, int& col2, int& row1, int& row2);

// Strokes from the pen through the page points (xs[i], ys[i]) as
// STROKE(xs[i], ys[i], 1) does one after another, when the pen and every
// point lie well inside the image and the clip range: each stroke then
// skips the checks for its edges, and the changed rectangle grows once.
// False, with nothing drawn, when some point does not.
bool StrokePolylineInside(const float* xs, const float* ys, int count);

// How far from pixel 0 the pixels of a stroke's consecutive dots, perDot
// pixels apart along an axis (under 1), cannot skip a pixel: rounding the
// page coordinate and its product with the scale to float moves a pixel
// value by at most 2^-23 of itself, so within this bound neighbouring dots'
// pixels differ by 0 or 1.  Negative when perDot is not under 1.
int GapFreePixels(double perDot);

// Copies a NUL-terminated text into a field of `capacity` bytes, cutting it
// so that it always ends inside the field.  A null source gives "".
void CopyText(char* field, std::size_t capacity, const char* text);

// Lays out a figure (pixel scale, image and view sizes, fit test, page image
// allocation, scale factors).  `isNFrame` selects the NFRAME form, which
// keeps the previous figure's pixel size.
void LayoutFigure(bool isNFrame);

// Notes columns col1..col2 and image rows row1..row2 (bottom row 0),
// written without widening the changed-pixel rectangle, for the screen.
void NoteDirectWrite(int col1, int col2, int row1, int row2);

// Adds pixels (rows counted from the top) to the parts of the change, while
// a host collects them (PlotCollectChangeParts).
extern bool g_collectingParts;
void NoteChangePart(int left, int top, int right, int bottom);

// PlotPageGeneration(): counted up where the page is laid out, cleared,
// rewritten for an export or released.
extern unsigned g_pageGeneration;

// Fills the page image with the background colour and marks it all changed.
void ClearPage();

// Writes the page to the open plot file, or to `fileName` when none is open
// (under a temporary name, renamed when complete).  A failure is reported
// through the host's output hook: false.
bool ExportPage();

// Closes the plot file if one is open; a failed write is reported: false.
bool ClosePlotFile();

// Writes one line to the host's message box.
void ShowMessage(const char* text);

// A console text, formatted like printf, through the host's output hook.
[[gnu::format(printf, 2, 3)]] void Print(PlotStream stream, const char* format, ...);

}  // namespace plot_internal
