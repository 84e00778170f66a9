// glyphsheet - draws the stroke font for inspection.
//
//   glyphsheet [GLYPHS.bmp [SPECIMEN.bmp [WIDE.bmp]]]
//
// GLYPHS.bmp (default "glyphsheet.bmp"): every glyph of the base and the
// alternate set with its glyph number, and every composed Latin-1 letter with
// its character code.  SPECIMEN.bmp (default "specimen.bmp"): text at several
// heights, angles, slants and stretches, the three alignments, capitals mode,
// proportional spacing and the control characters.  WIDE.bmp (default
// "widesheet.bmp"): every character UTF-8 text reaches beyond the byte sets
// (Latin Extended-A, Greek, Cyrillic, signs) with its code point in hex.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plot/font/font.h"
#include "plot/plot.h"

namespace {

constexpr int kBlack = 16;
constexpr int kRed = 2;
constexpr int kBlue = 4;
constexpr int kGrey = 20;

// A text that draws glyph g on its own, or an empty one if no byte reaches it.
void TextForGlyph(int g, char* out) {
    out[0] = 0;
    for (int k = 0; k < 512; ++k) {
        if (plotfont::kCharacterMap[k] != g) continue;
        if (k < 256) {
            out[0] = static_cast<char>(k);
            out[1] = 0;
        } else {
            out[0] = '^';
            out[1] = static_cast<char>(k - 256);
            out[2] = 0;
        }
        return;
    }
}

bool WriteBmp(const char* name) {
    PlotStateRecord& s = PlotState;
    std::snprintf(s.fileName, sizeof s.fileName, "%s", name);
    s.plotFile = std::fopen(name, "wb");
    if (!s.plotFile) {
        std::fprintf(stderr, "glyphsheet: cannot write %s\n", name);
        return false;
    }
    WRITEPAGE();
    const bool ok = std::fclose(s.plotFile) == 0;
    s.plotFile = nullptr;
    return ok;
}

void OpenPage(float width, float height) {
    PlotReleasePage();  // the page of the previous sheet
    PLOTOPEN(0, "", "glyphsheet", "glyphsheet");
    PAGESETUP(0, 0, width, height, width, height, 2);
}

// A small cross at (x, y), user units.
void Cross(float x, float y) {
    PLOTLINE(x - 0.1f, y, x + 0.1f, y);
    PLOTLINE(x, y - 0.1f, x, y + 0.1f);
}

// A faint base line and cap line for a glyph cell.
void Guides(float x, float y, float width, float capHeight) {
    SETCOLOUR(kGrey);
    PLOTLINE(x, y, x + width, y);
    PLOTLINE(x, y + capHeight, x + width, y + capHeight);
}

void DrawGlyphRow(int firstGlyph, int lastGlyph, float top, int columns) {
    constexpr float kCell = 2.4f;
    char text[4];
    char label[16];
    for (int g = firstGlyph; g <= lastGlyph; ++g) {
        const int n = g - firstGlyph;
        const float x = 0.5f + (n % columns) * kCell;
        const int row = n / columns;
        const float y = top - row * 1.7f;
        Guides(x, y, 1.2f, 0.8f);
        TextForGlyph(g, text);
        SETCOLOUR(kBlack);
        TEXT(x + 0.1f, y, 80, text, 0);
        std::snprintf(label, sizeof label, "%d", g);
        SETCOLOUR(kRed);
        TEXT(x + 1.3f, y + 0.05f, 20, label, 0);
    }
}

void GlyphSheet(const char* name) {
    OpenPage(40, 27);
    DrawGlyphRow(33, 126, 25.8f, 16);   // rows at 25.8 .. 17.3
    DrawGlyphRow(289, 382, 15.4f, 16);  // rows at 15.4 .. 6.9
    // The composed letters, labelled with their Latin-1 codes.
    int n = 0;
    char text[2] = {0, 0};
    char label[16];
    for (int c = 128; c < 256; ++c) {
        if (plotfont::kCharacterMap[c] >= 0) continue;
        const float x = 0.5f + (n % 16) * 2.4f;
        const int row = n / 16;
        const float y = 4.6f - row * 1.7f;
        Guides(x, y, 1.2f, 0.8f);
        text[0] = static_cast<char>(c);
        SETCOLOUR(kBlack);
        TEXT(x + 0.1f, y, 80, text, 0);
        std::snprintf(label, sizeof label, "%d", c);
        SETCOLOUR(kBlue);
        TEXT(x + 1.3f, y + 0.05f, 20, label, 0);
        ++n;
    }
    WriteBmp(name);
}

// The UTF-8 form of code point c (below U+10000).
void Utf8Of(char32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        out[1] = 0;
    } else if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        out[2] = 0;
    } else {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        out[3] = 0;
    }
}

void WideSheet(const char* name) {
    constexpr int kColumns = 16;
    const int count = static_cast<int>(plotfont::kWideCharacters.size());
    const int rows = (count + kColumns - 1) / kColumns;
    OpenPage(40, 1.0f + 1.7f * static_cast<float>(rows));
    char text[8];
    char label[16];
    for (int n = 0; n < count; ++n) {
        const plotfont::WideCharacter& c = plotfont::kWideCharacters[static_cast<std::size_t>(n)];
        const float x = 0.5f + (n % kColumns) * 2.4f;
        const int row = n / kColumns;  // from the top
        const float y = 1.7f * static_cast<float>(rows - row) - 0.9f;
        Guides(x, y, 1.2f, 0.8f);
        Utf8Of(c.code, text);
        SETCOLOUR(kBlack);
        TEXTU(x + 0.1f, y, 80, text, 0);
        std::snprintf(label, sizeof label, "%X", static_cast<unsigned>(c.code));
        SETCOLOUR(c.mark != 0 ? kBlue : kRed);
        TEXT(x + 1.3f, y + 0.05f, 20, label, 0);
    }
    WriteBmp(name);
}

void Specimen(const char* name) {
    OpenPage(40, 30);
    float x = 0;
    float y = 0;
    SETCOLOUR(kBlack);
    // Heights.
    TEXT(0.5f, 28.8f, 20, "Height 20: The quick brown fox jumps over the lazy dog 0123456789", 0);
    TEXT(0.5f, 28.0f, 40, "Height 40: Sphinx of black quartz, judge my vow!", 0);
    TEXT(0.5f, 26.8f, 80, "Height 80: Wave 1/2 (x+y)", 0);
    // Styles: fixed, capitals, proportional, both.
    TEXT(0.5f, 25.6f, 40, "Style 0: Transversal wave, illumination", 0);
    TEXT(0.5f, 24.8f, 40, "Style 1: Transversal wave, illumination", 1);
    TEXT(0.5f, 24.0f, 40, "Style 2: Transversal wave, illumination", 2);
    TEXT(0.5f, 23.2f, 40, "Style 3: Transversal wave, illumination", 3);
    // Control characters and Latin-1.
    TEXT(0.5f, 22.0f, 60, "H<2O   E = mc<2   x>i   ^a^b^g   ~=/ ~O/   \xE9 \xC9 \xF1 \xC5", 2);
    TEXT(0.5f, 20.8f, 60, "M\xFCller  Gr\xFC\xDF" "e  \xC4rger \xD6l \xDC" "ber  \xE7" "a \xC7" "a \xF8 \xD8 \xE6", 2);
    TEXT(0.5f, 19.6f, 60, "^p r<2  ^w = 2^p f  ^m^m  ^A ^B ^+ ^* ^[^] ^{^} ^$ ^q 5 ^Q ^!", 2);
    // Slant and stretch.
    x = 0.5f;
    y = 18.2f;
    TEXTG(&x, &y, 60, "Slant +20", 0, 0, 20, 1, 1, 0);
    x = 8.5f;
    TEXTG(&x, &y, 60, "Slant -20", 0, 0, -20, 1, 1, 0);
    x = 16.5f;
    TEXTG(&x, &y, 60, "Factor 0.5", 0, 0, 0, 0.5f, 1, 0);
    x = 24.5f;
    TEXTG(&x, &y, 60, "Factor 2", 0, 0, 0, 2, 1, 0);
    // Angles around one centre.
    const float angles[] = {0, 30, 90, 180};
    for (float a : angles) {
        x = 8;
        y = 10;
        char label[32];
        std::snprintf(label, sizeof label, "Angle %g deg", a);
        SETCOLOUR(kBlack);
        TEXTG(&x, &y, 40, label, 2, a, 0, 1, 1, 0);
    }
    SETCOLOUR(kRed);
    Cross(8, 10);
    // Alignments at a marked anchor.
    const char* names[] = {"Alignment 0 starts here", "Alignment 1 centres here", "Alignment 2 ends here"};
    for (int a = 0; a < 3; ++a) {
        x = 28;
        y = 13.0f - 1.0f * a;
        SETCOLOUR(kBlack);
        TEXTG(&x, &y, 40, names[a], 2, 0, 0, 1, 1, a);
        SETCOLOUR(kRed);
        Cross(28, 13.0f - 1.0f * a);
    }
    // Centred labels at an angle and the button size of the demonstration.
    SETCOLOUR(kBlack);
    TEXTC(28, 8, 40, "Centred at 30 deg", 2, 30, 0, 1);
    SETCOLOUR(kRed);
    Cross(28, 8);
    SETCOLOUR(kBlack);
    TEXTC(28, 5, 23, "Single  Next  Restart  Stop  Go  Quit  Back", 1, 0, 0, 1);
    TEXT(0.5f, 3.5f, 40, "Longitudinal Wave   Transversal Wave   Select Waveform", 1);
    TEXT(24.5f, 3.5f, 40, "Caf\xE9 \xC9lan \xD1" "and\xFA M\xFCller", 1);
    TEXT(0.5f, 2.0f, 40, "^A^B^C^D^E^F^G^H^I^J^K^L^M^N^O^P^R^S^T^U^V^W^X^Y^Z", 2);
    TEXT(0.5f, 0.8f, 40, "^a^b^c^d^e^f^g^h^i^j^k^l^m^n^o^p^r^s^t^u^v^w^x^y^z", 2);
    WriteBmp(name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 4 || (argc > 1 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0))) {
        std::printf("usage: glyphsheet [GLYPHS.bmp [SPECIMEN.bmp [WIDE.bmp]]]\n");
        return argc > 4 ? 2 : 0;
    }
    GlyphSheet(argc > 1 ? argv[1] : "glyphsheet.bmp");
    Specimen(argc > 2 ? argv[2] : "specimen.bmp");
    WideSheet(argc > 3 ? argv[3] : "widesheet.bmp");
    return 0;
}
