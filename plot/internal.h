// internal.h - pieces shared between the plot library's modules; not part
// of the library's public face.
#pragma once

#include <cmath>
#include <climits>
#include <cstddef>

#include "plot/host.h"

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

// Copies a NUL-terminated text into a field of `capacity` bytes, cutting it
// so that it always ends inside the field.  A null source gives "".
void CopyText(char* field, std::size_t capacity, const char* text);

// Lays out a figure (pixel scale, image and view sizes, fit test, page image
// allocation, scale factors).  `isNFrame` selects the NFRAME form, which
// keeps the previous figure's pixel size.
void LayoutFigure(bool isNFrame);

// Fills the page image with the background colour and marks it all changed.
void ClearPage();

// Writes the page to the open plot file, or to `fileName` (opened and
// closed here) when none is open.  Reports an unwritable file on stderr.
void ExportPage();

// Closes the plot file if one is open, reporting a failed write.
void ClosePlotFile();

// Writes one line to the host's message box.
void ShowMessage(const char* text);

// A console text, formatted like printf, through the host's output hook.
[[gnu::format(printf, 2, 3)]] void Print(PlotStream stream, const char* format, ...);

}  // namespace plot_internal
