// figures - one plot, several figures: NFRAME clears the page for the next
// one (pen settings back to those of the first figure), and each figure is
// written as a picture of its own.
//
//     figures [out-prefix]      writes out-prefix-1.png, -2.png and -3.png
//                               (default: figures-1.png ...)
#include <cmath>
#include <cstdio>
#include <string>

#include "plot/plot.h"
#include "plotpng/plotpng.h"

namespace {

// A circle of radius r around (x, y), as a polyline in user units.
void Circle(float x, float y, float r) {
    float xs[73], ys[73];
    for (int i = 0; i <= 72; ++i) {
        xs[i] = x + r * std::cos(i * 3.14159265f / 36);
        ys[i] = y + r * std::sin(i * 3.14159265f / 36);
    }
    PLOTPOLY(xs, ys, 73);
}

int Save(const std::string& prefix, int figure) {
    const std::string name = prefix + "-" + std::to_string(figure) + ".png";
    return WRITEPNG(name.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string prefix = argc > 1 ? argv[1] : "figures";
    PLOTOPEN(0, "", "Figures", "figures");
    PlotState.defaultColour = 4;
    PlotState.backgroundColour = 1;
    // Figure 1: window 0..8 x 0..4 on an 8 x 4 page.
    if (PAGESETUP(0, 0, 8, 4, 8, 4, 0) < 0) return 1;
    int failed = 0;
    Circle(2, 2, 1.5f);
    TEXTC(6, 1.8f, 40, "Figure 1", 0, 0, 0, 1);
    failed |= Save(prefix, 1);

    // Figure 2: a new window with the same page: 1 user unit = 2 page units.
    // NFRAME prints "Dimensions ..." on the console (the host's output hook).
    NFRAME(0, 0, 4, 2);
    Circle(1, 1, 0.75f);  // the same circle in the new units
    SETCOLOUR(2);
    TEXTC(3, 0.9f, 40, "Figure 2", 0, 0, 0, 1);
    LINEWIDTH(75);        // lasts until the end of this figure
    PLOTRECT(0.1f, 0.1f, 3.9f, 1.9f);
    failed |= Save(prefix, 2);

    // Figure 3: pen colour and width are those of figure 1 again.
    NFRAME(-4, -2, 4, 2);
    Circle(-2, 0, 1.5f);
    TEXTC(1.8f, -0.2f, 40, "Figure 3", 0, 0, 0, 1);
    PLOTRECT(-3.9f, -1.9f, 3.9f, 1.9f);
    failed |= Save(prefix, 3);

    PLOTCLOSE();
    PlotReleasePage();
    return failed ? 1 : 0;
}
