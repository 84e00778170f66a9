// alternate - the alternate set: every printable byte after '^', with the
// byte (and its code) above it; then the Latin-1 letters the font composes
// from a letter and an accent or has a glyph of its own for.
//
//     alternate [out.png]
#include <cstdio>

#include "examples/gallery.h"

namespace {

// The four bytes that steer the text cannot stand for themselves.
bool IsControl(char c) { return c == '^' || c == '<' || c == '>' || c == '~'; }

}  // namespace

int main(int argc, char** argv) {
    const char* out = gallery::OutputName(argc, argv, "alternate.png");
    if (!gallery::OpenPage("Alternate set", "alternate", 24, 12.5f)) return 1;

    // Bytes 33..126 in rows of 16: the label, then '^' and the byte.
    for (int c = 33; c <= 126; ++c) {
        const int cell = c - 33;
        const float x = 0.75f + 1.45f * (cell % 16);
        const int row = cell / 16;  // the row of the cell
        const float y = 11.4f - 1.45f * static_cast<float>(row);
        char label[8];
        if (IsControl(static_cast<char>(c))) {
            std::snprintf(label, sizeof label, "%d", c);
        } else {
            std::snprintf(label, sizeof label, "%c %d", c, c);
        }
        SETCOLOUR(21);
        TEXTC(x, y + 0.45f, 18, label, 0, 0, 0, 1);
        const char alternate[3] = {'^', static_cast<char>(c), 0};
        SETCOLOUR(4);
        TEXTC(x, y - 0.3f, 50, alternate, 0, 0, 0, 1);
    }

    // Latin-1 letters (the bytes as they are, no prefix).
    SETCOLOUR(16);
    TEXT(0.4f, 2.3f, 30, "Latin-1 bytes:", 0);
    SETCOLOUR(4);
    TEXT(0.4f, 1.4f, 45,
         "\xC4\xD6\xDC\xE4\xF6\xFC\xDF \xC0\xC1\xC2\xC5\xC7\xC8\xC9\xCA\xCB\xD1\xD2\xD3\xD4\xD8\xD9\xDA\xDB\xDD",
         0);
    TEXT(0.4f, 0.4f, 45,
         "\xE0\xE1\xE2\xE3\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xF1\xF2\xF3\xF4\xF5\xF8\xF9\xFA\xFB\xFD\xFF \xA6\xA7\xA8\xB1\xB5",
         0);

    return gallery::WritePage(out);
}
