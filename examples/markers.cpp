// markers - every code of PLOT: lines (1, 2), the dot (3), the five markers
// (4..8), the four steps (9..12) and the move (13 and every other code).
//
//     markers [out.png]
#include <cstdio>

#include "examples/gallery.h"

int main(int argc, char** argv) {
    const char* out = gallery::OutputName(argc, argv, "markers.png");
    if (!gallery::OpenPage("PLOT codes", "markers", 20, 5)) return 1;  // 20 x 5 page units

    // Codes 1..8 at one point each, the page units of PLOT are the user units
    // here (the window is the page).
    for (int code = 1; code <= 8; ++code) {
        const float x = 1.2f + 2.3f * (code - 1);
        char label[8];
        std::snprintf(label, sizeof label, "%d", code);
        SETCOLOUR(16);
        TEXTC(x, 3.3f, 30, label, 0, 0, 0, 1);
        SETCOLOUR(4);
        PLOT(x - 0.5f, 4.0f, 13);                    // move
        PLOT(x, 4.3f, code);                         // codes 1, 2 draw from there
    }
    // The steps: from the previous PLOT point to (x, y), vertical leg first
    // for 9 and 11, horizontal leg first for 10 and 12.
    for (int code = 9; code <= 12; ++code) {
        const float x = 1.2f + 4.6f * (code - 9);
        char label[8];
        std::snprintf(label, sizeof label, "%d", code);
        SETCOLOUR(16);
        TEXTC(x + 1.0f, 0.3f, 30, label, 0, 0, 0, 1);
        SETCOLOUR(2);
        PLOT(x, 1.0f, 13);
        for (int i = 1; i <= 4; ++i) PLOT(x + 0.5f * i, 1.0f + 0.35f * i * (i % 2 ? 1 : 0.6f), code);
        SETCOLOUR(16);
        PLOT(x, 1.0f, 3);                            // the start point as a dot
    }
    return gallery::WritePage(out);
}
