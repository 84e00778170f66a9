// text - TEXTG and its wrappers: the four styles, the control characters
// ^ < > ~, alignment, angle, slant and height factor.
//
//     text [out.png]
#include "examples/gallery.h"

namespace {

// A small cross at the point a text is anchored at.
void Anchor(float x, float y) {
    SETCOLOUR(2);
    PLOT(x, y, 7);
    SETCOLOUR(16);
}

}  // namespace

int main(int argc, char** argv) {
    const char* out = gallery::OutputName(argc, argv, "text.png");
    if (!gallery::OpenPage("Text", "text", 20, 10)) return 1;

    // Styles: 0 plain, 1 capitals (lower case as small capitals), 2
    // proportional spacing, 3 both.  Height 40 = 0.4 page units.
    TEXT(0.5f, 9.2f, 40, "Style 0: Wave 0.5 Hz", 0);
    TEXT(0.5f, 8.5f, 40, "Style 1: Wave 0.5 Hz", 1);
    TEXT(0.5f, 7.8f, 40, "Style 2: Wave 0.5 Hz", 2);
    TEXT(0.5f, 7.1f, 40, "Style 3: Wave 0.5 Hz", 3);

    // '<' raises and '>' lowers the next glyph only; '^' takes the next byte
    // from the alternate set; '~' draws the next two glyphs on one place.
    TEXT(10.5f, 9.2f, 40, "e^-0.3t", 0);                // '^-' is a glyph of its own
    TEXT(15.5f, 9.2f, 40, "e<-<0<.<3<t", 0);            // the exponent, raised
    TEXT(10.5f, 8.5f, 40, "x>1 + x>2 = A<2", 0);         // indices and a power
    TEXT(10.5f, 7.8f, 40, "^a ^b ^w ^p = ^l^n", 0);      // Greek letters
    TEXT(10.5f, 7.1f, 40, "~O/ ~=/ ~c,", 0);             // overprinted pairs

    // Alignment 0 left, 1 centre, 2 right of the anchor point.
    float x = 5, y = 5.6f;
    for (int alignment = 0; alignment <= 2; ++alignment) {
        float ax = 10, ay = 5.6f - 0.7f * alignment;
        Anchor(ax, ay);
        TEXTG(&ax, &ay, 40, alignment == 0 ? "left" : alignment == 1 ? "centre" : "right", 0, 0, 0, 1, 0,
              alignment);
    }
    // Write-back: with 1, x and y receive the point the text started at
    // after alignment (here: right-aligned, so its left end).
    Anchor(x, y - 1.4f);
    y -= 1.4f;
    TEXTG(&x, &y, 40, "start?", 0, 0, 0, 1, 1, 2);
    SETCOLOUR(4);
    PLOT(x, y, 4);                                       // the written-back start
    SETCOLOUR(16);

    // Angle (degrees, counter-clockwise), slant (degrees, clamped to
    // -45..45) and factor (height stretch, 0 means 1, clamped to 0.33..3).
    TEXTG(&(x = 14.5f), &(y = 2.3f), 40, "angle 30", 0, 30, 0, 1, 0, 0);
    TEXTG(&(x = 0.5f), &(y = 2.5f), 40, "slant 20", 0, 0, 20, 1, 0, 0);
    TEXTG(&(x = 0.5f), &(y = 1.2f), 40, "factor 2", 0, 0, 0, 2, 0, 0);
    TEXTG(&(x = 5.5f), &(y = 1.2f), 40, "factor 0.5", 0, 0, 0, 0.5f, 0, 0);
    TEXTG(&(x = 12.5f), &(y = 0.5f), 60, "90", 0, 90, 0, 1, 0, 0);
    TEXTC(17.5f, 0.7f, 30, "TEXTC: centred", 0, 0, 0, 1);

    return gallery::WritePage(out);
}
