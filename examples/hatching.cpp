// hatching - the style bits of BOXFILL (written as octal digits) and the
// hatch spacing; DOT and BOX.
//
//     hatching [out.png]
#include <cstdio>

#include "examples/gallery.h"

int main(int argc, char** argv) {
    const char* out = gallery::OutputName(argc, argv, "hatching.png");
    if (!gallery::OpenPage("Hatching", "hatching", 20, 7)) return 1;

    // One box per style, spacing 15 (0.15 page units between hatch lines).
    const int styles[] = {0, 1, 2, 3, 10, 20, 30, 33, 100, 104, 12, 5, 41, 24};
    for (int i = 0; i < 14; ++i) {
        const float x = 0.5f + 2.8f * (i % 7);
        const float y = i < 7 ? 4.2f : 1.0f;
        char label[16];
        std::snprintf(label, sizeof label, "%d", styles[i]);
        SETCOLOURS(16, 0);
        TEXTC(x + 1.0f, y - 0.6f, 30, label, 0, 0, 0, 1);
        SETCOLOURS(4, 2);  // outline blue, hatching and fill red
        if (styles[i] >= 100) SETCOLOURS(4, 23);  // a light blue fill
        BOXFILL(x, y, x + 2.0f, y + 2.0f, styles[i], 15);
    }
    return gallery::WritePage(out);
}
