// mapping.cpp - the user window, page-to-pixel conversion and the one place
// where a pixel of the page image is written.
#include "plot/internal.h"
#include "plot/plot.h"

void SETWINDOW(float x0, float y0, float x1, float y1) {
    PlotStateRecord& s = PlotState;
    if (x1 <= x0 && y1 <= y0) {  // neither range given: one user unit per page unit
        x1 = x0 + s.pageWidth;
        y1 = y0 + s.pageHeight;
    }
    if (x1 <= x0 && y1 > y0) x1 = (y1 - y0) * s.pageWidth / s.pageHeight + x0;
    if (x1 > x0 && y1 <= y0) y1 = (x1 - x0) * s.pageHeight / s.pageWidth + y0;
    s.userXMin = x0;
    s.userXMax = x1;
    s.userYMin = y0;
    s.userYMax = y1;
    s.userToPageX = s.pageWidth / (x1 - x0);
    s.userToPageY = s.pageHeight / (y1 - y0);
    s.pageToUserX = 1 / s.userToPageX;
    s.pageToUserY = 1 / s.userToPageY;
}

int PIXELX(float pageX) { return plot_internal::PixelX(pageX); }

int PIXELY(float pageY) { return plot_internal::PixelY(pageY); }

void SETPIXEL(int column, int row) {
    PlotStateRecord& s = PlotState;
    if (!s.pagePixels || s.imageWidth <= 0 || s.imageHeight <= 0) return;  // no page yet
    if (column > s.imageWidth - 1) column = s.imageWidth - 1;
    if (column < 0) column = 0;
    if (row > s.imageHeight - 1) row = s.imageHeight - 1;
    if (row < 0) row = 0;
    s.pagePixels[column + s.imageWidth * row] = static_cast<unsigned char>(s.penColour);
    if (column <= s.dirtyLeft) s.dirtyLeft = column;
    if (column >= s.dirtyRight) s.dirtyRight = column;
    const int top = s.imageHeight - row - 1;
    if (top >= s.dirtyBottom) s.dirtyBottom = top;
    if (top <= s.dirtyTop) s.dirtyTop = top;
    if (plot_internal::g_collectingParts) plot_internal::NoteChangePart(column, top, column, top);
}
