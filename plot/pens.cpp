// pens.cpp - pen and fill colours, line width, the screen flush and the
// clock that paces animations.
#include "plot/host.h"
#include "plot/plot.h"

void SETCOLOURS(int pen, int fill) {
    PlotStateRecord& s = PlotState;
    if (pen > 255) pen = 255;
    if (pen < -255) pen = -255;
    if (fill > 255) fill = 255;
    if (fill < 0) fill = 0;
    if (pen == s.penColour && fill == s.fillColour) return;  // nothing to change
    if (fill == 0) fill = s.backgroundColour;  // fill 0 means "background"
    if (pen <= 0) pen = 0;
    if (pen >= s.paletteSize) pen = s.paletteSize;
    if (fill >= s.paletteSize) fill = s.paletteSize;
    s.penColour = pen;
    s.fillColour = fill;
}

void SETCOLOUR(int pen) { SETCOLOURS(pen, FILLCOLOUR()); }

int FILLCOLOUR() { return PlotState.fillColour; }

void LINEWIDTH(int weight) {
    if (weight > 200) weight = 200;
    if (weight < 5) weight = 5;
    PlotState.lineWeight = weight;
    int pixels = (weight + 24) / 25;  // every started 25 adds a pixel
    if (pixels < 1) pixels = 1;
    if (pixels > 3) pixels = 3;
    PlotState.linePixels = pixels;
}

void PLOTFLUSH() { PlotGetHost().flush(); }

double WALLCLOCK() { return PlotGetHost().wallClock(); }

void DELAY(double duration, double start) {
    const double d = duration > 0 ? duration : 0;
    double now = WALLCLOCK();
    double t0 = now < start ? now : start;  // a start in the future counts from now
    if (!(t0 > 0)) t0 = 0;
    // Let the host sleep through most of the wait (no window messages pass),
    // then re-read the clock until strictly more than d has gone by.
    const PlotHost& host = PlotGetHost();
    while (!(now - t0 > d)) {
        host.waitUntil(t0 + d);
        now = WALLCLOCK();
    }
}
