// lines - PLOTL's line types, symbols, increments, dash lengths and the
// phase that carries a dash pattern from one call into the next; and the
// three line widths.
//
//     lines [out.png]
#include <cmath>

#include "examples/gallery.h"

namespace {

constexpr int kPoints = 25;

// A zigzag of kPoints points in the band from y to y + 0.5.
void Zigzag(float x0, float y, float* xs, float* ys) {
    for (int i = 0; i < kPoints; ++i) {
        xs[i] = x0 + 0.3f * i;
        ys[i] = y + 0.5f * static_cast<float>(i % 2);
    }
}

void Label(float y, const char* text) {
    SETCOLOUR(16);
    TEXT(0.3f, y + 0.1f, 25, text, 0);
}

}  // namespace

int main(int argc, char** argv) {
    const char* out = gallery::OutputName(argc, argv, "lines.png");
    if (!gallery::OpenPage("Line types", "lines", 20, 9.5f)) return 1;

    float x[kPoints], y[kPoints];
    float phase = 0;  // read only by dashed lines with continuation 1

    // Line type 0: solid through every point; symbol 0 moves to the first point.
    Zigzag(12, 8.5f, x, y);
    Label(8.5f, "type 0, symbol 0");
    SETCOLOUR(4);
    PLOTL(x, y, kPoints, 1, 0, 0, 0, 0, &phase);

    // Increment 3: every third point only.
    Zigzag(12, 7.6f, x, y);
    Label(7.6f, "type 0, increment 3");
    SETCOLOUR(4);
    PLOTL(x, y, kPoints, 3, 0, 0, 0, 0, &phase);

    // Symbols: 1 a dot, 2..6 a marker at each point (no line), 7..10 steps.
    Zigzag(12, 6.7f, x, y);
    Label(6.7f, "symbol 4 (marker 6)");
    SETCOLOUR(2);
    PLOTL(x, y, kPoints, 1, 4, 0, 0, 0, &phase);
    Zigzag(12, 5.8f, x, y);
    Label(5.8f, "symbol 8 (step 10)");
    SETCOLOUR(2);
    PLOTL(x, y, kPoints, 1, 8, 0, 0, 0, &phase);

    // Line type 2: dashed; dash length 0 is the default 0.3 (0.18 drawn, 0.12 gap).
    Zigzag(12, 4.9f, x, y);
    Label(4.9f, "type 2, dash 0");
    SETCOLOUR(3);
    PLOTL(x, y, kPoints, 1, 0, 2, 0, 0, &phase);
    // Dash length 60: a period of 0.6 page units, 60 % drawn.
    Zigzag(12, 4.0f, x, y);
    Label(4.0f, "type 2, dash 60");
    SETCOLOUR(3);
    PLOTL(x, y, kPoints, 1, 0, 2, 60, 0, &phase);

    // Continuation 1: a line drawn in pieces keeps its pattern across calls.
    Zigzag(12, 3.1f, x, y);
    Label(3.1f, "dash 60, 4 calls, cont. 1");
    SETCOLOUR(6);
    phase = 0;
    PLOTL(x, y, 7, 1, 0, 2, 60, 0, &phase);  // the first piece starts afresh
    phase = 0;
    for (int start = 6; start < kPoints - 1; start += 6) {
        PLOTL(x + start, y + start, std::min(7, kPoints - start), 1, 0, 2, 60, 1, &phase);
    }

    // Line type 1: equidistant x; x holds only the first and the last x.
    const float ends[2] = {12, 12 + 0.3f * (kPoints - 1)};
    Zigzag(12, 2.2f, x, y);
    Label(2.2f, "type 1, x = first, last");
    SETCOLOUR(13);
    PLOTL(ends, y, kPoints, 1, 0, 1, 0, 0, &phase);

    // Line widths: LINEWIDTH 25, 50, 75 -> 1, 2, 3 pixels.
    Label(0.6f, "LINEWIDTH 25, 50, 75");
    SETCOLOUR(16);
    for (int i = 0; i < 3; ++i) {
        LINEWIDTH(25 * (i + 1));
        PLOTLINE(12 + 2.6f * i, 0.5f, 14 + 2.6f * i, 1.2f);
    }
    LINEWIDTH(25);

    return gallery::WritePage(out);
}
