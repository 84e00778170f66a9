// testpage - draws every PLOT code and the three line thicknesses on one
// page and writes it as a BMP through the library's own export.
//
//     testpage [out.bmp]        (default: testpage.bmp; numbered if taken)
#include <cstdio>
#include <utility>

#include "plot/plot.h"

namespace {

// One row of markers and steps: codes 1..13 from left to right.
void DrawCodeRow(float y) {
    for (int code = 1; code <= 13; ++code) {
        const float x = 1.0f + 2.0f * (code - 1);
        SETCOLOUR(code == 3 ? 2 : 4);
        PLOT(x - 0.6f, y - 0.3f, 13);  // start of every sample: a move
        PLOT(x, y, code);
        if (code >= 9 && code <= 12) PLOT(x + 0.6f, y + 0.3f, code);  // a second step
        if (code <= 2) PLOT(x + 0.6f, y + 0.3f, code);
    }
}

// Three fans of strokes at 1, 2 and 3 pixels (line weights 25, 50, 75).
void DrawThicknesses(float y) {
    const int weights[] = {25, 50, 75};
    for (int i = 0; i < 3; ++i) {
        LINEWIDTH(weights[i]);
        SETCOLOUR(2 + i);
        const float x0 = 1.0f + 9.0f * i;
        for (int spoke = 0; spoke <= 6; ++spoke) {
            PLOT(x0, y, 13);
            PLOT(x0 + 1.0f * spoke, y + 0.9f - 0.15f * spoke, 2);
        }
    }
    LINEWIDTH(25);
}

}  // namespace

int main(int argc, char** argv) {
    const char* out = argc > 1 ? argv[1] : "testpage.bmp";
    PLOTOPEN(0, out, "Test page", "testpage");
    PlotState.defaultColour = 16;
    PlotState.backgroundColour = 1;
    if (PAGESETUP(0, 0, 28.0f, 4.0f, 28.0f, 4.0f, 2) < 0) return 1;

    // The page border, then the samples.
    PLOT(0.02f, 0.02f, 13);
    for (auto [x, y] : {std::pair{27.98f, 0.02f}, {27.98f, 3.98f}, {0.02f, 3.98f}, {0.02f, 0.02f}}) {
        PLOT(x, y, 2);
    }
    DrawCodeRow(3.2f);
    DrawThicknesses(0.4f);
    // Markers of every kind along a diagonal, with the palette's first colours.
    for (int i = 0; i < 10; ++i) {
        SETCOLOUR(2 + i);
        PLOT(1.0f + 2.5f * i, 1.8f + 0.05f * i, 4 + i % 5);
    }

    PlotState.exportPending = 1;
    const char* name = PlotState.fileName;
    const int closed = PLOTCLOSE();
    if (closed == 0) std::printf("wrote %s (%d x %d)\n", name, PlotState.imageWidth, PlotState.imageHeight);
    PlotReleasePage();
    return closed < 0 ? 1 : 0;
}
