// gallery.h - how every gallery program begins and ends: one plot with a
// black pen on a white page, written as a PNG named by the first argument.
#pragma once

#include "plot/plot.h"
#include "plotpng/plotpng.h"

namespace gallery {

// The user window; all zero: the window is the page.
struct Window {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The picture's name: the first argument, else the program's own default.
inline const char* OutputName(int argc, char** argv, const char* fallback) { return argc > 1 ? argv[1] : fallback; }

// Opens the plot and its page of width x height page units; false when the
// page cannot be made.
inline bool OpenPage(const char* title, const char* name, float width, float height, Window window = {}) {
    PLOTOPEN(0, "", title, name);
    PlotState.defaultColour = 16;    // black pen on ...
    PlotState.backgroundColour = 1;  // ... a white page
    return PAGESETUP(window.x0, window.y0, window.x1, window.y1, width, height, 0) >= 0;
}

// Writes the page and closes the plot; the program's exit status.
inline int WritePage(const char* out) {
    const int result = WRITEPNG(out);
    PLOTCLOSE();
    PlotReleasePage();
    return result < 0 ? 1 : 0;
}

}  // namespace gallery
