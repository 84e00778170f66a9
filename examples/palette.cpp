// palette - the 256 colour indices of a freshly opened plot: 1..31 named
// colours, 0 and 32..255 greys (index i is grey i).
//
//     palette [out.png]
#include <cstdio>

#include "examples/gallery.h"

int main(int argc, char** argv) {
    const char* out = gallery::OutputName(argc, argv, "palette.png");
    if (!gallery::OpenPage("Palette", "palette", 20, 6)) return 1;

    // Indices 0..31 as labelled swatches in two rows.
    for (int i = 0; i < 32; ++i) {
        const float x = 0.3f + 1.2f * (i % 16);
        const float y = i < 16 ? 4.3f : 2.4f;
        SETCOLOURS(16, i);
        if (i == 0) PlotState.fillColour = 0;  // SETCOLOURS reads fill 0 as "background"
        BOXFILL(x, y, x + 1.0f, y + 1.0f, 100, 0);
        char label[8];
        std::snprintf(label, sizeof label, "%d", i);
        SETCOLOUR(16);
        TEXTC(x + 0.5f, y - 0.45f, 30, label, 0, 0, 0, 1);
    }
    // 32..255: the grey ramp, one thin box per index.
    for (int i = 32; i < 256; ++i) {
        const float x = 0.3f + 19.2f * (i - 32) / 224;
        PlotState.fillColour = i;
        BOXFILL(x, 0.6f, x + 19.2f / 224, 1.3f, 104, 0);
    }
    SETCOLOUR(16);
    TEXT(0.3f, 0.1f, 30, "32", 0);
    float x = 19.5f, y = 0.1f;
    TEXTG(&x, &y, 30, "255", 0, 0, 0, 1, 0, 2);
    return gallery::WritePage(out);
}
